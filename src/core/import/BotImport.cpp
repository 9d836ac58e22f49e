#include "core/import/BotImport.h"

#include "core/import/LocalFileSources.h"

namespace vexa {

namespace {

bool ContainsWithoutCase(std::string_view text, std::string_view part) {
    return GamePathKey(text).find(GamePathKey(part)) != std::string::npos;
}

constexpr std::string_view kLevelNames[] = {"", "Skill 1", "", "", "Skill 4", "Skill 5"};

} // namespace

std::vector<BotEntry> FindBots(const std::vector<BotEntry>& bots, std::string_view query) {
    const std::string key = GamePathKey(query);
    std::vector<BotEntry> found;
    for (const BotEntry& bot : bots)
        if (GamePathKey(bot.name) == key)
            found.push_back(bot);
    if (found.empty())
        for (const BotEntry& bot : bots)
            if (GamePathKey(bot.model) == key)
                found.push_back(bot);
    return found;
}

bool MatchesFilter(const BotEntry& bot, std::string_view filter) {
    return filter.empty() || ContainsWithoutCase(bot.name, filter) ||
           ContainsWithoutCase(bot.model, filter) || ContainsWithoutCase(bot.infoFile, filter) ||
           ContainsWithoutCase(bot.origin, filter);
}

std::vector<BotEntry> ListBots(const GameFileSource&, std::vector<ReportEntry>*) {
    return {};
}

ImportResult ImportBot(const GameFileSource&, const BotEntry& bot, const ImportOptions&) {
    ImportResult result;
    result.error = "Cannot import " + bot.aifile + " yet";
    return result;
}

ImportResult ImportCharacterFile(const GameFileSource& source, const std::string& aifile,
                                 const ImportOptions& options) {
    BotEntry bot;
    bot.aifile = aifile;
    return ImportBot(source, bot, options);
}

std::string ReportLine(const ReportEntry& entry) {
    std::string line;
    const auto part = [&line](std::string_view text) {
        if (!line.empty())
            line += ", ";
        line += text;
    };
    if (!entry.file.empty())
        part(entry.file);
    if (entry.line > 0)
        part("line " + std::to_string(entry.line));
    if (entry.level == 1 || entry.level == 4 || entry.level == 5)
        part(kLevelNames[entry.level]);
    if (line.empty())
        return entry.text;
    return line + ": " + entry.text;
}

std::string ReportText(const std::vector<ReportEntry>& report) {
    std::string text;
    for (const ReportEntry& entry : report)
        text += ReportLine(entry) + "\n";
    return text;
}

} // namespace vexa
