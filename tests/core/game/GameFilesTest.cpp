// The game file view without archives: the loose files of a folder, files
// held in memory, and the game's path rules.
#include "TempDir.h"
#include "core/game/GamePath.h"
#include "core/game/LocalFileSources.h"
#include "core/util/Paths.h"

#include <gtest/gtest.h>

namespace vexa {
namespace {

std::vector<std::string> Paths(const std::vector<GameFile>& files) {
    std::vector<std::string> paths;
    for (const GameFile& file : files)
        paths.push_back(file.path);
    return paths;
}

std::vector<std::string> Keys(const std::vector<GameFile>& files) {
    std::vector<std::string> keys;
    for (const GameFile& file : files)
        keys.push_back(GamePathKey(file.path));
    return keys;
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

    // Listed by their game paths; a system whose folders ignore case may
    // spell the folder asked for as it was asked.
    EXPECT_EQ(Keys(source.List("scripts/")), (std::vector<std::string>{"scripts/ranger.bot"}));
    EXPECT_EQ(Keys(source.List("BOTFILES")),
              (std::vector<std::string>{"botfiles/bots/deep/x.c", "botfiles/bots/ranger_c.c"}));
    if constexpr (NativePathStyle() == PathStyle::Posix) { // as the folders spell them
        EXPECT_EQ(Paths(source.List("scripts/")), (std::vector<std::string>{"Scripts/Ranger.BOT"}));
    }
    EXPECT_TRUE(source.List("nothing/").empty());
    EXPECT_TRUE(source.List("../").empty());
    EXPECT_EQ(source.List("").size(), 4u);
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
