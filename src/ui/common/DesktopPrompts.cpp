#include "ui/common/DesktopPrompts.h"

#include "ui/common/ListChoiceDialog.h"
#include "ui/common/TextReportDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>

namespace vexa::ui {

namespace {

std::optional<QString> RunFileDialog(QWidget* parent, const Prompts::FileRequest& request,
                                     QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, request.title, request.folder, request.filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                       : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    // The save dialog asks before it replaces a file (Qt's default); the
    // dialogs never move the working directory, which holds defbot.ini and
    // vexa.ini.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (!request.defaultName.isEmpty())
        dialog.selectFile(request.defaultName);
    // A folder is chosen with a button of its own: the folder selected in
    // the list, or else the one shown. Qt's own dialog is needed for it.
    std::optional<QString> folder;
    if (request.orFolder) {
        dialog.setOption(QFileDialog::DontUseNativeDialog, true);
        auto* useFolder = new QPushButton(QObject::tr("Use This &Folder"), &dialog);
        useFolder->setObjectName(QStringLiteral("useFolderButton"));
        QObject::connect(useFolder, &QPushButton::clicked, &dialog, [&dialog, &folder] {
            const QStringList selected = dialog.selectedFiles();
            folder = QDir::toNativeSeparators(!selected.isEmpty() &&
                                                      QFileInfo(selected.constFirst()).isDir()
                                                  ? selected.constFirst()
                                                  : dialog.directory().absolutePath());
            static_cast<QDialog&>(dialog).done(QDialog::Accepted);
        });
        if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
            grid->addWidget(useFolder, grid->rowCount(), 0, 1, grid->columnCount(), Qt::AlignLeft);
    }
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    if (folder)
        return folder;
    if (dialog.selectedFiles().isEmpty())
        return std::nullopt;
    // Qt's dialogs answer with "/" on every system; the program names files
    // in the system's own form, as it does chosen folders.
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

} // namespace

void DesktopPrompts::information(QWidget* parent, const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::NoIcon, title.isEmpty() ? ApplicationTitle() : title, text,
                    QMessageBox::Ok, parent);
    box.exec();
}

bool DesktopPrompts::question(QWidget* parent, const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

bool DesktopPrompts::questionDefaultNo(QWidget* parent, const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::optional<bool> DesktopPrompts::ask(QWidget* parent, const QString& text,
                                        const QString& title) {
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::Yes);
    // Esc and the close box press this hidden button, so that they tell
    // apart from No.
    QAbstractButton* dismiss = box.addButton(QMessageBox::Cancel);
    dismiss->hide();
    box.setEscapeButton(dismiss);
    box.exec();
    if (box.clickedButton() == box.button(QMessageBox::Yes))
        return true;
    if (box.clickedButton() == box.button(QMessageBox::No))
        return false;
    return std::nullopt;
}

Prompts::SaveAnswer DesktopPrompts::askToSave(QWidget* parent, const QString& text,
                                              const QString& title) {
    QMessageBox box(QMessageBox::Warning, title, text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return SaveAnswer::Save;
    case QMessageBox::Discard:
        return SaveAnswer::Discard;
    default:
        return SaveAnswer::Cancel;
    }
}

std::optional<QString> DesktopPrompts::saveFileName(QWidget* parent, const FileRequest& request) {
    return RunFileDialog(parent, request, QFileDialog::AcceptSave);
}

std::optional<QString> DesktopPrompts::openFileName(QWidget* parent, const FileRequest& request) {
    return RunFileDialog(parent, request, QFileDialog::AcceptOpen);
}

std::optional<Prompts::ListChoice> DesktopPrompts::chooseFromList(QWidget* parent,
                                                                  const ListRequest& request) {
    ListChoiceDialog dialog(request, parent);
    if (dialog.exec() != QDialog::Accepted || dialog.choice().row < 0)
        return std::nullopt;
    return dialog.choice();
}

void DesktopPrompts::showText(QWidget* parent, const QString& title, const QString& heading,
                              const QString& text) {
    TextReportDialog dialog(title, heading, text, parent);
    dialog.exec();
}

std::optional<QString> DesktopPrompts::folderName(QWidget* parent, const QString& title,
                                                  const QString& folder) {
    QFileDialog dialog(parent, title, folder);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

} // namespace vexa::ui
