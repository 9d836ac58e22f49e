#include "core/import/ScriptReaders.h"
#include "core/script/ScriptTokenizer.h"
#include "core/util/AsciiText.h"

#include <algorithm>

namespace vexa {

namespace {

using script::Token;
using script::TokenKind;

// The file an #include names: the text between its quotation marks or
// angle brackets, without folders.
std::string IncludedFile(std::string_view rest) {
    if (rest.size() >= 2 && (rest.front() == '"' || rest.front() == '<')) {
        const char close = rest.front() == '"' ? '"' : '>';
        const std::size_t end = rest.find(close, 1);
        rest = rest.substr(1, end == std::string_view::npos ? std::string_view::npos : end - 1);
    }
    const std::size_t slash = rest.find_last_of("/\\");
    if (slash != std::string_view::npos)
        rest.remove_prefix(slash + 1);
    return std::string(rest);
}

} // namespace

bool WeightNumber(std::string_view value, std::int64_t& number, bool& rounded) {
    script::Tokenizer tokens(value);
    Token token = tokens.Next();
    bool negative = false;
    if (token.kind == TokenKind::Punctuation && token.text == "-") {
        negative = true;
        token = tokens.Next();
    }
    if (token.kind != TokenKind::Number || tokens.Next().kind != TokenKind::End)
        return false;
    WrittenNumber written;
    written.negative = negative;
    written.text = token.value;
    written.integer = token.number != script::NumberKind::Float;
    written.whole = token.integer;
    number = ScaledValue(written, 0, rounded);
    return true;
}

WeightsFile ReadWeightsFile(std::string_view text, std::string_view script) {
    WeightsFile file;
    file.defineForm = true;
    const auto notDefineForm = [&file](int line, std::string why) {
        file.defineForm = false;
        file.whyNot = std::move(why);
        file.whyNotLine = line;
        file.defines.clear();
        file.includesBefore.clear();
        file.includesAfter.clear();
        return file;
    };
    script::Tokenizer tokens(text);
    bool includesScript = false;
    bool tooMany = false;
    for (;;) {
        Token token = tokens.Next();
        if (token.kind == TokenKind::End)
            break;
        if (token.kind == TokenKind::Error)
            return notDefineForm(token.line, token.error);
        if (token.kind != TokenKind::Directive)
            return notDefineForm(token.line,
                                 "it holds weight logic of its own, not only #define lines");
        if (token.value == "include") {
            if (AsciiLower(IncludedFile(token.rest)) == AsciiLower(script))
                includesScript = true;
            if (file.includesBefore.size() + file.includesAfter.size() < kMaxDefines)
                (file.defines.empty() ? file.includesBefore : file.includesAfter)
                    .push_back(token.rest);
            continue;
        }
        if (token.value != "define")
            return notDefineForm(token.line, "it holds the line #" + token.value);
        const std::string_view rest = token.rest;
        std::size_t nameEnd = 0;
        while (nameEnd < rest.size() && rest[nameEnd] != ' ' && rest[nameEnd] != '\t' &&
               rest[nameEnd] != '(')
            ++nameEnd;
        if (nameEnd == 0)
            return notDefineForm(token.line, "a #define without a name");
        std::string_view value = rest.substr(nameEnd);
        const std::size_t first = value.find_first_not_of(" \t");
        value = first == std::string_view::npos ? std::string_view() : value.substr(first);
        if (file.defines.size() < kMaxDefines) {
            file.defines.push_back({token.line, std::string(rest.substr(0, nameEnd)),
                                    std::string(value.substr(0, 80))});
        } else if (!tooMany) {
            tooMany = true;
            return notDefineForm(token.line, "it holds more than " + std::to_string(kMaxDefines) +
                                                 " #define lines");
        }
    }
    if (!includesScript)
        return notDefineForm(0, "it does not include the game's " + std::string(script));
    return file;
}

} // namespace vexa
