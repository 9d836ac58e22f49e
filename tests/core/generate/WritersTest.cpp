#include "core/generate/Writers.h"

#include "TestSupport.h"
#include "core/generate/GenerateSource.h"
#include "core/generate/Names.h"
#include "core/util/FixedText.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace vexa {
namespace {

std::string Golden(const std::string& name) {
    return test::ReadWholeFile(std::filesystem::path(VEXA_GOLDEN_DIR) / name);
}

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// The golden files hold the complete output for the default Ranger profile
// with TabSkill on: the character file, the Skill 4 weight files, the Skill 1
// chat file (with three chat lines) and the bot info file.
TEST(WriterGolden, DefaultProfileGivesTheExactFiles) {
    BotProfile profile = test::RangerProfile();
    SetFieldText(profile.skill[0].chat_lines[0][0], "Hello everyone");
    SetFieldText(profile.skill[0].chat_lines[0][3], "\"quoted\", 100% ; done");
    SetFieldText(profile.skill[0].chat_lines[27][9], "last line");

    EXPECT_EQ(CharacterFileText(profile, true), Golden("ranger_c.c.golden"));
    EXPECT_EQ(WeaponWeightsFileText(profile.skill[1]), Golden("ranger_w4.c.golden"));
    EXPECT_EQ(ItemWeightsFileText(profile.skill[1]), Golden("ranger_i4.c.golden"));
    EXPECT_EQ(ChatFileText(profile.skill[0], ChatName(profile, 1)), Golden("ranger_t1.c.golden"));
    EXPECT_EQ(BotInfoFileText(profile), Golden("ranger.bot.golden"));
}

TEST(CharacterFile, NumbersAreWrittenInTheirUnitsAndNegativesAsZero) {
    BotProfile profile = test::RangerProfile();
    SkillProfile& s = profile.skill[2];
    s.attack_skill = 1000;
    s.aim_skill = 123456;
    s.aim_accuracy = 7;
    s.reactiontime = 175;
    s.view_factor = -5;
    s.firethrottle = -1000;
    s.camper = -2147483647 - 1;
    s.view_maxchange = -30;
    s.chat_cpm = -1;
    profile.skill[1].reactiontime = -1;
    const std::string text = CharacterFileText(profile, false);

    EXPECT_EQ(Count(text, "\tCHARACTERISTIC_ATTACK_SKILL\t\t\t\t\t1.000\n"), 2u);
    EXPECT_NE(text.find("\tCHARACTERISTIC_AIM_SKILL\t\t\t\t\t123.456\n"), std::string::npos);
    EXPECT_NE(text.find("\tCHARACTERISTIC_AIM_ACCURACY\t\t\t\t\t0.007\n"), std::string::npos);
    EXPECT_NE(text.find("\tCHARACTERISTIC_REACTIONTIME\t\t\t\t\t1.75\n"), std::string::npos);
    EXPECT_NE(text.find("\tCHARACTERISTIC_REACTIONTIME\t\t\t\t\t0.00\n"), std::string::npos);
    EXPECT_NE(text.find("\tCHARACTERISTIC_VIEW_FACTOR\t\t\t\t\t0.000\n"), std::string::npos);
    EXPECT_NE(text.find("\n\tCHARACTERISTIC_FIRETHROTTLE\t\t\t\t\t0.000\n"), std::string::npos);
    EXPECT_NE(text.find("\tCHARACTERISTIC_CAMPER\t\t\t\t\t\t0.000\n"), std::string::npos);
    EXPECT_NE(text.find("\tCHARACTERISTIC_VIEW_MAXCHANGE\t\t\t\t0\n"), std::string::npos);
    EXPECT_NE(text.find("\tCHARACTERISTIC_CHAT_CPM\t\t\t\t\t\t0\n"), std::string::npos);
    EXPECT_EQ(text.find('-'), std::string::npos);
}

TEST(CharacterFile, GenderIsWrittenInLowerCaseAndTheProfileKeepsIt) {
    BotProfile profile = test::RangerProfile();
    for (const auto& [stored, written] :
         {std::pair{"Male", "male"}, std::pair{"Female", "female"}, std::pair{"It", "it"}}) {
        SetFieldText(profile.gender, stored);
        const std::string text = CharacterFileText(profile, false);
        EXPECT_EQ(
            Count(text, std::string("\tCHARACTERISTIC_GENDER\t\t\t\t\t\t\"") + written + "\"\n"),
            3u);
        EXPECT_EQ(FieldText(profile.gender), stored);
    }
}

TEST(CharacterFile, QuotedTextEscapesBackslashesAndQuotationMarks) {
    BotProfile profile = test::RangerProfile();
    SetFieldText(profile.name, "Big \"Bad\" \\Bob");
    SetFieldText(profile.skill[0].chat_name, "say \"hi\"\\");
    SetFieldText(profile.skill[0].weaponweights, "bots/w\"x");
    const std::string text = CharacterFileText(profile, false);
    EXPECT_EQ(Count(text, "\tCHARACTERISTIC_NAME\t\t\t\t\t\t\t\"Big \\\"Bad\\\" \\\\Bob\"\n"), 3u);
    EXPECT_EQ(Count(text, "\tCHARACTERISTIC_CHAT_NAME\t\t\t\t\t\"say \\\"hi\\\"\\\\\"\n"), 3u);
    EXPECT_EQ(Count(text, "\tCHARACTERISTIC_WEAPONWEIGHTS\t\t\t\t\"bots/w\\\"x.c\"\n"), 3u);
}

TEST(CharacterFile, ReferencesNameTheFilesWrittenWithDotCAndSlashes) {
    BotProfile profile = test::RangerProfile();
    SetFieldText(profile.skill[0].weaponweights, "bots/ranger_w1");
    SetFieldText(profile.skill[0].itemweights, "bots\\sub\\ranger_i1");
    SetFieldText(profile.skill[0].chat_file, "bots/shared_t.c");
    const std::string text = CharacterFileText(profile, true);
    EXPECT_EQ(Count(text, "\"bots/ranger_w1.c\"\n"), 1u);
    EXPECT_EQ(Count(text, "\tCHARACTERISTIC_ITEMWEIGHTS\t\t\t\t\t\"bots/sub/ranger_i1.c\"\n"), 1u);
    EXPECT_EQ(Count(text, "\tCHARACTERISTIC_CHAT_FILE\t\t\t\t\t\"bots/shared_t.c\"\n"), 1u);
    EXPECT_EQ(Count(text, "\"bots/ranger_w4.c\"\n"), 1u);
    EXPECT_EQ(Count(text, "\"bots/ranger_w5.c\"\n"), 1u);
}

TEST(CharacterFile, DefaultReferencesFollowTheMainFile) {
    BotProfile profile = test::RangerProfile();
    SetFieldText(profile.main_file, "ranger");
    const std::string text = CharacterFileText(profile, true);
    EXPECT_EQ(Count(text, "\"bots/ranger_w4.c\"\n"), 1u);
    EXPECT_EQ(Count(text, "\"bots/ranger_t5.c\"\n"), 1u);
    EXPECT_EQ(Count(text, "\"bots/ranger_i1.c\"\n"), 1u);
}

TEST(CharacterFile, WithTabSkillOffEveryBlockNamesTheSkill1FilesAndChat) {
    BotProfile profile = test::RangerProfile();
    SetFieldText(profile.skill[1].weaponweights, "bots/hard_w.c");
    SetFieldText(profile.skill[2].chat_file, "bots/nightmare_t.c");
    SetFieldText(profile.skill[2].chat_name, "nightmare");

    const std::string off = CharacterFileText(profile, false);
    EXPECT_EQ(Count(off, "\tCHARACTERISTIC_WEAPONWEIGHTS\t\t\t\t\"bots/ranger_w.c\"\n"), 3u);
    EXPECT_EQ(Count(off, "\tCHARACTERISTIC_ITEMWEIGHTS\t\t\t\t\t\"bots/ranger_i.c\"\n"), 3u);
    EXPECT_EQ(Count(off, "\tCHARACTERISTIC_CHAT_FILE\t\t\t\t\t\"bots/ranger_t.c\"\n"), 3u);
    EXPECT_EQ(Count(off, "\tCHARACTERISTIC_CHAT_NAME\t\t\t\t\t\"ranger\"\n"), 3u);
    EXPECT_EQ(off.find("hard"), std::string::npos);
    EXPECT_EQ(off.find("nightmare"), std::string::npos);

    SetFieldText(profile.skill[0].chat_name, "easy");
    SetFieldText(profile.skill[0].itemweights, "bots/easy_i");
    const std::string stored = CharacterFileText(profile, false);
    EXPECT_EQ(Count(stored, "\tCHARACTERISTIC_CHAT_NAME\t\t\t\t\t\"easy\"\n"), 3u);
    EXPECT_EQ(Count(stored, "\tCHARACTERISTIC_ITEMWEIGHTS\t\t\t\t\t\"bots/easy_i.c\"\n"), 3u);

    const std::string on = CharacterFileText(profile, true);
    EXPECT_EQ(Count(on, "\"bots/hard_w.c\"\n"), 1u);
    EXPECT_EQ(Count(on, "\"bots/nightmare_t.c\"\n"), 1u);
    EXPECT_EQ(Count(on, "\"nightmare\"\n"), 1u);
    EXPECT_EQ(Count(on, "\"easy\"\n"), 1u);
    EXPECT_EQ(Count(on, "\"ranger4\"\n"), 1u);
}

TEST(CharacterFile, HoldsExactlyThreeBlocksInLevelOrder) {
    const std::string text = CharacterFileText(test::RangerProfile(), false);
    const std::size_t one = text.find("\nskill 1\n{\n");
    const std::size_t four = text.find("\nskill 4\n{\n");
    const std::size_t five = text.find("\nskill 5\n{\n");
    ASSERT_NE(one, std::string::npos);
    EXPECT_LT(one, four);
    EXPECT_LT(four, five);
    EXPECT_EQ(Count(text, "skill "), 3u);
    EXPECT_EQ(Count(text, "\n}\n\n"), 3u);
    EXPECT_TRUE(text.ends_with("\tCHARACTERISTIC_FIRETHROTTLE\t\t\t\t\t1.000\n}\n\n"));
}

TEST(WeightFiles, WriteEveryValueAsStoredMinusSignsIncluded) {
    SkillProfile block = test::RangerProfile().skill[0];
    block.weapon_gauntlet = -5;
    block.weapon_shotgun = 777;
    block.item_w_shotgun = 888;
    block.item_flag_weight = -2;
    const std::string weapons = WeaponWeightsFileText(block);
    EXPECT_NE(weapons.find("#define W_GAUNTLET\t\t\t\t-5\n"), std::string::npos);
    EXPECT_NE(weapons.find("#define W_SHOTGUN\t\t\t\t777\n"), std::string::npos);
    const std::string items = ItemWeightsFileText(block);
    // The item file's weapon macros take the item fields.
    EXPECT_NE(items.find("#define W_SHOTGUN\t\t\t\t888\n"), std::string::npos);
    EXPECT_TRUE(
        items.ends_with("#define FLAG_WEIGHT\t\t\t\t-2\n\n//\n#include \"fw_items.c\"\n\n\n"));
}

// Names kept whole beyond their fields are written whole: the main file (its
// path, the aifile of the bot info file and the default names formed from
// it) and a weight file; once the field is changed, the field is written. A
// model with a skin names its .bot file in the scripts folder, where the
// game lists bots.
TEST(KeptNames, AreWrittenWholeWhileTheirFieldsHoldTheirCut) {
    BotProfile profile = test::RangerProfile();
    ProfileExtras extras;
    extras.mainFile = "sir_lancelot_of_the_lake_c.c";
    extras.levels[1].weaponWeightsFile = "bots/lancelot/hardcore_weapons_w.c";
    extras.model = "knight/red";
    SetFieldText(profile.main_file, extras.mainFile.substr(0, 19));
    SetFieldText(profile.skill[1].weaponweights, extras.levels[1].weaponWeightsFile.substr(0, 19));
    SetFieldText(profile.model_name, "knight/re");
    AppSettings settings;
    settings.BaseDir = "/game/base/";
    settings.BuildFold = true;
    settings.TabSkill = true;
    const auto paths = [&] {
        MemoryFiles files;
        EXPECT_EQ(GenerateSource(profile, settings, PathStyle::Posix, files, {}, extras), 0);
        std::vector<std::string> paths;
        for (const MemoryFiles::File& file : files.files())
            paths.push_back(file.path.substr(settings.BaseDir.size()));
        EXPECT_NE(files.files().back().text.find("aifile\t\tbots/" +
                                                 WithCExtension(MainFileName(profile, extras))),
                  std::string::npos);
        EXPECT_NE(files.files().front().text.find(
                      "\"" + PassFileName(profile, 2, PassFile::WeaponWeights, extras) + "\""),
                  std::string::npos);
        return paths;
    };
    const std::string bots = "botfiles/bots/sir_lancelot_of_the_lake_";
    EXPECT_EQ(paths(),
              (std::vector<std::string>{bots + "c.c", bots + "w1.c", bots + "i1.c", bots + "t1.c",
                                        "botfiles/bots/lancelot/hardcore_weapons_w.c",
                                        bots + "i4.c", bots + "t4.c", bots + "w5.c", bots + "i5.c",
                                        bots + "t5.c", "scripts/knight_red.bot"}));

    SetFieldText(profile.main_file, "lance_c.c");
    SetFieldText(profile.skill[1].weaponweights, "bots/lance_w4");
    SetFieldText(profile.model_name, "knight");
    const std::vector<std::string> changed = paths();
    EXPECT_EQ(changed[0], "botfiles/bots/lance_c.c");
    EXPECT_EQ(changed[4], "botfiles/bots/lance_w4.c");
    EXPECT_EQ(changed.back(), "scripts/knight.bot");
    // A model with a skin in the record alone, either separator.
    for (const char* model : {"sarge/red", "sarge\\red"}) {
        SetFieldText(profile.model_name, model);
        EXPECT_EQ(BotInfoFilePath(profile, settings, PathStyle::Posix),
                  "/game/base/scripts/sarge_red.bot");
    }
}

TEST(ChatFile, EmptyLevelStillHoldsEveryTypeBlock) {
    const std::string text = ChatFileText(test::RangerProfile().skill[0], "ranger");
    EXPECT_EQ(Count(text, "\t{\n\t} //end type\n"), 28u);
    EXPECT_EQ(Count(text, "\n\ttype \""), 28u);
    const std::string separator =
        "\n\t//" + std::string(54, '=') + "\n\t//" + std::string(54, '=') + "\n\n\ttype \"";
    EXPECT_EQ(Count(text, separator), 5u);
    for (const char* opener :
         {"game_enter", "hit_talking", "death_telefrag", "kill_rail", "random_insult"})
        EXPECT_NE(text.find(separator + opener + "\""), std::string::npos) << opener;
    EXPECT_TRUE(text.ends_with("\t} //end type\n} //end ranger chat\n"));
}

TEST(ChatFile, LinesAreCopiedInOrderWithoutGapsOrEscapes) {
    SkillProfile block = test::RangerProfile().skill[0];
    SetFieldText(block.chat_lines[9][0], "first");
    SetFieldText(block.chat_lines[9][3], "say \"%s\"; \\o/");
    std::fill(std::begin(block.chat_lines[9][9]), std::end(block.chat_lines[9][9]), 'z');
    const std::string text = ChatFileText(block, "evil \"one\"");
    EXPECT_NE(text.find("\n\ttype \"death_telefrag\" //initiated when the bot is killed by a "
                        "telefrag\n\t{\n\t\tfirst;\n\t\tsay \"%s\"; \\o/;\n\t\t" +
                        std::string(80, 'z') + ";\n\t} //end type\n"),
              std::string::npos);
    EXPECT_NE(text.find("chat \"evil \\\"one\\\"\"\n{\n\t#include \"teamplay.h\"\n\n"),
              std::string::npos);
    EXPECT_TRUE(text.ends_with("} //end evil \"one\" chat\n"));
}

TEST(BotInfoFile, ValuesWithBlanksOrTabsAreQuoted) {
    BotProfile profile = test::RangerProfile();
    SetFieldText(profile.name, "Big Bad Bob!");
    SetFieldText(profile.main_file, "bots\\big_c");
    EXPECT_EQ(BotInfoFileText(profile), "// Generated by Arvon Bot Designer\n\n{\n"
                                        "name\t\t\"Big Bad Bob!\"\nmodel\t\tbigbadbob\n"
                                        "aifile\t\tbots/bots/big_c.c\n}\n");
    SetFieldText(profile.name, "Tab\tBot");
    SetFieldText(profile.model_name, "my model");
    SetFieldText(profile.main_file, "my bot_c.c");
    EXPECT_EQ(BotInfoFileText(profile), "// Generated by Arvon Bot Designer\n\n{\n"
                                        "name\t\t\"Tab\tBot\"\nmodel\t\t\"my model\"\n"
                                        "aifile\t\t\"bots/my bot_c.c\"\n}\n");
}

TEST(BotInfoFile, ValuesBeyondAsciiAreQuotedAndOthersStayBare) {
    BotProfile profile = test::RangerProfile();
    SetFieldText(profile.name, "Zo\xEB");
    SetFieldText(profile.model_name, "zo\xEB/red");
    EXPECT_EQ(BotInfoFileText(profile, PathStyle::Posix),
              "// Generated by Arvon Bot Designer\n\n{\n"
              "name\t\t\"Zo\xEB\"\nmodel\t\t\"zo\xEB/red\"\naifile\t\tbots/ranger_c.c\n}\n");
}

TEST(BotInfoFile, LeavesOutWhatTheGameRefusesWhileTheCharacterFileKeepsTheName) {
    BotProfile profile = test::RangerProfile();
    SetFieldText(profile.name, "Iron \"Mad\\\" M;aiden");
    SetFieldText(profile.model_name, "s\"g\\b;l");
    SetFieldText(profile.main_file, "sub\\ir;on_c.c");
    EXPECT_EQ(BotInfoFileText(profile), "// Generated by Arvon Bot Designer\n\n{\n"
                                        "name\t\t\"Iron Mad Maiden\"\nmodel\t\tsg/bl\n"
                                        "aifile\t\tbots/sub/iron_c.c\n}\n");
    EXPECT_NE(CharacterFileText(profile, false)
                  .find("\tCHARACTERISTIC_NAME\t\t\t\t\t\t\t\"Iron \\\"Mad\\\\\\\" M;aiden\"\n"),
              std::string::npos);
}

TEST(BotInfoFile, DefaultNamesFollowThePathStyle) {
    BotProfile profile = test::RangerProfile();
    SetFieldText(profile.name, "Zo\xEB");
    EXPECT_NE(BotInfoFileText(profile, PathStyle::Posix).find("\nmodel\t\tzoe\n"),
              std::string::npos);
    EXPECT_NE(BotInfoFileText(profile, PathStyle::Windows).find("\nmodel\t\t\"zo\xEB\"\n"),
              std::string::npos);
    // The name itself stays Latin-1 inside the files.
    const std::string character = CharacterFileText(profile, false, PathStyle::Posix);
    EXPECT_NE(character.find("\"Zo\xEB\"\n"), std::string::npos);
    EXPECT_NE(character.find("CHARACTERISTIC_CHAT_NAME\t\t\t\t\t\"zoe\"\n"), std::string::npos);
}

TEST(BotInfoFile, NameOfOnlyRemovedCharactersGivesAnEmptyModel) {
    BotProfile profile = test::RangerProfile();
    SetFieldText(profile.name, "!!!");
    EXPECT_NE(BotInfoFileText(profile).find("\nmodel\t\t\naifile"), std::string::npos);
}

} // namespace
} // namespace vexa
