#include "core/editors/SkillLevelCaption.h"

namespace vexa {

std::optional<std::string> SkillLevelCaption(int level) {
    switch (level) {
    case 1:
        return "Beginning Skill Levels";
    case 4:
        return "Hardcore Skill Level";
    case 5:
        return "Nightmare Skill Level";
    default:
        return std::nullopt;
    }
}

int EditorLevel(const AppSettings& settings, LevelSource source) {
    if (source == LevelSource::Skill)
        return settings.SkillLevel;
    // Without TabSkill only the Skill 1 weights and chat lines are written,
    // whatever the left strip shows.
    return settings.TabSkill ? settings.WeightsSkillLevel : 1;
}

std::optional<std::string> OpeningCaption(const AppSettings& settings, LevelSource source,
                                          bool disabledWhenNoTabSkill) {
    if (disabledWhenNoTabSkill && !settings.TabSkill)
        return std::string(kAdvSkillsDisabledCaption);
    return SkillLevelCaption(EditorLevel(settings, source));
}

} // namespace vexa
