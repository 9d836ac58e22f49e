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
    // What the value does in the game and its range, shown as the row's
    // tooltip.
    std::string_view tip;
    // Typing in the text box moves the slider (Attack Skill's alone; the
    // other boxes' sliders wait for their next release or opening).
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

// The tooltip of the chat settings editor's "Chat name:" field.
inline constexpr std::string_view kChatNameTip =
    "The name the bot's chat lines are filed under in its chat file; left empty, the bot's "
    "name is used";

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
    {"Attack Skill:", &P::attack_skill, F, false, 0, 0,
     "How well the bot fights: dodging, strafing and picking its moment to attack; 0 to 1", true},
    {"Aim Accuracy:", &P::aim_accuracy, F, false, 0, 0,
     "How close to the target the bot's shots land, with any weapon; 0 to 1"},
    {"View Max Change:", &P::view_maxchange, kViewChangeSlider, false, 0, 0,
     "How fast the bot can turn, in degrees per second; 0 to 360"},
    {"Firethrottle:", &P::firethrottle, F, false, 0, 0,
     "How steadily the bot keeps firing: at 1 it never pauses, lower values make it stop shooting "
     "now and then; 0 to 1"},
    {"Aim Skill:", &P::aim_skill, F, false, 0, 1,
     "How well the bot aims ahead of a moving target and at the feet for splash damage; 0 to 1"},
    {"View Factor:", &P::view_factor, F, false, 0, 1,
     "How quickly the bot's view follows where it wants to look; 0 to 1"},
    {"Reaction Time:", &P::reactiontime, kReactionTimeSlider, false, 0, 1,
     "Seconds before the bot reacts to what it sees; 0 to 5"},
}};

inline constexpr std::array<std::string_view, 2> kWeaponAimGroups{"Aim Accuracy", "Aim Skill"};
inline constexpr std::array<ValueBinding, 12> kWeaponAimBindings{{
    {"Machinegun:", &P::aim_accuracy_machinegun, F, false, 0, 0,
     "How close to the target the bot's machinegun bullets land; 0 to 1"},
    {"Rocket Launcher:", &P::aim_accuracy_rocketlauncher, F, false, 0, 0,
     "How close to the target the bot's rockets land; 0 to 1"},
    {"Lightning Gun:", &P::aim_accuracy_lightning, F, false, 0, 0,
     "How steadily the bot keeps the lightning beam on its target; 0 to 1"},
    {"Railgun:", &P::aim_accuracy_railgun, F, false, 0, 0,
     "How close to the target the bot's railgun shots land; 0 to 1"},
    {"Shotgun:", &P::aim_accuracy_shotgun, F, false, 0, 1,
     "How close to the target the bot's shotgun blasts land; 0 to 1"},
    {"Grenade Launcher:", &P::aim_accuracy_grenadelauncher, F, false, 0, 1,
     "How close to the target the bot's grenades land; 0 to 1"},
    {"Plasma Gun:", &P::aim_accuracy_plasmagun, F, false, 0, 1,
     "How close to the target the bot's plasma shots land; 0 to 1"},
    {"BFG10K:", &P::aim_accuracy_bfg10k, F, false, 0, 1,
     "How close to the target the bot's BFG10K shots land; 0 to 1"},
    {"Rocket Launcher:", &P::aim_skill_rocketlauncher, F, false, 1, 0,
     "How well the bot leads moving targets with rockets and aims at their feet; 0 to 1"},
    {"Plasma Gun:", &P::aim_skill_plasmagun, F, false, 1, 0,
     "How well the bot leads moving targets with the plasma gun; 0 to 1"},
    {"Grenade Launcher:", &P::aim_skill_grenadelauncher, F, false, 1, 1,
     "How well the bot lobs grenades where its target will be; 0 to 1"},
    {"BFG10K:", &P::aim_skill_bfg10k, F, false, 1, 1,
     "How well the bot leads moving targets with the BFG10K and aims for splash damage; 0 to 1"},
}};

inline constexpr std::array<std::string_view, 1> kPersonalityGroups{"Personality Settings"};
inline constexpr std::array<ValueBinding, 11> kPersonalityBindings{{
    {"Croucher:", &P::croucher, F, false, 0, 0,
     "How often the bot crouches while it moves and fights; 0 to 1"},
    {"Walker:", &P::walker, F, false, 0, 0,
     "How often the bot walks quietly instead of running; 0 to 1"},
    {"Grapple User:", &P::grapple_user, F, false, 0, 0,
     "How much the bot uses the grappling hook to get around; 0 to 1"},
    {"Self Preservation:", &P::selfpreservation, F, false, 0, 0,
     "How much the bot looks after its own health and backs off when it is hurt; 0 to 1"},
    {"Camper:", &P::camper, F, false, 0, 0,
     "How much the bot likes to wait in one place for its enemies to come; 0 to 1"},
    {"Alertness:", &P::alertness, F, false, 0, 0,
     "How quickly the bot notices enemies around it; 0 to 1"},
    {"Jumper:", &P::jumper, F, false, 0, 1,
     "How often the bot jumps while it moves and fights; 0 to 1"},
    {"Weapon Jumper:", &P::weaponjumping, F, false, 0, 1,
     "How willing the bot is to rocket- or grenade-jump to reach places; 0 to 1"},
    {"Aggression:", &P::aggression, F, false, 0, 1,
     "How eagerly the bot attacks rather than retreats, even when it is weak; 0 to 1"},
    {"Vengefulness:", &P::vengefulness, F, false, 0, 1,
     "How much the bot hunts down whoever killed it last; 0 to 1"},
    {"Easy Fragger:", &P::easy_fragger, F, false, 0, 1,
     "How much the bot goes for easy kills, such as players who are busy chatting; 0 to 1"},
}};

inline constexpr std::array<std::string_view, 1> kWeaponPreferencesGroups{"Weapon Preferences"};
inline constexpr std::array<ValueBinding, 10> kWeaponWeightsBindings{{
    {"Gauntlet:", &P::weapon_gauntlet, W, true, 0, 0,
     "How much the bot likes fighting with the gauntlet, against its other weapons; 0 to 500"},
    {"Machinegun:", &P::weapon_machinegun, W, true, 0, 0,
     "How much the bot likes fighting with the machinegun, against its other weapons; 0 to 500"},
    {"Rocket Launcher:", &P::weapon_rocketlauncher, W, true, 0, 0,
     "How much the bot likes fighting with the rocket launcher, against its other weapons; 0 to "
     "500"},
    {"BFG10K:", &P::weapon_bfg10k, W, true, 0, 0,
     "How much the bot likes fighting with the BFG10K, against its other weapons; 0 to 500"},
    {"Plasma Gun:", &P::weapon_plasmagun, W, true, 0, 0,
     "How much the bot likes fighting with the plasma gun, against its other weapons; 0 to 500"},
    {"Shotgun:", &P::weapon_shotgun, W, true, 0, 1,
     "How much the bot likes fighting with the shotgun, against its other weapons; 0 to 500"},
    {"Grenade Launcher:", &P::weapon_grenadelauncher, W, true, 0, 1,
     "How much the bot likes fighting with the grenade launcher, against its other weapons; 0 to "
     "500"},
    {"Railgun:", &P::weapon_railgun, W, true, 0, 1,
     "How much the bot likes fighting with the railgun, against its other weapons; 0 to 500"},
    {"Lightning Gun:", &P::weapon_lightning, W, true, 0, 1,
     "How much the bot likes fighting with the lightning gun, against its other weapons; 0 to 500"},
    {"Grapple:", &P::weapon_grapple, W, true, 0, 1,
     "How much the bot likes using the grappling hook, against its weapons; 0 to 500"},
}};

inline constexpr std::array<std::string_view, 2> kItemWeightsGroups{
    "Inital Health and Armor Weights", "Initial Flag Weight"};
inline constexpr std::array<ValueBinding, 3> kItemWeightsBindings{{
    {"Health:", &P::item_fs_health, W, true, 0, 0,
     "How strongly the bot goes for health items; 0 to 500"},
    {"Armor:", &P::item_fs_armor, W, true, 0, 1, "How strongly the bot goes for armor; 0 to 500"},
    {"Flag:", &P::item_flag_weight, W, true, 1, 0,
     "How strongly the bot goes for the flag in Capture the Flag; 0 to 500"},
}};

inline constexpr std::array<ValueBinding, 8> kInitialWeaponWeightsBindings{{
    {"Machinegun:", &P::item_w_machinegun, W, true, 0, 0,
     "How strongly the bot goes for the machinegun while it does not have one; 0 to 500"},
    {"Rocket Launcher:", &P::item_w_rocketlauncher, W, true, 0, 0,
     "How strongly the bot goes for the rocket launcher while it does not have one; 0 to 500"},
    {"BFG10K:", &P::item_w_bfg10k, W, true, 0, 0,
     "How strongly the bot goes for the BFG10K while it does not have one; 0 to 500"},
    {"Plasma Gun:", &P::item_w_plasmagun, W, true, 0, 0,
     "How strongly the bot goes for the plasma gun while it does not have one; 0 to 500"},
    {"Shotgun:", &P::item_w_shotgun, W, true, 0, 1,
     "How strongly the bot goes for the shotgun while it does not have one; 0 to 500"},
    {"Grenade Launcher:", &P::item_w_grenadelauncher, W, true, 0, 1,
     "How strongly the bot goes for the grenade launcher while it does not have one; 0 to 500"},
    {"Railgun:", &P::item_w_railgun, W, true, 0, 1,
     "How strongly the bot goes for the railgun while it does not have one; 0 to 500"},
    {"Lightning Gun:", &P::item_w_lightning, W, true, 0, 1,
     "How strongly the bot goes for the lightning gun while it does not have one; 0 to 500"},
}};

inline constexpr std::array<ValueBinding, 8> kCollectedWeaponWeightsBindings{{
    {"Machinegun:", &P::item_gww_machinegun, W, true, 0, 0,
     "How strongly the bot still goes for the machinegun once it has one, for its ammunition; 0 to "
     "500"},
    {"Rocket Launcher:", &P::item_gww_rocketlauncher, W, true, 0, 0,
     "How strongly the bot still goes for the rocket launcher once it has one, for its ammunition; "
     "0 to 500"},
    {"BFG10K:", &P::item_gww_bfg10k, W, true, 0, 0,
     "How strongly the bot still goes for the BFG10K once it has one, for its ammunition; 0 to "
     "500"},
    {"Plasma Gun:", &P::item_gww_plasmagun, W, true, 0, 0,
     "How strongly the bot still goes for the plasma gun once it has one, for its ammunition; 0 to "
     "500"},
    {"Shotgun:", &P::item_gww_shotgun, W, true, 0, 1,
     "How strongly the bot still goes for the shotgun once it has one, for its ammunition; 0 to "
     "500"},
    {"Grenade Launcher:", &P::item_gww_grenadelauncher, W, true, 0, 1,
     "How strongly the bot still goes for the grenade launcher once it has one, for its "
     "ammunition; 0 to 500"},
    {"Railgun:", &P::item_gww_railgun, W, true, 0, 1,
     "How strongly the bot still goes for the railgun once it has one, for its ammunition; 0 to "
     "500"},
    {"Lightning Gun:", &P::item_gww_lightning, W, true, 0, 1,
     "How strongly the bot still goes for the lightning gun once it has one, for its ammunition; 0 "
     "to 500"},
}};

inline constexpr std::array<std::string_view, 1> kPowerupGroups{"Item Weights"};
inline constexpr std::array<ValueBinding, 8> kInitialPowerupWeightsBindings{{
    {"Teleporter:", &P::item_w_teleporter, W, true, 0, 0,
     "How strongly the bot goes for the personal teleporter; 0 to 500"},
    {"Quad Damge:", &P::item_w_quad, W, true, 0, 0,
     "How strongly the bot goes for the Quad Damage; 0 to 500"},
    {"Haste:", &P::item_w_haste, W, true, 0, 0, "How strongly the bot goes for Haste; 0 to 500"},
    {"Regeneration:", &P::item_w_regen, W, true, 0, 0,
     "How strongly the bot goes for Regeneration; 0 to 500"},
    {"Medkit:", &P::item_w_medkit, W, true, 0, 1,
     "How strongly the bot goes for the medkit; 0 to 500"},
    {"Battle Suit:", &P::item_w_enviro, W, true, 0, 1,
     "How strongly the bot goes for the Battle Suit; 0 to 500"},
    {"Invisibility:", &P::item_w_invisibility, W, true, 0, 1,
     "How strongly the bot goes for Invisibility; 0 to 500"},
    {"Flight:", &P::item_w_flight, W, true, 0, 1, "How strongly the bot goes for Flight; 0 to 500"},
}};

inline constexpr std::array<std::string_view, 1> kChatSettingsGroups{"Chat Settings"};
inline constexpr std::array<ValueBinding, 13> kChatSettingsBindings{{
    {"Characters Per Minute:", &P::chat_cpm, kChatCpmSlider, true, 0, 0,
     "How fast the bot types its chat lines, in characters per minute; 0 to 4000"},
    {"Misc.:", &P::chat_misc, F, false, 0, 0,
     "How likely the bot is to chat about anything at all; 0 to 1"},
    {"Enter/Exit Game:", &P::chat_enterexitgame, F, false, 0, 0,
     "How likely the bot is to chat when it enters or leaves the game; 0 to 1"},
    {"Death:", &P::chat_death, F, false, 0, 0,
     "How likely the bot is to chat when it has been killed; 0 to 1"},
    {"Hit Talking:", &P::chat_hittalking, F, false, 0, 0,
     "How likely the bot is to chat when it is hit while typing; 0 to 1"},
    {"Hit No Kill:", &P::chat_hitnokill, F, false, 0, 0,
     "How likely the bot is to chat when it hits an enemy without killing it; 0 to 1"},
    {"Reply:", &P::chat_reply, F, false, 0, 0,
     "How likely the bot is to chat in reply to what others say; 0 to 1"},
    {"Insults:", &P::chat_insult, F, false, 0, 1,
     "How likely the bot is to chat to insult its opponents; 0 to 1"},
    {"Start/End Level:", &P::chat_startendlevel, F, false, 0, 1,
     "How likely the bot is to chat when a level starts or ends; 0 to 1"},
    {"Kill:", &P::chat_kill, F, false, 0, 1,
     "How likely the bot is to chat when it has killed someone; 0 to 1"},
    {"Enemy Suicide:", &P::chat_enemysuicide, F, false, 0, 1,
     "How likely the bot is to chat when an enemy kills itself; 0 to 1"},
    {"Hit No Death:", &P::chat_hitnodeath, F, false, 0, 1,
     "How likely the bot is to chat when it is hit but survives; 0 to 1"},
    {"Random:", &P::chat_random, F, false, 0, 1,
     "How likely the bot is to chat at random moments; 0 to 1"},
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
                b.group >= static_cast<int>(table->groups.size()) || b.column < 0 || b.column > 1 ||
                b.tip.empty())
                return false;
    return true;
}
static_assert(SlidersAreSound());

} // namespace vexa
