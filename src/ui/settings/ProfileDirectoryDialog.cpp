#include "ui/settings/ProfileDirectoryDialog.h"

#include "core/settings/LocationRules.h"

namespace vexa::ui {

ProfileDirectoryDialog::ProfileDirectoryDialog(AppSettings& settings, QWidget* parent)
    : FolderDialog(settings.VEXADir, tr(".vxb Directory"), kVexaDirPrompt, parent) {}

} // namespace vexa::ui
