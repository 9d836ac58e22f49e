#include "ui/settings/KeptExtrasDialog.h"

#include "ui/common/DialogButtons.h"
#include "ui/common/TextFields.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace vexa::ui {

KeptExtrasDialog::KeptExtrasDialog(const BotProfile& profile, ProfileExtras& extras,
                                   QWidget* parent)
    : QDialog(parent), profile_(profile), extras_(extras), list_(new QListWidget(this)),
      removeButton_(new QPushButton(tr("&Remove"), this)) {
    setWindowTitle(tr("Kept Extras"));
    auto* note = new QLabel(tr("What the bot's files held beyond the editors. Create Arvon source "
                               "writes it back; a removed line is written from the editors."),
                            this);
    note->setWordWrap(true);
    list_->setObjectName(QStringLiteral("keptList"));
    list_->setMinimumSize(560, 260);
    removeButton_->setObjectName(QStringLiteral("removeButton"));
    connect(removeButton_, &QPushButton::clicked, this, &KeptExtrasDialog::removeSelected);
    connect(list_, &QListWidget::currentRowChanged, this,
            [this](int row) { removeButton_->setEnabled(row >= 0); });

    auto* buttons = MakeOkCancelRow(this, tr("OK"), tr("Cancel"));
    buttons->insertWidget(0, removeButton_);
    buttons->insertStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addWidget(list_);
    layout->addLayout(buttons);
}

int KeptExtrasDialog::exec() {
    working_ = extras_;
    fill();
    return QDialog::exec();
}

void KeptExtrasDialog::accept() {
    extras_ = working_;
    QDialog::accept();
}

void KeptExtrasDialog::fill() {
    list_->clear();
    const std::vector<ExtraItem> items = ExtraItems(working_, profile_);
    for (const ExtraItem& item : items)
        list_->addItem(FromFieldText(item.text));
    if (items.empty())
        list_->addItem(tr("(nothing is kept beyond the editors)"));
    list_->setEnabled(!items.empty());
    removeButton_->setEnabled(false);
}

void KeptExtrasDialog::removeSelected() {
    const std::vector<ExtraItem> items = ExtraItems(working_, profile_);
    const int row = list_->currentRow();
    if (row < 0 || row >= static_cast<int>(items.size()))
        return;
    RemoveExtra(working_, items[static_cast<std::size_t>(row)]);
    fill();
    list_->setCurrentRow(std::min(row, list_->count() - 1));
}

} // namespace vexa::ui
