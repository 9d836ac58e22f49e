#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <unistd.h>

namespace vexa::fuzz {

// Stops the fuzzer with a message when a property does not hold; libFuzzer
// then saves the input that broke it.
inline void Check(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "property violated: %s\n", what);
        std::abort();
    }
}

// A folder of this process below the system's temporary folder, removed
// when the fuzzer ends. Its files are rewritten for every input.
class ScratchFolder {
public:
    ScratchFolder()
        : path_(std::filesystem::temp_directory_path() /
                ("vexa-fuzz-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string file(const char* name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// Writes `bytes` to `path` as they are, without any helper of the program.
inline void PutFile(const std::string& path, std::string_view bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    Check(file != nullptr, "the scratch file can be created");
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    Check(std::fclose(file) == 0 && written, "the scratch file can be written");
}

} // namespace vexa::fuzz
