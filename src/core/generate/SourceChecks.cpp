#include "core/generate/SourceChecks.h"

#include "core/generate/ChatCategory.h"
#include "core/generate/GameFolder.h"
#include "core/generate/Names.h"
#include "core/script/ScriptTokenizer.h"
#include "core/util/AsciiText.h"
#include "core/util/FixedText.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

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

} // namespace

std::vector<ChatLineFinding> CheckChatLinesToWrite(const BotProfile& profile, bool tabSkill,
                                                   const RandomStringNames* names) {
    std::vector<ChatLineFinding> findings;
    for (int block : WrittenBlocks(tabSkill)) {
        const SkillProfile& skill = profile.skill[block];
        for (int category = 0; category < kChatCategoryCount; ++category)
            for (int line = 0; line < kChatLinesPerCategory; ++line) {
                const std::string text = FieldText(skill.chat_lines[category][line]);
                const ChatLineCheck check = CheckChatLine(text, names);
                if (!check.readable)
                    findings.push_back({block, category, line, true, check.error, check.column});
                for (const std::string& warning : check.warnings)
                    findings.push_back({block, category, line, false, warning, 0});
            }
    }
    return findings;
}

std::optional<ChatLineFinding> FirstUnreadableChatLine(const BotProfile& profile, bool tabSkill) {
    for (int block : WrittenBlocks(tabSkill))
        for (int category = 0; category < kChatCategoryCount; ++category)
            for (int line = 0; line < kChatLinesPerCategory; ++line) {
                const ChatLineCheck check =
                    CheckChatLine(FieldText(profile.skill[block].chat_lines[category][line]));
                if (!check.readable)
                    return ChatLineFinding{block, category, line, true, check.error, check.column};
            }
    return std::nullopt;
}

std::string ChatFindingPlace(const ChatLineFinding& finding) {
    return "Skill " + std::to_string(LevelOfBlock(finding.block)) + ", " +
           std::string(kChatCategories[static_cast<std::size_t>(finding.category)].caption) +
           ", response " + std::to_string(finding.line + 1);
}

std::string ChatFindingText(const ChatLineFinding& finding) {
    return ChatFindingPlace(finding) + ": " + Utf8FromLatin1(finding.reason);
}

std::string ChatFindingReportLine(const ChatLineFinding& finding) {
    return "Skill " + std::to_string(LevelOfBlock(finding.block)) + ", " +
           std::string(kChatCategories[static_cast<std::size_t>(finding.category)].typeName) +
           ", line " + std::to_string(finding.line + 1) + ": " +
           (finding.error ? "error: " : "warning: ") + Utf8FromLatin1(finding.reason);
}

std::optional<std::string> CharacterFileBotName(std::string_view characterFileText) {
    script::Tokenizer tokenizer(characterFileText);
    for (script::Token token = tokenizer.Next(); token.kind != script::TokenKind::End;
         token = tokenizer.Next()) {
        if (token.kind != script::TokenKind::Name || token.value != "CHARACTERISTIC_NAME")
            continue;
        const script::Token& value = tokenizer.Peek();
        if (value.kind == script::TokenKind::String || value.kind == script::TokenKind::Name)
            return value.value;
    }
    return std::nullopt;
}

std::optional<OtherBotFile> OtherBotsCharacterFile(const BotProfile& profile,
                                                   const AppSettings& settings, PathStyle style) {
    const std::string path = CharacterFilePath(profile, settings, style);
    const std::optional<std::string> text = ReadExistingFile(path);
    if (!text)
        return std::nullopt;
    const std::optional<std::string> bot = CharacterFileBotName(*text);
    if (!bot || *bot == FieldText(profile.name))
        return std::nullopt;
    const std::size_t cut = path.rfind(PathSeparator(style));
    const std::size_t nameStart = cut == std::string::npos ? 0 : cut + 1;
    return OtherBotFile{path, path.substr(nameStart), path.substr(0, nameStart), *bot};
}

std::string ReplaceOtherBotQuestion(const OtherBotFile& file) {
    return file.file + " in " + file.folder + " belongs to the bot " + Utf8FromLatin1(file.bot) +
           ". Replace that bot's files?";
}

std::vector<BotInfoEntry> BotInfoEntries(std::string_view botFileText) {
    // The file is read as words: blanks separate them, a quoted text is one
    // word, "{" and "}" are words of their own, comments are skipped.
    std::vector<BotInfoEntry> entries;
    std::vector<std::string> pending; // key and value of the block being read
    bool inBlock = false;
    const std::string_view text = botFileText;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char c = text[pos];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            ++pos;
            continue;
        }
        if (text.substr(pos, 2) == "//") {
            pos = text.find('\n', pos);
            continue;
        }
        if (text.substr(pos, 2) == "/*") {
            const std::size_t close = text.find("*/", pos + 2);
            pos = close == std::string_view::npos ? text.size() : close + 2;
            continue;
        }
        std::string word;
        if (c == '{' || c == '}') {
            word = c;
            ++pos;
        } else if (c == '"') {
            const std::size_t close = text.find_first_of("\"\n", pos + 1);
            const std::size_t end = close == std::string_view::npos ? text.size() : close;
            word = std::string(text.substr(pos + 1, end - pos - 1));
            pos = end < text.size() && text[end] == '"' ? end + 1 : end;
        } else {
            const std::size_t end = text.find_first_of(" \t\r\n{}\"", pos);
            word = std::string(text.substr(pos, end - pos));
            pos = end;
            if (word.size() >= 2 && word.substr(0, 2) == "//")
                continue;
        }
        if (word == "{" && c == '{') {
            entries.push_back({});
            inBlock = true;
            pending.clear();
            continue;
        }
        if (word == "}" && c == '}') {
            inBlock = false;
            continue;
        }
        if (!inBlock)
            continue;
        pending.push_back(std::move(word));
        if (pending.size() == 2) {
            const std::string key = AsciiLower(pending[0]);
            if (key == "name")
                entries.back().name = pending[1];
            else if (key == "aifile")
                entries.back().aifile = pending[1];
            pending.clear();
        }
    }
    return entries;
}

std::vector<std::string> DuplicateBotWarnings(const BotProfile& profile,
                                              const AppSettings& settings, PathStyle style) {
    std::vector<std::string> warnings;
    const std::optional<std::string> scriptsFolder =
        FindLooseGameFolder(settings.BaseDir, "scripts");
    if (!scriptsFolder)
        return warnings;
    const std::string ownFile = BotInfoFilePath(profile, settings, style);
    const std::string name = AsciiLower(FieldText(profile.name));
    const std::string aifile = ReferenceKey("bots/" + FieldText(profile.main_file));

    constexpr std::size_t kMostBotFiles = 1024;
    for (const std::string& path : ListFolderFiles(*scriptsFolder, ".bot", kMostBotFiles)) {
        std::error_code error;
        if (path == ownFile || std::filesystem::equivalent(path, ownFile, error))
            continue;
        const std::optional<std::string> text = ReadExistingFile(path);
        if (!text)
            continue;
        const std::size_t cut = path.find_last_of("/\\");
        const std::string shown = "scripts/" + path.substr(cut == std::string::npos ? 0 : cut + 1);
        for (const BotInfoEntry& entry : BotInfoEntries(*text)) {
            if (!name.empty() && AsciiLower(entry.name) == name)
                warnings.push_back(shown + " also names the bot " + Utf8FromLatin1(entry.name) +
                                   ": the game would list the bot twice");
            else if (!entry.aifile.empty() && ReferenceKey(entry.aifile) == aifile)
                warnings.push_back(shown + " (the bot " + Utf8FromLatin1(entry.name) +
                                   ") uses the same character file " +
                                   Utf8FromLatin1(entry.aifile) +
                                   ": the game would load one bot's files for both");
        }
    }
    return warnings;
}

} // namespace vexa
