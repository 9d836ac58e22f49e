#pragma once

#include "core/settings/AppSettings.h"
#include "ui/settings/FolderDialog.h"

namespace vexa::ui {

// "Base &Model Dir": the base folder below which the bot's files are made
// (BaseDir).
class ModelDirectoryDialog final : public FolderDialog {
    Q_OBJECT

public:
    ModelDirectoryDialog(AppSettings& settings, Prompts& prompts, QWidget* parent);
};

} // namespace vexa::ui
