#pragma once

#include <QString>

class QDialog;
class QHBoxLayout;

namespace vexa::ui {

// A right-aligned row with the dialog's OK button (the default button, named
// "okButton", closing it with accept()) and its Cancel button ("cancelButton",
// reject()). Further buttons may be added to the row after them.
QHBoxLayout* MakeOkCancelRow(QDialog* dialog, const QString& okText, const QString& cancelText);

} // namespace vexa::ui
