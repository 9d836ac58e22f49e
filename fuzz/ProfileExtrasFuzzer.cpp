// Any bytes after a profile record, read as the block of extras (with the
// checksum of the record made to fit).
//
// Properties:
// - Reading never fails for any bytes; on anything but Read the extras are
//   empty.
// - A block that was read holds only texts the writers can put in a bot
//   file, and writing it again for the same record gives the same bytes.
// - The same bytes after another record are set aside (or found damaged
//   before that), never read.
#include "FuzzSupport.h"
#include "core/profile/ProfileExtras.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace vexa::fuzz {
namespace {

bool AllKept(const ProfileExtras& extras) {
    bool kept = IsKeptText(extras.name) && IsKeptText(extras.model) && IsKeptText(extras.mainFile);
    for (const auto& [key, value] : extras.infoKeys)
        kept = kept && IsKeptName(key) && IsKeptText(value);
    for (const LevelExtras& level : extras.levels) {
        for (const auto* lines : {&level.characteristics, &level.weaponDefines, &level.itemDefines})
            for (const KeptLine& line : *lines)
                kept = kept && IsKeptNumber(line.key) && IsKeptText(line.basis) &&
                       (line.isText ? IsKeptText(line.value) : IsKeptNumber(line.value));
        for (const KeptIncludes* includes : {&level.weaponIncludes, &level.itemIncludes})
            for (const auto* part : {&includes->before, &includes->after})
                for (const std::string& include : *part)
                    kept = kept && IsKeptInclude(include);
        kept = kept && IsKeptText(level.weaponWeightsFile) && IsKeptText(level.itemWeightsFile) &&
               IsKeptText(level.chatFile);
        for (const KeptChat& chat : level.chat) {
            kept = kept && IsKeptName(chat.situation);
            for (const std::string& line : chat.lines)
                kept = kept && IsKeptChatLine(line);
        }
    }
    return kept;
}

std::string DefaultRecord() {
    BotProfile profile = EmptyProfile();
    ApplyDefaults(profile);
    return ProfileImage(profile);
}

// The record checksum of a block written for `record` (bytes 12 to 15).
std::string RecordChecksum(const std::string& record) {
    ProfileExtras one;
    one.name.assign(1, 'x');
    return ExtrasBlock(one, record).substr(12, 4);
}

void Run(const std::uint8_t* data, std::size_t size) {
    static const std::string record = DefaultRecord();
    static const std::string checksum = RecordChecksum(record);
    static const std::string other = [] {
        std::string changed = record;
        changed[0] = static_cast<char>(changed[0] ^ 1);
        return changed;
    }();
    // The input's record checksum is made the record's, so that every input
    // reaches the payload.
    std::string input(reinterpret_cast<const char*>(data), size);
    if (input.size() >= 16)
        input.replace(12, 4, checksum);
    const std::string_view bytes = input;

    ProfileExtras extras;
    const ExtrasStatus status = ReadExtrasBlock(bytes, record, extras);
    if (status != ExtrasStatus::Read) {
        Check(extras.empty(), "extras are empty unless the block was read");
        Check((status == ExtrasStatus::None) == !bytes.starts_with("VXEX"),
              "bytes without the block's mark are no block");
        return;
    }
    Check(AllKept(extras), "a block that was read holds only texts a bot file can take");
    Check(ExtrasBlock(extras, record) == bytes || extras.empty(),
          "the block is written again byte for byte");

    ProfileExtras unused;
    Check(ReadExtrasBlock(bytes, other, unused) == ExtrasStatus::SetAside,
          "a block written for another record is set aside");
}

} // namespace
} // namespace vexa::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vexa::fuzz::Run(data, size);
    return 0;
}
