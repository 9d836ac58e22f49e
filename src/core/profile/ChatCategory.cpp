#include "core/profile/ChatCategory.h"

#include "core/util/AsciiText.h"

namespace vexa {

namespace {
constexpr std::string_view kLevel = "Level Responses";
constexpr std::string_view kHit = "Hit Responses";
constexpr std::string_view kDeath = "Death Responses";
constexpr std::string_view kKill = "Kill Responses";
constexpr std::string_view kRandom = "Random Repsonses";
} // namespace

// clang-format off
const std::array<ChatCategory, kChatCategoryCount> kChatCategories = {{
    {"game_enter", "initiated when the bot enters the game", kLevel, "Game Enter", "Game Enter", true},
    {"game_exit", "initiated when the bot exits the game", kLevel, "Game Exit", "Game Exit", false},
    {"level_start", "initiated when a new level starts", kLevel, "Level Start", "Level Start", false},
    {"level_end", "initiated when a level ends and the bot is not first and not last in the rankings", kLevel, "Level End", "Level End", false},
    {"level_end_victory", "initiated when a level ends and the bot is first in the rankings", kLevel, "Level End Victory", "Level End Victory", false},
    {"level_end_lose", "initiated when a level ends and the bot is last in the rankings", kLevel, "Level End Lose", "Level End Lose", false},
    {"hit_talking", "bot is hit while chat balloon is visible; lecture attacker on poor sportsmanship", kHit, "Hit Talking", "Hit Talking", true},
    {"hit_nodeath", "bot is hit by an opponent's weapon attack; either praise or insult", kHit, "Hit No Death", "Hit No Death", false},
    {"hit_nokill", "bot hits an opponent but does not kill it", kHit, "Hit No Kill", "Hit No Kill", false},
    {"death_telefrag", "initiated when the bot is killed by a telefrag", kDeath, "Death Telefrag", "Death Tele Frag", true},
    {"death_cratered", "initiated when the bot is killed by taking \"normal\" falling damage", kDeath, "Death Cratered", "Death Cratered", false},
    {"death_lava", "initiated when the bot dies in lava", kDeath, "Death Lava", "Death Lava", false},
    {"death_slime", "initiated when the bot dies in slime", kDeath, "Death Slime", "Death Slime", false},
    {"death_drown", "initiated when the bot drowns", kDeath, "Death Drown", "Death Drown", false},
    {"death_suicide", "initiated when bot blows self up with a weapon or craters", kDeath, "Death Suicide", "Death Suicide", false},
    {"death_gauntlet", "initiated when the bot is killed by a gauntlet attack", kDeath, "Death Gauntlet", "Death Gauntlet", false},
    {"death_rail", "initiated when the bot is killed by a rail gun shot", kDeath, "Death Rail", "Death Rail", false},
    {"death_bfg", "initiated when the bot died by a BFG", kDeath, "Death BFG", "Death BFG", false},
    {"death_insult", "insult initiated when the bot died", kDeath, "Death Insult", "Death Insult", false},
    {"death_praise", "praise initiated when the bot died", kDeath, "Death Praise", "Death Praise", false},
    {"kill_rail", "initiated when the bot kills someone with rail gun", kKill, "Kill Rail", "Kill Rail", true},
    {"kill_gauntlet", "initiated when the bot kills someone with gauntlet", kKill, "Kill Gauntlet", "Kill Gauntlet", false},
    {"kill_telefrag", "initiated when the bot telefragged someone", kKill, "Kill Telefrag", "Kill Tele Frag", false},
    {"enemy_suicide", "initiated when the players kills self", kKill, "Kill Suicide", "Kill Suicide", false},
    {"kill_insult", "insult initiated when the bot killed someone", kKill, "Kill Insult", "Kill Insult", false},
    {"kill_praise", "praise initiated when the bot killed someone", kKill, "Kill Praise", "Kill Praise", false},
    {"random_insult", "insult initiated randomly (just when the bot feels like it)", kRandom, "Random Insult", "Random Insult", true},
    {"random_misc", "miscellanous chats initiated randomly", kRandom, "Random Misc", "Random Misc", false},
}};
// clang-format on

int ChatCategoryIndex(std::string_view typeName) {
    const std::string key = AsciiLower(typeName);
    const auto same = [&key](std::string_view name) { return key == name; };
    for (std::size_t c = 0; c < kChatCategories.size(); ++c)
        if (same(kChatCategories[c].typeName))
            return static_cast<int>(c);
    // Files written before the situation took the game's name.
    if (same("kill_suicide"))
        return kEnemySuicideCategory;
    return -1;
}

} // namespace vexa
