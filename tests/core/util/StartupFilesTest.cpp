// The files read at start-up (the default bot, a profile named on the
// command line, the settings file) are read only when they are regular
// files, and only as far as the program needs them.
#include "TempDir.h"
#include "core/profile/BotProfile.h"
#include "core/settings/AppSettings.h"
#include "core/util/FixedText.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace vexa {
namespace {

using test::TempDir;
using test::WriteWholeFile;

BotProfile Defaults() {
    BotProfile profile = EmptyProfile();
    ApplyDefaults(profile);
    return profile;
}

#ifndef _WIN32
TEST(StartupFiles, PipesAndDevicesGiveTheDefaultsWithoutWaiting) {
    TempDir dir;
    ASSERT_EQ(mkfifo(dir.file("defbot.ini").c_str(), 0600), 0);
    ASSERT_EQ(mkfifo(dir.file("vexa.ini").c_str(), 0600), 0);
    for (const std::string& path : {dir.file("defbot.ini"), std::string("/dev/zero")}) {
        BotProfile profile = EmptyProfile();
        EXPECT_EQ(LoadStartupProfile(profile, path), 1) << path;
        EXPECT_EQ(ProfileImage(profile), ProfileImage(Defaults())) << path;
    }
    for (const std::string& path : {dir.file("vexa.ini"), std::string("/dev/zero")}) {
        AppSettings settings;
        settings.TabSkill = true;
        EXPECT_EQ(ReadSettingsFile(settings, path), 1) << path;
        EXPECT_TRUE(settings.TabSkill) << path;
    }
}
#endif

TEST(StartupFiles, HugeFilesAreReadOnlyAsFarAsNeeded) {
    TempDir dir;
    // Options past the first mebibyte are ignored; a line cut by that limit
    // counts as the file's unterminated last line.
    std::string text = "TabSkill = true\n";
    while (text.size() < kSettingsFileReadLimit - 8)
        text += "// filler line of the settings file\n";
    text += "BothTabs = true\nFineTune = true\n";
    WriteWholeFile(dir.file("vexa.ini"), text);
    AppSettings settings;
    ASSERT_EQ(ReadSettingsFile(settings, dir.file("vexa.ini")), 0);
    EXPECT_TRUE(settings.TabSkill);
    EXPECT_FALSE(settings.BothTabs);
    EXPECT_FALSE(settings.FineTune);

    // Gigabytes without a line feed (a sparse file, no disk used): the
    // defaults, read in bounded time and memory. A profile followed by
    // gigabytes of anything is the profile.
    BotProfile stored = Defaults();
    SetFieldText(stored.name, "Ranger");
    WriteWholeFile(dir.file("vexa.ini"), "");
    WriteWholeFile(dir.file("big.vxb"), ProfileImage(stored));
    for (const char* name : {"vexa.ini", "big.vxb"}) {
        std::error_code error;
        std::filesystem::resize_file(dir.file(name), std::uintmax_t{3} << 30, error);
        if (error)
            GTEST_SKIP() << "no sparse files here: " << error.message();
    }
    AppSettings huge;
    EXPECT_EQ(ReadSettingsFile(huge, dir.file("vexa.ini")), 0);
    EXPECT_EQ(huge, AppSettings{});
    BotProfile profile = EmptyProfile();
    EXPECT_EQ(LoadStartupProfile(profile, dir.file("big.vxb")), 0);
    EXPECT_EQ(ProfileImage(profile), ProfileImage(stored));
}

} // namespace
} // namespace vexa
