// File > Export Bot Package...: the file dialog, the messages, and the
// package against the files Create Arvon source writes for the same bot.
#include "GuiTestSupport.h"
#include "ZipEntries.h"
#include "core/util/FixedText.h"

#include <QDirIterator>
#include <QtTest>
#include <map>

using namespace vexa;
using namespace vexa::test;

class ExportPackageTest : public QObject {
    Q_OBJECT

private slots:
    void exportsTheFilesOfCreateSource_data();
    void exportsTheFilesOfCreateSource();
    void botThatCannotBeGeneratedAsksForNoFile();
    void cancelAndUnwritablePackage();
};

namespace {

// Ranger ready for Create Arvon source, with the base folder `base`.
void PrepareRanger(Desk& desk, const QString& base) {
    desk.start();
    desk.settings.BaseDir = base.toStdString();
    QTest::keyClicks(desk.child<QLineEdit>("nameEdit"), "Ranger");
    SetFieldText(desk.profile->main_file, "ranger_c.c");
    SetFieldText(desk.profile->model_name, "rng");
    desk.profile->skill[2].attack_skill = 999;
    desk.prompts.clear();
}

std::map<std::string, std::string> FilesBelow(const QString& folder) {
    std::map<std::string, std::string> files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files[QDir(folder).relativeFilePath(path).toStdString()] = ReadBytes(path).toStdString();
    }
    return files;
}

} // namespace

void ExportPackageTest::exportsTheFilesOfCreateSource_data() {
    QTest::addColumn<bool>("tabSkill");
    QTest::newRow("one set of files") << false;
    QTest::newRow("a set per level") << true;
}

void ExportPackageTest::exportsTheFilesOfCreateSource() {
    QFETCH(bool, tabSkill);
    Desk desk;
    QVERIFY(QDir().mkpath(desk.file("base")));
    QVERIFY(QDir().mkpath(desk.file("shared")));
    PrepareRanger(desk, desk.file("base"));
    desk.settings.TabSkill = tabSkill;
    const QByteArray before = ImageBytes(*desk.profile);
    const QString package = desk.file("shared/zz-ranger.pk3");
    desk.prompts.fileAnswers = {package};
    desk.trigger("exportPackageAction");

    QCOMPARE(desk.prompts.shown.size(), 3);
    const auto& dialog = desk.prompts.shown[0];
    QCOMPARE(dialog.kind, QStringLiteral("save"));
    QCOMPARE(dialog.request.title, QStringLiteral("Export Bot Package"));
    QCOMPARE(dialog.request.filter, QStringLiteral("Arvon Packages (*.pk3)"));
    QCOMPARE(dialog.request.defaultSuffix, QStringLiteral("pk3"));
    QCOMPARE(dialog.request.defaultName, QStringLiteral("zz-ranger.pk3"));
    QCOMPARE(dialog.request.folder, desk.file("base"));
    QCOMPARE(desk.prompts.messages(),
             (QStringList{"Bot package written to\n" + package,
                          "If your model files are NOT named:\trng\nthen make sure you "
                          "change the name of the model in the .bot file"}));
    // Nothing in the game folder, the options and the profile unchanged.
    QVERIFY(FilesBelow(desk.file("base")).empty());
    QCOMPARE(QString::fromStdString(desk.settings.BaseDir), desk.file("base"));
    QCOMPARE(ImageBytes(*desk.profile), before);

    desk.trigger("createSourceAction");
    const auto loose = FilesBelow(desk.file("base"));
    QCOMPARE(loose.size(), tabSkill ? std::size_t{11} : std::size_t{5});
    const auto entries = ReadZipEntries(package.toStdString());
    QVERIFY(entries.has_value());
    std::map<std::string, std::string> packed;
    for (const ZipEntry& entry : *entries)
        packed[entry.name] = entry.bytes;
    QVERIFY(packed == loose);
}

void ExportPackageTest::botThatCannotBeGeneratedAsksForNoFile() {
    Desk desk;
    desk.start();
    desk.prompts.clear();
    // No base folder is needed, but a name, a gender, a main file and chat
    // lines the game can read are.
    desk.trigger("exportPackageAction");
    QTest::keyClicks(desk.child<QLineEdit>("nameEdit"), "Ranger");
    SetFieldText(desk.profile->gender, "");
    desk.trigger("exportPackageAction");
    SetFieldText(desk.profile->gender, "It");
    desk.trigger("exportPackageAction");
    SetFieldText(desk.profile->main_file, "ranger_c.c");
    SetFieldText(desk.profile->skill[0].chat_lines[16][2], "Hello everyone");
    desk.trigger("exportPackageAction");
    QCOMPARE(desk.prompts.messages(),
             (QStringList{"You need a name for this Bot", "You need a gender for this Bot",
                          "You need a main file for this Bot",
                          "Source not created, a chat line cannot be read by the game:\n"
                          "Skill 1, Death Rail, response 3: expected a comma after the name "
                          "Hello"}));
    QCOMPARE(desk.prompts.shown.size(), 4); // and no file dialog
}

void ExportPackageTest::cancelAndUnwritablePackage() {
    Desk desk;
    PrepareRanger(desk, QString());
    // The file dialog answers in the system's form.
    const QString package = QDir::toNativeSeparators(desk.file("missing/zz-ranger.pk3"));
    desk.prompts.fileAnswers = {std::nullopt, package};
    desk.trigger("exportPackageAction"); // cancelled: nothing more
    QCOMPARE(desk.prompts.shown.size(), 1);
    QVERIFY(desk.prompts.shown[0].request.folder.isEmpty());
    desk.trigger("exportPackageAction");
    // The message, then the file and the system's reason in its own words.
    const QStringList messages = desk.prompts.messages();
    QCOMPARE(messages.size(), 1);
    const QString start = "Package not created, error opening package file\n" + package + ": ";
    QVERIFY2(messages[0].startsWith(start) && messages[0].size() > start.size(),
             qPrintable(messages[0]));
    if (NativePathStyle() == PathStyle::Posix)
        QCOMPARE(messages[0], start + "No such file or directory");
    QVERIFY(!QFileInfo::exists(desk.file("missing")));
}

QTEST_MAIN(ExportPackageTest)
#include "tst_export_package.moc"
