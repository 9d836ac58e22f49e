#include "core/archive/GameFolderSource.h"

#include "ZipFixtures.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace vexa {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using test::WriteWholeFile;
using test::WriteZip;
using Result = GameFileSource::ReadResult;

std::string ReadText(const GameFileSource& source, const std::string& path,
                     Result expected = Result::Read) {
    std::string text;
    std::string error;
    const Result result = source.Read(path, text, &error);
    EXPECT_EQ(result, expected) << path << ": " << error;
    if (result != Result::Read) {
        EXPECT_FALSE(error.empty());
    }
    return text;
}

// "path@origin" for each listed file.
std::vector<std::string> Listed(const GameFileSource& source, const std::string& folder) {
    std::vector<std::string> listed;
    for (const GameFile& file : source.List(folder))
        listed.push_back(file.path + "@" + fs::path(file.origin).filename().string());
    return listed;
}

void WriteLoose(const fs::path& base, const std::string& relative, const std::string& text) {
    fs::create_directories((base / relative).parent_path());
    WriteWholeFile((base / relative).string(), text);
}

// A base folder as a game has it: archives of the game and of a download,
// and loose files that override some of their bots.
class BaseFolder : public ::testing::Test {
protected:
    TempDir dir;
    fs::path base = dir.path() / "base";

    void SetUp() override {
        fs::create_directories(base);
        // "aa" sorts before "Zz" without regard to case (and after it by bytes).
        WriteZip((base / "aa.pk3").string(), {{"scripts/ranger.bot", "ranger from aa"},
                                              {"scripts/only_aa.bot", "only aa"},
                                              {"botfiles/bots/ranger_c.c", "char from aa"}});
        WriteZip((base / "Zz.PK3").string(), {{"Scripts/Ranger.bot", "ranger from Zz"},
                                              {"botfiles/bots/Ranger_C.c", "char from Zz"},
                                              {"scripts/only_zz.bot", "only zz"}});
        WriteLoose(base, "scripts/RANGER.BOT", "loose ranger");
        WriteLoose(base, "scripts/loose.bot", "loose only");
        WriteLoose(base, "scripts/sub/deep.bot", "deep");
        WriteLoose(base, "maps/x.bsp", "not listed");
        WriteWholeFile((base / "notes.pk3.txt").string(), "not an archive");
    }
};

TEST_F(BaseFolder, TheLooseFileWinsThenTheArchiveThatSortsLast) {
    const BaseFolderSource source(base.string());
    EXPECT_EQ(ReadText(source, "scripts/ranger.bot"), "loose ranger");
    EXPECT_EQ(source.Origin("SCRIPTS\\ranger.bot"), base.string());
    EXPECT_EQ(ReadText(source, "botfiles/bots/ranger_c.c"), "char from Zz");
    EXPECT_EQ(source.Origin("botfiles/bots/ranger_c.c"), (base / "Zz.PK3").string());
    EXPECT_EQ(ReadText(source, "scripts/only_aa.bot"), "only aa");
    EXPECT_EQ(source.Origin("scripts/only_aa.bot"), (base / "aa.pk3").string());
    EXPECT_EQ(ReadText(source, "scripts/missing.bot", Result::Missing), "");
    EXPECT_EQ(source.Origin("scripts/missing.bot"), "");
    EXPECT_EQ(ReadText(source, "scripts/../aa.pk3", Result::Missing), "");
    EXPECT_TRUE(source.Problems().empty());

    // Each file once, as the game sees it, in the order of the paths.
    EXPECT_EQ(Listed(source, "scripts/"),
              (std::vector<std::string>{"scripts/loose.bot@base", "scripts/only_aa.bot@aa.pk3",
                                        "scripts/only_zz.bot@Zz.PK3", "scripts/RANGER.BOT@base",
                                        "scripts/sub/deep.bot@base"}));
    EXPECT_EQ(Listed(source, "Botfiles"),
              (std::vector<std::string>{"botfiles/bots/Ranger_C.c@Zz.PK3"}));
}

TEST_F(BaseFolder, ADamagedArchiveIsReportedAndTheOthersStillCount) {
    WriteWholeFile((base / "zzz_broken.pk3").string(), "PK\x03\x04 and then nothing");
    const BaseFolderSource source(base.string());
    EXPECT_EQ(ReadText(source, "botfiles/bots/ranger_c.c"), "char from Zz");
    ASSERT_EQ(source.Problems().size(), 1u);
    EXPECT_EQ(source.Problems()[0], (base / "zzz_broken.pk3").string() +
                                        " is not a zip archive, or it is truncated; its files "
                                        "were not read");
}

TEST_F(BaseFolder, TooLargeAndUnreadableFilesSayWhy) {
    WriteLoose(base, "scripts/huge.bot", std::string(kMaxScriptFileSize + 1, ' '));
    WriteZip((base / "zzzz.pk3").string(),
             {{"scripts/huge2.bot", std::string(kMaxScriptFileSize + 1, ' ')}});
    fs::create_directories(base / "scripts" / "folder.bot");
    const BaseFolderSource source(base.string());
    EXPECT_EQ(ReadText(source, "scripts/huge.bot", Result::TooLarge), "");
    EXPECT_EQ(ReadText(source, "scripts/huge2.bot", Result::TooLarge), "");
    EXPECT_EQ(ReadText(source, "scripts/folder.bot", Result::Missing), "");
}

TEST(LooseLayout, FindsTheFilesOfABotLaidOutInOneFolder) {
    TempDir dir;
    WriteLoose(dir.path(), "ranger.bot", "bot");
    WriteLoose(dir.path(), "ranger_c.c", "char");
    WriteLoose(dir.path(), "botfiles/bots/ranger_w.c", "weights below botfiles");
    WriteLoose(dir.path(), "ranger_w.c", "weights beside");
    const BaseFolderSource source(dir.path().string(), BaseFolderSource::Layout::Loose);
    EXPECT_EQ(ReadText(source, "scripts/ranger.bot"), "bot");
    EXPECT_EQ(ReadText(source, "botfiles/bots/ranger_c.c"), "char");
    EXPECT_EQ(ReadText(source, "botfiles/bots/ranger_w.c"), "weights below botfiles");
    EXPECT_EQ(source.Origin("botfiles/ranger_c.c"), dir.path().string());
    const std::vector<std::string> scripts = Listed(source, "scripts/");
    EXPECT_NE(std::find(scripts.begin(), scripts.end(),
                        "scripts/ranger.bot@" + dir.path().filename().string()),
              scripts.end());

    // The base layout does not look beside.
    const BaseFolderSource strict(dir.path().string());
    EXPECT_EQ(ReadText(strict, "botfiles/bots/ranger_c.c", Result::Missing), "");
    EXPECT_TRUE(Listed(strict, "scripts/").empty());
}

TEST(ArchiveSource, IsTheArchiveAloneWithoutRegardToCase) {
    TempDir dir;
    const std::string path = dir.file("bot.pk3");
    WriteZip(path, {{"Scripts/Ranger.bot", "bot"},
                    {"botfiles/bots/ranger_c.c", "char"},
                    {"../escape.bot", "no"}});
    WriteLoose(dir.path(), "scripts/ranger.bot", "loose beside the archive is not read");
    std::string error;
    const auto source = ArchiveFileSource::Open(path, error);
    ASSERT_TRUE(source) << error;
    EXPECT_EQ(ReadText(*source, "scripts/ranger.bot"), "bot");
    EXPECT_EQ(source->Origin("scripts/RANGER.bot"), path);
    EXPECT_EQ(ReadText(*source, "scripts/other.bot", Result::Missing), "");
    EXPECT_EQ(Listed(*source, "scripts"), (std::vector<std::string>{"Scripts/Ranger.bot@bot.pk3"}));
    EXPECT_EQ(Listed(*source, "").size(), 2u);
    ASSERT_EQ(source->Problems().size(), 1u);
    EXPECT_NE(source->Problems()[0].find("1 file(s)"), std::string::npos);
}

} // namespace
} // namespace vexa
