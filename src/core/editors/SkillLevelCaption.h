#pragma once

#include "core/settings/AppSettings.h"

#include <optional>
#include <string>

namespace vexa {

// Which of the main window's levels an editor follows.
enum class LevelSource {
    Skill,   // SkillLevel, the right tab strip
    Weights, // WeightsSkillLevel, the left tab strip (or following the right one)
};

inline constexpr const char* kAdvSkillsDisabledCaption = "Adv Skills not currently enabled";

// The caption for level 1, 4 or 5; nothing for any other level (the field
// then keeps its text).
std::optional<std::string> SkillLevelCaption(int level);

// The caption an opener puts into an editor before opening it. With
// `disabledWhenNoTabSkill` (the weights editors, chat convos and the File
// Locations dialog) it is the disabled caption while TabSkill is off.
std::optional<std::string> OpeningCaption(const AppSettings& settings, LevelSource source,
                                          bool disabledWhenNoTabSkill);

// The level an editor on `source` works on: SkillLevel, or for the weights
// editors and chat convos WeightsSkillLevel while TabSkill is on and level 1
// while it is off. Every editor asks this one rule.
int EditorLevel(const AppSettings& settings, LevelSource source);

} // namespace vexa
