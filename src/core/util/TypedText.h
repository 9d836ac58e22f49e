#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vexa {

// What a text box of the program accepts.
enum class TextKind {
    Field,   // a text field of the profile: printable Latin-1 characters
    Folder,  // a folder: any printable character
    Digits,  // a whole number: the digits 0 to 9
    Decimal, // a decimal number: digits and at most one decimal point
};

// Why a box refused what was typed or pasted into it.
enum class TextRefusal { None, ControlCharacter, NotLatin1, NotADigit, NotANumber, TooLong };

struct TypedText {
    TextRefusal refusal = TextRefusal::None;
    // The text as the box keeps it; in a decimal box a comma typed as the
    // decimal point becomes a point. Meaningful only when nothing was
    // refused.
    std::u32string text;
};

// Checks the whole new text of a box of `kind` holding at most `maxLength`
// characters (0: any length). The first refused character decides the
// reason.
TypedText CheckTypedText(std::u32string_view text, TextKind kind, std::size_t maxLength);

// The reason for a refusal in the user's words; empty for None.
std::string RefusalMessage(TextRefusal refusal, std::size_t maxLength);

} // namespace vexa
