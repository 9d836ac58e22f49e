#pragma once

#include "core/profile/BotProfile.h"
#include "core/settings/AppSettings.h"
#include "core/settings/LocationRules.h"

#include <QDialog>
#include <optional>
#include <string>

class QLineEdit;

namespace vexa::ui {

class Prompts;

// "&File Locations": the weapon weights, chat and item weights file names of
// the skill level chosen on the right tab strip (SkillLevel).
class FileLocationsDialog final : public QDialog {
    Q_OBJECT

public:
    FileLocationsDialog(BotProfile& profile, AppSettings& settings, Prompts& prompts,
                        QWidget* parent);

    // The opener's skill-level caption; nothing leaves the field as it is.
    void setCaption(const std::optional<std::string>& caption);

    // Shows the level's names, or proposals, then runs the dialog.
    int exec() override;
    // Stores the three names for the level and closes with OK.
    void accept() override;

private slots:
    void applyToAll();

private:
    FileLocations fieldTexts() const;
    bool namesUsable();

    BotProfile& profile_;
    AppSettings& settings_;
    Prompts& prompts_;
    QLineEdit* captionEdit_;
    QLineEdit* weaponWeightsEdit_;
    QLineEdit* chatEdit_;
    QLineEdit* itemWeightsEdit_;
};

} // namespace vexa::ui
