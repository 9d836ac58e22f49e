#include "ui/app/RunDesktop.h"

#include "core/cli/CommandLine.h"
#include "ui/app/BotDesignerApp.h"
#include "ui/app/Resources.h"
#include "ui/common/DesktopPrompts.h"
#include "ui/common/TextFields.h"

#include <QApplication>
#include <QIconEngine>
#include <QPointer>
#include <QProxyStyle>
#include <iostream>
#include <string>
#include <vector>

namespace vexa::ui {

namespace {

// A standard icon that is read from the style the first time it is drawn.
class DeferredIconEngine final : public QIconEngine {
public:
    DeferredIconEngine(QStyle* style, QStyle::StandardPixmap which)
        : style_(style), which_(which) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon().availableSizes(mode, state);
    }
    QIconEngine* clone() const override { return new DeferredIconEngine(style_, which_); }

private:
    const QIcon& icon() {
        if (!loaded_ && style_)
            icon_ = style_->standardIcon(which_);
        loaded_ = true;
        return icon_;
    }

    QPointer<QStyle> style_;
    QStyle::StandardPixmap which_;
    QIcon icon_;
    bool loaded_ = false;
};

// The desktop's own style, except that the pictures of the menu bar's
// overflow button are read only when the button is drawn, which in this
// window of fixed size it never is. Qt keeps those pictures as PNG files, and
// reading the first PNG loads every image format plugin: work the start-up
// would otherwise do for a picture nobody sees.
class DesktopStyle final : public QProxyStyle {
public:
    QIcon standardIcon(StandardPixmap which, const QStyleOption* option,
                       const QWidget* widget) const override {
        if (which == SP_ToolBarHorizontalExtensionButton ||
            which == SP_ToolBarVerticalExtensionButton)
            return QIcon(new DeferredIconEngine(baseStyle(), which));
        return QProxyStyle::standardIcon(which, option, widget);
    }
};

} // namespace

int RunDesktop(int& argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setStyle(new DesktopStyle); // the application owns it
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
    for (const std::string& skipped : commandLine.skippedSwitches)
        std::cerr << SkippedSwitchWarning(skipped) << '\n';

    DesktopPrompts prompts;
    BotDesignerApp designer(FromFolderText(commandLine.profileFile), prompts);
    return designer.run();
}

} // namespace vexa::ui
