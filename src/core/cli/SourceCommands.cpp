#include "core/cli/SourceCommands.h"

#include "core/archive/GameFolderSource.h"
#include "core/generate/GameFolder.h"
#include "core/generate/GenerateSource.h"
#include "core/generate/Names.h"
#include "core/generate/SourceChecks.h"

#include <optional>

namespace vexa {

int RunGenerate(const BotProfile& profile, AppSettings& settings, bool force, std::ostream& out,
                std::ostream& err, const ProfileExtras& extras) {
    GenerateGuards guards;
    std::optional<OtherBotFile> refused;
    guards.replaceOtherBot = [force, &refused](const OtherBotFile& file) {
        if (!force)
            refused = file;
        return force;
    };
    DiskFiles disk;
    const int result = GenerateSource(profile, settings, NativePathStyle(), disk, guards, extras);
    if (result == kGenerateDeclined && refused) {
        err << "vexa: " << refused->file << " in " << refused->folder << " belongs to the bot "
            << refused->bot << "; nothing was written (--force replaces that bot's files)\n";
        return kOtherBotRefusedStatus;
    }
    if (result != 0) {
        err << GenerateFailureMessage(result, profile, settings, disk) << '\n';
        return result;
    }
    out << GenerateSuccessMessage(settings) << '\n' << GenerateModelMessage(profile) << '\n';
    for (const std::string& warning : DuplicateBotWarnings(profile, settings, NativePathStyle()))
        err << "vexa: warning: " << warning << '\n';
    return 0;
}

int RunCheck(const CommandLine& commandLine, std::ostream& out, std::ostream& err) {
    BotProfile profile = EmptyProfile();
    if (const int read = ReadProfileImage(profile, commandLine.profileFile); read != 0) {
        err << LoadBotMessage(read) << '\n';
        return 1;
    }
    AppSettings settings;
    ResetSettings(settings);
    ReadSettingsFile(settings, WorkingDirectoryFile(kSettingsFileName));
    if (commandLine.baseDir)
        settings.BaseDir = AbsolutePath(*commandLine.baseDir);

    // The game's random strings, from botfiles/rnd.c as the game finds it:
    // loose, or in one of the base folder's archives.
    std::optional<RandomStringNames> names;
    if (IsUsableBaseDir(settings.BaseDir, NativePathStyle())) {
        const BaseFolderSource game(NormalBaseDir(settings.BaseDir, NativePathStyle()));
        names = ReadRandomStringNames(game);
    }
    bool readable = true;
    for (const ChatLineFinding& finding :
         CheckChatLinesToWrite(profile, settings.TabSkill, names ? &*names : nullptr)) {
        out << ChatFindingReportLine(finding) << '\n';
        readable = readable && !finding.error;
    }
    return readable ? 0 : 43;
}

} // namespace vexa
