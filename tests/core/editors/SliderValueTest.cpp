#include "core/editors/SliderValue.h"

#include "core/editors/EditorTables.h"

#include <climits>
#include <gtest/gtest.h>
#include <string>

namespace vexa {
namespace {

TEST(FormatScaledValue, ShowsTheValueInFourCharacters) {
    struct Case {
        int p;
        int scale;
        const char* text;
    };
    const Case cases[] = {
        {0, 1000, "0.00"},   {1, 1000, ".001"},    {5, 1000, ".005"},  {250, 1000, ".250"},
        {999, 1000, ".999"}, {1000, 1000, "1.00"}, {0, 100, "0.00"},   {5, 100, ".050"},
        {50, 100, ".500"},   {175, 100, "1.75"},   {500, 100, "5.00"}, {90, 1, "90"},
        {0, 1, "0"},         {4000, 1, "4000"},    {10, 1000, ".010"}, {100, 100, "1.00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatScaledValue(c.p, c.scale), c.text) << c.p << " / " << c.scale;
}

TEST(FormatScaledValue, RoundsTheLastDigitHalfUpBeyondTheSliderRanges) {
    EXPECT_EQ(FormatScaledValue(1005, 1000), "1.01");
    EXPECT_EQ(FormatScaledValue(1004, 1000), "1.00");
    EXPECT_EQ(FormatScaledValue(9995, 1000), "10.0");
    EXPECT_EQ(FormatScaledValue(12345, 1000), "12.3");
    EXPECT_EQ(FormatScaledValue(123456, 1000), "123");
    EXPECT_EQ(FormatScaledValue(INT_MAX, 1000), "2147484");
    EXPECT_EQ(FormatScaledValue(-250, 1000), "-.250");
    EXPECT_EQ(FormatScaledValue(INT_MIN, 1), "-2147483648");
}

TEST(SliderText, EveryPositionOfEverySliderReadsBackAsItself) {
    for (const EditorTable* table : kSliderEditors) {
        for (const ValueBinding& b : table->bindings) {
            for (int p = b.slider.min; p <= b.slider.max; ++p) {
                const std::string text = FormatScaledValue(p, b.slider.scale);
                ASSERT_EQ(ParseScaledValue(text, b.slider.scale), p)
                    << table->info.title << " " << b.label << " " << text;
                if (b.slider.scale > 1) {
                    ASSERT_EQ(text.size(), 4u) << text;
                }
            }
        }
    }
}

TEST(ParseScaledValue, ReadsTheFormsOfADecimalNumber) {
    EXPECT_EQ(ParseScaledValue(".5", 1000), 500);
    EXPECT_EQ(ParseScaledValue("0.5", 1000), 500);
    EXPECT_EQ(ParseScaledValue("0.50", 1000), 500);
    EXPECT_EQ(ParseScaledValue(".500", 1000), 500);
    EXPECT_EQ(ParseScaledValue("1", 1000), 1000);
    EXPECT_EQ(ParseScaledValue("5", 1000), 5000);
    EXPECT_EQ(ParseScaledValue("-.5", 1000), -500);
    EXPECT_EQ(ParseScaledValue("-1.5", 1000), -1500);
    EXPECT_EQ(ParseScaledValue(".251", 1000), 251);
    EXPECT_EQ(ParseScaledValue("1.05", 100), 105);
    EXPECT_EQ(ParseScaledValue("1.75", 100), 175);
    EXPECT_EQ(ParseScaledValue("9000", 1), 9000);
}

TEST(ParseScaledValue, DropsDigitsTheScaleCannotHold) {
    EXPECT_EQ(ParseScaledValue(".4567", 1000), 456);
    EXPECT_EQ(ParseScaledValue("12.7", 1), 12);
    EXPECT_EQ(ParseScaledValue("-12.7", 1), -12);
    EXPECT_EQ(ParseScaledValue(".999999", 100), 99);
    EXPECT_EQ(ParseScaledValue("-.0009", 1000), 0);
}

TEST(ParseScaledValue, IsExactForScalesThatAreNoPowerOfTen) {
    EXPECT_EQ(ParseScaledValue("1.75", 4), 7);
    EXPECT_EQ(ParseScaledValue(".5", 3), 1);
    EXPECT_EQ(ParseScaledValue(".34", 3), 1);
    EXPECT_EQ(ParseScaledValue(".3334", 3), 1);
    EXPECT_EQ(ParseScaledValue("2.5", 50), 125);
}

TEST(ParseScaledValue, ReadsOddTextWithoutFailing) {
    EXPECT_EQ(ParseScaledValue("", 1000), 0);
    EXPECT_EQ(ParseScaledValue("-", 1000), 0);
    EXPECT_EQ(ParseScaledValue(".", 1000), 0);
    EXPECT_EQ(ParseScaledValue("-.", 100), 0);
    EXPECT_EQ(ParseScaledValue("abc", 1000), 0);
    EXPECT_EQ(ParseScaledValue("1.2.3", 1000), 1200);
    EXPECT_EQ(ParseScaledValue("..5", 1000), 0);
    EXPECT_EQ(ParseScaledValue("5abc", 1000), 5000);
    EXPECT_EQ(ParseScaledValue("1-2", 1), 1);
    EXPECT_EQ(ParseScaledValue("--5", 1), 0);
    EXPECT_EQ(ParseScaledValue(" .5", 1000), 500);
    EXPECT_EQ(ParseScaledValue(std::string("1\0"
                                           "9",
                                           3),
                               1),
              1);
}

TEST(ParseScaledValue, HoldsHugeNumbersAtTheEndsOfTheInt32Range) {
    EXPECT_EQ(ParseScaledValue(std::string(100000, '9'), 1), INT32_MAX);
    EXPECT_EQ(ParseScaledValue(std::string(100000, '9'), 1000), INT32_MAX);
    EXPECT_EQ(ParseScaledValue("-" + std::string(5000, '7'), 100), INT32_MIN);
    EXPECT_EQ(ParseScaledValue("2147483647", 1), INT32_MAX);
    EXPECT_EQ(ParseScaledValue("2147484", 1000), INT32_MAX);
    EXPECT_EQ(ParseScaledValue("-2147483648", 1), INT32_MIN);
    EXPECT_EQ(ParseScaledValue("0." + std::string(100000, '9'), 1000), 999);
    EXPECT_EQ(ParseScaledValue(std::string(100000, '0') + "42", 1), 42);
}

TEST(SnapSlider, GoesToTheNearestMultipleWithHalvesUp) {
    EXPECT_EQ(SnapSlider(437, 10), 440);
    EXPECT_EQ(SnapSlider(434, 10), 430);
    EXPECT_EQ(SnapSlider(435, 10), 440);
    EXPECT_EQ(SnapSlider(440, 10), 440);
    EXPECT_EQ(SnapSlider(12, 5), 10);
    EXPECT_EQ(SnapSlider(13, 5), 15);
    EXPECT_EQ(SnapSlider(7, 5), 5);
    EXPECT_EQ(SnapSlider(8, 5), 10);
    EXPECT_EQ(SnapSlider(2, 5), 0);
    EXPECT_EQ(SnapSlider(3, 5), 5);
    EXPECT_EQ(SnapSlider(437, 50), 450);
    EXPECT_EQ(SnapSlider(425, 50), 450);
    EXPECT_EQ(SnapSlider(0, 10), 0);
    EXPECT_EQ(SnapSlider(995, 10), 1000);
    EXPECT_EQ(SnapSlider(-4, 10), 0);
    EXPECT_EQ(SnapSlider(-6, 10), -10);
    EXPECT_EQ(SnapSlider(7, 0), 7);
    EXPECT_EQ(SnapSlider(INT_MAX, 10), INT_MAX / 10 * 10);
}

TEST(SliderRules, TickIntervalAndClamping) {
    EXPECT_EQ(TickInterval(kFractionSlider), 100);
    EXPECT_EQ(TickInterval(kViewChangeSlider), 30);
    EXPECT_EQ(TickInterval(kReactionTimeSlider), 50);
    EXPECT_EQ(TickInterval(kWeightSlider), 50);
    EXPECT_EQ(TickInterval(kChatCpmSlider), 400);
    EXPECT_EQ(TickInterval(SliderParams{0, 10, 0, 1, 1, 1}), 0);

    EXPECT_EQ(ClampToRange(1234, kFractionSlider), 1000);
    EXPECT_EQ(ClampToRange(-5, kFractionSlider), 0);
    EXPECT_EQ(ClampToRange(437, kFractionSlider), 437);
    EXPECT_EQ(ClampToRange(INT64_MIN, kWeightSlider), 0);
    EXPECT_EQ(ClampToRange(9000, kChatCpmSlider), 4000);
}

} // namespace
} // namespace vexa
