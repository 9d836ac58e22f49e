// vexa_bench_responsiveness: opens every dialog of the program from the main
// window's buttons and menu commands (and the sub-editors from their parent
// editors' buttons) and times each from the command until the dialog has
// been exposed and painted on the display; then times slider releases in
// the Skill Settings editor until the text beside the slider has been
// repainted with its new value.
//
//   vexa_bench_responsiveness [--rounds N] [--releases N]
//
// Round 0 is each dialog's first opening in the process ("cold"); the other
// rounds open the same dialogs again ("warm"). Run it on a real display
// (Xvfb) with an empty working folder.
#include "Stats.h"
#include "core/profile/BotProfile.h"
#include "core/settings/AppSettings.h"
#include "core/util/FixedText.h"
#include "ui/app/MainDialog.h"
#include "ui/common/Prompts.h"
#include "ui/editors/ChatConvosDialog.h"
#include "ui/editors/ReleaseSlider.h"
#include "ui/editors/SliderEditors.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace vexa;
using namespace vexa::bench;

// Answers every message box at once, as if the user pressed OK or No.
class SilentPrompts final : public ui::Prompts {
public:
    void information(QWidget*, const QString&, const QString&) override {}
    bool question(QWidget*, const QString&, const QString&) override { return false; }
    std::optional<bool> ask(QWidget*, const QString&, const QString&) override { return false; }
    SaveAnswer askToSave(QWidget*, const QString&, const QString&) override {
        return SaveAnswer::Cancel;
    }
    std::optional<QString> saveFileName(QWidget*, const FileRequest&) override { return {}; }
    std::optional<QString> openFileName(QWidget*, const FileRequest&) override { return {}; }
    std::optional<QString> folderName(QWidget*, const QString&, const QString&) override {
        return {};
    }
};

// The application, with hooks after events have been handled: the moment a
// window's expose (which paints and flushes it) has finished, and the moment
// a widget's repaint has finished, together with the update that flushed it.
class ProbeApplication final : public QApplication {
public:
    using QApplication::QApplication;

    // Called once, after the next expose of a window of the active modal
    // dialog other than `previous`.
    void onNextDialogExposed(QWidget* previous, std::function<void()> callback) {
        previousDialog_ = previous;
        exposed_ = std::move(callback);
    }
    // Called once, after `widget` has next been painted and the update that
    // painted it has ended.
    void onNextRepaint(QWidget* widget, std::function<void()> callback) {
        paintTarget_ = widget;
        paintSeen_ = false;
        repainted_ = std::move(callback);
    }

    bool notify(QObject* receiver, QEvent* event) override {
        const QEvent::Type type = event->type();
        const int update = type == QEvent::UpdateRequest || type == QEvent::UpdateLater ? 1 : 0;
        updateDepth_ += update;
        const bool handled = QApplication::notify(receiver, event);
        updateDepth_ -= update;
        if (type == QEvent::Expose && exposed_) {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            auto* window = qobject_cast<QWindow*>(receiver);
            if (dialog != nullptr && dialog != previousDialog_ && window != nullptr &&
                window->isExposed() && dialog->windowHandle() == window)
                std::exchange(exposed_, {})();
        }
        if (repainted_) {
            paintSeen_ = paintSeen_ || (type == QEvent::Paint && receiver == paintTarget_);
            if (paintSeen_ && updateDepth_ == 0)
                std::exchange(repainted_, {})();
        }
        return handled;
    }

private:
    QWidget* previousDialog_ = nullptr;
    std::function<void()> exposed_;
    QWidget* paintTarget_ = nullptr;
    bool paintSeen_ = false;
    int updateDepth_ = 0;
    std::function<void()> repainted_;
};

// One way to open a dialog, from the main window or from the dialog that
// the previous step opened.
using Opener = std::function<void(ui::MainDialog& window, QDialog* parent)>;

struct Case {
    std::string name;
    std::vector<Opener> steps; // the last step opens the dialog that is timed
};

Opener MenuCommand(const char* action) {
    return [action](ui::MainDialog& window, QDialog*) {
        window.findChild<QAction*>(QLatin1String(action))->trigger();
    };
}
Opener WindowButton(const char* button) {
    return [button](ui::MainDialog& window, QDialog*) {
        window.findChild<QPushButton*>(QLatin1String(button))->click();
    };
}
template <typename Parent> Opener SubButton(QPushButton* (Parent::*button)() const) {
    return [button](ui::MainDialog&, QDialog* parent) {
        (qobject_cast<Parent*>(parent)->*button)()->click();
    };
}

std::vector<Case> Cases() {
    return {
        {"about", {MenuCommand("aboutAction")}},
        {"model_directory", {MenuCommand("modelDirAction")}},
        {"vxb_directory", {MenuCommand("vxbDirAction")}},
        {"general_settings", {MenuCommand("generalSettingsAction")}},
        {"file_locations", {MenuCommand("fileLocationsAction")}},
        {"model_name", {MenuCommand("modelNameAction")}},
        {"main_file_location", {WindowButton("mainFileButton")}},
        {"skill_settings", {WindowButton("skillSettingsButton")}},
        {"weapon_aim",
         {WindowButton("skillSettingsButton"),
          SubButton(&ui::SkillSettingsDialog::weaponAimButton)}},
        {"chat_settings", {WindowButton("chatSettingsButton")}},
        {"personality_settings", {WindowButton("personalitySettingsButton")}},
        {"item_weights", {WindowButton("itemWeightsButton")}},
        {"initial_weapon_weights",
         {WindowButton("itemWeightsButton"),
          SubButton(&ui::ItemWeightsDialog::initialWeaponWeightsButton)}},
        {"initial_powerup_weights",
         {WindowButton("itemWeightsButton"),
          SubButton(&ui::ItemWeightsDialog::initialPowerupWeightsButton)}},
        {"collected_weapon_weights",
         {WindowButton("itemWeightsButton"),
          SubButton(&ui::ItemWeightsDialog::collectedWeaponWeightsButton)}},
        {"weapon_weights", {WindowButton("weaponWeightsButton")}},
        {"chat_convos", {WindowButton("chatConvosButton")}},
        // A full bot's files: every level and every chat line (see main).
        {"source_preview", {MenuCommand("previewSourceAction")}},
        {"chat_responses",
         {WindowButton("chatConvosButton"),
          [](ui::MainDialog&, QDialog* parent) {
              qobject_cast<ui::ChatConvosDialog*>(parent)->categoryButton(0)->click();
          }}},
    };
}

class Harness {
public:
    Harness(ProbeApplication& app, ui::MainDialog& window) : app_(app), window_(window) {}

    // Runs the steps of `c` from `step` on, with the dialog of the step
    // before as `parent`; returns the time of the last step, or a negative
    // number when a dialog did not show within the time limit.
    double open(const Case& c, std::size_t step = 0, QDialog* parent = nullptr) {
        double ms = -1;
        const Clock::time_point start = Clock::now();
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [] {
            while (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialog->reject();
        });
        watchdog.start(10000);
        app_.onNextDialogExposed(parent, [&, step] {
            const double elapsed = MillisecondsSince(start);
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            // Go on from the event loop of the dialog just shown.
            QTimer::singleShot(0, dialog, [&, step, elapsed, dialog] {
                if (step + 1 < c.steps.size())
                    ms = open(c, step + 1, dialog);
                else
                    ms = elapsed;
                dialog->reject();
            });
        });
        c.steps[step](window_, parent); // returns when the dialog has closed
        app_.onNextDialogExposed(nullptr, {});
        return ms;
    }

    // Opens the Skill Settings editor and clicks the track of each of its
    // sliders in turn, alternately near the right and the left end; times
    // each release until the text box beside the slider has been repainted
    // with its new text. Each click starts from the editor's own event loop.
    void releases(int count) {
        ui::SkillSettingsDialog* dialog = nullptr;
        int done = 0;
        std::function<void()> next;
        next = [&] {
            if (done == count) {
                dialog->reject();
                return;
            }
            const std::size_t row = static_cast<std::size_t>(done) % dialog->rowCount();
            const bool right = (done / static_cast<int>(dialog->rowCount())) % 2 == 0;
            ++done;
            ui::ReleaseSlider* slider = dialog->slider(row);
            QLineEdit* text = dialog->textBox(row);
            const QPoint at(right ? slider->width() - 3 : 3, slider->height() / 2);
            const QString before = text->text();
            QTest::mousePress(slider, Qt::LeftButton, Qt::NoModifier, at);
            const Clock::time_point start = Clock::now();
            app_.onNextRepaint(text, [&, start, before, text] {
                if (text->text() != before)
                    PrintSample("slider_release", MillisecondsSince(start));
                QTimer::singleShot(0, dialog, next);
            });
            QTest::mouseRelease(slider, Qt::LeftButton, Qt::NoModifier, at);
        };
        app_.onNextDialogExposed(nullptr, [&] {
            dialog = qobject_cast<ui::SkillSettingsDialog*>(QApplication::activeModalWidget());
            QTimer::singleShot(0, dialog, next);
        });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [] {
            while (auto* open = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                open->reject();
        });
        watchdog.start(10000 + 100 * count);
        window_.findChild<QPushButton*>(QStringLiteral("skillSettingsButton"))->click();
        app_.onNextDialogExposed(nullptr, {});
        app_.onNextRepaint(nullptr, {});
    }

private:
    ProbeApplication& app_;
    ui::MainDialog& window_;
};

// Waits until `widget`'s window is on the display.
bool WaitUntilExposed(QWidget& widget) {
    return QTest::qWaitForWindowExposed(&widget, 10000);
}

} // namespace

int main(int argc, char** argv) {
    ProbeApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    int rounds = 6;
    int releaseCount = 60;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string arg = argv[i];
        if (arg == "--rounds")
            rounds = std::max(1, std::atoi(argv[i + 1]));
        else if (arg == "--releases")
            releaseCount = std::max(0, std::atoi(argv[i + 1]));
    }

    // An empty working folder: no default bot, no vexa.ini.
    QTemporaryDir folder;
    if (!folder.isValid() || !QDir::setCurrent(folder.path()))
        return 1;
    auto profile = std::make_unique<BotProfile>(EmptyProfile());
    AppSettings settings;
    SilentPrompts prompts;
    ui::MainDialog window(*profile, settings, prompts, QString());
    // The preview's largest case: three levels' files, every chat line used.
    settings.TabSkill = true;
    for (SkillProfile& block : profile->skill)
        for (auto& category : block.chat_lines)
            for (auto& line : category)
                SetFieldText(line,
                             "\"A full line of chat, \", 1, \" with a variable and a \", food");
    window.show();
    if (!WaitUntilExposed(window)) {
        std::fprintf(stderr, "vexa_bench_responsiveness: the main window did not show\n");
        return 1;
    }
    QTest::qWait(200);

    Harness harness(app, window);
    const std::vector<Case> cases = Cases();
    for (int round = 0; round < rounds; ++round) {
        for (const Case& c : cases) {
            const double ms = harness.open(c);
            if (ms < 0) {
                std::fprintf(stderr, "vexa_bench_responsiveness: %s did not show\n",
                             c.name.c_str());
                return 1;
            }
            const std::string key = (round == 0 ? "open_cold." : "open_warm.") + c.name;
            PrintSample(key.c_str(), ms);
        }
    }

    harness.releases(releaseCount);
    return 0;
}
