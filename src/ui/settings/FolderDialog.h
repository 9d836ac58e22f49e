#pragma once

#include <QDialog>
#include <string>

class QLineEdit;

namespace vexa::ui {

// A dialog that edits one folder of the options with a single typed field.
// While the folder is empty the field shows a prompt text; OK with the prompt
// still there leaves the folder as it was.
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
    FolderDialog(std::string& folder, const QString& title, std::string prompt, QWidget* parent);

private:
    std::string& folder_;
    std::string prompt_;
    QLineEdit* folderEdit_;
};

} // namespace vexa::ui
