// Names of the game compared as the game compares them: its script reader
// and its file look-ups ignore the case of A to Z, and only of those.
#pragma once

#include <string>
#include <string_view>

namespace vexa {

// `text` with A to Z lowered; every other byte stays as it is.
inline std::string AsciiLower(std::string_view text) {
    std::string lowered(text);
    for (char& c : lowered)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lowered;
}

} // namespace vexa
