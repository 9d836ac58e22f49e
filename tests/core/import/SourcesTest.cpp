// The game file sources without archives: the loose files of a folder and
// files held in memory.
#include "ImportTestSupport.h"
#include "TempDir.h"
#include "core/generate/Writers.h"
#include "core/import/BotImport.h"
#include "core/import/LocalFileSources.h"

#include <gtest/gtest.h>

namespace vexa {
namespace {

std::vector<std::string> Paths(const std::vector<GameFile>& files) {
    std::vector<std::string> paths;
    for (const GameFile& file : files)
        paths.push_back(file.path);
    return paths;
}

TEST(FolderFileSource, FindsFilesWithoutRegardToCaseAndOnlyBelowItsFolder) {
    test::TempDir dir;
    const auto base = dir.path() / "base";
    std::filesystem::create_directories(base / "Scripts");
    std::filesystem::create_directories(base / "botfiles" / "BOTS" / "deep");
    std::filesystem::create_directories(base / "Scripts" / "folder.bot");
    test::WriteWholeFile((base / "Scripts" / "Ranger.BOT").string(), "{ name Ranger }");
    test::WriteWholeFile((base / "botfiles" / "BOTS" / "ranger_c.c").string(), "skill 1 { }");
    test::WriteWholeFile((base / "botfiles" / "BOTS" / "deep" / "x.c").string(), "x");
    test::WriteWholeFile((dir.path() / "secret.c").string(), "outside");
    test::WriteWholeFile((base / "huge.c").string(), std::string(kMaxScriptFileSize + 1, 'x'));
    const FolderFileSource source(base);

    std::string text;
    std::string error;
    EXPECT_EQ(source.Read("scripts/ranger.bot", text, &error), GameFileSource::ReadResult::Read);
    EXPECT_EQ(text, "{ name Ranger }");
    EXPECT_EQ(source.Read("BotFiles\\bots\\RANGER_C.C", text), GameFileSource::ReadResult::Read);
    EXPECT_EQ(text, "skill 1 { }");
    EXPECT_EQ(source.Origin("botfiles/bots/ranger_c.c"), base.string());
    for (const char* path : {"../secret.c", "botfiles/../../secret.c", "/etc/passwd", "C:/x.c",
                             "botfiles//bots/ranger_c.c", "scripts", "scripts/folder.bot",
                             "botfiles/bots/none.c", ""}) {
        EXPECT_EQ(source.Read(path, text, &error), GameFileSource::ReadResult::Missing) << path;
        EXPECT_TRUE(text.empty());
        EXPECT_EQ(source.Origin(path), "") << path;
    }
    EXPECT_EQ(source.Read("huge.c", text, &error), GameFileSource::ReadResult::TooLarge);
    EXPECT_TRUE(text.empty());
    EXPECT_NE(error.find("too large"), std::string::npos);

    EXPECT_EQ(Paths(source.List("scripts/")), (std::vector<std::string>{"Scripts/Ranger.BOT"}));
    EXPECT_EQ(Paths(source.List("BOTFILES")),
              (std::vector<std::string>{"botfiles/BOTS/deep/x.c", "botfiles/BOTS/ranger_c.c"}));
    EXPECT_TRUE(source.List("nothing/").empty());
    EXPECT_TRUE(source.List("../").empty());
    EXPECT_EQ(source.List("").size(), 4u);
}

// A bot's files kept in one folder, outside any game folder, are found
// beside its character file.
TEST(FolderFileSource, MountsTheFolderOfALooseFile) {
    test::TempDir dir;
    BotProfile profile = test::RandomBots(3).Profile();
    SetFieldText(profile.main_file, "loose_c.c");
    for (SkillProfile& block : profile.skill)
        for (char* field : {block.weaponweights, block.itemweights, block.chat_file})
            field[0] = '\0';
    for (const MemoryFiles::File& file : test::Generated(profile, false))
        test::WriteWholeFile(dir.file(std::filesystem::path(file.path).filename().string()),
                             file.text);

    const GameFileLocation location = LocateGameFile(dir.path() / "loose_c.c");
    EXPECT_EQ(location.folder, dir.path());
    EXPECT_EQ(location.mountedAs, "botfiles/bots/");
    EXPECT_EQ(location.relativePath, "botfiles/bots/loose_c.c");
    const FolderFileSource source(location.folder, location.mountedAs);
    const ImportResult result = ImportCharacterFile(source, "bots/loose_c.c");
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(ReportText(result.report), "");
    EXPECT_EQ(result.profile.skill[0].weapon_railgun, profile.skill[0].weapon_railgun);
    EXPECT_EQ(ChatFileText(result.profile.skill[0], "x"), ChatFileText(profile.skill[0], "x"));

    EXPECT_EQ(Paths(source.List("botfiles/")).size(), 5u);
    EXPECT_EQ(Paths(source.List("botfiles/bots/")).size(), 5u);
    EXPECT_TRUE(source.List("scripts/").empty());
    std::string text;
    EXPECT_EQ(source.Read("loose_c.c", text), GameFileSource::ReadResult::Missing);

    const GameFileLocation info = LocateGameFile(dir.path() / "x.BOT");
    EXPECT_EQ(info.mountedAs, "scripts/");
    EXPECT_EQ(info.relativePath, "scripts/x.BOT");
    const GameFileLocation inside =
        LocateGameFile(dir.path() / "Base" / "BotFiles" / "bots" / "a_c.c");
    EXPECT_EQ(inside.folder, dir.path() / "Base");
    EXPECT_EQ(inside.mountedAs, "");
    EXPECT_EQ(inside.relativePath, "BotFiles/bots/a_c.c");
}

TEST(MemoryFileSource, HoldsFilesByPathWithoutRegardToCase) {
    MemoryFileSource source("pak9.pk3");
    source.Add("scripts/A.bot", "first");
    source.Add("SCRIPTS/a.BOT", "second");
    source.Add("scripts/b.bot", "b");
    source.Add("scriptsx/c.bot", "c");
    std::string text;
    EXPECT_EQ(source.Read("scripts/a.bot", text), GameFileSource::ReadResult::Read);
    EXPECT_EQ(text, "second");
    EXPECT_EQ(Paths(source.List("Scripts/")),
              (std::vector<std::string>{"SCRIPTS/a.BOT", "scripts/b.bot"}));
    EXPECT_EQ(source.Origin("scripts/B.bot"), "pak9.pk3");
    EXPECT_EQ(source.Origin("scripts/none.bot"), "");
    EXPECT_EQ(source.Read("none", text), GameFileSource::ReadResult::Missing);
}

TEST(GamePaths, SafePathsStayBelowTheSource) {
    for (const char* path : {"a", "botfiles/bots/x_c.c", "scripts\\x.bot", "a/.hidden/b..c"})
        EXPECT_TRUE(IsSafeGamePath(path)) << path;
    for (const char* path : {"", "/a", "\\a", "a//b", "a/", "./a", "a/../b", "..", "c:x", "a/./b"})
        EXPECT_FALSE(IsSafeGamePath(path)) << path;
    EXPECT_FALSE(IsSafeGamePath(std::string("a\0b", 3)));
    EXPECT_EQ(GamePathKey("BotFiles\\Bots/X_C.c"), "botfiles/bots/x_c.c");
}

} // namespace
} // namespace vexa
