#include "core/cli/ImportCommand.h"

#include "core/archive/PickedSource.h"
#include "core/profile/BotProfile.h"
#include "core/profile/ProfileExtras.h"

namespace vexa {
namespace {

void PrintBots(const std::vector<BotEntry>& bots, const PickedSource& picked, std::ostream& out) {
    for (const BotEntry& bot : bots)
        out << BotListLine(bot, &picked) << '\n';
}

void PrintReport(const std::vector<ReportEntry>& report, std::ostream& err) {
    for (const ReportEntry& entry : report)
        err << ReportLine(entry) << '\n';
}

} // namespace

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
        PrintBots(found.bots, picked, out);
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
            PrintBots(found.bots, picked, err);
        } else {
            err << "vexa: no bot found in " << path << '\n';
        }
        return kImportNoBot;
    }
    if (candidates.size() > 1) {
        err << "vexa: " << path << " holds " << candidates.size()
            << (request.bot ? " bots of that name" : " bots")
            << "; choose one with --bot NAME (its name, or its model):\n";
        PrintBots(candidates, picked, out);
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
    out << "Imported " << BotListLine(candidates.front(), &picked) << " into " << *request.output
        << " (" << result.report.size() << (result.report.size() == 1 ? " note" : " notes")
        << " on standard error)\n";
    return kImportDone;
}

} // namespace vexa
