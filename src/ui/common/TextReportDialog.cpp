#include "ui/common/TextReportDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vexa::ui {

TextReportDialog::TextReportDialog(const QString& title, const QString& heading,
                                   const QString& text, QWidget* parent)
    : QDialog(parent), text_(new QPlainTextEdit(this)) {
    setWindowTitle(title);

    auto* label = new QLabel(heading, this);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);

    text_->setObjectName(QStringLiteral("reportText"));
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    text_->setPlainText(text);
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text_->setMinimumSize(680, 260);
    text_->setVisible(!text.isEmpty());

    auto* copy = new QPushButton(tr("&Copy"), this);
    copy->setObjectName(QStringLiteral("copyButton"));

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    // The copy is the whole report: the heading says which bot it is about.
    connect(copy, &QPushButton::clicked, this, [this, heading] {
        const QString body = text_->toPlainText();
        QApplication::clipboard()->setText(
            body.isEmpty() ? heading + QLatin1Char('\n') : heading + QStringLiteral("\n\n") + body);
    });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(copy);
    buttons->addStretch();
    buttons->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(text_, 1);
    layout->addLayout(buttons);
    ok->setFocus();
}

} // namespace vexa::ui
