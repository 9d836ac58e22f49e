#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace vexa::ui {

// A text for the user to read and copy: a heading, the text in a read-only
// box ("reportText") where any part can be selected, a button that copies
// the whole text ("copyButton") and OK ("okButton").
class TextReportDialog final : public QDialog {
    Q_OBJECT

public:
    TextReportDialog(const QString& title, const QString& heading, const QString& text,
                     QWidget* parent = nullptr);

private:
    QPlainTextEdit* text_ = nullptr;
};

} // namespace vexa::ui
