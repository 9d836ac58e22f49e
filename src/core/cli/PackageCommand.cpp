#include "core/cli/PackageCommand.h"

#include "core/archive/BotPackage.h"
#include "core/generate/GenerateSource.h"

#include <ctime>

namespace vexa {

int RunPackageExport(const BotProfile& profile, const AppSettings& settings,
                     const std::string& packageFile, std::ostream& out, std::ostream& err,
                     const ProfileExtras& extras) {
    WriteFailure failure;
    const int result =
        ExportBotPackage(profile, settings, packageFile, std::time(nullptr), &failure, extras);
    if (result != 0) {
        err << PackageFailureMessage(result, profile, settings, failure, extras) << '\n';
        return result;
    }
    out << PackageSuccessMessage(packageFile) << '\n' << GenerateModelMessage(profile) << '\n';
    return 0;
}

} // namespace vexa
