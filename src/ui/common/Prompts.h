#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace vexa::ui {

// Every message box and file dialog of the program goes through this
// interface, so that tests can answer them without a person.
class Prompts {
public:
    virtual ~Prompts() = default;

    // An information box with one OK button and no icon. An empty `title`
    // means the application's name.
    virtual void information(QWidget* parent, const QString& text, const QString& title = {}) = 0;

    // A question with Yes and No buttons and a warning icon; true for Yes.
    // Dismissing the box without an answer counts as No.
    virtual bool question(QWidget* parent, const QString& text, const QString& title) = 0;
    // The same question, telling a box dismissed without an answer (Esc, the
    // close box) from No: true for Yes, false for No, nothing when dismissed.
    virtual std::optional<bool> ask(QWidget* parent, const QString& text, const QString& title) = 0;

    struct FileRequest {
        QString title;
        QString filter;        // for example "VEXA Bot Files (*.vxb)"
        QString defaultSuffix; // without the point, for example "vxb"
        QString defaultName;   // proposed file name
        QString folder;        // initial folder; empty for the platform's default
    };
    // The chosen full path, or nothing when the user cancelled. The save
    // dialog asks before it replaces an existing file.
    virtual std::optional<QString> saveFileName(QWidget* parent, const FileRequest& request) = 0;
    virtual std::optional<QString> openFileName(QWidget* parent, const FileRequest& request) = 0;
    // The platform's folder dialog, opening at `folder` (the platform's
    // default when empty): the chosen folder, or nothing when cancelled.
    virtual std::optional<QString> folderName(QWidget* parent, const QString& title,
                                              const QString& folder) = 0;
};

// The application's name, the title of every untitled message.
inline QString ApplicationTitle() {
    return QStringLiteral("VEXA");
}

} // namespace vexa::ui
