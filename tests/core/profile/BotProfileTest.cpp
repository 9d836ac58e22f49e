#include "core/profile/BotProfile.h"

#include "TempDir.h"
#include "core/util/FixedText.h"

#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>

namespace vexa {
namespace {

using test::ReadWholeFile;
using test::TempDir;
using test::WriteWholeFile;

std::int32_t Int32At(const std::string& image, std::size_t offset) {
    const auto byte = [&](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(image[offset + i]));
    };
    return static_cast<std::int32_t>(byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24);
}

BotProfile DefaultProfile() {
    BotProfile profile = EmptyProfile();
    ApplyDefaults(profile);
    return profile;
}

TEST(ProfileDefaults, FillNumbersAndGenderOnly) {
    BotProfile profile = DefaultProfile();
    EXPECT_EQ(profile.skill[0].attack_skill, 250);
    EXPECT_EQ(profile.skill[0].reactiontime, 300);
    EXPECT_EQ(profile.skill[1].reactiontime, 175);
    EXPECT_EQ(profile.skill[2].reactiontime, 0);
    EXPECT_EQ(profile.skill[2].camper, 0);
    EXPECT_EQ(profile.skill[1].croucher, 100);
    EXPECT_EQ(profile.skill[2].view_maxchange, 360);
    EXPECT_EQ(profile.skill[0].chat_hittalking, 100);
    EXPECT_EQ(profile.skill[0].item_gww_bfg10k, 41);
    EXPECT_EQ(profile.skill[2].weapon_gauntlet, 5);
    for (const SkillProfile& block : profile.skill) {
        EXPECT_EQ(block.chat_cpm, 400);
        EXPECT_TRUE(FieldIsEmpty(block.itemweights));
        EXPECT_TRUE(FieldIsEmpty(block.weaponweights));
        EXPECT_TRUE(FieldIsEmpty(block.chat_file));
        EXPECT_TRUE(FieldIsEmpty(block.chat_name));
    }
    // Weights are the same in every level.
    EXPECT_EQ(
        std::memcmp(&profile.skill[0].item_fs_health, &profile.skill[2].item_fs_health, 27 * 4), 0);
    EXPECT_EQ(FieldText(profile.gender), "Male");
    EXPECT_TRUE(FieldIsEmpty(profile.name));
    EXPECT_TRUE(FieldIsEmpty(profile.model_name));
    EXPECT_TRUE(FieldIsEmpty(profile.main_file));
}

TEST(ProfileDefaults, KeepTextsAndChatLines) {
    BotProfile profile = EmptyProfile();
    SetFieldText(profile.name, "Ranger");
    SetFieldText(profile.skill[1].chat_lines[3][2], "\"gg\"");
    ApplyDefaults(profile);
    EXPECT_EQ(FieldText(profile.name), "Ranger");
    EXPECT_EQ(FieldText(profile.skill[1].chat_lines[3][2]), "\"gg\"");
}

TEST(ProfileLevels, MapLevelsToBlocks) {
    BotProfile profile = EmptyProfile();
    EXPECT_EQ(BlockForLevel(profile, 1), &profile.skill[0]);
    EXPECT_EQ(BlockForLevel(profile, 4), &profile.skill[1]);
    EXPECT_EQ(BlockForLevel(profile, 5), &profile.skill[2]);
    for (int level : {0, 2, 3, 6, -1})
        EXPECT_EQ(BlockForLevel(profile, level), nullptr) << level;
    EXPECT_EQ(LevelOfBlock(0), 1);
    EXPECT_EQ(LevelOfBlock(1), 4);
    EXPECT_EQ(LevelOfBlock(2), 5);
    EXPECT_EQ(LevelOfBlock(3), 0);
}

TEST(ProfileImageLayout, PlacesFieldsAtTheirOffsets) {
    BotProfile profile = DefaultProfile();
    SetFieldText(profile.name, "Ranger");
    SetFieldText(profile.gender, "Female");
    SetFieldText(profile.model_name, "rng");
    SetFieldText(profile.main_file, "ranger_c.c");
    profile.skill[1].attack_skill = -5;
    profile.skill[2].weapon_grapple = 0x01020304;
    SetFieldText(profile.skill[2].chat_lines[27][9], "last");
    SetFieldText(profile.skill[0].chat_name, "rng");

    const std::string image = ProfileImage(profile);
    ASSERT_EQ(image.size(), 68460u);
    EXPECT_EQ(image.substr(0, 7), std::string("Ranger\0", 7));
    EXPECT_EQ(image.substr(20, 7), std::string("Female\0", 7));
    EXPECT_EQ(image.substr(30, 4), std::string("rng\0", 4));
    EXPECT_EQ(image.substr(40, 11), std::string("ranger_c.c\0", 11));
    EXPECT_EQ(Int32At(image, 60), 250);                 // Skill 1 attack_skill
    EXPECT_EQ(Int32At(image, 60 + 20), 300);            // Skill 1 reactiontime
    EXPECT_EQ(Int32At(image, 22860), -5);               // Skill 4 begins at 22860
    EXPECT_EQ(Int32At(image, 45660 + 356), 0x01020304); // Skill 5 weapon_grapple, little-endian
    EXPECT_EQ(image.substr(60 + 380, 4), std::string("rng\0", 4));
    EXPECT_EQ(image.substr(68380, 5), std::string("last\0", 5)); // the last 80 bytes
}

TEST(ProfileImageLayout, RoundTripsAnyBytes) {
    std::string image(kProfileImageSize, '\0');
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<char>((i * 7919) % 251);
    EXPECT_EQ(ProfileImage(ProfileFromImage(image)), image);
}

TEST(ProfileImageLayout, TextFieldsWithoutTerminatorStayInsideTheirWidth) {
    std::string image(kProfileImageSize, 'A');
    const BotProfile profile = ProfileFromImage(image);
    EXPECT_EQ(FieldText(profile.name), std::string(20, 'A'));
    EXPECT_EQ(FieldText(profile.gender), std::string(10, 'A'));
    EXPECT_EQ(FieldText(profile.skill[2].chat_lines[27][9]), std::string(80, 'A'));
}

TEST(FixedText, StoringCutsAndClearsTheField) {
    char field[10];
    std::memset(field, 'x', sizeof field);
    SetFieldText(field, "a much longer text");
    EXPECT_EQ(FieldText(field), "a much lo");
    SetFieldText(field, "ab");
    EXPECT_EQ(std::string(field, 10), std::string("ab\0\0\0\0\0\0\0\0", 10));
    SetFieldText(field, std::string_view("c\0d", 3));
    EXPECT_EQ(FieldText(field), "c");
}

class ProfileFiles : public ::testing::Test {
protected:
    TempDir dir;
};

TEST_F(ProfileFiles, WriteThenReadGivesTheSameProfile) {
    BotProfile profile = DefaultProfile();
    SetFieldText(profile.name, "Ranger");
    const std::string path = dir.file("ranger.vxb");
    ASSERT_EQ(WriteProfileImage(profile, path), 0);
    EXPECT_EQ(std::filesystem::file_size(path), 68460u);

    BotProfile loaded = EmptyProfile();
    ASSERT_EQ(ReadProfileImage(loaded, path), 0);
    EXPECT_EQ(ProfileImage(loaded), ProfileImage(profile));
    // Only temporary files would be left next to it; there are none.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(ProfileFiles, ShortFileIsRefusedAndLeavesTheProfileAlone) {
    BotProfile original = DefaultProfile();
    SetFieldText(original.name, "Keep");
    WriteWholeFile(dir.file("short.vxb"), std::string(68459, 'Z'));
    BotProfile profile = original;
    EXPECT_EQ(ReadProfileImage(profile, dir.file("short.vxb")), 2);
    EXPECT_EQ(ProfileImage(profile), ProfileImage(original));
}

TEST_F(ProfileFiles, LongerFileCountsOnlyItsFirstImage) {
    BotProfile profile = DefaultProfile();
    SetFieldText(profile.name, "Long");
    WriteWholeFile(dir.file("long.vxb"), ProfileImage(profile) + std::string(40, '\xff'));
    BotProfile loaded = EmptyProfile();
    EXPECT_EQ(ReadProfileImage(loaded, dir.file("long.vxb")), 0);
    EXPECT_EQ(FieldText(loaded.name), "Long");
}

TEST_F(ProfileFiles, OpenFailuresAreResultOne) {
    BotProfile profile = DefaultProfile();
    EXPECT_EQ(ReadProfileImage(profile, dir.file("missing.vxb")), 1);
    EXPECT_EQ(ReadProfileImage(profile, dir.path().string()), 1); // a folder
    EXPECT_EQ(WriteProfileImage(profile, dir.file("no/such/folder/x.vxb")), 1);
    WriteWholeFile(dir.file("plain"), "x");
    EXPECT_EQ(WriteProfileImage(profile, dir.file("plain/below.vxb")), 1);
    std::filesystem::create_directory(dir.file("folder.vxb"));
    EXPECT_EQ(WriteProfileImage(profile, dir.file("folder.vxb")), 1);
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("folder.vxb")));
}

TEST_F(ProfileFiles, StartupLoadFallsBackToDefaults) {
    BotProfile profile = EmptyProfile();
    LoadStartupProfile(profile, dir.file("defbot.ini"));
    EXPECT_EQ(profile.skill[0].attack_skill, 250);
    EXPECT_EQ(FieldText(profile.gender), "Male");

    BotProfile stored = DefaultProfile();
    SetFieldText(stored.name, "Stored");
    stored.skill[0].attack_skill = 990;
    ASSERT_EQ(WriteProfileImage(stored, dir.file("defbot.ini")), 0);
    BotProfile loaded = EmptyProfile();
    LoadStartupProfile(loaded, dir.file("defbot.ini"));
    EXPECT_EQ(FieldText(loaded.name), "Stored");
    EXPECT_EQ(loaded.skill[0].attack_skill, 990);
}

TEST_F(ProfileFiles, DefaultBotBlanksNameAndModelInTheImageOnly) {
    BotProfile profile = DefaultProfile();
    SetFieldText(profile.name, "Ranger");
    SetFieldText(profile.model_name, "rng");
    const std::string path = dir.file("defbot.ini");
    ASSERT_EQ(WriteDefaultBot(profile, path), 0);
    EXPECT_EQ(FieldText(profile.name), "Ranger");
    EXPECT_EQ(FieldText(profile.model_name), "rng");
    const std::string image = ReadWholeFile(path);
    ASSERT_EQ(image.size(), 68460u);
    EXPECT_EQ(image.substr(0, 20), std::string(20, '\0'));
    EXPECT_EQ(image.substr(30, 10), std::string(10, '\0'));
    EXPECT_EQ(image.substr(20, 5), std::string("Male\0", 5));
}

TEST_F(ProfileFiles, ReplacingKeepsTheOldFileWhenTheNewOneCannotBeWritten) {
    BotProfile first = DefaultProfile();
    SetFieldText(first.name, "First");
    const std::string path = dir.file("bot.vxb");
    ASSERT_EQ(WriteProfileImage(first, path), 0);
    const std::string before = ReadWholeFile(path);

    BotProfile second = DefaultProfile();
    SetFieldText(second.name, "Second");
    ASSERT_EQ(WriteProfileImage(second, path), 0);
    EXPECT_NE(ReadWholeFile(path), before);
    EXPECT_EQ(ReadWholeFile(path), ProfileImage(second));
}

TEST(ProfileMessages, MatchEveryResult) {
    EXPECT_STREQ(SaveBotMessage(0), "File saved");
    EXPECT_STREQ(SaveBotMessage(1), "File not saved, error opening file");
    EXPECT_STREQ(SaveBotMessage(2), "File not saved, error writing file");
    EXPECT_STREQ(LoadBotMessage(1), "File not loaded, error opening file");
    EXPECT_STREQ(LoadBotMessage(2), "File not loaded, error reading file");
    EXPECT_STREQ(DefaultBotMessage(0), "Default bot set");
    EXPECT_STREQ(DefaultBotMessage(1), "Default bot not set, error opening file");
    EXPECT_STREQ(DefaultBotMessage(2), "Default bot not set, error writing file");
}

} // namespace
} // namespace vexa
