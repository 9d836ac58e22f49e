#pragma once

#include <string>
#include <vector>

namespace vexa {

// The program's arguments as UTF-8, whatever the platform hands over. On
// Windows `argv` holds the arguments in the ANSI code page, which cannot
// spell every file name; they are read again from the wide command line.
// Elsewhere the arguments are taken as they are. On Windows the console
// also shows the program's UTF-8 output while this object lives.
class Utf8Arguments {
public:
    Utf8Arguments(int argc, char** argv);
    ~Utf8Arguments();
    Utf8Arguments(const Utf8Arguments&) = delete;
    Utf8Arguments& operator=(const Utf8Arguments&) = delete;

    // A C-style argument vector over the UTF-8 texts (ended by a null
    // pointer), valid as long as this object lives.
    int argc() const { return argc_; }
    char** argv() { return pointers_.data(); }

private:
    std::vector<std::string> texts_;
    std::vector<char*> pointers_;
    int argc_ = 0;
    [[maybe_unused]] unsigned consoleCodePage_ = 0; // the console's own, restored at the end
};

} // namespace vexa
