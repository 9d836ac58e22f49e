#include "core/game/GameBots.h"

#include "core/game/BotFileReaders.h"
#include "core/game/GamePath.h"

#include <algorithm>

namespace vexa {

namespace {

// A text for a message: quoted and cut short.
std::string Shown(std::string_view text) {
    constexpr std::size_t kMost = 60;
    std::string shown = "\"";
    shown.append(text.substr(0, kMost));
    if (text.size() > kMost)
        shown += "...";
    return shown + "\"";
}

// Whether the game reads `file` for bots, and in which turn: 0 for
// scripts/bots.txt, 1 for a scripts/*.bot, -1 for neither.
int InfoFileTurn(const GameFile& file) {
    const std::string key = GamePathKey(file.path);
    if (key == kBotsListFile)
        return 0;
    const std::string_view rest =
        std::string_view(key).substr(std::min<std::size_t>(8, key.size()));
    if (key.starts_with("scripts/") && rest.find('/') == std::string_view::npos &&
        rest.size() > 4 && rest.ends_with(".bot"))
        return 1;
    return -1;
}

} // namespace

std::vector<BotEntry> ListGameBots(const GameFileSource& source,
                                   std::vector<BotListProblem>* problems) {
    std::vector<std::pair<int, GameFile>> files;
    for (GameFile& file : source.List("scripts/"))
        if (const int turn = InfoFileTurn(file); turn >= 0)
            files.emplace_back(turn, std::move(file));
    std::stable_sort(files.begin(), files.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first
                                  : GamePathKey(a.second.path) < GamePathKey(b.second.path);
    });

    std::vector<BotEntry> bots;
    const auto problem = [problems](const std::string& file, int line, std::string text) {
        if (problems)
            problems->push_back({file, line, std::move(text)});
    };
    for (const auto& [turn, file] : files) {
        std::string text;
        std::string error;
        if (source.Read(file.path, text, &error) != GameFileSource::ReadResult::Read) {
            problem(file.path, 0, "cannot be read: " + error);
            continue;
        }
        const BotInfoFile info = ReadBotInfoFile(text);
        for (const ReadProblem& read : info.problems)
            problem(file.path, read.line, read.text);
        for (std::size_t b = 0; b < info.blocks.size(); ++b) {
            const BotInfoBlock& block = info.blocks[b];
            if (block.aifile.empty()) {
                problem(file.path, block.line,
                        "the bot " + Shown(block.name) + " names no aifile; it was left out");
                continue;
            }
            bots.push_back({block.name, block.model, block.aifile, file.path, file.origin,
                            static_cast<int>(b), block.otherKeys});
        }
    }
    return bots;
}

bool IsFirstOfItsName(const std::vector<BotEntry>& bots, std::size_t index) {
    const std::string key = GamePathKey(bots.at(index).name);
    return std::none_of(bots.begin(), bots.begin() + static_cast<std::ptrdiff_t>(index),
                        [&key](const BotEntry& bot) { return GamePathKey(bot.name) == key; });
}

} // namespace vexa
