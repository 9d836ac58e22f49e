#include "core/cli/LevelsCommand.h"

#include "core/cli/SourceCommands.h"
#include "core/levels/GameLevels.h"
#include "core/profile/ProfileExtras.h"
#include "core/settings/AppSettings.h"

namespace vexa {

int RunLevels(const CommandLine& commandLine, std::ostream& out, std::ostream& err) {
    BotProfile profile = EmptyProfile();
    ProfileExtras extras;
    if (!ReadCommandProfile(commandLine.profileFile, profile, extras, err))
        return 1;
    // TabSkill decides the default file names each level's block names.
    AppSettings settings = CommandSettings();
    const GameLevels levels =
        LevelsOfProfile(profile, settings.TabSkill, NativePathStyle(), extras);
    out << LevelsTableText(levels);
    for (const LevelProblem& problem : levels.problems)
        err << "vexa: " << LevelProblemLine(problem) << '\n';
    return 0;
}

} // namespace vexa
