// Paths where no file can be: a missing folder, a path below a regular file,
// a folder in the file's place, over-long names; and a profile file that
// shrinks while it is read. Each failure is reported and nothing that was
// on disk is lost.
#include "FaultSupport.h"
#include "TempDir.h"
#include "core/generate/GenerateSource.h"
#include "core/profile/BotProfile.h"
#include "core/settings/AppSettings.h"
#include "core/util/FixedText.h"

#include <chrono>
#include <gtest/gtest.h>
#include <random>

namespace vexa {
namespace {

using fault::Leftovers;
using fault::Ranger;
using fault::Snapshot;
using test::ReadWholeFile;
using test::TempDir;
using test::WriteWholeFile;

// A folder made of components of 200 bytes below `base`, `length` bytes
// long in all (without creating it).
std::string LongFolder(const std::string& base, std::size_t length) {
    std::string folder = base;
    while (folder.size() < length)
        folder += "/" + std::string(200, 'p');
    return folder;
}

struct BadPath {
    const char* what;
    std::string path;
};

// Paths of every kind where neither a profile nor a settings file can be
// written or read, below `dir` (which holds a regular file "regular" and a
// folder "folder").
std::vector<BadPath> BadPaths(const TempDir& dir) {
    return {
        {"missing folder", dir.file("missing/bot.vxb")},
        {"below a regular file", dir.file("regular/bot.vxb")},
        {"a folder", dir.file("folder")},
        {"a name of 256 bytes", dir.file(std::string(252, 'n') + ".vxb")},
        {"a path of more than 4096 bytes", LongFolder(dir.path().string(), 4200) + "/bot.vxb"},
    };
}

TEST(BadPath, ProfileAndSettingsFilesFailToOpenAndChangeNothing) {
    TempDir dir;
    WriteWholeFile(dir.file("regular"), "regular file");
    std::filesystem::create_directory(dir.file("folder"));
    const auto before = Snapshot(dir.path());

    for (const BadPath& bad : BadPaths(dir)) {
        SCOPED_TRACE(bad.what);
        const BotProfile saved = Ranger();
        EXPECT_EQ(WriteProfileImage(saved, bad.path), 1);
        EXPECT_EQ(WriteDefaultBot(saved, bad.path), 1);

        BotProfile loaded = Ranger();
        SetFieldText(loaded.name, "Unchanged");
        const std::string image = ProfileImage(loaded);
        EXPECT_EQ(ReadProfileImage(loaded, bad.path), 1);
        EXPECT_EQ(ProfileImage(loaded), image);

        AppSettings settings;
        settings.BaseDir = "/kept/";
        settings.TabSkill = true;
        const AppSettings kept = settings;
        EXPECT_EQ(WriteSettingsFile(settings, bad.path), 1);
        EXPECT_EQ(ReadSettingsFile(settings, bad.path), 1);
        EXPECT_EQ(settings, kept);
    }
    EXPECT_EQ(Snapshot(dir.path()), before);
    EXPECT_TRUE(Leftovers(dir.path()).empty());
    EXPECT_STREQ(SaveBotMessage(1), "File not saved, error opening file");
    EXPECT_STREQ(LoadBotMessage(1), "File not loaded, error opening file");
    EXPECT_STREQ(DefaultBotMessage(1), "Default bot not set, error opening file");
}

TEST(BadPath, LongFoldersThatTheSystemAcceptsWorkWhole) {
    TempDir dir;
    const std::string folder = LongFolder(dir.path().string(), 3000);
    std::filesystem::create_directories(folder);

    const std::string profilePath = folder + "/" + std::string(240, 'r') + ".vxb";
    ASSERT_EQ(WriteProfileImage(Ranger(), profilePath), 0);
    BotProfile loaded = EmptyProfile();
    EXPECT_EQ(ReadProfileImage(loaded, profilePath), 0);
    EXPECT_EQ(ProfileImage(loaded), ProfileImage(Ranger()));

    AppSettings settings;
    settings.BaseDir = folder;
    ASSERT_EQ(GenerateSource(Ranger(), settings), 0);
    EXPECT_EQ(settings.BaseDir, folder + "/");
    EXPECT_FALSE(ReadWholeFile(folder + "/botfiles/bots/ranger_c.c").empty());
    EXPECT_FALSE(ReadWholeFile(folder + "/scripts/rng.bot").empty());
}

// Generation into a base folder where nothing can be created stops at the
// character file.
TEST(BadPath, GenerationIntoAnImpossibleBaseFolderStopsAtTheMainFile) {
    TempDir dir;
    WriteWholeFile(dir.file("regular"), "regular file");
    const auto before = Snapshot(dir.path());
    const struct {
        const char* what;
        std::string baseDir;
        bool buildFold;
    } cases[] = {
        {"missing folder, no folders built", dir.file("missing"), false},
        {"below a regular file", dir.file("regular/base"), true},
        {"below a regular file, no folders built", dir.file("regular/base"), false},
        {"a folder name of 256 bytes", dir.file(std::string(256, 'n')), true},
        {"a base folder of more than 4096 bytes", LongFolder(dir.path().string(), 4200), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        AppSettings settings;
        settings.BaseDir = c.baseDir;
        settings.BuildFold = c.buildFold;
        EXPECT_EQ(GenerateSource(Ranger(), settings), 11);
    }
    EXPECT_EQ(Snapshot(dir.path()), before);
    EXPECT_EQ(GenerateResultMessage(11), "Source not created, error opening main file");
}

// A folder in the place of one generated file: generation stops at that file
// with its open code, and the files written before it are complete.
TEST(BadPath, FolderInPlaceOfAGeneratedFileGivesItsOpenCode) {
    const struct {
        const char* file;
        int code;
    } cases[] = {
        {"botfiles/bots/ranger_c.c", 11}, {"botfiles/bots/ranger_w.c", 21},
        {"botfiles/bots/ranger_i.c", 31}, {"botfiles/bots/ranger_t.c", 41},
        {"scripts/rng.bot", 51},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        TempDir dir;
        std::filesystem::create_directories(dir.path() / c.file);
        AppSettings settings;
        settings.BaseDir = dir.path().string();
        EXPECT_EQ(GenerateSource(Ranger(), settings), c.code);
        EXPECT_TRUE(std::filesystem::is_directory(dir.path() / c.file));
        // All or nothing: the files written before it are not put in place.
        EXPECT_TRUE(Snapshot(dir.path()).empty());
        EXPECT_TRUE(Leftovers(dir.path()).empty());
    }
}

// Another process shrinks and restores the profile file over and over while
// it is loaded: every load gives either a whole image read from the file or a
// read error with the profile untouched. Linux does not make a read atomic
// against a truncate in another process: a page being read can be zeroed past
// the new end before it is copied, so a whole read may hold zero bytes where
// the file had others. Nothing else may differ, and nothing of the profile
// that was there before may remain.
TEST(ShrinkingProfile, EveryReadIsWholeOrLeavesTheProfileAlone) {
    TempDir dir;
    const std::string path = dir.file("ranger.vxb");
    const std::string image = ProfileImage(Ranger());
    WriteWholeFile(path, image);

    const pid_t shrinker = fork();
    if (shrinker == 0) {
        std::mt19937 random(7);
        for (;;) {
            if (truncate(path.c_str(), static_cast<off_t>(random() % kProfileImageSize)) != 0)
                _exit(1);
            // Restored in place, so that a reader can see any length of it.
            std::FILE* file = std::fopen(path.c_str(), "r+b");
            if (file == nullptr)
                _exit(1);
            std::fwrite(image.data(), 1, image.size(), file);
            std::fclose(file);
        }
    }
    int whole = 0;
    int shortReads = 0;
    // At least 300 reads, and on until both outcomes have been seen (a busy
    // machine may keep the shrinker waiting for a while).
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    for (int i = 0;
         (i < 300 || whole == 0 || shortReads == 0) && std::chrono::steady_clock::now() < deadline;
         ++i) {
        BotProfile profile = EmptyProfile();
        SetFieldText(profile.name, "Untouched");
        const std::string untouched = ProfileImage(profile);
        const int result = ReadProfileImage(profile, path);
        if (result == 0) {
            ++whole;
            const std::string read = ProfileImage(profile);
            ASSERT_EQ(read.size(), image.size());
            for (std::size_t b = 0; b < read.size(); ++b)
                ASSERT_TRUE(read[b] == image[b] || read[b] == '\0')
                    << "byte " << b << " of a whole read is neither the file's nor a torn zero";
        } else {
            ++shortReads;
            ASSERT_EQ(result, 2);
            ASSERT_EQ(ProfileImage(profile), untouched);
        }
    }
    kill(shrinker, SIGKILL);
    fault::ExitStatusOf(shrinker);
    // Both outcomes were seen, so both were checked.
    EXPECT_GT(whole, 0);
    EXPECT_GT(shortReads, 0);
    EXPECT_STREQ(LoadBotMessage(2), "File not loaded, error reading file");
}

} // namespace
} // namespace vexa
