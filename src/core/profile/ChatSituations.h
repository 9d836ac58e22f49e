// Every chat situation a skill block writes, as the Chat Responses editor
// and the chat checks see it: the record's situations, the four the game
// asks for that the record has no slot for, and any other situation a bot
// brought along. Each holds a list of lines (its "rows"): any number, each
// up to the game's 255 characters.
//
// How a situation of the record is stored:
// - While its rows fit the record (at most ten rows after the last filled
//   one, none longer than 79 characters), each row goes to the slot of its
//   place, empty rows included, and nothing is kept beside the record.
// - Otherwise the empty rows are dropped; the record takes the first ten
//   lines that fit it, in their order (what a reader of the record alone
//   gets), and the extras keep the whole list. Loading gives the whole list
//   back while the record still holds exactly those first ten lines.
// Situations without a slot live in the extras alone; empty rows are
// dropped and a situation left without lines is removed.
#pragma once

#include "core/profile/ChatCategory.h"
#include "core/profile/ProfileExtras.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace vexa {

// The situations the game asks for that the record has no slot for, in the
// groups of the Chat Convos editor where their buttons sit.
inline constexpr int kExtraChatSituationCount = 4;
extern const std::array<ChatCategory, kExtraChatSituationCount> kExtraChatSituations;

// One situation of a block with its rows.
struct ChatSituationRows {
    std::string name; // the type name the chat file writes
    int category;     // the record's slot (index in kChatCategories), or -1
    std::vector<std::string> rows;

    bool operator==(const ChatSituationRows&) const = default;
};

// The rows of record situation `category`: the ten slots as they stand
// (without the empty ones after the last filled one) while they hold the
// situation's whole list, else the kept list.
std::vector<std::string> ChatRowsOf(const SkillProfile& block, const LevelExtras& extras,
                                    int category);
// Stores `rows` as the lines of record situation `category` by the rule
// above. Each row is first made a line a profile keeps (ChatRowText).
void StoreChatRows(SkillProfile& block, LevelExtras& extras, int category,
                   const std::vector<std::string>& rows);

// The lines kept for situation `name` without a slot, compared without
// regard to case (the lines of every entry of that name, in order).
std::vector<std::string> KeptRowsOf(const LevelExtras& extras, std::string_view name);
// Replaces them by the filled rows of `rows`, at the place of the first
// entry of that name (else last); no filled row removes the situation.
void StoreKeptRows(LevelExtras& extras, std::string_view name,
                   const std::vector<std::string>& rows);

// Every situation of a block in the order the chat file writes them: the
// record's, then the four of kExtraChatSituations (also when empty), then
// every other kept situation, each name once.
std::vector<ChatSituationRows> ChatSituationsOf(const SkillProfile& block,
                                                const LevelExtras& extras);
// Stores situations as ChatSituationsOf gives them (by name).
void StoreChatSituation(SkillProfile& block, LevelExtras& extras,
                        const ChatSituationRows& situation);

// The caption the editors show for a situation: the record's caption, the
// caption of one of kExtraChatSituations, else the name as the file has it.
std::string ChatSituationCaption(std::string_view name);

// `text` as a profile keeps a chat line: line ends and zero bytes left out,
// cut to kMaxChatMessage characters.
std::string ChatRowText(std::string_view text);

} // namespace vexa
