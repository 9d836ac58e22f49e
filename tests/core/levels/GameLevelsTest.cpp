#include "core/levels/GameLevels.h"

#include "core/util/FixedText.h"

#include <gtest/gtest.h>
#include <string>

namespace vexa {
namespace {

const CharacteristicFormat& Format(std::string_view name) {
    const CharacteristicFormat* format = CharacteristicByName(name);
    EXPECT_NE(format, nullptr) << name;
    return *format;
}

// The five values of a characteristic as the table prints them.
std::vector<std::string> Row(const GameLevels& levels, std::string_view name) {
    std::vector<std::string> row;
    for (int level = 1; level <= kGameLevelCount; ++level)
        row.push_back(LevelValueText(Format(name), levels.At(Format(name), level)));
    return row;
}

using Row5 = std::vector<std::string>;

int CountProblems(const GameLevels& levels, LevelProblem::Kind kind, std::string_view name) {
    int count = 0;
    for (const LevelProblem& problem : levels.problems)
        if (problem.kind == kind && problem.characteristic && problem.characteristic->name == name)
            ++count;
    return count;
}

// Three blocks that set only the lines given; everything else comes from
// the default character.
std::string File(std::string_view one, std::string_view four, std::string_view five) {
    return "#include \"chars.h\"\nskill 1\n{\n" + std::string(one) + "}\nskill 4\n{\n" +
           std::string(four) + "}\nskill 5\n{\n" + std::string(five) + "}\n";
}

TEST(GameLevelsTest, ACharacteristicByNumberIsTheNamedOne) {
    const GameLevels levels = LevelsOfCharacterFile(
        File("CHARACTERISTIC_ATTACK_SKILL 0.25\nCHARACTERISTIC_VIEW_MAXCHANGE 90\n"
             "CHARACTERISTIC_REACTIONTIME 3.00\n6 3\nCHARACTERISTIC_WEAPONWEIGHTS "
             "\"bots/a_w1.c\"\n",
             "CHARACTERISTIC_ATTACK_SKILL 1.0\nCHARACTERISTIC_VIEW_MAXCHANGE 240\n"
             "CHARACTERISTIC_WEAPONWEIGHTS \"bots/a_w4.c\"\n",
             "CHARACTERISTIC_ATTACK_SKILL 0.9\n"));
    // The reaction time is set twice in skill 1: the game refuses the block.
    EXPECT_EQ(Row(levels, "CHARACTERISTIC_NAME")[0], "\"default\"");
}

TEST(GameLevelsTest, LevelsTwoAndThreeFollowTheNumberForms) {
    const GameLevels levels = LevelsOfCharacterFile(
        File("CHARACTERISTIC_ATTACK_SKILL 0.25\nCHARACTERISTIC_VIEW_MAXCHANGE 90\n"
             "CHARACTERISTIC_REACTIONTIME 3.00\nCHARACTERISTIC_WEAPONWEIGHTS \"bots/a_w1.c\"\n"
             "CHARACTERISTIC_CHAT_CPM 400\n7 0.5\nCHARACTERISTIC_CAMPER 1\n",
             "CHARACTERISTIC_ATTACK_SKILL 1.0\nCHARACTERISTIC_VIEW_MAXCHANGE 240\n"
             "CHARACTERISTIC_REACTIONTIME 1.75\nCHARACTERISTIC_WEAPONWEIGHTS \"bots/a_w4.c\"\n"
             "CHARACTERISTIC_CHAT_CPM 400\n7 2\nCHARACTERISTIC_CAMPER 0.5\n",
             "CHARACTERISTIC_ATTACK_SKILL 0.9\n"));
    EXPECT_EQ(Row(levels, "CHARACTERISTIC_ATTACK_SKILL"),
              (Row5{"0.250", "0.500", "0.750", "1.000", "0.900"}));
    // 3 + (1.75 - 3) / 3 = 2.58333..., 3 + (1.75 - 3) * 2 / 3 = 2.16666...
    EXPECT_EQ(Row(levels, "CHARACTERISTIC_REACTIONTIME"),
              (Row5{"3.00", "2.5833", "2.1667", "1.75", "0.00"}));
    EXPECT_EQ(Row(levels, "CHARACTERISTIC_VIEW_MAXCHANGE"), (Row5{"90", "90", "90", "240", "360"}));
    EXPECT_EQ(Row(levels, "CHARACTERISTIC_WEAPONWEIGHTS")[2], "\"bots/a_w1.c\"");
    EXPECT_EQ(levels.At(Format("CHARACTERISTIC_VIEW_MAXCHANGE"), 2).origin,
              LevelValue::Origin::Skill1);
    EXPECT_EQ(levels.At(Format("CHARACTERISTIC_ATTACK_SKILL"), 3).origin,
              LevelValue::Origin::Computed);
    EXPECT_TRUE(levels.At(Format("CHARACTERISTIC_ATTACK_SKILL"), 4).IsSet());
    EXPECT_EQ(levels.At(Format("CHARACTERISTIC_ATTACK_SKILL"), 4).line, 14);
    EXPECT_EQ(
        CountProblems(levels, LevelProblem::Kind::FromSkill1, "CHARACTERISTIC_VIEW_MAXCHANGE"), 1);
    EXPECT_EQ(CountProblems(levels, LevelProblem::Kind::FromSkill1, "CHARACTERISTIC_WEAPONWEIGHTS"),
              1);
    // Equal whole numbers are no surprise.
    EXPECT_EQ(CountProblems(levels, LevelProblem::Kind::FromSkill1, "CHARACTERISTIC_CHAT_CPM"), 0);

    // A decimal beside a whole number, either way round: nothing at 2 and 3.
    for (std::string_view mixed : {"CHARACTERISTIC_AIM_ACCURACY", "CHARACTERISTIC_CAMPER"}) {
        const Row5 row = Row(levels, mixed);
        EXPECT_EQ(row[1], "0") << mixed;
        EXPECT_EQ(row[2], "0") << mixed;
        EXPECT_EQ(levels.At(Format(mixed), 2).form, LevelValue::Form::Uninitialized);
        EXPECT_EQ(CountProblems(levels, LevelProblem::Kind::ReadsZero, mixed), 1) << mixed;
    }
    for (const LevelProblem& problem : levels.problems)
        if (problem.kind == LevelProblem::Kind::ReadsZero &&
            problem.characteristic->name == "CHARACTERISTIC_AIM_ACCURACY") {
            EXPECT_NE(problem.text.find("\"characteristic 7 is not initialized\""),
                      std::string::npos);
            EXPECT_EQ(problem.levels, (std::vector<int>{2, 3}));
            EXPECT_FALSE(problem.fix.empty());
        }
}

TEST(GameLevelsTest, MissingValuesAndBlocksComeFromTheDefaultCharacter) {
    const GameLevels levels = LevelsOfCharacterFile(
        "skill 1 { CHARACTERISTIC_AGGRESSION 0.25 CHARACTERISTIC_NAME \"Grunt\" }\n"
        "skill 4 { CHARACTERISTIC_NAME \"Grunt\" }\n");
    // Skill 4 lacks the aggression: the default character's 1.000 at level
    // 4, and levels 2 and 3 are interpolated towards it.
    EXPECT_EQ(Row(levels, "CHARACTERISTIC_AGGRESSION"),
              (Row5{"0.250", "0.500", "0.750", "1.000", "1.000"}));
    EXPECT_EQ(levels.At(Format("CHARACTERISTIC_AGGRESSION"), 4).origin,
              LevelValue::Origin::Default);
    EXPECT_EQ(CountProblems(levels, LevelProblem::Kind::FromDefault, "CHARACTERISTIC_AGGRESSION"),
              1);
    // No skill 5 block: the whole level is the default character.
    EXPECT_EQ(Row(levels, "CHARACTERISTIC_NAME"),
              (Row5{"\"Grunt\"", "\"Grunt\"", "\"Grunt\"", "\"Grunt\"", "\"default\""}));
    EXPECT_EQ(Row(levels, "CHARACTERISTIC_CAMPER")[4], "0.000");
    bool blockProblem = false;
    for (const LevelProblem& problem : levels.problems)
        blockProblem = blockProblem || (problem.kind == LevelProblem::Kind::BlockRefused &&
                                        problem.levels == std::vector<int>{5});
    EXPECT_TRUE(blockProblem);
    // The default character writes the designer's forms: whole numbers
    // where the designer writes them.
    EXPECT_EQ(DefaultCharacteristic(Format("CHARACTERISTIC_VIEW_MAXCHANGE"), 4).form,
              LevelValue::Form::Whole);
    EXPECT_EQ(DefaultCharacteristic(Format("CHARACTERISTIC_REACTIONTIME"), 4).number, 1.75);
}

TEST(GameLevelsTest, BlocksTheGameRefuses) {
    // A characteristic set twice makes the game drop the block; so does a
    // fault of the file before the block.
    const GameLevels twice = LevelsOfCharacterFile(
        File("CHARACTERISTIC_NAME \"A\"\nCHARACTERISTIC_NAME \"B\"\n", "", ""));
    EXPECT_EQ(Row(twice, "CHARACTERISTIC_NAME")[0], "\"default\"");
    const GameLevels broken =
        LevelsOfCharacterFile("skill 1 { CHARACTERISTIC_NAME \"A\" }\nskill 4 { 2 ; }\n");
    EXPECT_EQ(Row(broken, "CHARACTERISTIC_NAME"),
              (Row5{"\"A\"", "\"A\"", "\"A\"", "\"default\"", "\"default\""}));
    int refused = 0;
    for (const LevelProblem& problem : broken.problems)
        refused += problem.kind == LevelProblem::Kind::BlockRefused;
    EXPECT_EQ(refused, 2);
}

TEST(GameLevelsTest, AProfileAtItsSetLevelsIsWhatItHolds) {
    BotProfile profile = EmptyProfile();
    ApplyDefaults(profile);
    SetFieldText(profile.name, "Ranger");
    SetFieldText(profile.main_file, "ranger_c.c");
    profile.skill[1].attack_skill = 437;
    profile.skill[2].reactiontime = 5;
    const GameLevels levels = LevelsOfProfile(profile, true, PathStyle::Posix);
    for (const CharacteristicFormat& format : kCharacterFileLines) {
        for (int b = 0; b < 3; ++b) {
            const LevelValue& value = levels.At(format, LevelOfBlock(b));
            EXPECT_TRUE(value.IsSet()) << format.name;
            if (format.field) {
                const double scale = format.unit == ValueUnit::Thousandths  ? 1000
                                     : format.unit == ValueUnit::Hundredths ? 100
                                                                            : 1;
                EXPECT_DOUBLE_EQ(value.number, profile.skill[b].*format.field / scale)
                    << format.name;
            }
        }
    }
    // The designer writes every block alike: nothing reads as 0, nothing
    // comes from the default character.
    for (const LevelProblem& problem : levels.problems)
        EXPECT_EQ(problem.kind, LevelProblem::Kind::FromSkill1) << problem.text;
    EXPECT_EQ(Row(levels, "CHARACTERISTIC_CHAT_FILE")[2], "\"bots/ranger_t1.c\"");
    EXPECT_EQ(Row(levels, "CHARACTERISTIC_REACTIONTIME")[4], "0.05");
    // 0.250 + (0.437 - 0.250) / 3 = 0.31233...
    EXPECT_EQ(Row(levels, "CHARACTERISTIC_ATTACK_SKILL")[1], "0.3123");

    const std::string table = LevelsTableText(levels);
    EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), kCharacteristicCount);
    EXPECT_NE(table.find("CHARACTERISTIC_ATTACK_SKILL\t0.250\t0.3123\t0.3747\t0.437\t1.000\n"),
              std::string::npos);
}

} // namespace
// An imported bot keeps the form its file wrote a number in, and the form
// decides levels 2 and 3: a whole 1 at Skill 1 beside Skill 4's decimal
// leaves the game nothing to compute there.
TEST(GameLevelsTest, AKeptWholeNumberFormChangesTheComputedLevels) {
    BotProfile profile = EmptyProfile();
    ApplyDefaults(profile);
    SetFieldText(profile.name, "Knight");
    SetFieldText(profile.main_file, "knight_c.c");
    profile.skill[0].aim_skill = 1000;
    profile.skill[1].aim_skill = 400;
    const CharacteristicFormat& aim = *CharacteristicByName("CHARACTERISTIC_AIM_SKILL");
    EXPECT_DOUBLE_EQ(LevelsOfProfile(profile, true, PathStyle::Posix).At(aim, 2).number, 0.8);

    ProfileExtras extras;
    extras.levels[0].characteristics = {{"CHARACTERISTIC_AIM_SKILL", "1", "1.000", false}};
    const GameLevels kept = LevelsOfProfile(profile, true, PathStyle::Posix, extras);
    EXPECT_EQ(kept.At(aim, 1).form, LevelValue::Form::Whole);
    EXPECT_EQ(kept.At(aim, 2).form, LevelValue::Form::Uninitialized);
    EXPECT_EQ(kept.At(aim, 3).form, LevelValue::Form::Uninitialized);
    EXPECT_DOUBLE_EQ(kept.At(aim, 4).number, 0.4);
}

} // namespace vexa
