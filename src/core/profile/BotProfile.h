#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vexa {

inline constexpr int kChatCategoryCount = 28;
inline constexpr int kChatLinesPerCategory = 10;
inline constexpr int kChatLineWidth = 80;

// One skill level's values. The layout is the profile file's, byte for byte:
// 22800 bytes, no gaps. Fraction values are held in thousandths
// (`reactiontime` in hundredths); weights, `view_maxchange` and `chat_cpm`
// in whole units.
struct SkillProfile {
    // Characteristics (offsets 0 to 171).
    std::int32_t attack_skill;
    std::int32_t aim_skill;
    std::int32_t aim_accuracy;
    std::int32_t view_factor;
    std::int32_t view_maxchange;
    std::int32_t reactiontime;
    std::int32_t firethrottle;
    std::int32_t aim_accuracy_machinegun;
    std::int32_t aim_accuracy_shotgun;
    std::int32_t aim_accuracy_rocketlauncher;
    std::int32_t aim_accuracy_grenadelauncher;
    std::int32_t aim_accuracy_lightning;
    std::int32_t aim_accuracy_plasmagun;
    std::int32_t aim_accuracy_railgun;
    std::int32_t aim_accuracy_bfg10k;
    std::int32_t aim_skill_rocketlauncher;
    std::int32_t aim_skill_grenadelauncher;
    std::int32_t aim_skill_plasmagun;
    std::int32_t aim_skill_bfg10k;
    std::int32_t croucher;
    std::int32_t jumper;
    std::int32_t walker;
    std::int32_t weaponjumping;
    std::int32_t grapple_user;
    std::int32_t aggression;
    std::int32_t selfpreservation;
    std::int32_t vengefulness;
    std::int32_t camper;
    std::int32_t easy_fragger;
    std::int32_t alertness;
    std::int32_t chat_cpm;
    std::int32_t chat_insult;
    std::int32_t chat_misc;
    std::int32_t chat_startendlevel;
    std::int32_t chat_enterexitgame;
    std::int32_t chat_kill;
    std::int32_t chat_death;
    std::int32_t chat_enemysuicide;
    std::int32_t chat_hittalking;
    std::int32_t chat_hitnodeath;
    std::int32_t chat_hitnokill;
    std::int32_t chat_random;
    std::int32_t chat_reply;

    // Item weights (offsets 172 to 299).
    char itemweights[20];
    std::int32_t item_fs_health;
    std::int32_t item_fs_armor;
    std::int32_t item_flag_weight;
    std::int32_t item_w_teleporter;
    std::int32_t item_w_medkit;
    std::int32_t item_w_quad;
    std::int32_t item_w_enviro;
    std::int32_t item_w_haste;
    std::int32_t item_w_invisibility;
    std::int32_t item_w_regen;
    std::int32_t item_w_flight;
    std::int32_t item_w_shotgun;
    std::int32_t item_w_machinegun;
    std::int32_t item_w_grenadelauncher;
    std::int32_t item_w_rocketlauncher;
    std::int32_t item_w_railgun;
    std::int32_t item_w_bfg10k;
    std::int32_t item_w_lightning;
    std::int32_t item_w_plasmagun;
    std::int32_t item_gww_shotgun;
    std::int32_t item_gww_machinegun;
    std::int32_t item_gww_grenadelauncher;
    std::int32_t item_gww_rocketlauncher;
    std::int32_t item_gww_railgun;
    std::int32_t item_gww_bfg10k;
    std::int32_t item_gww_lightning;
    std::int32_t item_gww_plasmagun;

    // Weapon weights (offsets 300 to 359).
    char weaponweights[20];
    std::int32_t weapon_gauntlet;
    std::int32_t weapon_shotgun;
    std::int32_t weapon_machinegun;
    std::int32_t weapon_grenadelauncher;
    std::int32_t weapon_rocketlauncher;
    std::int32_t weapon_railgun;
    std::int32_t weapon_bfg10k;
    std::int32_t weapon_lightning;
    std::int32_t weapon_plasmagun;
    std::int32_t weapon_grapple;

    // Chat (offsets 360 to 22799). chat_lines[c][l] is line l of chat
    // category c; an empty line is an empty slot.
    char chat_file[20];
    char chat_name[20];
    char chat_lines[kChatCategoryCount][kChatLinesPerCategory][kChatLineWidth];
};

// The one bot being designed: a 60-byte header and three skill blocks for
// the levels 1, 4 and 5 (block indexes 0, 1, 2).
struct BotProfile {
    char name[20];
    char gender[10];
    char model_name[10];
    char main_file[20];
    SkillProfile skill[3];
};

inline constexpr std::size_t kProfileImageSize = 68460;

static_assert(sizeof(SkillProfile) == 22800);
static_assert(offsetof(SkillProfile, itemweights) == 172);
static_assert(offsetof(SkillProfile, weaponweights) == 300);
static_assert(offsetof(SkillProfile, chat_file) == 360);
static_assert(offsetof(SkillProfile, chat_lines) == 400);
static_assert(offsetof(BotProfile, model_name) == 30);
static_assert(offsetof(BotProfile, skill) == 60);
static_assert(sizeof(BotProfile) == kProfileImageSize);

// A zeroed profile: every text empty, every number 0.
BotProfile EmptyProfile();

// Stores "Male" in `gender` and every number's default in the three blocks.
// Names, file names and chat lines keep what they hold.
void ApplyDefaults(BotProfile& profile);

inline constexpr int kSkillLevels[3] = {1, 4, 5};

// Block index 0, 1, 2 for level 1, 4, 5; -1 for any other level.
int BlockIndexForLevel(int level);
// The block of level 1, 4 or 5; nullptr for any other level.
SkillProfile* BlockForLevel(BotProfile& profile, int level);
const SkillProfile* BlockForLevel(const BotProfile& profile, int level);
// 1, 4, 5 for the block indexes 0, 1, 2; 0 for any other index.
int LevelOfBlock(int index);

// The profile file's bytes: exactly kProfileImageSize bytes, numbers
// little-endian, with no header or checksum.
std::string ProfileImage(const BotProfile& profile);
// The profile held by the first kProfileImageSize bytes of `image`, which
// must be at least that long. Any bytes are accepted.
BotProfile ProfileFromImage(const std::string& image);

// 0 written, 1 cannot open (or replace) the file, 2 write failed. The file is
// replaced only by a complete image; on failure the old file is kept.
int WriteProfileImage(const BotProfile& profile, const std::string& path);
// 0 read, 1 cannot open, 2 the file is shorter than the image. On failure the
// profile is left exactly as it was.
int ReadProfileImage(BotProfile& profile, const std::string& path);

// The start-up load: the image at `path`, or the defaults when it cannot be
// read. Returns the ReadProfileImage result, for the caller to report.
int LoadStartupProfile(BotProfile& profile, const std::string& path);

// Make Default Bot: writes the profile to `path` with `name` and
// `model_name` blanked in the stored image only. Returns the
// WriteProfileImage result; the profile itself is unchanged.
int WriteDefaultBot(const BotProfile& profile, const std::string& path);

// The messages of the profile file commands for a result of 0, 1 or 2.
const char* SaveBotMessage(int result);
const char* LoadBotMessage(int result);
const char* DefaultBotMessage(int result);

} // namespace vexa
