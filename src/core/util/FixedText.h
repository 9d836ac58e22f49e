#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace vexa {

// Text fields of the profile are fixed-width arrays of 8-bit Latin-1
// characters holding a zero-terminated string. A field of width N holds at
// most N - 1 characters. A field read from a file may lack its terminator;
// then the whole width is the text. Nothing here ever reads or writes past
// the field.

template <std::size_t N> std::string FieldText(const char (&field)[N]) {
    const char* end = std::find(field, field + N, '\0');
    return std::string(field, end);
}

template <std::size_t N> bool FieldIsEmpty(const char (&field)[N]) {
    return field[0] == '\0';
}

// Stores `text` cut to N - 1 characters (and at an embedded zero byte), and
// clears the rest of the field so that no stale text stays in the image.
template <std::size_t N> void SetFieldText(char (&field)[N], std::string_view text) {
    static_assert(N > 0);
    const std::size_t cut = text.find('\0');
    if (cut != std::string_view::npos)
        text = text.substr(0, cut);
    const std::size_t length = std::min(text.size(), N - 1);
    std::copy_n(text.data(), length, field);
    std::fill(field + length, field + N, '\0');
}

// Latin-1 text (a field's) as UTF-8, the encoding of every text the program
// shows or uses as a path. Converted once, where a field's text enters a
// message.
inline std::string Utf8FromLatin1(std::string_view latin1) {
    std::string utf8;
    utf8.reserve(latin1.size());
    for (const char c : latin1) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xC0 | (byte >> 6));
            utf8 += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return utf8;
}

template <std::size_t N> std::string FieldUtf8(const char (&field)[N]) {
    return Utf8FromLatin1(FieldText(field));
}

} // namespace vexa
