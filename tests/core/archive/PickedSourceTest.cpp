#include "core/archive/PickedSource.h"

#include "ZipFixtures.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace vexa {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using test::WriteWholeFile;
using test::WriteZip;
using Kind = PickedSource::Kind;

void WriteLoose(const fs::path& base, const std::string& relative, const std::string& text) {
    fs::create_directories((base / relative).parent_path());
    WriteWholeFile((base / relative).string(), text);
}

// A game folder with a loose bot, a bot in an archive, and a download laid
// out flat outside the game's folders.
class Picks : public ::testing::Test {
protected:
    TempDir dir;
    fs::path base = dir.path() / "arvon" / "Base";
    fs::path download = dir.path() / "download";

    void SetUp() override {
        WriteLoose(base, "Scripts/ranger.bot", "loose bot");
        WriteLoose(base, "BotFiles/bots/ranger_c.c", "loose char");
        WriteZip((base / "pak0.pk3").string(), {{"scripts/archived.bot", "archived bot"},
                                                {"botfiles/bots/ranger_w.c", "archived weights"}});
        WriteLoose(download, "sarge.bot", "flat bot");
        WriteLoose(download, "sarge_c.c", "flat char");
        WriteLoose(download, "sarge_w.c", "flat weights");
    }

    static std::string Read(const PickedSource& picked, const std::string& path) {
        std::string text;
        picked.source->Read(path, text);
        return text;
    }
};

TEST_F(Picks, EachKindOfPickStandsForTheRightSource) {
    struct Case {
        fs::path pick;
        Kind kind;
        std::string file;
        bool noted;
        std::string probe; // a file the source must hold
        std::string probeText;
    };
    const std::vector<Case> cases = {
        {base, Kind::Folder, "", false, "botfiles/bots/ranger_w.c", "archived weights"},
        {base / "", Kind::Folder, "", false, "scripts/ranger.bot", "loose bot"},
        {base / "Scripts", Kind::Folder, "", true, "scripts/archived.bot", "archived bot"},
        {base / "pak0.pk3", Kind::Archive, "", false, "scripts/archived.bot", "archived bot"},
        // A .bot file in scripts/ and a character file below botfiles/ stand
        // for the whole base folder, archives included.
        {base / "Scripts" / "ranger.bot", Kind::BotInfo, "scripts/ranger.bot", false,
         "botfiles/bots/ranger_w.c", "archived weights"},
        {base / "BotFiles" / "bots" / "ranger_c.c", Kind::Character, "botfiles/bots/ranger_c.c",
         false, "scripts/ranger.bot", "loose bot"},
        // Outside the game's folders: the file's own folder, laid out flat.
        {download / "sarge.bot", Kind::BotInfo, "scripts/sarge.bot", true,
         "botfiles/bots/sarge_w.c", "flat weights"},
        {download / "sarge_c.c", Kind::Character, "botfiles/sarge_c.c", true,
         "botfiles/bots/sarge_w.c", "flat weights"},
        {download, Kind::Folder, "", true, "scripts/sarge.bot", "flat bot"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pick.string());
        const PickedSource picked = OpenPickedSource(c.pick.string());
        ASSERT_TRUE(picked.source) << picked.error;
        EXPECT_EQ(picked.kind, c.kind);
        EXPECT_EQ(picked.file, c.file);
        EXPECT_EQ(!picked.note.empty(), c.noted) << picked.note;
        EXPECT_EQ(Read(picked, c.probe), c.probeText);
        if (!c.file.empty()) {
            EXPECT_FALSE(Read(picked, c.file).empty());
        }
    }
}

// A bot's line names the file the user picked by its real path when that
// file lies outside the game's folders, and by its game path otherwise.
TEST_F(Picks, BotLinesNameAFilePickedOutsideTheGameByItsRealPath) {
    WriteLoose(download, "sarge.bot", "{ name Sarge model sarge aifile bots/sarge_c.c }");
    WriteLoose(base, "Scripts/ranger.bot", "{ name Ranger model ranger aifile bots/ranger_c.c }");
    for (const auto& [pick, from] :
         {std::pair{download / "sarge.bot", (download / "sarge.bot").string()},
          std::pair{download / "sarge_c.c", (download / "sarge_c.c").string()},
          std::pair{base / "Scripts" / "ranger.bot", "Scripts/ranger.bot in " + base.string()}}) {
        const PickedSource picked = OpenPickedSource(pick.string());
        const PickedBots found = BotsOfPick(picked);
        ASSERT_EQ(found.bots.size(), 1u) << pick;
        EXPECT_EQ(BotFrom(found.bots[0], &picked), from);
        EXPECT_NE(BotListLine(found.bots[0], &picked).find(from), std::string::npos)
            << BotListLine(found.bots[0], &picked);
    }
}

TEST_F(Picks, WhatCannotBeReadGivesAMessage) {
    WriteWholeFile((dir.path() / "broken.pk3").string(), "not a zip");
    const PickedSource broken = OpenPickedSource((dir.path() / "broken.pk3").string());
    EXPECT_FALSE(broken.source);
    EXPECT_EQ(broken.error,
              (dir.path() / "broken.pk3").string() + " is not a zip archive, or it is truncated.");

    const PickedSource missing = OpenPickedSource((dir.path() / "nothing.bot").string());
    EXPECT_FALSE(missing.source);
    EXPECT_EQ(missing.error, (dir.path() / "nothing.bot").string() + " does not exist.");

    EXPECT_FALSE(OpenPickedSource("").source);
}

TEST_F(Picks, ARelativePickIsTakenFromTheWorkingFolder) {
    const fs::path before = fs::current_path();
    fs::current_path(base);
    const PickedSource picked = OpenPickedSource("Scripts/ranger.bot");
    fs::current_path(before);
    ASSERT_TRUE(picked.source) << picked.error;
    EXPECT_EQ(picked.file, "scripts/ranger.bot");
    EXPECT_TRUE(picked.note.empty());
    EXPECT_EQ(Read(picked, "scripts/archived.bot"), "archived bot");
}

} // namespace
} // namespace vexa
