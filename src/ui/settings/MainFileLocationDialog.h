#pragma once

#include "core/profile/BotProfile.h"
#include "core/settings/AppSettings.h"

#include <QDialog>

class QLineEdit;

namespace vexa::ui {

class Prompts;

// The main-file button: the base folder and the name of the bot's main
// (character) file.
class MainFileLocationDialog final : public QDialog {
    Q_OBJECT

public:
    MainFileLocationDialog(BotProfile& profile, AppSettings& settings, Prompts& prompts,
                           QWidget* parent);

    // Shows BaseDir (or its prompt) and main_file (or its proposal), then
    // runs the dialog.
    int exec() override;
    // Stores the folder (unless the prompt is still there) and the main file.
    // A base folder that is not absolute, or that the settings file cannot
    // keep, or a main file name that the bot info file cannot name, is
    // refused with a message and the dialog stays open.
    void accept() override;

private:
    BotProfile& profile_;
    AppSettings& settings_;
    Prompts& prompts_;
    QLineEdit* folderEdit_;
    QLineEdit* mainFileEdit_;
};

} // namespace vexa::ui
