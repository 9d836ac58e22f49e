// What the user picked to import from, as a source of the game's files: a
// base folder, a .pk3 archive, a .bot file or a character file.
#pragma once

#include "core/game/GameFileSource.h"
#include "core/import/BotImport.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vexa {

struct PickedSource {
    enum class Kind {
        Folder,    // a base folder (or a folder holding a downloaded bot)
        Archive,   // a .pk3 (or .zip) archive
        BotInfo,   // a .bot file or bots.txt: the bots it names
        Character, // a character file: the one bot it describes
    };
    Kind kind = Kind::Folder;
    // Null when the pick cannot be read; `error` then says why.
    std::unique_ptr<GameFileSource> source;
    std::string error;
    // For a .bot or character file, the file the user meant, as a relative
    // path of the source ("scripts/ranger.bot", "botfiles/bots/ranger_c.c");
    // empty for a folder or an archive.
    std::string file;
    // How the pick was understood when that is not plain (a .bot file
    // outside a scripts folder, a scripts folder picked for its base folder).
    std::string note;
    // The picked file's own path when it lies outside the game's folders,
    // where `file` is only how the source reads it; empty otherwise.
    std::string realPath;
};

// Turns the path the user picked into a source. A .bot file (or bots.txt)
// inside a scripts folder, and a character file below a botfiles folder,
// stand for their base folder (the folder holding scripts or botfiles),
// loose files and archives included; outside such folders, the file's own
// folder is read as a downloaded bot laid out flat (see BaseFolderSource).
// A folder named scripts or botfiles that holds neither stands for its parent.
PickedSource OpenPickedSource(const std::string& path);

// What could not be read of the source so far (damaged archives, names left
// out), for the report; empty for sources that cannot say.
std::vector<std::string> SourceProblems(const GameFileSource& source);

// The bots a pick offers to choose from.
struct PickedBots {
    // For a folder or an archive every bot its info files list; for a .bot
    // file the bots of that file; for a character file the bots naming it,
    // or when none does, the character file alone (an entry with only
    // `aifile` and `origin` set and no info file).
    std::vector<BotEntry> bots;
    std::vector<ReportEntry> problems; // what could not be read while listing
};
PickedBots BotsOfPick(const PickedSource& picked);

// Imports `bot`, one of BotsOfPick(picked), into a profile. The report
// starts with how the pick was understood and what of the source could not
// be read.
ImportResult ImportPicked(const PickedSource& picked, const PickedBots& found, const BotEntry& bot,
                          const ImportOptions& options = {});

// Where a bot comes from, for the user: its info file (or character file)
// in its folder or archive, or the real path of the file picked outside the
// game's folders that holds it.
std::string BotFrom(const BotEntry& bot, const PickedSource* picked = nullptr);
// One bot as the user sees it in a list: name, model and where it comes from.
std::string BotListLine(const BotEntry& bot, const PickedSource* picked = nullptr);

} // namespace vexa
