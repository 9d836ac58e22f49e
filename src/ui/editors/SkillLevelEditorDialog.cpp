#include "ui/editors/SkillLevelEditorDialog.h"

#include "core/editors/EditorModel.h"
#include "ui/common/DialogOpener.h"
#include "ui/common/Prompts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vexa::ui {

namespace {

QString Text(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

SkillLevelEditorDialog::SkillLevelEditorDialog(const EditorInfo& info, BotProfile& profile,
                                               AppSettings& settings, Prompts& prompts,
                                               QWidget* parent)
    : QDialog(parent), profile_(profile), settings_(settings), prompts_(prompts), info_(info) {
    setWindowTitle(Text(info.title));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* layout = new QVBoxLayout(this);
    auto* captionRow = new QHBoxLayout;
    captionRow->addWidget(new QLabel(tr("Current skill level:"), this));
    captionField_ = new QLineEdit(this);
    captionField_->setReadOnly(true);
    captionField_->setMinimumWidth(captionField_->fontMetrics().horizontalAdvance(
                                       QStringLiteral("Adv Skills not currently enabled")) +
                                   16);
    captionRow->addWidget(captionField_);
    captionRow->addStretch(1);
    layout->addLayout(captionRow);

    body_ = new QVBoxLayout;
    layout->addLayout(body_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    okButton_ = new QPushButton(tr("&OK"), this);
    cancelButton_ = new QPushButton(tr("&Cancel"), this);
    applyButton_ = new QPushButton(tr("&Apply to All"), this);
    okButton_->setDefault(true);
    captionField_->setObjectName(QStringLiteral("captionField"));
    okButton_->setObjectName(QStringLiteral("okButton"));
    cancelButton_->setObjectName(QStringLiteral("cancelButton"));
    applyButton_->setObjectName(QStringLiteral("applyToAllButton"));
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    buttons->addWidget(applyButton_);
    layout->addLayout(buttons);
    lastBeforeButtons_ = captionField_;

    connect(okButton_, &QPushButton::clicked, this, [this] {
        storeEdits();
        accept();
    });
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(applyButton_, &QPushButton::clicked, this, [this] { askApplyToAll(); });
}

void SkillLevelEditorDialog::setCaption(const QString& caption) {
    captionField_->setText(caption);
}

QString SkillLevelEditorDialog::caption() const {
    return captionField_->text();
}

void SkillLevelEditorDialog::setVisible(bool visible) {
    if (visible && !isVisible()) {
        applyButton_->setVisible(ShowsApplyToAll(settings_, info_.level));
        reload();
    }
    QDialog::setVisible(visible);
}

void SkillLevelEditorDialog::appendToTabOrder(QWidget* widget) {
    QWidget::setTabOrder(lastBeforeButtons_, widget);
    lastBeforeButtons_ = widget;
}

void SkillLevelEditorDialog::askApplyToAll() {
    const std::optional<bool> yes =
        prompts_.ask(this, Text(kApplyToAllQuestion), Text(kApplyToAllTitle));
    if (!yes)
        return; // dismissed without an answer: nothing happens
    for (std::string_view message : applyToAll(*yes))
        prompts_.information(this, Text(message));
}

bool OpenEditor(SkillLevelEditorDialog& editor, Prompts& prompts, const AppSettings& settings,
                QWidget* messageParent) {
    SetCaptionText(editor.captionField(), EditorCaption(settings, editor.info()));
    return RunDialogAndReport(
        editor, prompts, settings,
        {Text(editor.info().changedMessage), Text(editor.info().notChangedMessage)}, messageParent);
}

} // namespace vexa::ui
