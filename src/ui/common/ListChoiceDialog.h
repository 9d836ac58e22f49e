#pragma once

#include "ui/common/Prompts.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace vexa::ui {

// Chooses one row of a list ("choiceList"), with a filter box ("filterEdit")
// that keeps the rows holding its text in any column, without regard to
// case, and an optional check box ("optionCheck"). OK ("okButton") is
// enabled while a shown row is selected; a double click chooses a row.
class ListChoiceDialog final : public QDialog {
    Q_OBJECT

public:
    explicit ListChoiceDialog(const Prompts::ListRequest& request, QWidget* parent = nullptr);

    // The row chosen and the check box, once the dialog was accepted.
    Prompts::ListChoice choice() const;

private:
    void applyFilter(const QString& text);
    void updateOk();

    QLineEdit* filterEdit_ = nullptr;
    QTreeWidget* list_ = nullptr;
    QCheckBox* option_ = nullptr;
    QPushButton* ok_ = nullptr;
};

} // namespace vexa::ui
