#pragma once

#include <string>
#include <string_view>

namespace vexa {

// How paths are spelled. The Windows style uses drive letters and
// backslashes; the POSIX style absolute paths beginning with "/" and
// forward slashes. The program uses its platform's style; both are kept so
// that each can be exercised on any machine.
enum class PathStyle { Windows, Posix };

constexpr PathStyle NativePathStyle() {
#ifdef _WIN32
    return PathStyle::Windows;
#else
    return PathStyle::Posix;
#endif
}

constexpr char PathSeparator(PathStyle style) {
    return style == PathStyle::Windows ? '\\' : '/';
}

// Every separator of the other style in `path` turned into `style`'s own.
std::string WithSeparators(std::string path, PathStyle style);

// The current working directory joined with `fileName` by the platform's
// separator (the folder of defbot.ini and vexa.ini). An unknown working
// directory gives `fileName` alone, which the platform resolves against it.
std::string WorkingDirectoryFile(std::string_view fileName);

// `path` made absolute against the current working directory; an absolute
// path, an empty one, or any path while the working directory is unknown, is
// returned unchanged.
std::string AbsolutePath(const std::string& path);

} // namespace vexa
