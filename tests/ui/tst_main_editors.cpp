// The editor buttons of the main window: which level and caption each
// editor gets, the messages after it closes, and a bot edited through the
// editors written out by Create Arvon source.
#include "EditorTestSupport.h"
#include "GuiTestSupport.h"
#include "core/util/FixedText.h"
#include "ui/editors/ChatConvosDialog.h"

#include <QTabBar>
#include <QtTest>

using namespace vexa;
using namespace vexa::test;

namespace {

QString CaptionOf(QDialog* dialog) {
    return Field(dialog, "captionField")->text();
}

// Clicks a main window button and answers the editor it opens with
// `action`; returns the editor's caption.
QString OpenFromButton(Desk& desk, const char* button, std::function<void(QDialog*)> action) {
    QString caption;
    ModalScript script;
    script.then([&](QDialog* dialog) {
        caption = CaptionOf(dialog);
        action(dialog);
    });
    desk.child<QPushButton>(button)->click();
    if (!script.allRan() || script.watchdogFired())
        return QStringLiteral("<editor did not open or close>");
    return caption;
}

} // namespace

class MainEditorsTest : public QObject {
    Q_OBJECT

private slots:
    void editorsFollowTheirTabStrip();
    void weightsEditorsAreDisabledWithoutTabSkill();
    void weightsEditorsIgnoreAShownLeftStripWithoutTabSkill();
    void everyButtonReportsHowItsEditorClosed_data();
    void everyButtonReportsHowItsEditorClosed();
    void noMessagesWithoutVerification();
    void editedBotIsWrittenByCreateSource();
    void manyAndLongChatLinesSurviveSaveLoadAndCreate();
};

void MainEditorsTest::editorsFollowTheirTabStrip() {
    Desk desk;
    QVERIFY(WriteBytes(desk.file("vexa.ini"), "TabSkill = true\nBothTabs = true\n"
                                              "OkCancel = false\n"));
    desk.start();
    desk.child<QTabBar>("skillTabs")->setCurrentIndex(2);   // Skill 5
    desk.child<QTabBar>("weightsTabs")->setCurrentIndex(1); // Skill 4
    const auto close = [](QDialog* dialog) { ClickCancel(dialog); };
    QCOMPARE(OpenFromButton(desk, "skillSettingsButton", close),
             QStringLiteral("Nightmare Skill Level"));
    QCOMPARE(OpenFromButton(desk, "chatSettingsButton", close),
             QStringLiteral("Nightmare Skill Level"));
    QCOMPARE(OpenFromButton(desk, "personalitySettingsButton", close),
             QStringLiteral("Nightmare Skill Level"));
    QCOMPARE(OpenFromButton(desk, "itemWeightsButton", close),
             QStringLiteral("Hardcore Skill Level"));
    QCOMPARE(OpenFromButton(desk, "weaponWeightsButton", close),
             QStringLiteral("Hardcore Skill Level"));
    QCOMPARE(OpenFromButton(desk, "chatConvosButton", close),
             QStringLiteral("Hardcore Skill Level"));

    // The weapon weights editor works on the left strip's level: OK there
    // stores into the Skill 4 block only.
    OpenFromButton(desk, "weaponWeightsButton", [](QDialog* dialog) {
        auto* editor = qobject_cast<ui::SliderEditorDialog*>(dialog);
        editor->textBox(Row(*editor, "Gauntlet:"))->setText(QStringLiteral("123"));
        ClickOk(dialog);
    });
    QCOMPARE(desk.profile->skill[1].weapon_gauntlet, 123);
    QCOMPARE(desk.profile->skill[0].weapon_gauntlet, 5);
    QCOMPARE(desk.profile->skill[2].weapon_gauntlet, 5);
    QVERIFY(desk.prompts.shown.isEmpty());
}

void MainEditorsTest::weightsEditorsAreDisabledWithoutTabSkill() {
    Desk desk;
    QVERIFY(WriteBytes(desk.file("vexa.ini"), "OkCancel = false\n"));
    desk.start();
    desk.child<QTabBar>("skillTabs")->setCurrentIndex(1); // Skill 4
    bool applyShown = true;
    const QString caption = OpenFromButton(desk, "itemWeightsButton", [&](QDialog* dialog) {
        applyShown = !Button(dialog, "applyToAllButton")->isHidden();
        auto* editor = qobject_cast<ui::SliderEditorDialog*>(dialog);
        editor->textBox(Row(*editor, "Flag:"))->setText(QStringLiteral("77"));
        ClickOk(dialog);
    });
    QCOMPARE(caption, QStringLiteral("Adv Skills not currently enabled"));
    QVERIFY(!applyShown);
    QCOMPARE(desk.profile->skill[0].item_flag_weight, 77); // always Skill 1
    QCOMPARE(desk.profile->skill[1].item_flag_weight, 50);
    QCOMPARE(OpenFromButton(desk, "skillSettingsButton", [](QDialog* d) { ClickCancel(d); }),
             QStringLiteral("Hardcore Skill Level"));
}

// vexa.ini can hold BothTabs without TabSkill; General Settings then shows
// the left strip. Only the Skill 1 weights and chat lines are written without
// TabSkill, so the left group's editors keep working there.
void MainEditorsTest::weightsEditorsIgnoreAShownLeftStripWithoutTabSkill() {
    Desk desk;
    QVERIFY(WriteBytes(desk.file("vexa.ini"), "TabSkill = false\nBothTabs = true\n"
                                              "OkCancel = false\n"));
    desk.start();
    ModalScript settings;
    settings.then([](QDialog* dialog) { ClickOk(dialog); });
    desk.trigger("generalSettingsAction");
    QVERIFY(settings.allRan());
    auto* left = desk.child<QTabBar>("weightsTabs");
    QVERIFY(left->isVisible());
    left->setCurrentIndex(2); // Skill 5

    const auto setRow = [](const char* label, const char* text) {
        return [=](QDialog* dialog) {
            auto* editor = qobject_cast<ui::SliderEditorDialog*>(dialog);
            editor->textBox(Row(*editor, label))->setText(QLatin1String(text));
            ClickOk(dialog);
        };
    };
    OpenFromButton(desk, "weaponWeightsButton", setRow("Gauntlet:", "123"));
    OpenFromButton(desk, "itemWeightsButton", setRow("Flag:", "77"));
    OpenFromButton(desk, "chatConvosButton", [](QDialog* dialog) {
        auto* convos = qobject_cast<ui::ChatConvosDialog*>(dialog);
        ModalScript responses;
        responses.then([convos](QDialog*) {
            convos->responsesDialog()->responseBox(0)->setText(QStringLiteral("\"hi\""));
            convos->responsesDialog()->okButton()->click();
        });
        convos->categoryButton(0)->click();
        ClickOk(dialog);
    });
    const SkillProfile& one = desk.profile->skill[0];
    const SkillProfile& five = desk.profile->skill[2];
    QCOMPARE(one.weapon_gauntlet, 123);
    QCOMPARE(one.item_flag_weight, 77);
    QCOMPARE(QByteArray(one.chat_lines[0][0]), QByteArray("\"hi\""));
    QCOMPARE(five.weapon_gauntlet, 5);
    QCOMPARE(five.item_flag_weight, 50);
    QCOMPARE(five.chat_lines[0][0][0], '\0');
}

void MainEditorsTest::everyButtonReportsHowItsEditorClosed_data() {
    QTest::addColumn<QByteArray>("button");
    QTest::addColumn<QString>("changed");
    QTest::addColumn<QString>("notChanged");
    const auto row = [](const char* button, const char* subject) {
        QTest::newRow(button) << QByteArray(button) << QStringLiteral("%1 changed").arg(subject)
                              << QStringLiteral("%1 NOT changed").arg(subject);
    };
    row("skillSettingsButton", "Skill settings");
    row("chatSettingsButton", "Chat settings");
    row("personalitySettingsButton", "Personality settings");
    row("itemWeightsButton", "Item weights");
    row("weaponWeightsButton", "Weapon weights");
    row("chatConvosButton", "Chat convos");
}

void MainEditorsTest::everyButtonReportsHowItsEditorClosed() {
    QFETCH(QByteArray, button);
    QFETCH(QString, changed);
    QFETCH(QString, notChanged);
    Desk desk;
    desk.start();
    OpenFromButton(desk, button.constData(), [](QDialog* d) { ClickOk(d); });
    OpenFromButton(desk, button.constData(), [](QDialog* d) { ClickCancel(d); });
    OpenFromButton(desk, button.constData(),
                   [](QDialog* d) { QTest::keyClick(d, Qt::Key_Escape); });
    QCOMPARE(desk.prompts.messages(), (QStringList{changed, notChanged, notChanged}));
}

void MainEditorsTest::noMessagesWithoutVerification() {
    Desk desk;
    QVERIFY(WriteBytes(desk.file("vexa.ini"), "OkCancel = false\n"));
    desk.start();
    for (const char* button :
         {"skillSettingsButton", "chatSettingsButton", "personalitySettingsButton",
          "itemWeightsButton", "weaponWeightsButton", "chatConvosButton"}) {
        OpenFromButton(desk, button, [](QDialog* d) { ClickOk(d); });
        OpenFromButton(desk, button, [](QDialog* d) { ClickCancel(d); });
    }
    QVERIFY(desk.prompts.shown.isEmpty());
}

void MainEditorsTest::editedBotIsWrittenByCreateSource() {
    Desk desk;
    QDir().mkdir(desk.file("game"));
    QVERIFY(WriteBytes(desk.file("vexa.ini"), "BaseDir = " + desk.file("game").toUtf8() +
                                                  "\nTabSkill = true\nOkCancel = false\n"));
    desk.start();
    QTest::keyClicks(desk.child<QLineEdit>("nameEdit"), QStringLiteral("Ranger"));
    SetFieldText(desk.profile->main_file, "ranger_c.c");

    // Skill 4: attack skill typed as .75; the weights follow the right strip.
    desk.child<QTabBar>("skillTabs")->setCurrentIndex(1);
    OpenFromButton(desk, "skillSettingsButton", [](QDialog* dialog) {
        auto* editor = qobject_cast<ui::SliderEditorDialog*>(dialog);
        QLineEdit* attack = editor->textBox(Row(*editor, "Attack Skill:"));
        attack->selectAll();
        QTest::keyClicks(attack, QStringLiteral(".75"));
        ClickOk(dialog);
    });
    // A chat line for "Game Enter" at Skill 4, through the responses dialog.
    OpenFromButton(desk, "chatConvosButton", [](QDialog* dialog) {
        auto* convos = qobject_cast<ui::ChatConvosDialog*>(dialog);
        ModalScript responses;
        responses.then([convos](QDialog*) {
            convos->responsesDialog()->responseBox(0)->setText(QStringLiteral("\"hi all\""));
            convos->responsesDialog()->okButton()->click();
        });
        convos->categoryButton(0)->click();
        ClickOk(dialog);
    });
    QCOMPARE(desk.profile->skill[1].attack_skill, 750);

    desk.trigger("createSourceAction");
    QCOMPARE(desk.prompts.messages().size(), 2);
    QVERIFY(desk.prompts.messages().at(0).startsWith(
        QStringLiteral("Sourced created succesfully in\n")));

    const QByteArray character = ReadText(desk.file("game/botfiles/bots/ranger_c.c"));
    const qsizetype skill4 = character.indexOf("skill 4\n");
    QVERIFY(skill4 > 0);
    QCOMPARE(character.indexOf("\tCHARACTERISTIC_ATTACK_SKILL\t\t\t\t\t0.750\n", skill4),
             character.indexOf("CHARACTERISTIC_ATTACK_SKILL", skill4) - 1);
    const QByteArray chat4 = ReadText(desk.file("game/botfiles/bots/ranger_t4.c"));
    QVERIFY(chat4.contains("\ttype \"game_enter\" //initiated when the bot enters the game\n"
                           "\t{\n\t\t\"hi all\";\n\t} //end type\n"));
    QVERIFY(!ReadBytes(desk.file("game/botfiles/bots/ranger_t1.c")).contains("hi all"));
    QVERIFY(QFile::exists(desk.file("game/scripts/ranger.bot")));
}

// Chat lines beyond what the record holds, typed in the editor: more than
// ten, longer than 79 characters and in a situation the record has no slot
// for. Saved, loaded again and written, the chat file holds every one in
// order.
void MainEditorsTest::manyAndLongChatLinesSurviveSaveLoadAndCreate() {
    Desk desk;
    QDir().mkdir(desk.file("game"));
    QVERIFY(WriteBytes(desk.file("vexa.ini"),
                       "BaseDir = " + desk.file("game").toUtf8() + "\nOkCancel = false\n"));
    desk.start();
    QTest::keyClicks(desk.child<QLineEdit>("nameEdit"), QStringLiteral("Ranger"));
    SetFieldText(desk.profile->main_file, "ranger_c.c");

    QStringList rail;
    for (int n = 1; n <= 14; ++n)
        rail << QStringLiteral("\"Rail %1 %2\"").arg(n).arg(QString(n == 3 ? 200 : 1, 'x'));
    OpenFromButton(desk, "chatConvosButton", [&rail](QDialog* dialog) {
        auto* convos = qobject_cast<ui::ChatConvosDialog*>(dialog);
        auto* responses = convos->responsesDialog();
        ModalScript script;
        script.then([&](QDialog*) {
            for (int n = 0; n < rail.size(); ++n) {
                if (n >= responses->lineCount()) { // a new line after the last
                    responses->focusLine(n - 1);
                    responses->addButton()->click();
                }
                responses->responseBox(n)->setText(rail[n]);
            }
            responses->okButton()->click();
        });
        script.then([&](QDialog*) {
            responses->responseBox(0)->setText(QStringLiteral("\"Boom\""));
            responses->okButton()->click();
        });
        convos->categoryButton(16)->click(); // Death Rail
        convos->categoryButton(28)->click(); // Death Kamikaze
        ClickOk(dialog);
    });

    desk.prompts.fileAnswers = {desk.file("ranger.vxb"), desk.file("ranger.vxb")};
    desk.trigger("saveBotAction");
    // Load Bot replaces the extras too: were they not saved, none would be written.
    desk.trigger("loadBotAction");
    QCOMPARE(FieldText(desk.profile->name), std::string("Ranger"));
    desk.settings.BaseDir = desk.file("game").toStdString();
    desk.trigger("createSourceAction");
    QVERIFY2(desk.prompts.messages().last().startsWith(QStringLiteral("If your model")),
             qPrintable(desk.prompts.messages().join('|')));

    // Line ends as the platform writes them.
    const QByteArray chat = ReadText(desk.file("game/botfiles/bots/ranger_t.c"));
    QByteArray block = "\ttype \"death_rail\" //initiated when the bot is killed by a rail gun "
                       "shot\n\t{\n";
    for (const QString& line : rail)
        block += "\t\t" + line.toLatin1() + ";\n";
    block += "\t} //end type\n";
    QVERIFY2(chat.contains(block), chat.mid(chat.indexOf("death_rail"), 900).constData());
    QVERIFY(chat.contains("\ttype \"death_kamikaze\"\n\t{\n\t\t\"Boom\";\n\t} //end type\n"));
}

QTEST_MAIN(MainEditorsTest)
#include "tst_main_editors.moc"
