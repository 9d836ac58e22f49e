#pragma once

#include <QDialog>
#include <string>

class QLineEdit;

namespace vexa::ui {
class Prompts;
}

namespace vexa::ui {

// A dialog that edits one folder of the options with a single field, typed
// or chosen with "Browse...". While the folder is empty the field shows a
// prompt text; OK with the prompt still there leaves the folder as it was.
// OK refuses, with a message saying why, a folder that cannot be kept.
class FolderDialog : public QDialog {
    Q_OBJECT

public:
    // The field's text as the dialog left it: the message of the folder
    // commands after OK.
    QString folderText() const;

    // Reloads the field from the folder, then runs the dialog.
    int exec() override;
    // Stores the field (unless it holds the prompt) and closes with OK.
    void accept() override;

protected:
    // `mustBeAbsolute`: the base folder, which must be an absolute path.
    FolderDialog(std::string& folder, const QString& title, std::string prompt, Prompts& prompts,
                 bool mustBeAbsolute, QWidget* parent);

private:
    std::string& folder_;
    std::string prompt_;
    Prompts& prompts_;
    bool mustBeAbsolute_;
    QLineEdit* folderEdit_;
};

} // namespace vexa::ui
