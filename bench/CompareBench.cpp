// vexa_bench_compare: times View > Compare on a base folder holding 44 bots
// in a 500 MB archive of 5,000 entries: opening the window until its table
// is filled (a fresh window and source each run, after a first read), and
// redrawing after a change of the level or of the bots shown.
//
//   vexa_bench_compare WORK_FOLDER [--runs N]
#include "GameArchive.h"
#include "Stats.h"
#include "core/archive/ZipReader.h"
#include "core/profile/BotProfile.h"
#include "ui/app/CompareDialog.h"
#include "ui/charts/Charts.h"
#include "ui/common/DesktopPrompts.h"

#include <QApplication>
#include <QTableWidget>
#include <QtTest>
#include <filesystem>

namespace {

using namespace vexa;
using namespace vexa::bench;
namespace fs = std::filesystem;

constexpr int kBots = 44;
constexpr int kEntries = 5000;
constexpr std::size_t kArchiveBytes = 500u * 1000 * 1000;

// Until what changed is drawn on the screen: the updates the change asked
// for, painted and flushed to the window.
void Redraw() {
    QCoreApplication::sendPostedEvents();
    QApplication::processEvents();
}

} // namespace

int main(int argc, char** argv) {
    PinTimeZone();
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: vexa_bench_compare WORK_FOLDER [--runs N]\n");
        return 2;
    }
    const fs::path work = argv[1];
    int runs = 30;
    for (int i = 2; i + 1 < argc; ++i)
        if (std::string(argv[i]) == "--runs")
            runs = std::atoi(argv[i + 1]);

    const fs::path base = work / "base";
    fs::create_directories(base);
    std::vector<std::string> names;
    for (int b = 1; b <= kBots; ++b)
        names.push_back("Bot" + std::to_string(b));
    WriteGameArchive((base / "pak0.pk3").string(), names, kEntries, kArchiveBytes);
    std::printf("compare_files %d bots in pak0.pk3 of %.0f MB and %d entries\n", kBots,
                static_cast<double>(fs::file_size(base / "pak0.pk3")) / 1e6, kEntries);

    BotProfile profile = EmptyProfile();
    ApplyDefaults(profile);
    SetFieldText(profile.name, "Ranger");
    SetFieldText(profile.main_file, "ranger_c.c");
    AppSettings settings;
    ResetSettings(settings);
    settings.BaseDir = base.string();
    settings.TabSkill = true;
    ui::DesktopPrompts prompts;

    bool ok = ui::CompareDialog(profile, settings, prompts).botCount() == kBots + 1; // first read
    for (int run = 0; run < runs; ++run) {
        const Clock::time_point start = Clock::now();
        ui::CompareDialog compare(profile, settings, prompts);
        const double elapsed = MillisecondsSince(start);
        ok = ok && compare.table()->rowCount() == kBots + 1;
        PrintSample("compare_table", elapsed);
    }

    ui::CompareDialog compare(profile, settings, prompts);
    compare.show();
    ok = QTest::qWaitForWindowExposed(&compare) && ok;
    Redraw();
    for (int run = 0; run < runs; ++run) {
        const Clock::time_point start = Clock::now();
        compare.setLevel(compare.level() % kGameLevelCount + 1);
        Redraw();
        PrintSample("compare_level", MillisecondsSince(start));
    }
    for (int run = 0; run < runs; ++run) {
        const int bot = 1 + run % kBots;
        const Clock::time_point start = Clock::now();
        compare.setShown(bot, !compare.isShown(bot));
        Redraw();
        PrintSample("compare_shown", MillisecondsSince(start));
    }
    std::error_code ignored;
    fs::remove_all(work, ignored);
    return ok ? 0 : 1;
}
