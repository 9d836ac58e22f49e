#pragma once

#include "core/cli/ImportCommand.h"
#include "core/util/Paths.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace vexa {

struct CommandLine {
    enum class Mode {
        Desktop,  // open the main window, on `profileFile` when it is not empty
        Generate, // vexa --generate PROFILE [--base-dir DIR | --pk3 PACKAGE]
        Import,   // vexa --import SOURCE [--bot NAME] --output PROFILE
        ListBots, // vexa --list-bots SOURCE
        Help,
        Version,
        Error, // `error` says what is wrong
    };
    Mode mode = Mode::Desktop;
    std::string profileFile;                // the first argument that is not a switch
    std::optional<std::string> baseDir;     // --base-dir, replaces BaseDir for one run
    ImportRequest import;                   // --import, --list-bots and their options
    std::optional<std::string> packageFile; // --pk3, one package instead of loose files
    std::string error;
};

// True when the arguments ask for one of the headless modes (--generate,
// --help, --version), which must run without a display.
bool IsHeadlessRequest(const std::vector<std::string>& args);

// Parses the arguments after the program name. On Windows a switch begins
// with "/" or "-"; on POSIX only with "-" (absolute paths begin with "/").
CommandLine ParseCommandLine(const std::vector<std::string>& args,
                             PathStyle style = NativePathStyle());

// Runs a headless mode and returns the process exit status: 0 on success,
// 1 when the profile cannot be read, the generate result code (11 to 52) when
// generation fails, 2 for a usage error; --import and --list-bots return the
// ImportStatus codes.
int RunHeadless(const CommandLine& commandLine, std::ostream& out, std::ostream& err);

// The text of `vexa --help`.
std::string UsageText();

} // namespace vexa
