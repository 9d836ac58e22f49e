// vexa_bench_extras: times saving and loading a profile whose block of
// extras is as large as a profile may hold (every situation of every level
// with lines of the game's 255 characters, up to the block's bound).
//
//   vexa_bench_extras WORK_FOLDER [--runs N]
#include "Stats.h"
#include "core/profile/ProfileExtras.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

using namespace vexa;
using namespace vexa::bench;

// Extras just within the block's bound.
ProfileExtras LargestExtras(const std::string& record) {
    ProfileExtras extras;
    extras.name = std::string(kMaxKeptText, 'n');
    extras.model = "knight/" + std::string(100, 'r');
    const std::string line = "\"" + std::string(kMaxChatMessage - 2, 'x') + "\"";
    for (int situation = 0;; ++situation) {
        for (LevelExtras& level : extras.levels) {
            KeptChat chat{"situation_" + std::to_string(situation), {}};
            chat.lines.assign(100, line);
            level.chat.push_back(std::move(chat));
            if (ExtrasBlock(extras, record).size() > kMaxExtrasBlock) {
                level.chat.pop_back();
                return extras;
            }
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: vexa_bench_extras WORK_FOLDER [--runs N]\n");
        return 2;
    }
    int runs = 100;
    if (argc >= 4 && std::strcmp(argv[2], "--runs") == 0)
        runs = std::atoi(argv[3]);
    std::filesystem::create_directories(argv[1]);
    const std::string path = (std::filesystem::path(argv[1]) / "largest.vxb").string();

    BotProfile profile = EmptyProfile();
    ApplyDefaults(profile);
    const ProfileExtras extras = LargestExtras(ProfileImage(profile));
    std::printf("extras_block_bytes %zu\n", ExtrasBlock(extras, ProfileImage(profile)).size());
    for (int run = 0; run < runs; ++run) {
        // The bytes alone, without the disk: what the save and load spend
        // beyond writing and reading the file.
        const Clock::time_point encoding = Clock::now();
        const std::string image = ProfileImage(profile);
        const std::string block = ExtrasBlock(extras, image);
        PrintSample("profile_extras_encode", MillisecondsSince(encoding));
        ProfileExtras decoded;
        const Clock::time_point decoding = Clock::now();
        if (ReadExtrasBlock(block, image, decoded) != ExtrasStatus::Read)
            return 1;
        PrintSample("profile_extras_decode", MillisecondsSince(decoding));

        const Clock::time_point saving = Clock::now();
        if (WriteProfileFile(profile, extras, path) != 0)
            return 1;
        PrintSample("profile_extras_save", MillisecondsSince(saving));

        BotProfile loaded = EmptyProfile();
        ProfileExtras loadedExtras;
        ExtrasStatus status{};
        const Clock::time_point loading = Clock::now();
        if (ReadProfileFile(loaded, loadedExtras, path, status) != 0 ||
            status != ExtrasStatus::Read)
            return 1;
        PrintSample("profile_extras_load", MillisecondsSince(loading));
    }
    return 0;
}
