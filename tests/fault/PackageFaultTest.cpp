// Bot packages written while the disk runs out of room or the program is
// killed: no partial archive, and an older package survives byte for byte.
#include "FaultSupport.h"
#include "TempDir.h"
#include "core/archive/BotPackage.h"
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

constexpr std::time_t kModified = 1767268800;

AppSettings PerLevel() {
    AppSettings settings;
    ResetSettings(settings);
    settings.TabSkill = true;
    return settings;
}

// Ranger with other values, so that its package differs from Ranger's.
BotProfile OtherRanger() {
    BotProfile profile = Ranger();
    SetFieldText(profile.name, "Ranger Two");
    for (SkillProfile& block : profile.skill)
        block.attack_skill = 777;
    return profile;
}

TEST(PackageFault, AWriteThatRunsOutOfRoomLeavesNoPackageOrTheOlderOne) {
    TempDir dir;
    const std::string path = dir.file("zz-ranger.pk3");
    // No older package: nothing at all is left.
    for (const rlim_t room : {rlim_t{0}, rlim_t{512}, rlim_t{4096}}) {
        EXPECT_EQ(InChildWithFileLimit(
                      room, [&] { return ExportBotPackage(Ranger(), PerLevel(), path); }),
                  kPackageWriteFailed);
        EXPECT_TRUE(Snapshot(dir.path()).empty()) << room;
    }

    ASSERT_EQ(ExportBotPackage(Ranger(), PerLevel(), path, kModified), 0);
    const std::string older = ReadWholeFile(path);
    ASSERT_GT(older.size(), 4096u);
    for (const rlim_t room : {rlim_t{0}, rlim_t{512}, rlim_t{4096}}) {
        EXPECT_EQ(InChildWithFileLimit(
                      room, [&] { return ExportBotPackage(OtherRanger(), PerLevel(), path); }),
                  kPackageWriteFailed);
        EXPECT_EQ(ReadWholeFile(path), older) << room;
    }
    EXPECT_TRUE(Leftovers(dir.path()).empty());
    EXPECT_EQ(Snapshot(dir.path()).size(), 1u);
}

TEST(PackageFault, AKilledExportLeavesTheOldOrTheNewPackage) {
    TempDir dir;
    const std::string path = dir.file("zz-ranger.pk3");
    const BotProfile profiles[] = {Ranger(), OtherRanger()};
    std::string packages[2];
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(ExportBotPackage(profiles[i], PerLevel(), path, kModified), 0);
        packages[i] = ReadWholeFile(path);
    }
    ASSERT_NE(packages[0], packages[1]);

    std::mt19937 random(4242);
    std::uniform_int_distribution<int> delayMicroseconds(200, 20000);
    for (int round = 0; round < 20; ++round) {
        const pid_t child = fork();
        if (child == 0)
            for (int i = 0;; ++i)
                ExportBotPackage(profiles[i % 2], PerLevel(), path, kModified);
        std::this_thread::sleep_for(std::chrono::microseconds(delayMicroseconds(random)));
        kill(child, SIGKILL);
        EXPECT_EQ(fault::ExitStatusOf(child), -1);
        const std::string now = ReadWholeFile(path);
        EXPECT_TRUE(now == packages[0] || now == packages[1])
            << "round " << round << ": " << now.size() << " bytes";
    }
}

} // namespace
} // namespace vexa
