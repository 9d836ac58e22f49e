// The command line's import: `vexa --import SOURCE [--bot NAME] --output
// PROFILE.vxb` reads a bot of the game's files into a profile file, and
// `vexa --list-bots SOURCE` lists the bots a source holds.
#pragma once

#include <optional>
#include <ostream>
#include <string>

namespace vexa {

struct ImportRequest {
    std::optional<std::string> source;   // --import SOURCE
    std::optional<std::string> listBots; // --list-bots SOURCE
    std::optional<std::string> bot;      // --bot NAME
    std::optional<std::string> output;   // --output PROFILE.vxb
    bool keepFileNames = false;          // --keep-file-names
};

// Exit statuses of --import and --list-bots (2 is a usage error, as for
// every mode).
enum ImportStatus : int {
    kImportDone = 0,
    kImportSourceUnreadable = 3, // the source does not exist or cannot be read
    kImportNoBot = 4,            // no bot found, or none by the name of --bot
    kImportChoose = 5,           // several bots and no --bot (or one that names several)
    kImportFailed = 6,           // the bot's character file cannot be read
    kImportNotWritten = 7,       // the profile file cannot be written
};

// Runs --import or --list-bots and returns the exit status.
int RunImport(const ImportRequest& request, std::ostream& out, std::ostream& err);

} // namespace vexa
