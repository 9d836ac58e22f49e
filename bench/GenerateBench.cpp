// vexa_bench_generate: times Create Arvon source for a full bot (TabSkill on,
// every chat line filled: the character file, three weapon weights, item
// weights and chat files and the bot info file) beside plain stdio writing
// the same bytes to the same files, and the whole `vexa --generate` process
// for the same bot beside `vexa --version`.
//
//   vexa_bench_generate WORK_FOLDER [VEXA_EXECUTABLE] [--runs N] [--process-runs N]
#include "Stats.h"
#include "core/generate/GenerateSource.h"
#include "core/profile/BotProfile.h"
#include "core/settings/AppSettings.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

using namespace vexa;
using namespace vexa::bench;
namespace fs = std::filesystem;

template <std::size_t N> void Put(char (&field)[N], const std::string& text) {
    std::memset(field, 0, N);
    std::memcpy(field, text.data(), std::min(text.size(), N - 1));
}

// A bot with every field a user can fill filled: the identity, the model,
// the main file and all 3 x 28 x 10 chat lines at their full width.
BotProfile FullBot() {
    BotProfile profile = EmptyProfile();
    ApplyDefaults(profile);
    Put(profile.name, "Ranger");
    Put(profile.gender, "Male");
    Put(profile.model_name, "ranger");
    Put(profile.main_file, "ranger_c.c");
    for (int block = 0; block < 3; ++block) {
        SkillProfile& skill = profile.skill[block];
        Put(skill.chat_name, "ranger");
        for (int category = 0; category < kChatCategoryCount; ++category)
            for (int line = 0; line < kChatLinesPerCategory; ++line) {
                std::string text = "Skill " + std::to_string(kSkillLevels[block]) + ", situation " +
                                   std::to_string(category) + ", line " + std::to_string(line) +
                                   ": ";
                text.resize(kChatLineWidth - 1, 'x');
                Put(skill.chat_lines[category][line], text);
            }
    }
    return profile;
}

// What GenerateSource would write, without touching the disk.
class RecordedFiles final : public OutputFiles {
public:
    bool CreateFolder(const std::string&) override { return true; }
    WriteStatus WriteTextFile(const std::string& path, std::string_view text) override {
        files.emplace_back(path, std::string(text));
        return WriteStatus::Written;
    }
    std::vector<std::pair<std::string, std::string>> files;
};

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

bool PlainWrites(const std::vector<std::pair<std::string, std::string>>& files) {
    bool ok = true;
    for (const auto& [path, text] : files) {
        std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "w"));
        if (!file)
            return false;
        ok = std::fwrite(text.data(), 1, text.size(), file.get()) == text.size() && ok;
        ok = std::fclose(file.release()) == 0 && ok;
    }
    return ok;
}

// Runs `argv` in `folder` with its output thrown away; the wall-clock time
// from fork to its end in ms, or a negative number when it failed.
double TimeProcess(const std::vector<std::string>& args, const fs::path& folder) {
    std::vector<char*> argv;
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        if (chdir(folder.c_str()) != 0 || !std::freopen("/dev/null", "w", stdout))
            _exit(126);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    const double ms = MillisecondsSince(start);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? ms : -1;
}

struct Arguments {
    fs::path work;
    std::string vexa;
    int runs = 200;
    int processRuns = 30;
};

bool Parse(int argc, char** argv, Arguments& arguments) {
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc)
            arguments.runs = std::max(1, std::atoi(argv[++i]));
        else if (arg == "--process-runs" && i + 1 < argc)
            arguments.processRuns = std::max(1, std::atoi(argv[++i]));
        else
            positional.push_back(arg);
    }
    if (positional.empty() || positional.size() > 2)
        return false;
    arguments.work = fs::absolute(positional[0]);
    if (positional.size() == 2)
        arguments.vexa = fs::absolute(positional[1]).string();
    return true;
}

} // namespace

int main(int argc, char** argv) {
    Arguments arguments;
    if (!Parse(argc, argv, arguments)) {
        std::fprintf(stderr, "usage: vexa_bench_generate WORK_FOLDER [VEXA_EXECUTABLE] "
                             "[--runs N] [--process-runs N]\n");
        return 2;
    }
    fs::create_directories(arguments.work);
    const fs::path base = arguments.work / "arvon";
    fs::create_directories(base);

    const BotProfile profile = FullBot();
    AppSettings settings;
    ResetSettings(settings);
    settings.TabSkill = true;
    settings.BuildFold = true;
    settings.BaseDir = base.string();

    // The files and their bytes; the first real run also makes the folders.
    RecordedFiles recorded;
    {
        AppSettings copy = settings;
        if (GenerateSource(profile, copy, PathStyle::Posix, recorded) != 0) {
            std::fprintf(stderr, "vexa_bench_generate: the bot does not generate\n");
            return 1;
        }
        copy = settings;
        if (GenerateSource(profile, copy) != 0) {
            std::fprintf(stderr, "vexa_bench_generate: cannot write below %s\n",
                         base.string().c_str());
            return 1;
        }
    }
    std::size_t bytes = 0;
    for (const auto& file : recorded.files)
        bytes += file.second.size();
    std::printf("generate_files count=%zu bytes=%zu\n", recorded.files.size(), bytes);

    for (int run = 0; run < arguments.runs; ++run) {
        // Alternate the order, so that neither always runs on a warm cache.
        for (int turn = 0; turn < 2; ++turn) {
            if ((run + turn) % 2 == 0) {
                AppSettings copy = settings;
                const Clock::time_point start = Clock::now();
                const int result = GenerateSource(profile, copy);
                PrintSample("generate_source", MillisecondsSince(start));
                if (result != 0)
                    return 1;
            } else {
                const Clock::time_point start = Clock::now();
                const bool ok = PlainWrites(recorded.files);
                PrintSample("plain_writes", MillisecondsSince(start));
                if (!ok)
                    return 1;
            }
        }
    }

    if (arguments.vexa.empty())
        return 0;
    // The headless command on the same bot, with the same options.
    const fs::path profileFile = arguments.work / "ranger.vxb";
    if (WriteProfileImage(profile, profileFile.string()) != 0 ||
        WriteSettingsFile(settings, (arguments.work / kSettingsFileName).string()) != 0) {
        std::fprintf(stderr, "vexa_bench_generate: cannot write the bot's profile\n");
        return 1;
    }
    for (int run = 0; run < arguments.processRuns; ++run) {
        const double g =
            TimeProcess({arguments.vexa, "--generate", profileFile.string()}, arguments.work);
        const double v = TimeProcess({arguments.vexa, "--version"}, arguments.work);
        if (g < 0 || v < 0) {
            std::fprintf(stderr, "vexa_bench_generate: %s failed\n", arguments.vexa.c_str());
            return 1;
        }
        PrintSample("vexa_generate_process", g);
        PrintSample("vexa_version_process", v);
    }
    return 0;
}
