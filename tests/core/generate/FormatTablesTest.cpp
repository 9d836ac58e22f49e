// The file formats, checked against a table written here from the profile
// file's layout and the game's numbering of the characteristics, not from
// the program's own tables: two rows swapped in those fail these tests.
#include "core/generate/FormatTables.h"

#include "core/generate/Writers.h"

#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace vexa {
namespace {

constexpr int kText = -1; // a characteristic the profile holds as text

// One line of a character file's skill block, in the order written: the
// characteristic, its number in the game, the byte offset of its value in a
// block of the profile file and the decimals it is written with (-1: text,
// 0: a whole number).
struct Line {
    const char* name;
    int index;
    int offset;
    int decimals;
};
constexpr Line kLines[] = {
    {"NAME", 0, kText, -1},
    {"GENDER", 1, kText, -1},
    {"ATTACK_SKILL", 2, 0, 3},
    {"WEAPONWEIGHTS", 3, kText, -1},
    {"AIM_SKILL", 16, 4, 3},
    {"AIM_ACCURACY", 7, 8, 3},
    {"VIEW_FACTOR", 4, 12, 3},
    {"VIEW_MAXCHANGE", 5, 16, 0},
    {"REACTIONTIME", 6, 20, 2},
    {"CHAT_FILE", 21, kText, -1},
    {"CHAT_NAME", 22, kText, -1},
    {"CHAT_CPM", 23, 120, 0},
    {"CHAT_INSULT", 24, 124, 3},
    {"CHAT_MISC", 25, 128, 3},
    {"CHAT_STARTENDLEVEL", 26, 132, 3},
    {"CHAT_ENTEREXITGAME", 27, 136, 3},
    {"CHAT_KILL", 28, 140, 3},
    {"CHAT_DEATH", 29, 144, 3},
    {"CHAT_ENEMYSUICIDE", 30, 148, 3},
    {"CHAT_HITTALKING", 31, 152, 3},
    {"CHAT_HITNODEATH", 32, 156, 3},
    {"CHAT_HITNOKILL", 33, 160, 3},
    {"CHAT_RANDOM", 34, 164, 3},
    {"CHAT_REPLY", 35, 168, 3},
    {"CROUCHER", 36, 76, 3},
    {"JUMPER", 37, 80, 3},
    {"WALKER", 48, 84, 3},
    {"WEAPONJUMPING", 38, 88, 3},
    {"GRAPPLE_USER", 39, 92, 3},
    {"ITEMWEIGHTS", 40, kText, -1},
    {"AGGRESSION", 41, 96, 3},
    {"SELFPRESERVATION", 42, 100, 3},
    {"VENGEFULNESS", 43, 104, 3},
    {"CAMPER", 44, 108, 3},
    {"EASY_FRAGGER", 45, 112, 3},
    {"ALERTNESS", 46, 116, 3},
    {"AIM_ACCURACY_MACHINEGUN", 8, 28, 3},
    {"AIM_ACCURACY_SHOTGUN", 9, 32, 3},
    {"AIM_ACCURACY_ROCKETLAUNCHER", 10, 36, 3},
    {"AIM_ACCURACY_GRENADELAUNCHER", 11, 40, 3},
    {"AIM_ACCURACY_LIGHTNING", 12, 44, 3},
    {"AIM_ACCURACY_PLASMAGUN", 13, 48, 3},
    {"AIM_ACCURACY_RAILGUN", 14, 52, 3},
    {"AIM_ACCURACY_BFG10K", 15, 56, 3},
    {"AIM_SKILL_ROCKETLAUNCHER", 17, 60, 3},
    {"AIM_SKILL_GRENADELAUNCHER", 18, 64, 3},
    {"AIM_SKILL_PLASMAGUN", 19, 68, 3},
    {"AIM_SKILL_BFG10K", 20, 72, 3},
    {"FIRETHROTTLE", 47, 24, 3},
};

// The #defines of the weight files in the order written, with the byte
// offset of each weight in a block.
struct Define {
    const char* name;
    int offset;
};
constexpr Define kWeaponDefines[] = {
    {"W_GAUNTLET", 320},        {"W_SHOTGUN", 324},        {"W_MACHINEGUN", 328},
    {"W_GRENADELAUNCHER", 332}, {"W_ROCKETLAUNCHER", 336}, {"W_RAILGUN", 340},
    {"W_BFG10K", 344},          {"W_LIGHTNING", 348},      {"W_PLASMAGUN", 352},
    {"W_GRAPPLE", 356},
};
constexpr Define kItemDefines[] = {
    {"FS_HEALTH", 192},
    {"FS_ARMOR", 196},
    {"W_SHOTGUN", 236},
    {"W_MACHINEGUN", 240},
    {"W_GRENADELAUNCHER", 244},
    {"W_ROCKETLAUNCHER", 248},
    {"W_RAILGUN", 252},
    {"W_BFG10K", 256},
    {"W_LIGHTNING", 260},
    {"W_PLASMAGUN", 264},
    {"GWW_SHOTGUN", 268},
    {"GWW_MACHINEGUN", 272},
    {"GWW_GRENADELAUNCHER", 276},
    {"GWW_ROCKETLAUNCHER", 280},
    {"GWW_RAILGUN", 284},
    {"GWW_BFG10K", 288},
    {"GWW_LIGHTNING", 292},
    {"GWW_PLASMAGUN", 296},
    {"W_TELEPORTER", 204},
    {"W_MEDKIT", 208},
    {"W_QUAD", 212},
    {"W_ENVIRO", 216},
    {"W_HASTE", 220},
    {"W_INVISIBILITY", 224},
    {"W_REGEN", 228},
    {"W_FLIGHT", 232},
    {"FLAG_WEIGHT", 200},
};

int OffsetOf(std::int32_t SkillProfile::*field) {
    static const SkillProfile block{};
    return static_cast<int>(reinterpret_cast<const char*>(&(block.*field)) -
                            reinterpret_cast<const char*>(&block));
}

// A block whose every number tells where it sits: the value at offset o is
// 1000 + o, so a value written in the wrong line shows up as another number.
BotProfile NumberedProfile() {
    BotProfile profile = EmptyProfile();
    for (SkillProfile& block : profile.skill)
        for (int offset = 0; offset < 360; offset += 4)
            if (offset < 172 || (offset >= 192 && offset < 300) || offset >= 320) {
                const std::int32_t value = 1000 + offset;
                std::memcpy(reinterpret_cast<char*>(&block) + offset, &value, sizeof value);
            }
    return profile;
}

// The value text a line carries, as the game reads it.
std::string Written(int offset, int decimals) {
    char text[32];
    if (decimals == 0)
        std::snprintf(text, sizeof text, "%d", 1000 + offset);
    else
        std::snprintf(text, sizeof text, "%.*f", decimals,
                      (1000 + offset) / (decimals == 3 ? 1000.0 : 100.0));
    return text;
}

TEST(FormatTables, CharacteristicsAreTheGamesInTheWrittenOrder) {
    ASSERT_EQ(std::size(kLines), kCharacterFileLines.size());
    std::set<int> indexes;
    for (std::size_t i = 0; i < std::size(kLines); ++i) {
        const Line& expected = kLines[i];
        const CharacteristicFormat& format = kCharacterFileLines[i];
        SCOPED_TRACE(expected.name);
        EXPECT_EQ(format.name, std::string("CHARACTERISTIC_") + expected.name);
        EXPECT_EQ(format.index, expected.index);
        EXPECT_EQ(CharacteristicByIndex(expected.index), &format);
        indexes.insert(expected.index);
        if (expected.offset == kText) {
            EXPECT_EQ(format.unit, ValueUnit::Text);
            EXPECT_EQ(format.field, nullptr);
            continue;
        }
        ASSERT_NE(format.field, nullptr);
        EXPECT_EQ(OffsetOf(format.field), expected.offset);
        EXPECT_EQ(format.unit, expected.decimals == 3   ? ValueUnit::Thousandths
                               : expected.decimals == 2 ? ValueUnit::Hundredths
                                                        : ValueUnit::Whole);
    }
    EXPECT_EQ(indexes.size(), 49u); // 0 to 48, each once
    EXPECT_EQ(*indexes.rbegin(), 48);
    // The game numbers the walker last: it came after the others.
}

TEST(FormatTables, EveryValueIsWrittenOnItsOwnLine) {
    const BotProfile profile = NumberedProfile();
    const std::string character = CharacterFileText(profile, false);
    for (const Line& line : kLines) {
        if (line.offset == kText)
            continue;
        const std::string name = std::string("CHARACTERISTIC_") + line.name;
        const std::string text = name + std::string(CharacteristicTabs(name), '\t') +
                                 Written(line.offset, line.decimals) + "\n";
        EXPECT_NE(character.find("\t" + text), std::string::npos) << text;
    }
    const auto checkDefines = [](const std::string& file, const auto& defines, const auto& table) {
        ASSERT_EQ(std::size(defines), table.size());
        for (std::size_t i = 0; i < std::size(defines); ++i) {
            EXPECT_EQ(table[i].name, defines[i].name);
            EXPECT_EQ(OffsetOf(table[i].field), defines[i].offset) << defines[i].name;
            const std::string name = std::string("#define ") + defines[i].name;
            EXPECT_NE(file.find(name + std::string(DefineTabs(defines[i].name), '\t') +
                                Written(defines[i].offset, 0) + "\n"),
                      std::string::npos)
                << name;
        }
    };
    checkDefines(WeaponWeightsFileText(profile.skill[0]), kWeaponDefines, kWeaponWeightDefines);
    checkDefines(ItemWeightsFileText(profile.skill[0]), kItemDefines, kItemWeightDefines);
}

} // namespace
} // namespace vexa
