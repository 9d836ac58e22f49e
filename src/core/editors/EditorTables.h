#pragma once

#include "core/editors/SkillLevelCaption.h"
#include "core/editors/SliderValue.h"
#include "core/profile/BotProfile.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace vexa {

// One slider-and-text pair of an editor: what it shows, which field of the
// level's block it reads and stores, and where it sits in the form.
struct ValueBinding {
    std::string_view label;
    std::int32_t SkillProfile::*field;
    SliderParams slider;
    bool digitsOnly = false; // the text box accepts digits only
    int group = 0;           // index into the editor's group box titles
    int column = 0;          // 0 left, 1 right
    bool typingMovesSlider = false;
};

// What an opener needs to know about an editor.
struct EditorInfo {
    std::string_view title;
    LevelSource level;
    std::string_view changedMessage;    // after OK
    std::string_view notChangedMessage; // after any other close
};

// A slider editor: its bindings in tab order and its group boxes.
struct EditorTable {
    EditorInfo info;
    std::span<const std::string_view> groups;
    std::span<const ValueBinding> bindings;
    bool hasChatName = false; // the chat settings editor's "Chat name:" field
};

// "&Apply to All" is offered on Skill editors when ApplyAll is on, on the
// Weights editors only when TabSkill is on as well.
bool ShowsApplyToAll(const AppSettings& settings, LevelSource level);

// The caption an opener gives this editor (nothing: keep the old one).
std::optional<std::string> EditorCaption(const AppSettings& settings, const EditorInfo& info);

namespace editor_tables {

using P = SkillProfile;
inline constexpr SliderParams F = kFractionSlider;
inline constexpr SliderParams W = kWeightSlider;

inline constexpr std::array<std::string_view, 1> kSkillSettingsGroups{"Skill Settings"};
inline constexpr std::array<ValueBinding, 7> kSkillSettingsBindings{{
    {"Attack Skill:", &P::attack_skill, F, false, 0, 0, true},
    {"Aim Accuracy:", &P::aim_accuracy, F, false, 0, 0},
    {"View Max Change:", &P::view_maxchange, kViewChangeSlider, false, 0, 0},
    {"Firethrottle:", &P::firethrottle, F, false, 0, 0},
    {"Aim Skill:", &P::aim_skill, F, false, 0, 1},
    {"View Factor:", &P::view_factor, F, false, 0, 1},
    {"Reaction Time:", &P::reactiontime, kReactionTimeSlider, false, 0, 1},
}};

inline constexpr std::array<std::string_view, 2> kWeaponAimGroups{"Aim Accuracy", "Aim Skill"};
inline constexpr std::array<ValueBinding, 12> kWeaponAimBindings{{
    {"Machinegun:", &P::aim_accuracy_machinegun, F, false, 0, 0},
    {"Rocket Launcher:", &P::aim_accuracy_rocketlauncher, F, false, 0, 0},
    {"Lightning Gun:", &P::aim_accuracy_lightning, F, false, 0, 0},
    {"Railgun:", &P::aim_accuracy_railgun, F, false, 0, 0},
    {"Shotgun:", &P::aim_accuracy_shotgun, F, false, 0, 1},
    {"Grenade Launcher:", &P::aim_accuracy_grenadelauncher, F, false, 0, 1},
    {"Plasma Gun:", &P::aim_accuracy_plasmagun, F, false, 0, 1},
    {"BFG10K:", &P::aim_accuracy_bfg10k, F, false, 0, 1},
    {"Rocket Launcher:", &P::aim_skill_rocketlauncher, F, false, 1, 0},
    {"Plasma Gun:", &P::aim_skill_plasmagun, F, false, 1, 0},
    {"Grenade Launcher:", &P::aim_skill_grenadelauncher, F, false, 1, 1},
    {"BFG10K:", &P::aim_skill_bfg10k, F, false, 1, 1},
}};

inline constexpr std::array<std::string_view, 1> kPersonalityGroups{"Personality Settings"};
inline constexpr std::array<ValueBinding, 11> kPersonalityBindings{{
    {"Croucher:", &P::croucher, F, false, 0, 0},
    {"Walker:", &P::walker, F, false, 0, 0},
    {"Grapple User:", &P::grapple_user, F, false, 0, 0},
    {"Self Preservation:", &P::selfpreservation, F, false, 0, 0},
    {"Camper:", &P::camper, F, false, 0, 0},
    {"Alertness:", &P::alertness, F, false, 0, 0},
    {"Jumper:", &P::jumper, F, false, 0, 1},
    {"Weapon Jumper:", &P::weaponjumping, F, false, 0, 1},
    {"Aggression:", &P::aggression, F, false, 0, 1},
    {"Vengefulness:", &P::vengefulness, F, false, 0, 1},
    {"Easy Fragger:", &P::easy_fragger, F, false, 0, 1},
}};

inline constexpr std::array<std::string_view, 1> kWeaponPreferencesGroups{"Weapon Preferences"};
inline constexpr std::array<ValueBinding, 10> kWeaponWeightsBindings{{
    {"Gauntlet:", &P::weapon_gauntlet, W, true, 0, 0},
    {"Machinegun:", &P::weapon_machinegun, W, true, 0, 0},
    {"Rocket Launcher:", &P::weapon_rocketlauncher, W, true, 0, 0},
    {"BFG10K:", &P::weapon_bfg10k, W, true, 0, 0},
    {"Plasma Gun:", &P::weapon_plasmagun, W, true, 0, 0},
    {"Shotgun:", &P::weapon_shotgun, W, true, 0, 1},
    {"Grenade Launcher:", &P::weapon_grenadelauncher, W, true, 0, 1},
    {"Railgun:", &P::weapon_railgun, W, true, 0, 1},
    {"Lightning Gun:", &P::weapon_lightning, W, true, 0, 1},
    {"Grapple:", &P::weapon_grapple, W, true, 0, 1},
}};

inline constexpr std::array<std::string_view, 2> kItemWeightsGroups{
    "Inital Health and Armor Weights", "Initial Flag Weight"};
inline constexpr std::array<ValueBinding, 3> kItemWeightsBindings{{
    {"Health:", &P::item_fs_health, W, true, 0, 0},
    {"Armor:", &P::item_fs_armor, W, true, 0, 1},
    {"Flag:", &P::item_flag_weight, W, true, 1, 0},
}};

inline constexpr std::array<ValueBinding, 8> kInitialWeaponWeightsBindings{{
    {"Machinegun:", &P::item_w_machinegun, W, true, 0, 0},
    {"Rocket Launcher:", &P::item_w_rocketlauncher, W, true, 0, 0},
    {"BFG10K:", &P::item_w_bfg10k, W, true, 0, 0},
    {"Plasma Gun:", &P::item_w_plasmagun, W, true, 0, 0},
    {"Shotgun:", &P::item_w_shotgun, W, true, 0, 1},
    {"Grenade Launcher:", &P::item_w_grenadelauncher, W, true, 0, 1},
    {"Railgun:", &P::item_w_railgun, W, true, 0, 1},
    {"Lightning Gun:", &P::item_w_lightning, W, true, 0, 1},
}};

inline constexpr std::array<ValueBinding, 8> kCollectedWeaponWeightsBindings{{
    {"Machinegun:", &P::item_gww_machinegun, W, true, 0, 0},
    {"Rocket Launcher:", &P::item_gww_rocketlauncher, W, true, 0, 0},
    {"BFG10K:", &P::item_gww_bfg10k, W, true, 0, 0},
    {"Plasma Gun:", &P::item_gww_plasmagun, W, true, 0, 0},
    {"Shotgun:", &P::item_gww_shotgun, W, true, 0, 1},
    {"Grenade Launcher:", &P::item_gww_grenadelauncher, W, true, 0, 1},
    {"Railgun:", &P::item_gww_railgun, W, true, 0, 1},
    {"Lightning Gun:", &P::item_gww_lightning, W, true, 0, 1},
}};

inline constexpr std::array<std::string_view, 1> kPowerupGroups{"Item Weights"};
inline constexpr std::array<ValueBinding, 8> kInitialPowerupWeightsBindings{{
    {"Teleporter:", &P::item_w_teleporter, W, true, 0, 0},
    {"Quad Damge:", &P::item_w_quad, W, true, 0, 0},
    {"Haste:", &P::item_w_haste, W, true, 0, 0},
    {"Regeneration:", &P::item_w_regen, W, true, 0, 0},
    {"Medkit:", &P::item_w_medkit, W, true, 0, 1},
    {"Battle Suit:", &P::item_w_enviro, W, true, 0, 1},
    {"Invisibility:", &P::item_w_invisibility, W, true, 0, 1},
    {"Flight:", &P::item_w_flight, W, true, 0, 1},
}};

inline constexpr std::array<std::string_view, 1> kChatSettingsGroups{"Chat Settings"};
inline constexpr std::array<ValueBinding, 13> kChatSettingsBindings{{
    {"Characters Per Minute:", &P::chat_cpm, kChatCpmSlider, true, 0, 0},
    {"Misc.:", &P::chat_misc, F, false, 0, 0},
    {"Enter/Exit Game:", &P::chat_enterexitgame, F, false, 0, 0},
    {"Death:", &P::chat_death, F, false, 0, 0},
    {"Hit Talking:", &P::chat_hittalking, F, false, 0, 0},
    {"Hit No Kill:", &P::chat_hitnokill, F, false, 0, 0},
    {"Reply:", &P::chat_reply, F, false, 0, 0},
    {"Insults:", &P::chat_insult, F, false, 0, 1},
    {"Start/End Level:", &P::chat_startendlevel, F, false, 0, 1},
    {"Kill:", &P::chat_kill, F, false, 0, 1},
    {"Enemy Suicide:", &P::chat_enemysuicide, F, false, 0, 1},
    {"Hit No Death:", &P::chat_hitnodeath, F, false, 0, 1},
    {"Random:", &P::chat_random, F, false, 0, 1},
}};

} // namespace editor_tables

inline constexpr EditorTable kSkillSettingsEditor{
    {"Skill Settings", LevelSource::Skill, "Skill settings changed", "Skill settings NOT changed"},
    editor_tables::kSkillSettingsGroups,
    editor_tables::kSkillSettingsBindings};

inline constexpr EditorTable kWeaponAimEditor{
    {"Weapon Specific Aim Accuracy/Skill", LevelSource::Skill,
     "Weapon Specific Aim Accuracy/Skill settings changed",
     "Weapon Specific Aim Accuracy/Skill settings NOT changed"},
    editor_tables::kWeaponAimGroups,
    editor_tables::kWeaponAimBindings};

inline constexpr EditorTable kPersonalitySettingsEditor{{"Personality Settings", LevelSource::Skill,
                                                         "Personality settings changed",
                                                         "Personality settings NOT changed"},
                                                        editor_tables::kPersonalityGroups,
                                                        editor_tables::kPersonalityBindings};

inline constexpr EditorTable kWeaponWeightsEditor{{"Weapon Weights", LevelSource::Weights,
                                                   "Weapon weights changed",
                                                   "Weapon weights NOT changed"},
                                                  editor_tables::kWeaponPreferencesGroups,
                                                  editor_tables::kWeaponWeightsBindings};

inline constexpr EditorTable kItemWeightsEditor{
    {"Item Weights", LevelSource::Weights, "Item weights changed", "Item weights NOT changed"},
    editor_tables::kItemWeightsGroups,
    editor_tables::kItemWeightsBindings};

inline constexpr EditorTable kInitialWeaponWeightsEditor{
    {"Initial Weapon Weights", LevelSource::Weights, "Initial Weapon Weight settings changed",
     "Initial Weapon Weight settings NOT changed"},
    editor_tables::kWeaponPreferencesGroups,
    editor_tables::kInitialWeaponWeightsBindings};

inline constexpr EditorTable kInitialPowerupWeightsEditor{
    {"Initial Powerup Weights", LevelSource::Weights, "Initial Item Weight settings changed",
     "Initial Item Weight settings NOT changed"},
    editor_tables::kPowerupGroups,
    editor_tables::kInitialPowerupWeightsBindings};

inline constexpr EditorTable kCollectedWeaponWeightsEditor{
    {"Collected Weapon Weights", LevelSource::Weights, "Collected Weapon Weight settings changed",
     "Collected Weapon Weight settings NOT changed"},
    editor_tables::kWeaponPreferencesGroups,
    editor_tables::kCollectedWeaponWeightsBindings};

inline constexpr EditorTable kChatSettingsEditor{
    {"Chat Settings", LevelSource::Skill, "Chat settings changed", "Chat settings NOT changed"},
    editor_tables::kChatSettingsGroups,
    editor_tables::kChatSettingsBindings,
    true};

inline constexpr EditorInfo kChatConvosEditor{"Chat Convos", LevelSource::Weights,
                                              "Chat convos changed", "Chat convos NOT changed"};

// Every slider editor, for checks over all of them.
inline constexpr std::array<const EditorTable*, 9> kSliderEditors{
    &kSkillSettingsEditor,         &kWeaponAimEditor,
    &kPersonalitySettingsEditor,   &kWeaponWeightsEditor,
    &kItemWeightsEditor,           &kInitialWeaponWeightsEditor,
    &kInitialPowerupWeightsEditor, &kCollectedWeaponWeightsEditor,
    &kChatSettingsEditor};

// Every range starts at 0 and ends on a multiple of its line size, so a
// snapped slider never leaves its range.
constexpr bool SlidersAreSound() {
    for (const EditorTable* table : kSliderEditors)
        for (const ValueBinding& b : table->bindings)
            if (b.slider.min != 0 || b.slider.max <= 0 || b.slider.lineSize < 1 ||
                b.slider.max % b.slider.lineSize != 0 || b.slider.divisions < 1 || b.group < 0 ||
                b.group >= static_cast<int>(table->groups.size()) || b.column < 0 || b.column > 1)
                return false;
    return true;
}
static_assert(SlidersAreSound());

} // namespace vexa
