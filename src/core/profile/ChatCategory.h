#pragma once

#include "core/profile/BotProfile.h"

#include <array>
#include <string_view>

namespace vexa {

// One of the fixed chat situations of the game. Its index in
// kChatCategories is the first index of `SkillProfile::chat_lines`.
struct ChatCategory {
    std::string_view typeName;    // written as the chat file's `type "..."`
    std::string_view description; // written as the comment after the type name
    std::string_view group;       // frame of the Chat Convos editor holding its button
    std::string_view buttonLabel; // the button's text in that editor
    std::string_view caption;     // shown after "Chat Responses for:"
    bool opensGroup;              // the chat file puts a separator before it
};

extern const std::array<ChatCategory, kChatCategoryCount> kChatCategories;

// The slot of the situation the game calls enemy_suicide (another player
// killed himself); its caption is "Kill Suicide".
inline constexpr int kEnemySuicideCategory = 23;

// The index of the situation a chat file names `typeName`, compared without
// regard to case; kill_suicide, the name earlier files used, gives the
// enemy_suicide slot. -1 for any other name.
int ChatCategoryIndex(std::string_view typeName);

} // namespace vexa
