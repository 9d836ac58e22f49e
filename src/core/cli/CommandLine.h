#pragma once

#include "core/cli/ImportCommand.h"
#include "core/util/Paths.h"

#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
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

// One switch of the command line. The table of them is the one place that
// knows the switches: the parser, the usage text and the manual page's test
// all read it, so a new switch is one more row.
struct CommandSwitch {
    std::string_view name = {};     // "--generate" ("/generate" on Windows too)
    std::string_view alias = {};    // a short spelling such as "-h", or empty
    std::string_view argument = {}; // the value's name in the usage text; empty for a flag
    std::string_view needs = {};    // the usage error's name for a missing value
    // The mode the switch chooses; Desktop for an option of other modes.
    CommandLine::Mode mode = CommandLine::Mode::Desktop;
    std::string_view usedWith = {};  // an option's modes: their switches, separated by blanks
    std::string_view excludes = {};  // an option that cannot be given with this one
    std::string_view needsAlso = {}; // a switch that must be given with this one
    std::string_view synopsis = {};  // a mode's usage lines (after "vexa "); indented ones continue
    std::string_view help = {};      // the usage text's description, lines separated by '\n'
    void (*store)(CommandLine& line, std::string value) = nullptr;
};

// Every switch, in the order of the usage text.
std::span<const CommandSwitch> CommandSwitches();

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
