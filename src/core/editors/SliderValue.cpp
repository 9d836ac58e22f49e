#include "core/editors/SliderValue.h"

#include <algorithm>
#include <cstddef>
#include <limits>

namespace vexa {

namespace {

// Width of every scaled value text.
constexpr int kScaledTextWidth = 4;

// Past this the digits no longer change the int32 result, which saturates.
constexpr std::int64_t kSaturation = std::int64_t{1} << 32;
// Larger scales are read as this one (the editors use 1, 100 and 1000).
constexpr int kMaxScale = 1 << 20;
constexpr std::int64_t kFractionUnitLimit = 1'000'000'000'000;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int DigitCount(std::int64_t value) {
    int count = 1;
    while (value >= 10) {
        value /= 10;
        ++count;
    }
    return count;
}

std::int64_t PowerOfTen(int exponent) {
    std::int64_t result = 1;
    for (int i = 0; i < exponent; ++i)
        result *= 10;
    return result;
}

// round(numerator / denominator), halves up, both non-negative.
std::int64_t DivideRounded(std::int64_t numerator, std::int64_t denominator) {
    return (2 * numerator + denominator) / (2 * denominator);
}

} // namespace

int TickInterval(const SliderParams& params) {
    if (params.divisions <= 0)
        return 0;
    return (params.max - params.min) / params.divisions;
}

int ClampToRange(std::int64_t value, const SliderParams& params) {
    return static_cast<int>(std::clamp<std::int64_t>(value, params.min, params.max));
}

int SnapSlider(int position, int step) {
    if (step < 1)
        return position;
    const std::int64_t p = position;
    std::int64_t lower = p / step * step;
    if (lower > p) // negative positions: round the quotient down
        lower -= step;
    const std::int64_t snapped = (p - lower) * 2 >= step ? lower + step : lower;
    return static_cast<int>(
        std::clamp<std::int64_t>(snapped, std::numeric_limits<int>::min() / step * step,
                                 std::numeric_limits<int>::max() / step * step));
}

namespace {

int FractionDigitsFor(std::int64_t whole) {
    return whole > 0 ? kScaledTextWidth - 1 - DigitCount(whole) : kScaledTextWidth - 1;
}

std::string FormatNonNegative(std::int64_t p, std::int64_t scale) {
    if (scale <= 1)
        return std::to_string(p);

    // Fraction digits that fill the text to its width; when rounding the last
    // digit carries into a new whole digit, one fraction digit fewer.
    int fractionDigits = FractionDigitsFor(p / scale);
    std::int64_t unit = 1;
    std::int64_t total = 0;
    for (;;) {
        if (fractionDigits <= 0) // no room for a fraction: the rounded whole number
            return std::to_string(DivideRounded(p, scale));
        unit = PowerOfTen(fractionDigits);
        total = DivideRounded(p * unit, scale);
        const int needed = FractionDigitsFor(total / unit);
        if (needed >= fractionDigits)
            break;
        fractionDigits = needed;
    }
    const std::int64_t whole = total / unit;
    const std::int64_t fraction = total % unit;
    if (whole == 0 && fraction == 0)
        return "0." + std::string(kScaledTextWidth - 2, '0');

    std::string digits = std::to_string(fraction);
    digits.insert(0, static_cast<std::size_t>(fractionDigits) - digits.size(), '0');
    return (whole > 0 ? std::to_string(whole) : std::string()) + "." + digits;
}

} // namespace

std::string FormatScaledValue(int p, int scale) {
    // Slider positions are never negative; other values get a sign.
    const std::int64_t value = p;
    if (value >= 0)
        return FormatNonNegative(value, scale);
    // Appended, not "-" + text: GCC 12 at -O3 warns falsely (-Wrestrict) about
    // the inlined insert at the front of the temporary.
    std::string text(1, '-');
    text += FormatNonNegative(-value, scale);
    return text;
}

std::int32_t ParseScaledValue(std::string_view text, int scale) {
    const std::int64_t factor = std::clamp(scale, 1, kMaxScale);
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }

    std::int64_t whole = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i)
        whole = std::min(whole * 10 + (text[i] - '0'), kSaturation);

    // The first twelve fraction digits count: enough for the product with
    // any scale to be exact, and small enough for it to fit in 64 bits.
    std::int64_t fraction = 0;
    std::int64_t unit = 1;
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && IsDigit(text[i]); ++i) {
            if (unit < kFractionUnitLimit) {
                fraction = fraction * 10 + (text[i] - '0');
                unit *= 10;
            }
        }
    }

    std::int64_t magnitude = whole * factor + fraction * factor / unit;
    const std::int64_t value = negative ? -magnitude : magnitude;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

} // namespace vexa
