#include "core/util/Paths.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace vexa {

std::string WithSeparators(std::string path, PathStyle style) {
    const char own = PathSeparator(style);
    const char other = style == PathStyle::Windows ? '/' : '\\';
    std::replace(path.begin(), path.end(), other, own);
    return path;
}

std::filesystem::path PathFromUtf8(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8FromPath(const std::filesystem::path& path) {
    const std::u8string utf8 = path.u8string();
    return std::string(utf8.begin(), utf8.end());
}

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
    const std::filesystem::path given(path);
    if (path.empty() || given.is_absolute())
        return path;
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(given, error);
    return error ? path : absolute.string();
}

} // namespace vexa
