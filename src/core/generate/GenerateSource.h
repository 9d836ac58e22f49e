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

// The message for a failed run through `files`: the code's message, then,
// when the platform told more, a line saying why (a file open in another
// program, a name Windows reserves for a device).
std::string GenerateFailureMessage(int code, const OutputFiles& files);

// The two messages shown, one after the other, after a successful run. The
// base folder is shown with `style`'s separators only.
std::string GenerateSuccessMessage(const AppSettings& settings,
                                   PathStyle style = NativePathStyle());
std::string GenerateModelMessage(const BotProfile& profile);

} // namespace vexa
