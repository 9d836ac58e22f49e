#include "ui/app/ExportPackage.h"

#include "core/archive/BotPackage.h"
#include "core/generate/GenerateSource.h"
#include "ui/common/TextFields.h"

#include <QCoreApplication>
#include <ctime>
#include <vector>

namespace vexa::ui {

namespace {

QString Tr(const char* text) {
    return QCoreApplication::translate("ExportPackage", text);
}

} // namespace

void ExportPackageCommand(QWidget* parent, const BotProfile& profile, const AppSettings& settings,
                          Prompts& prompts, const ProfileExtras& extras) {
    std::vector<PackageEntry> entries;
    if (const int result = CollectBotPackage(profile, settings, entries, extras); result != 0) {
        prompts.information(
            parent, FromFolderText(PackageFailureMessage(result, profile, settings, {}, extras)));
        return;
    }

    Prompts::FileRequest request;
    request.title = Tr("Export Bot Package");
    request.filter = Tr("Arvon Packages (*.pk3)");
    request.defaultSuffix = QStringLiteral("pk3");
    request.defaultName = FromFieldText(ProposedPackageName(profile));
    request.folder = FromFolderText(settings.BaseDir);
    const std::optional<QString> path = prompts.saveFileName(parent, request);
    if (!path)
        return;

    const std::string target = ToFolderText(*path);
    WriteFailure failure;
    if (const int result =
            ExportBotPackage(profile, settings, target, std::time(nullptr), &failure, extras);
        result != 0) {
        prompts.information(parent, FromFolderText(PackageFailureMessage(result, profile, settings,
                                                                         failure, extras)));
        return;
    }
    prompts.information(parent, FromFolderText(PackageSuccessMessage(target)));
    prompts.information(parent, FromFolderText(GenerateModelMessage(profile)));
}

} // namespace vexa::ui
