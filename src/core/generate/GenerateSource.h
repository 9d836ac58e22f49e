#pragma once

#include "core/generate/OutputFiles.h"
#include "core/generate/SourceChecks.h"
#include "core/profile/BotProfile.h"
#include "core/profile/ProfileExtras.h"
#include "core/settings/AppSettings.h"
#include "core/util/Paths.h"

#include <functional>
#include <string>

namespace vexa {

// The result of a run that stopped because replacing another bot's files was
// declined: nothing was written, and there is nothing more to tell.
inline constexpr int kGenerateDeclined = 3;

// The result when a stored file name would lead outside the base folder
// (see FirstOutsideBaseFolderRefusal); nothing is written, no folder made.
inline constexpr int kNameOutsideBaseFolder = 17;

// The checks of Create Arvon source beyond the profile's fields, made after
// those and before the first file is written.
struct GenerateGuards {
    // The base folder as the game sees it, loose files and archives, built
    // by the caller; the checks of random strings and of other bots' files
    // read the game's files through it. Without it neither is made.
    const GameFileSource* game = nullptr;
    // Result 43 when a chat line that would be written cannot be read by the
    // game (see FirstUnreadableChatLine; with `game`, a random string that
    // the game's botfiles/rnd.c does not define counts as well).
    bool checkChatLines = true;
    // Asked when the character file the run would replace, or whose place in
    // the game it would take, names another bot (OtherBotsCharacterFile);
    // false stops the run with kGenerateDeclined. When empty, files are
    // replaced without asking.
    std::function<bool(const OtherBotFile&)> replaceOtherBot;
};

// Create Arvon source: checks the profile and the base folder, puts BaseDir
// in its normal form (kept in `settings`), creates the output folders when
// BuildFold is on, checks the chat lines and writes the character, weapon
// weights, item weights, chat and bot info files, stopping at the first
// failure. Through files that stage their writes (DiskFiles) this is all or
// nothing: the files are put in place together once every one is complete,
// and a failure before that changes no file. Returns 0 or the first failure's result code (11 to
// 17, 21, 22, 31, 32, 41, 42, 43, 51, 52) or kGenerateDeclined. The profile is never changed.
int GenerateSource(const BotProfile& profile, AppSettings& settings,
                   PathStyle style = NativePathStyle());
// The same, creating folders and files through `files`.
int GenerateSource(const BotProfile& profile, AppSettings& settings, PathStyle style,
                   OutputFiles& files);
// With `extras`, what the profile keeps beyond its record is written too.
int GenerateSource(const BotProfile& profile, AppSettings& settings, PathStyle style,
                   OutputFiles& files, const GenerateGuards& guards,
                   const ProfileExtras& extras = NoExtras());

// The message for a non-zero result code of GenerateSource; empty for any
// other number.
std::string GenerateResultMessage(int code);
// The message to show for a non-zero result of GenerateSource on `profile`:
// for 43 it names the first unreadable line and why ("...:\nSkill 4, Death
// Rail, response 3: expected a comma after the name Hello"); empty for
// kGenerateDeclined.
// `game` is the view the run was given (GenerateGuards::game), if any. For
// kNameOutsideBaseFolder it names the field, the name and why.
// `extras`: what the bot keeps beyond its record, as given to the run; its
// kept chat lines are checked too.
std::string GenerateFailureMessage(int code, const BotProfile& profile, const AppSettings& settings,
                                   const GameFileSource* game = nullptr,
                                   PathStyle style = NativePathStyle(),
                                   const ProfileExtras& extras = NoExtras());

// The same for a run through `files`, followed, when the platform told more,
// by a line saying why (a file open in another program, a name Windows
// reserves for a device).
std::string GenerateFailureMessage(int code, const BotProfile& profile, const AppSettings& settings,
                                   const OutputFiles& files, const GameFileSource* game = nullptr,
                                   const ProfileExtras& extras = NoExtras());

// The two messages shown, one after the other, after a successful run. The
// base folder is shown with `style`'s separators only.
std::string GenerateSuccessMessage(const AppSettings& settings,
                                   PathStyle style = NativePathStyle());
std::string GenerateModelMessage(const BotProfile& profile,
                                 const ProfileExtras& extras = NoExtras());

} // namespace vexa
