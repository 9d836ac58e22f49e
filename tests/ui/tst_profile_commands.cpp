// The main window's file commands: Save Bot, Load Bot, Make Default Bot and
// Create Arvon source, with their dialogs and messages.
#include "GuiTestSupport.h"
#include "core/profile/ProfileExtras.h"
#include "core/util/FixedText.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using namespace vexa;
using namespace vexa::test;

namespace {

// The kinds of prompt shown so far ("save question", "open", ...), which
// are then forgotten.
QStringList TakeShownKinds(Desk& desk) {
    QStringList kinds;
    for (const auto& shown : desk.prompts.shown)
        kinds << shown.kind;
    desk.prompts.clear();
    return kinds;
}

} // namespace

class ProfileCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void saveBotWritesTheImage();
    void saveBotFailureAndCancel();
    void loadBotShowsTheProfile();
    void keptExtrasAreLoadedShownRemovedAndSaved();
    void loadBotFailuresKeepTheProfile_data();
    void loadBotFailuresKeepTheProfile();
    void footerSaysWhereTheBotGoesAndWhatIsOpen();
    void unsavedChangesAskBeforeTheyAreLost();
    void defaultBotRoundTrip();
    void defaultBotFailure();
    void createSourceWritesEveryFile();
    void createSourceChecksInOrder();
    void createSourceReportsTheFirstFailure_data();
    void createSourceReportsTheFirstFailure();
};

void ProfileCommandsTest::saveBotWritesTheImage() {
    Desk desk;
    QVERIFY(WriteBytes(desk.file("vexa.ini"), "VEXADir = /home/bots\n"));
    desk.start();
    QTest::keyClicks(desk.child<QLineEdit>("nameEdit"), "Ranger");
    desk.prompts.fileAnswers = {desk.file("ranger.vxb")};
    desk.trigger("saveBotAction");

    QCOMPARE(desk.prompts.shown.size(), 2);
    const auto& dialog = desk.prompts.shown[0];
    QCOMPARE(dialog.kind, QStringLiteral("save"));
    QCOMPARE(dialog.request.title, QStringLiteral("Save Your VEXA Bot"));
    QCOMPARE(dialog.request.filter, QStringLiteral("VEXA Bot Files (*.vxb)"));
    QCOMPARE(dialog.request.defaultSuffix, QStringLiteral("vxb"));
    QCOMPARE(dialog.request.defaultName, QStringLiteral("ranger.vxb"));
    QCOMPARE(dialog.request.folder, QStringLiteral("/home/bots"));
    QCOMPARE(desk.prompts.messages(), QStringList{"File saved"});
    QCOMPARE(desk.prompts.shown[1].title, vexa::ui::ApplicationTitle());

    const QByteArray saved = ReadBytes(desk.file("ranger.vxb"));
    QCOMPARE(saved.size(), 68460);
    QCOMPARE(saved, ImageBytes(*desk.profile));
    QCOMPARE(saved.mid(0, 7), QByteArray("Ranger\0", 7));
    QCOMPARE(saved.mid(20, 5), QByteArray("Male\0", 5));
}

void ProfileCommandsTest::saveBotFailureAndCancel() {
    Desk desk;
    desk.start();
    desk.prompts.fileAnswers = {std::nullopt, desk.file("missing/folder/bot.vxb")};
    desk.trigger("saveBotAction");
    QCOMPARE(desk.prompts.shown.size(), 1); // the dialog only
    QCOMPARE(desk.prompts.shown[0].request.defaultName, QStringLiteral("bot.vxb")); // not hidden
    QCOMPARE(desk.prompts.shown[0].request.folder, QString());
    desk.trigger("saveBotAction");
    QCOMPARE(desk.prompts.messages(), QStringList{"File not saved, error opening file"});
}

void ProfileCommandsTest::loadBotShowsTheProfile() {
    Desk desk;
    desk.start();
    QTest::keyClicks(desk.child<QLineEdit>("nameEdit"), "Old Name");
    BotProfile blade = MakeProfile("Blade", "Female");
    blade.skill[1].aim_skill = 123;
    QVERIFY(WriteBytes(desk.file("blade.vxb"), ImageBytes(blade)));
    QByteArray longer = ImageBytes(MakeProfile("Tank", "It"));
    longer.append(40, 'z');
    QVERIFY(WriteBytes(desk.file("tank.vxb"), longer));
    QVERIFY(WriteBytes(desk.file("odd.vxb"), ImageBytes(MakeProfile("Odd", "Robot"))));

    desk.prompts.fileAnswers = {std::nullopt, desk.file("blade.vxb"), desk.file("tank.vxb"),
                                desk.file("odd.vxb")};
    // The typed name is a change: Discard it, twice while it stays.
    desk.prompts.saveAnswers = {vexa::ui::Prompts::SaveAnswer::Discard,
                                vexa::ui::Prompts::SaveAnswer::Discard};
    desk.trigger("loadBotAction");
    QVERIFY(desk.prompts.messages().isEmpty());
    desk.prompts.shown.removeFirst(); // the question
    QCOMPARE(desk.prompts.shown[0].kind, QStringLiteral("open"));
    QCOMPARE(desk.prompts.shown[0].request.title, QStringLiteral("Load Your VEXA Bot"));
    QCOMPARE(desk.prompts.shown[0].request.filter, QStringLiteral("VEXA Bot Files (*.vxb)"));
    QCOMPARE(desk.prompts.shown[0].request.defaultSuffix, QStringLiteral("vxb"));
    QCOMPARE(desk.prompts.shown[0].request.defaultName, QStringLiteral("oldname.vxb"));

    desk.trigger("loadBotAction");
    QCOMPARE(ImageBytes(*desk.profile), ImageBytes(blade));
    QCOMPARE(desk.child<QLineEdit>("nameEdit")->text(), QStringLiteral("Blade"));
    QCOMPARE(desk.child<QComboBox>("genderCombo")->currentIndex(), 1);

    desk.trigger("loadBotAction"); // 68500 bytes: the first 68460 count
    QCOMPARE(desk.child<QLineEdit>("nameEdit")->text(), QStringLiteral("Tank"));
    QCOMPARE(desk.child<QComboBox>("genderCombo")->currentText(), QStringLiteral("It"));

    desk.trigger("loadBotAction"); // an unknown gender keeps the list as it was
    QCOMPARE(desk.child<QLineEdit>("nameEdit")->text(), QStringLiteral("Odd"));
    QCOMPARE(desk.child<QComboBox>("genderCombo")->currentText(), QStringLiteral("It"));
    QCOMPARE(FieldText(desk.profile->gender), std::string("Robot"));

    QCOMPARE(desk.prompts.messages(), (QStringList{"File loaded", "File loaded", "File loaded"}));
}

void ProfileCommandsTest::loadBotFailuresKeepTheProfile_data() {
    QTest::addColumn<int>("size"); // -1: no file at all
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << -1 << "File not loaded, error opening file";
    QTest::newRow("one byte short") << 68459 << "File not loaded, error reading file";
    QTest::newRow("empty") << 0 << "File not loaded, error reading file";
}

void ProfileCommandsTest::loadBotFailuresKeepTheProfile() {
    QFETCH(int, size);
    QFETCH(QString, message);
    Desk desk;
    desk.start();
    QTest::keyClicks(desk.child<QLineEdit>("nameEdit"), "Keeper");
    const QByteArray before = ImageBytes(*desk.profile);
    if (size >= 0)
        QVERIFY(
            WriteBytes(desk.file("bad.vxb"), ImageBytes(MakeProfile("Intruder", "It")).left(size)));
    desk.prompts.saveAnswers = {vexa::ui::Prompts::SaveAnswer::Discard};
    desk.prompts.fileAnswers = {desk.file("bad.vxb")};
    desk.trigger("loadBotAction");
    QCOMPARE(desk.prompts.messages(), QStringList{message});
    QCOMPARE(ImageBytes(*desk.profile), before);
    QCOMPARE(desk.child<QLineEdit>("nameEdit")->text(), QStringLiteral("Keeper"));
}

void ProfileCommandsTest::footerSaysWhereTheBotGoesAndWhatIsOpen() {
    Desk desk;
    desk.start();
    desk.settings.OkCancel = false;
    auto* footer = desk.child<QLabel>("footerLabel");
    const auto lines = [footer] { return footer->text().split(QLatin1Char('\n')); };
    QCOMPARE(lines(), (QStringList{"Base folder: no base folder yet",
                                   "Profile file: none saved or loaded yet"}));
    const int width = desk.window->width();

    ModalScript script;
    script.then([](QDialog* dialog) {
        Field(dialog, "folderEdit")->setText(FullFolder("/games/arvon/base"));
        ClickOk(dialog);
    });
    desk.child<QPushButton>("mainFileButton")->click();
    QVERIFY(script.allRan());
    QCOMPARE(lines().at(0), "Base folder: " + FullFolder("/games/arvon/base"));

    QVERIFY(WriteBytes(desk.file("short.vxb"), QByteArray(100, 'x')));
    desk.prompts.fileAnswers = {desk.file("saved.vxb"), desk.file("short.vxb"),
                                desk.file("no/such/folder/x.vxb"), desk.file("saved.vxb")};
    desk.trigger("saveBotAction");
    const QString saved = QStringLiteral("Profile file: ") + desk.file("saved.vxb");
    QCOMPARE(lines().at(1), saved);
    desk.trigger("loadBotAction"); // fails: the footer stays
    desk.trigger("saveBotAction"); // fails too
    QCOMPARE(lines().at(1), saved);
    desk.trigger("loadBotAction");
    QCOMPARE(lines().at(1), saved);
    QCOMPARE(desk.prompts.messages().size(), 4);

    // A long folder is shortened in the middle; the window keeps its width.
    desk.settings.BaseDir = "/very" + std::string(300, 'x') + "/end";
    desk.prompts.fileAnswers = {desk.file("saved.vxb")};
    desk.trigger("loadBotAction");
    QVERIFY(lines().at(0).startsWith(QStringLiteral("Base folder: /very")));
    QVERIFY(lines().at(0).endsWith(QStringLiteral("/end")));
    QVERIFY(lines().at(0).size() < 200);
    QVERIFY(footer->toolTip().contains(QString::fromStdString(desk.settings.BaseDir)));
    QTest::qWait(20);
    QCOMPARE(desk.window->width(), width);
}

// Load Bot, Import Bot and quitting ask to save a profile changed since it
// was last saved, loaded, imported or started; unchanged, they do not.
void ProfileCommandsTest::unsavedChangesAskBeforeTheyAreLost() {
    using Answer = vexa::ui::Prompts::SaveAnswer;
    Desk desk;
    QVERIFY(WriteBytes(desk.file("blade.vxb"), ImageBytes(MakeProfile("Blade", "Female"))));
    desk.start();
    auto* name = desk.child<QLineEdit>("nameEdit");
    const auto kinds = [&desk] { return TakeShownKinds(desk); };

    // A letter typed and taken back is no change.
    QTest::keyClicks(name, "R");
    QTest::keyClick(name, Qt::Key_Backspace);
    desk.prompts.fileAnswers = {std::nullopt};
    desk.trigger("loadBotAction");
    QCOMPARE(kinds(), QStringList{"open"});

    // Cancel keeps everything; Discard goes on to the load.
    QTest::keyClicks(name, "Ranger");
    const QByteArray typed = ImageBytes(*desk.profile);
    desk.prompts.saveAnswers = {Answer::Cancel};
    desk.trigger("loadBotAction");
    QCOMPARE(kinds(), QStringList{"save question"});
    QCOMPARE(ImageBytes(*desk.profile), typed);
    desk.prompts.saveAnswers = {Answer::Discard};
    desk.prompts.fileAnswers = {desk.file("blade.vxb")};
    desk.trigger("loadBotAction");
    QCOMPARE(kinds(), (QStringList{"save question", "open", "information"}));
    QCOMPARE(name->text(), QStringLiteral("Blade"));

    // Save runs Save Bot; a save cancelled or failed stops the import.
    QTest::keyClicks(name, "x");
    desk.prompts.saveAnswers = {Answer::Save, Answer::Save};
    desk.prompts.fileAnswers = {std::nullopt, desk.file("no/such/folder/b.vxb")};
    desk.trigger("importBotAction");
    desk.trigger("importBotAction");
    QCOMPARE(kinds(),
             (QStringList{"save question", "save", "save question", "save", "information"}));
    desk.prompts.saveAnswers = {Answer::Save};
    desk.prompts.fileAnswers = {desk.file("bladex.vxb"), std::nullopt};
    desk.trigger("importBotAction");
    QCOMPARE(kinds(), (QStringList{"save question", "save", "information", "open"}));
    QCOMPARE(ReadBytes(desk.file("bladex.vxb")), ImageBytes(*desk.profile));

    // Saved, quitting asks its own question; changed, it asks to save.
    desk.prompts.questionAnswers = {false};
    desk.trigger("exitAction");
    QCOMPARE(desk.prompts.shown[0].text, QStringLiteral("Are you sure you wish to quit?"));
    QCOMPARE(kinds(), QStringList{"question"});
    desk.child<QComboBox>("genderCombo")->setCurrentIndex(2);
    emit desk.child<QComboBox>("genderCombo")->activated(2);
    desk.prompts.saveAnswers = {Answer::Cancel, Answer::Discard};
    desk.window->close();
    QVERIFY(!desk.window->hasQuit());
    desk.window->close();
    QCOMPARE(kinds(), (QStringList{"save question", "save question"}));
    QVERIFY(desk.window->hasQuit());
    QCOMPARE(ReadBytes(desk.file("bladex.vxb")).mid(20, 6), QByteArray("Female"));
}

void ProfileCommandsTest::defaultBotRoundTrip() {
    Desk desk;
    desk.start();
    QTest::keyClicks(desk.child<QLineEdit>("nameEdit"), "Ranger");
    QTest::keyClick(desk.child<QComboBox>("genderCombo"), Qt::Key_Down); // Female
    SetFieldText(desk.profile->model_name, "rng");
    desk.profile->skill[2].camper = 777;
    const QByteArray before = ImageBytes(*desk.profile);

    desk.trigger("defaultBotAction");
    QCOMPARE(desk.prompts.messages(), QStringList{"Default bot set"});
    QCOMPARE(ImageBytes(*desk.profile), before); // the profile keeps both fields
    QCOMPARE(desk.child<QLineEdit>("nameEdit")->text(), QStringLiteral("Ranger"));
    const QByteArray stored = ReadBytes(desk.file("defbot.ini"));
    QCOMPARE(stored.size(), 68460);
    QCOMPARE(stored[0], '\0');
    QCOMPARE(stored[30], '\0');
    QCOMPARE(stored.mid(20, 7), QByteArray("Female\0", 7));
    QCOMPARE(stored.mid(40), before.mid(40));

    // The next start loads it; no question was asked before replacing it.
    desk.trigger("defaultBotAction");
    *desk.profile = EmptyProfile();
    desk.start();
    QCOMPARE(desk.child<QLineEdit>("nameEdit")->text(), QString());
    QCOMPARE(desk.child<QComboBox>("genderCombo")->currentText(), QStringLiteral("Female"));
    QCOMPARE(desk.profile->skill[2].camper, 777);
}

void ProfileCommandsTest::defaultBotFailure() {
    Desk desk;
    desk.start();
    QVERIFY(QDir().mkdir(desk.file("defbot.ini")));
    desk.trigger("defaultBotAction");
    QCOMPARE(desk.prompts.messages(), QStringList{"Default bot not set, error opening file"});
}

void ProfileCommandsTest::createSourceWritesEveryFile() {
    Desk desk;
    desk.start();
    desk.settings.BaseDir = desk.file("base").toStdString();
    QTest::keyClicks(desk.child<QLineEdit>("nameEdit"), "Sir Blade-Runner 2000");
    SetFieldText(desk.profile->main_file, "blade_c.c");
    const QByteArray before = ImageBytes(*desk.profile);
    desk.trigger("createSourceAction");

    QCOMPARE(desk.prompts.messages(),
             (QStringList{"Sourced created succesfully in\n" +
                              QDir::toNativeSeparators(desk.file("base") + "/"),
                          "If your model files are NOT named:\tsirbladeru\nthen make sure you "
                          "change the name of the model in the .bot file"}));
    for (const auto& shown : desk.prompts.shown)
        QCOMPARE(shown.title, vexa::ui::ApplicationTitle());
    QCOMPARE(QString::fromStdString(desk.settings.BaseDir),
             QDir::toNativeSeparators(desk.file("base") + "/"));
    for (const char* file : {"base/botfiles/bots/blade_c.c", "base/botfiles/bots/blade_w.c",
                             "base/botfiles/bots/blade_i.c", "base/botfiles/bots/blade_t.c",
                             "base/scripts/sirbladeru.bot"})
        QVERIFY2(QFileInfo(desk.file(file)).isFile(), file);
    QCOMPARE(ImageBytes(*desk.profile), before);
}

void ProfileCommandsTest::createSourceChecksInOrder() {
    Desk desk;
    desk.start();
    desk.prompts.clear();
    desk.trigger("createSourceAction"); // no folder, no name, no main file
    desk.settings.BaseDir = desk.file("base").toStdString();
    desk.trigger("createSourceAction"); // no name
    QTest::keyClicks(desk.child<QLineEdit>("nameEdit"), "Ranger");
    SetFieldText(desk.profile->gender, "");
    desk.trigger("createSourceAction"); // no gender
    SetFieldText(desk.profile->gender, "It");
    desk.trigger("createSourceAction"); // no main file, but the folders are made
    QCOMPARE(
        desk.prompts.messages(),
        (QStringList{"No directory given for source generation", "You need a name for this Bot",
                     "You need a gender for this Bot", "You need a main file for this Bot"}));
    QVERIFY(QFileInfo(desk.file("base/botfiles/bots")).isDir());
    QCOMPARE(QString::fromStdString(desk.settings.BaseDir),
             QDir::toNativeSeparators(desk.file("base") + "/"));
}

void ProfileCommandsTest::createSourceReportsTheFirstFailure_data() {
    QTest::addColumn<QString>("blocked");
    QTest::addColumn<QString>("message");
    QTest::newRow("main") << "botfiles/bots/ranger_c.c"
                          << "Source not created, error opening main file";
    QTest::newRow("weapon") << "botfiles/bots/ranger_w.c"
                            << "Source not created, error opening weapon weights file";
    QTest::newRow("item") << "botfiles/bots/ranger_i.c"
                          << "Source not created, error opening item weights file";
    QTest::newRow("chat") << "botfiles/bots/ranger_t.c"
                          << "Source not created, error opening chat convos file";
    QTest::newRow("bot") << "scripts/rng.bot"
                         << "Source not created, error opening .bot file";
}

void ProfileCommandsTest::createSourceReportsTheFirstFailure() {
    QFETCH(QString, blocked);
    QFETCH(QString, message);
    Desk desk;
    desk.start();
    desk.settings.BaseDir = desk.file("base").toStdString();
    QTest::keyClicks(desk.child<QLineEdit>("nameEdit"), "Ranger");
    SetFieldText(desk.profile->main_file, "ranger_c.c");
    SetFieldText(desk.profile->model_name, "rng");
    // A folder where the file should go keeps it from being opened.
    QVERIFY(QDir().mkpath(desk.file("base/" + blocked)));
    desk.trigger("createSourceAction");
    // The message as it was, then the file and the system's reason; no file
    // was written.
    QCOMPARE(desk.prompts.messages(),
             QStringList{message + "\n" + QDir::toNativeSeparators(desk.file("base/" + blocked)) +
                         ": Is a directory"});
    QCOMPARE(QDir(desk.file("base/botfiles/bots")).entryList(QDir::Files | QDir::Hidden),
             QStringList());
}

// A profile with extras: Load Bot takes them (and says when they were set
// aside), Settings > Kept Extras lists them and removes one, Save Bot
// writes the rest.
void ProfileCommandsTest::keptExtrasAreLoadedShownRemovedAndSaved() {
    Desk desk;
    desk.start();
    const BotProfile knight = MakeProfile("Knight", "Male");
    ProfileExtras extras;
    extras.infoKeys = {{"funname", "^4Sir"}, {"arenaLord", "1"}};
    extras.levels[0].chat.push_back({"death_kamikaze", {"\"Boom\""}});
    QVERIFY(WriteProfileFile(knight, extras, desk.file("knight.vxb").toStdString()) == 0);
    // The same block after a record that another program changed.
    const std::string record = ProfileImage(MakeProfile("Changed", "Male"));
    QVERIFY(
        WriteBytes(desk.file("changed.vxb"),
                   QByteArray::fromStdString(record + ExtrasBlock(extras, ProfileImage(knight)))));

    desk.prompts.fileAnswers = {desk.file("changed.vxb"), desk.file("knight.vxb"),
                                desk.file("saved.vxb")};
    desk.trigger("loadBotAction");
    QVERIFY(desk.window->extras().empty());
    QCOMPARE(desk.prompts.messages().size(), 2);
    QVERIFY(desk.prompts.messages()[1].contains(QLatin1String("set aside")));
    desk.trigger("loadBotAction");
    QVERIFY(desk.window->extras() == extras);

    QStringList listed;
    ModalScript script;
    script.then([&](QDialog* dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Kept Extras"));
        auto* list = dialog->findChild<QListWidget*>(QStringLiteral("keptList"));
        for (int row = 0; row < list->count(); ++row)
            listed << list->item(row)->text();
        list->setCurrentRow(0);
        dialog->findChild<QPushButton*>(QStringLiteral("removeButton"))->click();
        QCOMPARE(list->count(), 2);
        ClickOk(dialog);
    });
    desk.trigger("keptExtrasAction");
    QVERIFY(script.allRan());
    QCOMPARE(listed, (QStringList{"Bot info: funname ^4Sir", "Bot info: arenaLord 1",
                                  "Skill 1: chat death_kamikaze, 1 line"}));

    // The record is unchanged, but the bot is not: quitting asks to save it.
    const auto kinds = [&desk] { return TakeShownKinds(desk); };
    kinds();
    desk.prompts.saveAnswers = {vexa::ui::Prompts::SaveAnswer::Cancel};
    desk.window->close();
    QVERIFY(!desk.window->hasQuit());
    QCOMPARE(kinds(), QStringList{"save question"});

    desk.trigger("saveBotAction");
    kinds();
    // Saved, quitting asks its own question only.
    desk.prompts.questionAnswers = {false};
    desk.window->close();
    QCOMPARE(kinds(), QStringList{"question"});

    BotProfile saved = EmptyProfile();
    ProfileExtras savedExtras;
    ExtrasStatus status{};
    QCOMPARE(ReadProfileFile(saved, savedExtras, desk.file("saved.vxb").toStdString(), status), 0);
    QVERIFY(status == ExtrasStatus::Read);
    extras.infoKeys.erase(extras.infoKeys.begin());
    QVERIFY(savedExtras == extras);
}

QTEST_MAIN(ProfileCommandsTest)
#include "tst_profile_commands.moc"
