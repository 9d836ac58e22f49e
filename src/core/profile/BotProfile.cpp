#include "core/profile/BotProfile.h"

#include "core/util/FileIO.h"
#include "core/util/FixedText.h"
#include "core/util/RegularFile.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace vexa {
namespace {

struct NumberDefault {
    std::int32_t SkillProfile::*field;
    std::int32_t value[3]; // Skill 1, Skill 4, Skill 5
};

using S = SkillProfile;

constexpr NumberDefault kNumberDefaults[] = {
    {&S::attack_skill, {250, 1000, 1000}},
    {&S::aim_skill, {250, 1000, 1000}},
    {&S::aim_accuracy, {250, 1000, 1000}},
    {&S::view_factor, {250, 900, 900}},
    {&S::view_maxchange, {90, 240, 360}},
    {&S::reactiontime, {300, 175, 0}},
    {&S::firethrottle, {300, 1000, 1000}},
    {&S::aim_accuracy_machinegun, {300, 500, 700}},
    {&S::aim_accuracy_shotgun, {300, 750, 1000}},
    {&S::aim_accuracy_rocketlauncher, {300, 750, 1000}},
    {&S::aim_accuracy_grenadelauncher, {300, 750, 1000}},
    {&S::aim_accuracy_lightning, {300, 750, 1000}},
    {&S::aim_accuracy_plasmagun, {300, 750, 1000}},
    {&S::aim_accuracy_railgun, {300, 750, 1000}},
    {&S::aim_accuracy_bfg10k, {300, 750, 1000}},
    {&S::aim_skill_rocketlauncher, {300, 750, 1000}},
    {&S::aim_skill_grenadelauncher, {300, 750, 1000}},
    {&S::aim_skill_plasmagun, {300, 750, 1000}},
    {&S::aim_skill_bfg10k, {300, 750, 1000}},
    {&S::croucher, {0, 100, 0}},
    {&S::jumper, {0, 1000, 1000}},
    {&S::walker, {0, 0, 0}},
    {&S::weaponjumping, {500, 1000, 1000}},
    {&S::grapple_user, {500, 1000, 1000}},
    {&S::aggression, {250, 1000, 1000}},
    {&S::selfpreservation, {500, 1000, 1000}},
    {&S::vengefulness, {250, 1000, 1000}},
    {&S::camper, {250, 500, 0}},
    {&S::easy_fragger, {500, 1000, 1000}},
    {&S::alertness, {500, 1000, 1000}},
    {&S::chat_cpm, {400, 400, 400}},
    {&S::chat_insult, {500, 100, 100}},
    {&S::chat_misc, {500, 100, 100}},
    {&S::chat_startendlevel, {500, 100, 100}},
    {&S::chat_enterexitgame, {500, 100, 100}},
    {&S::chat_kill, {500, 100, 100}},
    {&S::chat_death, {500, 100, 100}},
    {&S::chat_enemysuicide, {500, 100, 100}},
    {&S::chat_hittalking, {100, 100, 100}},
    {&S::chat_hitnodeath, {500, 100, 100}},
    {&S::chat_hitnokill, {500, 100, 100}},
    {&S::chat_random, {500, 100, 100}},
    {&S::chat_reply, {500, 100, 100}},
    {&S::item_fs_health, {2, 2, 2}},
    {&S::item_fs_armor, {3, 3, 3}},
    {&S::item_flag_weight, {50, 50, 50}},
    {&S::item_w_teleporter, {10, 10, 10}},
    {&S::item_w_medkit, {10, 10, 10}},
    {&S::item_w_quad, {10, 10, 10}},
    {&S::item_w_enviro, {400, 400, 400}},
    {&S::item_w_haste, {10, 10, 10}},
    {&S::item_w_invisibility, {200, 200, 200}},
    {&S::item_w_regen, {10, 10, 10}},
    {&S::item_w_flight, {10, 10, 10}},
    {&S::item_w_shotgun, {200, 200, 200}},
    {&S::item_w_machinegun, {10, 10, 10}},
    {&S::item_w_grenadelauncher, {10, 10, 10}},
    {&S::item_w_rocketlauncher, {300, 300, 300}},
    {&S::item_w_railgun, {250, 250, 250}},
    {&S::item_w_bfg10k, {10, 10, 10}},
    {&S::item_w_lightning, {10, 10, 10}},
    {&S::item_w_plasmagun, {250, 250, 250}},
    {&S::item_gww_shotgun, {50, 50, 50}},
    {&S::item_gww_machinegun, {10, 10, 10}},
    {&S::item_gww_grenadelauncher, {30, 30, 30}},
    {&S::item_gww_rocketlauncher, {50, 50, 50}},
    {&S::item_gww_railgun, {300, 300, 300}},
    {&S::item_gww_bfg10k, {41, 41, 41}},
    {&S::item_gww_lightning, {40, 40, 40}},
    {&S::item_gww_plasmagun, {250, 250, 250}},
    {&S::weapon_gauntlet, {5, 5, 5}},
    {&S::weapon_shotgun, {200, 200, 200}},
    {&S::weapon_machinegun, {10, 10, 10}},
    {&S::weapon_grenadelauncher, {10, 10, 10}},
    {&S::weapon_rocketlauncher, {300, 300, 300}},
    {&S::weapon_railgun, {250, 250, 250}},
    {&S::weapon_bfg10k, {10, 10, 10}},
    {&S::weapon_lightning, {10, 10, 10}},
    {&S::weapon_plasmagun, {250, 250, 250}},
    {&S::weapon_grapple, {10, 10, 10}},
};
static_assert(std::size(kNumberDefaults) == 43 + 27 + 10);

// The runs of int32 values inside a block, as [first, last) byte offsets.
constexpr std::size_t kNumberRuns[][2] = {{0, 172}, {192, 300}, {320, 360}};

// The image stores numbers little-endian; on a big-endian host every number
// is turned around on the way in and out.
void ToImageByteOrder([[maybe_unused]] unsigned char* image) {
    if constexpr (std::endian::native == std::endian::big) {
        for (std::size_t block = 0; block < 3; ++block) {
            unsigned char* base =
                image + offsetof(BotProfile, skill) + block * sizeof(SkillProfile);
            for (const auto& run : kNumberRuns)
                for (std::size_t at = run[0]; at < run[1]; at += 4)
                    std::reverse(base + at, base + at + 4);
        }
    }
}

} // namespace

BotProfile EmptyProfile() {
    BotProfile profile;
    std::memset(&profile, 0, sizeof profile);
    return profile;
}

void ApplyDefaults(BotProfile& profile) {
    SetFieldText(profile.gender, "Male");
    for (int block = 0; block < 3; ++block)
        for (const NumberDefault& entry : kNumberDefaults)
            profile.skill[block].*entry.field = entry.value[block];
}

int BlockIndexForLevel(int level) {
    switch (level) {
    case 1:
        return 0;
    case 4:
        return 1;
    case 5:
        return 2;
    default:
        return -1;
    }
}

SkillProfile* BlockForLevel(BotProfile& profile, int level) {
    const int index = BlockIndexForLevel(level);
    return index < 0 ? nullptr : &profile.skill[index];
}

const SkillProfile* BlockForLevel(const BotProfile& profile, int level) {
    const int index = BlockIndexForLevel(level);
    return index < 0 ? nullptr : &profile.skill[index];
}

int LevelOfBlock(int index) {
    return index >= 0 && index < 3 ? kSkillLevels[index] : 0;
}

std::string ProfileImage(const BotProfile& profile) {
    std::string image(kProfileImageSize, '\0');
    std::memcpy(image.data(), &profile, kProfileImageSize);
    ToImageByteOrder(reinterpret_cast<unsigned char*>(image.data()));
    return image;
}

BotProfile ProfileFromImage(const std::string& image) {
    BotProfile profile = EmptyProfile();
    if (image.size() < kProfileImageSize)
        return profile;
    std::string bytes = image.substr(0, kProfileImageSize);
    ToImageByteOrder(reinterpret_cast<unsigned char*>(bytes.data()));
    std::memcpy(&profile, bytes.data(), kProfileImageSize);
    return profile;
}

int WriteProfileImage(const BotProfile& profile, const std::string& path) {
    return WriteResultCode(ReplaceFile(path, ProfileImage(profile)));
}

int ReadProfileImage(BotProfile& profile, const std::string& path) {
    std::string image;
    switch (ReadRegularFile(path, kProfileImageSize, image)) {
    case ReadStatus::Read:
        if (image.size() < kProfileImageSize)
            return 2;
        profile = ProfileFromImage(image);
        return 0;
    case ReadStatus::OpenFailed:
        return 1;
    case ReadStatus::ShortRead:
        break;
    }
    return 2;
}

int LoadStartupProfile(BotProfile& profile, const std::string& path) {
    const int result = ReadProfileImage(profile, path);
    if (result != 0)
        ApplyDefaults(profile);
    return result;
}

int WriteDefaultBot(const BotProfile& profile, const std::string& path) {
    BotProfile stored = profile;
    SetFieldText(stored.name, "");
    SetFieldText(stored.model_name, "");
    return WriteProfileImage(stored, path);
}

const char* SaveBotMessage(int result) {
    switch (result) {
    case 0:
        return "File saved";
    case 1:
        return "File not saved, error opening file";
    default:
        return "File not saved, error writing file";
    }
}

const char* LoadBotMessage(int result) {
    switch (result) {
    case 0:
        return "File loaded";
    case 1:
        return "File not loaded, error opening file";
    default:
        return "File not loaded, error reading file";
    }
}

const char* DefaultBotMessage(int result) {
    switch (result) {
    case 0:
        return "Default bot set";
    case 1:
        return "Default bot not set, error opening file";
    default:
        return "Default bot not set, error writing file";
    }
}

} // namespace vexa
