// What the program's text boxes accept, and why they refuse the rest.
#include "core/util/TypedText.h"

#include "core/editors/SliderValue.h"

#include <gtest/gtest.h>
#include <random>
#include <set>
#include <string>

namespace vexa {
namespace {

std::u32string U(std::string_view ascii) {
    return std::u32string(ascii.begin(), ascii.end());
}

TEST(TypedTextTest, DecimalBoxesTakeOnlyWhatCanBeANumber) {
    struct Case {
        const char* typed;
        TextRefusal refusal;
        const char* kept;
    };
    const Case cases[] = {
        {"", TextRefusal::None, ""},
        {".5", TextRefusal::None, ".5"},
        {"0,75", TextRefusal::None, "0.75"},
        {"1.", TextRefusal::None, "1."},
        {"high", TextRefusal::NotANumber, ""},
        {"x.5", TextRefusal::NotANumber, ""},
        {"1.2.3", TextRefusal::NotANumber, ""},
        {"0,7,5", TextRefusal::NotANumber, ""},
        {"1.5,", TextRefusal::NotANumber, ""},
        {"-1", TextRefusal::NotANumber, ""},
        {" 1", TextRefusal::NotANumber, ""},
    };
    for (const Case& c : cases) {
        const TypedText checked = CheckTypedText(U(c.typed), TextKind::Decimal, 0);
        EXPECT_EQ(checked.refusal, c.refusal) << c.typed;
        if (c.refusal == TextRefusal::None) {
            EXPECT_EQ(checked.text, U(c.kept)) << c.typed;
        }
    }
    // "0,75" is stored as the number the user meant.
    const std::u32string kept = CheckTypedText(U("0,75"), TextKind::Decimal, 0).text;
    EXPECT_EQ(ParseScaledValue(std::string(kept.begin(), kept.end()), 1000), 750);
}

// Whatever a decimal box keeps reads back exactly as the digits it shows.
TEST(TypedTextTest, EveryAcceptedDecimalReadsAsItsDigits) {
    std::mt19937 random(7);
    const std::u32string alphabet = U("0123456789.,.,-x ");
    for (int round = 0; round < 2000; ++round) {
        std::u32string typed;
        for (int n = random() % 7; n > 0; --n)
            typed.push_back(alphabet[random() % alphabet.size()]);
        const TypedText checked = CheckTypedText(typed, TextKind::Decimal, 0);
        if (checked.refusal != TextRefusal::None)
            continue;
        const std::string text(checked.text.begin(), checked.text.end());
        const std::size_t point = text.find('.');
        EXPECT_EQ(text.find_first_not_of("0123456789."), std::string::npos) << text;
        EXPECT_EQ(text.find('.', point == std::string::npos ? 0 : point + 1), std::string::npos);
        const std::string whole = text.substr(0, point);
        const std::string fraction = point == std::string::npos ? "" : text.substr(point + 1);
        const std::string thousandths = (fraction + "000").substr(0, 3);
        EXPECT_EQ(ParseScaledValue(text, 1000),
                  std::stol("0" + whole) * 1000 + std::stol("0" + thousandths))
            << text;
    }
}

TEST(TypedTextTest, FieldsFoldersAndDigits) {
    EXPECT_EQ(CheckTypedText(U"Zo\u00eb", TextKind::Field, 19).refusal, TextRefusal::None);
    EXPECT_EQ(CheckTypedText(U"\u20ac", TextKind::Field, 19).refusal, TextRefusal::NotLatin1);
    EXPECT_EQ(CheckTypedText(U"\u20ac", TextKind::Folder, 0).refusal, TextRefusal::None);
    EXPECT_EQ(CheckTypedText(U"a\tb", TextKind::Folder, 0).refusal, TextRefusal::ControlCharacter);
    EXPECT_EQ(CheckTypedText(U"a\u0085", TextKind::Field, 19).refusal,
              TextRefusal::ControlCharacter);
    EXPECT_EQ(CheckTypedText(U("12345"), TextKind::Field, 4).refusal, TextRefusal::TooLong);
    EXPECT_EQ(CheckTypedText(U("0123456789"), TextKind::Digits, 0).refusal, TextRefusal::None);
    EXPECT_EQ(CheckTypedText(U("1.5"), TextKind::Digits, 0).refusal, TextRefusal::NotADigit);
    EXPECT_EQ(CheckTypedText(U("1,5"), TextKind::Digits, 0).refusal, TextRefusal::NotADigit);

    // Every refusal has its own explanation; the length names the limit.
    std::set<std::string> messages;
    for (TextRefusal r : {TextRefusal::ControlCharacter, TextRefusal::NotLatin1,
                          TextRefusal::NotADigit, TextRefusal::NotANumber, TextRefusal::TooLong})
        messages.insert(RefusalMessage(r, 19));
    EXPECT_EQ(messages.size(), 5u);
    EXPECT_NE(RefusalMessage(TextRefusal::TooLong, 19).find("19"), std::string::npos);
    EXPECT_EQ(RefusalMessage(TextRefusal::None, 19), "");
}

} // namespace
} // namespace vexa
