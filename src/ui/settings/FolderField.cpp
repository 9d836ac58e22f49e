#include "ui/settings/FolderField.h"

#include "core/settings/LocationRules.h"
#include "ui/common/Prompts.h"
#include "ui/common/TextFields.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace vexa::ui {

QHBoxLayout* FolderRow(QLineEdit* edit, Prompts& prompts, const QString& title,
                       const std::string& prompt, QWidget* dialog) {
    auto* browse = new QPushButton(QObject::tr("Browse..."), dialog);
    browse->setObjectName(QStringLiteral("browseButton"));
    browse->setAutoDefault(false);
    QObject::connect(browse, &QPushButton::clicked, dialog, [=, &prompts] {
        const QString shown = edit->text();
        const QString start = shown == FromFolderText(prompt) ? QString() : shown;
        if (const std::optional<QString> folder = prompts.folderName(dialog, title, start)) {
            edit->setText(*folder);
            edit->setFocus();
        }
    });
    auto* row = new QHBoxLayout;
    row->addWidget(edit, 1);
    row->addWidget(browse);
    return row;
}

bool AcceptFolderText(QLineEdit* edit, Prompts& prompts, const std::string& prompt,
                      bool mustBeAbsolute, QWidget* dialog) {
    const std::string folder = ToFolderText(edit->text());
    if (folder == prompt)
        return true;
    const std::string refusal = FolderRefusal(folder, mustBeAbsolute);
    if (refusal.empty())
        return true;
    prompts.information(dialog, QString::fromStdString(refusal));
    edit->setFocus();
    return false;
}

} // namespace vexa::ui
