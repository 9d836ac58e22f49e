// The bots the game lists: every block of scripts/bots.txt and of every
// scripts/*.bot, loose or inside an archive (each file as the game finds it),
// in the order the game reads them.
#pragma once

#include "core/game/GameFileSource.h"

#include <string>
#include <utility>
#include <vector>

namespace vexa {

// The file the game reads its bots from first, before every scripts/*.bot.
inline constexpr std::string_view kBotsListFile = "scripts/bots.txt";

// One bot that an info file lists.
struct BotEntry {
    std::string name;     // the name the game lists it by (may be empty)
    std::string model;    // its player model (may be empty)
    std::string aifile;   // its character file, relative to botfiles/ ("bots/ranger_c.c")
    std::string infoFile; // the info file listing it ("scripts/ranger.bot", "scripts/bots.txt");
                          // empty for a character file opened on its own
    std::string origin;   // where the info file comes from, for the user (a folder or archive)
    int block = 0;        // which block of the info file, 0 for the first
    std::vector<std::pair<std::string, std::string>> otherKeys; // its other keys (funname, ...)
};

// Something in an info file that kept a bot from the list.
struct BotListProblem {
    std::string file; // the info file's relative path
    int line = 0;     // 0 when the file as a whole cannot be read
    std::string text;
};

// Every bot listed by the info files of `source`, in the order in which the
// game reads them: scripts/bots.txt first, then each scripts/*.bot in order
// of its path (without regard to case), each file's blocks in order. Blocks
// without an aifile are left out. An info file that cannot be read or
// parsed adds an entry to `problems` (when given) and the bots read before
// the fault are kept. Of bots that share a name the game adds the first
// only (see IsFirstOfItsName).
std::vector<BotEntry> ListGameBots(const GameFileSource& source,
                                   std::vector<BotListProblem>* problems = nullptr);

// Whether the game adds bots[index]: no bot before it in `bots` has the same
// name, compared without regard to case.
bool IsFirstOfItsName(const std::vector<BotEntry>& bots, std::size_t index);

} // namespace vexa
