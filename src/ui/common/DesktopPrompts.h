#pragma once

#include "ui/common/Prompts.h"

namespace vexa::ui {

// The program's message boxes and file dialogs on the desktop: QMessageBox
// and QFileDialog.
class DesktopPrompts final : public Prompts {
public:
    void information(QWidget* parent, const QString& text, const QString& title = {}) override;
    bool question(QWidget* parent, const QString& text, const QString& title) override;
    std::optional<bool> ask(QWidget* parent, const QString& text, const QString& title) override;
    std::optional<QString> saveFileName(QWidget* parent, const FileRequest& request) override;
    std::optional<QString> openFileName(QWidget* parent, const FileRequest& request) override;
    std::optional<QString> folderName(QWidget* parent, const QString& title,
                                      const QString& folder) override;
};

} // namespace vexa::ui
