#include "ui/common/DialogOpener.h"

#include "ui/common/Prompts.h"

#include <QDialog>
#include <QLineEdit>

namespace vexa::ui {

void SetCaptionText(QLineEdit* field, const std::optional<std::string>& caption) {
    if (caption)
        field->setText(QString::fromLatin1(caption->c_str()));
}

bool RunDialogAndReport(QDialog& dialog, Prompts& prompts, const AppSettings& settings,
                        const OpenerMessages& messages, QWidget* messageParent) {
    const bool confirmed = dialog.exec() == QDialog::Accepted;
    if (settings.OkCancel)
        prompts.information(messageParent, confirmed ? messages.changed : messages.notChanged);
    return confirmed;
}

} // namespace vexa::ui
