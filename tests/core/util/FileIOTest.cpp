#include "core/util/FileIO.h"

#include "TempDir.h"
#include "core/util/Paths.h"

#include <filesystem>
#include <gtest/gtest.h>

#ifdef _WIN32
#include "core/util/WindowsApi.h"
#else
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
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

TEST(ReplaceFile, NamesBeyondAsciiRoundTrip) {
    TempDir dir;
    const std::string folder = Utf8FromPath(dir.path()) + "/café Ω";
    std::filesystem::create_directory(PathFromUtf8(folder));
    const std::string path = folder + "/Zoë_c.c";
    ASSERT_EQ(ReplaceFile(path, "one"), WriteStatus::Written);
    ASSERT_EQ(ReplaceFile(path, "two"), WriteStatus::Written);
    std::string out;
    EXPECT_EQ(ReadFilePrefix(path, 3, out), ReadStatus::Read);
    EXPECT_EQ(out, "two");
    EXPECT_EQ(EntriesIn(PathFromUtf8(folder)), 1u);
    EXPECT_EQ(
        Utf8FromPath(std::filesystem::directory_iterator(PathFromUtf8(folder))->path().filename()),
        "Zoë_c.c");
}

#ifdef _WIN32
TEST(ReplaceFile, WindowsRefusesDeviceNamesAndWaitsForFilesHeldOpen) {
    TempDir dir;
    for (const char* name : {"aux.bot", "Con", "nul.tar.gz", "lpt1.c", "Com9.txt"})
        EXPECT_EQ(ReplaceFile(dir.file(name), "x"), WriteStatus::ReservedName) << name;
    EXPECT_EQ(EntriesIn(dir.path()), 0u);

    const std::string path = dir.file("held.c");
    WriteWholeFile(path, "old");
    HANDLE held = CreateFileW(PathFromUtf8(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(ReplaceFile(path, "new"), WriteStatus::InUse);
    CloseHandle(held);
    EXPECT_EQ(ReadWholeFile(path), "old");
    EXPECT_EQ(EntriesIn(dir.path()), 1u);
    EXPECT_NE(WriteFailureReason(WriteStatus::InUse, path).find(path), std::string::npos);
    // A hidden file stays hidden.
    ASSERT_TRUE(SetFileAttributesW(PathFromUtf8(path).c_str(), FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(ReplaceFile(path, "new"), WriteStatus::Written);
    EXPECT_EQ(ReadWholeFile(path), "new");
    EXPECT_TRUE(GetFileAttributesW(PathFromUtf8(path).c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(EntriesIn(dir.path()), 1u);
}
#else
mode_t ModeOf(const std::string& path) {
    struct stat info {};
    lstat(path.c_str(), &info);
    return info.st_mode;
}

TEST(ReplaceFile, WritesThroughSymbolicLinks) {
    TempDir dir;
    std::filesystem::create_directory(dir.file("real"));
    WriteWholeFile(dir.file("real/bot.vxb"), "old");
    std::filesystem::create_symlink("real/bot.vxb", dir.file("link"));
    std::filesystem::create_symlink(dir.file("link"), dir.file("link2"));
    ASSERT_EQ(ReplaceFile(dir.file("link2"), "new"), WriteStatus::Written);
    EXPECT_EQ(ReadWholeFile(dir.file("real/bot.vxb")), "new");
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link")));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link2")));
    EXPECT_EQ(EntriesIn(dir.path()), 3u);
    EXPECT_EQ(EntriesIn(dir.file("real")), 1u);

    // A link to a file not made yet makes it.
    std::filesystem::create_symlink("real/new.c", dir.file("ahead"));
    ASSERT_EQ(ReplaceFile(dir.file("ahead"), "made"), WriteStatus::Written);
    EXPECT_EQ(ReadWholeFile(dir.file("real/new.c")), "made");
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("ahead")));

    // A loop of links names no file.
    std::filesystem::create_symlink("loop2", dir.file("loop1"));
    std::filesystem::create_symlink("loop1", dir.file("loop2"));
    EXPECT_EQ(ReplaceFile(dir.file("loop1"), "x"), WriteStatus::OpenFailed);
    EXPECT_EQ(EntriesIn(dir.path()), 6u);
}

TEST(ReplaceFile, KeepsPermissionsAndOwner) {
    TempDir dir;
    const std::string path = dir.file("secret.vxb");
    for (const mode_t mode : {0600, 0640, 0444, 0755}) {
        WriteWholeFile(path, "old");
        ASSERT_EQ(chmod(path.c_str(), mode), 0);
        ASSERT_EQ(ReplaceFile(path, "new"), WriteStatus::Written);
        EXPECT_EQ(ModeOf(path) & 07777, mode);
        EXPECT_EQ(ReadWholeFile(path), "new");
        std::filesystem::remove(path);
    }
    // A new file gets what the umask allows.
    const mode_t mask = umask(027);
    ASSERT_EQ(ReplaceFile(path, "x"), WriteStatus::Written);
    umask(mask);
    EXPECT_EQ(ModeOf(path) & 07777, 0640u);

    if (geteuid() != 0)
        GTEST_SKIP() << "only root can give a file to another owner";
    ASSERT_EQ(chown(path.c_str(), 4321, 4322), 0);
    ASSERT_EQ(ReplaceFile(path, "y"), WriteStatus::Written);
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 4321u);
    EXPECT_EQ(info.st_gid, 4322u);
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

TEST(Paths, ReservedDeviceNamesInTheWindowsStyle) {
    for (const char* name :
         {"CON", "con", "Prn.txt", "aux.bot", "NUL.tar.gz", "com1", "COM9.c", "lpt5.txt", "con .c"})
        EXPECT_TRUE(IsReservedDeviceName(name)) << name;
    for (const char* name : {"", "cons", "icon", "com0", "com10", "lpt", "con_c.c", "nul_", ".con"})
        EXPECT_FALSE(IsReservedDeviceName(name)) << name;
    EXPECT_EQ(ReservedDeviceNameIn("C:\\games\\Aux\\botfiles\\bots\\x_c.c", PathStyle::Windows),
              "Aux");
    EXPECT_EQ(ReservedDeviceNameIn("C:/games/base/scripts/con.bot", PathStyle::Windows), "con.bot");
    EXPECT_EQ(ReservedDeviceNameIn("C:\\games\\console\\", PathStyle::Windows), "");
    EXPECT_EQ(ReservedDeviceNameIn("/home/me/con.bot", PathStyle::Posix), "");
}

TEST(Paths, Utf8RoundTripsThroughFileSystemPaths) {
    const std::string name = "café/Zoë Ω/ünï 🎮.vxb";
    EXPECT_EQ(Utf8FromPath(PathFromUtf8(name)), name);
    EXPECT_EQ(Utf8FromPath(PathFromUtf8(name).filename()), "ünï 🎮.vxb");
}

// A file name from the profile is Latin-1 ("zo\xEB_c.c"): it names a file
// on every system instead of failing the conversion, and Windows spells it
// with its Latin-1 letters. Broken and overlong sequences count byte by byte.
TEST(Paths, Latin1NamesAreFilesToo) {
    TempDir dir;
    for (const std::string& name : {std::string("zo\xEB_c.c"), std::string("\xC0\xAF\xE2\x82"),
                                    std::string("\xED\xA0\x80\xF4\x90\x80\x80\xFF")}) {
        const std::filesystem::path path = PathFromUtf8(Utf8FromPath(dir.path()) + "/" + name);
        ASSERT_EQ(ReplaceFile(Utf8FromPath(path), "x"), WriteStatus::Written) << name;
        EXPECT_EQ(std::filesystem::file_size(path), 1u) << name;
    }
#ifdef _WIN32
    EXPECT_EQ(PathFromUtf8("zo\xEB_c.c"), std::filesystem::path(L"zo\u00EB_c.c"));
    EXPECT_EQ(PathFromUtf8("\xC0\xAF"), std::filesystem::path(L"\u00C0\u00AF"));
    EXPECT_EQ(Utf8FromPath(std::filesystem::path(L"a\xD800"
                                                 L"b")),
              "a\uFFFDb");
#else
    EXPECT_EQ(PathFromUtf8("zo\xEB_c.c").native(), "zo\xEB_c.c");
#endif
    EXPECT_EQ(EntriesIn(dir.path()), 3u);
}

TEST(Paths, WorkingDirectoryFileJoinsTheCurrentFolder) {
    const auto here = std::filesystem::current_path();
    EXPECT_EQ(std::filesystem::path(WorkingDirectoryFile("vexa.ini")), here / "vexa.ini");
}

} // namespace
} // namespace vexa
