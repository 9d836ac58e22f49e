#include "core/script/ScriptTokenizer.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace vexa::script {
namespace {

// The kinds and values of every token but the final End.
struct Seen {
    TokenKind kind;
    std::string value;
    bool operator==(const Seen&) const = default;
};

std::vector<Seen> Read(std::string_view source, Options options = {}) {
    std::vector<Seen> seen;
    for (const Token& token : Tokenize(source, options))
        if (token.kind != TokenKind::End)
            seen.push_back(
                {token.kind, token.kind == TokenKind::Error ? token.error : token.value});
    return seen;
}

Token Only(std::string_view source, Options options = {}) {
    std::vector<Token> tokens = Tokenize(source, options);
    EXPECT_EQ(tokens.size(), 2u) << source;
    return tokens.front();
}

constexpr auto S = TokenKind::String;
constexpr auto N = TokenKind::Name;
constexpr auto P = TokenKind::Punctuation;
constexpr auto D = TokenKind::Number;

TEST(ScriptTokenizer, ReadsTheGamesBotFiles) {
    // A character file.
    const std::string character = "// Ranger\n"
                                  "skill 1\n"
                                  "{\n"
                                  "\tCHARACTERISTIC_NAME\t\t\"Ranger\"\n"
                                  "\tCHARACTERISTIC_ATTACK_SKILL\t0.5\n"
                                  "\tCHARACTERISTIC_VIEW_FACTOR\t.25 /* fast */\n"
                                  "\tCHARACTERISTIC_VIEW_MAXCHANGE\t180\n"
                                  "}\n";
    EXPECT_EQ(Read(character), (std::vector<Seen>{{N, "skill"},
                                                  {D, "1"},
                                                  {P, "{"},
                                                  {N, "CHARACTERISTIC_NAME"},
                                                  {S, "Ranger"},
                                                  {N, "CHARACTERISTIC_ATTACK_SKILL"},
                                                  {D, "0.5"},
                                                  {N, "CHARACTERISTIC_VIEW_FACTOR"},
                                                  {D, ".25"},
                                                  {N, "CHARACTERISTIC_VIEW_MAXCHANGE"},
                                                  {D, "180"},
                                                  {P, "}"}}));

    // A .bot file, with its name on the third line.
    const std::vector<Token> bot =
        Tokenize("// x\n\n{\n name\tRanger\n model \"ranger/default\"\n}");
    ASSERT_EQ(bot.size(), 7u);
    EXPECT_EQ(bot[1].value, "name");
    EXPECT_EQ(bot[1].line, 4);
    EXPECT_EQ(bot[1].column, 2);
    EXPECT_EQ(bot[2].value, "Ranger");
    EXPECT_EQ(bot[2].column, 7);
    EXPECT_EQ(bot[4].text, "\"ranger/default\"");
    EXPECT_EQ(bot[4].value, "ranger/default");
    EXPECT_EQ(bot[6].kind, TokenKind::End);

    // A chat file: a directive inside a block, texts, variables and names.
    const std::string chat = "chat \"ranger\"\n"
                             "{\n"
                             "\t#include \"teamplay.h\"\n"
                             "\ttype \"death_rail\" //rail\n"
                             "\t{\n"
                             "\t\t\"Nice shot, \", 1, \"!\";\n"
                             "\t\t\"Anyone up for a \", food, \" break?\";\n"
                             "\t}\n"
                             "}\n";
    const std::vector<Token> tokens = Tokenize(chat);
    ASSERT_GE(tokens.size(), 4u);
    EXPECT_EQ(tokens[3].kind, TokenKind::Directive);
    EXPECT_EQ(tokens[3].value, "include");
    EXPECT_EQ(tokens[3].rest, "\"teamplay.h\"");
    EXPECT_EQ(tokens[3].text, "#include \"teamplay.h\"");
    EXPECT_EQ(tokens[3].line, 3);
    EXPECT_EQ(tokens[3].column, 2);
    std::vector<Seen> rest;
    for (std::size_t i = 4; i + 1 < tokens.size(); ++i)
        rest.push_back({tokens[i].kind, tokens[i].value});
    EXPECT_EQ(rest, (std::vector<Seen>{{N, "type"},
                                       {S, "death_rail"},
                                       {P, "{"},
                                       {S, "Nice shot, "},
                                       {P, ","},
                                       {D, "1"},
                                       {P, ","},
                                       {S, "!"},
                                       {P, ";"},
                                       {S, "Anyone up for a "},
                                       {P, ","},
                                       {N, "food"},
                                       {P, ","},
                                       {S, " break?"},
                                       {P, ";"},
                                       {P, "}"},
                                       {P, "}"}}));
}

TEST(ScriptTokenizer, DirectivesTakeTheirLineWithoutComments) {
    const std::vector<Token> tokens = Tokenize("#include \"inv.h\"\n"
                                               "  #define W_RAILGUN 250 // the best\n"
                                               "#define LONG 1 + \\\n  2 /* two */ + 3\n"
                                               "# define  SPACED\t\"a // b\"\r\n"
                                               "#\n"
                                               "x # y\n");
    std::vector<std::pair<std::string, std::string>> directives;
    for (const Token& token : tokens)
        if (token.kind == TokenKind::Directive)
            directives.emplace_back(token.value, token.rest);
    EXPECT_EQ(directives,
              (std::vector<std::pair<std::string, std::string>>{{"include", "\"inv.h\""},
                                                                {"define", "W_RAILGUN 250"},
                                                                {"define", "LONG 1 +    2   + 3"},
                                                                {"define", "SPACED\t\"a // b\""},
                                                                {"", ""}}));
    // "#" after other tokens on its line is punctuation; line numbers count
    // the continued line.
    ASSERT_EQ(tokens.size(), 9u);
    EXPECT_EQ(tokens[5].kind, N);
    EXPECT_EQ(tokens[5].line, 7);
    EXPECT_EQ(tokens[6].kind, P);
    EXPECT_EQ(tokens[6].value, "#");
    EXPECT_EQ(tokens[3].text, "# define  SPACED\t\"a // b\"");

    EXPECT_EQ(Read("#define X 1", {.directives = false}),
              (std::vector<Seen>{{P, "#"}, {N, "define"}, {N, "X"}, {D, "1"}}));
    EXPECT_EQ(Only("#define X /* open").kind, TokenKind::Error);
}

TEST(ScriptTokenizer, NumbersKeepTheirKindSuffixAndValue) {
    struct Case {
        std::string_view text;
        NumberKind kind;
        std::string_view suffix;
        std::uint64_t integer;
        double real;
    };
    const Case cases[] = {
        {"180", NumberKind::Decimal, "", 180, 180.0}, {"0", NumberKind::Decimal, "", 0, 0.0},
        {"0x1F", NumberKind::Hex, "", 31, 31.0},      {"0XffUL", NumberKind::Hex, "UL", 255, 255.0},
        {"017", NumberKind::Octal, "", 15, 15.0},     {"5u", NumberKind::Decimal, "u", 5, 5.0},
        {"7lu", NumberKind::Decimal, "lu", 7, 7.0},   {"0.5", NumberKind::Float, "", 0, 0.5},
        {".25", NumberKind::Float, "", 0, 0.25},      {"2.", NumberKind::Float, "", 0, 2.0},
        {"1e3", NumberKind::Float, "", 0, 1000.0},    {"2.5E-1f", NumberKind::Float, "f", 0, 0.25},
    };
    for (const Case& c : cases) {
        const Token token = Only(c.text);
        ASSERT_EQ(token.kind, TokenKind::Number) << c.text << ": " << token.error;
        EXPECT_EQ(token.number, c.kind) << c.text;
        EXPECT_EQ(token.suffix, c.suffix) << c.text;
        EXPECT_EQ(token.text, c.text);
        if (c.kind != NumberKind::Float) {
            EXPECT_EQ(token.integer, c.integer) << c.text;
        }
        EXPECT_DOUBLE_EQ(token.real, c.real) << c.text;
    }

    const Token huge = Only("99999999999999999999999");
    EXPECT_TRUE(huge.overflow);
    EXPECT_EQ(huge.integer, std::numeric_limits<std::uint64_t>::max());

    for (std::string_view bad : {"0x", "09", "12abc", "1.2.3", "5f", "1e", "3uu", "0x1g"}) {
        const Token token = Only(bad);
        EXPECT_EQ(token.kind, TokenKind::Error) << bad;
        EXPECT_EQ(token.text, bad);
        EXPECT_NE(token.error.find(bad), std::string::npos) << token.error;
    }
    // A sign is punctuation; "1.5.x" does not swallow what follows a blank.
    EXPECT_EQ(Read("-1 +2"), (std::vector<Seen>{{P, "-"}, {D, "1"}, {P, "+"}, {D, "2"}}));
}

TEST(ScriptTokenizer, QuotedTextsDecodeTheGamesEscapes) {
    struct Case {
        std::string_view text;
        std::string value;
        std::size_t warnings;
    };
    const Case good[] = {
        {R"("tab\there")", "tab\there", 0},
        {R"("\\ \" \' \n \r \t \v \b \f \a \?")", "\\ \" ' \n \r \t \v \b \f \a ?", 0},
        {R"("\65\066!")", "AB!", 0}, // decimal, not octal
        {R"("\x41\x4a")", "AJ", 0},  // hex
        {R"("\x1G")", "\x20", 0},    // every letter is a digit: 1*16 + 16
        {R"("\xfoo")", "\xFF", 1},   // too large: 255 and a warning
        {R"("\300")", "\xFF", 1},    // too large decimal
        {R"("a\0b")", std::string("a\0b", 3), 1},
        {"\"caf\xE9 \x80\"", "caf\xE9 \x80", 0}, // any byte inside quotes
        {R"("")", "", 0},
    };
    for (const Case& c : good) {
        const Token token = Only(c.text);
        ASSERT_EQ(token.kind, TokenKind::String) << c.text << ": " << token.error;
        EXPECT_EQ(token.value, c.value) << c.text;
        EXPECT_EQ(token.text, c.text);
        EXPECT_EQ(token.warnings.size(), c.warnings) << c.text;
    }
    EXPECT_EQ(Only(R"("\xfoo")").warnings.front().message,
              "the escape \\xfoo is above 255; the game uses 255");

    const std::pair<std::string_view, std::string_view> bad[] = {
        {R"("bad \q escape")", "unknown escape \\q (write \\\\ for a backslash)"},
        {R"("50% off)", "the quotation mark is not closed on its line"},
        {"\"ends\\", "the quotation mark is not closed on its line"},
        {"'ab'", "a single-quoted character must hold exactly one character"},
        {"'x", "the single quote is not closed on its line"},
    };
    for (const auto& [text, error] : bad) {
        const Token token = Only(text);
        EXPECT_EQ(token.kind, TokenKind::Error) << text;
        EXPECT_EQ(token.error, error) << text;
        EXPECT_EQ(token.text, text);
    }
    const Token literal = Only(R"('\n')");
    EXPECT_EQ(literal.kind, TokenKind::Literal);
    EXPECT_EQ(literal.value, "\n");

    // The text of an unclosed quote stops at its line's end; reading goes on.
    EXPECT_EQ(Read("\"open\nnext"),
              (std::vector<Seen>{{TokenKind::Error, "the quotation mark is not closed on its line"},
                                 {N, "next"}}));
}

TEST(ScriptTokenizer, JoinsTextsThatOnlyBlanksSeparate) {
    const Token joined = Only("\"a\" \t\"b\"\n  \"c\"");
    EXPECT_EQ(joined.kind, S);
    EXPECT_EQ(joined.value, "abc");
    EXPECT_EQ(joined.parts, 3);
    EXPECT_EQ(joined.text, "\"a\" \t\"b\"\n  \"c\"");

    EXPECT_EQ(Read("\"a\" /* x */ \"b\""), (std::vector<Seen>{{S, "a"}, {S, "b"}}));
    EXPECT_EQ(Read("\"a\" \"b\"", {.joinStrings = false}), (std::vector<Seen>{{S, "a"}, {S, "b"}}));
    // A bad part spoils the whole text.
    EXPECT_EQ(Only("\"a\" \"\\q\"").kind, TokenKind::Error);

    // Line numbers go on after a joined text that spans lines.
    const std::vector<Token> tokens = Tokenize("\"a\"\n\"b\"\nx");
    EXPECT_EQ(tokens[1].line, 3);
}

TEST(ScriptTokenizer, CommentsAreSkippedOrKept) {
    const std::string source = "a // one\n/* two\nlines */ b /**/c//";
    EXPECT_EQ(Read(source), (std::vector<Seen>{{N, "a"}, {N, "b"}, {N, "c"}}));
    EXPECT_EQ(Read(source, {.keepComments = true}),
              (std::vector<Seen>{{N, "a"},
                                 {TokenKind::Comment, "// one"},
                                 {TokenKind::Comment, "/* two\nlines */"},
                                 {N, "b"},
                                 {TokenKind::Comment, "/**/"},
                                 {N, "c"},
                                 {TokenKind::Comment, "//"}}));
    EXPECT_EQ(Tokenize(source)[1].line, 3);

    const std::vector<Token> open = Tokenize("x /* never closed\n y");
    ASSERT_EQ(open.size(), 3u);
    EXPECT_EQ(open[1].kind, TokenKind::Error);
    EXPECT_EQ(open[1].error, "the comment /* is not closed");
    EXPECT_EQ(open[1].column, 3);
    EXPECT_EQ(open[2].kind, TokenKind::End);
}

TEST(ScriptTokenizer, PunctuationAndStrayBytes) {
    EXPECT_EQ(Read("a->b&&c>>=d...;,=!"), (std::vector<Seen>{{N, "a"},
                                                             {P, "->"},
                                                             {N, "b"},
                                                             {P, "&&"},
                                                             {N, "c"},
                                                             {P, ">>="},
                                                             {N, "d"},
                                                             {P, "..."},
                                                             {P, ";"},
                                                             {P, ","},
                                                             {P, "="},
                                                             {P, "!"}}));
    EXPECT_EQ(
        Read("caf\xC3\xA9 \x01 x", {}),
        (std::vector<Seen>{
            {N, "caf"},
            {TokenKind::Error, "a character that is not ASCII (byte 0xC3) outside quotation marks"},
            {TokenKind::Error, "a control character (byte 0x01)"},
            {N, "x"}}));
    EXPECT_EQ(Read(std::string_view("a\0b", 3)),
              (std::vector<Seen>{{N, "a"}, {TokenKind::Error, "a NUL character"}, {N, "b"}}));
}

TEST(ScriptTokenizer, PeekShowsTheNextTokenAndEndRepeats) {
    Tokenizer tokenizer("x 1");
    EXPECT_EQ(tokenizer.Peek().value, "x");
    EXPECT_EQ(tokenizer.Peek().value, "x");
    EXPECT_EQ(tokenizer.Next().value, "x");
    EXPECT_EQ(tokenizer.Next().integer, 1u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(tokenizer.Next().kind, TokenKind::End);
}

// Any bytes at all: the tokenizer ends, its tokens follow one another inside
// the text, each token's text is the source at its offset, and its line and
// column agree with the line ends before it.
TEST(ScriptTokenizer, AnyBytesGiveOrderedTokensWithTrueLinesAndColumns) {
    std::mt19937 random(20261208);
    const std::string_view alphabet = "\"'\\/*#\n\r\t ,;.-+0x9aZ_e{}\x80\xFF";
    for (int round = 0; round < 3000; ++round) {
        std::string source;
        const int length = static_cast<int>(random() % 40);
        for (int i = 0; i < length; ++i)
            source += random() % 4 == 0 ? static_cast<char>(random() % 256)
                                        : alphabet[random() % alphabet.size()];
        const std::vector<Token> tokens = Tokenize(source, {.keepComments = (round % 2) == 0});
        ASSERT_FALSE(tokens.empty());
        ASSERT_EQ(tokens.back().kind, TokenKind::End);
        std::size_t previousEnd = 0;
        for (const Token& token : tokens) {
            ASSERT_GE(token.offset, previousEnd) << source;
            ASSERT_LE(token.offset + token.text.size(), source.size()) << source;
            ASSERT_EQ(token.text, std::string_view(source).substr(token.offset, token.text.size()));
            if (token.kind != TokenKind::End) {
                ASSERT_FALSE(token.text.empty()) << source;
            }
            const std::string_view before = std::string_view(source).substr(0, token.offset);
            const std::size_t lineStart = before.rfind('\n');
            ASSERT_EQ(token.line,
                      1 + static_cast<int>(std::count(before.begin(), before.end(), '\n')));
            ASSERT_EQ(token.column,
                      static_cast<int>(token.offset -
                                       (lineStart == std::string_view::npos ? 0 : lineStart + 1)) +
                          1);
            previousEnd = token.offset + token.text.size();
        }
    }
}

// QuoteString gives back any text of printable characters (Latin-1 too).
TEST(ScriptTokenizer, QuotedTextReadsBackAsItself) {
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 30);
        for (int i = 0; i < length; ++i) {
            const unsigned c = random() % (256 - 32) + 32;
            if (c != 0x7F)
                text += static_cast<char>(c);
        }
        const Token token = Only(QuoteString(text));
        ASSERT_EQ(token.kind, TokenKind::String) << text << ": " << token.error;
        ASSERT_EQ(token.value, text);
    }
}

} // namespace
} // namespace vexa::script
