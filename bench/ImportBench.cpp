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

// The files Create Arvon source writes for a bot named `name`, by relative path.
std::vector<std::pair<std::string, std::string>> BotFiles(const std::string& name) {
    BotProfile profile = EmptyProfile();
    ApplyDefaults(profile);
    std::string lower = name;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    SetFieldText(profile.name, name);
    SetFieldText(profile.model_name, lower);
    SetFieldText(profile.main_file, lower + "_c.c");
    for (SkillProfile& skill : profile.skill)
        for (auto& category : skill.chat_lines)
            for (auto& line : category)
                SetFieldText(line, "\"" + name + " has something to say about it\"");
    AppSettings settings;
    ResetSettings(settings);
    settings.BaseDir = "/base/";
    settings.TabSkill = true;
    MemoryFiles files;
    if (GenerateSource(profile, settings, PathStyle::Posix, files) != 0) {
        std::fprintf(stderr, "cannot generate %s\n", name.c_str());
        std::exit(1);
    }
    std::vector<std::pair<std::string, std::string>> relative;
    for (const MemoryFiles::File& file : files.files())
        relative.emplace_back(file.path.substr(6), file.text);
    return relative;
}

void WriteArchive(const std::string& path) {
    int code = 0;
    ZipArchivePtr archive(zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code));
    if (!archive) {
        std::fprintf(stderr, "cannot create %s\n", path.c_str());
        std::exit(1);
    }
    std::vector<std::pair<std::string, std::string>> bots;
    for (const char* name : kBots)
        for (auto& file : BotFiles(name))
            bots.push_back(std::move(file));
    const std::size_t fillers = kEntries - bots.size();
    std::string filler(kArchiveBytes / fillers, '\0');
    for (std::size_t i = 0; i < filler.size(); ++i)
        filler[i] = static_cast<char>((i * 2654435761u) >> 13);
    auto add = [&](const std::string& name, const std::string& data, bool store) {
        zip_source_t* source = zip_source_buffer(archive.get(), data.data(), data.size(), 0);
        const zip_int64_t index = zip_file_add(archive.get(), name.c_str(), source, 0);
        if (index < 0) {
            std::fprintf(stderr, "cannot add %s\n", name.c_str());
            std::exit(1);
        }
        zip_set_file_compression(archive.get(), static_cast<zip_uint64_t>(index),
                                 store ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 6);
    };
    for (std::size_t i = 0; i < fillers; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "textures/set%02zu/filler%04zu.tga", i / 100, i);
        add(name, filler, true);
        if (i == fillers / 2)
            for (const auto& [bot, text] : bots)
                add(bot, text, false);
    }
    if (zip_close(archive.get()) != 0) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::exit(1);
    }
    (void)archive.release();
}

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
    WriteArchive((archived / "pak0.pk3").string());
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
