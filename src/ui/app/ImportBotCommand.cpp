#include "ui/app/ImportBotCommand.h"

#include "core/import/BotImport.h"
#include "ui/common/TextFields.h"

#include <QObject>
#include <QString>

namespace vexa::ui {
namespace {

QString Text(const std::string& text) {
    return FromFolderText(text);
}

QString ProblemLines(const std::vector<ReportEntry>& problems) {
    return problems.empty() ? QString() : QStringLiteral("\n\n") + Text(ReportText(problems));
}

} // namespace

bool ImportBotInto(BotProfile& profile, ProfileExtras& extras, const AppSettings& settings,
                   Prompts& prompts, QWidget* parent) {
    Prompts::FileRequest request;
    request.title = QObject::tr("Import Bot");
    request.filter = QObject::tr("Bots, archives and character files (*.pk3 *.zip *.bot *.txt "
                                 "*.c);;All files (*)");
    request.folder = FromFolderText(settings.BaseDir);
    request.orFolder = true;
    const std::optional<QString> path = prompts.openFileName(parent, request);
    if (!path)
        return false;

    const PickedSource picked = OpenPickedSource(ToFolderText(*path));
    if (!picked.source) {
        prompts.information(parent, QObject::tr("Bot not imported:\n%1").arg(Text(picked.error)));
        return false;
    }
    const PickedBots found = BotsOfPick(picked);
    if (found.bots.empty()) {
        prompts.information(parent, QObject::tr("No bot was found in %1.").arg(*path) +
                                        ProblemLines(found.problems));
        return false;
    }

    std::size_t chosen = 0;
    ImportOptions options;
    if (found.bots.size() > 1) {
        Prompts::ListRequest list;
        list.title = QObject::tr("Choose a Bot");
        list.prompt = QObject::tr("%1 holds %2 bots. Choose the one to import:")
                          .arg(*path)
                          .arg(found.bots.size());
        list.columns = {QObject::tr("Name"), QObject::tr("Model"), QObject::tr("Character file"),
                        QObject::tr("From")};
        for (const BotEntry& bot : found.bots)
            list.rows.append({FromFieldText(bot.name), FromFieldText(bot.model),
                              Text("botfiles/" + bot.aifile), Text(BotFrom(bot, &picked))});
        list.option = QObject::tr("Keep the bot's own file names (otherwise its weight and chat "
                                  "files get the default names of its main file)");
        list.acceptText = QObject::tr("&Import");
        const std::optional<Prompts::ListChoice> choice = prompts.chooseFromList(parent, list);
        if (!choice || choice->row < 0 || choice->row >= static_cast<int>(found.bots.size()))
            return false;
        chosen = static_cast<std::size_t>(choice->row);
        options.keepFileNames = choice->optionChecked;
    }

    return ImportChosenBot(profile, extras, picked, found, chosen, options, prompts, parent);
}

bool ImportChosenBot(BotProfile& profile, ProfileExtras& extras, const PickedSource& picked,
                     const PickedBots& found, std::size_t chosen, const ImportOptions& options,
                     Prompts& prompts, QWidget* parent) {
    if (chosen >= found.bots.size())
        return false;
    const BotEntry& bot = found.bots[chosen];
    ImportResult result = ImportPicked(picked, found, bot, options);
    if (!result.ok) {
        prompts.information(parent, QObject::tr("Bot not imported:\n%1").arg(Text(result.error)));
        return false;
    }
    profile = result.profile;
    extras = std::move(result.extras);

    const QString imported = QObject::tr("Imported %1.").arg(Text(BotListLine(bot, &picked)));
    const QString heading =
        result.report.empty() ? imported + QStringLiteral("\n") +
                                    QObject::tr("Everything was kept as the files had it.")
                              : imported + QStringLiteral("\n") +
                                    QObject::tr("What could not be kept as the files had it (%1):")
                                        .arg(result.report.size());
    prompts.showText(parent, QObject::tr("Import Report"), heading,
                     Text(ReportText(result.report)));
    return true;
}

} // namespace vexa::ui
