// The chat line checker and the script tokenizer on arbitrary bytes.
//
// Properties: nothing crashes or reads past the input; tokens follow one
// another inside the text; an unreadable line says where (a column inside
// the line, or just after it) and why; a readable line stays readable when
// its tokens are joined again with single blanks; the one-step fix, when
// offered, is a readable line of at most 79 characters.
#include "FuzzSupport.h"
#include "core/script/ChatLine.h"
#include "core/script/ScriptTokenizer.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vexa::fuzz {
namespace {

void Run(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);

    const std::vector<script::Token> tokens = script::Tokenize(line, {.keepComments = true});
    std::size_t end = 0;
    for (const script::Token& token : tokens) {
        Check(token.offset >= end, "tokens follow one another");
        Check(token.offset + token.text.size() <= line.size(), "tokens stay inside the text");
        Check(token.kind == script::TokenKind::End || !token.text.empty(), "only End is empty");
        Check(token.kind != script::TokenKind::Error || !token.error.empty(), "errors say why");
        end = token.offset + token.text.size();
    }
    Check(tokens.back().kind == script::TokenKind::End, "the last token is End");
    (void)RandomStringNamesIn(line);

    const ChatLineCheck check = CheckChatLine(line);
    if (!check.readable) {
        Check(!check.error.empty(), "an unreadable line says why");
        Check(check.column >= 1 && static_cast<std::size_t>(check.column) <= line.size() + 1,
              "the column is inside the line or just after it");
    } else if (!line.empty()) {
        // Joined again without comments, blanks or the ";" the file adds.
        const std::string written = std::string(line) + ";";
        std::string again;
        for (const script::Token& token : script::Tokenize(written, {.keepComments = true})) {
            if (token.kind == script::TokenKind::End || token.kind == script::TokenKind::Comment)
                continue;
            if (token.offset == line.size()) // the added ";"
                continue;
            if (!again.empty())
                again += ' ';
            again += token.text;
        }
        const ChatLineCheck rejoined = CheckChatLine(again);
        Check(rejoined.readable, "a readable line's tokens re-joined are readable");
        Check(rejoined.randomStrings == check.randomStrings, "the same random strings");
    }

    if (const std::optional<std::string> fix = QuotedChatLineFix(line)) {
        Check(fix->size() <= 79, "the fix fits in a line");
        Check(CheckChatLine(*fix).readable, "the fix is readable");
    }
}

} // namespace
} // namespace vexa::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vexa::fuzz::Run(data, size);
    return 0;
}
