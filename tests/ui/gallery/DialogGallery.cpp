// Saves a picture of the main window and of every dialog it opens, to look
// at the layout: vexa_dialog_gallery OUTPUT_FOLDER (run it under a display,
// for example xvfb-run).
#include "GuiTestSupport.h"
#include "core/util/FixedText.h"
#include "ui/common/DesktopPrompts.h"
#include "ui/editors/SliderEditorDialog.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QScreen>
#include <QTabBar>
#include <QTimer>
#include <QToolTip>
#include <QtTest>
#include <functional>
#include <iostream>

using namespace vexa;
using namespace vexa::test;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::cerr << "usage: vexa_dialog_gallery OUTPUT_FOLDER\n";
        return 2;
    }
    const QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(out);

    Desk desk;
    desk.start();
    QTest::keyClicks(desk.child<QLineEdit>("nameEdit"), "Ranger");
    desk.settings.TabSkill = true;
    desk.settings.BothTabs = true;
    desk.child<QTabBar>("weightsTabs")->show();
    QTest::qWait(300);
    desk.window->grab().save(out + "/main.png");

    const auto shoot = [&](const QString& name) {
        return [&, name](QDialog* dialog) {
            QTest::qWait(200);
            dialog->grab().save(out + "/" + name + ".png");
            dialog->reject();
        };
    };
    ModalScript script(60000);
    script.then(shoot("about"))
        .then(shoot("model_directory"))
        .then(shoot("vxb_directory"))
        .then(shoot("model_name"))
        .then(shoot("main_file_location"))
        .then(shoot("file_locations"))
        .then(shoot("general_settings"))
        .then(shoot("skill_settings"))
        .then(shoot("chat_settings"))
        .then(shoot("personality_settings"))
        .then(shoot("item_weights"))
        .then(shoot("weapon_weights"))
        .then(shoot("chat_convos"))
        .then(shoot("message"))
        .then(shoot("question"))
        .then(shoot("ask"))
        .then(shoot("save_dialog"))
        .then(shoot("folder_dialog"))
        .then([&](QDialog* dialog) { // the skill editor with a row's tooltip
            auto* editor = qobject_cast<ui::SliderEditorDialog*>(dialog);
            QWidget* label = editor->label(6);
            QTest::qWait(200);
            QToolTip::showText(label->mapToGlobal(QPoint(10, label->height())), label->toolTip(),
                               label);
            QTest::qWait(300);
            QScreen* screen = QGuiApplication::primaryScreen();
            screen->grabWindow(0).save(out + "/skill_tooltip.png");
            dialog->reject();
        })
        .then([&](QDialog* dialog) { // a refused character explained
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("modelNameEdit"));
            name->setFocus();
            QTest::qWait(100);
            QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, QStringLiteral("\u20ac"), {});
            QTest::qWait(300);
            QGuiApplication::primaryScreen()->grabWindow(0).save(out + "/refused_tooltip.png");
            dialog->reject();
        });
    desk.trigger("aboutAction");
    desk.trigger("modelDirAction");
    desk.trigger("vxbDirAction");
    desk.trigger("modelNameAction");
    desk.child<QPushButton>("mainFileButton")->click();
    desk.trigger("fileLocationsAction");
    desk.trigger("generalSettingsAction");
    for (const char* button :
         {"skillSettingsButton", "chatSettingsButton", "personalitySettingsButton",
          "itemWeightsButton", "weaponWeightsButton", "chatConvosButton"})
        desk.child<QPushButton>(button)->click();
    vexa::ui::DesktopPrompts desktop;
    desktop.information(desk.window.get(), QStringLiteral("File saved"));
    desktop.question(desk.window.get(), QStringLiteral("Are you sure you wish to quit?"),
                     QStringLiteral("Done?"));
    desktop.ask(desk.window.get(), QStringLiteral("Apply these settings to all skill levels?"),
                QStringLiteral("Apply to all?"));
    desktop.saveFileName(desk.window.get(),
                         {QStringLiteral("Save Your VEXA Bot"),
                          QStringLiteral("VEXA Bot Files (*.vxb)"), QStringLiteral("vxb"),
                          QStringLiteral("ranger.vxb"), QDir::tempPath()});
    desktop.folderName(desk.window.get(), QStringLiteral("Base Model Dir"), QDir::tempPath());
    desk.child<QPushButton>("skillSettingsButton")->click();
    desk.trigger("modelNameAction");
    desk.settings.BaseDir = "/home/you/arvon/base";
    desk.prompts.fileAnswers = {desk.file("ranger.vxb")};
    desk.trigger("saveBotAction");
    QTest::qWait(200);
    desk.window->grab().save(out + "/main_saved.png");
    desk.prompts.questionAnswers = {true};
    desk.trigger("exitAction");
    return script.allRan() ? 0 : 1;
}
