#pragma once

#include "core/archive/PickedSource.h"
#include "core/profile/BotProfile.h"
#include "core/profile/ProfileExtras.h"
#include "core/settings/AppSettings.h"
#include "ui/common/Prompts.h"

class QWidget;

namespace vexa::ui {

// File > Import Bot...: the user picks a base folder, a .pk3, a .bot or a
// character file (starting in the base folder); when it holds several bots,
// chooses one from a list with a filter box (and may keep the bot's own file
// names); the bot replaces `profile` only when it was read, and the report
// of what could not be kept is shown. True when the profile (and with it
// `extras`) was replaced.
bool ImportBotInto(BotProfile& profile, ProfileExtras& extras, const AppSettings& settings,
                   Prompts& prompts, QWidget* parent);

// Imports bot `chosen` of `found` (the bots of `picked`): the bot replaces
// `profile` only when it was read, and the report of what could not be kept
// is shown. True when the profile (and with it `extras`) was replaced.
bool ImportChosenBot(BotProfile& profile, ProfileExtras& extras, const PickedSource& picked,
                     const PickedBots& found, std::size_t chosen, const ImportOptions& options,
                     Prompts& prompts, QWidget* parent);

} // namespace vexa::ui
