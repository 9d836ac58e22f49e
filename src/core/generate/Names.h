#pragma once

#include "core/game/FileNames.h"
#include "core/profile/BotProfile.h"
#include "core/profile/ProfileExtras.h"
#include "core/settings/AppSettings.h"
#include "core/util/Paths.h"

#include <string>
#include <string_view>

namespace vexa {

// Why the main file name cannot be used, or empty when it can: the bot info
// file names the main file, and a quotation mark or a semicolon cannot stand
// in its values.
std::string MainFileNameRefusal(std::string_view mainFile);

// The refusal of the first stored name that a run of the generate command
// with `tabSkill` writes under (the main file, the weapon weights, item
// weights and chat files of each pass, the model name) that would lead
// outside the base folder; empty when none does. A name that `extras`
// keeps whole is checked as it is written: whole.
std::string FirstOutsideBaseFolderRefusal(const BotProfile& profile, bool tabSkill,
                                          PathStyle style = NativePathStyle(),
                                          const ProfileExtras& extras = NoExtras());

// Passes of the weapon weights, item weights and chat writers. With TabSkill
// off there is one pass, 0, from the Skill 1 block, and the default names
// carry no digit; with TabSkill on the passes 1, 2 and 3 write the Skill 1,
// Skill 4 and Skill 5 blocks with the digits 1, 4 and 5.
int FirstPass(bool tabSkill);
int LastPass(bool tabSkill);
// The block index a pass writes: 0, 0, 1, 2 for the passes 0 to 3.
int BlockOfPass(int pass);
// The digit of a pass in default names: '\0' (none) for pass 0, else '1', '4' or '5'.
char PassDigit(int pass);
// The pass whose files the character file names in the block with `index`:
// the pass of that block with TabSkill on, else the single pass 0.
int PassForCharacterBlock(int index, bool tabSkill);

// The three files written once per pass, with the letter of their names.
enum class PassFile : char { WeaponWeights = 'w', ItemWeights = 'i', Chat = 't' };

// `name` with ".c" appended unless it already ends in ".c".
std::string WithCExtension(std::string_view name);

// The default name of a pass file within the bots folder, formed from the
// main file: a trailing ".c" and then a trailing "_c" are dropped, and "_",
// the file's letter, the digit (if any) and ".c" appended. So ranger_c.c
// gives ranger_w.c or ranger_w4.c, and a main file without the usual ending,
// such as ranger, gives ranger_w.c too.
std::string DefaultFileName(std::string_view mainFile, PassFile file, char digit);

// The main file as written: `main_file`, or the whole name `extras` keeps
// while the field holds its first characters.
std::string MainFileName(const BotProfile& profile, const ProfileExtras& extras = NoExtras());

// The name of a pass file below the botfiles folder, as written by the pass's
// writer: the stored name of the pass's block (whole when `extras` keeps
// it), or "bots/" and the default name formed from MainFileName when it is
// empty, with ".c" appended when missing. Separators are those stored (the
// stored names use "/").
std::string PassFileName(const BotProfile& profile, int pass, PassFile file,
                         const ProfileExtras& extras = NoExtras());

// The name under which the game finds a file below the botfiles folder:
// `name` with every "\" turned into "/".
std::string GameReference(std::string_view name);

// The chat name of a pass: the block's stored `chat_name`, unchanged and
// without a digit, or else the file-name form of `name` followed by the
// pass's digit.
std::string ChatName(const BotProfile& profile, int pass, PathStyle style = NativePathStyle());

// The player model of the bot info file: `model_name`, or the file-name
// form of `name` when it is empty.
std::string BotModel(const BotProfile& profile, PathStyle style = NativePathStyle());
// The model the bot info file gives the bot: the model and skin `extras`
// keeps while the field holds its first characters, else BotModel with
// every "\" as "/".
std::string WrittenModel(const BotProfile& profile, PathStyle style, const ProfileExtras& extras);

// The name of the bot info file: the written model and ".bot". The game
// lists the .bot files of its scripts folder only, not of folders below, so
// a model with a skin names the file with "_" in place of each separator:
// knight/red gives knight_red.bot. A model without a skin gives its own
// name (ranger.bot).
std::string BotInfoFileName(const BotProfile& profile, PathStyle style = NativePathStyle(),
                            const ProfileExtras& extras = NoExtras());

// Output paths. `settings.BaseDir` must be in normal form. Each path has
// every separator of the other style turned into `style`'s own.
// The folder created before the character file when BuildFold is on.
std::string OutputFolder(const AppSettings& settings, PathStyle style);
// The character file: BaseDir, botfiles/bots/ when BuildFold is on, then
// MainFileName with ".c" appended when missing.
std::string CharacterFilePath(const BotProfile& profile, const AppSettings& settings,
                              PathStyle style, const ProfileExtras& extras = NoExtras());
// A pass file: BaseDir, botfiles/ when BuildFold is on, then PassFileName.
std::string PassFilePath(const BotProfile& profile, const AppSettings& settings, int pass,
                         PassFile file, PathStyle style, const ProfileExtras& extras = NoExtras());
// The folder of the bot info file: BaseDir, then scripts/ when BuildFold is on.
std::string BotInfoFolder(const AppSettings& settings, PathStyle style);
// The bot info file: its folder, then BotInfoFileName.
std::string BotInfoFilePath(const BotProfile& profile, const AppSettings& settings, PathStyle style,
                            const ProfileExtras& extras = NoExtras());

} // namespace vexa
