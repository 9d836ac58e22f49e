#include "core/archive/ZipReader.h"

#include "ZipFixtures.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>

namespace vexa {
namespace {

namespace fs = std::filesystem;
using test::ReadWholeFile;
using test::TempDir;
using test::WriteWholeFile;
using test::WriteZip;
using test::ZipItem;
using Result = GameFileSource::ReadResult;

std::vector<std::string> Names(const ZipReader& reader) {
    std::vector<std::string> names;
    for (const ZipEntry& entry : reader.Entries())
        names.push_back(entry.name);
    return names;
}

// Reads the entry named `name`; "<result>" texts for the other results.
std::string ReadNamed(const ZipReader& reader, const std::string& name,
                      std::string* error = nullptr) {
    const auto& entries = reader.Entries();
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i].name == name) {
            std::string text;
            switch (reader.Read(i, text, error)) {
            case Result::Read:
                return text;
            case Result::TooLarge:
                return "<too large>";
            case Result::Failed:
                EXPECT_TRUE(text.empty());
                return "<failed>";
            case Result::Missing:
                return "<missing>";
            }
        }
    return "<not listed>";
}

TEST(ZipReader, ReadsBackWhatWasWrittenFromFileAndMemory) {
    TempDir dir;
    std::mt19937 random(7);
    std::vector<ZipItem> items = {
        {"scripts/Ranger.bot", "{ name Ranger }", false},
        {"botfiles/bots/ranger_c.c", "", true},
        {"Botfiles\\Bots\\ranger_t.c", "chat", false},
    };
    // Random contents of random sizes up to the cap, deflated and stored.
    for (int i = 0; i < 8; ++i) {
        std::string data(random() % (kMaxScriptFileSize + 1), '\0');
        const bool compressible = i % 2 == 0;
        for (char& c : data)
            c = static_cast<char>(compressible ? 'a' + random() % 3 : random());
        items.push_back({"f/" + std::to_string(i), std::move(data), i % 3 == 0});
    }
    items.push_back({"full", std::string(kMaxScriptFileSize, 'x'), false});
    const std::string path = dir.file("pak0.pk3");
    WriteZip(path, items);

    std::string error;
    const auto fromFile = ZipReader::OpenFile(path, error);
    ASSERT_TRUE(fromFile) << error;
    const auto fromBytes = ZipReader::OpenBytes(ReadWholeFile(path), "pak0.pk3", error);
    ASSERT_TRUE(fromBytes) << error;
    for (const ZipReader* reader : {fromFile.get(), fromBytes.get()}) {
        ASSERT_EQ(reader->Entries().size(), items.size());
        for (std::size_t i = 0; i < items.size(); ++i) {
            std::string name = items[i].name;
            std::replace(name.begin(), name.end(), '\\', '/');
            EXPECT_EQ(reader->Entries()[i].name, name);
            EXPECT_EQ(reader->Entries()[i].size, items[i].data.size());
            EXPECT_EQ(ReadNamed(*reader, name), items[i].data) << name;
        }
    }
    // Nothing was extracted beside the archive.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(ZipReader, RefusesEntriesLargerThanTheCapWithoutReadingThem) {
    TempDir dir;
    const std::string path = dir.file("big.pk3");
    WriteZip(path, {{"over", std::string(kMaxScriptFileSize + 1, 'x')},
                    {"small", std::string(100, 'y')}});
    std::string error;
    const auto reader = ZipReader::OpenFile(path, error);
    ASSERT_TRUE(reader) << error;
    std::string why;
    EXPECT_EQ(ReadNamed(*reader, "over", &why), "<too large>");
    EXPECT_NE(why.find("over in " + path + " is larger than 1024 KB"), std::string::npos) << why;

    ZipLimits limits;
    limits.maxEntrySize = 99;
    const auto tight = ZipReader::OpenFile(path, error, limits);
    ASSERT_TRUE(tight);
    EXPECT_EQ(ReadNamed(*tight, "small"), "<too large>");
}

// Entries whose data hold more than the directory states: the reading stops
// at the stated size and reports the entry as damaged.
TEST(ZipReader, StopsEntriesThatInflateBeyondTheirStatedSize) {
    TempDir dir;
    const std::string path = dir.file("bomb.pk3");
    const std::size_t inflated = 64u << 20; // 64 MB of zeros, a few hundred KB deflated
    WriteZip(path, {{"scripts/bomb.bot", std::string(inflated, '\0')},
                    {"scripts/more.bot", std::string(5000, 'm'), true},
                    {"scripts/fine.bot", "fine"}});
    std::string bytes = ReadWholeFile(path);
    test::StateSize(bytes, "scripts/bomb.bot", 1024);
    test::StateSize(bytes, "scripts/more.bot", 1000);
    WriteWholeFile(path, bytes);

    std::string error;
    const auto reader = ZipReader::OpenFile(path, error);
    ASSERT_TRUE(reader) << error;
    const auto start = std::chrono::steady_clock::now();
    std::string why;
    EXPECT_EQ(ReadNamed(*reader, "scripts/bomb.bot", &why), "<failed>");
    EXPECT_NE(why.find("scripts/bomb.bot in " + path + " is damaged"), std::string::npos) << why;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_EQ(ReadNamed(*reader, "scripts/more.bot"), "<failed>");
    EXPECT_EQ(ReadNamed(*reader, "scripts/fine.bot"), "fine");
}

TEST(ZipReader, LeavesOutNamesThatAreNoRelativePathOfTheGame) {
    TempDir dir;
    const std::string path = dir.file("names.pk3");
    WriteZip(path, {{"../evil.bot", "x"},
                    {"/etc/evil.bot", "x"},
                    {"scripts/../../evil.bot", "x"},
                    {"scripts/./evil.bot", "x"},
                    {"C:/evil.bot", "x"},
                    {"scripts//evil.bot", "x"},
                    {"..\\evil.bot", "x"},
                    {"scripts/", ""},
                    {"scripts/good.bot", "good"},
                    {"scripts/..good.bot", "dots in a name are fine"}});
    std::string error;
    const auto reader = ZipReader::OpenFile(path, error);
    ASSERT_TRUE(reader) << error;
    EXPECT_EQ(Names(*reader), (std::vector<std::string>{"scripts/good.bot", "scripts/..good.bot"}));
    EXPECT_EQ(reader->SkippedNames(), 7u);
    EXPECT_FALSE(fs::exists(dir.path().parent_path() / "evil.bot"));
}

TEST(ZipReader, SafeGamePathKeyComparesWithoutCaseAndRefusesEscapes) {
    EXPECT_EQ(SafeGamePathKey("Scripts\\Ranger.BOT"), "scripts/ranger.bot");
    EXPECT_EQ(SafeGamePathKey("botfiles/bots/x_c.c"), "botfiles/bots/x_c.c");
    for (const char* bad : {"", "/a", "a/", "a//b", "./a", "a/..", "..", "c:x", "a\tb", "a\nb"})
        EXPECT_EQ(SafeGamePathKey(bad), "") << bad;
    EXPECT_EQ(SafeGamePathKey(std::string(1025, 'a')), "");
}

TEST(ZipReader, GivesAMessageForWhatIsNoUsableArchive) {
    TempDir dir;
    const std::string good = dir.file("good.pk3");
    WriteZip(good, {{"scripts/a.bot", std::string(3000, 'a')}, {"scripts/b.bot", "b"}});
    const std::string bytes = ReadWholeFile(good);

    struct Case {
        std::string name;
        std::string bytes;
        std::string message;
    };
    std::vector<Case> cases = {
        {"empty", "", "is not a zip archive, or it is truncated"},
        {"text", "{ name Ranger }\n", "is not a zip archive, or it is truncated"},
        {"zeros", std::string(70000, '\0'), "is not a zip archive, or it is truncated"},
    };
    // Every truncation loses the end of the central directory.
    for (std::size_t cut : {bytes.size() - 1, bytes.size() - 22, bytes.size() / 2, std::size_t{30}})
        cases.push_back({"cut at " + std::to_string(cut), bytes.substr(0, cut), ""});
    // A central directory that points past the end of the file.
    std::string pointing = bytes;
    const std::size_t end = pointing.rfind(std::string("PK\x05\x06", 4));
    test::Write32(pointing, end + 16, static_cast<std::uint32_t>(bytes.size() + 1000));
    cases.push_back({"directory beyond the end", pointing, ""});

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.file("bad.pk3");
        WriteWholeFile(path, c.bytes);
        std::string error;
        EXPECT_FALSE(ZipReader::OpenFile(path, error));
        EXPECT_EQ(error.rfind(path + " ", 0), 0u) << error;
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
        std::string memoryError;
        EXPECT_FALSE(ZipReader::OpenBytes(c.bytes, "bad.pk3", memoryError));
        EXPECT_FALSE(memoryError.empty());
    }
    std::string error;
    EXPECT_FALSE(ZipReader::OpenFile(dir.file("missing.pk3"), error));
    EXPECT_EQ(error, dir.file("missing.pk3") + " cannot be opened");
}

TEST(ZipReader, ReportsDamagedDataOfOneEntryAndReadsTheOthers) {
    TempDir dir;
    const std::string path = dir.file("damaged.pk3");
    std::string text(4000, ' ');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char>('a' + (i * 7919) % 26);
    WriteZip(path, {{"deflated", text}, {"stored", text, true}, {"other", "fine"}});
    std::string bytes = ReadWholeFile(path);
    for (const char* name : {"deflated", "stored"}) {
        const test::EntryPlace place = test::FindEntry(bytes, name);
        for (std::size_t i = 0; i < 16; ++i)
            bytes[place.data + place.compressedSize / 2 + i] ^= 0x5a;
    }
    WriteWholeFile(path, bytes);
    std::string error;
    const auto reader = ZipReader::OpenFile(path, error);
    ASSERT_TRUE(reader) << error;
    std::string why;
    EXPECT_EQ(ReadNamed(*reader, "deflated", &why), "<failed>");
    EXPECT_NE(why.find("deflated in " + path + " is damaged"), std::string::npos) << why;
    EXPECT_EQ(ReadNamed(*reader, "stored", &why), "<failed>");
    EXPECT_NE(why.find("checksum"), std::string::npos) << why;
    EXPECT_EQ(ReadNamed(*reader, "other"), "fine");
}

TEST(ZipReader, BoundsTheNumberOfEntries) {
    TempDir dir;
    const std::string path = dir.file("many.pk3");
    std::vector<ZipItem> items;
    for (int i = 0; i < 5000; ++i)
        items.push_back({"botfiles/f" + std::to_string(i) + ".c", std::to_string(i), true});
    WriteZip(path, items);

    std::string error;
    const auto reader = ZipReader::OpenFile(path, error);
    ASSERT_TRUE(reader) << error;
    ASSERT_EQ(reader->Entries().size(), 5000u);
    EXPECT_EQ(ReadNamed(*reader, "botfiles/f4321.c"), "4321");

    ZipLimits limits;
    limits.maxEntries = 4999;
    EXPECT_FALSE(ZipReader::OpenFile(path, error, limits));
    EXPECT_EQ(error, path + " holds 5000 files, more than the 4999 that are read of an archive");
}

} // namespace
} // namespace vexa
