// File > Import Bot...: picking a source, choosing one of its bots, the
// report, and the list and report dialogs themselves.
#include "GuiTestSupport.h"
#include "ZipFixtures.h"
#include "core/archive/PickedSource.h"
#include "core/generate/GenerateSource.h"
#include "core/util/FixedText.h"
#include "ui/common/ListChoiceDialog.h"
#include "ui/common/TextReportDialog.h"

#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTreeWidget>
#include <QtTest>
#include <cctype>
#include <filesystem>
#include <map>

using namespace vexa;
using namespace vexa::test;
namespace fs = std::filesystem;

namespace {

using Files = std::map<std::string, std::string>; // relative path -> text

BotProfile Bot(const char* name, int aim) {
    BotProfile profile = GameBot(name);
    for (SkillProfile& skill : profile.skill)
        skill.aim_skill = aim;
    return profile;
}

Files Generated(const BotProfile& profile) {
    AppSettings settings;
    ResetSettings(settings);
    settings.BaseDir = "/base/";
    MemoryFiles files;
    if (GenerateSource(profile, settings, PathStyle::Posix, files) != 0)
        return {};
    Files relative;
    for (const MemoryFiles::File& file : files.files())
        relative[file.path.substr(6)] = file.text;
    return relative;
}

void WriteLoose(const fs::path& folder, const Files& files) {
    for (const auto& [path, text] : files) {
        fs::create_directories((folder / path).parent_path());
        WriteWholeFile((folder / path).string(), text);
    }
}

// A base folder below the desk's folder: Ranger in an archive, Sarge loose.
QString MakeBase(const Desk& desk, const BotProfile& ranger, const BotProfile& sarge) {
    const fs::path base = desk.file(QStringLiteral("base")).toStdString();
    fs::create_directories(base);
    std::vector<ZipItem> items;
    for (const auto& [path, text] : Generated(ranger))
        items.push_back({path, text});
    WriteZip((base / "pak0.pk3").string(), items);
    WriteLoose(base, Generated(sarge));
    return QString::fromStdString(base.string());
}

} // namespace

class ImportBotTest : public QObject {
    Q_OBJECT

private slots:
    void importsTheBotChosenFromTheList();
    void oneBotNeedsNoList();
    void theOptionKeepsTheFileNames();
    void cancelAndFailuresKeepTheProfile();
    void listFiltersAndChooses();
    void reportCopiesItsText();
};

void ImportBotTest::importsTheBotChosenFromTheList() {
    Desk desk;
    QVERIFY(WriteBytes(desk.file("vexa.ini"), "BaseDir = /games/arvon/base\n"));
    desk.start();
    // A profile loaded before: the footer names its file until the import.
    QVERIFY(WriteBytes(desk.file("old.vxb"), ImageBytes(Bot("Old", 1))));
    desk.prompts.fileAnswers = {desk.file("old.vxb")};
    desk.trigger("loadBotAction");
    QVERIFY(desk.child<QLabel>("footerLabel")->text().contains("old.vxb"));
    desk.prompts.clear();
    const BotProfile sarge = Bot("Sarge", 650);
    const QString base = MakeBase(desk, Bot("Ranger", 300), sarge);
    desk.prompts.fileAnswers = {base};
    desk.prompts.listAnswers = {vexa::ui::Prompts::ListChoice{1, false}};
    desk.trigger("importBotAction");

    QCOMPARE(desk.prompts.shown.size(), 3);
    const auto& request = desk.prompts.shown[0].request;
    QCOMPARE(desk.prompts.shown[0].kind, QStringLiteral("open"));
    QCOMPARE(request.title, QStringLiteral("Import Bot"));
    QVERIFY(request.orFolder);
    QCOMPARE(request.folder, QStringLiteral("/games/arvon/base"));

    QCOMPARE(desk.prompts.shown[1].kind, QStringLiteral("list"));
    const auto& list = desk.prompts.lists[0];
    QCOMPARE(list.title, QStringLiteral("Choose a Bot"));
    QCOMPARE(list.columns, (QStringList{"Name", "Model", "Character file", "From"}));
    QCOMPARE(list.rows.size(), 2);
    QCOMPARE(list.rows[0], (QStringList{"Ranger", "ranger", "botfiles/bots/ranger_c.c",
                                        "scripts/ranger.bot in " +
                                            QDir::toNativeSeparators(base + "/pak0.pk3")}));
    QCOMPARE(list.rows[1], (QStringList{"Sarge", "sarge", "botfiles/bots/sarge_c.c",
                                        "scripts/sarge.bot in " + QDir::toNativeSeparators(base)}));

    // The window shows the bot, which writes the same files again and has
    // no profile file yet.
    QCOMPARE(desk.child<QLineEdit>("nameEdit")->text(), QStringLiteral("Sarge"));
    QVERIFY(desk.child<QLabel>("footerLabel")->text().contains("none saved or loaded yet"));
    QVERIFY(Generated(*desk.profile) == Generated(sarge));
    QCOMPARE(desk.prompts.shown[2].kind, QStringLiteral("text"));
    QCOMPARE(desk.prompts.shown[2].title, QStringLiteral("Import Report"));
    QVERIFY2(desk.prompts.shown[2].text.startsWith("Imported Sarge, model sarge"),
             qPrintable(desk.prompts.shown[2].text));
}

void ImportBotTest::oneBotNeedsNoList() {
    Desk desk;
    desk.start();
    const BotProfile ranger = Bot("Ranger", 420);
    const QString base = MakeBase(desk, ranger, Bot("Sarge", 100));
    // The archive alone holds one bot; so does a .bot file.
    for (const QString& pick : {base + "/pak0.pk3", base + "/scripts/sarge.bot"}) {
        desk.prompts.clear();
        desk.prompts.fileAnswers = {pick};
        desk.trigger("importBotAction");
        QCOMPARE(desk.prompts.shown.size(), 2);
        QCOMPARE(desk.prompts.shown[1].kind, QStringLiteral("text"));
    }
    QCOMPARE(desk.child<QLineEdit>("nameEdit")->text(), QStringLiteral("Sarge"));
}

void ImportBotTest::theOptionKeepsTheFileNames() {
    for (const bool keep : {false, true}) {
        Desk desk;
        desk.start();
        // Ranger's weights and chat under names of its own.
        BotProfile ranger = Bot("Ranger", 300);
        SetFieldText(ranger.skill[0].weaponweights, "rweap.c");
        SetFieldText(ranger.skill[0].chat_file, "rtalk.c");
        const QString base = MakeBase(desk, ranger, Bot("Sarge", 100));
        desk.prompts.fileAnswers = {base};
        desk.prompts.listAnswers = {vexa::ui::Prompts::ListChoice{0, keep}};
        desk.trigger("importBotAction");
        QVERIFY(!desk.prompts.lists[0].option.isEmpty());

        const PickedSource picked = OpenPickedSource(base.toStdString());
        const PickedBots found = BotsOfPick(picked);
        ImportOptions options;
        options.keepFileNames = keep;
        const ImportResult expected = ImportPicked(picked, found, found.bots[0], options);
        QVERIFY(expected.ok);
        QCOMPARE(ImageBytes(*desk.profile), ImageBytes(expected.profile));
        // The option makes a difference for this bot.
        options.keepFileNames = !keep;
        QVERIFY(ImageBytes(ImportPicked(picked, found, found.bots[0], options).profile) !=
                ImageBytes(expected.profile));
    }
}

void ImportBotTest::cancelAndFailuresKeepTheProfile() {
    Desk desk;
    desk.start();
    QTest::keyClicks(desk.child<QLineEdit>("nameEdit"), "Kept");
    const QByteArray before = ImageBytes(*desk.profile);
    const QString base = MakeBase(desk, Bot("Ranger", 1), Bot("Sarge", 2));
    QVERIFY(WriteBytes(desk.file("broken.pk3"), "PK\x03\x04 and no more"));
    fs::create_directories(desk.file(QStringLiteral("empty")).toStdString());
    WriteLoose(desk.file(QStringLiteral("huge")).toStdString(),
               {{"scripts/huge.bot", "{ name Huge model huge aifile bots/huge_c.c }"},
                {"botfiles/bots/huge_c.c", std::string(kMaxScriptFileSize + 1, ' ')}});

    struct Case {
        std::optional<QString> pick;
        std::optional<vexa::ui::Prompts::ListChoice> choice;
        QString message; // the start of the one message; none when empty
    };
    const std::vector<Case> cases = {
        {std::nullopt, std::nullopt, {}},
        {base, std::nullopt, {}},
        {desk.file("broken.pk3"), std::nullopt,
         "Bot not imported:\n" + QDir::toNativeSeparators(desk.file("broken.pk3")) +
             " is not a zip archive"},
        {desk.file("empty"), std::nullopt, "No bot was found in " + desk.file("empty")},
        {desk.file("huge"), std::nullopt, "Bot not imported:\n"},
    };
    for (const Case& c : cases) {
        desk.prompts.clear();
        desk.prompts.saveAnswers = {vexa::ui::Prompts::SaveAnswer::Discard};
        desk.prompts.fileAnswers = {c.pick};
        if (c.pick == base)
            desk.prompts.listAnswers = {c.choice};
        desk.trigger("importBotAction");
        const QStringList messages = desk.prompts.messages();
        if (c.message.isEmpty()) {
            QVERIFY(messages.isEmpty());
        } else {
            QCOMPARE(messages.size(), 1);
            QVERIFY2(messages[0].startsWith(c.message), qPrintable(messages[0]));
        }
        QCOMPARE(ImageBytes(*desk.profile), before);
        QCOMPARE(desk.child<QLineEdit>("nameEdit")->text(), QStringLiteral("Kept"));
    }
}

void ImportBotTest::listFiltersAndChooses() {
    vexa::ui::Prompts::ListRequest request;
    request.title = QStringLiteral("Choose a Bot");
    request.columns = {"Name", "Model", "From"};
    request.rows = {{"Ranger", "ranger", "scripts/ranger.bot in pak0.pk3"},
                    {"Sarge", "sarge", "scripts/sarge.bot in base"},
                    {"Visor", "visor", "scripts/bots.txt in PAK1.pk3"}};
    request.option = QStringLiteral("Keep");
    vexa::ui::ListChoiceDialog dialog(request);
    auto* filter = dialog.findChild<QLineEdit*>("filterEdit");
    auto* list = dialog.findChild<QTreeWidget*>("choiceList");
    auto* ok = dialog.findChild<QPushButton*>("okButton");
    const auto shown = [&] {
        QStringList names;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            if (!list->topLevelItem(i)->isHidden())
                names << list->topLevelItem(i)->text(0);
        return names;
    };
    QCOMPARE(shown(), (QStringList{"Ranger", "Sarge", "Visor"}));
    QVERIFY(ok->isEnabled());
    QCOMPARE(dialog.choice().row, 0);

    QTest::keyClicks(filter, "PAK");
    QCOMPARE(shown(), (QStringList{"Ranger", "Visor"}));
    QTest::keyClicks(filter, "1");
    QCOMPARE(shown(), QStringList{"Visor"});
    QCOMPARE(dialog.choice().row, 2); // the row shown is selected
    QVERIFY(ok->isEnabled());
    filter->setText(QStringLiteral("nothing like it"));
    QVERIFY(shown().isEmpty());
    QVERIFY(!ok->isEnabled());
    QCOMPARE(dialog.choice().row, -1);
    filter->clear();
    list->setCurrentItem(list->topLevelItem(1));
    dialog.findChild<QCheckBox*>("optionCheck")->click();
    QCOMPARE(dialog.choice().row, 1);
    QVERIFY(dialog.choice().optionChecked);
}

void ImportBotTest::reportCopiesItsText() {
    const QString text = QStringLiteral("bots/ranger_c.c, line 4, Skill 1: clamped\nsecond\n");
    const QString heading =
        QStringLiteral("Imported Ranger, model ranger.\nWhat could not be kept");
    vexa::ui::TextReportDialog dialog(QStringLiteral("Import Report"), heading, text);
    QCOMPARE(dialog.findChild<QPlainTextEdit*>("reportText")->toPlainText(), text);
    QVERIFY(dialog.findChild<QPlainTextEdit*>("reportText")->isReadOnly());
    QApplication::clipboard()->clear();
    dialog.findChild<QPushButton*>("copyButton")->click();
    QCOMPARE(QApplication::clipboard()->text(), heading + "\n\n" + text);
}

QTEST_MAIN(ImportBotTest)
#include "tst_import_bot.moc"
