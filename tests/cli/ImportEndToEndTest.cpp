// vexa --import and --list-bots: the real executable run on game folders,
// archives and downloads made of files VEXA generated.
#ifndef _WIN32

#include "RunProgram.h"
#include "TestSupport.h"
#include "ZipFixtures.h"
#include "core/cli/CommandLine.h"
#include "core/game/GameFileSource.h"
#include "core/generate/GenerateSource.h"
#include "core/settings/AppSettings.h"

#include <gtest/gtest.h>

namespace vexa {
namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;
using test::ReadWholeFile;
using test::WriteWholeFile;
using Files = std::map<std::string, std::string>; // relative path -> text

BotProfile Bot(const char* name, const char* model, int seed) {
    BotProfile profile = test::RangerProfile();
    SetFieldText(profile.name, name);
    SetFieldText(profile.model_name, model);
    SetFieldText(profile.main_file, std::string(model) + "_c.c");
    for (int block = 0; block < 3; ++block) {
        profile.skill[block].aim_skill = 100 * (seed + block);
        SetFieldText(profile.skill[block].chat_lines[0][0], std::string("\"") + name +
                                                                " greets you, level " +
                                                                std::to_string(block) + "\"");
    }
    return profile;
}

// The files Create Arvon source writes for `profile`, by relative path.
Files Generated(const BotProfile& profile, bool tabSkill = false) {
    AppSettings settings;
    ResetSettings(settings);
    settings.BaseDir = "/base/";
    settings.TabSkill = tabSkill;
    MemoryFiles files;
    EXPECT_EQ(GenerateSource(profile, settings, PathStyle::Posix, files), 0);
    Files relative;
    for (const MemoryFiles::File& file : files.files())
        relative[file.path.substr(std::string("/base/").size())] = file.text;
    return relative;
}

void WriteLoose(const fs::path& folder, const Files& files) {
    for (const auto& [path, text] : files) {
        fs::create_directories((folder / path).parent_path());
        WriteWholeFile((folder / path).string(), text);
    }
}

void WriteArchive(const fs::path& path, const Files& files) {
    std::vector<test::ZipItem> items;
    for (const auto& [name, text] : files)
        items.push_back({name, text});
    test::WriteZip(path.string(), items);
}

// A game's base folder: Ranger in an archive, Sarge as loose files.
class ImportCommand : public ::testing::Test {
protected:
    test::TempDir dir;
    fs::path base = dir.path() / "base";
    BotProfile ranger = Bot("Ranger", "ranger", 3);
    BotProfile sarge = Bot("Sarge", "sarge", 5);

    void SetUp() override {
        fs::create_directories(base);
        WriteArchive(base / "pak0.pk3", Generated(ranger));
        WriteLoose(base, Generated(sarge));
    }

    test::ProgramRun Vexa(const Args& args) { return test::RunProgram(VEXA_EXE, dir.path(), args); }

    std::string Output() const { return (dir.path() / "out.vxb").string(); }

    // The files the profile written by --import generates again.
    Files Regenerated(bool tabSkill = false) const {
        BotProfile imported = EmptyProfile();
        EXPECT_EQ(ReadProfileImage(imported, Output()), 0);
        return Generated(imported, tabSkill);
    }
};

TEST_F(ImportCommand, ImportsABotThatGeneratesTheSameFilesAgain) {
    for (const std::string& source :
         {base.string(), (base / "pak0.pk3").string(), (base / "scripts" / "sarge.bot").string()}) {
        SCOPED_TRACE(source);
        fs::remove(Output());
        const bool fromSarge = source.find("sarge") != std::string::npos;
        Args args = {"--import", source, "--output", Output()};
        if (source == base.string())
            args.insert(args.end(), {"--bot", "RANGER"});
        const test::ProgramRun run = Vexa(args);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_NE(run.out.find("Imported " + std::string(fromSarge ? "Sarge" : "Ranger")),
                  std::string::npos)
            << run.out;
        EXPECT_EQ(Regenerated(), Generated(fromSarge ? sarge : ranger));
    }
}

TEST_F(ImportCommand, ListsTheBotsAndAsksForOneWhenThereAreSeveral) {
    const test::ProgramRun list = Vexa({"--list-bots", base.string()});
    EXPECT_EQ(list.status, 0) << list.err;
    EXPECT_EQ(list.out, "Ranger, model ranger, scripts/ranger.bot in " +
                            (base / "pak0.pk3").string() +
                            "\nSarge, model sarge, scripts/sarge.bot in " + base.string() + "\n");

    const test::ProgramRun choose = Vexa({"--import", base.string(), "--output", Output()});
    EXPECT_EQ(choose.status, 5);
    EXPECT_EQ(choose.out, list.out);
    EXPECT_NE(choose.err.find("holds 2 bots; choose one with --bot NAME"), std::string::npos);
    EXPECT_FALSE(fs::exists(Output()));

    const test::ProgramRun none =
        Vexa({"--import", base.string(), "--bot", "Nobody", "--output", Output()});
    EXPECT_EQ(none.status, 4);
    EXPECT_NE(none.err.find("no bot named Nobody in " + base.string()), std::string::npos);
    EXPECT_FALSE(fs::exists(Output()));
}

TEST_F(ImportCommand, ALooseFileOverridesTheArchiveAndTheLastArchiveWins) {
    // A later archive changes Ranger's character file; a loose one changes it again.
    BotProfile later = ranger;
    later.skill[1].aim_skill = 777;
    WriteArchive(base / "PAK9.pk3",
                 {{"botfiles/bots/ranger_c.c", Generated(later).at("botfiles/bots/ranger_c.c")}});
    ASSERT_EQ(Vexa({"--import", base.string(), "--bot", "ranger", "--output", Output()}).status, 0);
    EXPECT_EQ(Regenerated(), Generated(later));

    BotProfile loose = ranger;
    loose.skill[2].aim_skill = 222;
    WriteLoose(base,
               {{"botfiles/bots/ranger_c.c", Generated(loose).at("botfiles/bots/ranger_c.c")}});
    ASSERT_EQ(Vexa({"--import", base.string(), "--bot", "ranger", "--output", Output()}).status, 0);
    EXPECT_EQ(Regenerated(), Generated(loose));
}

TEST_F(ImportCommand, ADownloadOutsideTheGameFoldersIsReadFromItsOwnFolder) {
    // Every file side by side, as a bot is often handed around.
    const fs::path download = dir.path() / "download";
    Files flat;
    for (const auto& [path, text] : Generated(sarge))
        flat[fs::path(path).filename().string()] = text;
    WriteLoose(download, flat);
    for (const char* pick : {"sarge.bot", "sarge_c.c"}) {
        SCOPED_TRACE(pick);
        const test::ProgramRun run =
            Vexa({"--import", (download / pick).string(), "--output", Output()});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_NE(run.err.find("is not in a "), std::string::npos) << run.err;
        BotProfile imported = EmptyProfile();
        ASSERT_EQ(ReadProfileImage(imported, Output()), 0);
        EXPECT_EQ(Generated(imported).at("botfiles/bots/sarge_c.c"),
                  Generated(sarge).at("botfiles/bots/sarge_c.c"));
    }
}

TEST_F(ImportCommand, KeepsTheBotsOwnFileNamesOnRequest) {
    BotProfile named = Bot("Named", "named", 2);
    SetFieldText(named.skill[0].weaponweights, "nweap.c");
    SetFieldText(named.skill[0].chat_file, "ntalk.c");
    WriteLoose(base, Generated(named));
    const Args args = {"--import", base.string(), "--bot", "Named", "--output", Output()};
    ASSERT_EQ(Vexa(args).status, 0);
    const Files defaults = Regenerated();
    EXPECT_NE(defaults, Generated(named));
    EXPECT_EQ(defaults.count("botfiles/bots/nweap.c"), 0u);

    Args keep = args;
    keep.push_back("--keep-file-names");
    ASSERT_EQ(Vexa(keep).status, 0);
    EXPECT_EQ(Regenerated(), Generated(named));
}

TEST_F(ImportCommand, FailuresGiveTheirStatusAndKeepThePreviousProfile) {
    WriteWholeFile(Output(), "previous");
    WriteWholeFile((dir.path() / "broken.pk3").string(), "PK\x03\x04 cut short");
    struct Case {
        Args args;
        int status;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{"--import", "missing", "--output", Output()}, 3, "vexa: missing does not exist.\n"},
        {{"--import", "broken.pk3", "--output", Output()},
         3,
         "is not a zip archive, or it is truncated"},
        {{"--list-bots", "broken.pk3"}, 3, "is not a zip archive"},
        {{"--import", "base", "--bot", "sarge", "--output",
          (dir.path() / "no" / "out.vxb").string()},
         7,
         "File not saved, error opening file"},
        {{"--import", "base", "--output"}, 2, "--output needs a profile file"},
    };
    for (const Case& c : cases) {
        const test::ProgramRun run = Vexa(c.args);
        EXPECT_EQ(run.status, c.status) << c.args[1] << ": " << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
    EXPECT_EQ(ReadWholeFile(Output()), "previous");

    // A character file that cannot be read is no bot at all.
    WriteLoose(base, {{"botfiles/bots/sarge_c.c", std::string(kMaxScriptFileSize + 1, ' ')}});
    const test::ProgramRun run =
        Vexa({"--import", base.string(), "--bot", "sarge", "--output", Output()});
    EXPECT_EQ(run.status, 6) << run.err;
    EXPECT_EQ(ReadWholeFile(Output()), "previous");
}

TEST_F(ImportCommand, ReportsWhatTheSourceCouldNotGive) {
    WriteWholeFile((base / "zz_broken.pk3").string(), "not a zip at all");
    const test::ProgramRun run =
        Vexa({"--import", base.string(), "--bot", "Sarge", "--output", Output()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find((base / "zz_broken.pk3").string() +
                           " is not a zip archive, or it is truncated; its files were not read"),
              std::string::npos)
        << run.err;
}

} // namespace
} // namespace vexa

#endif
