#pragma once

#include "core/editors/EditorTables.h"
#include "core/profile/BotProfile.h"
#include "core/profile/ChatSituations.h"
#include "core/profile/ProfileExtras.h"
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

inline constexpr std::string_view kChatResponsesChangedMessage = "Chat responses changed";
inline constexpr std::string_view kChatResponsesNotChangedMessage = "Chat responses NOT changed";

// The lines of one chat situation as the Chat Responses editor shows them:
// any number, each up to the game's 255 characters; an empty line holds
// nothing.
using ChatResponses = std::vector<std::string>;

// The working copy of the chat convos editor: every chat situation of the
// weights level with its lines, the record's and the kept ones merged into
// one list each (see ChatSituationsOf for the order and for how a list is
// stored back into the record and its extras).
class ChatConvosModel {
public:
    // Copies the situations of the block of WeightsSkillLevel and of its
    // extras (all empty when the level names no block).
    void Open(const BotProfile& profile, const ProfileExtras& extras, const AppSettings& settings);

    // The situations: indexes 0 to 27 are the record's (kChatCategories),
    // then the four of kExtraChatSituations, then the other kept ones.
    std::size_t situationCount() const { return situations_.size(); }
    const ChatSituationRows& situation(std::size_t index) const { return situations_[index]; }
    // The index of the situation a chat file names `name` (any case, the
    // record's old names included); -1 when the copy has none.
    int FindSituation(std::string_view name) const;

    // The lines of situation `index`; nothing for any other index.
    ChatResponses Responses(int index) const;
    // Replaces all lines of situation `index`; each is made a line a profile
    // keeps (ChatRowText: one line, at most 255 characters).
    void SetResponses(int index, const ChatResponses& lines);

    // OK: stores every situation changed since Open into the block of
    // WeightsSkillLevel, read again now, and its extras. False when the
    // level names no block.
    bool Store(BotProfile& profile, ProfileExtras& extras, const AppSettings& settings) const;
    // "&Apply to All" after its question: on Yes every level gets the
    // working copy's situations and lines (their file and chat names stay);
    // kept situations the copy lacks are removed there.
    std::vector<std::string_view> ApplyToAll(BotProfile& profile, ProfileExtras& extras,
                                             bool yes) const;

private:
    std::vector<ChatSituationRows> situations_;
    std::vector<ChatSituationRows> opened_;
};

} // namespace vexa
