// The readers of the game's bot files, each on the script tokenizer: what a
// file says, before it is fitted into a profile. They read any bytes, keep
// at most a bounded number of items, never recurse, and say what they could
// not read with the line where it happened.
#pragma once

#include "core/generate/FormatTables.h"

#include <cstdint>
#include <string>
#include <string_view>
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
inline constexpr std::size_t kMaxDefines = 1024;
inline constexpr std::size_t kMaxChatTypes = 512;
inline constexpr std::size_t kMaxMessagesPerType = 1024;
inline constexpr std::size_t kMaxMessageTokens = 4096;

// ---- Bot info files (scripts/*.bot, scripts/bots.txt) ----------------------

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
// case; keys other than name, model and aifile are kept in `otherKeys`.
BotInfoFile ReadBotInfoFile(std::string_view text);

// A value as the bot info reader gives it back once the writer has written
// it (quoted when it holds a blank or a tab).
std::string BotInfoValueAsRead(std::string_view value);

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
    const CharacteristicFormat* format =
        nullptr;       // nullptr: not a characteristic the designer knows
    std::string index; // the index as written, for messages
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

// ---- Weight files ------------------------------------------------------------

struct WeightValue {
    int line = 0;
    std::string name;
    std::string value; // the value as written
};

struct WeightsFile {
    // Whether the file has the designer's form: only #include and #define
    // lines, and the include of `script`.
    bool defineForm = false;
    std::string whyNot; // when !defineForm, why, in the user's words
    int whyNotLine = 0;
    std::vector<WeightValue> defines; // in file order
};

// The #define lines of a weight file whose logic is the game's `script`
// (kWeaponWeightsScript or kItemWeightsScript).
WeightsFile ReadWeightsFile(std::string_view text, std::string_view script);

// A #define's value as a whole number, to the nearest (halves away from
// zero), limited to +-10^12. False when it is not a plain number.
bool WeightNumber(std::string_view value, std::int64_t& number, bool& rounded);

// ---- Chat files ---------------------------------------------------------------

// One chat line as the file has it: the messages of one line of the file,
// as written (the text the designer stores and writes back).
struct ChatLineText {
    int line = 0;
    std::string text;
    std::vector<std::string> messages; // each message alone, for a line too long as a whole
    std::string problem;               // when not empty: why it cannot be a chat line
};

struct ChatType {
    int line = 0;
    std::string name;
    std::vector<ChatLineText> lines;
};

struct ChatFile {
    std::vector<std::string> chatNames; // every chat block's name, in file order
    bool found = false;                 // the wanted chat block is in the file
    int foundLine = 0;
    std::vector<ChatType> types; // the wanted block's type blocks
    std::vector<ReadProblem> problems;
};

// The type blocks of the chat block named `chatName` (compared without
// regard to case; the first of that name). Messages that share a line of
// the file make one chat line, as the designer writes them.
ChatFile ReadChatFile(std::string_view text, std::string_view chatName);

} // namespace vexa
