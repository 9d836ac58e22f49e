#pragma once

#include "core/generate/OutputFiles.h"
#include "core/profile/BotProfile.h"
#include "core/settings/AppSettings.h"
#include "core/util/Paths.h"

#include <string>

namespace vexa {

// Create Arvon source: checks the profile and the base folder, puts BaseDir
// in its normal form (kept in `settings`), creates the output folders when
// BuildFold is on and writes the character, weapon weights, item weights,
// chat and bot info files, stopping at the first failure. Returns 0 or the
// first failure's result code (11 to 16, 21, 22, 31, 32, 41, 42, 51, 52).
// The profile is never changed.
int GenerateSource(const BotProfile& profile, AppSettings& settings,
                   PathStyle style = NativePathStyle());
// The same, creating folders and files through `files`.
int GenerateSource(const BotProfile& profile, AppSettings& settings, PathStyle style,
                   OutputFiles& files);

// The message for a non-zero result code of GenerateSource; empty for any
// other number.
std::string GenerateResultMessage(int code);

// The two messages shown, one after the other, after a successful run.
std::string GenerateSuccessMessage(const AppSettings& settings);
std::string GenerateModelMessage(const BotProfile& profile);

} // namespace vexa
