// The real message boxes and file dialogs behind the prompts interface,
// answered the way a user would answer them.
#include "GuiTestSupport.h"
#include "ui/common/DesktopPrompts.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QtTest>

using namespace vexa;
using namespace vexa::test;
using vexa::ui::DesktopPrompts;

namespace {

QAbstractButton* BoxButton(QDialog* dialog, QMessageBox::StandardButton which) {
    auto* box = qobject_cast<QMessageBox*>(dialog);
    return box ? box->button(which) : nullptr;
}

} // namespace

class DesktopPromptsTest : public QObject {
    Q_OBJECT

private slots:
    void messageBoxes();
    void questionsTellDismissalFromNo();
    void saveQuestionHasThreeAnswers();
    void fileAndFolderDialogs();

private:
    DesktopPrompts prompts_;
};

void DesktopPromptsTest::messageBoxes() {
    QStringList seen;
    ModalScript script;
    script
        .then([&](QDialog* dialog) {
            auto* box = qobject_cast<QMessageBox*>(dialog);
            QVERIFY(box != nullptr);
            seen << box->windowTitle() << box->text();
            QCOMPARE(box->icon(), QMessageBox::NoIcon);
            QCOMPARE(box->buttons().size(), 1);
            BoxButton(dialog, QMessageBox::Ok)->click();
        })
        .then([&](QDialog* dialog) {
            seen << dialog->windowTitle();
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
    prompts_.information(nullptr, QStringLiteral("File saved"));
    prompts_.information(nullptr, QStringLiteral("/games/arvon"),
                         QStringLiteral("Model Directory:"));
    QVERIFY(script.allRan() && !script.watchdogFired());
    QCOMPARE(seen, (QStringList{"VEXA", "File saved", "Model Directory:"}));
}

void DesktopPromptsTest::questionsTellDismissalFromNo() {
    QList<int> visibleButtons;
    ModalScript script;
    const auto press = [&](QMessageBox::StandardButton which) {
        return [&, which](QDialog* dialog) {
            auto* box = qobject_cast<QMessageBox*>(dialog);
            QCOMPARE(box->icon(), QMessageBox::Warning);
            QCOMPARE(box->windowTitle(), QStringLiteral("Apply to all?"));
            int visible = 0;
            for (QAbstractButton* button : box->buttons())
                visible += button->isVisible() ? 1 : 0;
            visibleButtons << visible;
            BoxButton(dialog, which)->click();
        };
    };
    script.then(press(QMessageBox::Yes))
        .then(press(QMessageBox::No))
        .then([](QDialog* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); })
        .then([](QDialog* dialog) { dialog->close(); }) // the close box
        .then(press(QMessageBox::Yes))
        .then([](QDialog* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
    const QString text = QStringLiteral("Apply these settings to all skill levels?");
    const QString title = QStringLiteral("Apply to all?");
    QCOMPARE(prompts_.ask(nullptr, text, title), std::optional<bool>(true));
    QCOMPARE(prompts_.ask(nullptr, text, title), std::optional<bool>(false));
    QCOMPARE(prompts_.ask(nullptr, text, title), std::optional<bool>());
    QCOMPARE(prompts_.ask(nullptr, text, title), std::optional<bool>());
    // The plain question takes a dismissal for No.
    QVERIFY(prompts_.question(nullptr, text, title));
    QVERIFY(!prompts_.question(nullptr, text, title));
    QVERIFY(script.allRan() && !script.watchdogFired());
    QCOMPARE(visibleButtons, (QList<int>{2, 2, 2})); // Yes and No only
}

void DesktopPromptsTest::saveQuestionHasThreeAnswers() {
    using Answer = vexa::ui::Prompts::SaveAnswer;
    ModalScript script;
    const auto press = [](QMessageBox::StandardButton which) {
        return [which](QDialog* dialog) { BoxButton(dialog, which)->click(); };
    };
    script.then(press(QMessageBox::Save))
        .then(press(QMessageBox::Discard))
        .then(press(QMessageBox::Cancel))
        .then([](QDialog* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); })
        .then([](QDialog* dialog) { QTest::keyClick(dialog, Qt::Key_Return); }); // Save
    const QString text = QStringLiteral("Save it?");
    const QString title = QStringLiteral("Unsaved changes");
    for (const Answer expected :
         {Answer::Save, Answer::Discard, Answer::Cancel, Answer::Cancel, Answer::Save})
        QVERIFY(prompts_.askToSave(nullptr, text, title) == expected);
    QVERIFY(script.allRan() && !script.watchdogFired());
}

void DesktopPromptsTest::fileAndFolderDialogs() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("bots")));
    QVERIFY(WriteBytes(dir.filePath(QStringLiteral("old.vxb")), "x"));
    const auto choose = [](const QString& path) {
        return [path](QDialog* dialog) {
            auto* files = qobject_cast<QFileDialog*>(dialog);
            QVERIFY(files != nullptr);
            files->selectFile(path);
            static_cast<QDialog*>(files)->accept(); // as the Save or Open button does
        };
    };
    QStringList titles;
    QList<QFileDialog::FileMode> modes;
    ModalScript script;
    script
        .then([&](QDialog* dialog) {
            auto* files = qobject_cast<QFileDialog*>(dialog);
            titles << files->windowTitle();
            modes << files->fileMode();
            QCOMPARE(files->acceptMode(), QFileDialog::AcceptSave);
            QCOMPARE(files->defaultSuffix(), QStringLiteral("vxb"));
            QCOMPARE(QDir(files->directory()).absolutePath(), QDir(dir.path()).absolutePath());
            choose(dir.filePath(QStringLiteral("ranger.vxb")))(dialog);
        })
        .then([](QDialog* dialog) { dialog->reject(); })
        .then([&](QDialog* dialog) {
            auto* files = qobject_cast<QFileDialog*>(dialog);
            titles << files->windowTitle();
            modes << files->fileMode();
            choose(dir.filePath(QStringLiteral("old.vxb")))(dialog);
        })
        .then([&](QDialog* dialog) {
            auto* files = qobject_cast<QFileDialog*>(dialog);
            titles << files->windowTitle();
            modes << files->fileMode();
            QVERIFY(files->testOption(QFileDialog::ShowDirsOnly));
            choose(dir.filePath(QStringLiteral("bots")))(dialog);
        })
        .then([](QDialog* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });

    const ui::Prompts::FileRequest request{
        QStringLiteral("Save Your VEXA Bot"), QStringLiteral("VEXA Bot Files (*.vxb)"),
        QStringLiteral("vxb"), QStringLiteral("ranger.vxb"), dir.path()};
    // Paths come back in the system's form.
    QCOMPARE(prompts_.saveFileName(nullptr, request),
             std::optional<QString>(QDir::toNativeSeparators(dir.filePath("ranger.vxb"))));
    QCOMPARE(prompts_.saveFileName(nullptr, request), std::optional<QString>());
    ui::Prompts::FileRequest open = request;
    open.title = QStringLiteral("Load Your VEXA Bot");
    QCOMPARE(prompts_.openFileName(nullptr, open),
             std::optional<QString>(QDir::toNativeSeparators(dir.filePath("old.vxb"))));
    const std::optional<QString> folder =
        prompts_.folderName(nullptr, QStringLiteral("Base Model Dir"), dir.path());
    QCOMPARE(folder, std::optional<QString>(QDir::toNativeSeparators(dir.filePath("bots"))));
    QCOMPARE(prompts_.folderName(nullptr, QStringLiteral("Base Model Dir"), dir.path()),
             std::optional<QString>());
    QVERIFY(script.allRan() && !script.watchdogFired());
    QCOMPARE(titles, (QStringList{"Save Your VEXA Bot", "Load Your VEXA Bot", "Base Model Dir"}));
    QCOMPARE(modes, (QList<QFileDialog::FileMode>{QFileDialog::AnyFile, QFileDialog::ExistingFile,
                                                  QFileDialog::Directory}));
}

QTEST_MAIN(DesktopPromptsTest)
#include "tst_desktop_prompts.moc"
