#include "ui/settings/ModelDirectoryDialog.h"

#include "core/settings/LocationRules.h"

namespace vexa::ui {

ModelDirectoryDialog::ModelDirectoryDialog(AppSettings& settings, QWidget* parent)
    : FolderDialog(settings.BaseDir, tr("Model Directory"), kBaseDirPrompt, parent) {}

} // namespace vexa::ui
