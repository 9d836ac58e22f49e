#include "core/cli/LevelsCommand.h"

#include "core/levels/GameLevels.h"
#include "core/profile/ProfileExtras.h"
#include "core/settings/AppSettings.h"

namespace vexa {

int RunLevels(const CommandLine& commandLine, std::ostream& out, std::ostream& err) {
    BotProfile profile = EmptyProfile();
    ProfileExtras extras;
    ExtrasStatus extrasStatus{};
    if (const int read = ReadProfileFile(profile, extras, commandLine.profileFile, extrasStatus);
        read != 0) {
        err << LoadBotMessage(read) << '\n';
        return 1;
    }
    if (const std::string_view note = ExtrasMessage(extrasStatus); !note.empty())
        err << "vexa: warning: " << note << '\n';
    // TabSkill decides the default file names each level's block names.
    AppSettings settings;
    ResetSettings(settings);
    ReadSettingsFile(settings, WorkingDirectoryFile(kSettingsFileName));
    const GameLevels levels =
        LevelsOfProfile(profile, settings.TabSkill, NativePathStyle(), extras);
    out << LevelsTableText(levels);
    for (const LevelProblem& problem : levels.problems)
        err << "vexa: " << LevelProblemLine(problem) << '\n';
    return 0;
}

} // namespace vexa
