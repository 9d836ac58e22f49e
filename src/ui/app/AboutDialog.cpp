#include "ui/app/AboutDialog.h"

#include "ui/app/Resources.h"
#include "ui/common/Prompts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vexa::ui {

AboutDialog::AboutDialog(Prompts& prompts, QWidget* parent) : QDialog(parent), prompts_(prompts) {
    setWindowTitle(tr("About VEXA"));

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("iconPicture"));
    picture->setPixmap(ProgramIcon().pixmap(48, 48));
    picture->setAlignment(Qt::AlignTop);

    auto* version = new QLabel(tr("VEXA Version 1.05"), this);
    version->setObjectName(QStringLiteral("versionLabel"));
    auto* year = new QLabel(tr("Copyright (C) 2026 the VEXA developers"), this);
    auto* web = new QLabel(tr("https://vexa.example.org"), this);
    auto* credit = new QLabel(tr("A bot designer for Arvon, written with Qt"), this);

    auto* ok = new QPushButton(tr("&OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    auto* contact = new QPushButton(tr("C&ontact..."), this);
    contact->setObjectName(QStringLiteral("contactButton"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(contact, &QPushButton::clicked, this, &AboutDialog::showContact);

    auto* lines = new QVBoxLayout;
    lines->addWidget(version);
    lines->addWidget(year);
    lines->addWidget(web);
    lines->addWidget(credit);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(contact);
    buttons->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(picture);
    layout->addSpacing(8);
    layout->addLayout(lines);
    layout->addSpacing(16);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void AboutDialog::showContact() {
    prompts_.information(this,
                         tr("Questions, bug reports and bots you are proud of are welcome at\n"
                            "vexa@example.org"),
                         tr("Contact VEXA"));
}

} // namespace vexa::ui
