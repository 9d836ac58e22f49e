// Bot packages against the loose files of Create Arvon source, read back
// through libzip and checked by unzip.
#include "core/archive/BotPackage.h"

#include "TestSupport.h"
#include "ZipEntries.h"
#include "core/generate/GenerateSource.h"
#include "core/util/FixedText.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace vexa {
namespace {

namespace fs = std::filesystem;
using test::ReadWholeFile;
using test::ReadZipEntries;
using test::TempFolder;

// January 2026, noon: any time the archive's two-second clock can hold.
constexpr std::time_t kModified = 1767268800;

// Ranger with a model name and values that differ from level to level, so
// that each level's files differ; Skill 4 keeps its weapon weights under a
// name of its own.
BotProfile VariedRanger() {
    BotProfile profile = test::RangerProfile();
    SetFieldText(profile.model_name, "rng");
    for (int block = 0; block < 3; ++block) {
        SkillProfile& level = profile.skill[block];
        level.attack_skill = 100 + 300 * block;
        level.weapon_railgun = 10 + block;
        level.item_w_quad = 200 - block;
        level.chat_cpm = 300 + block;
    }
    SetFieldText(profile.skill[1].weaponweights, "bots/ranger_ww4");
    return profile;
}

// The loose files below `folder` by their paths relative to it, with "/".
std::map<std::string, std::string> LooseFiles(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), folder).generic_string()] =
                ReadWholeFile(entry.path());
    return files;
}

std::map<std::string, std::string> EntryFiles(const std::vector<test::ZipEntry>& entries) {
    std::map<std::string, std::string> files;
    for (const test::ZipEntry& entry : entries)
        files[entry.name] = entry.bytes;
    return files;
}

AppSettings Settings(const std::string& baseDir, bool buildFold, bool tabSkill) {
    AppSettings settings;
    ResetSettings(settings);
    settings.BaseDir = baseDir;
    settings.BuildFold = buildFold;
    settings.TabSkill = tabSkill;
    return settings;
}

TEST(BotPackage, HoldsExactlyTheLooseFilesUnderTheGamesPaths) {
    const BotProfile profile = VariedRanger();
    for (const bool tabSkill : {false, true}) {
        SCOPED_TRACE(tabSkill ? "TabSkill on" : "TabSkill off");
        TempFolder game;
        AppSettings loose = Settings(game.slashed(), true, tabSkill);
        ASSERT_EQ(GenerateSource(profile, loose), 0);
        const auto expected = LooseFiles(game.path());
        ASSERT_EQ(expected.size(), tabSkill ? 11u : 5u);

        // Neither the base folder nor BuildFold plays a part in a package.
        for (const bool buildFold : {false, true}) {
            TempFolder out;
            const std::string path = (out.path() / "zz-ranger.pk3").string();
            AppSettings settings = Settings(buildFold ? "" : "/elsewhere", buildFold, tabSkill);
            const AppSettings before = settings;
            ASSERT_EQ(ExportBotPackage(profile, settings, path, kModified), 0);
            EXPECT_EQ(settings.BaseDir, before.BaseDir);
            EXPECT_EQ(settings.BuildFold, before.BuildFold);

            const auto entries = ReadZipEntries(path);
            ASSERT_TRUE(entries.has_value());
            EXPECT_EQ(EntryFiles(*entries), expected);
            ASSERT_EQ(entries->size(), expected.size()); // each path once
            // In the order Create Arvon source writes them.
            EXPECT_EQ(entries->front().name, "botfiles/bots/ranger_c.c");
            EXPECT_EQ(entries->back().name, "scripts/rng.bot");
            for (const test::ZipEntry& entry : *entries) {
                EXPECT_EQ(entry.method, ZIP_CM_DEFLATE) << entry.name;
                EXPECT_LE(std::abs(entry.modified - kModified), 2) << entry.name;
            }
            EXPECT_EQ(LooseFiles(out.path()).size(), 1u); // nothing but the package
        }
    }
}

TEST(BotPackage, UnzipFindsTheArchiveSound) {
    if (std::system("unzip -v >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "unzip is not installed (scripts/install-deps.sh installs it)";
    TempFolder out;
    const std::string path = (out.path() / "zz-ranger.pk3").string();
    ASSERT_EQ(ExportBotPackage(VariedRanger(), Settings("", true, true), path), 0);
    const std::string log = (out.path() / "unzip.log").string();
    EXPECT_EQ(std::system(("unzip -t '" + path + "' >'" + log + "' 2>&1").c_str()), 0);
    EXPECT_NE(ReadWholeFile(log).find("No errors detected"), std::string::npos)
        << ReadWholeFile(log);
}

TEST(BotPackage, FailuresGiveCreateArvonSourceCodesAndKeepAnOlderPackage) {
    TempFolder out;
    const std::string path = (out.path() / "zz-ranger.pk3").string();
    const AppSettings settings = Settings("", true, true);
    ASSERT_EQ(ExportBotPackage(VariedRanger(), settings, path, kModified), 0);
    const std::string older = ReadWholeFile(path);

    struct Case {
        const char* what;
        void (*change)(BotProfile&);
        int code;
    };
    const Case cases[] = {
        {"no name", [](BotProfile& p) { SetFieldText(p.name, ""); }, 14},
        {"no gender", [](BotProfile& p) { SetFieldText(p.gender, ""); }, 15},
        {"no main file", [](BotProfile& p) { SetFieldText(p.main_file, ""); }, 16},
        {"main file leaving the game folder",
         [](BotProfile& p) { SetFieldText(p.main_file, "../../ranger_c.c"); }, 17},
        {"weights leaving the game folder",
         [](BotProfile& p) { SetFieldText(p.skill[2].weaponweights, "bots/../../w5"); }, 17},
        {"item weights with a drive letter",
         [](BotProfile& p) { SetFieldText(p.skill[0].itemweights, "C:/bots/i1"); }, 17},
        {"chat file with a control character",
         [](BotProfile& p) { SetFieldText(p.skill[1].chat_file, "bots/t\t4"); }, 41},
        {"item weights with a colon",
         [](BotProfile& p) { SetFieldText(p.skill[0].itemweights, "bots/c:i1"); }, 31},
        {"an empty step", [](BotProfile& p) { SetFieldText(p.skill[0].chat_file, "bots//t1"); },
         41},
        {"a \".\" step", [](BotProfile& p) { SetFieldText(p.skill[1].weaponweights, "./bots/w4"); },
         21},
        {"an absolute main file", [](BotProfile& p) { SetFieldText(p.main_file, "/r_c.c"); }, 17},
        {"model leaving the game folder",
         [](BotProfile& p) { SetFieldText(p.model_name, "../rng"); }, 17},
        {"a chat line the game cannot read",
         [](BotProfile& p) { SetFieldText(p.skill[2].chat_lines[16][2], "Hello everyone"); }, 43},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BotProfile profile = VariedRanger();
        c.change(profile);
        std::vector<PackageEntry> entries;
        EXPECT_EQ(CollectBotPackage(profile, settings, entries), c.code);
        EXPECT_TRUE(entries.empty());
        EXPECT_EQ(ExportBotPackage(profile, settings, path), c.code);
        const std::string message = PackageFailureMessage(c.code, profile, settings);
        EXPECT_EQ(message, GenerateFailureMessage(c.code, profile, settings));
        EXPECT_EQ(message.rfind(GenerateResultMessage(c.code), 0), 0u) << message;
        if (c.code == 43) { // and it says which line
            EXPECT_NE(message.find("Skill 5, Death Rail, response 3"), std::string::npos);
        }
        EXPECT_EQ(ReadWholeFile(path), older);
    }

    // The package file itself cannot be made: a folder in its place, or a
    // missing folder on its way.
    fs::create_directory(out.path() / "folder.pk3");
    EXPECT_EQ(ExportBotPackage(VariedRanger(), settings, (out.path() / "folder.pk3").string()),
              kPackageOpenFailed);
    EXPECT_EQ(ExportBotPackage(VariedRanger(), settings,
                               (out.path() / "missing" / "zz-ranger.pk3").string()),
              kPackageOpenFailed);
    EXPECT_EQ(PackageFailureMessage(kPackageOpenFailed, VariedRanger(), settings),
              "Package not created, error opening package file");
    EXPECT_EQ(LooseFiles(out.path()),
              (std::map<std::string, std::string>{{"zz-ranger.pk3", older}}));
}

TEST(BotPackage, ProposedNameSortsAfterTheGamesOwnArchives) {
    BotProfile profile = test::RangerProfile();
    SetFieldText(profile.name, "Sir Blade-Runner 2000");
    EXPECT_EQ(ProposedPackageName(profile), "zz-sirbladeru.pk3");
    SetFieldText(profile.name, "A.B.");
    EXPECT_EQ(ProposedPackageName(profile), "zz-ab.pk3");
    SetFieldText(profile.name, "-.-");
    EXPECT_EQ(ProposedPackageName(profile), "zz-bot.pk3");
}

} // namespace
} // namespace vexa
