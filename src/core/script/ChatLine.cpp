#include "core/script/ChatLine.h"

#include "core/script/ScriptTokenizer.h"

namespace vexa {

namespace {

using script::NumberKind;
using script::Token;
using script::TokenKind;

// A piece of the line for a message, cut so that the message stays short.
std::string Shown(std::string_view text) {
    constexpr std::size_t kMost = 20;
    if (text.size() <= kMost)
        return std::string(text);
    return std::string(text.substr(0, kMost)) + "...";
}

// How a message component is named in a message.
std::string Described(const Token& token) {
    switch (token.kind) {
    case TokenKind::String:
        return "the text " + Shown(token.text);
    case TokenKind::Number:
        return "the variable " + Shown(token.text);
    case TokenKind::Name:
        return "the name " + Shown(token.text);
    default:
        return Shown(token.text);
    }
}

// Why a token cannot start a message component.
std::string NotAComponent(const Token& token, const Token& next) {
    if (token.kind == TokenKind::Number) // a float
        return Shown(token.text) + " is not a whole number: a variable is a whole number such as 1";
    if (token.kind == TokenKind::Literal)
        return Shown(token.text) + " is in single quotes: put texts in double quotation marks";
    if (token.kind == TokenKind::Directive)
        return "a line cannot start with #: the game takes it as an instruction to its reader";
    if (token.text == ",")
        return "a comma without a text, variable or random string before it";
    if ((token.text == "-" || token.text == "+") && next.kind == TokenKind::Number &&
        next.offset == token.offset + 1)
        return std::string("a sign (") + std::string(token.text) +
               ") before a number: variables are whole numbers from 0 up";
    return "the character " + Shown(token.text) +
           " cannot stand outside quotation marks (only , and ; can)";
}

} // namespace

ChatLineCheck CheckChatLine(std::string_view line, const RandomStringNames* names) {
    ChatLineCheck check;
    if (line.empty())
        return check;

    // The chat file holds the line followed by ";".
    const std::string written = std::string(line) + ";";
    const std::size_t added = line.size(); // offset of the ";" the file adds
    std::vector<Token> tokens =
        script::Tokenize(written, {.joinStrings = true, .keepComments = true, .directives = true});

    const auto fail = [&check](const Token& token, std::string reason) {
        check.readable = false;
        check.error = std::move(reason);
        check.column = static_cast<int>(token.offset) + 1;
        check.warnings.clear(); // the line has to change anyway
        return check;
    };

    bool expectComponent = true;
    int messages = 0;
    const Token* previous = nullptr; // the last component
    const Token* unknown = nullptr;  // the first random string `names` lacks
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const Token& token = tokens[i];
        const Token& next = tokens[i + 1 < tokens.size() ? i + 1 : i];
        for (const script::ScriptWarning& warning : token.warnings)
            check.warnings.push_back(warning.message);

        switch (token.kind) {
        case TokenKind::Comment:
            if (token.text.substr(0, 2) == "//")
                return fail(token, "// starts a comment: the rest of the line is lost, with the "
                                   "; that ends the message");
            continue; // a /* */ comment closed on the line
        case TokenKind::Error:
            if (token.error == "the comment /* is not closed")
                return fail(token, "/* starts a comment that is not closed on the line");
            return fail(token, token.error);
        case TokenKind::End:
            if (expectComponent && messages > 0 && previous == nullptr) {
                // The game's library refuses a message naming a random
                // string it does not know when the bot picks it ("unknown
                // random string"): the bot says nothing.
                if (unknown)
                    return fail(*unknown, unknown->value +
                                              " is not a random string of the game's "
                                              "botfiles/rnd.c: the game says nothing when the "
                                              "bot picks this line");
                return check;
            }
            // The added ";" was taken into something else.
            return fail(token, "the line does not end a message");
        default:
            break;
        }

        if (!expectComponent) {
            if (token.text == ",") {
                expectComponent = true;
                continue;
            }
            if (token.text == ";") {
                ++messages;
                expectComponent = true;
                previous = nullptr;
                continue;
            }
            return fail(token, "expected a comma after " + Described(*previous));
        }

        const bool component =
            token.kind == TokenKind::String || token.kind == TokenKind::Name ||
            (token.kind == TokenKind::Number && token.number != NumberKind::Float);
        if (component) {
            if (token.kind == TokenKind::Name) {
                check.randomStrings.push_back(token.value);
                if (names != nullptr && names->find(token.value) == names->end() && !unknown)
                    unknown = &token;
            }
            previous = &token;
            expectComponent = false;
            continue;
        }
        if (i > 0 && tokens[i - 1].text == "," && (token.text == ";" || token.text == ","))
            return fail(token, "expected a text, a variable or a random string after the comma");
        if (token.text == ";") {
            if (messages == 0 && previous == nullptr && token.offset == added)
                return fail(token, "the line holds no message: type a text in quotation marks");
            if (token.offset == added)
                return fail(token, "the line must not end in ; (the file adds one)");
            return fail(token, messages == 0 ? "a ; with no message before it"
                                             : "two ; in a row: an empty message between them");
        }
        return fail(token, NotAComponent(token, next));
    }
    return fail(tokens.back(), "the line does not end a message");
}

std::optional<std::string> QuotedChatLineFix(std::string_view line, std::size_t maxLength) {
    const std::size_t first = line.find_first_not_of(" \t");
    if (first != std::string_view::npos && line[first] == '"')
        return std::nullopt;
    if (CheckChatLine(line).readable)
        return std::nullopt;
    std::string quoted = script::QuoteString(line);
    // Line ends and NUL characters cannot be quoted.
    if (quoted.size() > maxLength || !CheckChatLine(quoted).readable)
        return std::nullopt;
    return quoted;
}

RandomStringNames RandomStringNamesIn(std::string_view rndText) {
    RandomStringNames names;
    script::Tokenizer tokenizer(rndText);
    int depth = 0;
    std::string pending; // a name at the outer level, waiting for its "{"
    for (Token token = tokenizer.Next(); token.kind != TokenKind::End; token = tokenizer.Next()) {
        if (token.text == "{") {
            if (depth == 0 && !pending.empty())
                names.insert(pending);
            ++depth;
        } else if (token.text == "}") {
            if (depth > 0)
                --depth;
        }
        if (depth == 0 && token.kind == TokenKind::Name)
            pending = token.value;
        else if (!(depth == 0 && token.text == "="))
            pending.clear();
    }
    return names;
}

} // namespace vexa
