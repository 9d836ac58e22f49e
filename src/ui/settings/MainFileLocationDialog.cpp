#include "ui/settings/MainFileLocationDialog.h"

#include "core/generate/Names.h"
#include "core/settings/LocationRules.h"
#include "core/util/FixedText.h"
#include "ui/common/DialogButtons.h"
#include "ui/common/Prompts.h"
#include "ui/common/TextFields.h"
#include "ui/settings/FolderField.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vexa::ui {

MainFileLocationDialog::MainFileLocationDialog(BotProfile& profile, AppSettings& settings,
                                               Prompts& prompts, QWidget* parent)
    : QDialog(parent), profile_(profile), settings_(settings), prompts_(prompts),
      folderEdit_(new QLineEdit(this)), mainFileEdit_(new QLineEdit(this)) {
    setWindowTitle(tr("Main File Location"));

    auto* explanation =
        new QLabel(tr("This is the file where everything ends up: it is the map for your bot.\n"
                      "All bot files will be created in the directory listed below.\n"),
                   this);
    auto* folderLabel = new QLabel(tr("Base Model Dir:"), this);
    folderLabel->setBuddy(folderEdit_);
    folderEdit_->setObjectName(QStringLiteral("folderEdit"));
    folderEdit_->setMinimumWidth(320);
    LimitToFolder(folderEdit_);
    auto* mainFileLabel = new QLabel(tr("Main File Name:"), this);
    mainFileLabel->setBuddy(mainFileEdit_);
    mainFileEdit_->setObjectName(QStringLiteral("mainFileEdit"));
    LimitToField(mainFileEdit_, sizeof profile.main_file);

    auto* buttons = MakeOkCancelRow(this, tr("OK"), tr("Cancel"));

    auto* fields = new QGridLayout;
    fields->addWidget(folderLabel, 0, 0);
    fields->addLayout(FolderRow(folderEdit_, prompts_, tr("Base Model Dir"), kBaseDirPrompt, this),
                      0, 1);
    fields->addWidget(mainFileLabel, 1, 0);
    fields->addWidget(mainFileEdit_, 1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

int MainFileLocationDialog::exec() {
    folderEdit_->setText(FromFolderText(FolderFieldText(settings_.BaseDir, kBaseDirPrompt)));
    mainFileEdit_->setText(FromFieldText(MainFileProposal(profile_)));
    folderEdit_->setFocus();
    folderEdit_->selectAll();
    return QDialog::exec();
}

void MainFileLocationDialog::accept() {
    if (!AcceptFolderText(folderEdit_, prompts_, kBaseDirPrompt, true, this))
        return;
    // A name Windows keeps for a device cannot become a file or folder, and
    // the main file stays inside the base folder.
    const std::string mainFile = ToFieldText(mainFileEdit_->text());
    const std::pair<QLineEdit*, std::string> refusals[] = {
        {folderEdit_, EnteredNameRefusal(ToFolderText(folderEdit_->text()))},
        {mainFileEdit_, StoredNameRefusal("Main file", mainFile)},
        {mainFileEdit_, MainFileNameRefusal(mainFile)}};
    for (const auto& [edit, refusal] : refusals)
        if (!refusal.empty()) {
            prompts_.information(this, QString::fromStdString(refusal));
            edit->setFocus();
            return;
        }
    StoreFolderField(settings_.BaseDir, ToFolderText(folderEdit_->text()), kBaseDirPrompt);
    SetFieldText(profile_.main_file, ToFieldText(mainFileEdit_->text()));
    QDialog::accept();
}

} // namespace vexa::ui
