#include "core/script/ChatLine.h"

#include <gtest/gtest.h>
#include <random>
#include <string>

namespace vexa {
namespace {

TEST(ChatLine, TheGameReadsWhatItsSyntaxAllows) {
    const std::string_view readable[] = {
        R"("Hello everyone!")",
        R"("Nice shot, ", 1, "!")",
        R"(4, " rocks, but I gotta go.")",
        R"("Anyone up for a ", food, " break?")",
        R"("a" "b")",
        R"("tab\there")",
        R"("hi"; "there")",
        R"("\\ \" \' \n \r \t \v \b \f \a \?")",
        R"("\65\x41 \xZZ")", // decimal and "hex" escapes (Z counts as a digit)
        "0x1F, 017, 5u, 7L, 0",
        "\t \"blanks\"\t,  2 ",
        R"("a" /* closed */ , "b")",
        R"("caf)"
        "\xE9\xA0\xFF\"",
        "",
    };
    for (std::string_view line : readable) {
        const ChatLineCheck check = CheckChatLine(line);
        EXPECT_TRUE(check.readable) << line << ": " << check.error;
        EXPECT_EQ(check.column, 0);
    }

    struct Unreadable {
        std::string_view line;
        std::string_view reason;
        int column;
    };
    const Unreadable unreadable[] = {
        {"Hello everyone", "expected a comma after the name Hello", 7},
        {R"("hi";)", "the line must not end in ; (the file adds one)", 6},
        {R"("hi" // note)",
         "// starts a comment: the rest of the line is lost, with the ; that "
         "ends the message",
         6},
        {R"("50% off)", "the quotation mark is not closed on its line", 1},
        {R"("bad \q escape")", "unknown escape \\q (write \\\\ for a backslash)", 1},
        {"'x'", "'x' is in single quotes: put texts in double quotation marks", 1},
        {"-1", "a sign (-) before a number: variables are whole numbers from 0 up", 1},
        {"1.5", "1.5 is not a whole number: a variable is a whole number such as 1", 1},
        {R"(#include "x")",
         "a line cannot start with #: the game takes it as an instruction to "
         "its reader",
         1},
        {"   ", "the line holds no message: type a text in quotation marks", 4},
        {R"(; "a")", "a ; with no message before it", 1},
        {R"("a";; "b")", "two ; in a row: an empty message between them", 5},
        {R"("a", , "b")", "expected a text, a variable or a random string after the comma", 6},
        {R"("a",)", "expected a text, a variable or a random string after the comma", 5},
        {R"(, "a")", "a comma without a text, variable or random string before it", 1},
        {R"("a" 1)", "expected a comma after the text \"a\"", 5},
        {R"(2 "a")", "expected a comma after the variable 2", 3},
        {R"("a" /* open)", "/* starts a comment that is not closed on the line", 5},
        {R"("a", ~"b")", "the character ~ cannot stand outside quotation marks (only , and ; can)",
         6},
        {"\"a\", caf\xE9", "a character that is not ASCII (byte 0xE9) outside quotation marks", 9},
        {"1e5", "1e5 is not a whole number: a variable is a whole number such as 1", 1},
        {"09", "09: a number with a leading 0 is octal and cannot hold the digits 8 and 9", 1},
        {"1x", "1x is not a number", 1},
    };
    for (const Unreadable& u : unreadable) {
        const ChatLineCheck check = CheckChatLine(u.line);
        EXPECT_FALSE(check.readable) << u.line;
        EXPECT_EQ(check.error, u.reason) << u.line;
        EXPECT_EQ(check.column, u.column) << u.line;
    }
}

TEST(ChatLine, ARandomStringTheGameLacksIsAnErrorOnlyWhenItsListIsKnown) {
    // The game says nothing for a message naming an unknown random string.
    const RandomStringNames names = {"food", "fighter"};
    const std::string line = R"("Want ", food, " or ", drink, "?")";
    ChatLineCheck check = CheckChatLine(line, &names);
    EXPECT_FALSE(check.readable);
    EXPECT_EQ(check.error, "drink is not a random string of the game's botfiles/rnd.c: the game "
                           "says nothing when the bot picks this line");
    EXPECT_EQ(check.column, 24);
    EXPECT_EQ(CheckChatLine(R"("Want ", food, "?")", &names).readable, true);

    // Without the game's list nothing is known to be missing.
    check = CheckChatLine(line);
    EXPECT_TRUE(check.readable);
    EXPECT_TRUE(check.warnings.empty());
    EXPECT_EQ(check.randomStrings, (std::vector<std::string>{"food", "drink"}));

    check = CheckChatLine(R"("\300 and \x100")");
    EXPECT_TRUE(check.readable);
    EXPECT_EQ(check.warnings.size(), 2u);
}

TEST(ChatLine, TheFixQuotesPlainTextOnly) {
    EXPECT_EQ(QuotedChatLineFix("Hello everyone"), R"("Hello everyone")");
    EXPECT_EQ(QuotedChatLineFix(R"(Say "hi" to C:\games)"), R"("Say \"hi\" to C:\\games")");
    EXPECT_EQ(QuotedChatLineFix("50% off; // sale"), R"("50% off; // sale")");
    // Readable lines, lines meant as chat syntax and fixes too long to store
    // are left alone.
    EXPECT_EQ(QuotedChatLineFix(R"("fine")"), std::nullopt);
    EXPECT_EQ(QuotedChatLineFix(R"(  "hi";)"), std::nullopt);
    const std::string fits = "a" + std::string(75, ' ') + "b";
    EXPECT_EQ(QuotedChatLineFix(fits), "\"" + fits + "\"");
    EXPECT_EQ(QuotedChatLineFix(fits + " "), std::nullopt);
    EXPECT_EQ(QuotedChatLineFix(""), std::nullopt);
}

// Any text of printable Latin-1 characters, quoted with "\" and '"'
// escaped, is readable; so the fix always gives a readable line.
TEST(ChatLine, QuotedPrintableTextIsAlwaysReadable) {
    std::mt19937 random(79);
    std::vector<unsigned char> printable;
    for (unsigned c = 0x20; c <= 0xFF; ++c)
        if (c < 0x7F || c >= 0xA0)
            printable.push_back(static_cast<unsigned char>(c));
    for (int round = 0; round < 5000; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 78);
        for (int i = 0; i < length; ++i) {
            // Favour the characters that matter to the reader.
            const std::string_view special = "\\\"';,/*#- ";
            text += random() % 3 == 0 ? special[random() % special.size()]
                                      : static_cast<char>(printable[random() % printable.size()]);
        }
        std::string quoted = "\"";
        for (char c : text) {
            if (c == '\\' || c == '"')
                quoted += '\\';
            quoted += c;
        }
        quoted += '"';
        const ChatLineCheck check = CheckChatLine(quoted);
        ASSERT_TRUE(check.readable) << quoted << ": " << check.error;
        ASSERT_TRUE(check.warnings.empty()) << quoted;

        if (const std::optional<std::string> fix = QuotedChatLineFix(text)) {
            EXPECT_EQ(*fix, quoted);
            EXPECT_LE(fix->size(), 79u);
        } else {
            const std::size_t first = text.find_first_not_of(" \t");
            EXPECT_TRUE(CheckChatLine(text).readable || quoted.size() > 79 ||
                        (first != std::string::npos && text[first] == '"'))
                << text;
        }
    }
}

TEST(ChatLine, RandomStringNamesComeFromTheOuterLevelOfRndC) {
    const RandomStringNames names = RandomStringNamesIn("// the game's random strings\n"
                                                        "#include \"game.h\"\n"
                                                        "food = {\n"
                                                        "  \"pizza\";\n"
                                                        "  \"a \", fruit, \" salad\";\n"
                                                        "}\n"
                                                        "fruit\n"
                                                        "{\n"
                                                        "  \"apple\"; { nested }\n"
                                                        "}\n"
                                                        "/* lonely */ stray ;\n"
                                                        "broken = {");
    EXPECT_EQ(names, (RandomStringNames{"food", "fruit", "broken"}));
    EXPECT_TRUE(RandomStringNamesIn("").empty());
    EXPECT_TRUE(RandomStringNamesIn("}}} x = ; {").empty());
}

} // namespace
} // namespace vexa
