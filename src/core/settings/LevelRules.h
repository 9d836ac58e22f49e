#pragma once

#include "core/profile/BotProfile.h"
#include "core/settings/AppSettings.h"

namespace vexa {

// The tab strips list the levels in the order of the profile's blocks, so a
// tab index is a block index.
// The level of a tab strip item: 1, 4, 5 for the indexes 0, 1, 2; 0 for any
// other index.
inline int LevelOfTab(int index) {
    return LevelOfBlock(index);
}
// The tab strip item of a level: 0, 1, 2 for 1, 4, 5; -1 for any other level.
inline int TabOfLevel(int level) {
    return BlockIndexForLevel(level);
}

// The right tab strip changed to `index`: SkillLevel follows it, and so does
// WeightsSkillLevel while TabSkill is on and BothTabs off. An index outside
// 0 to 2 changes nothing.
void SelectSkillTab(AppSettings& settings, int index);

// The left tab strip changed to `index`: WeightsSkillLevel follows it.
void SelectWeightsTab(AppSettings& settings, int index);

// Whether the left tab strip is shown at start-up.
bool WeightsTabShownAtStartup(const AppSettings& settings);

// The six on/off options of the General Settings dialog.
struct GeneralOptions {
    bool tabSkill = false;
    bool bothTabs = false;
    bool applyAll = false;
    bool fineTune = false;
    bool okCancel = false;
    bool buildFold = false;

    bool operator==(const GeneralOptions&) const = default;
};

GeneralOptions GeneralOptionsOf(const AppSettings& settings);

// OK in the General Settings dialog: TabSkill first (WeightsSkillLevel then
// becomes SkillLevel, or 1 when TabSkill is off), then the other five.
void StoreGeneralOptions(AppSettings& settings, const GeneralOptions& options);

// The main window's follow-up after the General Settings dialog closed with
// OK: whether the left strip is shown. When it is, WeightsSkillLevel becomes
// the level of the strip's item `weightsTabIndex`.
bool ApplyWeightsTabAfterSettings(AppSettings& settings, int weightsTabIndex);

} // namespace vexa
