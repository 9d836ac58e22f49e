#pragma once

#include "core/cli/CommandLine.h"
#include "core/profile/BotProfile.h"
#include "core/profile/ProfileExtras.h"
#include "core/settings/AppSettings.h"

#include <ostream>
#include <string>

namespace vexa {

// The exit status of --generate when the bot's character file belongs to
// another bot and --force was not given.
inline constexpr int kOtherBotRefusedStatus = 3;

// The settings of the working folder's settings file, defaults where it
// has none.
AppSettings CommandSettings();

// Reads a command's profile file with what it keeps beyond the record. When
// the file cannot be read, writes the load message to `err` and returns
// false; extra data that was set aside or ignored is a warning there.
bool ReadCommandProfile(const std::string& path, BotProfile& profile, ProfileExtras& extras,
                        std::ostream& err);

// vexa --generate, once the profile and the options are read: writes the
// files unless a chat line cannot be read by the game (43) or, without
// `force`, the character file belongs to another bot (3); warns on standard
// error about other .bot files naming the same bot after a success.
int RunGenerate(const BotProfile& profile, AppSettings& settings, bool force, std::ostream& out,
                std::ostream& err, const ProfileExtras& extras = NoExtras());

// vexa --check: every problem and warning of the chat lines that --generate
// would write, one a line on standard output. 0 when the game can read
// them all, 43 when not, 1 when the profile cannot be read, 17 (with the
// field and the reason on standard error) when a stored file name would
// lead outside the base folder.
int RunCheck(const CommandLine& commandLine, std::ostream& out, std::ostream& err);

} // namespace vexa
