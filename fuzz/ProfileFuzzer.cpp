// Any byte string loaded as a profile file and then generated into the bot's
// files.
//
// Properties:
// - ReadProfileImage reads exactly the first 68460 bytes of a long enough
//   file and leaves the profile untouched for a shorter one.
// - The generated files never hold bytes from beyond a text field: the same
//   profile with every byte after each field's terminator changed generates
//   exactly the same folders, files and result.
// - No generated file holds a zero byte, and generation never changes the
//   profile.
// - When a file cannot be created or written, generation stops at that file
//   with the result code naming it.
// - Generation refuses (43) exactly the profiles with a chat line the game
//   could not read, before any file is written.
#include "FuzzSupport.h"
#include "core/generate/GenerateSource.h"
#include "core/generate/SourceChecks.h"
#include "core/profile/BotProfile.h"
#include "core/settings/AppSettings.h"
#include "core/util/FixedText.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace vexa::fuzz {
namespace {

// A file system in memory that records what the generate command does and
// fails the write numbered `failAt` (1 for the first; 0 for none).
class MemoryFiles final : public OutputFiles {
public:
    MemoryFiles(int failAt, WriteStatus failure) : failAt_(failAt), failure_(failure) {}

    bool CreateFolder(const std::string& path) override {
        events.push_back("mkdir " + path);
        return folders_.insert(path).second;
    }

    WriteStatus WriteTextFile(const std::string& path, std::string_view text) override {
        events.push_back("write " + path);
        ++writes;
        if (writes == failAt_)
            return failure_;
        files[path] = std::string(text);
        return WriteStatus::Written;
    }

    std::vector<std::string> events;
    std::map<std::string, std::string> files;
    int writes = 0;

private:
    std::set<std::string> folders_;
    int failAt_;
    WriteStatus failure_;
};

struct Outcome {
    int result = 0;
    std::string baseDir;
    std::vector<std::string> events;
    std::map<std::string, std::string> files;
    int writes = 0;

    bool operator==(const Outcome&) const = default;
};

struct Options {
    PathStyle style;
    bool tabSkill;
    bool buildFold;
    int failAt;
    WriteStatus failure;
};

Outcome Generate(const BotProfile& profile, const Options& options) {
    AppSettings settings;
    settings.BaseDir = options.style == PathStyle::Posix ? "/game/base" : "C:\\game\\base";
    settings.TabSkill = options.tabSkill;
    settings.BuildFold = options.buildFold;
    MemoryFiles files(options.failAt, options.failure);
    Outcome outcome;
    outcome.result = GenerateSource(profile, settings, options.style, files);
    outcome.baseDir = settings.BaseDir;
    outcome.events = std::move(files.events);
    outcome.files = std::move(files.files);
    outcome.writes = files.writes;
    return outcome;
}

// The harness's own loops over the whole image are left out of the coverage
// feedback: they would only slow the fuzzer down. (Only clang knows the
// attribute; the seed replay of other compilers has no coverage anyway.)
#if defined(__clang__)
#define VEXA_NO_COVERAGE __attribute__((no_sanitize("coverage"), noinline))
#else
#define VEXA_NO_COVERAGE __attribute__((noinline))
#endif

// Changes every byte after the terminator of a text field; a field without
// a terminator is all text and stays as it is.
template <std::size_t N> VEXA_NO_COVERAGE void ScrambleAfterTerminator(char (&field)[N]) {
    bool ended = false;
    for (char& c : field) {
        if (ended)
            c = static_cast<char>(c ^ 0xA5);
        else
            ended = c == '\0';
    }
}

VEXA_NO_COVERAGE BotProfile Scrambled(BotProfile profile) {
    ScrambleAfterTerminator(profile.name);
    ScrambleAfterTerminator(profile.gender);
    ScrambleAfterTerminator(profile.model_name);
    ScrambleAfterTerminator(profile.main_file);
    for (SkillProfile& block : profile.skill) {
        ScrambleAfterTerminator(block.itemweights);
        ScrambleAfterTerminator(block.weaponweights);
        ScrambleAfterTerminator(block.chat_file);
        ScrambleAfterTerminator(block.chat_name);
        for (auto& category : block.chat_lines)
            for (auto& line : category)
                ScrambleAfterTerminator(line);
    }
    return profile;
}

VEXA_NO_COVERAGE std::uint64_t Hash(const std::uint8_t* data, std::size_t size) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (std::size_t i = 0; i < size; ++i)
        hash = (hash ^ data[i]) * 1099511628211ULL;
    return hash;
}

void CheckGeneration(const BotProfile& profile, std::uint64_t hash) {
    const Options options{
        (hash & 1) ? PathStyle::Windows : PathStyle::Posix,
        (hash & 2) != 0,
        (hash & 4) != 0,
        static_cast<int>((hash >> 3) % 16), // up to 11 files are written
        (hash & 128) ? WriteStatus::WriteFailed : WriteStatus::OpenFailed,
    };
    const std::string before = ProfileImage(profile);
    const Outcome outcome = Generate(profile, options);
    Check(ProfileImage(profile) == before, "generation leaves the profile unchanged");

    const BotProfile scrambled = Scrambled(profile);
    Check(Generate(scrambled, options) == outcome,
          "bytes after a field's terminator never reach the generated files");

    for (const auto& [path, text] : outcome.files) {
        Check(path.find('\0') == std::string::npos, "no zero byte in an output path");
        Check(text.find('\0') == std::string::npos, "no zero byte in a generated file");
    }

    const bool failed = options.failAt != 0 && outcome.writes >= options.failAt;
    if (failed) {
        const int units = options.failure == WriteStatus::OpenFailed ? 1 : 2;
        Check(outcome.writes == options.failAt, "generation stops at the first failed file");
        Check(outcome.result % 10 == units && outcome.result / 10 >= 1 && outcome.result / 10 <= 5,
              "a failed file gives its open or write code");
    } else {
        const int result = outcome.result;
        Check(result == 0 || result == 14 || result == 15 || result == 16 || result == 43,
              "without a failing file only the profile checks can fail");
        if (result == 0 || result == 43)
            Check((result == 43) ==
                      FirstUnreadableChatLine(profile, NoExtras(), options.tabSkill).has_value(),
                  "generation stops for a chat line exactly when the game could not read one");
        if (result == 43)
            Check(outcome.writes == 0, "a chat line is refused before any file is written");
        Check((result == 0) == (outcome.writes == (options.tabSkill ? 11 : 5)),
              "a successful run writes every file");
    }
}

void Run(const std::uint8_t* data, std::size_t size) {
    static const ScratchFolder scratch;
    const std::string path = scratch.file("bot.vxb");
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    PutFile(path, bytes);

    // A profile that is not all zero, so that a partial read would show.
    BotProfile profile = EmptyProfile();
    ApplyDefaults(profile);
    SetFieldText(profile.name, "Untouched");
    const std::string previous = ProfileImage(profile);

    const int result = ReadProfileImage(profile, path);
    if (size < kProfileImageSize) {
        Check(result == 2, "a short file is a short read");
        Check(ProfileImage(profile) == previous, "a short read leaves the profile as it was");
        return;
    }
    Check(result == 0, "a long enough file is read");
    Check(ProfileImage(profile) == bytes.substr(0, kProfileImageSize),
          "the profile is the file's first 68460 bytes");
    CheckGeneration(profile, Hash(data, size));
}

} // namespace
} // namespace vexa::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vexa::fuzz::Run(data, size);
    return 0;
}
