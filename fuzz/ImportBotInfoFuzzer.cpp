// The bot info reader on arbitrary bytes, and values written by the bot
// info writer and read back.
//
// Properties: at most kMaxInfoBlocks blocks and kMaxInfoValue bytes a
// value; and a value without quotation marks, line ends or other control
// characters than the tab reads back as the writer wrote it.
#include "FuzzSupport.h"
#include "core/generate/Writers.h"
#include "core/import/ScriptReaders.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace vexa::fuzz {
namespace {

bool Writable(const std::string& value) {
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || (byte < 0x20 && c != '\t') || byte == 0x7F)
            return false;
    }
    return value.size() <= kMaxInfoValue - 2;
}

void Run(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const BotInfoFile file = ReadBotInfoFile(text);
    Check(file.blocks.size() <= kMaxInfoBlocks, "at most kMaxInfoBlocks blocks");
    for (const BotInfoBlock& block : file.blocks)
        Check(block.name.size() <= kMaxInfoValue && block.model.size() <= kMaxInfoValue &&
                  block.aifile.size() <= kMaxInfoValue,
              "values are cut to kMaxInfoValue");
    if (Writable(text))
        Check(BotInfoValueAsRead(text) == text, "a value reads back as written");
}

} // namespace
} // namespace vexa::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vexa::fuzz::Run(data, size);
    return 0;
}
