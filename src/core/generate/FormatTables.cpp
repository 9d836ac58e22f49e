#include "core/generate/FormatTables.h"

#include "core/editors/SliderValue.h"
#include "core/game/GamePath.h"

#include <algorithm>

namespace vexa {

namespace {
using P = SkillProfile;

// The tabs after `length` characters starting at `column` that reach
// `target` (tab stops every 4 columns); at least one.
constexpr int TabsTo(int column, int target) {
    return std::max(1, (target - column + 3) / 4);
}
} // namespace

// clang-format off
const std::array<CharacteristicFormat, kCharacteristicCount> kCharacterFileLines = {{
    {"CHARACTERISTIC_NAME", 0, ValueUnit::Text, nullptr, TextValue::Name, 0, false},
    {"CHARACTERISTIC_GENDER", 1, ValueUnit::Text, nullptr, TextValue::Gender, 0, false},
    {"CHARACTERISTIC_ATTACK_SKILL", 2, ValueUnit::Thousandths, &P::attack_skill, TextValue::None, kFractionSlider.max, false},
    {"CHARACTERISTIC_WEAPONWEIGHTS", 3, ValueUnit::Text, nullptr, TextValue::WeaponWeights, 0, false},
    {"CHARACTERISTIC_AIM_SKILL", 16, ValueUnit::Thousandths, &P::aim_skill, TextValue::None, kFractionSlider.max, false},
    {"CHARACTERISTIC_AIM_ACCURACY", 7, ValueUnit::Thousandths, &P::aim_accuracy, TextValue::None, kFractionSlider.max, false},
    {"CHARACTERISTIC_VIEW_FACTOR", 4, ValueUnit::Thousandths, &P::view_factor, TextValue::None, kFractionSlider.max, false},
    {"CHARACTERISTIC_VIEW_MAXCHANGE", 5, ValueUnit::Whole, &P::view_maxchange, TextValue::None, kViewChangeSlider.max, false},
    {"CHARACTERISTIC_REACTIONTIME", 6, ValueUnit::Hundredths, &P::reactiontime, TextValue::None, kReactionTimeSlider.max, false},
    {"CHARACTERISTIC_CHAT_FILE", 21, ValueUnit::Text, nullptr, TextValue::ChatFile, 0, true},
    {"CHARACTERISTIC_CHAT_NAME", 22, ValueUnit::Text, nullptr, TextValue::ChatName, 0, false},
    {"CHARACTERISTIC_CHAT_CPM", 23, ValueUnit::Whole, &P::chat_cpm, TextValue::None, kChatCpmSlider.max, false},
    {"CHARACTERISTIC_CHAT_INSULT", 24, ValueUnit::Thousandths, &P::chat_insult, TextValue::None, kFractionSlider.max, false},
    {"CHARACTERISTIC_CHAT_MISC", 25, ValueUnit::Thousandths, &P::chat_misc, TextValue::None, kFractionSlider.max, false},
    {"CHARACTERISTIC_CHAT_STARTENDLEVEL", 26, ValueUnit::Thousandths, &P::chat_startendlevel, TextValue::None, kFractionSlider.max, false},
    {"CHARACTERISTIC_CHAT_ENTEREXITGAME", 27, ValueUnit::Thousandths, &P::chat_enterexitgame, TextValue::None, kFractionSlider.max, false},
    {"CHARACTERISTIC_CHAT_KILL", 28, ValueUnit::Thousandths, &P::chat_kill, TextValue::None, kFractionSlider.max, false},
    {"CHARACTERISTIC_CHAT_DEATH", 29, ValueUnit::Thousandths, &P::chat_death, TextValue::None, kFractionSlider.max, false},
    {"CHARACTERISTIC_CHAT_ENEMYSUICIDE", 30, ValueUnit::Thousandths, &P::chat_enemysuicide, TextValue::None, kFractionSlider.max, false},
    {"CHARACTERISTIC_CHAT_HITTALKING", 31, ValueUnit::Thousandths, &P::chat_hittalking, TextValue::None, kFractionSlider.max, false},
    {"CHARACTERISTIC_CHAT_HITNODEATH", 32, ValueUnit::Thousandths, &P::chat_hitnodeath, TextValue::None, kFractionSlider.max, false},
    {"CHARACTERISTIC_CHAT_HITNOKILL", 33, ValueUnit::Thousandths, &P::chat_hitnokill, TextValue::None, kFractionSlider.max, false},
    {"CHARACTERISTIC_CHAT_RANDOM", 34, ValueUnit::Thousandths, &P::chat_random, TextValue::None, kFractionSlider.max, false},
    {"CHARACTERISTIC_CHAT_REPLY", 35, ValueUnit::Thousandths, &P::chat_reply, TextValue::None, kFractionSlider.max, false},
    {"CHARACTERISTIC_CROUCHER", 36, ValueUnit::Thousandths, &P::croucher, TextValue::None, kFractionSlider.max, true},
    {"CHARACTERISTIC_JUMPER", 37, ValueUnit::Thousandths, &P::jumper, TextValue::None, kFractionSlider.max, false},
    {"CHARACTERISTIC_WALKER", 48, ValueUnit::Thousandths, &P::walker, TextValue::None, kFractionSlider.max, false},
    {"CHARACTERISTIC_WEAPONJUMPING", 38, ValueUnit::Thousandths, &P::weaponjumping, TextValue::None, kFractionSlider.max, false},
    {"CHARACTERISTIC_GRAPPLE_USER", 39, ValueUnit::Thousandths, &P::grapple_user, TextValue::None, kFractionSlider.max, false},
    {"CHARACTERISTIC_ITEMWEIGHTS", 40, ValueUnit::Text, nullptr, TextValue::ItemWeights, 0, true},
    {"CHARACTERISTIC_AGGRESSION", 41, ValueUnit::Thousandths, &P::aggression, TextValue::None, kFractionSlider.max, false},
    {"CHARACTERISTIC_SELFPRESERVATION", 42, ValueUnit::Thousandths, &P::selfpreservation, TextValue::None, kFractionSlider.max, false},
    {"CHARACTERISTIC_VENGEFULNESS", 43, ValueUnit::Thousandths, &P::vengefulness, TextValue::None, kFractionSlider.max, false},
    {"CHARACTERISTIC_CAMPER", 44, ValueUnit::Thousandths, &P::camper, TextValue::None, kFractionSlider.max, false},
    {"CHARACTERISTIC_EASY_FRAGGER", 45, ValueUnit::Thousandths, &P::easy_fragger, TextValue::None, kFractionSlider.max, true},
    {"CHARACTERISTIC_ALERTNESS", 46, ValueUnit::Thousandths, &P::alertness, TextValue::None, kFractionSlider.max, false},
    {"CHARACTERISTIC_AIM_ACCURACY_MACHINEGUN", 8, ValueUnit::Thousandths, &P::aim_accuracy_machinegun, TextValue::None, kFractionSlider.max, true},
    {"CHARACTERISTIC_AIM_ACCURACY_SHOTGUN", 9, ValueUnit::Thousandths, &P::aim_accuracy_shotgun, TextValue::None, kFractionSlider.max, false},
    {"CHARACTERISTIC_AIM_ACCURACY_ROCKETLAUNCHER", 10, ValueUnit::Thousandths, &P::aim_accuracy_rocketlauncher, TextValue::None, kFractionSlider.max, false},
    {"CHARACTERISTIC_AIM_ACCURACY_GRENADELAUNCHER", 11, ValueUnit::Thousandths, &P::aim_accuracy_grenadelauncher, TextValue::None, kFractionSlider.max, false},
    {"CHARACTERISTIC_AIM_ACCURACY_LIGHTNING", 12, ValueUnit::Thousandths, &P::aim_accuracy_lightning, TextValue::None, kFractionSlider.max, false},
    {"CHARACTERISTIC_AIM_ACCURACY_PLASMAGUN", 13, ValueUnit::Thousandths, &P::aim_accuracy_plasmagun, TextValue::None, kFractionSlider.max, false},
    {"CHARACTERISTIC_AIM_ACCURACY_RAILGUN", 14, ValueUnit::Thousandths, &P::aim_accuracy_railgun, TextValue::None, kFractionSlider.max, false},
    {"CHARACTERISTIC_AIM_ACCURACY_BFG10K", 15, ValueUnit::Thousandths, &P::aim_accuracy_bfg10k, TextValue::None, kFractionSlider.max, false},
    {"CHARACTERISTIC_AIM_SKILL_ROCKETLAUNCHER", 17, ValueUnit::Thousandths, &P::aim_skill_rocketlauncher, TextValue::None, kFractionSlider.max, false},
    {"CHARACTERISTIC_AIM_SKILL_GRENADELAUNCHER", 18, ValueUnit::Thousandths, &P::aim_skill_grenadelauncher, TextValue::None, kFractionSlider.max, false},
    {"CHARACTERISTIC_AIM_SKILL_PLASMAGUN", 19, ValueUnit::Thousandths, &P::aim_skill_plasmagun, TextValue::None, kFractionSlider.max, false},
    {"CHARACTERISTIC_AIM_SKILL_BFG10K", 20, ValueUnit::Thousandths, &P::aim_skill_bfg10k, TextValue::None, kFractionSlider.max, false},
    {"CHARACTERISTIC_FIRETHROTTLE", 47, ValueUnit::Thousandths, &P::firethrottle, TextValue::None, kFractionSlider.max, true},
}};

const std::array<WeightDefine, 10> kWeaponWeightDefines = {{
    {"W_GAUNTLET", &P::weapon_gauntlet, ""},
    {"W_SHOTGUN", &P::weapon_shotgun, ""},
    {"W_MACHINEGUN", &P::weapon_machinegun, ""},
    {"W_GRENADELAUNCHER", &P::weapon_grenadelauncher, ""},
    {"W_ROCKETLAUNCHER", &P::weapon_rocketlauncher, ""},
    {"W_RAILGUN", &P::weapon_railgun, ""},
    {"W_BFG10K", &P::weapon_bfg10k, ""},
    {"W_LIGHTNING", &P::weapon_lightning, ""},
    {"W_PLASMAGUN", &P::weapon_plasmagun, ""},
    {"W_GRAPPLE", &P::weapon_grapple, ""},
}};

const std::array<WeightDefine, 27> kItemWeightDefines = {{
    {"FS_HEALTH", &P::item_fs_health, "//initial health/armor states\n"},
    {"FS_ARMOR", &P::item_fs_armor, ""},
    {"W_SHOTGUN", &P::item_w_shotgun, "\n//initial weapon weights\n"},
    {"W_MACHINEGUN", &P::item_w_machinegun, ""},
    {"W_GRENADELAUNCHER", &P::item_w_grenadelauncher, ""},
    {"W_ROCKETLAUNCHER", &P::item_w_rocketlauncher, ""},
    {"W_RAILGUN", &P::item_w_railgun, ""},
    {"W_BFG10K", &P::item_w_bfg10k, ""},
    {"W_LIGHTNING", &P::item_w_lightning, ""},
    {"W_PLASMAGUN", &P::item_w_plasmagun, ""},
    {"GWW_SHOTGUN", &P::item_gww_shotgun, "\n//the bot has the weapons, so the weights change a little bit\n"},
    {"GWW_MACHINEGUN", &P::item_gww_machinegun, ""},
    {"GWW_GRENADELAUNCHER", &P::item_gww_grenadelauncher, ""},
    {"GWW_ROCKETLAUNCHER", &P::item_gww_rocketlauncher, ""},
    {"GWW_RAILGUN", &P::item_gww_railgun, ""},
    {"GWW_BFG10K", &P::item_gww_bfg10k, ""},
    {"GWW_LIGHTNING", &P::item_gww_lightning, ""},
    {"GWW_PLASMAGUN", &P::item_gww_plasmagun, ""},
    {"W_TELEPORTER", &P::item_w_teleporter, "\n//initial powerup weights\n"},
    {"W_MEDKIT", &P::item_w_medkit, ""},
    {"W_QUAD", &P::item_w_quad, ""},
    {"W_ENVIRO", &P::item_w_enviro, ""},
    {"W_HASTE", &P::item_w_haste, ""},
    {"W_INVISIBILITY", &P::item_w_invisibility, ""},
    {"W_REGEN", &P::item_w_regen, ""},
    {"W_FLIGHT", &P::item_w_flight, ""},
    {"FLAG_WEIGHT", &P::item_flag_weight, "\n//flag weight\n"},
}};
// clang-format on

const CharacteristicFormat* CharacteristicByIndex(long long index) {
    for (const CharacteristicFormat& c : kCharacterFileLines)
        if (c.index == index)
            return &c;
    return nullptr;
}

const CharacteristicFormat* CharacteristicByName(std::string_view name) {
    for (const CharacteristicFormat& c : kCharacterFileLines)
        if (c.name == name)
            return &c;
    return nullptr;
}

const CharacteristicFormat* CharacteristicOf(const CharacterEntry& entry) {
    if (!entry.indexIsName)
        return CharacteristicByIndex(entry.indexNumber);
    if (const CharacteristicFormat* exact = CharacteristicByName(entry.index))
        return exact;
    for (const CharacteristicFormat& c : kCharacterFileLines)
        if (SameGameName(c.name, entry.index))
            return &c;
    return nullptr;
}

int CharacteristicTabs(std::string_view name) {
    // A line starts with one tab (column 4).
    return TabsTo(4 + static_cast<int>(name.size()), kCharacteristicValueColumn);
}

int DefineTabs(std::string_view name) {
    return TabsTo(static_cast<int>(std::string_view("#define ").size() + name.size()),
                  kDefineValueColumn);
}

} // namespace vexa
