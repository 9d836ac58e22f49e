#include "core/generate/GenerateSource.h"

#include "TestSupport.h"
#include "core/game/LocalFileSources.h"
#include "core/generate/SourcePreview.h"
#include "core/generate/Writers.h"
#include "core/util/FixedText.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace vexa {
namespace {

using test::RecordingFiles;

AppSettings WindowsSettings(const char* baseDir, bool tabSkill, bool buildFold = true) {
    AppSettings settings;
    settings.BaseDir = baseDir;
    settings.TabSkill = tabSkill;
    settings.BuildFold = buildFold;
    return settings;
}

TEST(GenerateChecks, RefuseBadInputInOrderWithoutWritingAnything) {
    struct Case {
        const char* baseDir;
        const char* name;
        const char* gender;
        int code;
    };
    for (const Case& c : {Case{"", "Ranger", "Male", 13}, Case{"C", "Ranger", "Male", 13},
                          Case{"\\\\server\\share\\", "", "", 13}, Case{"D:", "", "", 14},
                          Case{"C:\\base", "Ranger", "", 15}}) {
        BotProfile profile = test::RangerProfile();
        SetFieldText(profile.name, c.name);
        SetFieldText(profile.gender, c.gender);
        AppSettings settings = WindowsSettings(c.baseDir, false);
        RecordingFiles files;
        EXPECT_EQ(GenerateSource(profile, settings, PathStyle::Windows, files), c.code)
            << c.baseDir << "|" << c.name << "|" << c.gender;
        EXPECT_EQ(settings.BaseDir, c.baseDir) << "not put in normal form before the checks";
        EXPECT_TRUE(files.createAttempts.empty());
        EXPECT_TRUE(files.writtenPaths.empty());
    }
}

// Every stored file name is joined to the base folder: one that climbs out
// of it, or is a path of its own, is refused in both path styles before a
// folder is made or a file written, and the message names the field.
TEST(GenerateChecks, NamesLeadingOutsideTheBaseFolderAreRefusedFirst) {
    using Field = char(SkillProfile::*)[20];
    struct Target {
        const char* field; // as the message names it
        Field stored;      // a pass file's field; null for the main file and the model
    };
    const Target targets[] = {{"Main file", nullptr},
                              {"Weapon weights file (Skill 4)", &SkillProfile::weaponweights},
                              {"Item weights file (Skill 4)", &SkillProfile::itemweights},
                              {"Chat file (Skill 4)", &SkillProfile::chat_file},
                              {"Model name", nullptr}};
    const char* outside[] = {"../../evil_w.c", "bots/../../x.c",    "/etc/x.c", "\\x.c",
                             "C:x.c",          "bots\\..\\..\\x.c", ".."};
    for (const PathStyle style : {PathStyle::Posix, PathStyle::Windows})
        for (const Target& target : targets)
            for (const char* name : outside) {
                BotProfile profile = test::RangerProfile();
                if (target.stored != nullptr)
                    SetFieldText(profile.skill[1].*target.stored, name);
                else if (std::string(target.field) == "Main file")
                    SetFieldText(profile.main_file, name);
                else
                    SetFieldText(profile.model_name, name);
                AppSettings settings = WindowsSettings(
                    style == PathStyle::Windows ? "C:\\game\\base" : "/game/base", true);
                RecordingFiles files;
                ASSERT_EQ(GenerateSource(profile, settings, style, files), 17)
                    << target.field << " " << name;
                EXPECT_TRUE(files.createAttempts.empty());
                EXPECT_TRUE(files.writtenPaths.empty());
                const std::string message =
                    GenerateFailureMessage(17, profile, settings, nullptr, style);
                EXPECT_EQ(message.substr(0, message.find('\n')), GenerateResultMessage(17));
                const std::string stored =
                    target.stored != nullptr ? FieldText(profile.skill[1].*target.stored)
                    : std::string(target.field) == "Main file" ? FieldText(profile.main_file)
                                                               : FieldText(profile.model_name);
                EXPECT_NE(message.find(std::string(target.field) + ": \"" + stored + "\""),
                          std::string::npos)
                    << message;
                const SourcePreview preview =
                    PreviewSource(profile, settings, style, MemoryFileSource());
                EXPECT_EQ(preview.result, 17);
                EXPECT_EQ(preview.message, message);
                EXPECT_TRUE(preview.files.empty());
            }

    // Names that only look like it stay inside; Windows alone drops the
    // blanks and dots that end a step.
    for (const char* name : {"bots/..x_c.c", "bots/x.._c.c", "./x_c.c", "bots/c:x_c.c"})
        EXPECT_EQ(OutsideFolderReason(name, PathStyle::Posix), "") << name;
    for (const char* name : {".. /x_c.c", "bots/.../x_c.c", "bots\\.. \\x"}) {
        EXPECT_EQ(OutsideFolderReason(name, PathStyle::Posix), "") << name;
        EXPECT_NE(OutsideFolderReason(name, PathStyle::Windows), "") << name;
    }
    // With TabSkill off only the Skill 1 names are written, and checked.
    BotProfile unused = test::RangerProfile();
    SetFieldText(unused.skill[2].chat_file, "../x_t.c");
    AppSettings settings = WindowsSettings("/game/", false);
    RecordingFiles files;
    EXPECT_EQ(GenerateSource(unused, settings, PathStyle::Posix, files), 0);
}

// A name the profile keeps whole beyond its field is checked as it is
// written, whole: its harmless first characters do not let it pass.
TEST(GenerateChecks, NamesKeptWholeAreCheckedWhole) {
    const std::string whole = "bots_of_the_round_table/../../../evil_c.c";
    for (const char* field : {"Main file", "Chat file (Skill 5)", "Model name"}) {
        BotProfile profile = test::RangerProfile();
        ProfileExtras extras;
        if (std::string(field) == "Main file") {
            extras.mainFile = whole;
            SetFieldText(profile.main_file, whole.substr(0, 19));
        } else if (std::string(field) == "Model name") {
            extras.model = "knightsss/../../evil";
            SetFieldText(profile.model_name, "knightsss");
        } else {
            extras.levels[2].chatFile = whole;
            SetFieldText(profile.skill[2].chat_file, whole.substr(0, 19));
        }
        AppSettings settings = WindowsSettings("/game/base", true);
        RecordingFiles alone;
        EXPECT_EQ(GenerateSource(profile, settings, PathStyle::Posix, alone), 0) << field;
        settings.BaseDir = "/game/base";
        RecordingFiles files;
        EXPECT_EQ(GenerateSource(profile, settings, PathStyle::Posix, files, {}, extras), 17)
            << field;
        EXPECT_TRUE(files.writtenPaths.empty());
        const std::string message =
            GenerateFailureMessage(17, profile, settings, nullptr, PathStyle::Posix, extras);
        EXPECT_NE(message.find(std::string(field) + ": \"" +
                               (extras.model.empty() ? whole : extras.model) + "\""),
                  std::string::npos)
            << message;
    }
}

TEST(GenerateChecks, MissingMainFileComesAfterTheFoldersAreMade) {
    BotProfile profile = test::RangerProfile();
    SetFieldText(profile.main_file, "");
    AppSettings settings = WindowsSettings("C:\\game\\base", false);
    RecordingFiles files;
    files.folders = {"C:\\", "C:\\game\\", "C:\\game\\base\\"};
    EXPECT_EQ(GenerateSource(profile, settings, PathStyle::Windows, files), 16);
    EXPECT_EQ(settings.BaseDir, "C:\\game\\base\\");
    EXPECT_TRUE(files.folders.count("C:\\game\\base\\botfiles\\bots\\"));
    EXPECT_TRUE(files.writtenPaths.empty());

    settings = WindowsSettings("C:\\game\\base", false, false);
    RecordingFiles noFolders;
    EXPECT_EQ(GenerateSource(profile, settings, PathStyle::Windows, noFolders), 16);
    EXPECT_TRUE(noFolders.createAttempts.empty());
}

TEST(GenerateSource, TabSkillOffWritesOneFileOfEachKindInOrder) {
    const BotProfile profile = test::RangerProfile();
    const std::string before = ProfileImage(profile);
    AppSettings settings = WindowsSettings("C:\\base", false);
    RecordingFiles files;
    files.folders = {"C:\\", "C:\\base\\"};
    ASSERT_EQ(GenerateSource(profile, settings, PathStyle::Windows, files), 0);
    EXPECT_EQ(files.writtenPaths, (std::vector<std::string>{"C:\\base\\botfiles\\bots\\ranger_c.c",
                                                            "C:\\base\\botfiles\\bots\\ranger_w.c",
                                                            "C:\\base\\botfiles\\bots\\ranger_i.c",
                                                            "C:\\base\\botfiles\\bots\\ranger_t.c",
                                                            "C:\\base\\scripts\\ranger.bot"}));
    EXPECT_TRUE(files.folders.count("C:\\base\\scripts\\"));
    EXPECT_EQ(files.files["C:\\base\\botfiles\\bots\\ranger_c.c"],
              CharacterFileText(profile, false));
    EXPECT_EQ(files.files["C:\\base\\botfiles\\bots\\ranger_t.c"],
              ChatFileText(profile.skill[0], "ranger"));
    EXPECT_EQ(ProfileImage(profile), before);
    EXPECT_EQ(settings.BaseDir, "C:\\base\\");
    EXPECT_EQ(GenerateSuccessMessage(settings), "Sourced created succesfully in\nC:\\base\\");
}

TEST(GenerateSource, TabSkillOnWritesThreeFilesOfEachKindFromTheirOwnBlocks) {
    BotProfile profile = test::RangerProfile();
    profile.skill[1].weapon_gauntlet = 44;
    SetFieldText(profile.skill[2].chat_file, "bots/nightmare_t");
    AppSettings settings = WindowsSettings("C:\\game\\base\\", true, false);
    RecordingFiles files;
    ASSERT_EQ(GenerateSource(profile, settings, PathStyle::Windows, files), 0);
    const std::string b = "C:\\game\\base\\";
    EXPECT_EQ(files.writtenPaths,
              (std::vector<std::string>{
                  b + "ranger_c.c", b + "bots\\ranger_w1.c", b + "bots\\ranger_i1.c",
                  b + "bots\\ranger_t1.c", b + "bots\\ranger_w4.c", b + "bots\\ranger_i4.c",
                  b + "bots\\ranger_t4.c", b + "bots\\ranger_w5.c", b + "bots\\ranger_i5.c",
                  b + "bots\\nightmare_t.c", b + "ranger.bot"}));
    EXPECT_TRUE(files.createAttempts.empty());
    EXPECT_EQ(files.files[b + "bots\\ranger_w4.c"], WeaponWeightsFileText(profile.skill[1]));
    EXPECT_EQ(files.files[b + "bots\\nightmare_t.c"], ChatFileText(profile.skill[2], "ranger5"));
}

TEST(GenerateSource, StopsAtTheFirstFailedFileWithItsCode) {
    const int openCodes[] = {11, 21, 31, 41, 21, 31, 41, 21, 31, 41, 51};
    for (const WriteStatus status : {WriteStatus::OpenFailed, WriteStatus::WriteFailed}) {
        for (int failing = 1; failing <= 11; ++failing) {
            AppSettings settings = WindowsSettings("C:\\base\\", true);
            RecordingFiles files;
            files.failWrite = failing;
            files.failStatus = status;
            const int expected =
                openCodes[failing - 1] + (status == WriteStatus::WriteFailed ? 1 : 0);
            EXPECT_EQ(GenerateSource(test::RangerProfile(), settings, PathStyle::Windows, files),
                      expected)
                << "write " << failing;
            EXPECT_EQ(files.writtenPaths.size(), static_cast<std::size_t>(failing));
        }
    }
}

TEST(GenerateMessages, EveryResultCodeHasItsMessage) {
    const std::pair<int, const char*> table[] = {
        {11, "Source not created, error opening main file"},
        {12, "Source not created, error writing main file"},
        {13, "No directory given for source generation"},
        {14, "You need a name for this Bot"},
        {15, "You need a gender for this Bot"},
        {16, "You need a main file for this Bot"},
        {17, "Source not created, a file name leads outside the base folder"},
        {21, "Source not created, error opening weapon weights file"},
        {22, "Source not created, error writing weapon weights file"},
        {31, "Source not created, error opening item weights file"},
        {32, "Source not created, error writing item weights file"},
        {41, "Source not created, error opening chat convos file"},
        {42, "Source not created, error writing chat convos file"},
        {51, "Source not created, error opening .bot file"},
        {52, "Source not created, error writing .bot file"},
    };
    for (const auto& [code, message] : table)
        EXPECT_EQ(GenerateResultMessage(code), message);
    EXPECT_EQ(GenerateResultMessage(0), "");
    EXPECT_EQ(GenerateResultMessage(18), "");
}

TEST(GenerateMessages, ModelMessageNamesTheModel) {
    BotProfile profile = test::RangerProfile();
    SetFieldText(profile.name, "Sir Blade-Runner 2000");
    EXPECT_EQ(GenerateModelMessage(profile),
              "If your model files are NOT named:\tsirbladeru\n"
              "then make sure you change the name of the model in the .bot file");
    SetFieldText(profile.model_name, "visor");
    EXPECT_EQ(GenerateModelMessage(profile),
              "If your model files are NOT named:\tvisor\n"
              "then make sure you change the name of the model in the .bot file");
}

TEST(GenerateMessages, SuccessShowsTheBaseFolderWithOneKindOfSeparator) {
    BotProfile profile = test::RangerProfile();
    AppSettings settings = WindowsSettings("C:/arvon/fwd", false);
    RecordingFiles files;
    ASSERT_EQ(GenerateSource(profile, settings, PathStyle::Windows, files), 0);
    EXPECT_EQ(GenerateSuccessMessage(settings, PathStyle::Windows),
              "Sourced created succesfully in\nC:\\arvon\\fwd\\");
    // A backslash is part of a folder's name on POSIX systems.
    settings.BaseDir = "/games/odd\\name/";
    EXPECT_EQ(GenerateSuccessMessage(settings, PathStyle::Posix),
              "Sourced created succesfully in\n/games/odd\\name/");
}

// Names Windows keeps for devices: in its path style the file is refused
// before it is written, with the file's code and a line saying why; the
// files before it are written as usual.
TEST(GenerateSource, DeviceNamesAreRefusedInTheWindowsStyle) {
    struct Case {
        const char* field;
        const char* value;
        int code;
        std::size_t writtenBefore;
        const char* reserved;
    };
    const Case cases[] = {
        {"name", "Con", 51, 4, "con.bot"}, // the model comes from the name
        {"model", "AUX", 51, 4, "AUX.bot"},
        {"main", "nul.c", 11, 0, "nul.c"},
        {"base", "C:\\lpt1\\base\\", 11, 0, "lpt1"},
    };
    for (const Case& c : cases) {
        BotProfile profile = test::RangerProfile();
        AppSettings settings = WindowsSettings("C:\\game\\", false);
        if (std::string(c.field) == "name")
            SetFieldText(profile.name, c.value);
        else if (std::string(c.field) == "model")
            SetFieldText(profile.model_name, c.value);
        else if (std::string(c.field) == "main")
            SetFieldText(profile.main_file, c.value);
        else
            settings.BaseDir = c.value;
        RecordingFiles files;
        EXPECT_EQ(GenerateSource(profile, settings, PathStyle::Windows, files), c.code) << c.value;
        EXPECT_EQ(files.writtenPaths.size(), c.writtenBefore) << c.value;
        // The message, the path refused, why.
        const std::string message = GenerateFailureMessage(c.code, profile, settings, files);
        const std::string first = GenerateResultMessage(c.code) + "\nC:\\";
        const std::string last = "\n" + ReservedDeviceNameReason(c.reserved);
        EXPECT_EQ(message.substr(0, first.size()), first);
        ASSERT_GT(message.size(), first.size() + last.size());
        EXPECT_EQ(message.substr(message.size() - last.size()), last);
        EXPECT_NE(message.find(c.reserved), message.find(last) + 2);

        // The same bot in the POSIX style is written whole.
        settings.BaseDir = "/game/";
        RecordingFiles posix;
        EXPECT_EQ(GenerateSource(profile, settings, PathStyle::Posix, posix), 0) << c.value;
        EXPECT_EQ(GenerateFailureMessage(0, profile, settings, posix), "");
    }
}

#ifndef _WIN32
// Runs the generate command in a child process whose files may not grow
// beyond `maxFileSize` bytes; writing past it fails with an error (SIGXFSZ is
// ignored). Returns the command's result.
int GenerateWithFileSizeLimit(const BotProfile& profile, AppSettings settings, rlim_t maxFileSize) {
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{maxFileSize, maxFileSize};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
            _exit(100);
        _exit(GenerateSource(profile, settings, PathStyle::Posix));
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

TEST(GenerateOnDisk, AWriteThatRunsOutOfRoomKeepsThePreviousFile) {
    test::TempFolder temp;
    const std::filesystem::path bots = temp.path() / "botfiles" / "bots";
    std::filesystem::create_directories(bots);
    std::ofstream(bots / "ranger_c.c") << "previous";
    AppSettings settings;
    settings.BaseDir = temp.slashed();

    BotProfile profile = test::RangerProfile();
    EXPECT_EQ(GenerateWithFileSizeLimit(profile, settings, 1000), 12);
    EXPECT_EQ(test::ReadWholeFile(bots / "ranger_c.c"), "previous");

    // A chat file of many lines is the only file too big for the limit.
    for (auto& category : profile.skill[0].chat_lines)
        for (auto& line : category)
            SetFieldText(line, std::string(79, 'x'));
    // All or nothing: the files written before it are not put in place.
    EXPECT_EQ(GenerateWithFileSizeLimit(profile, settings, 8000), 42);
    EXPECT_EQ(test::ReadWholeFile(bots / "ranger_c.c"), "previous");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(bots),
                            std::filesystem::directory_iterator()),
              1);
    EXPECT_FALSE(std::filesystem::exists(temp.path() / "scripts"));
}
#endif

} // namespace
} // namespace vexa
