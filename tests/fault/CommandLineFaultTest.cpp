// vexa --generate against failing files and folders: the exit status, the
// message on standard error, and the files left on disk.
#include "FaultSupport.h"
#include "TempDir.h"
#include "core/profile/BotProfile.h"
#include "core/util/FixedText.h"

#include <gtest/gtest.h>

namespace vexa {
namespace {

using fault::CommandResult;
using fault::Leftovers;
using fault::Ranger;
using fault::RunVexa;
using fault::Snapshot;
using test::ReadWholeFile;
using test::TempDir;
using test::WriteWholeFile;

// A working folder with the profile ranger.vxb and a vexa.ini.
class CommandLineFault : public testing::Test {
protected:
    void SetUp() override {
        WriteWholeFile(work.file("ranger.vxb"), ProfileImage(Ranger()));
        WriteSettings(true);
    }
    void WriteSettings(bool buildFold) {
        settingsText = std::string("[SETTINGS]\nBaseDir = /nowhere\nBuildFold = ") +
                       (buildFold ? "true" : "false") + "\n";
        WriteWholeFile(work.file("vexa.ini"), settingsText);
    }
    CommandResult Generate(const std::string& profile, const std::string& baseDir,
                           rlim_t fileLimit = RLIM_INFINITY) {
        CommandResult result = RunVexa({"--generate", profile, "--base-dir", baseDir},
                                       work.path().string(), fileLimit);
        // The command line never writes the settings file.
        EXPECT_EQ(ReadWholeFile(work.file("vexa.ini")), settingsText);
        return result;
    }

    TempDir work;
    TempDir base;
    std::string settingsText;
};

TEST_F(CommandLineFault, UnreadableProfileExitsWithStatusOne) {
    WriteWholeFile(work.file("short.vxb"), ProfileImage(Ranger()).substr(0, 68459));
    std::filesystem::create_directory(work.file("folder.vxb"));
    const struct {
        std::string profile;
        std::string message;
    } cases[] = {
        {work.file("missing.vxb"), "File not loaded, error opening file\n"},
        {work.file("folder.vxb"), "File not loaded, error opening file\n"},
        {work.file(std::string(256, 'n') + ".vxb"), "File not loaded, error opening file\n"},
        {work.file("ranger.vxb/below.vxb"), "File not loaded, error opening file\n"},
        {work.file("short.vxb"), "File not loaded, error reading file\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.profile);
        const CommandResult result = Generate(c.profile, base.path().string());
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.err, c.message);
        EXPECT_EQ(result.out, "");
    }
    EXPECT_TRUE(Snapshot(base.path()).empty());
}

TEST_F(CommandLineFault, BaseFolderWhereNothingCanBeCreatedExitsWithElevens) {
    WriteWholeFile(work.file("regular"), "regular file");
    // The message, then the file with the system's reason.
    const std::string message = "Source not created, error opening main file\n";
    EXPECT_EQ(Generate(work.file("ranger.vxb"), work.file("regular/base")).err,
              message + work.file("regular/base/botfiles/bots/ranger_c.c") + ": Not a directory\n");
    EXPECT_EQ(Generate(work.file("ranger.vxb"), base.file(std::string(256, 'n'))).status, 11);
    WriteSettings(false);
    const CommandResult missing = Generate(work.file("ranger.vxb"), base.file("missing"));
    EXPECT_EQ(missing.status, 11);
    EXPECT_EQ(missing.err,
              message + base.file("missing/ranger_c.c") + ": No such file or directory\n");
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(ReadWholeFile(work.file("regular")), "regular file");
    EXPECT_TRUE(Snapshot(base.path()).empty());
}

TEST_F(CommandLineFault, FolderInPlaceOfAGeneratedFileExitsWithItsCode) {
    const struct {
        const char* file;
        int status;
        std::string message;
    } cases[] = {
        {"botfiles/bots/ranger_c.c", 11, "Source not created, error opening main file\n"},
        {"botfiles/bots/ranger_w.c", 21, "Source not created, error opening weapon weights file\n"},
        {"botfiles/bots/ranger_i.c", 31, "Source not created, error opening item weights file\n"},
        {"botfiles/bots/ranger_t.c", 41, "Source not created, error opening chat convos file\n"},
        {"scripts/rng.bot", 51, "Source not created, error opening .bot file\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        TempDir target;
        std::filesystem::create_directories(target.path() / c.file);
        const CommandResult result = Generate(work.file("ranger.vxb"), target.path().string());
        EXPECT_EQ(result.status, c.status);
        EXPECT_EQ(result.err, c.message + target.file(c.file) + ": Is a directory\n");
        EXPECT_EQ(result.out, "");
    }
}

TEST_F(CommandLineFault, WritesRunningOutOfRoomKeepTheOldFiles) {
    // The old files of an earlier run, and the files of the new profile.
    const std::string baseDir = base.path().string();
    ASSERT_EQ(Generate(work.file("ranger.vxb"), baseDir).status, 0);
    const auto old = Snapshot(base.path());
    BotProfile chatty = Ranger();
    chatty.skill[0].attack_skill = 999;
    for (auto& category : chatty.skill[0].chat_lines)
        for (auto& line : category)
            SetFieldText(line, std::string(79, 'c'));
    WriteWholeFile(work.file("chatty.vxb"), ProfileImage(chatty));
    TempDir reference;
    ASSERT_EQ(Generate(work.file("chatty.vxb"), reference.path().string()).status, 0);
    const auto fresh = Snapshot(reference.path());
    const std::string c = "botfiles/bots/ranger_c.c";
    const std::string t = "botfiles/bots/ranger_t.c";
    ASSERT_LT(fresh.at(c).size(), 10000u);
    ASSERT_GT(fresh.at(t).size(), 10000u);

    // Room for 4096 bytes: the character file (about 6 KB) stops part-way.
    CommandResult result = Generate(work.file("chatty.vxb"), baseDir, 4096);
    EXPECT_EQ(result.status, 12);
    EXPECT_EQ(result.err, "Source not created, error writing main file\n" + base.file(c) +
                              ": File too large\n");
    EXPECT_EQ(Snapshot(base.path()), old);

    // Room for 10000 bytes: everything fits but the chat file, and so no
    // file changes.
    result = Generate(work.file("chatty.vxb"), baseDir, 10000);
    EXPECT_EQ(result.status, 42);
    EXPECT_EQ(result.err, "Source not created, error writing chat convos file\n" + base.file(t) +
                              ": File too large\n");
    EXPECT_EQ(result.out, "");
    EXPECT_NE(fresh.at(c), old.at(c));
    EXPECT_EQ(Snapshot(base.path()), old);
    EXPECT_TRUE(Leftovers(base.path()).empty());
}

TEST_F(CommandLineFault, SettingsFileThatIsAFolderMeansTheDefaults) {
    std::filesystem::remove(work.file("vexa.ini"));
    std::filesystem::create_directory(work.file("vexa.ini"));
    const CommandResult result =
        RunVexa({"--generate", work.file("ranger.vxb"), "--base-dir", base.path().string()},
                work.path().string());
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    // BuildFold is on by default: the files go below botfiles/bots/.
    EXPECT_EQ(Snapshot(base.path()).count("botfiles/bots/ranger_c.c"), 1u);
    EXPECT_TRUE(std::filesystem::is_directory(work.file("vexa.ini")));
}

} // namespace
} // namespace vexa
