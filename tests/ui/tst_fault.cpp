// The main window's file commands and its quit sequence against failing
// writes and impossible paths: the message each one shows, and proof that
// no profile, default bot, settings file or generated file was damaged.
#include "GuiTestSupport.h"
#include "core/util/FixedText.h"

#include <QDirIterator>
#include <QMap>
#include <QSignalSpy>
#include <QtTest>
#include <csignal>
#include <functional>
#include <sys/resource.h>

using namespace vexa;
using namespace vexa::test;

namespace {

// Scripted prompts that run `afterOpenDialog` once the open-file dialog has
// given its answer: what another program may do between the dialog and the
// read.
class HookedPrompts : public ScriptedPrompts {
public:
    std::function<void()> afterOpenDialog;
    std::optional<QString> openFileName(QWidget* parent, const FileRequest& request) override {
        auto answer = ScriptedPrompts::openFileName(parent, request);
        if (afterOpenDialog)
            afterOpenDialog();
        return answer;
    }
};

// The main window on its own working directory, with hooked prompts.
struct FaultDesk {
    Desk desk;
    HookedPrompts prompts;
    std::unique_ptr<ui::MainDialog> window;

    FaultDesk() {
        window = std::make_unique<ui::MainDialog>(*desk.profile, desk.settings, prompts, QString());
        window->show();
    }
    QString file(const QString& name) const { return desk.file(name); }
    void trigger(const char* action) const {
        window->findChild<QAction*>(QLatin1String(action))->trigger();
    }
    QString shownName() const {
        return window->findChild<QLineEdit*>(QStringLiteral("nameEdit"))->text();
    }
    void typeName(const QString& name) const {
        QTest::keyClicks(window->findChild<QLineEdit*>(QStringLiteral("nameEdit")), name);
    }
};

// While it lives, no file this process writes may grow beyond `bytes`, and a
// write past that fails with an error as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

// Every file below `folder` with its bytes, by relative path.
QMap<QString, QByteArray> Snapshot(const QString& folder) {
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(folder).relativeFilePath(path), ReadBytes(path));
    }
    return files;
}

// The first line of each message.
QStringList FirstLines(const QStringList& messages) {
    QStringList lines;
    for (const QString& message : messages)
        lines << message.section(QLatin1Char('\n'), 0, 0);
    return lines;
}

// A path of more than 4096 bytes below `folder`.
QString OverlongPath(const QString& folder) {
    QString path = folder;
    while (path.size() <= 4200)
        path += QLatin1Char('/') + QString(200, QLatin1Char('p'));
    return path + QStringLiteral("/bot.vxb");
}

// Impossible places for a profile file below a working directory that holds
// the regular file "regular" and the folder "folder".
void AddImpossiblePaths() {
    QTest::addColumn<QString>("relative"); // below the working directory
    QTest::newRow("missing folder") << "missing/bot.vxb";
    QTest::newRow("below a regular file") << "regular/bot.vxb";
    QTest::newRow("a folder") << "folder";
    QTest::newRow("a name of 256 bytes") << QString(252, QLatin1Char('n')) + ".vxb";
    QTest::newRow("a path of more than 4096 bytes") << QString();
}

QString ImpossiblePath(const FaultDesk& d, const QString& relative) {
    WriteBytes(d.file("regular"), "regular file");
    QDir().mkdir(d.file("folder"));
    return relative.isEmpty() ? OverlongPath(d.file("")) : d.file(relative);
}

BotProfile Ranger() {
    BotProfile profile = MakeProfile("Ranger");
    SetFieldText(profile.model_name, "rng");
    SetFieldText(profile.main_file, "ranger_c.c");
    return profile;
}

} // namespace

class FaultTest : public QObject {
    Q_OBJECT

private slots:
    void saveBotIntoImpossiblePaths_data() { AddImpossiblePaths(); }
    void saveBotIntoImpossiblePaths();
    void loadBotFromImpossiblePaths_data() { AddImpossiblePaths(); }
    void loadBotFromImpossiblePaths();
    void saveAndDefaultBotRunningOutOfRoomKeepTheOldFiles();
    void loadBotOfAFileChangedAfterTheDialog_data();
    void loadBotOfAFileChangedAfterTheDialog();
    void createSourceRunningOutOfRoomKeepsTheOldFiles();
    void createSourceIntoAnImpossibleFolder();
    void quitWithAnUnwritableSettingsFileStillEnds_data();
    void quitWithAnUnwritableSettingsFileStillEnds();
};

void FaultTest::saveBotIntoImpossiblePaths() {
    QFETCH(QString, relative);
    FaultDesk d;
    const QString path = ImpossiblePath(d, relative);
    const auto before = Snapshot(d.file(""));
    d.typeName("Ranger");
    d.prompts.fileAnswers = {path};
    d.trigger("saveBotAction");
    QCOMPARE(d.prompts.messages(), QStringList{"File not saved, error opening file"});
    QCOMPARE(Snapshot(d.file("")), before);
}

void FaultTest::loadBotFromImpossiblePaths() {
    QFETCH(QString, relative);
    FaultDesk d;
    const QString path = ImpossiblePath(d, relative);
    d.typeName("Keeper");
    const QByteArray before = ImageBytes(*d.desk.profile);
    d.prompts.saveAnswers = {ui::Prompts::SaveAnswer::Discard};
    d.prompts.fileAnswers = {path};
    d.trigger("loadBotAction");
    QCOMPARE(d.prompts.messages(), QStringList{"File not loaded, error opening file"});
    QCOMPARE(ImageBytes(*d.desk.profile), before);
    QCOMPARE(d.shownName(), QStringLiteral("Keeper"));
}

void FaultTest::saveAndDefaultBotRunningOutOfRoomKeepTheOldFiles() {
    FaultDesk d;
    *d.desk.profile = Ranger();
    d.window->ShowProfileIdentity();
    d.prompts.fileAnswers = {d.file("ranger.vxb")};
    d.trigger("saveBotAction");
    d.trigger("defaultBotAction");
    QCOMPARE(d.prompts.messages(), (QStringList{"File saved", "Default bot set"}));
    const auto before = Snapshot(d.file(""));
    QCOMPARE(before.size(), 2);

    d.typeName(" Two");
    d.desk.profile->skill[0].attack_skill = 999;
    const QByteArray changed = ImageBytes(*d.desk.profile);
    d.prompts.clear();
    d.prompts.fileAnswers = {d.file("ranger.vxb")};
    {
        // Room for 4096 of the image's 68460 bytes.
        const FileSizeLimit limit(4096);
        d.trigger("saveBotAction");
        d.trigger("defaultBotAction");
    }
    QCOMPARE(d.prompts.messages(), (QStringList{"File not saved, error writing file",
                                                "Default bot not set, error writing file"}));
    QCOMPARE(Snapshot(d.file("")), before);
    // The profile keeps its name and model name.
    QCOMPARE(ImageBytes(*d.desk.profile), changed);
    QCOMPARE(d.shownName(), QStringLiteral("Ranger Two"));
}

void FaultTest::loadBotOfAFileChangedAfterTheDialog_data() {
    QTest::addColumn<int>("change"); // 0 emptied, 1 one byte short, 2 removed, 3 made a folder
    QTest::addColumn<QString>("message");
    QTest::newRow("emptied") << 0 << "File not loaded, error reading file";
    QTest::newRow("one byte short") << 1 << "File not loaded, error reading file";
    QTest::newRow("removed") << 2 << "File not loaded, error opening file";
    QTest::newRow("replaced by a folder") << 3 << "File not loaded, error opening file";
}

void FaultTest::loadBotOfAFileChangedAfterTheDialog() {
    QFETCH(int, change);
    QFETCH(QString, message);
    FaultDesk d;
    const QString path = d.file("blade.vxb");
    QVERIFY(WriteBytes(path, ImageBytes(MakeProfile("Blade", "Female"))));
    d.typeName("Keeper");
    const QByteArray before = ImageBytes(*d.desk.profile);
    d.prompts.afterOpenDialog = [&] {
        QFile::resize(path, change == 0 ? 0 : 68459);
        if (change >= 2)
            QFile::remove(path);
        if (change == 3)
            QDir().mkdir(path);
    };
    d.prompts.saveAnswers = {ui::Prompts::SaveAnswer::Discard};
    d.prompts.fileAnswers = {path};
    d.trigger("loadBotAction");
    QCOMPARE(d.prompts.messages(), QStringList{message});
    QCOMPARE(ImageBytes(*d.desk.profile), before);
    QCOMPARE(d.shownName(), QStringLiteral("Keeper"));
}

void FaultTest::createSourceRunningOutOfRoomKeepsTheOldFiles() {
    FaultDesk d;
    *d.desk.profile = Ranger();
    d.desk.settings.BaseDir = d.file("base").toStdString();
    d.trigger("createSourceAction");
    QCOMPARE(d.prompts.messages().size(), 2); // the two success messages
    const auto old = Snapshot(d.file("base"));
    QCOMPARE(old.size(), 5);

    // Ten chat lines in every situation make the chat file the largest.
    d.desk.profile->skill[0].attack_skill = 999;
    for (auto& category : d.desk.profile->skill[0].chat_lines)
        for (auto& line : category)
            SetFieldText(line, std::string(79, 'c'));
    d.prompts.clear();
    {
        const FileSizeLimit limit(4096); // less than the main file
        d.trigger("createSourceAction");
    }
    QCOMPARE(FirstLines(d.prompts.messages()),
             QStringList{"Source not created, error writing main file"});
    QCOMPARE(Snapshot(d.file("base")), old);

    d.prompts.clear();
    {
        const FileSizeLimit limit(10000); // room for every file but the chat file
        d.trigger("createSourceAction");
    }
    // All or nothing: the character file written before is not put in place.
    const QString chatFile = d.file("base/botfiles/bots/ranger_t.c");
    QCOMPARE(d.prompts.messages(),
             QStringList{"Source not created, error writing chat convos file\n" + chatFile +
                         ": File too large"});
    QCOMPARE(Snapshot(d.file("base")), old);
}

void FaultTest::createSourceIntoAnImpossibleFolder() {
    FaultDesk d;
    *d.desk.profile = Ranger();
    QVERIFY(WriteBytes(d.file("regular"), "regular file"));
    const QString bases[] = {d.file("regular/base"), d.file(QString(256, QLatin1Char('n'))),
                             OverlongPath(d.file("")).chopped(8)};
    for (const QString& base : bases) {
        d.desk.settings.BaseDir = base.toStdString();
        d.trigger("createSourceAction");
    }
    QCOMPARE(FirstLines(d.prompts.messages()),
             QStringList(3, "Source not created, error opening main file"));
    // The second line names the file and the system's reason.
    QCOMPARE(d.prompts.messages()[0].section(QLatin1Char('\n'), 1),
             bases[0] + "/botfiles/bots/ranger_c.c: Not a directory");
    QCOMPARE(Snapshot(d.file("")).keys(), QStringList{"regular"});
}

void FaultTest::quitWithAnUnwritableSettingsFileStillEnds_data() {
    QTest::addColumn<bool>("folder"); // vexa.ini is a folder, else the disk is full
    QTest::newRow("vexa.ini is a folder") << true;
    QTest::newRow("no room for vexa.ini") << false;
}

void FaultTest::quitWithAnUnwritableSettingsFileStillEnds() {
    QFETCH(bool, folder);
    FaultDesk d;
    const QByteArray old = "// Generated by Arvon Bot Designer\n\n[SETTINGS]\n\nBaseDir = /old\n";
    if (folder)
        QVERIFY(QDir().mkdir(d.file("vexa.ini")));
    else
        QVERIFY(WriteBytes(d.file("vexa.ini"), old));
    // A folder long enough that the file needs more room than it has.
    d.desk.settings.BaseDir = "/" + std::string(5000, 'b');
    d.prompts.questionAnswers = {true};
    QSignalSpy ending(d.window.get(), &ui::MainDialog::quitConfirmed);
    {
        const FileSizeLimit limit(folder ? RLIM_INFINITY : 4096);
        d.trigger("exitAction");
    }
    // The quit sequence reports nothing and the program ends; the old file
    // is kept.
    QCOMPARE(ending.count(), 1);
    QCOMPARE(d.prompts.shown.size(), 1);
    QCOMPARE(d.prompts.shown[0].text, QStringLiteral("Are you sure you wish to quit?"));
    if (folder)
        QVERIFY(QFileInfo(d.file("vexa.ini")).isDir());
    else
        QCOMPARE(ReadBytes(d.file("vexa.ini")), old);
    QCOMPARE(Snapshot(d.file("")).size(), folder ? 0 : 1);
}

QTEST_MAIN(FaultTest)
#include "tst_fault.moc"
