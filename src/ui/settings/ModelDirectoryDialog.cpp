#include "ui/settings/ModelDirectoryDialog.h"

#include "core/settings/LocationRules.h"

namespace vexa::ui {

ModelDirectoryDialog::ModelDirectoryDialog(AppSettings& settings, Prompts& prompts, QWidget* parent)
    : FolderDialog(settings.BaseDir, tr("Model Directory"), kBaseDirPrompt, prompts, true, parent) {
}

} // namespace vexa::ui
