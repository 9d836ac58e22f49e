#include "core/cli/PackageCommand.h"

#include "core/archive/BotPackage.h"
#include "core/generate/GenerateSource.h"

namespace vexa {

int RunPackageExport(const BotProfile& profile, const AppSettings& settings,
                     const std::string& packageFile, std::ostream& out, std::ostream& err) {
    const int result = ExportBotPackage(profile, settings, packageFile);
    if (result != 0) {
        err << PackageResultMessage(result) << '\n';
        return result;
    }
    out << PackageSuccessMessage(packageFile) << '\n' << GenerateModelMessage(profile) << '\n';
    return 0;
}

} // namespace vexa
