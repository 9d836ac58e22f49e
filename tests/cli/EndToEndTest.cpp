// Runs the real vexa executable in temporary folders.
#include "RunProgram.h"
#include "TestSupport.h"
#include "core/cli/CommandLine.h"
#include "core/generate/GenerateSource.h"
#include "core/generate/Writers.h"
#include "core/settings/AppSettings.h"
#include "core/util/Paths.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace vexa {
namespace {

namespace fs = std::filesystem;
using test::ReadWholeFile;
using test::TempFolder;
using Outcome = test::ProgramRun;

#ifdef _WIN32
// Windows has no limit on file sizes to simulate a full disk with; the
// write failure codes are tested through the output files interface there.
struct NoLimit {};
using FileSizeLimit = NoLimit;
// The program's messages come with CR LF line ends, read back as "\n".
Outcome RunVexa(const fs::path& cwd, const std::vector<std::string>& args, NoLimit = {}) {
    Outcome run = test::RunProgram(VEXA_EXE, args, cwd);
    for (std::string* text : {&run.out, &run.err})
        std::erase(*text, '\r');
    return run;
}
#else
using FileSizeLimit = std::optional<rlim_t>;
// With `maxFileSize`, the files vexa writes may not grow beyond that many bytes.
Outcome RunVexa(const fs::path& cwd, const std::vector<std::string>& args,
                FileSizeLimit maxFileSize = std::nullopt) {
    return test::RunProgram(VEXA_EXE, args, cwd, maxFileSize);
}
#endif

// A generated text as written to the disk: with CR LF line ends on Windows.
std::string OnDisk(const std::string& text) {
#ifdef _WIN32
    std::string converted;
    for (char c : text) {
        if (c == '\n')
            converted.push_back('\r');
        converted.push_back(c);
    }
    return converted;
#else
    return text;
#endif
}

// A folder as the success message shows a base folder: in its normal form,
// with the platform's separator at the end.
std::string ShownFolder(const fs::path& folder) {
    return Utf8FromPath(folder) + PathSeparator(NativePathStyle());
}

// A working folder with a profile file and, optionally, a vexa.ini.
class GenerateCommand : public ::testing::Test {
protected:
    TempFolder work;
    TempFolder game;
    BotProfile profile = test::RangerProfile();

    std::string ProfilePath() const { return Utf8FromPath(work.path() / "ranger.vxb"); }
    void SaveProfile() { ASSERT_EQ(WriteProfileImage(profile, ProfilePath()), 0); }
    void SaveSettings(const std::string& baseDir, bool buildFold = true, bool tabSkill = false) {
        AppSettings settings;
        ResetSettings(settings);
        settings.BaseDir = baseDir;
        settings.BuildFold = buildFold;
        settings.TabSkill = tabSkill;
        ASSERT_EQ(WriteSettingsFile(settings, Utf8FromPath(work.path() / "vexa.ini")), 0);
    }
    Outcome Generate(std::vector<std::string> extra = {}, FileSizeLimit maxFileSize = {}) {
        std::vector<std::string> args = {"--generate", "ranger.vxb"};
        args.insert(args.end(), extra.begin(), extra.end());
        return RunVexa(work.path(), args, maxFileSize);
    }
    static std::string Failure(int code) { return GenerateResultMessage(code) + "\n"; }
};

TEST_F(GenerateCommand, WritesEveryFileAndReportsSuccess) {
    SaveProfile();
    SaveSettings(Utf8FromPath(game.path()));
    const std::string ini = ReadWholeFile(work.path() / "vexa.ini");
    const Outcome run = Generate();
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "Sourced created succesfully in\n" + ShownFolder(game.path()) +
                           "\nIf your model files are NOT named:\tranger\n"
                           "then make sure you change the name of the model in the .bot file\n");
    const fs::path bots = game.path() / "botfiles" / "bots";
    EXPECT_EQ(ReadWholeFile(bots / "ranger_c.c"), OnDisk(CharacterFileText(profile, false)));
    EXPECT_EQ(ReadWholeFile(bots / "ranger_w.c"), OnDisk(WeaponWeightsFileText(profile.skill[0])));
    EXPECT_EQ(ReadWholeFile(bots / "ranger_i.c"), OnDisk(ItemWeightsFileText(profile.skill[0])));
    EXPECT_EQ(ReadWholeFile(bots / "ranger_t.c"), OnDisk(ChatFileText(profile.skill[0], "ranger")));
    EXPECT_EQ(ReadWholeFile(game.path() / "scripts" / "ranger.bot"),
              OnDisk(BotInfoFileText(profile)));
    // The command line never writes the settings file.
    EXPECT_EQ(ReadWholeFile(work.path() / "vexa.ini"), ini);
}

TEST_F(GenerateCommand, TabSkillFromTheSettingsFileGivesOneFileSetPerLevel) {
    SaveProfile();
    SaveSettings(Utf8FromPath(game.path()), true, true);
    ASSERT_EQ(Generate().status, 0);
    for (const char* name : {"ranger_w1.c", "ranger_i4.c", "ranger_t5.c"})
        EXPECT_TRUE(fs::exists(game.path() / "botfiles" / "bots" / name)) << name;
    EXPECT_FALSE(fs::exists(game.path() / "botfiles" / "bots" / "ranger_w.c"));
}

TEST_F(GenerateCommand, BaseDirSwitchReplacesTheSettingForOneRun) {
    SaveProfile();
    SaveSettings("/nonexistent/elsewhere", false);
    const std::string ini = ReadWholeFile(work.path() / "vexa.ini");
    fs::create_directory(game.path() / "bots");
    const Outcome run = Generate({"--base-dir", Utf8FromPath(game.path())});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(fs::exists(game.path() / "ranger_c.c"));
    EXPECT_TRUE(fs::exists(game.path() / "bots" / "ranger_t.c"));
    EXPECT_TRUE(fs::exists(game.path() / "ranger.bot"));
    EXPECT_EQ(ReadWholeFile(work.path() / "vexa.ini"), ini);
}

TEST_F(GenerateCommand, WithoutSettingsFileThereIsNoBaseFolder) {
    SaveProfile();
    const Outcome run = Generate();
    EXPECT_EQ(run.status, 13);
    EXPECT_EQ(run.err, Failure(13));
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(fs::exists(work.path() / "vexa.ini"));
    // A relative base folder is refused the same way.
    EXPECT_EQ(Generate({"--base-dir", "relative/base"}).status, 13);
}

TEST_F(GenerateCommand, ProfileChecksFailWithTheirCodes) {
    SaveSettings(Utf8FromPath(game.path()));
    SetFieldText(profile.name, "");
    SaveProfile();
    EXPECT_EQ(Generate().err, Failure(14));
    profile = test::RangerProfile();
    SetFieldText(profile.gender, "");
    SaveProfile();
    EXPECT_EQ(Generate().status, 15);
    profile = test::RangerProfile();
    SetFieldText(profile.main_file, "");
    SaveProfile();
    const Outcome run = Generate();
    EXPECT_EQ(run.status, 16);
    EXPECT_EQ(run.err, Failure(16));
    EXPECT_TRUE(fs::is_directory(game.path() / "botfiles" / "bots"));
}

TEST_F(GenerateCommand, FilesThatCannotBeCreatedFailWithTheirCodes) {
    SaveProfile();
    // No bots folder and BuildFold off: the weapon weights file fails.
    SaveSettings(Utf8FromPath(game.path()), false);
    Outcome run = Generate();
    EXPECT_EQ(run.status, 21);
    EXPECT_EQ(run.err, Failure(21));
    EXPECT_TRUE(fs::exists(game.path() / "ranger_c.c"));

    // A base folder below a regular file: the main file fails.
    std::ofstream(game.path() / "plain") << "x";
    SaveSettings(Utf8FromPath(game.path() / "plain" / "base"));
    run = Generate();
    EXPECT_EQ(run.status, 11);
    EXPECT_EQ(run.err, Failure(11));

    // A model name naming a missing folder: only the .bot file fails.
    SaveSettings(Utf8FromPath(game.path()));
    SetFieldText(profile.model_name, "no/where");
    SaveProfile();
    run = Generate();
    EXPECT_EQ(run.status, 51);
    EXPECT_EQ(run.err, Failure(51));
    EXPECT_TRUE(fs::exists(game.path() / "botfiles" / "bots" / "ranger_t.c"));
}

#ifndef _WIN32
TEST_F(GenerateCommand, AWriteThatRunsOutOfRoomFailsAndKeepsThePreviousFile) {
    SaveProfile();
    SaveSettings(Utf8FromPath(game.path()));
    fs::create_directories(game.path() / "botfiles" / "bots");
    std::ofstream(game.path() / "botfiles" / "bots" / "ranger_c.c") << "previous";
    const Outcome run = Generate({}, 2000);
    EXPECT_EQ(run.status, 12);
    EXPECT_EQ(run.err, Failure(12));
    EXPECT_EQ(ReadWholeFile(game.path() / "botfiles" / "bots" / "ranger_c.c"), "previous");
}
#endif

TEST_F(GenerateCommand, UnreadableProfileGivesTheLoadMessage) {
    SaveSettings(Utf8FromPath(game.path()));
    Outcome run = Generate();
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "File not loaded, error opening file\n");

    std::ofstream(ProfilePath(), std::ios::binary) << std::string(kProfileImageSize - 1, 'x');
    run = Generate();
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "File not loaded, error reading file\n");
    EXPECT_TRUE(fs::is_empty(game.path()));
}

TEST(CommandLineProgram, HelpVersionAndUsageErrors) {
    TempFolder work;
    Outcome run = RunVexa(work.path(), {"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, UsageText());
    EXPECT_EQ(run.err, "");

    run = RunVexa(work.path(), {"--version"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, std::string("vexa ") + VEXA_VERSION + "\n");

    run = RunVexa(work.path(), {"--frobnicate"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err,
              "vexa: unknown option '--frobnicate'\nTry 'vexa --help' for more information.\n");

    run = RunVexa(work.path(), {"--generate"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("--generate needs a profile file"), std::string::npos);
    EXPECT_TRUE(fs::is_empty(work.path()));
}

// Folder and file names beyond ASCII: the working folder (with vexa.ini),
// the profile given by a relative and by an absolute path, and the base
// folder all reach the files and the messages unchanged.
TEST_F(GenerateCommand, NamesBeyondAsciiWorkEverywhere) {
    const fs::path here = work.path() / test::PathOfUtf8("runé");
    const fs::path base = game.path() / test::PathOfUtf8("café Ω");
    fs::create_directories(here);
    fs::create_directories(base);
    AppSettings settings;
    ResetSettings(settings);
    settings.BaseDir = Utf8FromPath(base);
    ASSERT_EQ(WriteSettingsFile(settings, Utf8FromPath(here / "vexa.ini")), 0);
    const std::string profilePath = Utf8FromPath(here / test::PathOfUtf8("Zoë.vxb"));
    ASSERT_EQ(WriteProfileImage(profile, profilePath), 0);

    for (const std::string& given : {std::string("Zoë.vxb"), profilePath}) {
        fs::remove_all(base / "botfiles");
        const Outcome run = RunVexa(here, {"--generate", given});
        EXPECT_EQ(run.status, 0) << given << ": " << run.err;
        EXPECT_EQ(run.out.substr(0, run.out.find('\n', 32)),
                  "Sourced created succesfully in\n" + ShownFolder(base));
        EXPECT_EQ(ReadWholeFile(base / "botfiles" / "bots" / "ranger_c.c"),
                  OnDisk(CharacterFileText(profile, false)));
        EXPECT_TRUE(fs::exists(base / "scripts" / "ranger.bot"));
    }
    // The same base folder given on the command line.
    const Outcome run = RunVexa(here, {"--generate", "Zoë.vxb", "--base-dir",
                                       Utf8FromPath(base / test::PathOfUtf8("ünder"))});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(fs::exists(base / test::PathOfUtf8("ünder") / "botfiles" / "bots" / "ranger_w.c"));
}

#ifdef _WIN32
TEST_F(GenerateCommand, WindowsSpecifics) {
    SaveProfile();
    // A base folder given with "/" is shown with "\" alone.
    std::string forward = Utf8FromPath(game.path());
    std::replace(forward.begin(), forward.end(), '\\', '/');
    SaveSettings(forward);
    Outcome run = Generate();
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, run.out.find('\n', 32)),
              "Sourced created succesfully in\n" + ShownFolder(game.path()));

    // A bot whose files would be named after a device: refused with the reason.
    SetFieldText(profile.model_name, "Con");
    SaveProfile();
    run = Generate();
    EXPECT_EQ(run.status, 51);
    EXPECT_EQ(run.err,
              GenerateResultMessage(51) + "\n" + ReservedDeviceNameReason("Con.bot") + "\n");
    // Nothing was written for it: only the first run's file is there.
    EXPECT_EQ(
        std::distance(fs::directory_iterator(game.path() / "scripts"), fs::directory_iterator()),
        1);

    // A target another program holds open without sharing: retried, then
    // refused with its own reason, and the file keeps what it held.
    profile = test::RangerProfile();
    SaveProfile();
    const fs::path mainFile = game.path() / "botfiles" / "bots" / "ranger_c.c";
    HANDLE held = CreateFileW(mainFile.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    run = Generate();
    CloseHandle(held);
    EXPECT_EQ(run.status, 11);
    EXPECT_EQ(run.err, GenerateResultMessage(11) + "\n" +
                           WriteFailureReason(WriteStatus::InUse, Utf8FromPath(mainFile)) + "\n");
    EXPECT_EQ(ReadWholeFile(mainFile), OnDisk(CharacterFileText(profile, false)));
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(mainFile.parent_path()))
        ++entries;
    EXPECT_EQ(entries, 4u) << "a temporary file was left behind";
}
#endif

} // namespace
} // namespace vexa
