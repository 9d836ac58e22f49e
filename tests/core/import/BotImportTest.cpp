// The import of hand-written bots: what it fills, what it reports, and the
// faults that stop it.
#include "core/import/BotImport.h"

#include "core/game/LocalFileSources.h"
#include "core/profile/ChatCategory.h"
#include "core/util/FixedText.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace vexa {
namespace {

const std::filesystem::path kHand = std::filesystem::path(VEXA_IMPORT_FIXTURES) / "hand";

bool Reports(const ImportResult& result, const std::string& line) {
    for (const ReportEntry& entry : result.report)
        if (ReportLine(entry) == line)
            return true;
    return false;
}

std::vector<std::string> Lines(const SkillProfile& block, int category) {
    std::vector<std::string> lines;
    for (const auto& line : block.chat_lines[category])
        if (!FieldIsEmpty(line))
            lines.push_back(FieldText(line));
    return lines;
}

TEST(ListBots, ReadsEveryBlockOfBotsTxtAndTheBotFiles) {
    const FolderFileSource source(kHand);
    std::vector<ReportEntry> problems;
    const std::vector<BotEntry> bots = ListBots(source, &problems);
    ASSERT_EQ(bots.size(), 3u);
    EXPECT_EQ(bots[0].name, "Grunt");
    EXPECT_EQ(bots[0].model, "grunt/red");
    EXPECT_EQ(bots[0].aifile, "bots/Grunt_c.c");
    EXPECT_EQ(bots[0].infoFile, "scripts/bots.txt");
    EXPECT_EQ(bots[0].origin, kHand.string());
    EXPECT_EQ(bots[0].block, 0);
    EXPECT_EQ(bots[1].name, "Major Tom");
    EXPECT_EQ(bots[1].model, "major");
    EXPECT_EQ(bots[1].block, 1);
    EXPECT_EQ(bots[2].name, "Lone");
    EXPECT_EQ(bots[2].infoFile, "scripts/lone.bot");
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(ReportLine(problems[0]),
              "scripts/bots.txt, line 16: the bot \"Nobody\" names no aifile; it was left out");

    EXPECT_EQ(FindBots(bots, "major tom").size(), 1u);
    EXPECT_EQ(FindBots(bots, "GRUNT/RED").size(), 1u);
    EXPECT_TRUE(FindBots(bots, "nobody").empty());
    EXPECT_TRUE(MatchesFilter(bots[1], "TOM"));
    EXPECT_TRUE(MatchesFilter(bots[2], "lone.bot"));
    EXPECT_FALSE(MatchesFilter(bots[2], "tom"));
    EXPECT_TRUE(MatchesFilter(bots[2], ""));
}

TEST(ImportBot, HandWrittenBotFillsTheProfileAndReportsEveryLoss) {
    const FolderFileSource source(kHand);
    const std::vector<BotEntry> bots = ListBots(source);
    ASSERT_FALSE(bots.empty());
    const ImportResult result = ImportBot(source, bots[0]);
    ASSERT_TRUE(result.ok) << result.error;
    const BotProfile& p = result.profile;
    EXPECT_EQ(FieldText(p.name), "Grunt");
    EXPECT_EQ(FieldText(p.gender), "Male");
    EXPECT_EQ(FieldText(p.model_name), "grunt/red");
    EXPECT_EQ(FieldText(p.main_file), "Grunt_c.c");

    // Skill 1 by numeric indices, Skill 4 by names, Skill 5 from Skill 4.
    const SkillProfile& one = p.skill[0];
    EXPECT_EQ(one.attack_skill, 250);
    EXPECT_EQ(one.aim_accuracy, 200);
    EXPECT_EQ(one.view_maxchange, 90);
    EXPECT_EQ(one.reactiontime, 300);
    EXPECT_EQ(one.chat_hittalking, 100);
    EXPECT_EQ(one.walker, 0);
    EXPECT_EQ(one.firethrottle, 300);
    const SkillProfile& four = p.skill[1];
    EXPECT_EQ(four.attack_skill, 800);
    EXPECT_EQ(four.aim_skill, 1000);
    EXPECT_EQ(four.aim_accuracy, 750);
    EXPECT_EQ(four.view_factor, 1000);
    EXPECT_EQ(four.view_maxchange, 180);
    EXPECT_EQ(four.reactiontime, 126);
    EXPECT_EQ(four.croucher, 0);
    EXPECT_EQ(four.firethrottle, 1000); // missing: the Skill 4 default
    EXPECT_EQ(p.skill[2].attack_skill, 800);
    EXPECT_EQ(p.skill[2].reactiontime, 126);
    EXPECT_EQ(p.skill[2].camper, 0); // missing: the Skill 5 default

    // Weights: the weapon file by its defines, the item file's defaults.
    for (const SkillProfile& block : p.skill) {
        EXPECT_EQ(block.weapon_rocketlauncher, 400);
        EXPECT_EQ(block.weapon_shotgun, 251);
        EXPECT_EQ(block.weapon_railgun, 500);
        EXPECT_EQ(block.weapon_plasmagun, 250);
        EXPECT_EQ(block.weapon_grapple, 10);
        EXPECT_EQ(block.item_w_enviro, 400);
        EXPECT_TRUE(FieldIsEmpty(block.weaponweights));
        EXPECT_TRUE(FieldIsEmpty(block.chat_file));
    }
    // The chat block "GRUNT" serves "grunt" and "Grunt"; the default name
    // stays empty, any other is kept.
    EXPECT_TRUE(FieldIsEmpty(one.chat_name));
    EXPECT_EQ(FieldText(four.chat_name), "Grunt");
    const std::vector<std::string> enter = Lines(four, 0);
    ASSERT_GE(enter.size(), 3u);
    EXPECT_EQ(enter[0], "\"Hello, \", 0, \"!\"");
    EXPECT_EQ(enter[1], "\"Two\"; \"on one line\"");
    EXPECT_EQ(enter[2], "\"spread over\", \" two lines\"");
    EXPECT_EQ(Lines(one, 0), enter);
    const std::vector<std::string> rail = Lines(four, 16);
    ASSERT_EQ(rail.size(), 10u);
    EXPECT_EQ(rail[9], "\"line 10\"");

    // What the record cannot hold is kept beside it.
    const LevelExtras& kept = result.extras.levels[1];
    EXPECT_EQ(ChatLinesOf(four, kept, 16).back(), "\"line 11\"");
    EXPECT_EQ(ChatLinesOf(four, kept, 0)[3].size(), 87u);
    ASSERT_EQ(ExtraSituations(kept).size(), 1u);
    EXPECT_EQ(ExtraSituations(kept)[0]->situation, "level_flag_capture");
    EXPECT_EQ(ExtraSituations(kept)[0]->lines, std::vector<std::string>{"\"Got it!\""});
    for (const KeptLine& line : {KeptLine{"CHARACTERISTIC_VIEW_FACTOR", "1.5", "1.000", false},
                                 KeptLine{"CHARACTERISTIC_REACTIONTIME", "1.255", "1.26", false},
                                 KeptLine{"CHARACTERISTIC_AIM_SKILL", "1", "1.000", false},
                                 KeptLine{"CHARACTERISTIC_FOO", "0.5", "", false}})
        EXPECT_NE(std::find(kept.characteristics.begin(), kept.characteristics.end(), line),
                  kept.characteristics.end())
            << line.key;
    for (const KeptLine& line :
         {KeptLine{"W_RAILGUN", "600", "500", false}, KeptLine{"W_SHOTGUN", "250.6", "251", false},
          KeptLine{"W_NAILGUN", "50", "", false}})
        EXPECT_NE(std::find(kept.weaponDefines.begin(), kept.weaponDefines.end(), line),
                  kept.weaponDefines.end())
            << line.key;
    EXPECT_EQ(result.extras.infoKeys,
              (std::vector<std::pair<std::string, std::string>>{{"funname", "^1Grunt"}}));

    const std::string c = "botfiles/bots/Grunt_c.c";
    const std::string w = "botfiles/bots/grunt_w.c";
    const std::string t = "botfiles/bots/grunt_t.c";
    for (
        const std::string& line : {
            c + ", line 14, Skill 4: CHARACTERISTIC_REACTIONTIME 1.255 is shown rounded to 1.26 in "
                "the editor; the file's value is written back until it is changed",
            c + ", line 18, Skill 4: CHARACTERISTIC_CROUCHER -0.5 is outside 0 to 1.000; 0.000 "
                "was kept",
            c + ", Skill 5: there is no skill 5 block; the skill 4 block was read for it",
            c + ", line 45: the skill 2 block was not kept: the designer holds the levels 1, 4 "
                "and 5",
            w + ", line 6: W_SHOTGUN 250.6 is shown rounded to 251 in the editor; the file's value "
                "is written back until it is changed",
            w + ", line 8: W_PLASMAGUN \"(100)\" is not a plain number; the default 250 was kept",
            w + ": missing weights; the designer's defaults were used: W_GRAPPLE 10",
            std::string(
                "botfiles/bots/grunt_i.c, line 4: the item weights file is not in the #define "
                "form "
                "(it "
                "holds weight logic of its own, not only #define lines); the designer's default "
                "weights "
                "were kept"),
        })
        EXPECT_TRUE(Reports(result, line)) << line << "\nnot in:\n" << ReportText(result.report);
    EXPECT_NE(ReportText(result.report)
                  .find(c + ", line 4, Skill 4: missing values; the designer's "
                            "defaults were used: CHARACTERISTIC_CHAT_INSULT 0.100"),
              std::string::npos);
    // Nothing that was kept is in the report.
    for (const char* kept : {"VIEW_FACTOR", "FOO", "W_RAILGUN", "W_NAILGUN", "death_rail",
                             "level_flag_capture", "longer than"})
        EXPECT_EQ(ReportText(result.report).find(kept), std::string::npos) << kept;
}

TEST(ImportBot, KeepsTheFileNamesWhenAsked) {
    const FolderFileSource source(kHand);
    const ImportResult result = ImportBot(source, ListBots(source)[0], {true});
    ASSERT_TRUE(result.ok) << result.error;
    for (const SkillProfile& block : result.profile.skill) {
        EXPECT_EQ(FieldText(block.weaponweights), "bots/grunt_w.c");
        EXPECT_EQ(FieldText(block.itemweights), "bots/grunt_i.c");
        EXPECT_EQ(FieldText(block.chat_file), "bots/grunt_t.c");
    }
}

BotProfile Imported(MemoryFileSource& source, const std::string& character,
                    std::vector<ReportEntry>* report = nullptr) {
    source.Add("botfiles/bots/x_c.c", character);
    ImportResult result = ImportCharacterFile(source, "bots/x_c.c");
    EXPECT_TRUE(result.ok) << result.error;
    if (report)
        *report = result.report;
    return result.profile;
}

TEST(ImportBot, CharacterFileAloneAndTheTextsItHolds) {
    MemoryFileSource source;
    std::vector<ReportEntry> report;
    const BotProfile p =
        Imported(source,
                 "skill 1 { CHARACTERISTIC_NAME \"A Very Long Bot Name Indeed\"\n"
                 "CHARACTERISTIC_GENDER \"robot\" CHARACTERISTIC_CHAT_FILE \"bots/x_t.c\"\n"
                 "CHARACTERISTIC_CHAT_NAME \"nothere\" CHARACTERISTIC_WEAPONWEIGHTS 5 }",
                 &report);
    EXPECT_EQ(FieldText(p.name), "A Very Long Bot Nam");
    EXPECT_EQ(FieldText(p.gender), "Male");
    EXPECT_TRUE(FieldIsEmpty(p.model_name));
    EXPECT_EQ(FieldText(p.main_file), "x_c.c");
    const std::string text = ReportText(report);
    for (const char* expected : {
             "CHARACTERISTIC_WEAPONWEIGHTS must be a text in quotation marks, not 5; skipped",
             "Skill 4: there is no skill 4 block; the skill 1 block was read for it",
             "botfiles/bots/x_t.c: the chat file was not found; the designer's defaults were kept",
             "no weapon weights file is named; the designer's default weights were kept",
         })
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\nnot in:\n" << text;

    // A chat file without the wanted block names the ones it has.
    source.Add("botfiles/bots/x_t.c",
               "chat \"one\" { } chat \"two\" { type \"game_enter\" { \"hi\"; } }");
    Imported(source, "skill 1 { 21 \"bots/x_t.c\" 22 \"nothere\" }", &report);
    EXPECT_NE(
        ReportText(report).find("botfiles/bots/x_t.c: there is no chat block \"nothere\" (the "
                                "file holds \"one\", \"two\"); no chat lines were read from it"),
        std::string::npos)
        << ReportText(report);
}

// The game says the lines of enemy_suicide when another player killed
// himself; files written before VEXA used that name hold them as
// kill_suicide, which the game never asks for.
TEST(ImportBot, EnemySuicideFillsTheKillSuicideSlotUnderEitherName) {
    const std::string character = "skill 1 { 21 \"bots/x_t.c\" 22 \"x\" }";
    for (const char* name : {"enemy_suicide", "KILL_SUICIDE"}) {
        MemoryFileSource source;
        source.Add("botfiles/bots/x_t.c",
                   std::string("chat \"x\" { type \"") + name + "\" { \"oops\"; } }");
        std::vector<ReportEntry> report;
        const BotProfile p = Imported(source, character, &report);
        EXPECT_EQ(Lines(p.skill[0], kEnemySuicideCategory), std::vector<std::string>{"\"oops\""})
            << name << "\n"
            << ReportText(report);
    }
    EXPECT_EQ(kChatCategories[kEnemySuicideCategory].typeName, "enemy_suicide");
    EXPECT_EQ(kChatCategories[kEnemySuicideCategory].caption, "Kill Suicide");
}

TEST(ImportBot, FailsOnlyWhenTheCharacterFileCannotBeUsed) {
    MemoryFileSource source("pak0.pk3");
    const auto error = [&source](const std::string& aifile) {
        return ImportCharacterFile(source, aifile).error;
    };
    EXPECT_EQ(error("bots/none_c.c"), "The character file botfiles/bots/none_c.c was not found.");
    EXPECT_EQ(error("../../etc/passwd"),
              "The character file ../../etc/passwd is not a file name that can be read.");
    EXPECT_EQ(error(""), "The bot  names no character file.");
    source.Add("botfiles/bots/big_c.c", std::string(kMaxScriptFileSize + 1, ' '));
    EXPECT_EQ(error("bots/big_c.c"),
              "The character file botfiles/bots/big_c.c is too large for a bot file.");
    source.Add("botfiles/bots/empty_c.c", "// nothing here\n#include \"chars.h\"\n");
    EXPECT_EQ(error("bots/empty_c.c"),
              "The character file botfiles/bots/empty_c.c holds no skill block.");
    source.Add("botfiles/bots/bad_c.c", "skill 1\n{\n\tCHARACTERISTIC_NAME \"x\"\n\t2 = 0.5\n}\n");
    EXPECT_EQ(error("bots/bad_c.c"),
              "The character file botfiles/bots/bad_c.c cannot be read, line 4: "
              "expected the value of 2, found =");
    source.Add("botfiles/bots/open_c.c", "skill 1 { 2 0.5 ");
    EXPECT_EQ(error("bots/open_c.c"),
              "The character file botfiles/bots/open_c.c cannot be read, line 1: "
              "the block skill 1 is not closed with }");
    EXPECT_FALSE(ImportCharacterFile(source, "bots/open_c.c").ok);
}

} // namespace
} // namespace vexa
