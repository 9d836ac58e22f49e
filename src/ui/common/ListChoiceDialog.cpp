#include "ui/common/ListChoiceDialog.h"

#include "ui/common/DialogButtons.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vexa::ui {

ListChoiceDialog::ListChoiceDialog(const Prompts::ListRequest& request, QWidget* parent)
    : QDialog(parent), filterEdit_(new QLineEdit(this)), list_(new QTreeWidget(this)) {
    setWindowTitle(request.title);

    auto* prompt = new QLabel(request.prompt, this);
    prompt->setWordWrap(true);

    auto* filterLabel = new QLabel(tr("&Filter:"), this);
    filterLabel->setBuddy(filterEdit_);
    filterEdit_->setObjectName(QStringLiteral("filterEdit"));
    filterEdit_->setClearButtonEnabled(true);
    filterEdit_->setPlaceholderText(tr("Part of a name, model or file"));
    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(filterLabel);
    filterRow->addWidget(filterEdit_);

    list_->setObjectName(QStringLiteral("choiceList"));
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->setHeaderLabels(request.columns);
    for (int row = 0; row < request.rows.size(); ++row) {
        auto* item = new QTreeWidgetItem(list_, request.rows[row]);
        item->setData(0, Qt::UserRole, row);
        for (int column = 0; column < request.rows[row].size(); ++column)
            item->setToolTip(column, request.rows[row][column]);
    }
    for (int column = 0; column + 1 < request.columns.size(); ++column)
        list_->resizeColumnToContents(column);
    list_->header()->setStretchLastSection(true);
    list_->setMinimumSize(560, 240);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addLayout(filterRow);
    layout->addWidget(list_, 1);
    if (!request.option.isEmpty()) {
        option_ = new QCheckBox(request.option, this);
        option_->setObjectName(QStringLiteral("optionCheck"));
        option_->setChecked(request.optionChecked);
        layout->addWidget(option_);
    }
    layout->addLayout(MakeOkCancelRow(
        this, request.acceptText.isEmpty() ? tr("OK") : request.acceptText, tr("Cancel")));
    ok_ = findChild<QPushButton*>(QStringLiteral("okButton"));

    connect(filterEdit_, &QLineEdit::textChanged, this, &ListChoiceDialog::applyFilter);
    connect(list_, &QTreeWidget::itemSelectionChanged, this, &ListChoiceDialog::updateOk);
    connect(list_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        if (item != nullptr && !item->isHidden())
            accept();
    });
    if (list_->topLevelItemCount() > 0)
        list_->setCurrentItem(list_->topLevelItem(0));
    updateOk();
    filterEdit_->setFocus();
}

void ListChoiceDialog::applyFilter(const QString& text) {
    QTreeWidgetItem* firstShown = nullptr;
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = list_->topLevelItem(i);
        bool shown = text.isEmpty();
        for (int column = 0; !shown && column < item->columnCount(); ++column)
            shown = item->text(column).contains(text, Qt::CaseInsensitive);
        item->setHidden(!shown);
        if (shown && firstShown == nullptr)
            firstShown = item;
    }
    QTreeWidgetItem* current = list_->currentItem();
    if (current == nullptr || current->isHidden()) {
        list_->clearSelection();
        if (firstShown != nullptr)
            list_->setCurrentItem(firstShown);
    }
    updateOk();
}

void ListChoiceDialog::updateOk() {
    const QList<QTreeWidgetItem*> selected = list_->selectedItems();
    ok_->setEnabled(!selected.isEmpty() && !selected.first()->isHidden());
}

Prompts::ListChoice ListChoiceDialog::choice() const {
    Prompts::ListChoice choice;
    const QList<QTreeWidgetItem*> selected = list_->selectedItems();
    if (!selected.isEmpty() && !selected.first()->isHidden())
        choice.row = selected.first()->data(0, Qt::UserRole).toInt();
    choice.optionChecked = option_ != nullptr && option_->isChecked();
    return choice;
}

} // namespace vexa::ui
