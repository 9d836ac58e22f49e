// Runs the real vexa executable in temporary folders.
#include "RunProgram.h"
#include "TestSupport.h"
#include "ZipFixtures.h"
#include "core/cli/CommandLine.h"
#include "core/generate/GenerateSource.h"
#include "core/generate/Writers.h"
#include "core/levels/GameLevels.h"
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
    Outcome run = test::RunProgram(VEXA_EXE, cwd, args);
    for (std::string* text : {&run.out, &run.err})
        std::erase(*text, '\r');
    return run;
}
#else
using FileSizeLimit = std::optional<rlim_t>;
// With `maxFileSize`, the files vexa writes may not grow beyond that many bytes.
Outcome RunVexa(const fs::path& cwd, const std::vector<std::string>& args,
                FileSizeLimit maxFileSize = std::nullopt) {
    return test::RunProgram(VEXA_EXE, cwd, args, maxFileSize);
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
    // A file that cannot be written: the message, the file and the system's
    // reason, in the system's own words without an ending point.
    static std::string Failure(int code, const fs::path& file, std::error_code reason) {
        std::string text = reason.message();
        while (!text.empty() && (text.back() == '.' || text.back() == '\n' || text.back() == '\r'))
            text.pop_back();
        return GenerateResultMessage(code) + "\n" + Utf8FromPath(file) + ": " + text + "\n";
    }
#ifdef _WIN32
    // Windows tells neither a missing folder nor a file in the way of one
    // apart from a missing path.
    static inline const std::error_code kNoFolder{ERROR_PATH_NOT_FOUND, std::system_category()};
    static inline const std::error_code kFileForFolder = kNoFolder;
#else
    static inline const std::error_code kNoFolder =
        std::make_error_code(std::errc::no_such_file_or_directory);
    static inline const std::error_code kFileForFolder =
        std::make_error_code(std::errc::not_a_directory);
#endif
    static inline const std::error_code kFolderForFile =
        std::make_error_code(std::errc::is_a_directory);
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
}

TEST_F(GenerateCommand, RelativeBaseDirIsTakenFromTheCurrentFolder) {
    SaveProfile();
    fs::create_directories(work.path() / "game" / "base");
    const Outcome run = Generate({"--base-dir", "game/base"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, run.out.find("\nIf")),
              "Sourced created succesfully in\n" + ShownFolder(work.path() / "game" / "base"));
    EXPECT_TRUE(fs::exists(work.path() / "game" / "base" / "botfiles" / "bots" / "ranger_c.c"));
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
    EXPECT_EQ(run.err, Failure(21, game.path() / "bots" / "ranger_w.c", kNoFolder));
    // All or nothing: the main file, written before, is not put in place.
    EXPECT_FALSE(fs::exists(game.path() / "ranger_c.c"));

    // A base folder below a regular file: the main file fails.
    std::ofstream(game.path() / "plain") << "x";
    SaveSettings(Utf8FromPath(game.path() / "plain" / "base"));
    run = Generate();
    EXPECT_EQ(run.status, 11);
    EXPECT_EQ(run.err,
              Failure(11, game.path() / "plain" / "base" / "botfiles" / "bots" / "ranger_c.c",
                      kFileForFolder));

    // A folder where the .bot file goes: only the .bot file fails, and no
    // file is written.
    SaveSettings(Utf8FromPath(game.path()));
    fs::create_directories(game.path() / "scripts" / "where.bot");
    SetFieldText(profile.model_name, "where");
    SaveProfile();
    run = Generate();
    EXPECT_EQ(run.status, 51);
    EXPECT_EQ(run.err, Failure(51, game.path() / "scripts" / "where.bot", kFolderForFile));
    EXPECT_FALSE(fs::exists(game.path() / "botfiles" / "bots" / "ranger_t.c"));

    // A model with a skin names no folder: its .bot file is in the scripts
    // folder, where the game lists bots.
    SetFieldText(profile.model_name, "no/where");
    SaveProfile();
    EXPECT_EQ(Generate().status, 0);
    EXPECT_TRUE(fs::is_regular_file(game.path() / "scripts" / "no_where.bot"));
}

// The profile's file names are Latin-1: a main file with a letter beyond
// ASCII is written under that name, spelled with the letter on Windows and
// with the profile's byte elsewhere.
TEST_F(GenerateCommand, ALatin1MainFileIsWrittenUnderItsName) {
    SetFieldText(profile.main_file, "zo\xEB_c.c");
    SaveProfile();
    SaveSettings(Utf8FromPath(game.path()));
    const Outcome run = Generate();
    EXPECT_EQ(run.status, 0) << run.err;
#ifdef _WIN32
    const fs::path written(L"zo\u00EB_c.c");
#else
    const fs::path written("zo\xEB_c.c");
#endif
    EXPECT_EQ(ReadWholeFile(game.path() / "botfiles" / "bots" / written),
              OnDisk(CharacterFileText(profile, false)));
}

#ifndef _WIN32
TEST_F(GenerateCommand, AWriteThatRunsOutOfRoomFailsAndKeepsThePreviousFile) {
    SaveProfile();
    SaveSettings(Utf8FromPath(game.path()));
    fs::create_directories(game.path() / "botfiles" / "bots");
    std::ofstream(game.path() / "botfiles" / "bots" / "ranger_c.c") << "previous";
    const Outcome run = Generate({}, 2000);
    EXPECT_EQ(run.status, 12);
    EXPECT_EQ(run.err, Failure(12, game.path() / "botfiles" / "bots" / "ranger_c.c",
                               std::make_error_code(std::errc::file_too_large)));
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

TEST_F(GenerateCommand, ANameLeadingOutOfTheBaseFolderWritesNothingAnywhere) {
    // The base folder two folders down, so that "../../" would still be
    // inside the test's own folder.
    const fs::path base = game.path() / "arvon" / "base";
    fs::create_directories(base);
    SetFieldText(profile.skill[0].weaponweights, "../../evil_w.c");
    SaveProfile();
    SaveSettings(Utf8FromPath(base));
    const std::string message = "Source not created, a file name leads outside the base folder\n"
                                "Weapon weights file (Skill 1): \"../../evil_w.c\" holds a "
                                "\"..\" step, so it would lead outside the base folder.\n";
    for (const char* mode : {"--generate", "--check"}) {
        const Outcome run = RunVexa(work.path(), {mode, "ranger.vxb"});
        EXPECT_EQ(run.status, 17) << mode;
        EXPECT_EQ(run.err, message) << mode;
        EXPECT_EQ(run.out, "") << mode;
    }
    // Nothing written, not even the folders.
    EXPECT_TRUE(fs::is_empty(base));
    EXPECT_EQ(std::distance(fs::recursive_directory_iterator(game.path()),
                            fs::recursive_directory_iterator()),
              2);
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

    // The game's random strings come from its archives; a random string its
    // rnd.c lacks is an error too, since the game says nothing for that line.
    test::WriteZip((game.path() / "pak0.pk3").string(),
                   {{"botfiles/rnd.c", "food { \"pizza\"; }\n"}});
    run = RunVexa(work.path(), {"--check", "ranger.vxb"});
    EXPECT_EQ(run.status, 43);
    EXPECT_EQ(run.out, "Skill 1, game_enter, line 1: error: drink is not a random string of the "
                       "game's botfiles/rnd.c: the game says nothing when the bot picks this "
                       "line\n"
                       "Skill 1, death_rail, line 3: error: expected a comma after the name "
                       "Hello\n");
    EXPECT_EQ(run.err, "");

    SetFieldText(profile.skill[0].chat_lines[16][2], "\"Hello everyone\"");
    SaveProfile();
    run = Generate();
    EXPECT_EQ(run.status, 43);
    EXPECT_EQ(run.err, "Source not created, a chat line cannot be read by the game:\n"
                       "Skill 1, Game Enter, response 1: drink is not a random string of the "
                       "game's botfiles/rnd.c: the game says nothing when the bot picks this "
                       "line\n");
    EXPECT_TRUE(fs::is_empty(game.path() / "botfiles" / "bots"));

    // A base folder without rnd.c knows no random strings, and says so once.
    TempFolder bare;
    run = RunVexa(work.path(), {"--check", "ranger.vxb", "--base-dir", bare.path().string()});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "warning: the base folder holds no botfiles/rnd.c, loose or in an "
                       "archive: random strings in chat lines were not checked\n");

    // Fixed, the check passes and generation goes ahead.
    SetFieldText(profile.skill[0].chat_lines[0][0], "\"Hi \", food");
    SaveProfile();
    run = RunVexa(work.path(), {"--check", "ranger.vxb"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(Generate().status, 0);
}

TEST_F(GenerateCommand, AnUnreadableKeptChatLineIsRefusedAndListedByCheck) {
    // A line the record has no slot for: in a situation beyond the record's.
    ProfileExtras extras;
    extras.levels[0].chat.push_back({"kill_teammate", {"\"Sorry\"", "Oops mate"}});
    ASSERT_EQ(WriteProfileFile(profile, extras, ProfilePath()), 0);
    SaveSettings(game.path().string());
    Outcome run = Generate();
    EXPECT_EQ(run.status, 43);
    EXPECT_EQ(run.err,
              "Source not created, a chat line cannot be read by the game:\n"
              "Skill 1, Kill Teammate, response 2: expected a comma after the name Oops\n");
    EXPECT_TRUE(fs::is_empty(game.path() / "botfiles" / "bots"));
    run = RunVexa(work.path(), {"--check", "ranger.vxb"});
    EXPECT_EQ(run.status, 43);
    EXPECT_EQ(run.out, "warning: the base folder holds no botfiles/rnd.c, loose or in an "
                       "archive: random strings in chat lines were not checked\n"
                       "Skill 1, kill_teammate, line 2: error: expected a comma after the name "
                       "Oops\n");

    extras.levels[0].chat[0].lines[1] = "\"Oops mate\"";
    ASSERT_EQ(WriteProfileFile(profile, extras, ProfilePath()), 0);
    EXPECT_EQ(RunVexa(work.path(), {"--check", "ranger.vxb"}).status, 0);
    EXPECT_EQ(Generate().status, 0);
    EXPECT_NE(
        ReadWholeFile(game.path() / "botfiles" / "bots" / "ranger_t.c")
            .find(OnDisk("\ttype \"kill_teammate\"\n\t{\n\t\t\"Sorry\";\n\t\t\"Oops mate\";\n")),
        std::string::npos);
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
    EXPECT_EQ(run.err, "vexa: ranger_c.c in " + ShownFolder(game.path() / "botfiles" / "bots") +
                           " belongs to the bot Old Ranger; nothing was written "
                           "(--force replaces that bot's files)\n");
    EXPECT_EQ(ReadWholeFile(characterFile), OnDisk(CharacterFileText(other, false)));
    EXPECT_FALSE(fs::exists(game.path() / "scripts" / "ranger.bot"));

    run = Generate({"--force"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(ReadWholeFile(characterFile), OnDisk(CharacterFileText(profile, false)));
    EXPECT_EQ(run.err, "vexa: warning: scripts/old.bot (the bot Old) uses the same character "
                       "file bots/ranger_c.c: the game would load one bot's files for both\n");
}

TEST_F(GenerateCommand, LevelsPrintsEveryCharacteristicAtTheFiveLevels) {
    profile.skill[0].attack_skill = 400;
    profile.skill[1].attack_skill = 700;
    SaveProfile();
    SaveSettings(Utf8FromPath(game.path()), true, true);
    Outcome run = RunVexa(work.path(), {"--levels", "ranger.vxb"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, LevelsTableText(LevelsOfProfile(profile, true)));
    EXPECT_NE(run.out.find("CHARACTERISTIC_ATTACK_SKILL\t0.400\t0.500\t0.600\t0.700\t1.000\n"),
              std::string::npos);
    EXPECT_NE(run.out.find("CHARACTERISTIC_VIEW_MAXCHANGE\t90\t90\t90\t240\t360\n"),
              std::string::npos);
    // TabSkill on: levels 2 and 3 use Skill 1's own files, which the player
    // hears about.
    EXPECT_NE(run.out.find("CHARACTERISTIC_CHAT_FILE\t\"bots/ranger_t1.c\"\t\"bots/ranger_t1.c\""),
              std::string::npos);
    EXPECT_NE(run.err.find("vexa: levels 2 and 3: CHARACTERISTIC_CHAT_FILE"), std::string::npos);
    EXPECT_TRUE(fs::is_empty(game.path()));

    run = RunVexa(work.path(), {"--levels", "missing.vxb"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "File not loaded, error opening file\n");
    run = RunVexa(work.path(), {"--levels", "ranger.vxb", "--force"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("--force can only be used with --generate"), std::string::npos);
    run = RunVexa(work.path(), {"--levels"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("--levels needs a profile file"), std::string::npos);
}

TEST_F(GenerateCommand, TheGamesStockBotsInItsArchivesAreOtherBotsToo) {
    // The stock Brute, as the game lists it from its archive.
    BotProfile brute = test::RangerProfile();
    SetFieldText(brute.name, "Brute");
    SetFieldText(brute.main_file, "brute_c.c");
    test::WriteZip((game.path() / "pak0.pk3").string(),
                   {{"scripts/bots.txt", "{\nname Brute\nmodel brute\naifile bots/brute_c.c\n}\n"},
                    {"botfiles/bots/brute_c.c", CharacterFileText(brute, false)}});
    const std::string pak = Utf8FromPath(game.path() / "pak0.pk3");
    SaveSettings(game.path().string());

    // Brute imported and renamed Brutus, the main file still Brute's: its
    // character file would take the stock one's place.
    SetFieldText(profile.name, "Brutus");
    SetFieldText(profile.main_file, "brute_c.c");
    SaveProfile();
    Outcome run = Generate();
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.err, "vexa: botfiles/bots/brute_c.c in " + pak +
                           " belongs to the bot Brute; nothing was written (--force replaces "
                           "that bot's files)\n");
    EXPECT_FALSE(fs::exists(game.path() / "botfiles" / "bots" / "brute_c.c"));

    run = Generate({"--force"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "vexa: warning: scripts/bots.txt in " + pak +
                           " (the bot Brute) uses the same character file bots/brute_c.c: the "
                           "game would load one bot's files for both\n");

    // A bot of a name the game lists already: the game leaves it out.
    SetFieldText(profile.name, "BRUTE");
    SetFieldText(profile.main_file, "mybrute_c.c");
    SaveProfile();
    run = Generate();
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "vexa: warning: The game already lists a bot named Brute "
                       "(scripts/bots.txt in " +
                           pak +
                           "): it adds the first bot of a name only and leaves this one "
                           "out\n");
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

    // A bot whose files would be named after a device: refused with the file
    // and the reason.
    SetFieldText(profile.model_name, "Con");
    SaveProfile();
    run = Generate();
    EXPECT_EQ(run.status, 51);
    EXPECT_EQ(run.err, GenerateResultMessage(51) + "\n" +
                           Utf8FromPath(game.path() / "scripts" / "Con.bot") + "\n" +
                           ReservedDeviceNameReason("Con.bot") + "\n");
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
    // The file with the system's reason for the last refusal (the words
    // differ between Windows versions), then the program's own advice.
    const std::string first = GenerateResultMessage(11) + "\n" + Utf8FromPath(mainFile) + ": ";
    const std::string advice =
        "\n" + WriteFailureReason(WriteStatus::InUse, Utf8FromPath(mainFile)) + "\n";
    ASSERT_GT(run.err.size(), first.size() + advice.size()) << run.err;
    EXPECT_EQ(run.err.substr(0, first.size()), first) << run.err;
    EXPECT_TRUE(run.err.ends_with(advice)) << run.err;
    const std::string reason =
        run.err.substr(first.size(), run.err.size() - first.size() - advice.size());
    EXPECT_EQ(reason.find('\n'), std::string::npos) << run.err;
    EXPECT_EQ(ReadWholeFile(mainFile), OnDisk(CharacterFileText(profile, false)));
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(mainFile.parent_path()))
        ++entries;
    EXPECT_EQ(entries, 4u) << "a temporary file was left behind";
}
#endif

// The Windows build starts its desktop program under Wine on a virtual
// display instead (tests/ui/create-under-wine.sh).
#if defined(VEXA_EXE_HAS_GUI) && !defined(_WIN32)
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
