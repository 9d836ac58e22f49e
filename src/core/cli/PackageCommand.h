#pragma once

#include "core/profile/BotProfile.h"
#include "core/profile/ProfileExtras.h"
#include "core/settings/AppSettings.h"

#include <ostream>
#include <string>

namespace vexa {

// vexa --generate PROFILE --pk3 PACKAGE: packs the bot of `profile` with the
// options of `settings` into the .pk3 archive `packageFile`. On success the
// package's and the model's messages go to `out` and the status is 0; on
// failure the message goes to `err` and the status is the result code
// (14 to 52 as for loose files, 61 or 62 for the package file itself).
int RunPackageExport(const BotProfile& profile, const AppSettings& settings,
                     const std::string& packageFile, std::ostream& out, std::ostream& err,
                     const ProfileExtras& extras = NoExtras());

} // namespace vexa
