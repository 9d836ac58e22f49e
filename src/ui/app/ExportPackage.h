#pragma once

#include "core/profile/BotProfile.h"
#include "core/profile/ProfileExtras.h"
#include "core/settings/AppSettings.h"
#include "ui/common/Prompts.h"

class QWidget;

namespace vexa::ui {

// File > Export Bot Package...: packs the files that Create Arvon source
// would write into one .pk3 archive. The bot is checked first, so a bot
// that cannot be generated gets Create Arvon source's message before any
// file dialog; then the user picks the package file (the proposed name in
// the base folder), and the program says where the package went or why it
// was not written. Neither the profile nor the options change.
void ExportPackageCommand(QWidget* parent, const BotProfile& profile, const AppSettings& settings,
                          Prompts& prompts, const ProfileExtras& extras = NoExtras());

} // namespace vexa::ui
