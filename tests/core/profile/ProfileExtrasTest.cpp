// The extras stored after the profile record: they come back as written,
// the record before them stays what readers of the record alone expect, and
// a block that cannot be trusted is never used.
#include "core/profile/ProfileExtras.h"

#include "../../support/RandomExtras.h"
#include "../../support/TempDir.h"
#include "core/util/FixedText.h"

#include <gtest/gtest.h>

namespace vexa {
namespace {

using test::TempDir;

BotProfile SomeProfile() {
    BotProfile profile = EmptyProfile();
    ApplyDefaults(profile);
    SetFieldText(profile.name, "A Name Longer Than");
    SetFieldText(profile.model_name, "knight/re");
    return profile;
}

class ExtrasFiles : public ::testing::Test {
protected:
    TempDir dir;
    std::string path = dir.file("bot.vxb");
};

TEST_F(ExtrasFiles, RandomExtrasComeBackAndTheRecordStaysReadableAlone) {
    test::RandomExtrasMaker random(17);
    const BotProfile profile = SomeProfile();
    for (int run = 0; run < 40; ++run) {
        const ProfileExtras extras = random.Extras();
        ASSERT_EQ(WriteProfileFile(profile, extras, path), 0);
        const std::string bytes = test::ReadWholeFile(path);
        EXPECT_EQ(bytes.substr(0, kProfileImageSize), ProfileImage(profile));
        EXPECT_EQ(bytes.size() == kProfileImageSize, extras.empty());

        BotProfile loaded = EmptyProfile();
        ProfileExtras loadedExtras;
        ExtrasStatus status{};
        ASSERT_EQ(ReadProfileFile(loaded, loadedExtras, path, status), 0);
        EXPECT_EQ(status, extras.empty() ? ExtrasStatus::None : ExtrasStatus::Read);
        EXPECT_EQ(ProfileImage(loaded), ProfileImage(profile));
        EXPECT_TRUE(loadedExtras == extras) << "run " << run;

        BotProfile recordAlone = EmptyProfile();
        ASSERT_EQ(ReadProfileImage(recordAlone, path), 0);
        EXPECT_EQ(ProfileImage(recordAlone), ProfileImage(profile));
    }
}

TEST_F(ExtrasFiles, UntrustedBlocksAreReportedAndIgnored) {
    const BotProfile profile = SomeProfile();
    ProfileExtras extras;
    extras.model = "knight/red";
    extras.levels[1].chat.push_back({"kill_kamikaze", {"\"boom\""}});
    const std::string image = ProfileImage(profile);
    // What the first version holds is written as that version, which VEXA
    // of that version reads; the names and includes kept since need the
    // second.
    EXPECT_EQ(ExtrasBlock(extras, image)[4], 1);
    extras.mainFile = "sir_lancelot_of_the_lake_c.c";
    extras.levels[2].itemIncludes = {{"<inv.h>"}, {"\"fw_items.c\""}};
    const std::string block = ExtrasBlock(extras, image);
    EXPECT_EQ(block[4], 2);

    const auto status = [&](const std::string& record, const std::string& after) {
        test::WriteWholeFile(path, record + after);
        BotProfile loaded = EmptyProfile();
        ProfileExtras loadedExtras = extras;
        ExtrasStatus result{};
        EXPECT_EQ(ReadProfileFile(loaded, loadedExtras, path, result), 0);
        EXPECT_EQ(ProfileImage(loaded), record) << "the record is loaded whatever follows it";
        if (result != ExtrasStatus::Read) {
            EXPECT_TRUE(loadedExtras.empty());
        }
        return result;
    };
    ASSERT_EQ(status(image, block), ExtrasStatus::Read);

    // A program that kept only the record changed it: the block is set aside.
    std::string changed = image;
    changed[0] = 'B';
    EXPECT_EQ(status(changed, block), ExtrasStatus::SetAside);
    EXPECT_NE(std::string(ExtrasMessage(ExtrasStatus::SetAside)).find("set aside"),
              std::string::npos);

    // Any damaged byte, and any cut.
    for (std::size_t at = 4; at < block.size(); ++at) {
        std::string damaged = block;
        damaged[at] = static_cast<char>(damaged[at] ^ 0x5A);
        const ExtrasStatus result = status(image, damaged);
        // Bytes 4 and 5 are the version, 12 to 15 the record's checksum.
        EXPECT_TRUE(result == ExtrasStatus::Damaged ||
                    (at >= 4 && at < 6 && result == ExtrasStatus::NewVersion) ||
                    (at >= 12 && at < 16 && result == ExtrasStatus::SetAside))
            << "byte " << at;
    }
    for (std::size_t size = 4; size < block.size(); size += 7)
        EXPECT_EQ(status(image, block.substr(0, size)), ExtrasStatus::Damaged) << size;
    EXPECT_EQ(status(image, block + "x"), ExtrasStatus::Damaged);
    // Other bytes after the record are no block, as before.
    EXPECT_EQ(status(image, std::string(40, 'x')), ExtrasStatus::None);

    // A newer version, and a block longer than any VEXA writes.
    std::string newer = block;
    newer[4] = 3;
    EXPECT_EQ(status(image, newer), ExtrasStatus::NewVersion);
    std::string huge = block;
    huge[10] = 0x7F; // length of 127 MiB and more
    EXPECT_EQ(status(image, huge), ExtrasStatus::Damaged);

    // A block with correct checksums whose texts would break a bot file.
    for (const auto& [key, value] :
         {std::pair<std::string, std::string>{"funname", "two\nlines"}, {"a\"b", "x"}}) {
        ProfileExtras hostile;
        hostile.infoKeys.emplace_back(key, value);
        EXPECT_EQ(status(image, ExtrasBlock(hostile, image)), ExtrasStatus::Damaged) << key;
    }
    ProfileExtras tooLong;
    tooLong.levels[0].chat.push_back({"game_enter", {std::string(256, 'x')}});
    EXPECT_EQ(status(image, ExtrasBlock(tooLong, image)), ExtrasStatus::Damaged);
    for (const char* include : {"\"inv.h", "inv.h", "<a>b>", "\"a\nb\"", ""}) {
        ProfileExtras hostile;
        hostile.levels[0].weaponIncludes.after.push_back(include);
        EXPECT_EQ(status(image, ExtrasBlock(hostile, image)), ExtrasStatus::Damaged) << include;
    }
}

TEST_F(ExtrasFiles, DefaultBotKeepsTheExtrasButNotNameAndModel) {
    BotProfile profile = SomeProfile();
    ProfileExtras extras;
    extras.name = "A Name Longer Than Its Field";
    extras.model = "knight/red";
    extras.infoKeys.emplace_back("funname", "^1Knight");
    ASSERT_EQ(WriteDefaultBotFile(profile, extras, path), 0);

    BotProfile loaded = EmptyProfile();
    ProfileExtras loadedExtras;
    ExtrasStatus status{};
    ASSERT_EQ(LoadStartupProfileFile(loaded, loadedExtras, path, status), 0);
    EXPECT_EQ(status, ExtrasStatus::Read);
    EXPECT_TRUE(FieldIsEmpty(loaded.name));
    EXPECT_TRUE(loadedExtras.name.empty() && loadedExtras.model.empty());
    EXPECT_EQ(loadedExtras.infoKeys, extras.infoKeys);
    EXPECT_EQ(FieldText(profile.name), "A Name Longer Than"); // the profile is unchanged
}

// The chat lines of a situation: the record holds the first ten that fit,
// the extras the whole list only when the record cannot.
TEST(KeptChatLines, RecordHoldsTheFirstTenThatFit) {
    test::RandomExtrasMaker random(3);
    for (int run = 0; run < 50; ++run) {
        BotProfile profile = EmptyProfile();
        LevelExtras extras;
        const int category = random.Between(0, kChatCategoryCount - 1);
        const std::vector<std::string> lines = random.ChatLines(0, 14);
        SetChatLines(profile.skill[0], extras, category, lines);
        EXPECT_EQ(ChatLinesOf(profile.skill[0], extras, category), lines);
        std::size_t inRecord = 0;
        for (const std::string& line : lines)
            if (line.size() <= 79 && inRecord < 10) {
                EXPECT_EQ(FieldText(profile.skill[0].chat_lines[category][inRecord++]), line);
            }
        EXPECT_EQ(extras.chat.empty(), inRecord == lines.size());

        // A program that edits the record alone wins over the kept list.
        SetFieldText(profile.skill[0].chat_lines[category][0], "\"edited\"");
        EXPECT_EQ(ChatLinesOf(profile.skill[0], extras, category).front(), "\"edited\"");
    }
}

TEST(KeptTexts, WholeTextWhileTheFieldHoldsItsCut) {
    EXPECT_EQ(KeptText("knight/re", "knight/red", 10), "knight/red");
    EXPECT_EQ(KeptText("sarge", "knight/red", 10), "sarge");
    EXPECT_EQ(KeptText("knight/re", "", 10), "knight/re");
    const std::vector<KeptLine> lines = {{"W_RAILGUN", "950", "500", false}};
    EXPECT_EQ(KeptFor(lines, "W_RAILGUN", "500")->value, "950");
    EXPECT_EQ(KeptFor(lines, "W_RAILGUN", "400"), nullptr);
}

} // namespace
} // namespace vexa
