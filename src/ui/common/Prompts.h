#pragma once

#include <QString>
#include <QStringList>
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
    // The same with No as the default button, for a question whose Yes
    // cannot be undone.
    virtual bool questionDefaultNo(QWidget* parent, const QString& text, const QString& title) {
        return question(parent, text, title);
    }

    // A question about unsaved work with Save, Discard and Cancel buttons
    // and a warning icon, Save the default. Dismissing the box is Cancel.
    enum class SaveAnswer { Save, Discard, Cancel };
    virtual SaveAnswer askToSave(QWidget* parent, const QString& text, const QString& title) = 0;

    struct FileRequest {
        QString title;
        QString filter;        // for example "VEXA Bot Files (*.vxb)"
        QString defaultSuffix; // without the point, for example "vxb"
        QString defaultName;   // proposed file name
        QString folder;        // initial folder; empty for the platform's default
        // An open dialog that also takes a folder: it has a button that
        // chooses the folder selected or shown.
        bool orFolder = false;
    };
    // The chosen full path, or nothing when the user cancelled. The save
    // dialog asks before it replaces an existing file.
    virtual std::optional<QString> saveFileName(QWidget* parent, const FileRequest& request) = 0;
    virtual std::optional<QString> openFileName(QWidget* parent, const FileRequest& request) = 0;

    struct ListRequest {
        QString title;
        QString prompt;             // the text above the list
        QStringList columns;        // the column headings
        QList<QStringList> rows;    // one text per column
        QString option;             // a check box below the list; none when empty
        bool optionChecked = false; // its state when the dialog opens
        QString acceptText;         // the OK button's text
    };
    struct ListChoice {
        int row = -1;               // the index into `rows` chosen
        bool optionChecked = false; // the check box as the user left it
    };
    // A list to choose one row from, with a filter box that keeps the rows
    // holding its text in any column (without regard to case). Nothing when
    // the user cancelled (as without a list to show).
    virtual std::optional<ListChoice> chooseFromList(QWidget* parent, const ListRequest& request) {
        (void)parent;
        (void)request;
        return std::nullopt;
    }

    // A text for the user to read, select and copy (a report), with a button
    // that copies it whole; without one, an information box.
    virtual void showText(QWidget* parent, const QString& title, const QString& heading,
                          const QString& text) {
        information(parent, heading + QStringLiteral("\n\n") + text, title);
    }
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
