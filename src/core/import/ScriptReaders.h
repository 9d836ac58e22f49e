// The readers of the weight and chat files, each on the script tokenizer:
// what a file says, before it is fitted into a profile (the bot info and
// character file readers are in core/game/BotFileReaders.h). They read any bytes, keep
// at most a bounded number of items, never recurse, and say what they could
// not read with the line where it happened.
#pragma once

#include "core/game/BotFileReaders.h"
#include "core/generate/FormatTables.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vexa {

// Limits that keep hostile files within bounds (those of the bot info and
// character files are with their readers).
inline constexpr std::size_t kMaxDefines = 1024;
inline constexpr std::size_t kMaxChatTypes = 512;
inline constexpr std::size_t kMaxMessagesPerType = 1024;
inline constexpr std::size_t kMaxMessageTokens = 4096;

// A bot info value as the bot info reader gives it back once the writer has
// written it (quoted when it holds a blank or a tab).
std::string BotInfoValueAsRead(std::string_view value);

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
    // The files of its #include lines as written ("\"inv.h\"", "<syn.h>"),
    // above the first #define and after it, in file order.
    std::vector<std::string> includesBefore;
    std::vector<std::string> includesAfter;
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
