// vexa_bench_import: times the import of a bot from a base folder holding a
// 500 MB archive of 5,000 entries (listing the bots and importing one, with
// a fresh source each time, so that the archive's central directory is read
// and indexed every run), and from loose files.
//
//   vexa_bench_import WORK_FOLDER [--runs N]
//
// The archive holds the files of a few bots that VEXA generates and stored
// filler entries of 100 KB, as a game's archive of textures and sounds.
// The first run of each figure is left out: it brings the files into the
// system's cache.
#include "GameArchive.h"
#include "Stats.h"
#include "core/archive/GameFolderSource.h"
#include "core/archive/ZipHandle.h"
#include "core/generate/GenerateSource.h"
#include "core/import/BotImport.h"
#include "core/settings/AppSettings.h"
#include "core/util/FixedText.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using namespace vexa;
using namespace vexa::bench;
namespace fs = std::filesystem;

constexpr int kEntries = 5000;
constexpr std::size_t kArchiveBytes = 500u * 1000 * 1000;
const char* const kBots[] = {"Ranger", "Sarge", "Visor", "Keel", "Doom", "Major", "Hunter"};

// Lists the bots of `folder` and imports the one named `name`.
bool ListAndImport(const std::string& folder, const char* name) {
    const BaseFolderSource source(folder);
    const std::vector<BotEntry> bots = FindBots(ListBots(source), name);
    if (bots.size() != 1)
        return false;
    return ImportBot(source, bots.front()).ok;
}

// The source's share: index the folder, list the info files and read one
// bot's character file.
bool IndexAndRead(const std::string& folder) {
    const BaseFolderSource source(folder);
    std::string text;
    return !source.List("scripts/").empty() &&
           source.Read("botfiles/bots/ranger_c.c", text) == GameFileSource::ReadResult::Read;
}

} // namespace

int main(int argc, char** argv) {
    PinTimeZone();
    if (argc < 2) {
        std::fprintf(stderr, "usage: vexa_bench_import WORK_FOLDER [--runs N]\n");
        return 2;
    }
    const fs::path work = argv[1];
    int runs = 30;
    for (int i = 2; i + 1 < argc; ++i)
        if (std::string(argv[i]) == "--runs")
            runs = std::atoi(argv[i + 1]);

    const fs::path archived = work / "archived";
    const fs::path loose = work / "loose";
    fs::create_directories(archived);
    fs::create_directories(loose);
    WriteGameArchive((archived / "pak0.pk3").string(), {std::begin(kBots), std::end(kBots)},
                     kEntries, kArchiveBytes);
    for (const auto& [path, text] : BotFiles("Ranger")) {
        fs::create_directories((loose / path).parent_path());
        std::ofstream(loose / path, std::ios::binary) << text;
    }
    std::printf("import_files pak0.pk3 of %.0f MB and %d entries\n",
                static_cast<double>(fs::file_size(archived / "pak0.pk3")) / 1e6, kEntries);

    struct Figure {
        const char* key;
        fs::path folder;
        int bots; // how many of kBots the folder holds
    };
    const int archivedBots = static_cast<int>(std::size(kBots));
    bool indexed = IndexAndRead(archived.string()); // the first read
    for (int run = 0; run < runs; ++run) {
        const Clock::time_point start = Clock::now();
        indexed = IndexAndRead(archived.string()) && indexed;
        PrintSample("index_archive", MillisecondsSince(start));
    }
    std::error_code ignored;
    for (const Figure& figure :
         {Figure{"import_archive", archived, archivedBots}, Figure{"import_loose", loose, 1}}) {
        bool ok = ListAndImport(figure.folder.string(), "Ranger"); // the first read
        for (int run = 0; run < runs; ++run) {
            const Clock::time_point start = Clock::now();
            ok = ListAndImport(figure.folder.string(), kBots[run % figure.bots]) && ok;
            PrintSample(figure.key, MillisecondsSince(start));
        }
        if (!ok) {
            std::fprintf(stderr, "%s: a bot could not be listed or imported\n", figure.key);
            fs::remove_all(work, ignored);
            return 1;
        }
    }
    fs::remove_all(work, ignored);
    return indexed ? 0 : 1;
}
