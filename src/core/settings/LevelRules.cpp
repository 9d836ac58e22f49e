#include "core/settings/LevelRules.h"

namespace vexa {

void SelectSkillTab(AppSettings& settings, int index) {
    const int level = LevelOfTab(index);
    if (level == 0)
        return;
    settings.SkillLevel = level;
    if (settings.TabSkill && !settings.BothTabs)
        settings.WeightsSkillLevel = level;
}

void SelectWeightsTab(AppSettings& settings, int index) {
    const int level = LevelOfTab(index);
    if (level != 0)
        settings.WeightsSkillLevel = level;
}

bool WeightsTabShownAtStartup(const AppSettings& settings) {
    return settings.TabSkill && settings.BothTabs;
}

GeneralOptions GeneralOptionsOf(const AppSettings& settings) {
    return {settings.TabSkill, settings.BothTabs, settings.ApplyAll,
            settings.FineTune, settings.OkCancel, settings.BuildFold};
}

void StoreGeneralOptions(AppSettings& settings, const GeneralOptions& options) {
    settings.TabSkill = options.tabSkill;
    settings.WeightsSkillLevel = options.tabSkill ? settings.SkillLevel : 1;
    settings.BothTabs = options.bothTabs;
    settings.FineTune = options.fineTune;
    settings.ApplyAll = options.applyAll;
    settings.OkCancel = options.okCancel;
    settings.BuildFold = options.buildFold;
}

bool ApplyWeightsTabAfterSettings(AppSettings& settings, int weightsTabIndex) {
    if (!settings.BothTabs)
        return false;
    SelectWeightsTab(settings, weightsTabIndex);
    return true;
}

} // namespace vexa
