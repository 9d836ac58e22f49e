#include "ui/common/DesktopPrompts.h"

#include <QFileDialog>
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
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
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

std::optional<QString> DesktopPrompts::saveFileName(QWidget* parent, const FileRequest& request) {
    return RunFileDialog(parent, request, QFileDialog::AcceptSave);
}

std::optional<QString> DesktopPrompts::openFileName(QWidget* parent, const FileRequest& request) {
    return RunFileDialog(parent, request, QFileDialog::AcceptOpen);
}

} // namespace vexa::ui
