// The tokenizer of the game's script language, the C-like text of its bot
// files: character files, weight files, chat files, rnd.c and .bot files.
//
// It reads any bytes without ever reading past the end of its text and
// without recursion. Whatever it cannot take becomes an Error token whose
// `error` says why in the user's words; reading goes on after it, so one
// pass finds every problem. Token texts are views into the source text,
// which must outlive the tokens.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vexa::script {

enum class TokenKind {
    String,      // "text": `value` is the decoded text (adjacent texts joined)
    Literal,     // 'c': `value` is the decoded character(s)
    Number,      // 180, 0.5, .25, 0x1F, 017, 5u: see `number`, `integer`, `real`
    Name,        // a letter or "_", then letters, digits or "_"
    Punctuation, // "{", ";", ",", "=" and the multi-character ones such as "&&", "->"
    Directive,   // # at the start of a line: `value` the directive, `rest` the remainder
    Comment,     // only with Options::keepComments: "//..." or "/*...*/", as written
    Error,       // `error` says what is wrong with `text`
    End,         // the end of the text (returned again on every later call)
};

enum class NumberKind {
    Decimal, // 180, and 0 itself
    Hex,     // 0x1F
    Octal,   // 017 (a leading 0 and more digits)
    Float,   // 0.5, .25, 1e3, 2.f
};

// Something the game accepts but warns about, such as an escape whose value
// does not fit in a character.
struct ScriptWarning {
    std::size_t offset = 0; // byte offset in the source
    int line = 1;
    int column = 1;
    std::string message;
};

struct Token {
    TokenKind kind = TokenKind::End;
    std::string_view text;  // exactly as written; for joined texts from the first quote to the last
    std::size_t offset = 0; // byte offset of `text` in the source
    int line = 1;           // 1-based line of the first character
    int column = 1;         // 1-based byte column of the first character

    // String and Literal: the decoded text. Name, Punctuation, Number: `text`
    // (a number without its suffix). Directive: its name ("include",
    // "define"; empty for a lone "#"). Comment: the comment's text.
    std::string value;

    // Number only.
    NumberKind number = NumberKind::Decimal;
    std::string_view suffix;   // "u", "L", "UL", "f", ...: as written
    std::uint64_t integer = 0; // integers: the value (saturated at the maximum)
    bool overflow = false;     // integers: the value did not fit in 64 bits
    double real = 0.0;         // floats: the value; integers: the value as a double

    // Directive only: what follows the directive's name up to the end of its
    // line, with comments and "\"-continued line ends replaced by a blank and
    // the blanks at both ends removed ("\"inv.h\"", "W_RAILGUN 250").
    std::string rest;

    // String only: how many quoted texts were joined into this one.
    int parts = 0;

    // Error only: what is wrong, for example "the quotation mark is not
    // closed on its line".
    std::string error;

    // Warnings about this token (String and Literal escapes).
    std::vector<ScriptWarning> warnings;
};

struct Options {
    // Join quoted texts that only blanks and line ends separate ("a" "b" is
    // one String "ab"), as the game does. A comment between them ends the join.
    bool joinStrings = true;
    // Return comments as Comment tokens instead of skipping them.
    bool keepComments = false;
    // Take "#" at the start of a line as a directive. Off: "#" is punctuation.
    bool directives = true;
};

// Reads tokens one at a time from a text.
class Tokenizer {
public:
    explicit Tokenizer(std::string_view source, Options options = {});

    // The next token; End at the end of the text, and again on every call
    // after that.
    Token Next();

    // The token Next() would return, without taking it.
    const Token& Peek();

    std::string_view source() const { return source_; }

private:
    Token Read();
    Token ReadComment();
    Token ReadString(char quote);
    Token ReadJoinedStrings();
    Token ReadNumber();
    Token ReadName();
    Token ReadPunctuation();
    Token ReadDirective();
    Token MakeError(std::size_t begin, std::size_t end, std::string message);
    void Advance(std::size_t count);
    Token Start(TokenKind kind) const;

    std::string_view source_;
    Options options_;
    std::size_t pos_ = 0;
    int line_ = 1;
    std::size_t lineStart_ = 0;
    bool atLineStart_ = true;
    bool peeked_ = false;
    Token peek_;
};

// Every token of `source`, the final End included.
std::vector<Token> Tokenize(std::string_view source, Options options = {});

// Whether the game's reader takes `c` as a blank between tokens.
constexpr bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// `text` between double quotation marks with every "\" and '"' escaped, the
// form in which the game reads it back as `text` (for text without
// line ends and NUL characters).
std::string QuoteString(std::string_view text);

// Names of kinds for messages: "text", "number", "name", ...
std::string_view KindName(TokenKind kind);

// What a token is, for messages: its text as written, cut short after 40
// characters, or "the end of the file".
std::string TokenExcerpt(const Token& token);

} // namespace vexa::script
