#include "core/profile/ChatSituations.h"

#include "core/util/AsciiText.h"
#include "core/util/FixedText.h"

#include <algorithm>

namespace vexa {

// clang-format off
const std::array<ChatCategory, kExtraChatSituationCount> kExtraChatSituations = {{
    {"death_kamikaze", "", "Death Responses", "Death Kamikaze", "Death Kamikaze", false},
    {"death_teammate", "", "Death Responses", "Death Teammate", "Death Teammate", false},
    {"kill_kamikaze", "", "Kill Responses", "Kill Kamikaze", "Kill Kamikaze", false},
    {"kill_teammate", "", "Kill Responses", "Kill Teammate", "Kill Teammate", false},
}};
// clang-format on

namespace {

constexpr std::size_t kSlotText = kChatLineWidth - 1;

bool SameName(std::string_view a, std::string_view b) {
    return AsciiLower(a) == AsciiLower(b);
}

std::vector<std::string> CleanRows(const std::vector<std::string>& rows) {
    std::vector<std::string> clean;
    clean.reserve(rows.size());
    for (const std::string& row : rows)
        clean.push_back(ChatRowText(row));
    while (!clean.empty() && clean.back().empty())
        clean.pop_back();
    return clean;
}

std::vector<std::string> FilledRows(const std::vector<std::string>& rows) {
    std::vector<std::string> filled;
    std::copy_if(rows.begin(), rows.end(), std::back_inserter(filled),
                 [](const std::string& row) { return !row.empty(); });
    return filled;
}

// Rows the record's slots hold as they stand.
bool FitSlots(const std::vector<std::string>& rows) {
    return rows.size() <= static_cast<std::size_t>(kChatLinesPerCategory) &&
           std::all_of(rows.begin(), rows.end(),
                       [](const std::string& row) { return row.size() <= kSlotText; });
}

} // namespace

std::string ChatRowText(std::string_view text) {
    std::string line;
    for (const char c : text)
        if (c != '\n' && c != '\r' && c != '\0' && line.size() < kMaxChatMessage)
            line += c;
    return line;
}

std::vector<std::string> ChatRowsOf(const SkillProfile& block, const LevelExtras& extras,
                                    int category) {
    std::vector<std::string> lines = ChatLinesOf(block, extras, category);
    if (!FitSlots(lines))
        return lines;
    std::vector<std::string> rows;
    for (const auto& slot : block.chat_lines[category])
        rows.push_back(FieldText(slot));
    while (!rows.empty() && rows.back().empty())
        rows.pop_back();
    return rows;
}

void StoreChatRows(SkillProfile& block, LevelExtras& extras, int category,
                   const std::vector<std::string>& rows) {
    const std::vector<std::string> clean = CleanRows(rows);
    if (!FitSlots(clean))
        return SetChatLines(block, extras, category, FilledRows(clean));
    for (std::size_t l = 0; l < kChatLinesPerCategory; ++l)
        SetFieldText(block.chat_lines[category][l], l < clean.size() ? clean[l] : std::string());
    std::erase_if(extras.chat, [category](const KeptChat& chat) {
        return ChatCategoryIndex(chat.situation) == category;
    });
}

std::vector<std::string> KeptRowsOf(const LevelExtras& extras, std::string_view name) {
    std::vector<std::string> rows;
    for (const KeptChat& chat : extras.chat)
        if (SameName(chat.situation, name))
            rows.insert(rows.end(), chat.lines.begin(), chat.lines.end());
    return rows;
}

void StoreKeptRows(LevelExtras& extras, std::string_view name,
                   const std::vector<std::string>& rows) {
    const auto first =
        std::find_if(extras.chat.begin(), extras.chat.end(),
                     [name](const KeptChat& chat) { return SameName(chat.situation, name); });
    const std::size_t place = static_cast<std::size_t>(first - extras.chat.begin());
    KeptChat kept{first != extras.chat.end() ? first->situation : std::string(name),
                  FilledRows(CleanRows(rows))};
    std::vector<KeptChat> chat;
    for (std::size_t i = 0; i <= extras.chat.size(); ++i) {
        if (i == place && !kept.lines.empty())
            chat.push_back(kept);
        if (i < extras.chat.size() && !SameName(extras.chat[i].situation, name))
            chat.push_back(std::move(extras.chat[i]));
    }
    extras.chat = std::move(chat);
}

std::vector<ChatSituationRows> ChatSituationsOf(const SkillProfile& block,
                                                const LevelExtras& extras) {
    std::vector<ChatSituationRows> situations;
    for (int c = 0; c < kChatCategoryCount; ++c)
        situations.push_back({std::string(kChatCategories[static_cast<std::size_t>(c)].typeName), c,
                              ChatRowsOf(block, extras, c)});
    const auto listed = [&situations](std::string_view name) {
        return std::any_of(situations.begin(), situations.end(),
                           [name](const ChatSituationRows& s) { return SameName(s.name, name); });
    };
    for (const ChatCategory& extra : kExtraChatSituations)
        situations.push_back({std::string(extra.typeName), -1, KeptRowsOf(extras, extra.typeName)});
    for (const KeptChat* kept : ExtraSituations(extras))
        if (!listed(kept->situation))
            situations.push_back({kept->situation, -1, KeptRowsOf(extras, kept->situation)});
    return situations;
}

void StoreChatSituation(SkillProfile& block, LevelExtras& extras,
                        const ChatSituationRows& situation) {
    const int category = ChatCategoryIndex(situation.name);
    if (category >= 0)
        StoreChatRows(block, extras, category, situation.rows);
    else if (IsKeptName(situation.name))
        StoreKeptRows(extras, situation.name, situation.rows);
}

std::string ChatSituationCaption(std::string_view name) {
    if (const int category = ChatCategoryIndex(name); category >= 0)
        return std::string(kChatCategories[static_cast<std::size_t>(category)].caption);
    for (const ChatCategory& extra : kExtraChatSituations)
        if (SameName(extra.typeName, name))
            return std::string(extra.caption);
    return std::string(name);
}

} // namespace vexa
