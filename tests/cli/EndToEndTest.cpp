// Runs the real vexa executable in temporary folders.
#ifndef _WIN32

#include "TestSupport.h"
#include "core/cli/CommandLine.h"
#include "core/generate/GenerateSource.h"
#include "core/generate/Writers.h"
#include "core/settings/AppSettings.h"

#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vexa {
namespace {

namespace fs = std::filesystem;
using test::ReadWholeFile;
using test::TempFolder;

struct Outcome {
    int status = -1; // exit status, -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// Runs vexa with `args` in the folder `cwd`. With `maxFileSize`, the files it
// writes may not grow beyond that many bytes (writes past it fail).
Outcome RunVexa(const fs::path& cwd, const std::vector<std::string>& args,
                rlim_t maxFileSize = RLIM_INFINITY) {
    TempFolder capture;
    const std::string outPath = (capture.path() / "out").string();
    const std::string errPath = (capture.path() / "err").string();
    std::vector<std::string> owned = {VEXA_EXE};
    owned.insert(owned.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : owned)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    const pid_t child = fork();
    if (child == 0) {
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out < 0 || err < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0 || chdir(cwd.c_str()) != 0)
            _exit(127);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{maxFileSize, maxFileSize};
        if (maxFileSize != RLIM_INFINITY && setrlimit(RLIMIT_FSIZE, &limit) != 0)
            _exit(127);
        execv(argv[0], argv.data());
        _exit(127);
    }
    Outcome run;
    int status = 0;
    if (child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status))
        run.status = WEXITSTATUS(status);
    run.out = ReadWholeFile(outPath);
    run.err = ReadWholeFile(errPath);
    return run;
}

// A working folder with a profile file and, optionally, a vexa.ini.
class GenerateCommand : public ::testing::Test {
protected:
    TempFolder work;
    TempFolder game;
    BotProfile profile = test::RangerProfile();

    std::string ProfilePath() const { return (work.path() / "ranger.vxb").string(); }
    void SaveProfile() { ASSERT_EQ(WriteProfileImage(profile, ProfilePath()), 0); }
    void SaveSettings(const std::string& baseDir, bool buildFold = true, bool tabSkill = false) {
        AppSettings settings;
        ResetSettings(settings);
        settings.BaseDir = baseDir;
        settings.BuildFold = buildFold;
        settings.TabSkill = tabSkill;
        ASSERT_EQ(WriteSettingsFile(settings, (work.path() / "vexa.ini").string()), 0);
    }
    Outcome Generate(std::vector<std::string> extra = {}, rlim_t maxFileSize = RLIM_INFINITY) {
        std::vector<std::string> args = {"--generate", "ranger.vxb"};
        args.insert(args.end(), extra.begin(), extra.end());
        return RunVexa(work.path(), args, maxFileSize);
    }
    static std::string Failure(int code) { return GenerateResultMessage(code) + "\n"; }
};

TEST_F(GenerateCommand, WritesEveryFileAndReportsSuccess) {
    SaveProfile();
    SaveSettings(game.path().string());
    const std::string ini = ReadWholeFile(work.path() / "vexa.ini");
    const Outcome run = Generate();
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "Sourced created succesfully in\n" + game.slashed() +
                           "\nIf your model files are NOT named:\tranger\n"
                           "then make sure you change the name of the model in the .bot file\n");
    const fs::path bots = game.path() / "botfiles" / "bots";
    EXPECT_EQ(ReadWholeFile(bots / "ranger_c.c"), CharacterFileText(profile, false));
    EXPECT_EQ(ReadWholeFile(bots / "ranger_w.c"), WeaponWeightsFileText(profile.skill[0]));
    EXPECT_EQ(ReadWholeFile(bots / "ranger_i.c"), ItemWeightsFileText(profile.skill[0]));
    EXPECT_EQ(ReadWholeFile(bots / "ranger_t.c"), ChatFileText(profile.skill[0], "ranger"));
    EXPECT_EQ(ReadWholeFile(game.path() / "scripts" / "ranger.bot"), BotInfoFileText(profile));
    // The command line never writes the settings file.
    EXPECT_EQ(ReadWholeFile(work.path() / "vexa.ini"), ini);
}

TEST_F(GenerateCommand, TabSkillFromTheSettingsFileGivesOneFileSetPerLevel) {
    SaveProfile();
    SaveSettings(game.path().string(), true, true);
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
    const Outcome run = Generate({"--base-dir", game.path().string()});
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
}

TEST_F(GenerateCommand, RelativeBaseDirIsTakenFromTheCurrentFolder) {
    SaveProfile();
    fs::create_directories(work.path() / "game" / "base");
    const Outcome run = Generate({"--base-dir", "game/base"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, run.out.find("\nIf")),
              "Sourced created succesfully in\n" + (work.path() / "game" / "base/").string());
    EXPECT_TRUE(fs::exists(work.path() / "game" / "base" / "botfiles" / "bots" / "ranger_c.c"));
}

TEST_F(GenerateCommand, ProfileChecksFailWithTheirCodes) {
    SaveSettings(game.path().string());
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
    SaveSettings(game.path().string(), false);
    Outcome run = Generate();
    EXPECT_EQ(run.status, 21);
    EXPECT_EQ(run.err, Failure(21));
    EXPECT_TRUE(fs::exists(game.path() / "ranger_c.c"));

    // A base folder below a regular file: the main file fails.
    std::ofstream(game.path() / "plain") << "x";
    SaveSettings((game.path() / "plain" / "base").string());
    run = Generate();
    EXPECT_EQ(run.status, 11);
    EXPECT_EQ(run.err, Failure(11));

    // A model name naming a missing folder: only the .bot file fails.
    SaveSettings(game.path().string());
    SetFieldText(profile.model_name, "no/where");
    SaveProfile();
    run = Generate();
    EXPECT_EQ(run.status, 51);
    EXPECT_EQ(run.err, Failure(51));
    EXPECT_TRUE(fs::exists(game.path() / "botfiles" / "bots" / "ranger_t.c"));
}

TEST_F(GenerateCommand, AWriteThatRunsOutOfRoomFailsAndKeepsThePreviousFile) {
    SaveProfile();
    SaveSettings(game.path().string());
    fs::create_directories(game.path() / "botfiles" / "bots");
    std::ofstream(game.path() / "botfiles" / "bots" / "ranger_c.c") << "previous";
    const Outcome run = Generate({}, 2000);
    EXPECT_EQ(run.status, 12);
    EXPECT_EQ(run.err, Failure(12));
    EXPECT_EQ(ReadWholeFile(game.path() / "botfiles" / "bots" / "ranger_c.c"), "previous");
}

TEST_F(GenerateCommand, UnreadableProfileGivesTheLoadMessage) {
    SaveSettings(game.path().string());
    Outcome run = Generate();
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "File not loaded, error opening file\n");

    std::ofstream(ProfilePath(), std::ios::binary) << std::string(kProfileImageSize - 1, 'x');
    run = Generate();
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "File not loaded, error reading file\n");
    EXPECT_TRUE(fs::is_empty(game.path()));
}

TEST_F(GenerateCommand, AnUnreadableChatLineWritesNothingAndCheckListsIt) {
    SetFieldText(profile.skill[0].chat_lines[16][2], "Hello everyone");
    SetFieldText(profile.skill[0].chat_lines[0][0], "\"Hi \", drink");
    SaveProfile();
    SaveSettings(game.path().string());
    Outcome run = Generate();
    EXPECT_EQ(run.status, 43);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "Source not created, a chat line cannot be read by the game:\n"
                       "Skill 1, Death Rail, response 3: expected a comma after the name Hello\n");
    EXPECT_TRUE(fs::is_empty(game.path() / "botfiles" / "bots"));
    EXPECT_FALSE(fs::exists(game.path() / "scripts"));

    std::ofstream(game.path() / "botfiles" / "rnd.c") << "food { \"pizza\"; }\n";
    run = RunVexa(work.path(), {"--check", "ranger.vxb"});
    EXPECT_EQ(run.status, 43);
    EXPECT_EQ(run.out, "Skill 1, game_enter, line 1: warning: drink is not a random string of the "
                       "game's botfiles/rnd.c: the message comes out incomplete\n"
                       "Skill 1, death_rail, line 3: error: expected a comma after the name "
                       "Hello\n");
    EXPECT_EQ(run.err, "");

    // Fixed, the check passes with its warning and generation goes ahead; a
    // base folder without rnd.c knows no random strings.
    SetFieldText(profile.skill[0].chat_lines[16][2], "\"Hello everyone\"");
    SaveProfile();
    run = RunVexa(work.path(), {"--check", "ranger.vxb"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("warning: drink"), std::string::npos);
    TempFolder bare;
    run = RunVexa(work.path(), {"--check", "ranger.vxb", "--base-dir", bare.path().string()});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(Generate().status, 0);
}

TEST_F(GenerateCommand, AnotherBotsCharacterFileIsReplacedOnlyWithForce) {
    BotProfile other = test::RangerProfile();
    SetFieldText(other.name, "Old Ranger");
    const fs::path characterFile = game.path() / "botfiles" / "bots" / "ranger_c.c";
    fs::create_directories(characterFile.parent_path());
    std::ofstream(characterFile) << CharacterFileText(other, false);
    fs::create_directories(game.path() / "scripts");
    std::ofstream(game.path() / "scripts" / "old.bot")
        << "{\nname Old\naifile bots/ranger_c.c\n}\n";
    SaveProfile();
    SaveSettings(game.path().string());

    Outcome run = Generate();
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "vexa: ranger_c.c in " + game.slashed() +
                           "botfiles/bots/ belongs to the bot Old Ranger; nothing was written "
                           "(--force replaces that bot's files)\n");
    EXPECT_EQ(ReadWholeFile(characterFile), CharacterFileText(other, false));
    EXPECT_FALSE(fs::exists(game.path() / "scripts" / "ranger.bot"));

    run = Generate({"--force"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(ReadWholeFile(characterFile), CharacterFileText(profile, false));
    EXPECT_EQ(run.err, "vexa: warning: scripts/old.bot (the bot Old) uses the same character "
                       "file bots/ranger_c.c: the game would load one bot's files for both\n");
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

    run = RunVexa(work.path(), {"--generate", "a.vxb", "--frobnicate"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err,
              "vexa: unknown option '--frobnicate'\nTry 'vexa --help' for more information.\n");

    run = RunVexa(work.path(), {"--generate"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("--generate needs a profile file"), std::string::npos);
    EXPECT_TRUE(fs::is_empty(work.path()));
}

#ifdef VEXA_EXE_HAS_GUI
// Starts the desktop program on the offscreen platform and waits until its
// standard error holds `awaited`, it exits, or ten seconds pass; a program
// still running then is ended. The status is -1 when it was still running.
Outcome RunDesktopUntil(const fs::path& cwd, const std::vector<std::string>& args,
                        const std::string& awaited) {
    TempFolder capture;
    const std::string errPath = (capture.path() / "err").string();
    std::vector<std::string> owned = {VEXA_EXE};
    owned.insert(owned.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : owned)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    const pid_t child = fork();
    if (child == 0) {
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (err < 0 || dup2(err, 2) < 0 || chdir(cwd.c_str()) != 0 ||
            setenv("QT_QPA_PLATFORM", "offscreen", 1) != 0)
            _exit(127);
        execv(argv[0], argv.data());
        _exit(127);
    }
    Outcome run;
    int status = 0;
    for (int waited = 0; child > 0 && waited < 200; ++waited) {
        if (waitpid(child, &status, WNOHANG) == child) {
            run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -2;
            break;
        }
        if (ReadWholeFile(errPath).find(awaited) != std::string::npos)
            break;
        usleep(50'000);
    }
    if (child > 0 && run.status == -1) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
    }
    run.err = ReadWholeFile(errPath);
    return run;
}

TEST(DesktopProgram, TakesTheToolkitsSwitchesAndSkipsOthers) {
    TempFolder work;
    const std::string warning = SkippedSwitchWarning("--frobnicate") + "\n";
    const Outcome run = RunDesktopUntil(work.path(), {"-style", "fusion", "--frobnicate"}, warning);
    EXPECT_EQ(run.status, -1) << "the desktop program ended: " << run.err;
    EXPECT_NE(run.err.find(warning), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("-style"), std::string::npos) << run.err;
}
#endif

} // namespace
} // namespace vexa

#endif
