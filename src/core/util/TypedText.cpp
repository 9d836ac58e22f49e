#include "core/util/TypedText.h"

namespace vexa {

namespace {

bool IsControl(char32_t c) {
    return c < 0x20 || (c >= 0x7f && c < 0xa0);
}

bool IsDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}

} // namespace

TypedText CheckTypedText(std::u32string_view text, TextKind kind, std::size_t maxLength) {
    TypedText result;
    result.text.reserve(text.size());
    bool hasPoint = false;
    for (char32_t c : text) {
        TextRefusal refusal = TextRefusal::None;
        if (IsControl(c))
            refusal = TextRefusal::ControlCharacter;
        else if (kind == TextKind::Field && c > 0xff)
            refusal = TextRefusal::NotLatin1;
        else if (kind == TextKind::Digits && !IsDigit(c))
            refusal = TextRefusal::NotADigit;
        else if (kind == TextKind::Decimal && !IsDigit(c)) {
            if ((c == U'.' || c == U',') && !hasPoint) {
                hasPoint = true;
                c = U'.';
            } else {
                refusal = TextRefusal::NotANumber;
            }
        }
        if (refusal != TextRefusal::None) {
            result.refusal = refusal;
            return result;
        }
        result.text.push_back(c);
    }
    if (maxLength > 0 && result.text.size() > maxLength)
        result.refusal = TextRefusal::TooLong;
    return result;
}

std::string RefusalMessage(TextRefusal refusal, std::size_t maxLength) {
    switch (refusal) {
    case TextRefusal::None:
        return {};
    case TextRefusal::ControlCharacter:
        return "Control characters cannot be typed here.";
    case TextRefusal::NotLatin1:
        return "Only Latin-1 characters (English and Western European letters, digits and "
               "punctuation) fit into the bot's files.";
    case TextRefusal::NotADigit:
        return "Only the digits 0 to 9 go here: this value is a whole number.";
    case TextRefusal::NotANumber:
        return "Only a number goes here: digits and one decimal point (a comma counts as the "
               "point).";
    case TextRefusal::TooLong:
        return "This field holds at most " + std::to_string(maxLength) + " characters.";
    }
    return {};
}

} // namespace vexa
