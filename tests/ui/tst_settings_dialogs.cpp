// The option and location dialogs as the main window opens them: what they
// show, what OK, Cancel and Esc store, and the messages that follow.
#include "GuiTestSupport.h"
#include "core/generate/Names.h"
#include "core/settings/LocationRules.h"
#include "core/util/FixedText.h"

#include <QCheckBox>
#include <QTabBar>
#include <QtTest>

using namespace vexa;
using namespace vexa::test;

namespace {

enum class Close { Ok, Cancel, Escape };

void CloseDialog(QDialog* dialog, Close how) {
    switch (how) {
    case Close::Ok:
        ClickOk(dialog);
        break;
    case Close::Cancel:
        ClickCancel(dialog);
        break;
    case Close::Escape:
        QTest::keyClick(dialog, Qt::Key_Escape);
        break;
    }
}

QCheckBox* Box(QWidget* dialog, const char* name) {
    return dialog->findChild<QCheckBox*>(QLatin1String(name));
}

// A click on the box's indicator, as a user ticks it.
void ClickBox(QCheckBox* box) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
}

} // namespace

Q_DECLARE_METATYPE(Close)

class SettingsDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void folderDialogs_data();
    void folderDialogs();
    void folderDialogClosedWithoutOkStoresNothing_data();
    void folderDialogClosedWithoutOkStoresNothing();
    void folderFieldsBrowseAndRefuse_data();
    void folderFieldsBrowseAndRefuse();
    void modelNameProposalAndMessages();
    void mainFileLocationProposalsAndMessages();
    void mainFileNamesTheBotFileCannotHoldAreRefused();
    void namesLeadingOutOfTheBaseFolderAreRefused();
    void baseFolderThatIsAFileIsRefused();
    void fileLocationsCaptionAndProposals();
    void fileLocationsApplyToAll();
    void fileLocationsApplyToAllDismissedDoesNothing();
    void generalSettingsShowsFlagsAndLinksBoxes();
    void generalSettingsOkUpdatesLevelsAndTabStrip();
    void generalSettingsClosedWithoutOkStoresNothing();
};

void SettingsDialogsTest::folderDialogs_data() {
    QTest::addColumn<QByteArray>("action");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("messageTitle");
    QTest::addColumn<bool>("baseDir");
    QTest::newRow("Base Model Dir") << QByteArray("modelDirAction") << "Model Directory"
                                    << "Enter Base Model Directory Here"
                                    << "Model Directory:" << true;
    QTest::newRow(".vxb Dir") << QByteArray("vxbDirAction") << ".vxb Directory"
                              << "Enter .vxb Directory Here"
                              << ".vxb Directory:" << false;
}

void SettingsDialogsTest::folderDialogs() {
    QFETCH(QByteArray, action);
    QFETCH(QString, title);
    QFETCH(QString, prompt);
    QFETCH(QString, messageTitle);
    QFETCH(bool, baseDir);
    Desk desk;
    desk.start();
    desk.settings.OkCancel = false; // the folder messages come regardless
    std::string& folder = baseDir ? desk.settings.BaseDir : desk.settings.VEXADir;
    const std::string& other = baseDir ? desk.settings.VEXADir : desk.settings.BaseDir;
    const QString longFolder = FullFolder("/a/" + QString(120, QLatin1Char('x')));

    QStringList shown;
    ModalScript script;
    script
        .then([&](QDialog* dialog) {
            QCOMPARE(dialog->windowTitle(), title);
            shown << Field(dialog, "folderEdit")->text();
            ClickOk(dialog); // the prompt is not stored
        })
        .then([&](QDialog* dialog) {
            Field(dialog, "folderEdit")->clear();
            ClickOk(dialog);
        })
        .then([&](QDialog* dialog) {
            Field(dialog, "folderEdit")->clear();
            QTest::keyClicks(Field(dialog, "folderEdit"), longFolder);
            QTest::keyClick(Field(dialog, "folderEdit"), Qt::Key_Return); // default button
        })
        .then([&](QDialog* dialog) {
            shown << Field(dialog, "folderEdit")->text();
            ClickOk(dialog);
        });

    desk.trigger(action);
    QCOMPARE(folder, std::string());
    desk.trigger(action);
    QCOMPARE(folder, std::string());
    desk.trigger(action);
    QCOMPARE(QString::fromStdString(folder), longFolder); // folders take any length
    desk.trigger(action);
    QVERIFY(script.allRan());
    QVERIFY(!script.watchdogFired());
    QCOMPARE(shown, (QStringList{prompt, longFolder}));
    QCOMPARE(other, std::string());

    QCOMPARE(desk.prompts.messages(), (QStringList{prompt, QString(), longFolder, longFolder}));
    for (const auto& message : desk.prompts.shown)
        QCOMPARE(message.title, messageTitle);
}

void SettingsDialogsTest::folderDialogClosedWithoutOkStoresNothing_data() {
    QTest::addColumn<Close>("how");
    QTest::newRow("Cancel") << Close::Cancel;
    QTest::newRow("Escape") << Close::Escape;
}

void SettingsDialogsTest::folderDialogClosedWithoutOkStoresNothing() {
    QFETCH(Close, how);
    Desk desk;
    desk.start();
    desk.settings.BaseDir = "/games/arvon";
    QString shown;
    ModalScript script;
    script.then([&](QDialog* dialog) {
        shown = Field(dialog, "folderEdit")->text();
        Field(dialog, "folderEdit")->setText(QStringLiteral("/elsewhere"));
        CloseDialog(dialog, how);
    });
    desk.trigger("modelDirAction");
    QVERIFY(script.allRan());
    QCOMPARE(shown, QStringLiteral("/games/arvon"));
    QCOMPARE(desk.settings.BaseDir, std::string("/games/arvon"));
    QVERIFY(desk.prompts.shown.isEmpty());
}

void SettingsDialogsTest::folderFieldsBrowseAndRefuse_data() {
    QTest::addColumn<QByteArray>("opener");
    QTest::addColumn<bool>("baseDir");
    QTest::newRow("Base Model Dir") << QByteArray("modelDirAction") << true;
    QTest::newRow(".vxb Dir") << QByteArray("vxbDirAction") << false;
    QTest::newRow("Main File Location") << QByteArray("mainFileButton") << true;
}

// Every folder field has "Browse..." for the platform's folder dialog; OK
// refuses, saying why, a folder that vexa.ini would cut short and, for the
// base folder, one that is not absolute.
void SettingsDialogsTest::folderFieldsBrowseAndRefuse() {
    QFETCH(QByteArray, opener);
    QFETCH(bool, baseDir);
    Desk desk;
    desk.start();
    desk.settings.OkCancel = false;
    const std::string& folder = baseDir ? desk.settings.BaseDir : desk.settings.VEXADir;
    desk.prompts.fileAnswers = {std::nullopt, QStringLiteral("/chosen/place"),
                                QStringLiteral("/chosen/other")};
    QStringList seen;
    ModalScript script;
    script
        .then([&](QDialog* dialog) {
            QLineEdit* edit = Field(dialog, "folderEdit");
            QPushButton* browse = Button(dialog, "browseButton");
            QVERIFY(browse != nullptr);
            QCOMPARE(browse->text(), QStringLiteral("Browse..."));
            browse->click(); // cancelled
            seen << edit->text();
            browse->click();
            seen << edit->text();
            browse->click(); // opens where the field points
            seen << edit->text();
            for (const char* refused : {"/games/*/base", "/games/arvon/*"}) {
                edit->setText(QLatin1String(refused));
                ClickOk(dialog);
                QVERIFY(dialog->isVisible());
            }
            edit->setText(QStringLiteral("arvon/base"));
            ClickOk(dialog);
            QCOMPARE(dialog->isVisible(), baseDir);
            if (dialog->isVisible()) {
                edit->setText(FullFolder("/games/arvon/base"));
                ClickOk(dialog);
            }
        })
        .then([&](QDialog* dialog) {
            seen << Field(dialog, "folderEdit")->text();
            ClickCancel(dialog);
        });
    const auto open = [&] {
        if (auto* button = desk.child<QPushButton>(opener.constData()))
            button->click();
        else
            desk.trigger(opener.constData());
    };
    open();
    open();
    QVERIFY(script.allRan());
    QVERIFY(!script.watchdogFired());
    const QString stored = baseDir ? FullFolder("/games/arvon/base") : "arvon/base";
    QCOMPARE(QString::fromStdString(folder), stored);
    QCOMPARE(seen,
             (QStringList{baseDir ? "Enter Base Model Directory Here" : "Enter .vxb Directory Here",
                          "/chosen/place", "/chosen/other", stored}));

    QList<ScriptedPrompts::Shown> folderDialogs;
    QStringList refusals;
    for (const auto& shown : desk.prompts.shown) {
        if (shown.kind == QLatin1String("folder"))
            folderDialogs << shown;
        else if (shown.text.contains(QLatin1String("\"/*\"")) ||
                 shown.text.contains(QLatin1String("full path")))
            refusals << shown.text;
    }
    QCOMPARE(folderDialogs.size(), 3);
    QCOMPARE(folderDialogs[0].request.folder, QString()); // the prompt is no folder
    QCOMPARE(folderDialogs[2].request.folder, QStringLiteral("/chosen/place"));
    QCOMPARE(refusals.size(), baseDir ? 3 : 2);
    QVERIFY(refusals[0].contains(QLatin1String("\"/*\"")));
}

void SettingsDialogsTest::modelNameProposalAndMessages() {
    Desk desk;
    desk.start();
    QTest::keyClicks(desk.child<QLineEdit>("nameEdit"), "Mr. Smith-Jones");
    QStringList shown;
    ModalScript script;
    script
        .then([&](QDialog* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Model Name"));
            shown << Field(dialog, "modelNameEdit")->text();
            ClickCancel(dialog);
        })
        .then([&](QDialog* dialog) {
            ClickOk(dialog); // the proposal as it stands: the default model stays
        })
        .then([&](QDialog* dialog) {
            shown << Field(dialog, "modelNameEdit")->text();
            Field(dialog, "modelNameEdit")->clear();
            QTest::keyClicks(Field(dialog, "modelNameEdit"), "verylongmodel/red");
            ClickOk(dialog);
        })
        .then([&](QDialog* dialog) {
            shown << Field(dialog, "modelNameEdit")->text(); // the model with its skin, whole
            ClickCancel(dialog);
        })
        .then([&](QDialog* dialog) {
            Field(dialog, "modelNameEdit")->clear();
            ClickOk(dialog);
        })
        .then([&](QDialog* dialog) {
            shown << Field(dialog, "modelNameEdit")->text();
            QTest::keyClick(dialog, Qt::Key_Escape);
        });

    desk.trigger("modelNameAction");
    QCOMPARE(desk.profile->model_name[0], '\0');
    desk.trigger("modelNameAction");
    QCOMPARE(FieldText(desk.profile->model_name), std::string());
    QCOMPARE(BotModel(*desk.profile), std::string("mrsmithjon")); // not cut to "mrsmithjo"
    desk.trigger("modelNameAction");
    QCOMPARE(FieldText(desk.profile->model_name), std::string("verylongm"));
    QCOMPARE(desk.window->extras().model, std::string("verylongmodel/red"));
    desk.trigger("modelNameAction");
    desk.settings.OkCancel = false;
    desk.trigger("modelNameAction"); // emptied: proposed again next time
    QCOMPARE(desk.profile->model_name[0], '\0');
    QVERIFY(desk.window->extras().model.empty());
    desk.trigger("modelNameAction");
    QVERIFY(script.allRan());
    QCOMPARE(shown, (QStringList{"mrsmithjo", "mrsmithjo", "verylongmodel/red", "mrsmithjo"}));
    QCOMPARE(FieldText(desk.profile->main_file), std::string()); // next field untouched

    QCOMPARE(desk.prompts.messages(), (QStringList{"Model name unchanged", "mrsmithjon",
                                                   "verylongmodel/red", "Model name unchanged"}));
    QCOMPARE(desk.prompts.shown[1].title, QStringLiteral("New Model name:"));
    QCOMPARE(desk.prompts.shown[0].title, vexa::ui::ApplicationTitle());
}

void SettingsDialogsTest::mainFileLocationProposalsAndMessages() {
    Desk desk;
    desk.start();
    desk.settings.BaseDir = "/games/arvon";
    QStringList shown;
    ModalScript script;
    script
        .then([&](QDialog* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Main File Location"));
            shown << Field(dialog, "folderEdit")->text() << Field(dialog, "mainFileEdit")->text();
            QTest::keyClick(dialog, Qt::Key_Escape);
        })
        .then([&](QDialog* dialog) {
            shown << Field(dialog, "mainFileEdit")->text();
            Field(dialog, "folderEdit")->setText(QStringLiteral("Enter Base Model Directory Here"));
            ClickOk(dialog);
        })
        .then([&](QDialog* dialog) {
            shown << Field(dialog, "mainFileEdit")->text();
            Field(dialog, "folderEdit")->setText(QStringLiteral("/new/base"));
            Field(dialog, "mainFileEdit")->clear();
            QTest::keyClicks(Field(dialog, "mainFileEdit"), "a_very_long_main_file_name.c");
            ClickCancel(dialog);
        })
        .then([&](QDialog* dialog) {
            shown << Field(dialog, "folderEdit")->text();
            Field(dialog, "folderEdit")->setText(FullFolder("/new/base"));
            Field(dialog, "mainFileEdit")->clear();
            QTest::keyClicks(Field(dialog, "mainFileEdit"), "a_very_long_main_file_name.c");
            ClickOk(dialog);
        });

    auto* button = desk.child<QPushButton>("mainFileButton");
    QCOMPARE(button->text(), QStringLiteral("Main info file name\n(name_c.c)"));
    button->click(); // empty name: "botname"
    QTest::keyClicks(desk.child<QLineEdit>("nameEdit"), "Mr. Smith-Jones");
    button->click(); // OK with the prompt: BaseDir kept
    QCOMPARE(desk.settings.BaseDir, std::string("/games/arvon"));
    QCOMPARE(FieldText(desk.profile->main_file), std::string("mrsmithjon_c.c"));
    button->click();
    QCOMPARE(FieldText(desk.profile->main_file), std::string("mrsmithjon_c.c"));
    desk.settings.OkCancel = false;
    button->click();
    QVERIFY(script.allRan());
    QCOMPARE(QString::fromStdString(desk.settings.BaseDir), FullFolder("/new/base"));
    QCOMPARE(FieldText(desk.profile->main_file), std::string("a_very_long_main_fi"));
    QCOMPARE(shown, (QStringList{"/games/arvon", "botname_c.c", "mrsmithjon_c.c", "mrsmithjon_c.c",
                                 "/games/arvon"}));
    QCOMPARE(desk.prompts.messages(),
             (QStringList{"Main File Info NOT changed", "Main File Info changed",
                          "Main File Info NOT changed"}));
}

void SettingsDialogsTest::mainFileNamesTheBotFileCannotHoldAreRefused() {
    Desk desk;
    desk.start();
    QStringList refused;
    const auto typeAndOk = [&](const char* name) {
        return [&, name](QDialog* dialog) {
            Field(dialog, "mainFileEdit")->setText(QLatin1String(name));
            ClickOk(dialog);
            if (dialog->isVisible())
                refused << QLatin1String(name);
            QVERIFY(FieldIsEmpty(desk.profile->main_file)); // nothing stored yet
        };
    };
    ModalScript script;
    script.then(typeAndOk("iron\"mad_c.c")).then(typeAndOk("iron;_c.c"));
    script.then([&](QDialog* dialog) {
        Field(dialog, "mainFileEdit")->setText(QStringLiteral("iron_c.c"));
        ClickOk(dialog);
    });
    desk.child<QPushButton>("mainFileButton")->click();
    QVERIFY(script.allRan());
    QCOMPARE(refused, (QStringList{"iron\"mad_c.c", "iron;_c.c"}));
    QCOMPARE(FieldText(desk.profile->main_file), std::string("iron_c.c"));
    const QStringList messages = desk.prompts.messages();
    QCOMPARE(messages.size(), 3);
    // Windows allows no quotation mark in any file name and says so first.
    QCOMPARE(messages[0],
             QString::fromStdString(NativePathStyle() == PathStyle::Windows
                                        ? StoredNameRefusal("Main file", "iron\"mad_c.c")
                                        : MainFileNameRefusal("\"")));
    QCOMPARE(messages[1], QString::fromStdString(MainFileNameRefusal(";")));
    QCOMPARE(messages[2], QStringLiteral("Main File Info changed"));
}

// The Main File Location, File Locations and Model Name dialogs refuse a
// name that would lead outside the base folder, naming the field and why,
// and store nothing.
void SettingsDialogsTest::namesLeadingOutOfTheBaseFolderAreRefused() {
    Desk desk;
    desk.start();
    desk.settings.OkCancel = false;
    const BotProfile before = *desk.profile;
    const auto refuse = [](const char* field, const char* name) {
        return [=](QDialog* dialog) {
            Field(dialog, field)->setText(QLatin1String(name));
            if (QPushButton* apply = Button(dialog, "applyAllButton")) {
                apply->click();
                QVERIFY(dialog->isVisible());
            }
            ClickOk(dialog);
            QVERIFY(dialog->isVisible());
            ClickCancel(dialog);
        };
    };
    ModalScript script;
    script.then(refuse("mainFileEdit", "../x_c.c"))
        .then(refuse("chatEdit", "../../evil_t.c"))
        .then(refuse("modelNameEdit", "/tmp/m"));
    desk.child<QPushButton>("mainFileButton")->click();
    desk.trigger("fileLocationsAction");
    desk.trigger("modelNameAction");
    QVERIFY(script.allRan());
    QCOMPARE(ImageBytes(*desk.profile), ImageBytes(before));
    QCOMPARE(desk.prompts.messages(),
             (QStringList{"Main file: \"../x_c.c\" holds a \"..\" step, so it would lead "
                          "outside the base folder.",
                          "Chat file: \"../../evil_t.c\" holds a \"..\" step, so it would "
                          "lead outside the base folder.",
                          "Chat file: \"../../evil_t.c\" holds a \"..\" step, so it would "
                          "lead outside the base folder.",
                          "Model name: \"/tmp/m\" is a full path, so it would lead outside the "
                          "base folder."}));
}

void SettingsDialogsTest::baseFolderThatIsAFileIsRefused() {
    Desk desk;
    desk.start();
    desk.settings.OkCancel = false;
    const QString file = desk.file("a file");
    QVERIFY(WriteBytes(file, "not a folder"));
    const auto refuse = [&](QDialog* dialog) {
        Field(dialog, "folderEdit")->setText(file);
        ClickOk(dialog);
        QVERIFY(dialog->isVisible());
        ClickCancel(dialog);
    };
    ModalScript script;
    script.then(refuse).then(refuse);
    desk.trigger("modelDirAction");
    desk.child<QPushButton>("mainFileButton")->click();
    QVERIFY(script.allRan());
    QVERIFY(desk.settings.BaseDir.empty());
    QCOMPARE(desk.prompts.messages(),
             QStringList(2, "\"" + file +
                                "\" is a file, not a folder: the base folder must be a "
                                "folder."));
}

void SettingsDialogsTest::fileLocationsCaptionAndProposals() {
    Desk desk;
    desk.start();
    QStringList captions;
    QStringList shown;
    const auto look = [&](QDialog* dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("File Locations"));
        QVERIFY(Field(dialog, "captionEdit")->isReadOnly());
        captions << Field(dialog, "captionEdit")->text();
        shown << Field(dialog, "weaponWeightsEdit")->text() << Field(dialog, "chatEdit")->text()
              << Field(dialog, "itemWeightsEdit")->text();
    };
    ModalScript script;
    script
        .then([&](QDialog* dialog) {
            look(dialog);
            QTest::keyClick(dialog, Qt::Key_Escape);
        })
        .then([&](QDialog* dialog) {
            look(dialog);
            ClickOk(dialog); // stores the Skill 4 proposals
        })
        .then([&](QDialog* dialog) {
            look(dialog); // Skill 1 still empty: proposals again
            Field(dialog, "chatEdit")->setText(QStringLiteral("bots/x_t.c"));
            ClickCancel(dialog);
        });

    desk.child<QTabBar>("skillTabs")->setCurrentIndex(1);
    desk.trigger("fileLocationsAction");
    desk.settings.TabSkill = true;
    QTest::keyClicks(desk.child<QLineEdit>("nameEdit"), "Ranger");
    desk.trigger("fileLocationsAction");
    desk.trigger("fileLocationsAction");
    QVERIFY(script.allRan());

    QCOMPARE(captions, (QStringList{"Adv Skills not currently enabled", "Hardcore Skill Level",
                                    "Hardcore Skill Level"}));
    QCOMPARE(shown, (QStringList{"bots/botname_w.c", "bots/botname_t.c", "bots/botname_i.c",
                                 "bots/ranger_w4.c", "bots/ranger_t4.c", "bots/ranger_i4.c",
                                 "bots/ranger_w4.c", "bots/ranger_t4.c", "bots/ranger_i4.c"}));
    QCOMPARE(FieldText(desk.profile->skill[1].weaponweights), std::string("bots/ranger_w4.c"));
    QCOMPARE(FieldText(desk.profile->skill[1].chat_file), std::string("bots/ranger_t4.c"));
    QCOMPARE(FieldText(desk.profile->skill[1].itemweights), std::string("bots/ranger_i4.c"));
    QCOMPARE(desk.profile->skill[0].chat_file[0], '\0');
    QCOMPARE(desk.profile->skill[2].chat_file[0], '\0');
    QCOMPARE(desk.prompts.messages(),
             (QStringList{"File Locations NOT changed", "File Locations changed",
                          "File Locations NOT changed"}));
}

void SettingsDialogsTest::fileLocationsApplyToAll() {
    Desk desk;
    desk.start();
    desk.settings.OkCancel = false; // Apply to All reports whatever OkCancel holds
    desk.settings.TabSkill = true;
    desk.child<QTabBar>("skillTabs")->setCurrentIndex(2);
    desk.prompts.questionAnswers = {false, true};
    QStringList shownAfter;
    ModalScript script;
    script
        .then([&](QDialog* dialog) {
            Field(dialog, "weaponWeightsEdit")->setText(QStringLiteral("bots/r_w.c"));
            Button(dialog, "applyAllButton")->click(); // No
            QVERIFY(dialog->isVisible());
            QCOMPARE(desk.profile->skill[0].weaponweights[0], '\0');
            Button(dialog, "applyAllButton")->click(); // Yes
            QVERIFY(dialog->isVisible());
            ClickCancel(dialog); // does not undo
        })
        .then([&](QDialog* dialog) {
            shownAfter << Field(dialog, "weaponWeightsEdit")->text()
                       << Field(dialog, "chatEdit")->text();
            ClickCancel(dialog);
        });
    desk.trigger("fileLocationsAction");
    desk.child<QTabBar>("skillTabs")->setCurrentIndex(0);
    desk.trigger("fileLocationsAction");
    QVERIFY(script.allRan());

    for (const SkillProfile& block : desk.profile->skill) {
        QCOMPARE(FieldText(block.weaponweights), std::string("bots/r_w.c"));
        QCOMPARE(FieldText(block.chat_file), std::string("bots/botname_t5.c"));
        QCOMPARE(FieldText(block.itemweights), std::string("bots/botname_i5.c"));
    }
    QCOMPARE(shownAfter, (QStringList{"bots/r_w.c", "bots/botname_t5.c"}));
    QCOMPARE(desk.prompts.shown.size(), 4);
    QCOMPARE(desk.prompts.shown[0].kind, QStringLiteral("question"));
    QCOMPARE(desk.prompts.shown[0].text,
             QStringLiteral("Apply these settings to all skill levels?"));
    QCOMPARE(desk.prompts.shown[0].title, QStringLiteral("Apply to all?"));
    QCOMPARE(desk.prompts.messages(),
             (QStringList{"Settings NOT applied to all", "These settings have been applied to all "
                                                         "skill levels"}));
    QCOMPARE(desk.prompts.shown[3].title, vexa::ui::ApplicationTitle());
}

void SettingsDialogsTest::fileLocationsApplyToAllDismissedDoesNothing() {
    Desk desk;
    desk.start();
    desk.prompts.questionAnswers = {std::nullopt};
    const QByteArray before = ImageBytes(*desk.profile);
    ModalScript script;
    script.then([&](QDialog* dialog) {
        Field(dialog, "chatEdit")->setText(QStringLiteral("bots/x_t.c"));
        Button(dialog, "applyAllButton")->click(); // Esc on the question
        QVERIFY(dialog->isVisible());
        ClickCancel(dialog);
    });
    desk.trigger("fileLocationsAction");
    QVERIFY(script.allRan());
    QCOMPARE(ImageBytes(*desk.profile), before);
    QCOMPARE(desk.prompts.messages(), QStringList{"File Locations NOT changed"});
}

void SettingsDialogsTest::generalSettingsShowsFlagsAndLinksBoxes() {
    Desk desk;
    desk.start();
    desk.settings.BothTabs = true; // a pair the boxes would not make
    desk.settings.FineTune = true;
    QList<bool> seen;
    QList<bool> linked;
    ModalScript script;
    script.then([&](QDialog* dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("General Settings"));
        for (const char* name : {"tabSkillBox", "bothTabsBox", "applyAllBox", "fineTuneBox",
                                 "okCancelBox", "buildFoldBox"})
            seen << Box(dialog, name)->isChecked();
        QCOMPARE(Box(dialog, "tabSkillBox")->text(),
                 QStringLiteral("Make Item + Weapon Weights and Convos Difficulty Dependent"));
        QCOMPARE(Box(dialog, "fineTuneBox")->text(),
                 QStringLiteral("Fine Tuning (Slider can be incremented by 1s)"));
        // Clearing the first box clears the second.
        ClickBox(Box(dialog, "bothTabsBox")); // clears it
        ClickBox(Box(dialog, "bothTabsBox")); // ticks both
        linked << Box(dialog, "tabSkillBox")->isChecked()
               << Box(dialog, "bothTabsBox")->isChecked();
        ClickBox(Box(dialog, "tabSkillBox")); // clears both
        linked << Box(dialog, "tabSkillBox")->isChecked()
               << Box(dialog, "bothTabsBox")->isChecked();
        ClickBox(Box(dialog, "tabSkillBox")); // ticks the first only
        linked << Box(dialog, "tabSkillBox")->isChecked()
               << Box(dialog, "bothTabsBox")->isChecked();
        ClickCancel(dialog);
    });
    desk.trigger("generalSettingsAction");
    QVERIFY(script.allRan());
    QCOMPARE(seen, (QList<bool>{false, true, true, true, true, true}));
    QCOMPARE(linked, (QList<bool>{true, true, false, false, true, false}));
}

void SettingsDialogsTest::generalSettingsOkUpdatesLevelsAndTabStrip() {
    Desk desk;
    desk.start();
    auto* left = desk.child<QTabBar>("weightsTabs");
    desk.child<QTabBar>("skillTabs")->setCurrentIndex(1); // Skill 4
    left->setCurrentIndex(2);                             // hidden, on Skill 5
    ModalScript script;
    script
        .then([&](QDialog* dialog) {
            ClickBox(Box(dialog, "tabSkillBox"));
            ClickOk(dialog);
        })
        .then([&](QDialog* dialog) {
            ClickBox(Box(dialog, "bothTabsBox"));
            ClickOk(dialog);
        })
        .then([&](QDialog* dialog) {
            ClickOk(dialog); // no change still reports a change
        })
        .then([&](QDialog* dialog) {
            ClickBox(Box(dialog, "tabSkillBox")); // clears both
            ClickBox(Box(dialog, "okCancelBox"));
            ClickOk(dialog);
        });

    desk.trigger("generalSettingsAction");
    QVERIFY(desk.settings.TabSkill);
    QCOMPARE(desk.settings.WeightsSkillLevel, 4);
    QVERIFY(!left->isVisible());

    desk.trigger("generalSettingsAction");
    QVERIFY(desk.settings.BothTabs);
    QVERIFY(left->isVisible());
    QCOMPARE(desk.settings.WeightsSkillLevel, 5); // taken from the left strip

    desk.trigger("generalSettingsAction");
    QCOMPARE(desk.settings.WeightsSkillLevel, 5);

    desk.trigger("generalSettingsAction");
    QVERIFY(script.allRan());
    QVERIFY(!desk.settings.TabSkill && !desk.settings.BothTabs && !desk.settings.OkCancel);
    QCOMPARE(desk.settings.WeightsSkillLevel, 1);
    QCOMPARE(desk.settings.SkillLevel, 4);
    QVERIFY(!left->isVisible());
    QVERIFY(desk.settings.ApplyAll && desk.settings.BuildFold && !desk.settings.FineTune);
    // The last OK turned the messages off, so none follows that very dialog.
    QCOMPARE(desk.prompts.messages(),
             (QStringList{"General settings changed", "General settings changed",
                          "General settings changed"}));
}

void SettingsDialogsTest::generalSettingsClosedWithoutOkStoresNothing() {
    Desk desk;
    desk.start();
    const AppSettings before = desk.settings;
    ModalScript script;
    const auto tickAll = [](QDialog* dialog) {
        for (auto* box : dialog->findChildren<QCheckBox*>())
            box->setChecked(!box->isChecked());
    };
    script
        .then([&](QDialog* dialog) {
            tickAll(dialog);
            ClickCancel(dialog);
        })
        .then([&](QDialog* dialog) {
            QVERIFY(!Box(dialog, "tabSkillBox")->isChecked()); // reloaded
            tickAll(dialog);
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
    desk.trigger("generalSettingsAction");
    desk.trigger("generalSettingsAction");
    QVERIFY(script.allRan());
    QCOMPARE(desk.settings, before);
    QCOMPARE(desk.prompts.messages(),
             (QStringList{"General settings NOT changed", "General settings NOT changed"}));
}

QTEST_MAIN(SettingsDialogsTest)
#include "tst_settings_dialogs.moc"
