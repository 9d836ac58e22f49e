#pragma once

#include "core/settings/AppSettings.h"

#include <QDialog>

class QCheckBox;

namespace vexa::ui {

// "&General Settings": the six on/off options.
class GeneralSettingsDialog final : public QDialog {
    Q_OBJECT

public:
    GeneralSettingsDialog(AppSettings& settings, QWidget* parent);

    // Sets every box from its option, exactly as the options are, then runs
    // the dialog.
    int exec() override;
    // Stores the boxes (TabSkill first, which also sets WeightsSkillLevel)
    // and closes with OK.
    void accept() override;

private:
    AppSettings& settings_;
    QCheckBox* tabSkillBox_;
    QCheckBox* bothTabsBox_;
    QCheckBox* applyAllBox_;
    QCheckBox* fineTuneBox_;
    QCheckBox* okCancelBox_;
    QCheckBox* buildFoldBox_;
};

} // namespace vexa::ui
