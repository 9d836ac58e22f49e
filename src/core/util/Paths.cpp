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

std::string WorkingDirectoryFile(std::string_view fileName) {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::current_path(error);
    if (error)
        return std::string(fileName);
    return (folder / std::filesystem::path(std::string(fileName))).string();
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
