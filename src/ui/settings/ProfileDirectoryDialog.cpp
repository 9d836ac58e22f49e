#include "ui/settings/ProfileDirectoryDialog.h"

#include "core/settings/LocationRules.h"

namespace vexa::ui {

ProfileDirectoryDialog::ProfileDirectoryDialog(AppSettings& settings, Prompts& prompts,
                                               QWidget* parent)
    : FolderDialog(settings.VEXADir, tr(".vxb Directory"), kVexaDirPrompt, prompts, false, parent) {
}

} // namespace vexa::ui
