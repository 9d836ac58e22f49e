#pragma once

#include "ui/common/Prompts.h"

namespace vexa::ui {

// The program's message boxes and file dialogs on the desktop: QMessageBox,
// QFileDialog, and the program's own list and report dialogs.
class DesktopPrompts final : public Prompts {
public:
    void information(QWidget* parent, const QString& text, const QString& title = {}) override;
    bool question(QWidget* parent, const QString& text, const QString& title) override;
    bool questionDefaultNo(QWidget* parent, const QString& text, const QString& title) override;
    std::optional<bool> ask(QWidget* parent, const QString& text, const QString& title) override;
    SaveAnswer askToSave(QWidget* parent, const QString& text, const QString& title) override;
    std::optional<QString> saveFileName(QWidget* parent, const FileRequest& request) override;
    std::optional<QString> openFileName(QWidget* parent, const FileRequest& request) override;
    std::optional<ListChoice> chooseFromList(QWidget* parent, const ListRequest& request) override;
    void showText(QWidget* parent, const QString& title, const QString& heading,
                  const QString& text) override;
    std::optional<QString> folderName(QWidget* parent, const QString& title,
                                      const QString& folder) override;
};

} // namespace vexa::ui
