#include "core/game/FileNames.h"

#include "core/util/FixedText.h"

#include <utility>

namespace vexa {

namespace {

constexpr std::string_view kRemovedFromFileNames = " \"'`@\\|/<>.,;:!#%^&*()-=+[{]}";
constexpr std::size_t kFileNameFormLength = 10;

// The ASCII spelling of the Latin-1 characters 0xC0 to 0xFF in POSIX file
// names: a letter's base letter (two letters for the ligatures and thorn),
// nothing for the signs × and ÷.
constexpr std::string_view kAsciiOfLatin1Letters[64] = {
    "A", "A", "A", "A", "A", "A", "AE", "C", "E", "E", "E", "E", "I", "I", "I",  "I",
    "D", "N", "O", "O", "O", "O", "O",  "",  "O", "U", "U", "U", "U", "Y", "TH", "ss",
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",
    "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "y",
};

// The characters of `c` in the file-name form. In the Windows style: itself,
// except for what Windows refuses in a file name beyond the removed
// punctuation (a question mark, a control character). In the POSIX style only
// printable ASCII, a Latin-1 letter spelled by its base letter, anything else
// nothing (file names stay readable whatever the system's character set).
std::string_view FileNameCharacters(const char& c, PathStyle style) {
    const auto byte = static_cast<unsigned char>(c);
    if (style == PathStyle::Windows)
        return byte < 0x20 || c == '?' ? std::string_view() : std::string_view(&c, 1);
    if (byte >= 0x20 && byte < 0x7F)
        return std::string_view(&c, 1);
    if (byte >= 0xC0)
        return kAsciiOfLatin1Letters[byte - 0xC0];
    return {};
}

} // namespace

std::string FileNameForm(std::string_view text, PathStyle style) {
    std::string form;
    for (const char& original : text) {
        for (const char c : FileNameCharacters(original, style)) {
            if (kRemovedFromFileNames.find(c) != std::string_view::npos)
                continue;
            if (form.size() == kFileNameFormLength)
                return form;
            form += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        }
    }
    return form;
}

bool IsUsableBaseDir(std::string_view baseDir, PathStyle style) {
    if (style == PathStyle::Windows)
        return baseDir.size() >= 2 && baseDir[1] == ':';
    return !baseDir.empty() && baseDir.front() == '/';
}

std::string NormalBaseDir(std::string_view baseDir, PathStyle style) {
    std::string normal(baseDir);
    if (style == PathStyle::Windows)
        normal = WithSeparators(std::move(normal), style);
    const char separator = PathSeparator(style);
    if (normal.empty() || normal.back() != separator)
        normal += separator;
    return normal;
}

std::string OutsideBaseFolderRefusal(std::string_view field, std::string_view name,
                                     PathStyle style) {
    const std::string reason = OutsideFolderReason(name, style);
    if (reason.empty())
        return {};
    std::string text(field);
    text += ": \"" + Utf8FromLatin1(name) + "\" " + reason;
    return text + ", so it would lead outside the base folder.";
}

} // namespace vexa
