// The chat file reader on arbitrary bytes, and chat lines written by the
// chat file writer and read back.
//
// Properties: reading ends within its limits; no chat line holds a line
// end; and every line of the input that the game can read and that fits
// the field comes back from the written chat file exactly as it was.
#include "FuzzSupport.h"
#include "core/generate/Writers.h"
#include "core/import/ScriptReaders.h"
#include "core/script/ChatLine.h"
#include "core/util/FixedText.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vexa::fuzz {
namespace {

void Run(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const ChatFile file = ReadChatFile(text, size > 0 ? text.substr(0, 1) : "");
    Check(file.types.size() <= kMaxChatTypes, "at most kMaxChatTypes types");
    for (const ChatType& type : file.types) {
        Check(type.lines.size() <= kMaxMessagesPerType, "at most kMaxMessagesPerType lines");
        for (const ChatLineText& line : type.lines) {
            Check(line.text.find('\n') == std::string::npos, "a chat line holds no line end");
            Check(!line.problem.empty() || !line.messages.empty(), "a line has its messages");
        }
    }

    // The input's lines as the chat lines of one situation.
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size() && lines.size() < kChatLinesPerCategory) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(start, end - start);
        if (!line.empty() && line.size() < kChatLineWidth && line.find('\0') == std::string::npos &&
            CheckChatLine(line).readable)
            lines.push_back(line);
        start = end + 1;
    }
    SkillProfile block{};
    for (std::size_t l = 0; l < lines.size(); ++l)
        SetFieldText(block.chat_lines[5][l], lines[l]);
    const ChatFile back = ReadChatFile(ChatFileText(block, "fuzz"), "FUZZ");
    Check(back.found && back.types.size() == kChatCategoryCount, "every type block is read");
    const ChatType& type = back.types[5];
    Check(type.lines.size() == lines.size(), "as many lines as were written");
    for (std::size_t l = 0; l < lines.size(); ++l)
        Check(type.lines[l].problem.empty() && type.lines[l].text == lines[l],
              "a readable line reads back as written");
}

} // namespace
} // namespace vexa::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vexa::fuzz::Run(data, size);
    return 0;
}
