// FormatScaledValue and ParseScaledValue on arbitrary positions, scales and
// texts.
//
// Properties:
// - Every slider position formats and parses back to itself with its
//   slider's scale, and a scaled text is four characters wide.
// - Any position with any scale formats without failing.
// - Parsing any text with any scale never fails and stops at the first
//   character outside the number's form: appending such a character changes
//   nothing.
// - A text of the documented form reads as its exact decimal value times the
//   scale, cut toward zero (checked against exact integer arithmetic).
#include "FuzzSupport.h"
#include "core/editors/SliderValue.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

namespace vexa::fuzz {
namespace {

// The sliders' scales and their largest positions.
struct Slider {
    int scale;
    int max;
};
constexpr Slider kSliders[] = {{1000, 1000}, {100, 500}, {1, 4000}, {1, 500}, {1, 360}};

// The exact value of a text made of an optional minus sign, digits, and
// optionally a point and more digits, times `scale`, cut toward zero and
// held within the int32 range. False for any other text or one too long to
// compute exactly.
// 24 digits need more than 64 bits; both compilers have a 128-bit integer.
__extension__ typedef __int128 Wide;

bool ExactValue(std::string_view text, int scale, std::int64_t& value) {
    if (scale < 1 || scale > 1000000 || text.size() > 24)
        return false;
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative)
        ++i;
    Wide numerator = 0;
    Wide denominator = 1;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            numerator = numerator * 10 + (c - '0');
            if (point)
                denominator *= 10;
        } else {
            return false;
        }
    }
    Wide scaled = numerator * scale / denominator;
    if (negative)
        scaled = -scaled;
    const Wide low = std::numeric_limits<std::int32_t>::min();
    const Wide high = std::numeric_limits<std::int32_t>::max();
    value = static_cast<std::int64_t>(scaled < low ? low : scaled > high ? high : scaled);
    return true;
}

void Run(const std::uint8_t* data, std::size_t size) {
    if (size < 5)
        return;
    std::int32_t number;
    std::memcpy(&number, data, sizeof number);
    const std::uint8_t selector = data[4];
    const std::string_view text(reinterpret_cast<const char*>(data + 5), size - 5);

    // A slider position of a real slider.
    const Slider& slider = kSliders[selector % std::size(kSliders)];
    const int position = static_cast<int>(static_cast<std::uint32_t>(number) %
                                          static_cast<std::uint32_t>(slider.max + 1));
    const std::string shown = FormatScaledValue(position, slider.scale);
    Check(ParseScaledValue(shown, slider.scale) == position,
          "a slider position reads back as itself");
    if (slider.scale > 1)
        Check(shown.size() == 4, "a scaled text is four characters wide");

    // Any number and any scale.
    const int anyScale = selector & 0x80 ? number >> 8 : (selector & 0x40 ? 100 : 1000);
    const std::string any = FormatScaledValue(number, anyScale);
    Check(!any.empty(), "every number has a text");

    // Any text, with the editors' scales and with any scale. The editors
    // use only 1, 100 and 1000, for which the value is exact; with other
    // scales the reader keeps only the fraction digits a power of ten of that
    // size would need, so only those three scales are compared with the exact
    // value.
    for (const int scale : {1, 100, 1000, anyScale}) {
        const std::int32_t value = ParseScaledValue(text, scale);
        Check(ParseScaledValue(std::string(text) + "x", scale) == value,
              "reading stops at the first character outside the number");
        std::int64_t exact = 0;
        const bool editorScale = scale == 1 || scale == 100 || scale == 1000;
        if (editorScale && ExactValue(text, scale, exact))
            Check(value == exact, "a decimal text reads as its exact value times the scale");
    }
}

} // namespace
} // namespace vexa::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vexa::fuzz::Run(data, size);
    return 0;
}
