// vexa --generate PROFILE --pk3 PACKAGE: parsing, and the real executable
// run in temporary folders.
#include "core/cli/CommandLine.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include "FaultSupport.h"
#include "ZipEntries.h"
#include "core/archive/BotPackage.h"
#include "core/generate/GenerateSource.h"
#include "core/settings/AppSettings.h"

#include <map>
#endif

namespace vexa {
namespace {

using Mode = CommandLine::Mode;
using Args = std::vector<std::string>;

TEST(ParsePackageCommand, Pk3GoesWithGenerateOnly) {
    for (const Args& args : {Args{"--generate", "a.vxb", "--pk3", "out.pk3"},
                             Args{"--pk3=out.pk3", "--generate=a.vxb"}}) {
        const CommandLine line = ParseCommandLine(args, PathStyle::Posix);
        EXPECT_EQ(line.mode, Mode::Generate) << line.error;
        EXPECT_EQ(line.profileFile, "a.vxb");
        EXPECT_EQ(line.packageFile, "out.pk3");
    }
    EXPECT_FALSE(ParseCommandLine({"--generate", "a.vxb"}, PathStyle::Posix).packageFile);
    const CommandLine windows =
        ParseCommandLine({"/generate", "a.vxb", "/pk3", "C:\\out.pk3"}, PathStyle::Windows);
    EXPECT_EQ(windows.packageFile, "C:\\out.pk3");

    const std::pair<Args, const char*> errors[] = {
        {{"--pk3", "out.pk3"}, "--pk3 can only be used with --generate"},
        {{"--generate", "a.vxb", "--pk3"}, "--pk3 needs a package file"},
        {{"--generate", "a.vxb", "--pk3", "a.pk3", "--pk3", "b.pk3"},
         "--pk3 is given more than once"},
        {{"--generate", "a.vxb", "--pk3", "a.pk3", "--base-dir", "/x"},
         "--base-dir and --pk3 cannot be used together"},
    };
    for (const auto& [args, error] : errors) {
        const CommandLine line = ParseCommandLine(args, PathStyle::Posix);
        EXPECT_EQ(line.mode, Mode::Error) << error;
        EXPECT_EQ(line.error, error);
    }
}

#ifndef _WIN32

using fault::RunVexa;
using test::ReadWholeFile;
using test::TempDir;
using test::WriteWholeFile;

// A working folder with ranger.vxb and a vexa.ini whose base folder is
// `game`, and the files the loose run of vexa --generate writes there.
class PackageCommand : public testing::Test {
protected:
    void Save(const BotProfile& profile, bool tabSkill) {
        ASSERT_EQ(WriteProfileImage(profile, work.file("ranger.vxb")), 0);
        AppSettings settings;
        ResetSettings(settings);
        settings.BaseDir = game.path().string();
        settings.TabSkill = tabSkill;
        ASSERT_EQ(WriteSettingsFile(settings, work.file("vexa.ini")), 0);
    }
    fault::CommandResult Package(const std::string& target) {
        return RunVexa({"--generate", "ranger.vxb", "--pk3", target}, work.path().string());
    }

    TempDir work;
    TempDir game;
};

TEST_F(PackageCommand, WritesThePackageOfTheLooseFilesAndNothingElse) {
    for (const bool tabSkill : {false, true}) {
        SCOPED_TRACE(tabSkill ? "TabSkill on" : "TabSkill off");
        Save(fault::Ranger(), tabSkill);
        const std::string ini = ReadWholeFile(work.file("vexa.ini"));
        const fault::CommandResult run = Package("zz-ranger.pk3");
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out, "Bot package written to\nzz-ranger.pk3\n"
                           "If your model files are NOT named:\trng\n"
                           "then make sure you change the name of the model in the .bot file\n");
        // The base folder stays untouched, and so does vexa.ini.
        EXPECT_TRUE(fault::Snapshot(game.path()).empty());
        EXPECT_EQ(ReadWholeFile(work.file("vexa.ini")), ini);

        ASSERT_EQ(RunVexa({"--generate", "ranger.vxb"}, work.path().string()).status, 0);
        const auto loose = fault::Snapshot(game.path());
        const auto entries = test::ReadZipEntries(work.file("zz-ranger.pk3"));
        ASSERT_TRUE(entries.has_value());
        std::map<std::string, std::string> packed;
        for (const test::ZipEntry& entry : *entries)
            packed[entry.name] = entry.bytes;
        EXPECT_EQ(packed, loose);
        EXPECT_EQ(packed.size(), tabSkill ? 11u : 5u);
        std::filesystem::remove_all(game.path() / "botfiles");
        std::filesystem::remove_all(game.path() / "scripts");
    }
}

TEST_F(PackageCommand, FailuresExitWithTheirCodeAndKeepTheOlderPackage) {
    Save(fault::Ranger(), false);
    ASSERT_EQ(Package("zz-ranger.pk3").status, 0);
    const std::string older = ReadWholeFile(work.file("zz-ranger.pk3"));

    BotProfile nameless = fault::Ranger();
    SetFieldText(nameless.name, "");
    Save(nameless, false);
    fault::CommandResult run = Package("zz-ranger.pk3");
    EXPECT_EQ(run.status, 14);
    EXPECT_EQ(run.err, GenerateResultMessage(14) + "\n");
    EXPECT_EQ(run.out, "");

    Save(fault::Ranger(), false);
    run = Package(work.file("missing/zz-ranger.pk3"));
    EXPECT_EQ(run.status, kPackageOpenFailed);
    EXPECT_EQ(run.err, "Package not created, error opening package file\n" +
                           work.file("missing/zz-ranger.pk3") + ": No such file or directory\n");

    // Room for a few hundred bytes only: the archive stops part-way.
    run =
        RunVexa({"--generate", "ranger.vxb", "--pk3", "zz-ranger.pk3"}, work.path().string(), 300);
    EXPECT_EQ(run.status, kPackageWriteFailed);
    EXPECT_EQ(run.err, "Package not created, error writing package file\n" +
                           work.file("zz-ranger.pk3") + ": File too large\n");

    EXPECT_EQ(ReadWholeFile(work.file("zz-ranger.pk3")), older);
    EXPECT_TRUE(fault::Leftovers(work.path()).empty());
    EXPECT_TRUE(fault::Snapshot(game.path()).empty());

    run = RunVexa({"--pk3", "zz-ranger.pk3"}, work.path().string());
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("--pk3 can only be used with --generate"), std::string::npos);
}

// The files of a package by their paths.
std::map<std::string, std::string> PackedFiles(const std::string& path) {
    std::map<std::string, std::string> files;
    if (const auto entries = test::ReadZipEntries(path))
        for (const test::ZipEntry& entry : *entries)
            files[entry.name] = entry.bytes;
    return files;
}

TEST_F(PackageCommand, TheImportOfThePackageGivesBackTheBot) {
    for (const bool tabSkill : {false, true}) {
        SCOPED_TRACE(tabSkill ? "TabSkill on" : "TabSkill off");
        Save(fault::Ranger(), tabSkill);
        ASSERT_EQ(Package("zz-ranger.pk3").status, 0);
        const fault::CommandResult imported =
            RunVexa({"--import", "zz-ranger.pk3", "--output", "back.vxb"}, work.path().string());
        ASSERT_EQ(imported.status, 0) << imported.err;
        const fault::CommandResult again =
            RunVexa({"--generate", "back.vxb", "--pk3", "back.pk3"}, work.path().string());
        ASSERT_EQ(again.status, 0) << again.err;
        const auto first = PackedFiles(work.file("zz-ranger.pk3"));
        EXPECT_EQ(first.size(), tabSkill ? 11u : 5u);
        EXPECT_TRUE(PackedFiles(work.file("back.pk3")) == first);
        if (tabSkill) { // every value of the profile is in the package
            EXPECT_TRUE(ReadWholeFile(work.file("back.vxb")) ==
                        ReadWholeFile(work.file("ranger.vxb")));
        }
    }
}

#endif

} // namespace
} // namespace vexa
