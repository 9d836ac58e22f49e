#include "core/cli/SourceCommands.h"

#include "core/archive/GameFolderSource.h"
#include "core/game/RandomStrings.h"
#include "core/generate/GenerateSource.h"
#include "core/generate/Names.h"
#include "core/generate/SourceChecks.h"

#include <memory>
#include <optional>
#include <string_view>

namespace vexa {

namespace {

// Said once by --check when the game has no botfiles/rnd.c.
constexpr std::string_view kRandomStringsUnchecked =
    "warning: the base folder holds no botfiles/rnd.c, loose or in an archive: random strings "
    "in chat lines were not checked";

} // namespace

int RunGenerate(const BotProfile& profile, AppSettings& settings, bool force, std::ostream& out,
                std::ostream& err, const ProfileExtras& extras) {
    // The checks read the game's files as the game finds them: loose, or in
    // one of the base folder's archives.
    const std::unique_ptr<GameFileSource> game = BaseFolderView(settings.BaseDir);
    GenerateGuards guards;
    guards.game = game.get();
    std::optional<OtherBotFile> refused;
    guards.replaceOtherBot = [force, &refused](const OtherBotFile& file) {
        if (!force)
            refused = file;
        return force;
    };
    DiskFiles disk;
    const int result = GenerateSource(profile, settings, NativePathStyle(), disk, guards, extras);
    if (result == kGenerateDeclined && refused) {
        err << "vexa: " << OtherBotFilePlace(*refused) << " belongs to the bot " << refused->bot
            << "; nothing was written (--force replaces that bot's files)\n";
        return kOtherBotRefusedStatus;
    }
    if (result != 0) {
        err << GenerateFailureMessage(result, profile, settings, disk, guards.game, extras) << '\n';
        return result;
    }
    out << GenerateSuccessMessage(settings) << '\n'
        << GenerateModelMessage(profile, extras) << '\n';
    for (const std::string& warning :
         DuplicateBotWarnings(profile, settings, NativePathStyle(), *game, extras))
        err << "vexa: warning: " << warning << '\n';
    return 0;
}

bool ReadCommandProfile(const std::string& path, BotProfile& profile, ProfileExtras& extras,
                        std::ostream& err) {
    ExtrasStatus status{};
    if (const int read = ReadProfileFile(profile, extras, path, status); read != 0) {
        err << LoadBotMessage(read) << '\n';
        return false;
    }
    if (const std::string_view note = ExtrasMessage(status); !note.empty())
        err << "vexa: warning: " << note << '\n';
    return true;
}

AppSettings CommandSettings() {
    AppSettings settings;
    ResetSettings(settings);
    ReadSettingsFile(settings, WorkingDirectoryFile(kSettingsFileName));
    return settings;
}

int RunCheck(const CommandLine& commandLine, std::ostream& out, std::ostream& err) {
    BotProfile profile = EmptyProfile();
    ProfileExtras extras;
    if (!ReadCommandProfile(commandLine.profileFile, profile, extras, err))
        return 1;
    AppSettings settings = CommandSettings();
    if (commandLine.baseDir)
        settings.BaseDir = AbsolutePath(*commandLine.baseDir);
    if (!FirstOutsideBaseFolderRefusal(profile, settings.TabSkill, NativePathStyle(), extras)
             .empty()) {
        err << GenerateFailureMessage(kNameOutsideBaseFolder, profile, settings, nullptr,
                                      NativePathStyle(), extras)
            << '\n';
        return kNameOutsideBaseFolder;
    }

    // The game's random strings, from botfiles/rnd.c as the game finds it:
    // loose, or in one of the base folder's archives.
    const std::optional<RandomStringNames> names =
        ReadRandomStringNames(*BaseFolderView(settings.BaseDir));
    if (!names)
        out << kRandomStringsUnchecked << '\n';
    bool readable = true;
    for (const ChatLineFinding& finding :
         CheckChatLinesToWrite(profile, extras, settings.TabSkill, names ? &*names : nullptr)) {
        out << ChatFindingReportLine(finding) << '\n';
        readable = readable && !finding.error;
    }
    return readable ? 0 : 43;
}

} // namespace vexa
