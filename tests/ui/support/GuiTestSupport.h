#pragma once

#include "ScriptedPrompts.h"
#include "core/profile/BotProfile.h"
#include "core/settings/AppSettings.h"
#include "core/util/Paths.h"
#include "ui/app/MainDialog.h"

#include <QAction>
#include <QApplication>
#include <QByteArray>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cctype>
#include <cstring>
#include <deque>
#include <functional>
#include <memory>
#include <string>

namespace vexa::test {

// Acts inside modal dialogs: every queued action runs, in order, on the
// modal dialog that is active when a poll finds one. A watchdog rejects any
// dialog still open after the time limit, so a failed test cannot hang the
// run; watchdogFired() then tells the test.
class ModalScript final : public QObject {
public:
    explicit ModalScript(int watchdogMs = 10000) {
        poll_.setInterval(5);
        QObject::connect(&poll_, &QTimer::timeout, this, [this] { step(); });
        poll_.start();
        watchdog_.setSingleShot(true);
        QObject::connect(&watchdog_, &QTimer::timeout, this, [this] { rescue(); });
        watchdog_.start(watchdogMs);
    }

    // Queues an action for the next modal dialog.
    ModalScript& then(std::function<void(QDialog*)> action) {
        actions_.push_back(std::move(action));
        return *this;
    }

    bool allRan() const { return actions_.empty(); }
    bool watchdogFired() const { return watchdogFired_; }

private:
    void step() {
        if (actions_.empty())
            return;
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible())
            return;
        auto action = std::move(actions_.front());
        actions_.pop_front();
        action(dialog);
    }
    void rescue() {
        while (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            watchdogFired_ = true;
            dialog->reject();
            if (QApplication::activeModalWidget() == dialog)
                dialog->hide();
        }
    }

    QTimer poll_;
    QTimer watchdog_;
    std::deque<std::function<void(QDialog*)>> actions_;
    bool watchdogFired_ = false;
};

// A field of a dialog by its object name.
inline QLineEdit* Field(QWidget* dialog, const char* name) {
    return dialog->findChild<QLineEdit*>(QLatin1String(name));
}
inline QPushButton* Button(QWidget* dialog, const char* name) {
    return dialog->findChild<QPushButton*>(QLatin1String(name));
}
inline void ClickOk(QDialog* dialog) {
    Button(dialog, "okButton")->click();
}
inline void ClickCancel(QDialog* dialog) {
    Button(dialog, "cancelButton")->click();
}

inline QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}
inline bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}
// A text file the program wrote, with its line ends read as "\n" (Windows
// writes text files with "\r\n").
inline QByteArray ReadText(const QString& path) {
    return ReadBytes(path).replace("\r\n", "\n");
}
// A full folder path of the platform, for folders that need not exist:
// `posix` itself on POSIX systems; on Windows the same folders on drive C:,
// with backslashes ("/games/arvon" is "C:\\games\\arvon").
inline QString FullFolder(const QString& posix) {
    return NativePathStyle() == PathStyle::Windows ? QDir::toNativeSeparators("C:" + posix) : posix;
}
inline QByteArray ImageBytes(const BotProfile& profile) {
    return QByteArray::fromStdString(ProfileImage(profile));
}
// A profile as ApplyDefaults makes it, with a name and a gender.
inline BotProfile MakeProfile(const char* name, const char* gender = "Male") {
    BotProfile profile = EmptyProfile();
    ApplyDefaults(profile);
    std::copy_n(name, std::min<std::size_t>(std::strlen(name), 19), profile.name);
    std::fill(profile.gender, profile.gender + sizeof profile.gender, '\0');
    std::copy_n(gender, std::min<std::size_t>(std::strlen(gender), 9), profile.gender);
    return profile;
}
// A bot of the game folder as the tests make it: the defaults, `name`, and
// its model and main file named after it in lower case.
inline BotProfile GameBot(const char* name) {
    BotProfile profile = MakeProfile(name);
    std::string lower = name;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::copy_n(lower.c_str(), std::min<std::size_t>(lower.size(), 9), profile.model_name);
    const std::string mainFile = lower + "_c.c";
    std::copy_n(mainFile.c_str(), std::min<std::size_t>(mainFile.size(), 19), profile.main_file);
    return profile;
}

// One test's world: a fresh working directory, the program's profile and
// options, scripted prompts and the main window.
class Desk {
public:
    Desk() : previousDir_(QDir::currentPath()) {
        QApplication::setQuitOnLastWindowClosed(false);
        QDir::setCurrent(dir_.path());
    }
    ~Desk() {
        window.reset();
        QDir::setCurrent(previousDir_);
    }
    Desk(const Desk&) = delete;
    Desk& operator=(const Desk&) = delete;

    QString file(const QString& name) const { return dir_.filePath(name); }

    // Opens the main window, as the program does at start.
    ui::MainDialog& start(const QString& commandLineFile = {}) {
        window = std::make_unique<ui::MainDialog>(*profile, settings, prompts, commandLineFile);
        window->show();
        return *window;
    }

    template <typename T> T* child(const char* name) const {
        return window->findChild<T*>(QLatin1String(name));
    }
    // Runs a menu command of the main window.
    void trigger(const char* actionName) const {
        window->findChild<QAction*>(QLatin1String(actionName))->trigger();
    }

    std::unique_ptr<BotProfile> profile = std::make_unique<BotProfile>(EmptyProfile());
    AppSettings settings;
    ScriptedPrompts prompts;
    std::unique_ptr<ui::MainDialog> window;

private:
    QString previousDir_;
    QTemporaryDir dir_;
};

} // namespace vexa::test
