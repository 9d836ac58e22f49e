#pragma once

#include "core/editors/EditorTables.h"
#include "core/profile/BotProfile.h"
#include "core/settings/AppSettings.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vexa {

// The question and messages of "&Apply to All".
inline constexpr std::string_view kApplyToAllQuestion = "Apply these settings to all skill levels?";
inline constexpr std::string_view kApplyToAllTitle = "Apply to all?";
inline constexpr std::string_view kAppliedToAllMessage =
    "These settings have been applied to all skill levels";
inline constexpr std::string_view kNotAppliedToAllMessage = "Settings NOT applied to all";
inline constexpr std::string_view kNamesCopiedMessage = "no problem copying names...";

// The chat name a chat settings editor proposes for a block: its stored
// `chat_name`, or else the file-name form of the bot's name (no level digit).
std::string ProposedChatName(const BotProfile& profile, const SkillProfile& block);

// The working copy of a slider editor while it is open: one slider position
// and one text per binding (plus the chat name for the chat settings
// editor). The texts are what OK and "&Apply to All" store; the positions
// only decide what a released slider shows.
class SliderEditorModel {
public:
    explicit SliderEditorModel(const EditorTable& table);

    const EditorTable& table() const { return table_; }
    std::size_t size() const { return table_.bindings.size(); }
    const ValueBinding& binding(std::size_t i) const { return table_.bindings[i]; }

    // Opening: reads the editor's level and sets every slider to its field's
    // value (the nearer end of the range when outside it) and every text to
    // the text of that position. A level that names no block opens every
    // slider at the start of its range.
    void Open(const BotProfile& profile, const AppSettings& settings);

    int position(std::size_t i) const { return positions_[i]; }
    const std::string& text(std::size_t i) const { return texts_[i]; }
    const std::string& chatName() const { return chatName_; }

    // The content of text box i as it stands.
    void SetText(std::size_t i, std::string text);
    // The user typed into text box i: SetText, and for a binding whose
    // typing moves its slider, the slider goes to the typed value (clamped,
    // not snapped). Returns whether the slider moved.
    bool TypeText(std::size_t i, std::string text);
    void SetChatName(std::string name);

    // The slider moved without being released (keys, wheel, dragging): its
    // position changes, its text does not.
    void MoveSlider(std::size_t i, int position);
    // The slider was released: it snaps to its line size unless `fineTune`,
    // and its text shows the new position.
    void ReleaseSlider(std::size_t i, bool fineTune);

    // Stores every text, read with its scale, into `block` (and the chat
    // name, for the chat settings editor).
    void StoreInto(SkillProfile& block) const;
    // OK: reads the editor's level again and stores into its block. False
    // (nothing stored) when the level names no block.
    bool Store(BotProfile& profile, const AppSettings& settings) const;
    // "&Apply to All" after its question was answered: on Yes stores into
    // the levels 1, 4 and 5 in this order. Returns the messages to show, in
    // order.
    std::vector<std::string_view> ApplyToAll(BotProfile& profile, bool yes) const;

private:
    const EditorTable& table_;
    std::vector<int> positions_;
    std::vector<std::string> texts_;
    std::string chatName_;
};

// The chat part of one skill block: the working copy of the chat convos
// editor.
struct ChatPart {
    char chat_file[20];
    char chat_name[20];
    char chat_lines[kChatCategoryCount][kChatLinesPerCategory][kChatLineWidth];
};

inline constexpr std::string_view kChatResponsesChangedMessage = "Chat responses changed";
inline constexpr std::string_view kChatResponsesNotChangedMessage = "Chat responses NOT changed";

using ChatResponses = std::array<std::string, kChatLinesPerCategory>;

class ChatConvosModel {
public:
    ChatConvosModel();

    // Copies the chat part of the block of WeightsSkillLevel (all empty when
    // the level names no block).
    void Open(const BotProfile& profile, const AppSettings& settings);

    const ChatPart& workingCopy() const { return part_; }
    // The ten lines of a category (0 to 27); nothing for any other index.
    ChatResponses Responses(int category) const;
    // Replaces all ten lines of a category; each is cut to the line width.
    void SetResponses(int category, const ChatResponses& lines);

    // OK: copies the working copy into the block of WeightsSkillLevel, read
    // again now. False when the level names no block.
    bool Store(BotProfile& profile, const AppSettings& settings) const;
    // "&Apply to All" after its question: on Yes the working copy's chat
    // lines go into all three levels (their file and chat names stay).
    std::vector<std::string_view> ApplyToAll(BotProfile& profile, bool yes) const;

private:
    ChatPart part_;
};

} // namespace vexa
