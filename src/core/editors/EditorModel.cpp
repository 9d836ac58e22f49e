#include "core/editors/EditorModel.h"

#include "core/game/FileNames.h"
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

ChatConvosModel::ChatConvosModel() : part_{} {}

void ChatConvosModel::Open(const BotProfile& profile, const AppSettings& settings) {
    part_ = ChatPart{};
    if (const SkillProfile* block =
            BlockForLevel(profile, EditorLevel(settings, LevelSource::Weights))) {
        std::memcpy(part_.chat_file, block->chat_file, sizeof part_.chat_file);
        std::memcpy(part_.chat_name, block->chat_name, sizeof part_.chat_name);
        std::memcpy(part_.chat_lines, block->chat_lines, sizeof part_.chat_lines);
    }
}

ChatResponses ChatConvosModel::Responses(int category) const {
    ChatResponses lines;
    if (category < 0 || category >= kChatCategoryCount)
        return lines;
    for (int l = 0; l < kChatLinesPerCategory; ++l)
        lines[l] = FieldText(part_.chat_lines[category][l]);
    return lines;
}

void ChatConvosModel::SetResponses(int category, const ChatResponses& lines) {
    if (category < 0 || category >= kChatCategoryCount)
        return;
    for (int l = 0; l < kChatLinesPerCategory; ++l)
        SetFieldText(part_.chat_lines[category][l], lines[l]);
}

bool ChatConvosModel::Store(BotProfile& profile, const AppSettings& settings) const {
    SkillProfile* block = BlockForLevel(profile, EditorLevel(settings, LevelSource::Weights));
    if (!block)
        return false;
    std::memcpy(block->chat_file, part_.chat_file, sizeof part_.chat_file);
    std::memcpy(block->chat_name, part_.chat_name, sizeof part_.chat_name);
    std::memcpy(block->chat_lines, part_.chat_lines, sizeof part_.chat_lines);
    return true;
}

std::vector<std::string_view> ChatConvosModel::ApplyToAll(BotProfile& profile, bool yes) const {
    if (!yes)
        return {kNotAppliedToAllMessage};
    for (int level : kSkillLevels)
        std::memcpy(BlockForLevel(profile, level)->chat_lines, part_.chat_lines,
                    sizeof part_.chat_lines);
    return {kAppliedToAllMessage};
}

} // namespace vexa
