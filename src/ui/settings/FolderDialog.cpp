#include "ui/settings/FolderDialog.h"

#include "core/settings/LocationRules.h"
#include "ui/common/DialogButtons.h"
#include "ui/common/TextFields.h"
#include "ui/settings/FolderField.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

namespace vexa::ui {

FolderDialog::FolderDialog(std::string& folder, const QString& title, std::string prompt,
                           Prompts& prompts, bool mustBeAbsolute, QWidget* parent)
    : QDialog(parent), folder_(folder), prompt_(std::move(prompt)), prompts_(prompts),
      mustBeAbsolute_(mustBeAbsolute), folderEdit_(new QLineEdit(this)) {
    setWindowTitle(title);

    auto* label = new QLabel(tr("Enter folder:"), this);
    label->setBuddy(folderEdit_);
    folderEdit_->setObjectName(QStringLiteral("folderEdit"));
    folderEdit_->setMinimumWidth(320);
    LimitToFolder(folderEdit_);

    auto* buttons = MakeOkCancelRow(this, tr("&OK"), tr("&Cancel"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addLayout(FolderRow(folderEdit_, prompts_, title, prompt_, this));
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString FolderDialog::folderText() const {
    return folderEdit_->text();
}

int FolderDialog::exec() {
    folderEdit_->setText(FromFolderText(FolderFieldText(folder_, prompt_)));
    folderEdit_->selectAll();
    folderEdit_->setFocus();
    return QDialog::exec();
}

void FolderDialog::accept() {
    if (!AcceptFolderText(folderEdit_, prompts_, prompt_, mustBeAbsolute_, this))
        return;
    StoreFolderField(folder_, ToFolderText(folderEdit_->text()), prompt_);
    QDialog::accept();
}

} // namespace vexa::ui
