#include "core/cli/ImportCommand.h"

#include "core/archive/PickedSource.h"
#include "core/profile/BotProfile.h"
#include "core/profile/ProfileExtras.h"

namespace vexa {
namespace {

void PrintBots(const std::vector<BotEntry>& bots, std::ostream& out) {
    for (const BotEntry& bot : bots)
        out << BotListLine(bot) << '\n';
}

void PrintReport(const std::vector<ReportEntry>& report, std::ostream& err) {
    for (const ReportEntry& entry : report)
        err << ReportLine(entry) << '\n';
}

} // namespace

std::optional<std::string>* ImportSwitchTarget(ImportRequest& request, const std::string& name) {
    if (name == "--import")
        return &request.source;
    if (name == "--list-bots")
        return &request.listBots;
    if (name == "--bot")
        return &request.bot;
    if (name == "--output")
        return &request.output;
    return nullptr;
}

std::string ImportSwitchArgument(const std::string& name) {
    if (name == "--bot")
        return "a bot's name";
    if (name == "--output")
        return "a profile file";
    return "a folder, .pk3, .bot or character file";
}

std::string CheckImportRequest(const ImportRequest& request) {
    if (request.source && request.listBots)
        return "--import and --list-bots cannot be used together";
    const char* importOnly = request.bot             ? "--bot"
                             : request.output        ? "--output"
                             : request.keepFileNames ? "--keep-file-names"
                                                     : nullptr;
    if ((request.listBots || !request.source) && importOnly != nullptr)
        return std::string(importOnly) + " can only be used with --import";
    if (request.listBots)
        return {};
    if (!request.output)
        return "--import needs --output PROFILE.vxb";
    return {};
}

int RunImport(const ImportRequest& request, std::ostream& out, std::ostream& err) {
    const std::string& path = request.listBots ? *request.listBots : *request.source;
    const PickedSource picked = OpenPickedSource(path);
    if (!picked.source) {
        err << "vexa: " << picked.error << '\n';
        return kImportSourceUnreadable;
    }
    PickedBots found = BotsOfPick(picked);

    if (request.listBots) {
        if (!picked.note.empty())
            err << picked.note << '\n';
        for (const std::string& problem : SourceProblems(*picked.source))
            err << problem << '\n';
        PrintReport(found.problems, err);
        if (found.bots.empty()) {
            err << "vexa: no bot found in " << path << '\n';
            return kImportNoBot;
        }
        PrintBots(found.bots, out);
        return kImportDone;
    }

    std::vector<BotEntry> candidates = found.bots;
    if (request.bot)
        candidates = FindBots(found.bots, *request.bot);
    if (candidates.empty()) {
        PrintReport(found.problems, err);
        if (request.bot) {
            err << "vexa: no bot named " << *request.bot << " in " << path
                << "; the bots found are:\n";
            PrintBots(found.bots, err);
        } else {
            err << "vexa: no bot found in " << path << '\n';
        }
        return kImportNoBot;
    }
    if (candidates.size() > 1) {
        err << "vexa: " << path << " holds " << candidates.size()
            << (request.bot ? " bots of that name" : " bots")
            << "; choose one with --bot NAME (its name, or its model):\n";
        PrintBots(candidates, out);
        return kImportChoose;
    }

    ImportOptions options;
    options.keepFileNames = request.keepFileNames;
    const ImportResult result = ImportPicked(picked, found, candidates.front(), options);
    if (!result.ok) {
        err << "vexa: " << result.error << '\n';
        return kImportFailed;
    }
    PrintReport(result.report, err);
    if (const int written = WriteProfileFile(result.profile, result.extras, *request.output);
        written != 0) {
        err << "vexa: " << *request.output << ": " << SaveBotMessage(written) << '\n';
        return kImportNotWritten;
    }
    out << "Imported " << BotListLine(candidates.front()) << " into " << *request.output << " ("
        << result.report.size() << (result.report.size() == 1 ? " note" : " notes")
        << " on standard error)\n";
    return kImportDone;
}

} // namespace vexa
