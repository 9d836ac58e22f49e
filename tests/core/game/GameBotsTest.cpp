// What the game reads of its files: the bots it lists and in which order,
// the bot a character file belongs to, its random strings and the order of
// its archives.
#include "core/game/GameBots.h"

#include "TempDir.h"
#include "core/game/BotFileReaders.h"
#include "core/game/GamePath.h"
#include "core/game/LocalFileSources.h"
#include "core/game/RandomStrings.h"

#include <gtest/gtest.h>

namespace vexa {
namespace {

std::vector<std::string> Listed(const std::vector<BotEntry>& bots) {
    std::vector<std::string> listed;
    for (std::size_t i = 0; i < bots.size(); ++i)
        listed.push_back(bots[i].name + "@" + bots[i].infoFile +
                         (IsFirstOfItsName(bots, i) ? "" : " (left out)"));
    return listed;
}

TEST(GameBots, ListedInTheGamesOrderAndTheFirstOfANameCounts) {
    MemoryFileSource game("pak0.pk3");
    game.Add("scripts/zed.bot", "{ name Ranger aifile bots/zed_c.c }");
    game.Add("scripts/Alpha.BOT", "{ name \"Sarge\" aifile bots/alpha_c.c }\n"
                                  "{ name ranger aifile bots/alpha2_c.c }");
    game.Add("Scripts/Bots.txt", "{ name RANGER aifile bots/ranger_c.c }\n{ name NoFile }");
    game.Add("scripts/sub/x.bot", "{ name Deep aifile bots/x_c.c }");
    game.Add("scripts/notes.txt", "{ name Notes aifile bots/n_c.c }");
    game.Add("scripts/broken.bot", "name Broken");
    std::vector<BotListProblem> problems;
    const std::vector<BotEntry> bots = ListGameBots(game, &problems);
    EXPECT_EQ(Listed(bots),
              (std::vector<std::string>{"RANGER@Scripts/Bots.txt", "Sarge@scripts/Alpha.BOT",
                                        "ranger@scripts/Alpha.BOT (left out)",
                                        "Ranger@scripts/zed.bot (left out)"}));
    EXPECT_EQ(bots[0].origin, "pak0.pk3");
    EXPECT_EQ(bots[2].block, 1);
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0].file, "Scripts/Bots.txt");
    EXPECT_EQ(problems[1].file, "scripts/broken.bot");
}

TEST(CharacterFileBotName, TheFirstNameCharacteristicByNameOrNumber) {
    EXPECT_EQ(CharacterFileBotName("skill 1 { CHARACTERISTIC_NAME \"A \" \"B\" }"), "A B");
    EXPECT_EQ(CharacterFileBotName("#include \"chars.h\"\nskill 1\n{\n\t0\t\"Numbered\"\n}"),
              "Numbered");
    EXPECT_EQ(CharacterFileBotName("skill 4 { 2 0.5 } skill 5 { CHARACTERISTIC_NAME \"Late\" "
                                   "CHARACTERISTIC_NAME \"Later\" }"),
              "Late");
    for (const char* text : {"CHARACTERISTIC_NAME 5", "skill 1 { CHARACTERISTIC_NAME 5 }",
                             "\"unclosed CHARACTERISTIC_NAME \"x\"", "skill 1 { 1 \"Male\" }", ""})
        EXPECT_EQ(CharacterFileBotName(text), std::nullopt) << text;
}

TEST(GameFiles, RandomStringsComeFromRndCFoundWithoutRegardToCase) {
    test::TempDir dir;
    const FolderFileSource game(dir.path());
    EXPECT_EQ(ReadRandomStringNames(game), std::nullopt);
    std::filesystem::create_directories(dir.path() / "BotFiles");
    test::WriteWholeFile((dir.path() / "BotFiles" / "RND.c").string(),
                         "food = { \"pizza\"; }\ndrink { \"tea\"; }");
    EXPECT_EQ(ReadRandomStringNames(game), (RandomStringNames{"drink", "food"}));
    std::string text;
    EXPECT_EQ(ReadLooseFile(dir.path() / "BotFiles" / "RND.c", text, nullptr, 10),
              GameFileSource::ReadResult::TooLarge);
    EXPECT_EQ(ReadLooseFile(dir.path() / "BotFiles", text), GameFileSource::ReadResult::Missing);
}

TEST(GamePaths, ArchivesAreSearchedByNameWithoutRegardToCaseTheLastWinning) {
    EXPECT_EQ(ArchivesByPrecedence({"zz-mine.pk3", "PAK1.pk3", "pak0.PK3", "Pak10.pk3"}),
              (std::vector<std::string>{"pak0.PK3", "PAK1.pk3", "Pak10.pk3", "zz-mine.pk3"}));
    EXPECT_TRUE(IsGameArchiveName("x.PK3"));
    EXPECT_FALSE(IsGameArchiveName(".pk3"));
    EXPECT_FALSE(IsGameArchiveName("x.zip"));
    EXPECT_EQ(SafeGamePathKey("Scripts\\A.bot"), "scripts/a.bot");
    EXPECT_EQ(SafeGamePathKey("a/\x01.bot"), "");
    EXPECT_EQ(SafeGamePathKey(std::string(2000, 'a')), "");
}

} // namespace
} // namespace vexa
