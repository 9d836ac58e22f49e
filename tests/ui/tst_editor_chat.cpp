// The chat convos editor and its chat responses editor: the working copy,
// its OK and Cancel, and "&Apply to All".
#include "EditorTestSupport.h"
#include "GuiTestSupport.h"
#include "core/util/FixedText.h"
#include "ui/editors/ChatConvosDialog.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace vexa;
using namespace vexa::test;
using vexa::ui::OpenEditor;

class TestEditorChat : public QObject {
    Q_OBJECT

private:
    BotProfile profile_{};
    ProfileExtras extras_;
    AppSettings settings_;
    ScriptedPrompts prompts_;

    SkillProfile& level(int n) { return *BlockForLevel(profile_, n); }

    // Opens the responses of `category`, replaces line `line` and closes
    // them with OK.
    static void EditLine(ui::ChatConvosDialog& convos, int category, int line,
                         const QString& text) {
        ModalScript script; // each modal level polls with its own timer
        script.then([&convos, line, text](QDialog* d) {
            auto* responses = convos.responsesDialog();
            QCOMPARE(d, static_cast<QDialog*>(responses));
            responses->responseBox(line)->setText(text);
            ClickOk(d);
        });
        convos.categoryButton(category)->click();
        QVERIFY(script.allRan());
    }

private slots:
    void init() {
        profile_ = MakeProfile("Ranger");
        settings_ = AppSettings{};
        settings_.TabSkill = true;
        settings_.WeightsSkillLevel = 5;
        settings_.SkillLevel = 1;
        prompts_ = ScriptedPrompts{};
        SetFieldText(level(5).chat_lines[9][0], "\"first\"");
        SetFieldText(level(5).chat_lines[9][1], "\"second\"");
    }

    void buttonsFramesAndCaptions() {
        ui::ChatConvosDialog convos(profile_, extras_, settings_, prompts_, nullptr);
        QCOMPARE(convos.windowTitle(), QString("Chat Convos"));
        QCOMPARE(convos.categoryButton(9)->text(), QString("Death Telefrag"));
        QCOMPARE(convos.categoryButton(27)->text(), QString("Random Misc"));
        QStringList caption;
        QStringList lines;
        ModalScript script;
        script.then([&](QDialog* d) {
            caption << convos.caption();
            caption << (convos.applyToAllButton()->isVisible() ? "apply" : "no apply");
            ModalScript inner;
            inner.then([&](QDialog* sub) {
                auto* responses = convos.responsesDialog();
                caption << responses->captionField()->text();
                for (int line = 0; line < 3; ++line)
                    lines << responses->responseBox(line)->text();
                ClickCancel(sub);
            });
            convos.categoryButton(9)->click();
            ClickCancel(d);
        });
        OpenEditor(convos, prompts_, settings_, nullptr);
        QVERIFY(script.allRan());
        QCOMPARE(caption, QStringList({"Nightmare Skill Level", "apply", "Death Tele Frag"}));
        QCOMPARE(lines, QStringList({"\"first\"", "\"second\"", ""}));
        QCOMPARE(prompts_.messages(),
                 QStringList({"Chat responses NOT changed", "Chat convos NOT changed"}));

        settings_.TabSkill = false;
        settings_.WeightsSkillLevel = 1;
        ModalScript disabled;
        disabled.then([&](QDialog* d) {
            caption = {convos.caption(), convos.applyToAllButton()->isVisible() ? "apply" : "-"};
            ClickCancel(d);
        });
        OpenEditor(convos, prompts_, settings_, nullptr);
        QCOMPARE(caption, QStringList({"Adv Skills not currently enabled", "-"}));
    }

    void okStoresEveryEditAndCancelNone() {
        ui::ChatConvosDialog convos(profile_, extras_, settings_, prompts_, nullptr);
        const BotProfile before = profile_;
        for (bool ok : {false, true}) {
            ModalScript script;
            script.then([&](QDialog* d) {
                EditLine(convos, 3, 0, "\"gg\"");
                EditLine(convos, 20, 9, "\"rail\"");
                EditLine(convos, 9, 1, "");
                ok ? ClickOk(d) : ClickCancel(d);
            });
            QCOMPARE(OpenEditor(convos, prompts_, settings_, nullptr), ok);
            QVERIFY(script.allRan() && !script.watchdogFired());
            if (!ok)
                QCOMPARE(ImageBytes(profile_), ImageBytes(before));
        }
        QCOMPARE(QByteArray(level(5).chat_lines[3][0]), QByteArray("\"gg\""));
        QCOMPARE(QByteArray(level(5).chat_lines[20][9]), QByteArray("\"rail\""));
        QCOMPARE(QByteArray(level(5).chat_lines[9][0]), QByteArray("\"first\""));
        QCOMPARE(QByteArray(level(5).chat_lines[9][1]), QByteArray(""));
        QCOMPARE(QByteArray(level(1).chat_lines[3][0]), QByteArray(""));
        QCOMPARE(prompts_.messages().count("Chat responses changed"), 6);
        QCOMPARE(prompts_.messages().last(), QString("Chat convos changed"));
    }

    // A line holds the game's 255 Latin-1 characters with its counter; one
    // longer than the record's 79 is kept beside the record, which stays
    // valid and holds the lines that fit it.
    void responsesHoldAtMost255Latin1Characters() {
        ui::ChatConvosDialog convos(profile_, extras_, settings_, prompts_, nullptr);
        settings_.OkCancel = false;
        QString counter;
        ModalScript script;
        script.then([&](QDialog* d) {
            ModalScript inner;
            inner.then([&](QDialog* sub) {
                QLineEdit* box = convos.responsesDialog()->responseBox(4);
                Type(box, QString::fromUtf8("€\"ü") + QString(300, 'w'));
                counter = convos.responsesDialog()->counterLabel(4)->text();
                convos.responsesDialog()->responseBox(0)->setText("\"short\"");
                ClickOk(sub);
            });
            convos.categoryButton(26)->click();
            ClickOk(d);
        });
        QVERIFY(OpenEditor(convos, prompts_, settings_, nullptr));
        QCOMPARE(counter, QStringLiteral("255/255"));
        QCOMPARE(QByteArray(level(5).chat_lines[26][0]), QByteArray("\"short\""));
        QCOMPARE(level(5).chat_lines[26][1][0], '\0');
        QCOMPARE(extras_.levels[2].chat.size(), std::size_t{1});
        const std::vector<std::string>& kept = extras_.levels[2].chat[0].lines;
        QCOMPARE(kept.size(), std::size_t{2});
        QCOMPARE(kept[1].size(), std::size_t{255});
        QCOMPARE(QByteArray::fromStdString(kept[1].substr(0, 2)), QByteArray("\"\xfc"));
        QVERIFY(prompts_.shown.isEmpty());
    }

    // Lines are added after the current one, moved (buttons and Alt+Up /
    // Alt+Down in a line) and removed; more than ten are kept, in order.
    void linesAreAddedMovedAndRemoved() {
        ui::ChatConvosDialog convos(profile_, extras_, settings_, prompts_, nullptr);
        settings_.OkCancel = false;
        auto* responses = convos.responsesDialog();
        QStringList buttons;
        ModalScript script;
        script.then([&](QDialog* d) {
            ModalScript inner;
            inner.then([&](QDialog* sub) {
                for (QPushButton* button : {responses->addButton(), responses->removeButton(),
                                            responses->moveUpButton(), responses->moveDownButton()})
                    buttons << button->text();
                QCOMPARE(responses->lineCount(), 10);
                responses->focusLine(1); // "second"
                for (int n = 0; n < 12; ++n) {
                    responses->addButton()->click();
                    QCOMPARE(responses->currentLine(), 2 + n);
                    responses->responseBox(2 + n)->setText(QStringLiteral("\"%1\"").arg(n));
                }
                QCOMPARE(responses->lineCount(), 22);
                // "0" up over "second" by key, "11" up by the button.
                QTest::keyClick(responses->responseBox(2), Qt::Key_Up, Qt::AltModifier);
                QCOMPARE(responses->currentLine(), 1);
                QCOMPARE(responses->responseBox(1)->text(), QStringLiteral("\"0\""));
                responses->focusLine(13);
                responses->moveUpButton()->click();
                responses->focusLine(0); // "first" goes
                responses->removeButton()->click();
                QTest::keyClick(responses->responseBox(0), Qt::Key_Down, Qt::AltModifier);
                ClickOk(sub);
            });
            convos.categoryButton(9)->click();
            QVERIFY(inner.allRan());
            ClickOk(d);
        });
        QVERIFY(OpenEditor(convos, prompts_, settings_, nullptr));
        QVERIFY(script.allRan());
        QCOMPARE(buttons, QStringList({"&Add Line", "&Remove Line", "Move &Up", "Move &Down"}));
        const std::vector<std::string> expected{"\"second\"", "\"0\"",  "\"1\"", "\"2\"", "\"3\"",
                                                "\"4\"",      "\"5\"",  "\"6\"", "\"7\"", "\"8\"",
                                                "\"9\"",      "\"11\"", "\"10\""};
        ChatConvosModel reopened;
        reopened.Open(profile_, extras_, settings_);
        QVERIFY(reopened.Responses(9) == expected);
        // The record holds the first ten, as a reader of the record alone
        // gets them.
        for (int l = 0; l < 10; ++l)
            QCOMPARE(QByteArray(level(5).chat_lines[9][l]),
                     QByteArray::fromStdString(expected[static_cast<std::size_t>(l)]));
    }

    // The four situations the record has no slot for have buttons in their
    // frames; other kept situations are listed and edited the same way.
    void extraAndKeptSituationsAreReachable() {
        extras_.levels[2].chat = {{"mod_capture", {"\"flag\""}}, {"death_kamikaze", {"\"boom\""}}};
        ui::ChatConvosDialog convos(profile_, extras_, settings_, prompts_, nullptr);
        settings_.OkCancel = false;
        QStringList seen;
        ModalScript script;
        script.then([&](QDialog* d) {
            QListWidget* list = convos.keptList();
            QVERIFY(list->isVisible());
            QCOMPARE(list->count(), 1);
            seen << list->item(0)->text();
            ModalScript inner;
            inner.then([&](QDialog* sub) {
                seen << convos.responsesDialog()->captionField()->text()
                     << convos.responsesDialog()->responseBox(0)->text();
                convos.responsesDialog()->responseBox(1)->setText("\"bang\"");
                ClickOk(sub);
            });
            inner.then([&](QDialog* sub) {
                seen << convos.responsesDialog()->captionField()->text();
                convos.responsesDialog()->responseBox(0)->setText("");
                ClickOk(sub);
            });
            inner.then([&](QDialog* sub) {
                seen << convos.responsesDialog()->captionField()->text();
                convos.responsesDialog()->responseBox(0)->setText("\"team\"");
                ClickOk(sub);
            });
            convos.categoryButton(28)->click();
            emit list->itemActivated(list->item(0));
            convos.categoryButton(31)->click();
            QVERIFY(inner.allRan());
            seen << list->item(0)->text(); // gone once stored
            ClickOk(d);
        });
        QVERIFY(OpenEditor(convos, prompts_, settings_, nullptr));
        QVERIFY(script.allRan());
        QCOMPARE(convos.categoryButton(28)->text(), QStringLiteral("Death Kamikaze"));
        QCOMPARE(convos.categoryButton(31)->text(), QStringLiteral("Kill Teammate"));
        QCOMPARE(seen, QStringList({"mod_capture (1 line)", "Death Kamikaze", "\"boom\"",
                                    "mod_capture", "Kill Teammate", "mod_capture (0 lines)"}));
        QVERIFY((extras_.levels[2].chat ==
                 std::vector<KeptChat>{{"death_kamikaze", {"\"boom\"", "\"bang\""}},
                                       {"kill_teammate", {"\"team\""}}}));
    }

    // Every category opens with the focus on Response 1, wherever the last
    // one was left; a dismissed Apply to All question does nothing.
    void responsesStartAtTheFirstLineAndDismissalDoesNothing() {
        ui::ChatConvosDialog convos(profile_, extras_, settings_, prompts_, nullptr);
        settings_.OkCancel = false;
        prompts_.questionAnswers = {std::nullopt};
        const BotProfile before = profile_;
        QList<QWidget*> focused;
        ModalScript script;
        script.then([&](QDialog* d) {
            for (int category : {9, 9, 20}) {
                ModalScript inner;
                inner.then([&](QDialog* sub) {
                    QTest::qWait(10);
                    focused << sub->focusWidget();
                    convos.responsesDialog()->responseBox(6)->setFocus();
                    ClickOk(sub);
                });
                convos.categoryButton(category)->click();
                QVERIFY(inner.allRan());
            }
            convos.applyToAllButton()->click();
            QVERIFY(d->isVisible());
            ClickCancel(d);
        });
        OpenEditor(convos, prompts_, settings_, nullptr);
        QVERIFY(script.allRan());
        QCOMPARE(focused, QList<QWidget*>(3, convos.responsesDialog()->responseBox(0)));
        QCOMPARE(ImageBytes(profile_), ImageBytes(before));
        QCOMPARE(prompts_.shown.size(), 1); // the question alone
    }

    void applyToAllCopiesTheWorkingCopyAndSurvivesCancel() {
        ui::ChatConvosDialog convos(profile_, extras_, settings_, prompts_, nullptr);
        SetFieldText(level(1).chat_name, "keep");
        settings_.OkCancel = false;
        prompts_.questionAnswers = {false, true};
        ModalScript script;
        script.then([&](QDialog* d) {
            EditLine(convos, 0, 0, "\"hi\"");
            convos.applyToAllButton()->click();
            QCOMPARE(level(1).chat_lines[0][0][0], '\0');
            convos.applyToAllButton()->click();
            ClickCancel(d);
        });
        QVERIFY(!OpenEditor(convos, prompts_, settings_, nullptr));
        QVERIFY(script.allRan());
        for (int n : {1, 4, 5}) {
            QCOMPARE(QByteArray(level(n).chat_lines[0][0]), QByteArray("\"hi\""));
            QCOMPARE(QByteArray(level(n).chat_lines[9][0]), QByteArray("\"first\""));
        }
        QCOMPARE(QByteArray(level(1).chat_name), QByteArray("keep"));
        QCOMPARE(prompts_.messages(),
                 QStringList({"Settings NOT applied to all",
                              "These settings have been applied to all skill levels"}));
    }
};

QTEST_MAIN(TestEditorChat)
#include "tst_editor_chat.moc"
