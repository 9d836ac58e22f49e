// The readers of the two files through which the game knows a bot: the bot
// info files that list it (scripts/*.bot, scripts/bots.txt) and its
// character file. Both the import and the checks of Create Arvon source read
// them here. They read any bytes, keep at most a bounded number of items,
// never recurse, and say what they could not read with the line where it
// happened.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vexa {

// Something a reader could not take, at a line of its file.
struct ReadProblem {
    int line = 0;
    std::string text;
};

// Limits that keep hostile files within bounds.
inline constexpr std::size_t kMaxInfoBlocks = 4096;
inline constexpr std::size_t kMaxInfoValue = 1024;
inline constexpr std::size_t kMaxInfoKeys = 64;
inline constexpr std::size_t kMaxSkillBlocks = 64;
inline constexpr std::size_t kMaxEntriesPerBlock = 512;

// ---- Bot info files (scripts/*.bot, scripts/bots.txt) ----------------------

// The keys of a bot info file that the designer writes and reads.
inline constexpr std::string_view kBotInfoName = "name";
inline constexpr std::string_view kBotInfoModel = "model";
inline constexpr std::string_view kBotInfoAiFile = "aifile";

struct BotInfoBlock {
    int line = 0; // the line of its "{"
    std::string name;
    std::string model;
    std::string aifile;
    std::vector<std::pair<std::string, std::string>> otherKeys; // the other keys, in file order
};

struct BotInfoFile {
    std::vector<BotInfoBlock> blocks;
    std::vector<ReadProblem> problems; // reading stops at the first one
};

// The blocks `{ key value ... }` of an info file. A value is one word (up to
// the next blank) or a quoted text; keys are compared without regard to
// case, and keys other than name, model and aifile are skipped.
BotInfoFile ReadBotInfoFile(std::string_view text);

// ---- Character files --------------------------------------------------------

// A number as written: its sign and digits, kept exact.
struct WrittenNumber {
    bool negative = false;
    std::string text;        // the digits as written, for messages ("0.250", "0x1F")
    bool integer = true;     // false for a number with a point or exponent
    std::uint64_t whole = 0; // integers: the value (saturated)
};

// The value of `number` in units of 10^-decimals, to the nearest, halves
// away from zero, limited to +-10^12. `rounded` tells whether digits were
// dropped.
std::int64_t ScaledValue(const WrittenNumber& number, int decimals, bool& rounded);

struct CharacterEntry {
    int line = 0;
    std::string index;          // the index as written: a characteristic's name or number
    bool indexIsName = false;   // a name (CHARACTERISTIC_AIM_SKILL), else a whole number
    long long indexNumber = -1; // !indexIsName: its value, -1 when too large to be one
    bool isText = false;
    std::string text;     // isText: the decoded text
    WrittenNumber number; // !isText: the number
};

struct SkillBlock {
    int line = 0;
    std::string levelText; // as written ("1", "4.0")
    double level = 0;
    std::vector<CharacterEntry> entries;
};

struct CharacterFile {
    std::vector<SkillBlock> blocks;
    std::vector<ReadProblem> problems; // entries skipped, limits reached
    std::string error;                 // when not empty: the file cannot be read past `errorLine`
    int errorLine = 0;
};

// The `skill N { INDEX VALUE ... }` blocks of a character file. INDEX is a
// characteristic's name or number; VALUE a number (a "-" before it is taken)
// or a quoted text. Directives (#include "chars.h") are skipped.
CharacterFile ReadCharacterFile(std::string_view text);

// The bot's name characteristic, by the name and the number the game gives it.
inline constexpr std::string_view kNameCharacteristic = "CHARACTERISTIC_NAME";
inline constexpr long long kNameCharacteristicIndex = 0;

// The bot that a character file belongs to: the text of its first name
// characteristic (in the skill blocks read before any fault); nothing when
// it has none.
std::optional<std::string> CharacterFileBotName(std::string_view characterFileText);

} // namespace vexa
