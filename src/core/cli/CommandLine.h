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
        Check,    // vexa --check PROFILE [--base-dir DIR]
        Levels,   // vexa --levels PROFILE
        Help,
        Version,
        Error, // `error` says what is wrong
    };
    Mode mode = Mode::Desktop;
    std::string profileFile;                // the first argument that is not a switch
    std::optional<std::string> baseDir;     // --base-dir, replaces BaseDir for one run
    ImportRequest import;                   // --import, --list-bots and their options
    std::optional<std::string> packageFile; // --pk3, one package instead of loose files
    bool force = false;                     // --force: replace another bot's files
    std::string error;
    // Switches the desktop mode does not know, in their order; it skips them.
    // In the headless modes an unknown switch is a usage error instead.
    std::vector<std::string> skippedSwitches;
};

// True when the arguments ask for one of the headless modes (--generate,
// --help, --version), which must run without a display.
bool IsHeadlessRequest(const std::vector<std::string>& args);

// Parses the arguments after the program name. On Windows a switch begins
// with "/" or "-"; on POSIX only with "-" (absolute paths begin with "/").
// The desktop mode is parsed again once the toolkit has taken its own
// switches (such as -style or -platform) from the arguments.
CommandLine ParseCommandLine(const std::vector<std::string>& args,
                             PathStyle style = NativePathStyle());

// The text of the desktop mode's warning about a switch it skips.
std::string SkippedSwitchWarning(const std::string& skippedSwitch);

// Runs a headless mode and returns the process exit status: 0 on success,
// 1 when the profile cannot be read, the generate result code (11 to 52) when
// generation fails, 2 for a usage error, 3 when --generate would replace
// another bot's files without --force. --check exits 0, or 43 when a chat
// line that would be written cannot be read by the game. --import and
// --list-bots return the ImportStatus codes.
int RunHeadless(const CommandLine& commandLine, std::ostream& out, std::ostream& err);

// The text of `vexa --help`.
std::string UsageText();

} // namespace vexa
