#pragma once

#include "core/generate/Names.h"
#include "core/generate/OutputFiles.h"
#include "core/profile/BotProfile.h"
#include "core/profile/ProfileExtras.h"
#include "core/settings/AppSettings.h"
#include "core/util/Paths.h"

#include <string>
#include <string_view>

namespace vexa {

// The texts of the game's bot files, with "\n" line ends. `style` is the
// path style whose file-name form gives the default chat and model names.
// What `extras` keeps is written too: lines as the bot's files had them,
// while the record still holds what they were kept with, and the lines,
// situations and keys the record has no place for.

// The character file: the "skill 1", "skill 4" and "skill 5" blocks. With
// TabSkill off every block names the Skill 1 files and chat block, the only
// ones written; with it on each block names its own level's.
std::string CharacterFileText(const BotProfile& profile, bool tabSkill,
                              PathStyle style = NativePathStyle(),
                              const ProfileExtras& extras = NoExtras());
// The weapon weights, item weights and chat files of one pass.
// The #include lines are the designer's own, or those the extras keep.
std::string WeaponWeightsFileText(const SkillProfile& block, const LevelExtras& extras = {});
std::string ItemWeightsFileText(const SkillProfile& block, const LevelExtras& extras = {});
std::string ChatFileText(const SkillProfile& block, const std::string& chatName,
                         const LevelExtras& extras = {});
// The bot info (.bot) file.
std::string BotInfoFileText(const BotProfile& profile, PathStyle style = NativePathStyle(),
                            const ProfileExtras& extras = NoExtras());
// The name the bot info file gives the bot (its model: WrittenModel), and
// the chat name of a pass, as written.
std::string WrittenName(const BotProfile& profile, const ProfileExtras& extras);
std::string WrittenChatName(const BotProfile& profile, int pass, PathStyle style,
                            const ProfileExtras& extras);
// A value of the bot info file. The game drops a key whose value holds a
// quotation mark, a backslash or a semicolon, so those are left out. The
// rest goes as it is, or between quotation marks when it holds a blank, a
// tab or a byte above 127 (the game reads each value as one word, and takes
// such a byte outside quotation marks for a blank), "//" or "/*" (which
// script readers would take for a comment).
std::string BotInfoValue(std::string_view value);

// The writers. `settings.BaseDir` must be in normal form and the checks of
// GenerateSource passed. Each returns 0 when its file was written, else its
// result code: 11, 21, 31, 41 or 51 when the file cannot be created, 12, 22,
// 32, 42 or 52 when writing it fails (the previous file is then kept).
// Files that `files` stages reach their place only at its CommitFiles.
int WriteCharacterFile(const BotProfile& profile, const AppSettings& settings, PathStyle style,
                       OutputFiles& files, const ProfileExtras& extras = NoExtras());
// `pass` is 0 (TabSkill off) or 1, 2, 3 (the Skill 1, 4, 5 blocks).
int WriteWeaponWeightsFile(const BotProfile& profile, const AppSettings& settings, int pass,
                           PathStyle style, OutputFiles& files,
                           const ProfileExtras& extras = NoExtras());
int WriteItemWeightsFile(const BotProfile& profile, const AppSettings& settings, int pass,
                         PathStyle style, OutputFiles& files,
                         const ProfileExtras& extras = NoExtras());
int WriteChatFile(const BotProfile& profile, const AppSettings& settings, int pass, PathStyle style,
                  OutputFiles& files, const ProfileExtras& extras = NoExtras());
// Creates the scripts folder first when BuildFold is on (a failure there
// shows as a failure to create the file).
int WriteBotInfoFile(const BotProfile& profile, const AppSettings& settings, PathStyle style,
                     OutputFiles& files, const ProfileExtras& extras = NoExtras());

} // namespace vexa
