// The archive code built with a loader that cannot find its library: every
// archive operation says so in the program's words, and what needs no
// archive goes on working.
#include "TestSupport.h"
#include "ZipFixtures.h"
#include "core/archive/BotPackage.h"
#include "core/archive/GameFolderSource.h"
#include "core/archive/PickedSource.h"
#include "core/archive/ZipLibrary.h"
#include "core/archive/ZipReader.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace vexa {
namespace {

namespace fs = std::filesystem;

constexpr const char* kProblemStart =
    "the archive library libvexa-no-such-library.so.0 cannot be loaded: ";

TEST(WithoutZipLibrary, EveryArchiveOperationFailsWithTheReason) {
    ASSERT_EQ(Zip(), nullptr);
    const std::string problem = ZipLibraryProblem();
    ASSERT_EQ(problem.rfind(kProblemStart, 0), 0u) << problem;
    ASSERT_GT(problem.size(), std::string(kProblemStart).size());

    test::TempFolder game;
    const std::string pak = Utf8FromPath(game.path() / "pak0.pk3");
    test::WriteZip(pak, {{"scripts/bots.txt", "{\nname Brute\naifile bots/brute_c.c\n}\n"}});
    fs::create_directories(game.path() / "scripts");
    test::WriteWholeFile(Utf8FromPath(game.path() / "scripts" / "ranger.bot"),
                         "{\nname Ranger\naifile bots/ranger_c.c\n}\n");

    std::string error;
    EXPECT_EQ(ZipReader::OpenFile(pak, error), nullptr);
    EXPECT_EQ(error, pak + " cannot be read: " + problem);
    EXPECT_EQ(ZipReader::OpenBytes(test::ReadWholeFile(pak), "pak0.pk3", error), nullptr);
    EXPECT_EQ(error, "pak0.pk3 cannot be read: " + problem);

    const PickedSource picked = OpenPickedSource(pak);
    EXPECT_FALSE(picked.source);
    EXPECT_EQ(picked.error, pak + " cannot be read: " + problem + ".");

    // A base folder: its loose files are read, its archive is reported.
    const BaseFolderSource folder(Utf8FromPath(game.path()));
    std::string text;
    EXPECT_EQ(folder.Read("scripts/ranger.bot", text), GameFileSource::ReadResult::Read);
    EXPECT_EQ(folder.Read("scripts/bots.txt", text), GameFileSource::ReadResult::Missing);
    EXPECT_EQ(folder.Problems(), std::vector<std::string>{pak + " cannot be read: " + problem +
                                                          "; its files were not read"});

    // Export Bot Package fails as a package that cannot be written, with
    // the reason, and leaves no file.
    const std::string package = Utf8FromPath(game.path() / "zz-ranger.pk3");
    AppSettings settings;
    ResetSettings(settings);
    WriteFailure failure;
    const BotProfile ranger = test::RangerProfile();
    EXPECT_EQ(ExportBotPackage(ranger, settings, package, 0, &failure), kPackageWriteFailed);
    EXPECT_EQ(PackageFailureMessage(kPackageWriteFailed, ranger, settings, failure),
              "Package not created, error writing package file\n" + package + ": " + problem);
    EXPECT_FALSE(fs::exists(game.path() / "zz-ranger.pk3"));
}

} // namespace
} // namespace vexa
