#pragma once

#include "core/profile/BotProfile.h"
#include "core/settings/AppSettings.h"

#include <QString>
#include <memory>

namespace vexa::ui {

class Prompts;

// The application object: it holds the one profile and the one set of
// options of the run, opens the main window and runs until the user quits.
class BotDesignerApp {
public:
    // `commandLineFile`: the profile named on the command line, or empty.
    // Every message box and file dialog goes through `prompts`.
    BotDesignerApp(QString commandLineFile, Prompts& prompts);

    // Shows the main window; returns the exit status when the program ends.
    // Needs a QApplication.
    int run();

private:
    QString commandLineFile_;
    std::unique_ptr<BotProfile> profile_;
    AppSettings settings_;
    Prompts& prompts_;
};

} // namespace vexa::ui
