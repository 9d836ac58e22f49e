#include "TestSupport.h"
#include "core/generate/OutputFiles.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace vexa {
namespace {

using test::RecordingFiles;

TEST(MakeFolderChain, WindowsStyleCreatesTheMissingFoldersTopDown) {
    RecordingFiles files;
    files.folders = {"C:\\", "C:\\game\\", "C:\\game\\base\\"};
    MakeFolderChain("C:\\game\\base\\botfiles\\bots\\", PathStyle::Windows, files);
    EXPECT_EQ(files.createAttempts, (std::vector<std::string>{"C:\\game\\base\\botfiles\\bots\\",
                                                              "C:\\game\\base\\botfiles\\",
                                                              "C:\\game\\base\\botfiles\\bots\\"}));
    EXPECT_TRUE(files.folders.count("C:\\game\\base\\botfiles\\bots\\"));
}

TEST(MakeFolderChain, AnExistingFolderClimbsToTheRootAndCreatesNothing) {
    RecordingFiles files;
    files.folders = {"C:\\", "C:\\game\\", "C:\\game\\base\\"};
    MakeFolderChain("C:\\game\\base\\", PathStyle::Windows, files);
    EXPECT_EQ(files.createAttempts,
              (std::vector<std::string>{"C:\\game\\base\\", "C:\\game\\", "C:\\"}));
    EXPECT_EQ(files.folders.size(), 3u);
}

TEST(MakeFolderChain, GivesUpAfterFourteenShorterPaths) {
    std::string path = "/";
    for (int i = 0; i < 20; ++i)
        path.append("d").append(std::to_string(i)).append("/");
    RecordingFiles files; // nothing exists, not even the root
    MakeFolderChain(path, PathStyle::Posix, files);
    EXPECT_EQ(files.createAttempts.size(), 15u);
    EXPECT_TRUE(files.folders.empty());
}

TEST(MakeFolderChain, StopsAtTheFirstFailureOnTheWayDown) {
    struct FailingBelow final : public OutputFiles {
        std::vector<std::string> attempts;
        bool CreateFolder(const std::string& path) override {
            attempts.push_back(path);
            return path == "/a/";
        }
        WriteStatus WriteTextFile(const std::string&, std::string_view) override {
            return WriteStatus::Written;
        }
    } files;
    MakeFolderChain("/a/b/c/", PathStyle::Posix, files);
    EXPECT_EQ(files.attempts, (std::vector<std::string>{"/a/b/c/", "/a/b/", "/a/", "/a/b/"}));
}

#ifndef _WIN32
TEST(MakeFolderChain, CreatesRealFoldersBelowAnExistingOne) {
    test::TempFolder temp;
    DiskFiles disk;
    const std::string chain = temp.slashed() + "botfiles/bots/";
    MakeFolderChain(chain, PathStyle::Posix, disk);
    EXPECT_TRUE(std::filesystem::is_directory(chain));
    // Running again on the existing folders is harmless.
    MakeFolderChain(chain, PathStyle::Posix, disk);
    EXPECT_TRUE(std::filesystem::is_directory(chain));
}

TEST(MakeFolderChain, CannotCreateFoldersBelowARegularFile) {
    test::TempFolder temp;
    std::ofstream(temp.path() / "file") << "x";
    DiskFiles disk;
    MakeFolderChain(temp.slashed() + "file/botfiles/bots/", PathStyle::Posix, disk);
    EXPECT_TRUE(std::filesystem::is_regular_file(temp.path() / "file"));
    EXPECT_FALSE(std::filesystem::exists(temp.path() / "file" / "botfiles"));
}
#endif

} // namespace
} // namespace vexa
