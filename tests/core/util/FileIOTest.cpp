#include "core/util/FileIO.h"

#include "TempDir.h"
#include "core/util/Paths.h"

#include <filesystem>
#include <gtest/gtest.h>

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace vexa {
namespace {

using test::ReadWholeFile;
using test::TempDir;
using test::WriteWholeFile;

std::size_t EntriesIn(const std::filesystem::path& folder) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                                  std::filesystem::directory_iterator()));
}

TEST(ReplaceFile, WritesNewAndReplacesOldFilesWithoutLeftovers) {
    TempDir dir;
    const std::string path = dir.file("out.txt");
    ASSERT_EQ(ReplaceFile(path, "first\n"), WriteStatus::Written);
    EXPECT_EQ(ReadWholeFile(path), "first\n");
    ASSERT_EQ(ReplaceFile(path, "2"), WriteStatus::Written);
    EXPECT_EQ(ReadWholeFile(path), "2");
    ASSERT_EQ(ReplaceFile(path, ""), WriteStatus::Written);
    EXPECT_EQ(ReadWholeFile(path), "");
    EXPECT_EQ(EntriesIn(dir.path()), 1u);
}

TEST(ReplaceFile, PlatformLineEnds) {
    TempDir dir;
    ASSERT_EQ(ReplaceFile(dir.file("t"), "a\nb\n", LineEnds::Platform), WriteStatus::Written);
#ifdef _WIN32
    EXPECT_EQ(ReadWholeFile(dir.file("t")), "a\r\nb\r\n");
#else
    EXPECT_EQ(ReadWholeFile(dir.file("t")), "a\nb\n");
#endif
}

TEST(ReplaceFile, CannotOpenWhereNoFileCanBe) {
    TempDir dir;
    EXPECT_EQ(ReplaceFile(dir.file("missing/out.txt"), "x"), WriteStatus::OpenFailed);
    WriteWholeFile(dir.file("regular"), "keep");
    EXPECT_EQ(ReplaceFile(dir.file("regular/out.txt"), "x"), WriteStatus::OpenFailed);
    std::filesystem::create_directory(dir.file("folder"));
    EXPECT_EQ(ReplaceFile(dir.file("folder"), "x"), WriteStatus::OpenFailed);
    EXPECT_EQ(ReplaceFile(dir.path().string() + "/", "x"), WriteStatus::OpenFailed);
    EXPECT_EQ(ReadWholeFile(dir.file("regular")), "keep");
    EXPECT_EQ(EntriesIn(dir.path()), 2u);
}

#ifndef _WIN32
// Runs `action` in a child process that may write at most `limit` bytes to
// any file, with SIGXFSZ ignored so that a longer write fails with an error
// instead of killing the process. Returns the child's exit status.
template <typename Action> int WithFileSizeLimit(rlim_t limit, Action action) {
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit fsize{limit, limit};
        setrlimit(RLIMIT_FSIZE, &fsize);
        _exit(action());
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(ReplaceFile, WriteRunningOutOfRoomKeepsTheOldFile) {
    TempDir dir;
    const std::string path = dir.file("bot.vxb");
    const std::string old(1000, 'o');
    WriteWholeFile(path, old);
    const int status = WithFileSizeLimit(4096, [&] {
        return ReplaceFile(path, std::string(100000, 'n')) == WriteStatus::WriteFailed ? 0 : 1;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadWholeFile(path), old);
    EXPECT_EQ(EntriesIn(dir.path()), 1u);
}
#endif

TEST(ReadFilePrefix, ReadsExactlyThePrefix) {
    TempDir dir;
    WriteWholeFile(dir.file("f"), "abcdef");
    std::string out;
    EXPECT_EQ(ReadFilePrefix(dir.file("f"), 4, out), ReadStatus::Read);
    EXPECT_EQ(out, "abcd");
    EXPECT_EQ(ReadFilePrefix(dir.file("f"), 6, out), ReadStatus::Read);
    EXPECT_EQ(out, "abcdef");
    EXPECT_EQ(ReadFilePrefix(dir.file("f"), 7, out), ReadStatus::ShortRead);
    EXPECT_EQ(out, "");
    EXPECT_EQ(ReadFilePrefix(dir.file("none"), 1, out), ReadStatus::OpenFailed);
    EXPECT_EQ(ReadFilePrefix(dir.path().string(), 1, out), ReadStatus::OpenFailed);
}

TEST(Paths, SeparatorsFollowTheStyle) {
    EXPECT_EQ(WithSeparators("a/b\\c/", PathStyle::Windows), "a\\b\\c\\");
    EXPECT_EQ(WithSeparators("a/b\\c/", PathStyle::Posix), "a/b/c/");
}

TEST(Paths, WorkingDirectoryFileJoinsTheCurrentFolder) {
    const auto here = std::filesystem::current_path();
    EXPECT_EQ(std::filesystem::path(WorkingDirectoryFile("vexa.ini")), here / "vexa.ini");
}

} // namespace
} // namespace vexa
