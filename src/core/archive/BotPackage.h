// A bot packed for sharing: the files that Create Arvon source writes, in
// one .pk3 archive (a zip file that the game reads from its base folder)
// under the paths by which the game looks them up.
#pragma once

#include "core/profile/BotProfile.h"
#include "core/profile/ProfileExtras.h"
#include "core/settings/AppSettings.h"
#include "core/util/FileIO.h"

#include <ctime>
#include <string>
#include <vector>

namespace vexa {

// One file of a bot package: its path inside the archive, always with "/"
// ("botfiles/bots/ranger_c.c", "scripts/ranger.bot"), and its bytes, exactly
// those of the loose file on this platform.
struct PackageEntry {
    std::string path;
    std::string bytes;
};

// The package's own result codes, beside those of GenerateSource: the
// archive file cannot be created or replaced (61), or writing it failed (62).
inline constexpr int kPackageOpenFailed = 61;
inline constexpr int kPackageWriteFailed = 62;

// Runs Create Arvon source in memory: the same checks, result codes and file
// texts, but no base folder is needed or changed, and BuildFold does not
// matter, since inside the archive the files always have the game's paths.
// A file whose stored name the game could not find inside an archive (an
// empty, "." or ".." step, such as "bots//x" or "../x", or a colon or
// control character) fails like a file that cannot be created. On success `entries` holds the files
// in the order they were written, each path once; on failure it is empty.
// `extras`: what the bot keeps beyond the record, written with it.
int CollectBotPackage(const BotProfile& profile, const AppSettings& settings,
                      std::vector<PackageEntry>& entries, const ProfileExtras& extras = NoExtras());

// The bytes of a zip archive of `entries`, each deflated and dated
// `modified`. False, with libzip's reason in `error`, when it cannot be made.
bool BuildPackageArchive(const std::vector<PackageEntry>& entries, std::time_t modified,
                         std::string& archive, std::string* error = nullptr);

// Export Bot Package: collects the bot's files, packs them dated `modified`
// and replaces the file at `path` with the archive. The archive is first
// written to a temporary file beside it, so a failure leaves no partial
// archive and keeps an older one byte for byte. Returns 0, a GenerateSource
// result code, kPackageOpenFailed or kPackageWriteFailed. `failure`, when
// given, receives the path and the system's reason when the package file
// cannot be written.
int ExportBotPackage(const BotProfile& profile, const AppSettings& settings,
                     const std::string& path, std::time_t modified = std::time(nullptr),
                     WriteFailure* failure = nullptr, const ProfileExtras& extras = NoExtras());

// The message for a non-zero result of ExportBotPackage on `profile` with
// `settings`: for the codes of GenerateSource the message Create Arvon
// source shows (naming the unreadable chat line for 43); for the package
// file's own codes the message followed by `failure`'s path and reason.
std::string PackageFailureMessage(int code, const BotProfile& profile, const AppSettings& settings,
                                  const WriteFailure& failure = {},
                                  const ProfileExtras& extras = NoExtras());
// The message after a successful export to `path`.
std::string PackageSuccessMessage(const std::string& path);

// The proposed file name of the bot's package: "zz-", the file-name form of
// the bot's name ("bot" when that is empty) and ".pk3". The game reads its
// archives in name order, a later one winning over an earlier one for the
// same file; "zz-" puts the bot after the game's own archives, so the
// package's .bot file wins even when it shares its model's name with one of
// the game's bots.
std::string ProposedPackageName(const BotProfile& profile);

} // namespace vexa
