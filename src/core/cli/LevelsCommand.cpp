#include "core/cli/LevelsCommand.h"

#include "core/levels/GameLevels.h"
#include "core/settings/AppSettings.h"

namespace vexa {

int RunLevels(const CommandLine& commandLine, std::ostream& out, std::ostream& err) {
    BotProfile profile = EmptyProfile();
    if (const int read = ReadProfileImage(profile, commandLine.profileFile); read != 0) {
        err << LoadBotMessage(read) << '\n';
        return 1;
    }
    // TabSkill decides the default file names each level's block names.
    AppSettings settings;
    ResetSettings(settings);
    ReadSettingsFile(settings, WorkingDirectoryFile(kSettingsFileName));
    const GameLevels levels = LevelsOfProfile(profile, settings.TabSkill);
    out << LevelsTableText(levels);
    for (const LevelProblem& problem : levels.problems)
        err << "vexa: " << LevelProblemLine(problem) << '\n';
    return 0;
}

} // namespace vexa
