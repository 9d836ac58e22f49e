#include "core/generate/SourceChecks.h"

#include "core/game/BotFileReaders.h"
#include "core/game/GameBots.h"
#include "core/game/GamePath.h"
#include "core/game/LocalFileSources.h"
#include "core/generate/Names.h"
#include "core/generate/Writers.h"
#include "core/profile/ChatCategory.h"
#include "core/profile/ChatSituations.h"
#include "core/util/AsciiText.h"
#include "core/util/FixedText.h"

#include <algorithm>

namespace vexa {

namespace {

// A game reference compared as the game does: "/" for "\", without regard
// to case.
std::string ReferenceKey(std::string_view reference) {
    return AsciiLower(GameReference(reference));
}

// The blocks whose chat lines the command writes.
std::vector<int> WrittenBlocks(bool tabSkill) {
    std::vector<int> blocks;
    for (int pass = FirstPass(tabSkill); pass <= LastPass(tabSkill); ++pass)
        blocks.push_back(BlockOfPass(pass));
    return blocks;
}

// The type name of a finding's situation; findings made without one name
// a situation of the record by its slot.
std::string SituationName(const ChatLineFinding& finding) {
    if (!finding.situation.empty() || finding.category < 0 ||
        finding.category >= kChatCategoryCount)
        return finding.situation;
    return std::string(kChatCategories[static_cast<std::size_t>(finding.category)].typeName);
}

} // namespace

std::vector<ChatLineFinding> CheckChatLinesToWrite(const BotProfile& profile,
                                                   const ProfileExtras& extras, bool tabSkill,
                                                   const RandomStringNames* names) {
    std::vector<ChatLineFinding> findings;
    for (int block : WrittenBlocks(tabSkill))
        for (const ChatSituationRows& situation :
             ChatSituationsOf(profile.skill[block], extras.levels[static_cast<std::size_t>(block)]))
            for (std::size_t row = 0; row < situation.rows.size(); ++row) {
                const ChatLineCheck check = CheckChatLine(situation.rows[row], names);
                const ChatLineFinding place{
                    block, situation.category, static_cast<int>(row), true, {}, 0, situation.name};
                if (!check.readable) {
                    findings.push_back(place);
                    findings.back().reason = check.error;
                    findings.back().column = check.column;
                }
                for (const std::string& warning : check.warnings) {
                    findings.push_back(place);
                    findings.back().error = false;
                    findings.back().reason = warning;
                }
            }
    return findings;
}

std::optional<ChatLineFinding> FirstUnreadableChatLine(const BotProfile& profile,
                                                       const ProfileExtras& extras, bool tabSkill,
                                                       const RandomStringNames* names) {
    for (const ChatLineFinding& finding : CheckChatLinesToWrite(profile, extras, tabSkill, names))
        if (finding.error)
            return finding;
    return std::nullopt;
}

std::string ChatFindingPlace(const ChatLineFinding& finding) {
    return "Skill " + std::to_string(LevelOfBlock(finding.block)) + ", " +
           ChatSituationCaption(SituationName(finding)) + ", response " +
           std::to_string(finding.line + 1);
}

std::string ChatFindingText(const ChatLineFinding& finding) {
    return ChatFindingPlace(finding) + ": " + Utf8FromLatin1(finding.reason);
}

std::string ChatFindingReportLine(const ChatLineFinding& finding) {
    return "Skill " + std::to_string(LevelOfBlock(finding.block)) + ", " + SituationName(finding) +
           ", line " + std::to_string(finding.line + 1) + ": " +
           (finding.error ? "error: " : "warning: ") + Utf8FromLatin1(finding.reason);
}

std::optional<std::string> GamePathOf(const std::string& path, const AppSettings& settings,
                                      PathStyle style) {
    // Paths are built with the style's separators, whichever the base folder
    // was typed with.
    const std::string base = WithSeparators(settings.BaseDir, style);
    if (base.empty() || path.size() <= base.size() || path.compare(0, base.size(), base) != 0)
        return std::nullopt;
    std::string relative = path.substr(base.size());
    if (style == PathStyle::Windows)
        std::replace(relative.begin(), relative.end(), '\\', '/');
    if (!IsSafeGamePath(relative))
        return std::nullopt;
    return relative;
}

std::optional<OtherBotFile> OtherBotsCharacterFile(const BotProfile& profile,
                                                   const AppSettings& settings, PathStyle style,
                                                   const GameFileSource& game,
                                                   const ProfileExtras& extras) {
    const std::string path = CharacterFilePath(profile, settings, style, extras);
    const std::optional<std::string> relative = GamePathOf(path, settings, style);
    // The file the command replaces; else the one the game reads now, whose
    // place the written file takes.
    std::string text;
    std::string archive;
    if (ReadLooseFile(PathFromUtf8(path), text) != GameFileSource::ReadResult::Read) {
        if (!relative || game.Read(*relative, text) != GameFileSource::ReadResult::Read)
            return std::nullopt;
        archive = game.Origin(*relative);
        if (!IsGameArchiveName(archive))
            archive.clear();
    }
    const std::optional<std::string> bot = CharacterFileBotName(text);
    if (!bot || *bot == WrittenName(profile, extras))
        return std::nullopt;
    const std::size_t cut = path.rfind(PathSeparator(style));
    const std::size_t nameStart = cut == std::string::npos ? 0 : cut + 1;
    return OtherBotFile{path,    path.substr(nameStart),          path.substr(0, nameStart), *bot,
                        archive, relative.value_or(std::string())};
}

std::string OtherBotFilePlace(const OtherBotFile& file) {
    if (!file.archive.empty())
        return file.relativePath + " in " + file.archive;
    return file.file + " in " + file.folder;
}

std::string ReplaceOtherBotQuestion(const OtherBotFile& file) {
    if (!file.archive.empty())
        return OtherBotFilePlace(file) + " belongs to the bot " + Utf8FromLatin1(file.bot) +
               ". The " + file.file + " written in " + file.folder +
               " takes its place in the game. Replace that bot's "
               "files?";
    return OtherBotFilePlace(file) + " belongs to the bot " + Utf8FromLatin1(file.bot) +
           ". Replace that bot's files?";
}

namespace {

// An info file for the user: "scripts/copy.bot", with the archive holding it.
std::string InfoFilePlace(const BotEntry& bot) {
    return IsGameArchiveName(bot.origin) ? bot.infoFile + " in " + bot.origin : bot.infoFile;
}

} // namespace

std::vector<std::string> DuplicateBotWarnings(const BotProfile& profile,
                                              const AppSettings& settings, PathStyle style,
                                              const GameFileSource& game,
                                              const ProfileExtras& extras) {
    std::vector<std::string> warnings;
    const std::string ownFile =
        GamePathKey(GamePathOf(BotInfoFilePath(profile, settings, style, extras), settings, style)
                        .value_or(""));
    const std::string name = GamePathKey(WrittenName(profile, extras));
    const std::string aifile =
        ReferenceKey("bots/" + GameReference(WithCExtension(MainFileName(profile, extras))));

    const std::vector<BotEntry> bots = ListGameBots(game);
    // Where the game reads this bot: among the .bot files, by path.
    const auto readBefore = [&ownFile](const BotEntry& bot) {
        const std::string key = GamePathKey(bot.infoFile);
        return key == kBotsListFile || ownFile.empty() || key < ownFile;
    };
    bool shadowed = false;
    for (std::size_t i = 0; i < bots.size(); ++i) {
        const BotEntry& bot = bots[i];
        if (!ownFile.empty() && GamePathKey(bot.infoFile) == ownFile)
            continue;
        if (!name.empty() && GamePathKey(bot.name) == name) {
            if (readBefore(bot)) {
                if (!shadowed)
                    warnings.push_back(
                        "The game already lists a bot named " + Utf8FromLatin1(bot.name) + " (" +
                        InfoFilePlace(bot) +
                        "): it adds the first bot of a name only and leaves this one out");
                shadowed = true;
            } else {
                warnings.push_back(InfoFilePlace(bot) + " also names the bot " +
                                   Utf8FromLatin1(bot.name) +
                                   ": the game adds the first bot of a name only, this one, and "
                                   "leaves that one out");
            }
        } else if (!aifile.empty() && ReferenceKey(bot.aifile) == aifile &&
                   IsFirstOfItsName(bots, i)) {
            warnings.push_back(InfoFilePlace(bot) + " (the bot " + Utf8FromLatin1(bot.name) +
                               ") uses the same character file " + Utf8FromLatin1(bot.aifile) +
                               ": the game would load one bot's files for both");
        }
    }
    return warnings;
}

} // namespace vexa
