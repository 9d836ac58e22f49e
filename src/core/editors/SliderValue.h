#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vexa {

// How one slider is set up and how its position becomes the text beside it.
struct SliderParams {
    int min = 0;
    int max = 0;
    int divisions = 1; // the tick interval is (max - min) / divisions
    int lineSize = 1;  // arrow keys, and the step a released slider snaps to
    int pageSize = 1;  // page keys and clicks beside the handle
    int scale = 1;     // stored value = shown value * scale (1, 100 or 1000)
};

// The parameter sets of the editors.
inline constexpr SliderParams kFractionSlider{0, 1000, 10, 10, 50, 1000};
inline constexpr SliderParams kViewChangeSlider{0, 360, 12, 10, 30, 1};
inline constexpr SliderParams kReactionTimeSlider{0, 500, 10, 10, 50, 100};
inline constexpr SliderParams kWeightSlider{0, 500, 10, 5, 50, 1};
inline constexpr SliderParams kChatCpmSlider{0, 4000, 10, 50, 500, 1};

// (max - min) / divisions, integer division; 0 when divisions is not positive.
int TickInterval(const SliderParams& params);

// The position a slider takes for `value`: the nearer end of the range when
// the value lies outside it.
int ClampToRange(std::int64_t value, const SliderParams& params);

// The multiple of `step` (counted from 0) nearest to `position`; exactly
// half-way goes to the upper multiple. A step below 1 leaves the position.
int SnapSlider(int position, int step);

// The text of slider position `p`: the plain integer for scale 1; for scale
// 100 or 1000 four characters such as ".250", "1.75", "1.00" and "0.00".
std::string FormatScaledValue(int p, int scale);

// The stored integer for a text: the decimal number it starts with (optional
// minus sign, whole digits, optional point and fraction digits) times
// `scale`, truncated toward zero. Reading stops at the first character that
// does not fit that form; text without a number gives 0. Never fails: any
// length is read, and values beyond the int32 range are held at its ends.
std::int32_t ParseScaledValue(std::string_view text, int scale);

} // namespace vexa
