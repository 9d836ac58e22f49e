#include "ui/app/RunDesktop.h"

#include "core/cli/CommandLine.h"
#include "ui/app/BotDesignerApp.h"
#include "ui/app/Resources.h"
#include "ui/common/DesktopPrompts.h"

#include <QApplication>
#include <QFile>
#include <iostream>
#include <string>
#include <vector>

namespace vexa::ui {

int RunDesktop(int& argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(ApplicationTitle());
    QApplication::setApplicationVersion(QStringLiteral(VEXA_VERSION));
    QApplication::setWindowIcon(ProgramIcon());

    // The arguments Qt leaves once it has taken its own.
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const CommandLine commandLine = ParseCommandLine(args);
    if (commandLine.mode == CommandLine::Mode::Error) {
        std::cerr << "vexa: " << commandLine.error << '\n';
        return 2;
    }

    DesktopPrompts prompts;
    BotDesignerApp designer(QFile::decodeName(QByteArray::fromStdString(commandLine.profileFile)),
                            prompts);
    return designer.run();
}

} // namespace vexa::ui
