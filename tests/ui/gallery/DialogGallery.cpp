// Saves a picture of the main window and of every dialog it opens, to look
// at the layout: vexa_dialog_gallery OUTPUT_FOLDER (run it under a display,
// for example xvfb-run).
#include "GuiTestSupport.h"
#include "core/generate/GenerateSource.h"
#include "core/profile/ProfileExtras.h"
#include "core/util/FixedText.h"
#include "ui/common/DesktopPrompts.h"
#include "ui/editors/ChatConvosDialog.h"
#include "ui/editors/SliderEditorDialog.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QScreen>
#include <QTabBar>
#include <QTemporaryDir>
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

    // The chat line marks, and the preview of a bot with such a line.
    SetFieldText(desk.profile->main_file, "ranger_c.c");
    SetFieldText(desk.profile->skill[0].chat_lines[16][0], "\"Nice shot, \", 1, \"!\"");
    SetFieldText(desk.profile->skill[0].chat_lines[16][2], "Hello everyone");
    SetFieldText(desk.profile->skill[0].chat_lines[16][3], "\"hi\";");
    SetFieldText(desk.profile->skill[0].chat_lines[16][4],
                 "\"Anyone up for a \", food, \" break?\"");
    desk.settings.BaseDir = QDir::tempPath().toStdString();
    {
        vexa::ui::ChatResponsesDialog responses(desk.window.get());
        ChatResponses lines(kChatLinesPerCategory);
        for (int line = 0; line < kChatLinesPerCategory; ++line)
            lines[static_cast<std::size_t>(line)] =
                FieldText(desk.profile->skill[0].chat_lines[16][line]);
        responses.setCategory(QStringLiteral("Death Rail"), lines);
        responses.show();
        QTest::qWait(300);
        responses.grab().save(out + "/chat_responses.png");
    }
    ModalScript preview(60000);
    preview.then(shoot("preview_source"))
        .then(shoot("import_choose"))
        .then(shoot("import_list"))
        .then(shoot("import_report"));
    desk.trigger("previewSourceAction");

    vexa::ui::Prompts::FileRequest importRequest;
    importRequest.title = QStringLiteral("Import Bot");
    importRequest.filter = QStringLiteral("Bots, archives and character files (*.pk3 *.zip *.bot "
                                          "*.txt *.c);;All files (*)");
    importRequest.folder = QDir::tempPath();
    importRequest.orFolder = true;
    desktop.openFileName(desk.window.get(), importRequest);
    vexa::ui::Prompts::ListRequest list;
    list.title = QStringLiteral("Choose a Bot");
    list.prompt = QStringLiteral("/games/arvon/base holds 4 bots. Choose the one to import:");
    list.columns = {"Name", "Model", "Character file", "From"};
    list.rows = {
        {"Ranger", "ranger", "botfiles/bots/ranger_c.c",
         "scripts/ranger.bot in /games/arvon/base/pak0.pk3"},
        {"Sarge", "sarge", "botfiles/bots/sarge_c.c",
         "scripts/bots.txt in /games/arvon/base/pak0.pk3"},
        {"Visor", "visor", "botfiles/bots/visor_c.c",
         "scripts/bots.txt in /games/arvon/base/pak0.pk3"},
        {"Slash", "slash", "botfiles/bots/slash_c.c", "scripts/slash.bot in /games/arvon/base"}};
    list.option = QStringLiteral("Keep the bot's own file names (otherwise its weight and chat "
                                 "files get the default names of its main file)");
    list.acceptText = QStringLiteral("&Import");
    desktop.chooseFromList(desk.window.get(), list);
    desktop.showText(desk.window.get(), QStringLiteral("Import Report"),
                     QStringLiteral("Imported Ranger, model ranger, scripts/ranger.bot in "
                                    "/games/arvon/base/pak0.pk3.\nWhat could not be kept as the "
                                    "files had it (3):"),
                     QStringLiteral("botfiles/bots/ranger_c.c, line 12, Skill 4: "
                                    "CHARACTERISTIC_AIM_SKILL 1.5 is above 1; 1 was used\n"
                                    "botfiles/bots/ranger_t.c, line 40: situation \"taunt\" is "
                                    "not one of VEXA's; its 6 lines were skipped\n"
                                    "botfiles/bots/ranger_c.c, Skill 5: no skill 5 block; the "
                                    "skill 4 block was used\n"));
    // The Difficulty and Compare windows, on a bot whose levels differ and a
    // game folder of a few bots.
    QTemporaryDir game;
    const char* const gameBots[] = {"Sarge", "Visor", "Keel", "Doom", "Major", "Hunter"};
    for (int b = 0; b < 6; ++b) {
        BotProfile bot = EmptyProfile();
        ApplyDefaults(bot);
        QString lower = QString::fromLatin1(gameBots[b]).toLower();
        SetFieldText(bot.name, gameBots[b]);
        SetFieldText(bot.main_file, lower.toStdString() + "_c.c");
        for (SkillProfile& skill : bot.skill)
            for (std::int32_t SkillProfile::*field :
                 {&SkillProfile::aggression, &SkillProfile::selfpreservation,
                  &SkillProfile::vengefulness, &SkillProfile::camper, &SkillProfile::alertness,
                  &SkillProfile::easy_fragger, &SkillProfile::firethrottle, &SkillProfile::croucher,
                  &SkillProfile::jumper, &SkillProfile::walker, &SkillProfile::weaponjumping,
                  &SkillProfile::attack_skill, &SkillProfile::aim_skill,
                  &SkillProfile::aim_accuracy})
                skill.*field = static_cast<std::int32_t>(
                    (static_cast<unsigned>(b + 3) * 2654435761u *
                     static_cast<unsigned>(reinterpret_cast<const char*>(&(skill.*field)) -
                                           reinterpret_cast<const char*>(&skill) + 7)) %
                    1000u);
        AppSettings botSettings;
        ResetSettings(botSettings);
        botSettings.BaseDir = game.path().toStdString() + "/";
        DiskFiles disk;
        GenerateSource(bot, botSettings, NativePathStyle(), disk);
    }
    desk.settings.BaseDir = game.path().toStdString();
    desk.settings.TabSkill = true;
    desk.profile->skill[0].aim_skill = 300;
    desk.profile->skill[1].aim_skill = 800;
    desk.profile->skill[0].camper = 700;
    desk.profile->skill[1].camper = 200;
    ModalScript levelWindows(60000);
    levelWindows.then([&](QDialog* dialog) {
        QTest::qWait(300);
        dialog->grab().save(out + "/difficulty.png");
        dialog->reject();
    });
    levelWindows.then([&](QDialog* dialog) {
        QTest::qWait(300);
        dialog->grab().save(out + "/compare.png");
        dialog->reject();
    });
    desk.trigger("difficultyAction");
    desk.trigger("compareAction");

    // A bot that keeps more than the editors hold: its kept extras and its
    // model with a skin.
    ProfileExtras extras;
    extras.name = "Sir Lancelot of the Lake";
    extras.model = "knight/red";
    extras.infoKeys = {{"funname", "^4Sir ^7Lance"}, {"arenaLord", "1"}};
    extras.levels[0].characteristics = {{"55", "0.3", "", false},
                                        {"CHARACTERISTIC_AIM_SKILL", "1", "1.000", false}};
    extras.levels[0].weaponDefines = {{"W_RAILGUN", "640", "500", false}};
    extras.levels[2].characteristics = {{"CHARACTERISTIC_GENDER", "female", "male", true}};
    extras.levels[0].chat = {{"death_kamikaze", {"\"Boom goes \", 1", "\"Ouch\""}},
                             {"mod_capture_flag", {"\"Flag is mine!\""}}};
    extras.mainFile = "sir_lancelot_of_the_lake_c.c";
    extras.levels[0].weaponIncludes = {{"\"inv.h\"", "\"syn.h\""}, {"\"fw_weap.c\""}};
    extras.levels[1].weaponWeightsFile = "bots/sir_lancelot_weapons_w.c";
    BotProfile knight = *desk.profile;
    SetFieldText(knight.main_file, "sir_lancelot_of_the");
    SetFieldText(knight.skill[1].weaponweights, "bots/sir_lancelot_w");
    SetFieldText(knight.name, "Sir Lancelot of the");
    SetFieldText(knight.model_name, "knight/re");
    WriteProfileFile(knight, extras, desk.file("knight.vxb").toStdString());
    desk.prompts.fileAnswers = {desk.file("knight.vxb")};
    desk.prompts.saveAnswers = {vexa::ui::Prompts::SaveAnswer::Discard};
    desk.trigger("loadBotAction");
    ModalScript kept(60000);
    kept.then(shoot("kept_extras")).then(shoot("model_name_skin"));
    desk.trigger("keptExtrasAction");
    desk.trigger("modelNameAction");

    desk.prompts.saveAnswers = {vexa::ui::Prompts::SaveAnswer::Discard};
    desk.prompts.questionAnswers = {true};
    desk.trigger("exitAction");
    return script.allRan() && preview.allRan() && levelWindows.allRan() && kept.allRan() ? 0 : 1;
}
