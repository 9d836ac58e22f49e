#include "core/script/ScriptTokenizer.h"

#include <array>
#include <charconv>
#include <limits>
#include <utility>

namespace vexa::script {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsNameStart(char c) {
    return IsLetter(c) || c == '_';
}

bool IsNameChar(char c) {
    return IsNameStart(c) || IsDigit(c);
}

bool IsHexDigit(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

unsigned char Byte(char c) {
    return static_cast<unsigned char>(c);
}

std::string HexByte(char c) {
    constexpr std::string_view kDigits = "0123456789ABCDEF";
    std::string text = "0x";
    text += kDigits[Byte(c) >> 4];
    text += kDigits[Byte(c) & 0x0F];
    return text;
}

// A piece of text for a message, cut so that a hostile input cannot make
// the message long.
std::string Shown(std::string_view text) {
    constexpr std::size_t kMost = 24;
    if (text.size() <= kMost)
        return std::string(text);
    return std::string(text.substr(0, kMost)) + "...";
}

// Multi-character punctuation, longest first.
constexpr std::array<std::string_view, 24> kLongPunctuation = {
    "...", ">>=", "<<=", "&&", "||", ">=", "<=", "==", "!=", "*=", "/=", "%=",
    "+=",  "-=",  "++",  "--", "&=", "|=", "^=", ">>", "<<", "->", "::", "##",
};

// The value of one escape digit as the game reads it: after \x every
// letter counts, A (or a) as 10 up to Z as 35.
int EscapeDigit(char c, bool hex) {
    if (IsDigit(c))
        return c - '0';
    if (!hex)
        return -1;
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'Z')
        return c - 'A' + 10;
    return -1;
}

bool ValidIntegerSuffix(std::string_view suffix) {
    int longs = 0;
    int unsigneds = 0;
    for (char c : suffix) {
        if (c == 'l' || c == 'L')
            ++longs;
        else if (c == 'u' || c == 'U')
            ++unsigneds;
        else
            return false;
    }
    return longs <= 2 && unsigneds <= 1;
}

bool ValidFloatSuffix(std::string_view suffix) {
    return suffix.empty() || suffix == "f" || suffix == "F" || suffix == "l" || suffix == "L";
}

} // namespace

Tokenizer::Tokenizer(std::string_view source, Options options)
    : source_(source), options_(options) {}

Token Tokenizer::Next() {
    if (peeked_) {
        peeked_ = false;
        return std::move(peek_);
    }
    return Read();
}

const Token& Tokenizer::Peek() {
    if (!peeked_) {
        peek_ = Read();
        peeked_ = true;
    }
    return peek_;
}

void Tokenizer::Advance(std::size_t count) {
    for (; count > 0 && pos_ < source_.size(); --count, ++pos_) {
        if (source_[pos_] == '\n') {
            ++line_;
            lineStart_ = pos_ + 1;
            atLineStart_ = true;
        }
    }
}

Token Tokenizer::Start(TokenKind kind) const {
    Token token;
    token.kind = kind;
    token.offset = pos_;
    token.line = line_;
    token.column = static_cast<int>(pos_ - lineStart_) + 1;
    return token;
}

Token Tokenizer::MakeError(std::size_t begin, std::size_t end, std::string message) {
    Token token;
    token.kind = TokenKind::Error;
    token.offset = begin;
    token.text = source_.substr(begin, end - begin);
    token.error = std::move(message);
    return token;
}

Token Tokenizer::Read() {
    for (;;) {
        while (pos_ < source_.size() && IsBlank(source_[pos_]))
            Advance(1);
        if (pos_ >= source_.size()) {
            Token end = Start(TokenKind::End);
            end.text = source_.substr(pos_, 0);
            return end;
        }
        if (source_[pos_] == '/' && pos_ + 1 < source_.size() &&
            (source_[pos_ + 1] == '/' || source_[pos_ + 1] == '*')) {
            Token comment = ReadComment();
            if (comment.kind == TokenKind::Error || options_.keepComments)
                return comment;
            continue;
        }
        break;
    }

    const char c = source_[pos_];
    Token token;
    if (c == '"')
        token = ReadJoinedStrings();
    else if (c == '\'')
        token = ReadString('\'');
    else if (IsDigit(c) || (c == '.' && pos_ + 1 < source_.size() && IsDigit(source_[pos_ + 1])))
        token = ReadNumber();
    else if (IsNameStart(c))
        token = ReadName();
    else if (c == '#' && atLineStart_ && options_.directives)
        token = ReadDirective();
    else if (Byte(c) >= 0x80) {
        Token error = Start(TokenKind::Error);
        const std::size_t begin = pos_;
        while (pos_ < source_.size() && Byte(source_[pos_]) >= 0x80)
            Advance(1);
        error.text = source_.substr(begin, pos_ - begin);
        error.error =
            "a character that is not ASCII (byte " + HexByte(c) + ") outside quotation marks";
        token = std::move(error);
    } else if (Byte(c) < 0x20 || Byte(c) == 0x7F) {
        Token error = Start(TokenKind::Error);
        Advance(1);
        error.text = source_.substr(error.offset, 1);
        error.error =
            c == '\0' ? "a NUL character" : "a control character (byte " + HexByte(c) + ")";
        token = std::move(error);
    } else {
        token = ReadPunctuation();
    }
    atLineStart_ = false;
    return token;
}

Token Tokenizer::ReadComment() {
    Token comment = Start(TokenKind::Comment);
    const std::size_t begin = pos_;
    if (source_[pos_ + 1] == '/') {
        std::size_t end = source_.find('\n', pos_);
        if (end == std::string_view::npos)
            end = source_.size();
        Advance(end - pos_);
    } else {
        const std::size_t close = source_.find("*/", pos_ + 2);
        if (close == std::string_view::npos) {
            comment.kind = TokenKind::Error;
            comment.error = "the comment /* is not closed";
            Advance(source_.size() - pos_);
        } else {
            Advance(close + 2 - pos_);
        }
    }
    comment.text = source_.substr(begin, pos_ - begin);
    if (comment.kind == TokenKind::Comment)
        comment.value = std::string(comment.text);
    return comment;
}

Token Tokenizer::ReadString(char quote) {
    Token token = Start(quote == '"' ? TokenKind::String : TokenKind::Literal);
    const std::size_t begin = pos_;
    Advance(1);
    std::string problem;
    bool closed = false;
    bool cut = false; // the game stops decoding at a bad escape
    while (pos_ < source_.size()) {
        const char c = source_[pos_];
        if (c == '\n' || c == '\r')
            break;
        if (c == quote) {
            Advance(1);
            closed = true;
            break;
        }
        if (c == '\0' && problem.empty())
            problem = "a NUL character inside quotation marks";
        if (c != '\\') {
            if (!cut)
                token.value += c;
            Advance(1);
            continue;
        }

        // An escape.
        const std::size_t escapeBegin = pos_;
        const int escapeLine = line_;
        const int escapeColumn = static_cast<int>(pos_ - lineStart_) + 1;
        if (pos_ + 1 >= source_.size()) {
            Advance(1);
            break;
        }
        const char e = source_[pos_ + 1];
        char decoded = 0;
        bool known = true;
        switch (e) {
        case '\\':
            decoded = '\\';
            break;
        case '"':
            decoded = '"';
            break;
        case '\'':
            decoded = '\'';
            break;
        case 'n':
            decoded = '\n';
            break;
        case 'r':
            decoded = '\r';
            break;
        case 't':
            decoded = '\t';
            break;
        case 'v':
            decoded = '\v';
            break;
        case 'b':
            decoded = '\b';
            break;
        case 'f':
            decoded = '\f';
            break;
        case 'a':
            decoded = '\a';
            break;
        case '?':
            decoded = '?';
            break;
        default:
            known = false;
            break;
        }
        if (known) {
            Advance(2);
            if (!cut)
                token.value += decoded;
            continue;
        }
        const bool hex = e == 'x';
        if (!hex && !IsDigit(e)) {
            if (problem.empty()) {
                if (e == '\n' || e == '\r')
                    problem = "a \\ at the end of the line inside quotation marks";
                else if (Byte(e) < 0x20 || Byte(e) >= 0x7F)
                    problem = "unknown escape: \\ followed by byte " + HexByte(e);
                else
                    problem =
                        std::string("unknown escape \\") + e + " (write \\\\ for a backslash)";
            }
            cut = true;
            Advance(1);
            continue;
        }
        // \x and hex (or letter) digits, or \ and decimal digits.
        Advance(hex ? 2 : 1);
        unsigned value = 0;
        while (pos_ < source_.size()) {
            const int digit = EscapeDigit(source_[pos_], hex);
            if (digit < 0)
                break;
            if (value <= 255)
                value = value * (hex ? 16u : 10u) + static_cast<unsigned>(digit);
            Advance(1);
        }
        const std::string written(source_.substr(escapeBegin, pos_ - escapeBegin));
        if (value > 255) {
            token.warnings.push_back(
                {escapeBegin, escapeLine, escapeColumn,
                 "the escape " + Shown(written) + " is above 255; the game uses 255"});
            value = 255;
        } else if (value == 0) {
            token.warnings.push_back({escapeBegin, escapeLine, escapeColumn,
                                      "the escape " + Shown(written) +
                                          " is a NUL character; the game's text ends there"});
        }
        if (!cut)
            token.value += static_cast<char>(value);
    }
    token.text = source_.substr(begin, pos_ - begin);
    if (problem.empty() && !closed)
        problem = quote == '"' ? "the quotation mark is not closed on its line"
                               : "the single quote is not closed on its line";
    if (problem.empty() && quote == '\'' && token.value.size() != 1)
        problem = "a single-quoted character must hold exactly one character";
    if (!problem.empty()) {
        token.kind = TokenKind::Error;
        token.error = std::move(problem);
    }
    token.parts = 1;
    return token;
}

Token Tokenizer::ReadJoinedStrings() {
    Token token = ReadString('"');
    if (!options_.joinStrings)
        return token;
    while (token.kind == TokenKind::String) {
        const std::size_t savedPos = pos_;
        const int savedLine = line_;
        const std::size_t savedLineStart = lineStart_;
        const bool savedAtLineStart = atLineStart_;
        while (pos_ < source_.size() && IsBlank(source_[pos_]))
            Advance(1);
        if (pos_ >= source_.size() || source_[pos_] != '"') {
            pos_ = savedPos;
            line_ = savedLine;
            lineStart_ = savedLineStart;
            atLineStart_ = savedAtLineStart;
            break;
        }
        Token next = ReadString('"');
        token.text = source_.substr(token.offset, pos_ - token.offset);
        token.parts += 1;
        token.value += next.value;
        for (ScriptWarning& warning : next.warnings)
            token.warnings.push_back(std::move(warning));
        if (next.kind == TokenKind::Error) {
            token.kind = TokenKind::Error;
            token.error = std::move(next.error);
        }
    }
    return token;
}

Token Tokenizer::ReadNumber() {
    Token token = Start(TokenKind::Number);
    const std::size_t begin = pos_;
    const auto at = [this](std::size_t i) { return i < source_.size() ? source_[i] : '\0'; };

    bool isFloat = false;
    if (at(pos_) == '0' && (at(pos_ + 1) == 'x' || at(pos_ + 1) == 'X')) {
        token.number = NumberKind::Hex;
        Advance(2);
        while (IsHexDigit(at(pos_)))
            Advance(1);
    } else {
        while (IsDigit(at(pos_)))
            Advance(1);
        if (at(pos_) == '.') {
            isFloat = true;
            Advance(1);
            while (IsDigit(at(pos_)))
                Advance(1);
        }
        const char e = at(pos_);
        const char sign = at(pos_ + 1);
        if ((e == 'e' || e == 'E') &&
            (IsDigit(sign) || ((sign == '+' || sign == '-') && IsDigit(at(pos_ + 2))))) {
            isFloat = true;
            Advance(IsDigit(sign) ? 1 : 2);
            while (IsDigit(at(pos_)))
                Advance(1);
        }
        if (isFloat)
            token.number = NumberKind::Float;
        else if (pos_ - begin > 1 && source_[begin] == '0')
            token.number = NumberKind::Octal;
    }
    const std::size_t digitsEnd = pos_;
    while (IsNameChar(at(pos_)))
        Advance(1);
    const std::size_t suffixEnd = pos_;
    // A number running into more letters, digits or points is no number.
    bool broken = false;
    while (IsNameChar(at(pos_)) || at(pos_) == '.') {
        broken = true;
        Advance(1);
    }

    token.text = source_.substr(begin, pos_ - begin);
    const std::string_view digits = source_.substr(begin, digitsEnd - begin);
    token.suffix = source_.substr(digitsEnd, suffixEnd - digitsEnd);
    token.value = std::string(digits);

    std::string problem;
    if (broken || (isFloat ? !ValidFloatSuffix(token.suffix) : !ValidIntegerSuffix(token.suffix)))
        problem = Shown(token.text) + " is not a number";
    else if (token.number == NumberKind::Hex && digits.size() == 2)
        problem = Shown(token.text) + ": 0x needs hexadecimal digits after it";
    else if (token.number == NumberKind::Octal &&
             digits.find_first_of("89") != std::string_view::npos)
        problem = Shown(token.text) +
                  ": a number with a leading 0 is octal and cannot hold the digits 8 and 9";
    if (!problem.empty()) {
        token.kind = TokenKind::Error;
        token.error = std::move(problem);
        return token;
    }

    if (isFloat) {
        double real = 0.0;
        const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), real);
        token.real = result.ec == std::errc() ? real : std::numeric_limits<double>::infinity();
        return token;
    }
    const unsigned base = token.number == NumberKind::Hex     ? 16u
                          : token.number == NumberKind::Octal ? 8u
                                                              : 10u;
    const std::string_view body = token.number == NumberKind::Hex ? digits.substr(2) : digits;
    std::uint64_t value = 0;
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
    for (char c : body) {
        const unsigned digit =
            IsDigit(c) ? static_cast<unsigned>(c - '0')
                       : static_cast<unsigned>((c | 0x20) - 'a' + 10); // hex letters only here
        if (value > (kMax - digit) / base) {
            token.overflow = true;
            value = kMax;
            break;
        }
        value = value * base + digit;
    }
    token.integer = value;
    token.real = static_cast<double>(value);
    return token;
}

Token Tokenizer::ReadName() {
    Token token = Start(TokenKind::Name);
    const std::size_t begin = pos_;
    while (pos_ < source_.size() && IsNameChar(source_[pos_]))
        Advance(1);
    token.text = source_.substr(begin, pos_ - begin);
    token.value = std::string(token.text);
    return token;
}

Token Tokenizer::ReadPunctuation() {
    Token token = Start(TokenKind::Punctuation);
    std::size_t length = 1;
    for (std::string_view punctuation : kLongPunctuation)
        if (source_.substr(pos_, punctuation.size()) == punctuation) {
            length = punctuation.size();
            break;
        }
    token.text = source_.substr(pos_, length);
    token.value = std::string(token.text);
    Advance(length);
    return token;
}

Token Tokenizer::ReadDirective() {
    Token token = Start(TokenKind::Directive);
    const std::size_t begin = pos_;
    const auto at = [this](std::size_t i) { return i < source_.size() ? source_[i] : '\0'; };
    Advance(1);
    while (at(pos_) == ' ' || at(pos_) == '\t')
        Advance(1);
    const std::size_t nameBegin = pos_;
    if (IsNameStart(at(pos_)))
        while (IsNameChar(at(pos_)))
            Advance(1);
    token.value = std::string(source_.substr(nameBegin, pos_ - nameBegin));

    // The rest of the logical line: "\" before a line end continues it, and
    // comments count as one blank.
    std::string rest;
    char quote = 0;
    while (pos_ < source_.size()) {
        const char c = source_[pos_];
        if (c == '\n')
            break;
        if (quote != 0) {
            rest += c;
            if (c == '\\' && pos_ + 1 < source_.size() && source_[pos_ + 1] != '\n') {
                rest += source_[pos_ + 1];
                Advance(2);
                continue;
            }
            if (c == quote)
                quote = 0;
            Advance(1);
            continue;
        }
        if (c == '\\') {
            std::size_t after = pos_ + 1;
            if (at(after) == '\r')
                ++after;
            if (at(after) == '\n') {
                rest += ' ';
                Advance(after + 1 - pos_);
                continue;
            }
        }
        if (c == '/' && at(pos_ + 1) == '/') {
            while (pos_ < source_.size() && source_[pos_] != '\n')
                Advance(1);
            break;
        }
        if (c == '/' && at(pos_ + 1) == '*') {
            const std::size_t close = source_.find("*/", pos_ + 2);
            if (close == std::string_view::npos) {
                Advance(source_.size() - pos_);
                Token error = MakeError(begin, pos_, "the comment /* is not closed");
                error.line = token.line;
                error.column = token.column;
                return error;
            }
            rest += ' ';
            Advance(close + 2 - pos_);
            continue;
        }
        if (c == '"' || c == '\'')
            quote = c;
        rest += c;
        Advance(1);
    }
    const std::size_t first = rest.find_first_not_of(" \t\r\v\f");
    const std::size_t last = rest.find_last_not_of(" \t\r\v\f");
    token.rest = first == std::string::npos ? std::string() : rest.substr(first, last - first + 1);
    std::size_t end = pos_;
    if (end > begin && source_[end - 1] == '\r')
        --end;
    token.text = source_.substr(begin, end - begin);
    return token;
}

std::vector<Token> Tokenize(std::string_view source, Options options) {
    std::vector<Token> tokens;
    Tokenizer tokenizer(source, options);
    for (;;) {
        tokens.push_back(tokenizer.Next());
        if (tokens.back().kind == TokenKind::End)
            return tokens;
    }
}

std::string QuoteString(std::string_view text) {
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"')
            quoted += '\\';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

std::string_view KindName(TokenKind kind) {
    switch (kind) {
    case TokenKind::String:
        return "text";
    case TokenKind::Literal:
        return "single-quoted character";
    case TokenKind::Number:
        return "number";
    case TokenKind::Name:
        return "name";
    case TokenKind::Punctuation:
        return "punctuation";
    case TokenKind::Directive:
        return "directive";
    case TokenKind::Comment:
        return "comment";
    case TokenKind::Error:
        return "error";
    case TokenKind::End:
        break;
    }
    return "end of the text";
}

std::string TokenExcerpt(const Token& token) {
    if (token.kind == TokenKind::End)
        return "the end of the file";
    std::string text(token.text.substr(0, 40));
    if (token.text.size() > 40)
        text += "...";
    return text;
}

} // namespace vexa::script
