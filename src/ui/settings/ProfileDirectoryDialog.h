#pragma once

#include "core/settings/AppSettings.h"
#include "ui/settings/FolderDialog.h"

namespace vexa::ui {

// ".vxb &Dir": the folder in which the Save Bot and Load Bot dialogs open
// (VEXADir).
class ProfileDirectoryDialog final : public FolderDialog {
    Q_OBJECT

public:
    ProfileDirectoryDialog(AppSettings& settings, Prompts& prompts, QWidget* parent);
};

} // namespace vexa::ui
