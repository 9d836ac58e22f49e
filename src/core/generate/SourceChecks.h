// What Create Arvon source checks besides the profile's fields: that the
// game can read every chat line it writes, that it does not replace another
// bot's files unasked, and that the game does not end up with two bots of
// the same name or character file. The game's files are seen through a
// GameFileSource that the caller gives: the base folder with its archives.
#pragma once

#include "core/game/GameFileSource.h"
#include "core/profile/BotProfile.h"
#include "core/profile/ProfileExtras.h"
#include "core/script/ChatLine.h"
#include "core/settings/AppSettings.h"
#include "core/util/Paths.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vexa {

// One chat line the game cannot read (an error) or reads with a warning.
struct ChatLineFinding {
    int block = 0;    // 0, 1, 2 for Skill 1, 4, 5
    int category = 0; // index in kChatCategories; -1 for a situation kept beside the record
    int line = 0;     // 0 for "response 1" (the line's place in the Chat Responses editor)
    bool error = true;
    std::string reason;
    int column = 0;        // where an error starts in the line (1-based)
    std::string situation; // the type name the chat file writes ("death_rail")
};

// Every error and warning of the chat lines the generate command writes,
// the record's and those kept beside it: the Skill 1 block alone with
// TabSkill off, all three blocks with it on; in block, situation
// (ChatSituationsOf) and line order, a line's error before its warnings.
// With `names`, a random string that is not among them is an error.
std::vector<ChatLineFinding> CheckChatLinesToWrite(const BotProfile& profile,
                                                   const ProfileExtras& extras, bool tabSkill,
                                                   const RandomStringNames* names = nullptr);
// The first unreadable line that the command would write; with `names`, a
// line naming a random string that is not among them counts as unreadable.
std::optional<ChatLineFinding> FirstUnreadableChatLine(const BotProfile& profile,
                                                       const ProfileExtras& extras, bool tabSkill,
                                                       const RandomStringNames* names = nullptr);

// "Skill 4, Death Rail, response 3"
std::string ChatFindingPlace(const ChatLineFinding& finding);
// "Skill 4, Death Rail, response 3: expected a comma after the name Hello"
std::string ChatFindingText(const ChatLineFinding& finding);
// One line of `vexa --check`: "Skill 4, death_rail, line 3: error: expected ..."
std::string ChatFindingReportLine(const ChatLineFinding& finding);

// A character file that the command would replace, or whose place in the
// game the file it writes would take (a file of that path inside one of the
// base folder's archives, such as a stock bot's), and that names another bot.
struct OtherBotFile {
    std::string path;         // the whole path the command writes
    std::string file;         // its file name ("ranger_c.c")
    std::string folder;       // the folder holding it, ending in a separator
    std::string bot;          // the bot it names
    std::string archive;      // the archive holding the file the game reads now; empty
                              // when that is the loose file the command replaces
    std::string relativePath; // the game's relative path ("botfiles/bots/ranger_c.c")
};
// `settings.BaseDir` in normal form; `game` the base folder as the game sees it.
// `extras`: what the bot keeps beyond its record (a whole main file name).
std::optional<OtherBotFile> OtherBotsCharacterFile(const BotProfile& profile,
                                                   const AppSettings& settings, PathStyle style,
                                                   const GameFileSource& game,
                                                   const ProfileExtras& extras = NoExtras());
// Where that file is: "ranger_c.c in /games/base/botfiles/bots/", or
// "botfiles/bots/brute_c.c in /games/base/pak0.pk3".
std::string OtherBotFilePlace(const OtherBotFile& file);
// "ranger_c.c in /games/base/botfiles/bots/ belongs to the bot Ranger. Replace
// that bot's files?"; for a file in an archive the question says that the new
// file takes its place in the game.
std::string ReplaceOtherBotQuestion(const OtherBotFile& file);

// Warnings about the bots the game lists (scripts/bots.txt and every
// scripts/*.bot, loose and in the base folder's archives, see ListGameBots)
// that bear this bot's name, or that the game adds with this bot's character
// file. `settings.BaseDir` in normal form. The .bot file this bot writes is
// not counted: the written one takes its place.
std::vector<std::string> DuplicateBotWarnings(const BotProfile& profile,
                                              const AppSettings& settings, PathStyle style,
                                              const GameFileSource& game,
                                              const ProfileExtras& extras = NoExtras());

// The game's relative path of `path`, a path below the base folder
// `settings.BaseDir` (in normal form); nothing for a path outside it.
std::optional<std::string> GamePathOf(const std::string& path, const AppSettings& settings,
                                      PathStyle style);

} // namespace vexa
