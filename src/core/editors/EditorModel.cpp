#include "core/editors/EditorModel.h"

#include "core/game/FileNames.h"
#include "core/util/AsciiText.h"
#include "core/util/FixedText.h"

#include <cstring>
#include <utility>

namespace vexa {

bool ShowsApplyToAll(const AppSettings& settings, LevelSource level) {
    if (level == LevelSource::Weights)
        return settings.TabSkill && settings.ApplyAll;
    return settings.ApplyAll;
}

std::optional<std::string> EditorCaption(const AppSettings& settings, const EditorInfo& info) {
    return OpeningCaption(settings, info.level, info.level == LevelSource::Weights);
}

std::string ProposedChatName(const BotProfile& profile, const SkillProfile& block) {
    if (!FieldIsEmpty(block.chat_name))
        return FieldText(block.chat_name);
    return FileNameForm(FieldText(profile.name));
}

SliderEditorModel::SliderEditorModel(const EditorTable& table)
    : table_(table), positions_(table.bindings.size(), 0), texts_(table.bindings.size()) {
    for (std::size_t i = 0; i < size(); ++i)
        texts_[i] = FormatScaledValue(0, binding(i).slider.scale);
}

void SliderEditorModel::Open(const BotProfile& profile, const AppSettings& settings) {
    const SkillProfile* block = BlockForLevel(profile, EditorLevel(settings, table_.info.level));
    for (std::size_t i = 0; i < size(); ++i) {
        const ValueBinding& b = binding(i);
        positions_[i] = ClampToRange(block ? block->*b.field : b.slider.min, b.slider);
        texts_[i] = FormatScaledValue(positions_[i], b.slider.scale);
    }
    chatName_ = table_.hasChatName && block ? ProposedChatName(profile, *block) : std::string();
}

void SliderEditorModel::SetText(std::size_t i, std::string text) {
    texts_[i] = std::move(text);
}

bool SliderEditorModel::TypeText(std::size_t i, std::string text) {
    texts_[i] = std::move(text);
    const ValueBinding& b = binding(i);
    if (!b.typingMovesSlider)
        return false;
    positions_[i] = ClampToRange(ParseScaledValue(texts_[i], b.slider.scale), b.slider);
    return true;
}

void SliderEditorModel::SetChatName(std::string name) {
    chatName_ = std::move(name);
}

void SliderEditorModel::MoveSlider(std::size_t i, int position) {
    positions_[i] = ClampToRange(position, binding(i).slider);
}

void SliderEditorModel::ReleaseSlider(std::size_t i, bool fineTune) {
    const SliderParams& s = binding(i).slider;
    if (!fineTune)
        positions_[i] = ClampToRange(SnapSlider(positions_[i], s.lineSize), s);
    texts_[i] = FormatScaledValue(positions_[i], s.scale);
}

void SliderEditorModel::StoreInto(SkillProfile& block) const {
    for (std::size_t i = 0; i < size(); ++i)
        block.*binding(i).field = ParseScaledValue(texts_[i], binding(i).slider.scale);
    if (table_.hasChatName)
        SetFieldText(block.chat_name, chatName_);
}

bool SliderEditorModel::Store(BotProfile& profile, const AppSettings& settings) const {
    SkillProfile* block = BlockForLevel(profile, EditorLevel(settings, table_.info.level));
    if (!block)
        return false;
    StoreInto(*block);
    return true;
}

std::vector<std::string_view> SliderEditorModel::ApplyToAll(BotProfile& profile, bool yes) const {
    if (!yes)
        return {kNotAppliedToAllMessage};
    std::vector<std::string_view> messages;
    if (table_.hasChatName) {
        // The chat settings editor copies the names first, with a word of
        // its own.
        for (int level : kSkillLevels)
            SetFieldText(BlockForLevel(profile, level)->chat_name, chatName_);
        messages.push_back(kNamesCopiedMessage);
    }
    for (int level : kSkillLevels)
        StoreInto(*BlockForLevel(profile, level));
    messages.push_back(kAppliedToAllMessage);
    return messages;
}

void ChatConvosModel::Open(const BotProfile& profile, const ProfileExtras& extras,
                           const AppSettings& settings) {
    const int level = EditorLevel(settings, LevelSource::Weights);
    if (const SkillProfile* block = BlockForLevel(profile, level))
        situations_ = ChatSituationsOf(
            *block, extras.levels[static_cast<std::size_t>(BlockIndexForLevel(level))]);
    else
        situations_ = ChatSituationsOf(SkillProfile{}, LevelExtras{});
    opened_ = situations_;
}

int ChatConvosModel::FindSituation(std::string_view name) const {
    const int category = ChatCategoryIndex(name);
    const std::string key = AsciiLower(name);
    for (std::size_t i = 0; i < situations_.size(); ++i)
        if (category >= 0 ? situations_[i].category == category
                          : AsciiLower(situations_[i].name) == key)
            return static_cast<int>(i);
    return -1;
}

ChatResponses ChatConvosModel::Responses(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= situations_.size())
        return {};
    return situations_[static_cast<std::size_t>(index)].rows;
}

void ChatConvosModel::SetResponses(int index, const ChatResponses& lines) {
    if (index < 0 || static_cast<std::size_t>(index) >= situations_.size())
        return;
    ChatResponses& rows = situations_[static_cast<std::size_t>(index)].rows;
    rows.clear();
    for (const std::string& line : lines)
        rows.push_back(ChatRowText(line));
    while (!rows.empty() && rows.back().empty())
        rows.pop_back();
}

bool ChatConvosModel::Store(BotProfile& profile, ProfileExtras& extras,
                            const AppSettings& settings) const {
    const int level = EditorLevel(settings, LevelSource::Weights);
    SkillProfile* block = BlockForLevel(profile, level);
    if (!block)
        return false;
    LevelExtras& kept = extras.levels[static_cast<std::size_t>(BlockIndexForLevel(level))];
    // A situation the user left as it was stays exactly as it is stored.
    for (std::size_t i = 0; i < situations_.size(); ++i)
        if (situations_[i] != opened_[i])
            StoreChatSituation(*block, kept, situations_[i]);
    return true;
}

std::vector<std::string_view> ChatConvosModel::ApplyToAll(BotProfile& profile,
                                                          ProfileExtras& extras, bool yes) const {
    if (!yes)
        return {kNotAppliedToAllMessage};
    for (int level : kSkillLevels) {
        SkillProfile& block = *BlockForLevel(profile, level);
        LevelExtras& kept = extras.levels[static_cast<std::size_t>(BlockIndexForLevel(level))];
        for (ChatSituationRows other : ChatSituationsOf(block, kept))
            if (FindSituation(other.name) < 0) {
                other.rows.clear();
                StoreChatSituation(block, kept, other);
            }
        for (const ChatSituationRows& situation : situations_)
            StoreChatSituation(block, kept, situation);
    }
    return {kAppliedToAllMessage};
}

} // namespace vexa
