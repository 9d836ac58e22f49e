// Saves that fail part-way or are killed: the previous file must survive
// byte for byte, and the failure must come back as the command's result.
#include "FaultSupport.h"
#include "TempDir.h"
#include "core/generate/GenerateSource.h"
#include "core/profile/BotProfile.h"
#include "core/settings/AppSettings.h"
#include "core/util/FixedText.h"

#include <chrono>
#include <gtest/gtest.h>
#include <random>
#include <thread>

namespace vexa {
namespace {

using fault::InChildWithFileLimit;
using fault::Leftovers;
using fault::Ranger;
using fault::Snapshot;
using test::ReadWholeFile;
using test::TempDir;
using test::WriteWholeFile;

// Ranger changed so that every one of its generated files changes.
BotProfile ChangedRanger() {
    BotProfile profile = Ranger();
    SetFieldText(profile.name, "Ranger Two");
    for (SkillProfile& block : profile.skill) {
        block.attack_skill = 777;
        block.weapon_railgun = 499;
        block.item_w_quad = 321;
        SetFieldText(block.chat_lines[0][0], "\"Hello again\"");
    }
    return profile;
}

// The files that generation writes for Ranger with TabSkill off, in the order
// they are written.
const std::vector<std::string> kRangerFiles = {
    "botfiles/bots/ranger_c.c", "botfiles/bots/ranger_w.c", "botfiles/bots/ranger_i.c",
    "botfiles/bots/ranger_t.c", "scripts/rng.bot"};

TEST(WriteFailure, ProfileDefaultBotAndSettingsKeepTheirPreviousFile) {
    TempDir dir;
    const std::string profilePath = dir.file("ranger.vxb");
    const std::string defaultPath = dir.file("defbot.ini");
    const std::string settingsPath = dir.file("vexa.ini");
    const BotProfile old = Ranger();
    ASSERT_EQ(WriteProfileImage(old, profilePath), 0);
    ASSERT_EQ(WriteDefaultBot(old, defaultPath), 0);
    AppSettings oldSettings;
    oldSettings.BaseDir = "/old/base/";
    ASSERT_EQ(WriteSettingsFile(oldSettings, settingsPath), 0);
    const auto before = Snapshot(dir.path());

    // Room for 4096 bytes: the 68460-byte image stops part-way.
    const BotProfile changed = ChangedRanger();
    EXPECT_EQ(InChildWithFileLimit(4096, [&] { return WriteProfileImage(changed, profilePath); }),
              2);
    EXPECT_EQ(InChildWithFileLimit(4096, [&] { return WriteDefaultBot(changed, defaultPath); }), 2);
    // The settings file is a few hundred bytes; a long folder makes it stop.
    AppSettings newSettings;
    newSettings.BaseDir = "/" + std::string(5000, 'b') + "/";
    EXPECT_EQ(
        InChildWithFileLimit(4096, [&] { return WriteSettingsFile(newSettings, settingsPath); }),
        2);

    EXPECT_EQ(Snapshot(dir.path()), before);
    EXPECT_TRUE(Leftovers(dir.path()).empty());
    EXPECT_STREQ(SaveBotMessage(2), "File not saved, error writing file");
    EXPECT_STREQ(DefaultBotMessage(2), "Default bot not set, error writing file");
}

// Fails the write of the generated file numbered `failAt` (1 for the first)
// for real: the real files on disk, with the process's file size limit
// lowered to a few bytes for that one file.
class FailOneWrite final : public OutputFiles {
public:
    explicit FailOneWrite(int failAt) : failAt_(failAt) {}
    bool CreateFolder(const std::string& path) override { return disk_.CreateFolder(path); }
    WriteStatus WriteTextFile(const std::string& path, std::string_view text) override {
        return WriteText(path, text).status;
    }
    WriteFailure WriteText(const std::string& path, std::string_view text) override {
        if (++writes_ != failAt_)
            return disk_.WriteText(path, text);
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        fault::LimitFileSize(16);
        const WriteFailure failure = disk_.WriteText(path, text);
        setrlimit(RLIMIT_FSIZE, &saved);
        return failure;
    }
    WriteFailure CommitFiles() override { return disk_.CommitFiles(); }
    void DiscardFiles() override {
        disk_.DiscardFiles();
        leftAfterDiscard = fault::Leftovers(folder).size();
    }
    std::filesystem::path folder;
    std::size_t leftAfterDiscard = 99;

private:
    DiskFiles disk_;
    int failAt_;
    int writes_ = 0;
};

TEST(WriteFailure, EachGeneratedFileReportsItsWriteCodeAndKeepsTheOldFiles) {
    TempDir reference;
    AppSettings settings;
    settings.BaseDir = reference.path().string();
    ASSERT_EQ(GenerateSource(ChangedRanger(), settings), 0);
    const auto fresh = Snapshot(reference.path());

    const int codes[] = {12, 22, 32, 42, 52};
    for (int file = 1; file <= 5; ++file) {
        SCOPED_TRACE(kRangerFiles[file - 1]);
        TempDir dir;
        settings.BaseDir = dir.path().string();
        ASSERT_EQ(GenerateSource(Ranger(), settings), 0);
        const auto old = Snapshot(dir.path());
        ASSERT_EQ(old.size(), kRangerFiles.size());

        const int result = InChildWithFileLimit(RLIM_INFINITY, [&] {
            FailOneWrite files(file);
            files.folder = dir.path();
            AppSettings run = settings;
            const int code = GenerateSource(ChangedRanger(), run, PathStyle::Posix, files);
            // The temporary files are gone as soon as the run fails.
            return files.leftAfterDiscard == 0 ? code : 99;
        });
        EXPECT_EQ(result, codes[file - 1]);
        EXPECT_FALSE(GenerateResultMessage(result).empty());

        // All or nothing: the files written before the failing one were
        // never put in place, so every file is the old one, byte for byte.
        for (const std::string& name : kRangerFiles)
            ASSERT_NE(old.at(name), fresh.at(name)) << name;
        EXPECT_EQ(Snapshot(dir.path()), old);
        EXPECT_TRUE(Leftovers(dir.path()).empty());
    }
}

// Puts a folder where the item weights file is just before the files are
// moved into place: the rare failure half-way through the moves.
class BlockedMove final : public OutputFiles {
public:
    explicit BlockedMove(std::filesystem::path blocked) : blocked_(std::move(blocked)) {}
    bool CreateFolder(const std::string& path) override { return disk_.CreateFolder(path); }
    WriteStatus WriteTextFile(const std::string& path, std::string_view text) override {
        return WriteText(path, text).status;
    }
    WriteFailure WriteText(const std::string& path, std::string_view text) override {
        return disk_.WriteText(path, text);
    }
    WriteFailure CommitFiles() override {
        std::filesystem::remove(blocked_);
        std::filesystem::create_directories(blocked_ / "in the way");
        return disk_.CommitFiles();
    }
    const DiskFiles& disk() const { return disk_; }

private:
    DiskFiles disk_;
    std::filesystem::path blocked_;
};

TEST(WriteFailure, AMoveThatFailsPartWayNamesTheFilesAlreadyReplaced) {
    TempDir dir;
    AppSettings settings;
    settings.BaseDir = dir.path().string();
    ASSERT_EQ(GenerateSource(Ranger(), settings), 0);
    const auto old = Snapshot(dir.path());

    BlockedMove files(dir.path() / kRangerFiles[2]);
    EXPECT_EQ(GenerateSource(ChangedRanger(), settings, PathStyle::Posix, files), 31);
    const auto now = Snapshot(dir.path());
    EXPECT_NE(now.at(kRangerFiles[0]), old.at(kRangerFiles[0]));
    EXPECT_NE(now.at(kRangerFiles[1]), old.at(kRangerFiles[1]));
    EXPECT_EQ(now.at(kRangerFiles[3]), old.at(kRangerFiles[3]));
    EXPECT_EQ(now.at(kRangerFiles[4]), old.at(kRangerFiles[4]));
    EXPECT_TRUE(Leftovers(dir.path()).empty());
    EXPECT_EQ(GenerateFailureMessage(31, ChangedRanger(), settings, files.disk()),
              "Source not created, error opening item weights file\n" + dir.file(kRangerFiles[2]) +
                  ": Is a directory" + "\nThese files were replaced before the failure:\n" +
                  dir.file(kRangerFiles[0]) + "\n" + dir.file(kRangerFiles[1]));
}

// Kills a child that saves in a loop at a random moment, many times over; the
// file must always hold one complete image, never a mixture or a stump.
template <typename Save>
void KillWhileSaving(const std::string& path, const std::string& first, const std::string& second,
                     Save save) {
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> delayMicroseconds(200, 20000);
    for (int round = 0; round < 25; ++round) {
        const pid_t child = fork();
        if (child == 0) {
            for (int i = 0;; ++i)
                save(i % 2);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delayMicroseconds(random)));
        kill(child, SIGKILL);
        EXPECT_EQ(fault::ExitStatusOf(child), -1);
        const std::string now = ReadWholeFile(path);
        EXPECT_TRUE(now == first || now == second)
            << "round " << round << ": " << now.size() << " bytes";
    }
}

TEST(KilledSave, ProfileIsAlwaysTheOldOrTheNewImage) {
    TempDir dir;
    const std::string path = dir.file("ranger.vxb");
    const BotProfile profiles[] = {Ranger(), ChangedRanger()};
    ASSERT_EQ(WriteProfileImage(profiles[0], path), 0);
    KillWhileSaving(path, ProfileImage(profiles[0]), ProfileImage(profiles[1]),
                    [&](int which) { WriteProfileImage(profiles[which], path); });
    BotProfile read = EmptyProfile();
    EXPECT_EQ(ReadProfileImage(read, path), 0);
}

TEST(KilledSave, SettingsFileIsAlwaysTheOldOrTheNewFile) {
    TempDir dir;
    const std::string path = dir.file("vexa.ini");
    AppSettings settings[2];
    settings[1].BaseDir = "/" + std::string(3000, 'd') + "/";
    settings[1].TabSkill = true;
    ASSERT_EQ(WriteSettingsFile(settings[0], path), 0);
    KillWhileSaving(path, SettingsFileText(settings[0]), SettingsFileText(settings[1]),
                    [&](int which) { WriteSettingsFile(settings[which], path); });
}

TEST(KilledSave, GeneratedFilesAreAlwaysOldOrNew) {
    TempDir reference;
    AppSettings settings;
    settings.BaseDir = reference.path().string();
    ASSERT_EQ(GenerateSource(ChangedRanger(), settings), 0);
    const auto fresh = Snapshot(reference.path());

    TempDir dir;
    settings.BaseDir = dir.path().string();
    ASSERT_EQ(GenerateSource(Ranger(), settings), 0);
    const auto old = Snapshot(dir.path());
    const BotProfile profiles[] = {Ranger(), ChangedRanger()};
    const std::string characterFile = dir.file(kRangerFiles[0]);
    KillWhileSaving(characterFile, old.at(kRangerFiles[0]), fresh.at(kRangerFiles[0]),
                    [&](int which) {
                        AppSettings run = settings;
                        GenerateSource(profiles[which], run);
                    });
    for (const std::string& name : kRangerFiles) {
        const std::string now = ReadWholeFile(dir.file(name));
        EXPECT_TRUE(now == old.at(name) || now == fresh.at(name)) << name;
    }
}

} // namespace
} // namespace vexa
