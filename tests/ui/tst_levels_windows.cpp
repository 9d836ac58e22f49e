// View > Difficulty and View > Compare: what their charts hold, choosing a
// point of the Difficulty charts, and starting from a bot of the game folder.
#include "GuiTestSupport.h"
#include "TempDir.h"
#include "core/generate/GenerateSource.h"
#include "core/util/FixedText.h"
#include "ui/app/CompareDialog.h"
#include "ui/app/DifficultyDialog.h"
#include "ui/charts/Charts.h"
#include "ui/editors/SliderEditors.h"

#include <QComboBox>
#include <QListWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>
#include <cctype>
#include <filesystem>

using namespace vexa;
using namespace vexa::test;
namespace fs = std::filesystem;

namespace {

const CharacteristicFormat& Format(std::string_view name) {
    return *CharacteristicByName(name);
}

QVector<double> Values(const ui::Chart& chart, int series = 0) {
    return chart.series().value(series).values;
}

// A bot of the game folder, its files as Create Arvon source writes them.
void WriteBot(const fs::path& base, const char* name, int aggression) {
    BotProfile profile = GameBot(name);
    for (SkillProfile& skill : profile.skill)
        skill.aggression = aggression;
    AppSettings settings;
    ResetSettings(settings);
    settings.BaseDir = "/base/";
    MemoryFiles files;
    QCOMPARE(GenerateSource(profile, settings, PathStyle::Posix, files), 0);
    for (const MemoryFiles::File& file : files.files()) {
        const fs::path path = base / file.path.substr(6);
        fs::create_directories(path.parent_path());
        WriteWholeFile(path.string(), file.text);
    }
}

} // namespace

class LevelsWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void difficultyChartsTheLevelsAndOpensTheChosenPointsEditor() {
        Desk desk;
        desk.start();
        *desk.profile = MakeProfile("Ranger");
        SetFieldText(desk.profile->main_file, "ranger_c.c");
        desk.profile->skill[0].aim_skill = 400;
        desk.profile->skill[1].aim_skill = 700;
        desk.settings.TabSkill = true;

        ModalScript script;
        bool checked = false;
        script.then([&](QDialog* dialog) {
            auto* difficulty = qobject_cast<ui::DifficultyDialog*>(dialog);
            QVERIFY(difficulty);
            ui::LineChart* aim = difficulty->chart(Format("CHARACTERISTIC_AIM_SKILL"));
            QVERIFY(aim);
            QCOMPARE(aim->title(), QStringLiteral("Aim Skill"));
            QCOMPARE(Values(*aim), (QVector<double>{0.4, 0.5, 0.6, 0.7, 1.0}));
            QCOMPARE(aim->series()[0].marks,
                     (QVector<ui::PointMark>{ui::PointMark::Filled, ui::PointMark::Hollow,
                                             ui::PointMark::Hollow, ui::PointMark::Filled,
                                             ui::PointMark::Filled}));
            QCOMPARE(Values(*difficulty->chart(Format("CHARACTERISTIC_VIEW_MAXCHANGE"))),
                     (QVector<double>{90, 90, 90, 240, 360}));
            QCOMPARE(difficulty->chart(Format("CHARACTERISTIC_REACTIONTIME"))->rangeMax(), 5.0);
            QCOMPARE(difficulty->groupTabs()->count(), 4);
            // Levels 2 and 3 chat with Skill 1's file, and the window says so.
            QCOMPARE(difficulty->filesTable()->item(2, 2)->text(),
                     QStringLiteral("bots/ranger_t1.c"));
            QCOMPARE(difficulty->filesTable()->item(2, 3)->text(),
                     QStringLiteral("bots/ranger_t4.c"));
            QVERIFY(!difficulty->problemList()
                         ->findItems(QStringLiteral("CHARACTERISTIC_CHAT_FILE"), Qt::MatchContains)
                         .isEmpty());

            // A computed point opens nothing; the point of level 4 opens the
            // Hardcore level's skill editor on the aim skill.
            QTest::mouseClick(aim, Qt::LeftButton, {}, aim->pointPosition(0, 1).toPoint());
            ModalScript editor;
            editor.then([&](QDialog* opened) {
                auto* skills = qobject_cast<ui::SkillSettingsDialog*>(opened);
                QVERIFY(skills);
                QCOMPARE(skills->caption(), QStringLiteral("Hardcore Skill Level"));
                QTest::qWait(20);
                QCOMPARE(QApplication::focusWidget(), skills->textBox(4));
                skills->textBox(4)->setText(QStringLiteral(".850"));
                ClickOk(opened);
            });
            QTest::mouseClick(aim, Qt::LeftButton, {}, aim->pointPosition(0, 3).toPoint());
            QVERIFY(editor.allRan());
            QCOMPARE(desk.profile->skill[1].aim_skill, 850);
            QCOMPARE(desk.settings.SkillLevel, 4);
            QCOMPARE(Values(*aim)[3], 0.85);
            QCOMPARE(Values(*aim)[1], 0.55);

            // A weapon's aim opens the weapon aim editor of its level.
            difficulty->groupTabs()->setCurrentIndex(1);
            ui::LineChart* rail = difficulty->chart(Format("CHARACTERISTIC_AIM_ACCURACY_RAILGUN"));
            QTest::qWait(20);
            ModalScript weapons;
            weapons.then([&](QDialog* opened) {
                auto* aimDialog = qobject_cast<ui::WeaponAimDialog*>(opened);
                QVERIFY(aimDialog);
                QCOMPARE(aimDialog->caption(), QStringLiteral("Nightmare Skill Level"));
                QTest::qWait(20);
                QCOMPARE(QApplication::focusWidget(), aimDialog->textBox(3));
                ClickCancel(opened);
            });
            QTest::mouseClick(rail, Qt::LeftButton, {}, rail->pointPosition(0, 4).toPoint());
            QVERIFY(weapons.allRan());
            checked = true;
            dialog->reject();
        });
        desk.trigger("difficultyAction");
        QVERIFY(script.allRan());
        QVERIFY(checked);
        QVERIFY(!script.watchdogFired());
    }

    void compareShowsTheGameBotsAndStartsFromOne() {
        Desk desk;
        desk.start();
        const fs::path base = desk.file(QStringLiteral("base")).toStdString();
        WriteBot(base, "Sarge", 900);
        WriteBot(base, "Visor", 100);
        WriteBot(base, "Keel", 600);
        desk.settings.BaseDir = base.string();
        SetFieldText(desk.profile->name, "Mine");

        ModalScript script;
        bool checked = false;
        script.then([&](QDialog* dialog) {
            auto* compare = qobject_cast<ui::CompareDialog*>(dialog);
            QVERIFY(compare);
            QCOMPARE(compare->botCount(), 4);
            QCOMPARE(compare->botName(0), QStringLiteral("Mine"));
            // The bot being designed and the first two of the folder.
            QCOMPARE(compare->radarChart()->series().size(), 3);
            QCOMPARE(compare->radarChart()->categories().size(), 11);
            QCOMPARE(compare->barChart()->categories().size(), 5);
            QCOMPARE(compare->radarChart()->series()[0].name, QStringLiteral("Mine"));
            QCOMPARE(Values(*compare->radarChart())[0], 0.25); // aggression at level 1
            QCOMPARE(Values(*compare->barChart())[1], 3.0);    // reaction time at level 1
            QCOMPARE(compare->barChart()->categoryMaximum(1), 5.0);

            compare->levelBox()->setCurrentIndex(1); // level 2
            QCOMPARE(compare->level(), 2);
            QCOMPARE(Values(*compare->radarChart())[0], 0.5);

            for (int bot = 1; bot < compare->botCount(); ++bot)
                compare->setShown(bot, compare->botName(bot) == QStringLiteral("Visor"));
            compare->setShown(0, false);
            QCOMPARE(compare->radarChart()->series().size(), 1);
            QCOMPARE(compare->radarChart()->series()[0].name, QStringLiteral("Visor"));
            QCOMPARE(Values(*compare->radarChart())[0], 0.1);
            // Ticking a row shows its bot.
            QTableWidget* table = compare->table();
            table->item(compare->rowOf(0), 0)->setCheckState(Qt::Checked);
            QCOMPARE(compare->radarChart()->series().size(), 2);

            // Sorted by aggression (the first value column), largest first.
            table->sortItems(3, Qt::DescendingOrder);
            QStringList order;
            for (int row = 0; row < table->rowCount(); ++row)
                order << compare->botName(compare->botOfRow(row));
            QCOMPARE(order, (QStringList{"Sarge", "Keel", "Mine", "Visor"}));
            QCOMPARE(table->item(0, 3)->text(), QStringLiteral("0.900"));

            QTest::keyClicks(compare->filterBox(), "vis");
            int visible = 0;
            for (int row = 0; row < table->rowCount(); ++row)
                visible += !table->isRowHidden(row);
            QCOMPARE(visible, 1);
            QVERIFY(!table->isRowHidden(table->rowCount() - 1)); // Visor, sorted last

            // The picture holds both charts side by side.
            const QString picture = desk.file(QStringLiteral("compare.png"));
            desk.prompts.fileAnswers = {picture};
            Button(dialog, "savePictureButton")->click();
            QCOMPARE(QImage(picture).width(),
                     compare->radarChart()->width() + compare->barChart()->width());

            // Start from Keel: the import replaces the profile.
            compare->filterBox()->clear();
            for (int bot = 0; bot < compare->botCount(); ++bot)
                if (compare->botName(bot) == QStringLiteral("Keel"))
                    table->selectRow(compare->rowOf(bot));
            // The bot being designed has changed: Cancel keeps it.
            const std::string before = FieldText(desk.profile->name);
            desk.prompts.saveAnswers = {vexa::ui::Prompts::SaveAnswer::Cancel};
            Button(dialog, "startFromBotButton")->click();
            QCOMPARE(FieldText(desk.profile->name), before);
            QVERIFY(dialog->isVisible());
            desk.prompts.saveAnswers = {vexa::ui::Prompts::SaveAnswer::Discard};
            Button(dialog, "startFromBotButton")->click();
            checked = true;
        });
        desk.trigger("compareAction");
        QVERIFY(script.allRan());
        QVERIFY(checked);
        QCOMPARE(FieldText(desk.profile->name), std::string("Keel"));
        QCOMPARE(desk.profile->skill[2].aggression, 600);
        QCOMPARE(desk.child<QLineEdit>("nameEdit")->text(), QStringLiteral("Keel"));
        QCOMPARE(desk.prompts.shown.back().title, QStringLiteral("Import Report"));
    }
};

QTEST_MAIN(LevelsWindowsTest)
#include "tst_levels_windows.moc"
