// Importing the files that Create Arvon source writes for a profile, keeping
// their file names, and generating again writes the same files, byte for
// byte, with TabSkill off and on, in the path style of this system.
#include "ImportTestSupport.h"
#include "core/import/BotImport.h"
#include "core/script/ChatLine.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace vexa {
namespace {

std::string Listing(const std::vector<MemoryFiles::File>& files) {
    std::string listing;
    for (const MemoryFiles::File& file : files)
        listing += "=== " + file.path + "\n" + file.text;
    return listing;
}

// The first file that differs, for a readable failure.
std::string FirstDifference(const std::vector<MemoryFiles::File>& a,
                            const std::vector<MemoryFiles::File>& b) {
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i)
        if (a[i].path != b[i].path || a[i].text != b[i].text)
            return a[i].path + ":\n" + a[i].text + "\n--- became " + b[i].path + ":\n" + b[i].text;
    return a.size() == b.size() ? "" : "a different number of files";
}

TEST(ImportRoundTrip, GeneratedFilesComeBackByteForByte) {
    test::RandomBots random(20261208);
    for (int run = 0; run < 150; ++run) {
        const BotProfile profile = random.Profile();
        for (const SkillProfile& block : profile.skill)
            for (const auto& category : block.chat_lines)
                for (const auto& line : category)
                    ASSERT_TRUE(CheckChatLine(FieldText(line)).readable) << FieldText(line);
        for (const bool tabSkill : {false, true}) {
            const auto first = test::Generated(profile, tabSkill, NativePathStyle());
            ASSERT_FALSE(first.empty());
            MemoryFileSource source;
            test::AddGenerated(source, first);

            std::vector<ReportEntry> problems;
            const std::vector<BotEntry> bots = ListBots(source, &problems);
            ASSERT_EQ(bots.size(), 1u) << ReportText(problems);
            const ImportResult imported = ImportBot(source, bots[0], {true});
            ASSERT_TRUE(imported.ok) << imported.error;
            // The designer's own files lose nothing.
            EXPECT_EQ(ReportText(imported.report), "");

            const auto second = test::Generated(imported.profile, tabSkill, NativePathStyle());
            ASSERT_TRUE(Listing(second) == Listing(first))
                << FirstDifference(first, second) << "\nrun " << run << ", TabSkill " << tabSkill
                << "\n"
                << ReportText(imported.report);
        }
    }
}

// Without the original names the bot is written under the default names of
// its main file, with the same values and lines (in this system's path
// style, in which the import tells a default name from a stored one).
TEST(ImportRoundTrip, DefaultNamesKeepEveryValueAndLine) {
    test::RandomBots random(7);
    for (int run = 0; run < 40; ++run) {
        BotProfile profile = random.Profile();
        MemoryFileSource source;
        test::AddGenerated(source, test::Generated(profile, true, NativePathStyle()));
        const std::vector<BotEntry> bots = ListBots(source);
        ASSERT_EQ(bots.size(), 1u);
        const ImportResult imported = ImportBot(source, bots[0]);
        ASSERT_TRUE(imported.ok) << imported.error;

        // The same bot with every file-location field empty.
        for (SkillProfile& block : profile.skill) {
            SetFieldText(block.weaponweights, "");
            SetFieldText(block.itemweights, "");
            SetFieldText(block.chat_file, "");
        }
        for (int index = 0; index < 3; ++index) {
            EXPECT_TRUE(FieldIsEmpty(imported.profile.skill[index].weaponweights));
            EXPECT_TRUE(FieldIsEmpty(imported.profile.skill[index].itemweights));
            EXPECT_TRUE(FieldIsEmpty(imported.profile.skill[index].chat_file));
        }
        const auto expected = test::Generated(profile, true, NativePathStyle());
        const auto actual = test::Generated(imported.profile, true, NativePathStyle());
        EXPECT_TRUE(Listing(actual) == Listing(expected))
            << FirstDifference(expected, actual) << "\n"
            << ReportText(imported.report);
    }
}

} // namespace
} // namespace vexa
