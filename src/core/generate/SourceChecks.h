// What Create Arvon source checks besides the profile's fields: that the
// game can read every chat line it writes, that it does not replace another
// bot's files unasked, and that the game does not end up with two bots of
// the same name or character file.
#pragma once

#include "core/profile/BotProfile.h"
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
    int category = 0; // index in kChatCategories
    int line = 0;     // 0 to 9: "response 1" to "response 10"
    bool error = true;
    std::string reason;
    int column = 0; // where an error starts in the line (1-based)
};

// Every error and warning of the chat lines the generate command writes:
// the Skill 1 block alone with TabSkill off, all three blocks with it on;
// in block, category and line order, a line's error before its warnings.
// With `names`, unknown random strings are warnings.
std::vector<ChatLineFinding> CheckChatLinesToWrite(const BotProfile& profile, bool tabSkill,
                                                   const RandomStringNames* names = nullptr);
// The first unreadable line that the command would write.
std::optional<ChatLineFinding> FirstUnreadableChatLine(const BotProfile& profile, bool tabSkill);

// "Skill 4, Death Rail, response 3"
std::string ChatFindingPlace(const ChatLineFinding& finding);
// "Skill 4, Death Rail, response 3: expected a comma after the name Hello"
std::string ChatFindingText(const ChatLineFinding& finding);
// One line of `vexa --check`: "Skill 4, death_rail, line 3: error: expected ..."
std::string ChatFindingReportLine(const ChatLineFinding& finding);

// The bot that an existing character file belongs to: the text of its
// first CHARACTERISTIC_NAME line; nothing when it has none.
std::optional<std::string> CharacterFileBotName(std::string_view characterFileText);

// A character file on disk that the command would replace and that names a
// different bot.
struct OtherBotFile {
    std::string path;   // the whole path
    std::string file;   // its file name ("ranger_c.c")
    std::string folder; // the folder holding it, ending in a separator
    std::string bot;    // the bot it names
};
// `settings.BaseDir` in normal form.
std::optional<OtherBotFile> OtherBotsCharacterFile(const BotProfile& profile,
                                                   const AppSettings& settings, PathStyle style);
// "ranger_c.c in /games/base/botfiles/bots/ belongs to the bot Ranger. Replace
// that bot's files?"
std::string ReplaceOtherBotQuestion(const OtherBotFile& file);

// Warnings about other .bot files in the base folder's scripts/ that name
// the same bot or the same character file as this bot's. `settings.BaseDir`
// in normal form. The .bot file of this bot itself is not counted.
std::vector<std::string> DuplicateBotWarnings(const BotProfile& profile,
                                              const AppSettings& settings, PathStyle style);

// The bots of a .bot file's text: each block's name and aifile.
struct BotInfoEntry {
    std::string name;
    std::string aifile;
    bool operator==(const BotInfoEntry&) const = default;
};
std::vector<BotInfoEntry> BotInfoEntries(std::string_view botFileText);

} // namespace vexa
