#pragma once

#include "core/editors/EditorTables.h"
#include "core/levels/GameLevels.h"
#include "core/profile/BotProfile.h"
#include "core/profile/ProfileExtras.h"
#include "core/settings/AppSettings.h"
#include "ui/common/Prompts.h"

#include <QDialog>
#include <functional>
#include <map>

class QListWidget;
class QTabWidget;
class QTableWidget;

namespace vexa::ui {

class LineChart;

// The value groups of the Difficulty and Compare windows: the editors'
// tables, whose labels and ranges the charts take.
inline constexpr std::array<const EditorTable*, 4> kLevelGroups = {
    &kSkillSettingsEditor, &kWeaponAimEditor, &kPersonalitySettingsEditor, &kChatSettingsEditor};

// The characteristic a binding feeds; nullptr for a weight.
const CharacteristicFormat* CharacteristicOf(const ValueBinding& binding);
// A binding's label without its colon ("Attack Skill").
QString BindingName(const ValueBinding& binding);

// "Difficulty": the bot at the game's five levels. A tab per group of
// values (skills, weapon aim, personality, chat) with a chart of each value
// across levels 1 to 5, the levels the bot sets as filled points and those
// the game computes as hollow ones; the weight and chat files used at each
// level; and what the game would read as 0 or take unexpectedly from
// Skill 1. Choosing a set point asks for that level's editor on that value.
class DifficultyDialog final : public QDialog {
    Q_OBJECT

public:
    // `extras`: what the bot keeps beyond its record, written with it (a
    // number's form decides how levels 2 and 3 are computed).
    DifficultyDialog(const BotProfile& profile, const AppSettings& settings, Prompts& prompts,
                     QWidget* parent = nullptr, const ProfileExtras& extras = NoExtras());

    // Opens the editor of `level` (1, 4 or 5) on the value `binding` of
    // `table`; the window shows the levels anew afterwards.
    using EditValue = std::function<void(int level, const EditorTable& table, std::size_t row)>;
    void setEditValue(EditValue edit) { edit_ = std::move(edit); }

    // Computes and shows the levels of the profile as it is now.
    void refresh();

    const GameLevels& levels() const { return levels_; }
    LineChart* chart(const CharacteristicFormat& format) const;
    QTabWidget* groupTabs() const { return tabs_; }
    QTableWidget* filesTable() const { return files_; }
    QListWidget* problemList() const { return problems_; }

private:
    void savePicture();

    const BotProfile& profile_;
    const ProfileExtras& extras_;
    const AppSettings& settings_;
    Prompts& prompts_;
    EditValue edit_;
    GameLevels levels_;
    QTabWidget* tabs_ = nullptr;
    QTableWidget* files_ = nullptr;
    QListWidget* problems_ = nullptr;
    std::map<const CharacteristicFormat*, LineChart*> charts_;
};

} // namespace vexa::ui
