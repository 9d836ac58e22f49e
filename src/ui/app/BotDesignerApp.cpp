#include "ui/app/BotDesignerApp.h"

#include "ui/app/MainDialog.h"

#include <QApplication>
#include <utility>

namespace vexa::ui {

BotDesignerApp::BotDesignerApp(QString commandLineFile, Prompts& prompts)
    : commandLineFile_(std::move(commandLineFile)),
      profile_(std::make_unique<BotProfile>(EmptyProfile())), prompts_(prompts) {}

int BotDesignerApp::run() {
    MainDialog window(*profile_, settings_, prompts_, commandLineFile_);
    // exit(), not quit(): quit() would send the window a close request, and
    // the window would ask its quit question again.
    QObject::connect(&window, &MainDialog::quitConfirmed, [] { QCoreApplication::exit(0); });
    window.show();
    return QApplication::exec();
}

} // namespace vexa::ui
