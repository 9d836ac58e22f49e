#include "core/util/Paths.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

namespace vexa {

std::string WithSeparators(std::string path, PathStyle style) {
    const char own = PathSeparator(style);
    const char other = style == PathStyle::Windows ? '/' : '\\';
    std::replace(path.begin(), path.end(), other, own);
    return path;
}

#ifdef _WIN32

namespace {

// The code point of the well-formed UTF-8 sequence at the start of `text`
// and its length; a length of 0 when the sequence is not well formed
// (truncated, overlong, a surrogate or beyond U+10FFFF).
std::pair<char32_t, std::size_t> DecodeUtf8(std::string_view text) {
    const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return {lead, 1};
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || text.size() < length || lead > 0xF4)
        return {0, 0};
    char32_t code = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return {0, 0};
        code = (code << 6) | (byte(i) & 0x3F);
    }
    static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kLeast[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return {0, 0};
    return {code, length};
}

} // namespace

// Windows names files in UTF-16. A byte that is not part of well-formed
// UTF-8 is taken as the Latin-1 character of its value: the profile's file
// names are Latin-1, and Windows spells them so; a name never makes the
// conversion fail.
std::filesystem::path PathFromUtf8(std::string_view utf8) {
    std::wstring wide;
    wide.reserve(utf8.size());
    while (!utf8.empty()) {
        auto [code, length] = DecodeUtf8(utf8);
        if (length == 0) {
            code = static_cast<unsigned char>(utf8.front());
            length = 1;
        }
        if (code >= 0x10000) {
            wide.push_back(static_cast<wchar_t>(0xD800 + ((code - 0x10000) >> 10)));
            wide.push_back(static_cast<wchar_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
        } else {
            wide.push_back(static_cast<wchar_t>(code));
        }
        utf8.remove_prefix(length);
    }
    return std::filesystem::path(std::move(wide));
}

// A lone surrogate, which Windows allows in names, becomes U+FFFD.
std::string Utf8FromPath(const std::filesystem::path& path) {
    const std::wstring& wide = path.native();
    std::string utf8;
    utf8.reserve(wide.size());
    for (std::size_t i = 0; i < wide.size(); ++i) {
        char32_t code = static_cast<char16_t>(wide[i]);
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < wide.size() &&
            static_cast<char16_t>(wide[i + 1]) >= 0xDC00 &&
            static_cast<char16_t>(wide[i + 1]) <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (static_cast<char16_t>(wide[++i]) - 0xDC00);
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            code = 0xFFFD;
        }
        if (code < 0x80) {
            utf8 += static_cast<char>(code);
        } else if (code < 0x800) {
            utf8 += static_cast<char>(0xC0 | (code >> 6));
            utf8 += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            utf8 += static_cast<char>(0xE0 | (code >> 12));
            utf8 += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            utf8 += static_cast<char>(0xF0 | (code >> 18));
            utf8 += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            utf8 += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return utf8;
}

#else

// POSIX file names are bytes: taken and given as they are.
std::filesystem::path PathFromUtf8(std::string_view utf8) {
    return std::filesystem::path(std::string(utf8));
}

std::string Utf8FromPath(const std::filesystem::path& path) {
    return path.native();
}

#endif

bool IsReservedDeviceName(std::string_view fileName) {
    // Windows takes the part before the first dot, without trailing blanks.
    std::string_view stem = fileName.substr(0, fileName.find('.'));
    while (!stem.empty() && stem.back() == ' ')
        stem.remove_suffix(1);
    std::string upper(stem);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    if (upper == "CON" || upper == "PRN" || upper == "AUX" || upper == "NUL")
        return true;
    return upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) &&
           upper[3] >= '1' && upper[3] <= '9';
}

std::string ReservedDeviceNameIn(std::string_view path, PathStyle style) {
    if (style != PathStyle::Windows)
        return {};
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find_first_of("\\/", start);
        if (end == std::string_view::npos)
            end = path.size();
        const std::string_view name = path.substr(start, end - start);
        // A drive ("C:") is no name.
        if (!(name.size() == 2 && name[1] == ':') && IsReservedDeviceName(name))
            return std::string(name);
        start = end + 1;
    }
    return {};
}

std::string ReservedDeviceNameReason(std::string_view name) {
    // Appended piece by piece: GCC 12 at -O3 warns falsely about the
    // overlap of a string added in front of a temporary.
    std::string reason = "\"";
    reason.append(name);
    reason += "\" is a device name that Windows reserves (CON, PRN, AUX, NUL, COM1 to COM9 "
              "and LPT1 to LPT9, with any extension): choose another name.";
    return reason;
}

namespace {

// Windows drops the blanks and dots that end a step, so a step of dots and
// blanks that holds two dots or more climbs like "..".
bool ClimbsOnWindows(std::string_view step) {
    return step.find_first_not_of(". ") == std::string_view::npos &&
           step.find("..") != std::string_view::npos;
}

} // namespace

std::string OutsideFolderReason(std::string_view name, PathStyle style) {
    if (!name.empty() && (name.front() == '/' || name.front() == '\\'))
        return "is a full path";
    if (name.size() >= 2 && name[1] == ':' &&
        ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z')))
        return "holds a drive letter";
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = name.find_first_of("\\/", start);
        if (end == std::string_view::npos)
            end = name.size();
        const std::string_view step = name.substr(start, end - start);
        if (step == ".." || (style == PathStyle::Windows && ClimbsOnWindows(step)))
            return "holds a \"..\" step";
        start = end + 1;
    }
    return {};
}

bool IsExistingNonFolder(std::string_view path) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(PathFromUtf8(path), error);
    return !error && std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

std::string WorkingDirectoryFile(std::string_view fileName) {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::current_path(error);
    if (error)
        return std::string(fileName);
    return Utf8FromPath(folder / PathFromUtf8(fileName));
}

std::string AbsolutePath(const std::string& path) {
    const std::filesystem::path given = PathFromUtf8(path);
    if (path.empty() || given.is_absolute())
        return path;
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(given, error);
    return error ? path : Utf8FromPath(absolute);
}

} // namespace vexa
