// Chat lines the game can read: the marks and the fix in the chat editors,
// File > Preview Arvon source, and Create Arvon source's chat check, its
// question before replacing another bot's files and its duplicate warning.
#include "EditorTestSupport.h"
#include "GuiTestSupport.h"
#include "ZipFixtures.h"
#include "core/archive/GameFolderSource.h"
#include "core/generate/Writers.h"
#include "core/util/FixedText.h"
#include "ui/app/MainDialog.h"
#include "ui/app/SourcePreviewDialog.h"
#include "ui/editors/ChatConvosDialog.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTest>
#include <algorithm>
#include <fstream>
#include <functional>

using namespace vexa;
using namespace vexa::test;

namespace {

constexpr int kDeathRail = 16;
constexpr int kKillRail = 20;

BotProfile Ranger() {
    BotProfile profile = MakeProfile("Ranger");
    SetFieldText(profile.main_file, "ranger_c.c");
    return profile;
}

void PutFile(const QString& path, const std::string& text) {
    QDir().mkpath(QFileInfo(path).path());
    std::ofstream(path.toStdString(), std::ios::binary) << text;
}

// The texts of a preview's file table, "state | path" a row.
QStringList Rows(const ui::SourcePreviewDialog& preview) {
    QStringList rows;
    for (int row = 0; row < preview.fileTable()->rowCount(); ++row)
        rows << preview.fileTable()->item(row, 0)->text() + " | " +
                    preview.fileTable()->item(row, 1)->text();
    return rows;
}

QStringList Problems(const ui::SourcePreviewDialog& preview) {
    QStringList texts;
    for (int row = 0; row < preview.problemList()->count(); ++row)
        texts << preview.problemList()->item(row)->text();
    return texts;
}

} // namespace

class TestChatLines : public QObject {
    Q_OBJECT

private:
    // A main window on Ranger with TabSkill on and a base folder below the
    // test's working folder.
    struct World {
        Desk desk;
        QString base;
        World() {
            desk.start();
            *desk.profile = Ranger();
            desk.settings.TabSkill = true;
            desk.settings.OkCancel = false;
            base = desk.file("base");
            QDir().mkpath(base);
            desk.settings.BaseDir = base.toStdString();
        }
        SkillProfile& level(int n) { return *BlockForLevel(*desk.profile, n); }
    };

    // Runs `choose`, which opens the Chat Responses editor on top of Chat
    // Convos: notes the editor's caption and the line in focus, fixes line
    // `fix` with Add quotes and closes both with OK. True when both closed.
    static bool FixInTheEditors(const std::function<void()>& choose, int fix, QString& caption,
                                int& focusedLine) {
        int stage = 0;
        QTimer poll;
        poll.setInterval(5);
        connect(&poll, &QTimer::timeout, [&] {
            QWidget* active = QApplication::activeModalWidget();
            if (auto* editor = qobject_cast<ui::ChatResponsesDialog*>(active);
                editor != nullptr && stage == 0) {
                stage = 1;
                caption = editor->captionField()->text();
                for (int line = 0; line < editor->lineCount(); ++line)
                    if (editor->focusWidget() == editor->responseBox(line))
                        focusedLine = line;
                editor->fixButton(fix)->click();
                ClickOk(editor);
            } else if (auto* convos = qobject_cast<ui::ChatConvosDialog*>(active);
                       convos != nullptr && stage == 1) {
                stage = 2;
                ClickOk(convos);
            }
        });
        poll.start();
        choose();
        return stage == 2;
    }

private slots:
    void responsesMarkUnreadableLinesAndOfferTheFix() {
        ui::ChatResponsesDialog responses(nullptr);
        ChatResponses lines(10);
        lines[0] = "Hello everyone";
        lines[1] = "\"Nice shot, \", 1, \"!\"";
        lines[2] = "\"hi\" // note";
        responses.setCategory("Death Rail", lines);
        responses.show();

        QVERIFY(responses.isMarked(0));
        QVERIFY(!responses.responseBox(0)->styleSheet().isEmpty());
        QCOMPARE(responses.reasonLabel(0)->text(),
                 QString("The game cannot read this line: expected a comma after the name Hello"));
        QCOMPARE(responses.responseBox(0)->toolTip(), responses.reasonLabel(0)->text());
        QCOMPARE(responses.counterLabel(0)->text(), QString("14/255"));
        QVERIFY(responses.fixButton(0)->isVisible());

        QVERIFY(!responses.isMarked(1));
        QVERIFY(responses.responseBox(1)->styleSheet().isEmpty());
        QCOMPARE(responses.reasonLabel(1)->text(), QString());
        QVERIFY(!responses.fixButton(1)->isVisible());
        QCOMPARE(responses.counterLabel(3)->text(), QString("0/255"));

        // Meant as chat syntax: marked, but quoting it all is no fix.
        QVERIFY(responses.isMarked(2));
        QVERIFY(!responses.fixButton(2)->isVisible());

        // The fix quotes the line, and the mark goes.
        responses.fixButton(0)->click();
        QCOMPARE(responses.responseBox(0)->text(), QString("\"Hello everyone\""));
        QVERIFY(!responses.isMarked(0));
        QCOMPARE(responses.counterLabel(0)->text(), QString("16/255"));
        QVERIFY(!responses.fixButton(0)->isVisible());
        QCOMPARE(responses.focusWidget(), responses.responseBox(0));

        // Typing updates the mark at each key; what is typed is what is
        // handed back, readable or not.
        QLineEdit* box = responses.responseBox(3);
        box->setFocus();
        Type(box, "\"gg\"");
        QVERIFY(!responses.isMarked(3));
        Type(box, ";");
        QVERIFY(responses.isMarked(3));
        QCOMPARE(responses.reasonLabel(3)->text(),
                 QString("The game cannot read this line: the line must not end in ; (the file "
                         "adds one)"));
        QCOMPARE(responses.responses()[3], std::string("\"gg\";"));
        QCOMPARE(responses.responses()[2], std::string("\"hi\" // note"));

        // With the game's random strings known, any other is marked: the
        // game says nothing for that line.
        responses.setRandomStrings(RandomStringNames{"food"});
        box->setText("\"Want \", food drink");
        QCOMPARE(responses.reasonLabel(3)->text(), QString("The game cannot read this line: "
                                                           "expected a comma after the name food"));
        box->setText("\"Want \", food, \" or \", drink");
        QVERIFY(responses.isMarked(3));
        QCOMPARE(responses.reasonLabel(3)->text(),
                 QString("The game cannot read this line: drink is not a random string of the "
                         "game's botfiles/rnd.c: the game says nothing when the bot picks this "
                         "line"));
        box->setText("\"Want \", food");
        QVERIFY(!responses.isMarked(3));
    }

    void convosMarksTheSituationsHoldingUnreadableLines() {
        World w;
        SetFieldText(w.level(1).chat_lines[kDeathRail][4], "Hello everyone");
        SetFieldText(w.level(4).chat_lines[3][0], "'x'"); // another level: not shown
        // A random string the game's rnd.c lacks marks its situation too.
        PutFile(w.base + "/botfiles/rnd.c", "food { \"pizza\"; }\n");
        SetFieldText(w.level(1).chat_lines[0][1], "\"Hi \", drink");
        ProfileExtras extras;
        ui::ChatConvosDialog convos(*w.desk.profile, extras, w.desk.settings, w.desk.prompts,
                                    nullptr);
        QStringList marked;
        const auto markedNow = [&convos] {
            QStringList names;
            for (int c = 0; c < kChatCategoryCount; ++c)
                if (convos.isMarked(c))
                    names << convos.categoryButton(c)->text();
            return names.join(",");
        };
        ModalScript script;
        script.then([&](QDialog* d) {
            marked << markedNow();
            QVERIFY(!convos.categoryButton(kDeathRail)->icon().isNull());
            ModalScript inner;
            inner.then([&](QDialog* sub) {
                convos.responsesDialog()->fixButton(4)->click();
                convos.responsesDialog()->responseBox(9)->setText("-1");
                ClickOk(sub);
            });
            inner.then([&](QDialog* sub) {
                convos.responsesDialog()->responseBox(9)->setText("");
                ClickOk(sub);
            });
            convos.categoryButton(kDeathRail)->click();
            marked << markedNow();
            convos.categoryButton(kDeathRail)->click();
            marked << markedNow();
            QVERIFY(convos.categoryButton(kDeathRail)->icon().isNull());
            ClickOk(d);
        });
        QVERIFY(ui::OpenEditor(convos, w.desk.prompts, w.desk.settings, nullptr));
        QVERIFY(script.allRan() && !script.watchdogFired());
        QCOMPARE(marked,
                 QStringList({"Game Enter,Death Rail", "Game Enter,Death Rail", "Game Enter"}));
        QCOMPARE(QByteArray(w.level(1).chat_lines[kDeathRail][4]),
                 QByteArray("\"Hello everyone\""));
    }

    void createSourceStopsAtAnUnreadableLineAndWritesNothing() {
        World w;
        SetFieldText(w.level(4).chat_lines[kDeathRail][2], "Hello everyone");
        w.desk.trigger("createSourceAction");
        QCOMPARE(w.desk.prompts.messages(),
                 QStringList{"Source not created, a chat line cannot be read by the game:\n"
                             "Skill 4, Death Rail, response 3: expected a comma after the name "
                             "Hello"});
        QVERIFY(QDir(w.base + "/botfiles/bots").isEmpty());
        QVERIFY(!QFileInfo::exists(w.base + "/scripts"));

        // With TabSkill off only Skill 1 is written, so only it is checked.
        w.desk.settings.TabSkill = false;
        w.desk.settings.WeightsSkillLevel = 1;
        w.desk.prompts.clear();
        w.desk.trigger("createSourceAction");
        QCOMPARE(w.desk.prompts.messages().size(), 2);
        QVERIFY(QFileInfo::exists(w.base + "/scripts/ranger.bot"));
    }

    void previewListsEveryFileWithItsState() {
        World w;
        SetFieldText(w.level(5).chat_lines[kKillRail][1], "Nice shot");
        PutFile(w.base + "/scripts/copy.bot", "{ name Ranger aifile bots/copy_c.c }");
        QStringList rows;
        QStringList problems;
        QString summary;
        QString chatText;
        ModalScript script;
        script.then([&](QDialog* d) {
            auto* preview = qobject_cast<ui::SourcePreviewDialog*>(d);
            QVERIFY(preview != nullptr);
            QCOMPARE(preview->windowTitle(), QString("Preview Arvon source"));
            rows = Rows(*preview);
            problems = Problems(*preview);
            summary = preview->summaryLabel()->text();
            preview->fileTable()->setCurrentCell(3, 1);
            chatText = preview->textView()->toPlainText();
            Button(d, "closeButton")->click();
        });
        w.desk.trigger("previewSourceAction");
        QVERIFY(script.allRan() && !script.watchdogFired());
        const QString bots = QDir::toNativeSeparators(w.base + "/botfiles/bots/");
        QCOMPARE(rows, QStringList(
                           {"new | " + bots + "ranger_c.c", "new | " + bots + "ranger_w1.c",
                            "new | " + bots + "ranger_i1.c", "new | " + bots + "ranger_t1.c",
                            "new | " + bots + "ranger_w4.c", "new | " + bots + "ranger_i4.c",
                            "new | " + bots + "ranger_t4.c", "new | " + bots + "ranger_w5.c",
                            "new | " + bots + "ranger_i5.c", "new | " + bots + "ranger_t5.c",
                            "new | " + QDir::toNativeSeparators(w.base + "/scripts/ranger.bot")}));
        QCOMPARE(chatText,
                 QString::fromStdString(ChatFileText(w.desk.profile->skill[0], "ranger1")));
        QCOMPARE(
            problems,
            QStringList({"Skill 5, Kill Rail, response 2: expected a comma after the name Nice",
                         "The game already lists a bot named Ranger (scripts/copy.bot): it "
                         "adds the first bot of a name only and leaves this one out",
                         "The base folder holds no botfiles/rnd.c: random strings in chat "
                         "lines are not checked"}));
        QVERIFY(summary.contains("1 chat line(s) cannot be read"));
        QVERIFY(QDir(w.base).entryList(QDir::NoDotAndDotDot | QDir::AllEntries) ==
                QStringList{"scripts"}); // nothing written

        // Written, every file is unchanged; then one value changes one file,
        // and another bot's character file is marked.
        SetFieldText(w.level(5).chat_lines[kKillRail][1], "\"Nice shot\"");
        w.desk.trigger("createSourceAction");
        ui::SourcePreviewDialog preview(*w.desk.profile, w.desk.settings, nullptr);
        for (const QString& row : Rows(preview))
            QVERIFY2(row.startsWith("unchanged | "), qPrintable(row));
        w.level(4).weapon_railgun += 1;
        SetFieldText(w.desk.profile->name, "Ranger Two");
        preview.refresh();
        rows = Rows(preview);
        QCOMPARE(rows[0], "would change, belongs to the bot Ranger | " + bots + "ranger_c.c");
        QCOMPARE(rows[4], "would change | " + bots + "ranger_w4.c");
        QCOMPARE(rows[5], "unchanged | " + bots + "ranger_i4.c");
        QVERIFY(Problems(preview).contains(bots + "ranger_c.c belongs to the bot Ranger: Create "
                                                  "Arvon source asks before replacing it"));
    }

    void choosingAProblemOpensTheResponsesEditorOnItsLine() {
        World w;
        w.desk.settings.BothTabs = true;
        SetFieldText(w.level(4).chat_lines[kDeathRail][6], "Hello everyone");
        int focusedLine = -1;
        QString caption;
        QStringList problemsAfter;
        ModalScript script;
        script.then([&](QDialog* d) {
            auto* preview = qobject_cast<ui::SourcePreviewDialog*>(d);
            QListWidget* list = preview->problemList();
            list->setCurrentRow(0);
            list->setFocus();
            QVERIFY(FixInTheEditors([&] { QTest::keyClick(list, Qt::Key_Return); }, 6, caption,
                                    focusedLine));
            QVERIFY(preview->isVisible()); // Enter on a problem does not close the preview
            problemsAfter = Problems(*preview);
            Button(d, "closeButton")->click();
        });
        w.desk.trigger("previewSourceAction");
        QVERIFY(script.allRan() && !script.watchdogFired());
        QCOMPARE(caption, QString("Death Rail"));
        QCOMPARE(focusedLine, 6);
        QCOMPARE(w.desk.settings.WeightsSkillLevel, 4);
        QCOMPARE(QByteArray(w.level(4).chat_lines[kDeathRail][6]),
                 QByteArray("\"Hello everyone\""));
        QCOMPARE(problemsAfter, QStringList({"The base folder holds no botfiles/rnd.c: random "
                                             "strings in chat lines are not checked"}));
    }

    // A line kept beside the record (the 13th of a situation the record has
    // no slot for) is listed by Preview and opens its own situation's editor.
    void choosingAKeptLineOpensItsSituation() {
        Desk desk;
        ProfileExtras extras;
        std::vector<std::string> lines(12, "\"Sorry\"");
        lines.push_back("Oops mate");
        extras.levels[1].chat.push_back({"kill_teammate", lines});
        QVERIFY(WriteProfileFile(Ranger(), extras, desk.file("ranger.vxb").toStdString()) == 0);
        desk.start(desk.file("ranger.vxb"));
        desk.settings.TabSkill = true;
        desk.settings.BothTabs = true;
        desk.settings.OkCancel = false;
        QDir().mkpath(desk.file("base"));
        desk.settings.BaseDir = desk.file("base").toStdString();
        QString problem;
        QString caption;
        int focusedLine = -1;
        ModalScript script;
        script.then([&](QDialog* d) {
            auto* preview = qobject_cast<ui::SourcePreviewDialog*>(d);
            QListWidget* list = preview->problemList();
            problem = list->item(0)->text();
            list->setCurrentRow(0);
            QVERIFY(FixInTheEditors([&] { emit list->itemActivated(list->item(0)); }, 12, caption,
                                    focusedLine));
            Button(d, "closeButton")->click();
        });
        desk.trigger("previewSourceAction");
        QVERIFY(script.allRan() && !script.watchdogFired());
        QCOMPARE(problem, QString("Skill 4, Kill Teammate, response 13: expected a comma after "
                                  "the name Oops"));
        QCOMPARE(caption, QString("Kill Teammate"));
        QCOMPARE(focusedLine, 12);
        lines.back() = "\"Oops mate\"";
        QVERIFY((desk.window->extras().levels[1].chat ==
                 std::vector<KeptChat>{{"kill_teammate", lines}}));
    }

    void replacingAnotherBotsFilesIsAskedWithNoAsDefault() {
        World w;
        BotProfile old = Ranger();
        SetFieldText(old.name, "Old Ranger");
        const QString characterFile = w.base + "/botfiles/bots/ranger_c.c";
        PutFile(characterFile, CharacterFileText(old, true));
        const QByteArray before = ReadBytes(characterFile);

        w.desk.prompts.questionAnswers = {false};
        w.desk.trigger("createSourceAction");
        const QString question = "ranger_c.c in " +
                                 QDir::toNativeSeparators(w.base + "/botfiles/bots/") +
                                 " belongs to the bot Old Ranger. Replace that bot's files?";
        QCOMPARE(w.desk.prompts.defaultNoQuestions, QStringList{question});
        QCOMPARE(w.desk.prompts.shown.size(), 1); // no message after No
        QCOMPARE(ReadBytes(characterFile), before);
        QVERIFY(!QFileInfo::exists(w.base + "/scripts"));

        PutFile(w.base + "/scripts/old.bot", "{\nname Old\naifile bots/ranger_c.c\n}\n");
        w.desk.prompts.clear();
        w.desk.prompts.questionAnswers = {true};
        w.desk.trigger("createSourceAction");
        QCOMPARE(ReadText(characterFile),
                 QByteArray::fromStdString(CharacterFileText(*w.desk.profile, true)));
        const QStringList messages = w.desk.prompts.messages();
        QCOMPARE(messages.size(), 3);
        QCOMPARE(messages[2], QString("scripts/old.bot (the bot Old) uses the same character file "
                                      "bots/ranger_c.c: the game would load one bot's files for "
                                      "both"));
    }

    void aStockBotInTheGamesArchiveIsAnotherBot() {
        World w;
        BotProfile brute = Ranger();
        SetFieldText(brute.name, "Brute");
        SetFieldText(brute.main_file, "brute_c.c");
        const QString pak = QDir::toNativeSeparators(w.base + "/pak0.pk3");
        WriteZip(pak.toStdString(),
                 {{"scripts/bots.txt", "{\nname Brute\nmodel brute\naifile bots/brute_c.c\n}\n"},
                  {"botfiles/bots/brute_c.c", CharacterFileText(brute, true)}});
        // The imported Brute renamed Brutus, the main file still Brute's.
        SetFieldText(w.desk.profile->name, "Brutus");
        SetFieldText(w.desk.profile->main_file, "brute_c.c");

        QStringList rows;
        QStringList problems;
        ModalScript script;
        script.then([&](QDialog* d) {
            auto* preview = qobject_cast<ui::SourcePreviewDialog*>(d);
            QVERIFY(preview != nullptr);
            rows = Rows(*preview);
            problems = Problems(*preview);
            Button(d, "closeButton")->click();
        });
        w.desk.trigger("previewSourceAction");
        QVERIFY(script.allRan() && !script.watchdogFired());
        const QString bots = QDir::toNativeSeparators(w.base + "/botfiles/bots/");
        QCOMPARE(rows.value(0),
                 "new, takes the place of the bot Brute's file | " + bots + "brute_c.c");
        QCOMPARE(problems.mid(0, 2),
                 QStringList({bots + "brute_c.c takes the place of the bot Brute's file in " + pak +
                                  ": Create Arvon source asks before writing it",
                              "scripts/bots.txt in " + pak +
                                  " (the bot Brute) uses the same character file "
                                  "bots/brute_c.c: the game would load one bot's files for "
                                  "both"}));

        w.desk.prompts.questionAnswers = {false};
        w.desk.trigger("createSourceAction");
        QCOMPARE(w.desk.prompts.defaultNoQuestions,
                 QStringList{"botfiles/bots/brute_c.c in " + pak +
                             " belongs to the bot Brute. The brute_c.c written in " + bots +
                             " takes its place in the game. Replace that bot's files?"});
        QVERIFY(!QFileInfo::exists(bots + "brute_c.c"));
    }

    // The preview of a full bot (TabSkill on, every chat line used) lists
    // every file. How fast it opens is measured by scripts/bench.sh.
    void previewOfAFullBotListsEveryFile() {
        World w;
        for (SkillProfile& block : w.desk.profile->skill)
            for (auto& category : block.chat_lines)
                for (auto& line : category)
                    SetFieldText(line, "\"A full line of chat, \", 1, \" with a variable and a \", "
                                       "food");
        PutFile(w.base + "/botfiles/rnd.c", "food { \"pizza\"; }\n");
        w.desk.trigger("createSourceAction");
        QCOMPARE(w.desk.prompts.messages().size(), 2);
        ui::SourcePreviewDialog preview(*w.desk.profile, w.desk.settings, w.desk.window.get());
        preview.show();
        QCOMPARE(preview.fileTable()->rowCount(), 11);
    }
};

QTEST_MAIN(TestChatLines)
#include "tst_chat_lines.moc"
