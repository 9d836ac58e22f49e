#pragma once

#include <filesystem>
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

// Paths are held as UTF-8 in std::string everywhere in the program. These
// two convert at the edge to the file system's own path type, which on
// Windows holds UTF-16 for the wide system calls. Neither ever fails: on
// Windows a byte that is not part of well-formed UTF-8 (a Latin-1 file name
// of the profile) stands for the Latin-1 character of its value, and a lone
// surrogate of a Windows name comes back as U+FFFD; on POSIX systems the
// bytes pass unchanged both ways.
std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string Utf8FromPath(const std::filesystem::path& path);

// True when `fileName` (one name, no folder) names a device that Windows
// reserves in every folder: CON, PRN, AUX, NUL, COM1 to COM9 or LPT1 to LPT9,
// in any case, alone or with any extension (con.c, Aux.bot, nul.tar.gz).
bool IsReservedDeviceName(std::string_view fileName);
// The first folder or file name in `path` that is a reserved device name in
// the Windows path style; empty when there is none (always in the POSIX
// style, where these are ordinary names).
std::string ReservedDeviceNameIn(std::string_view path, PathStyle style);
// The user's explanation for a reserved name found by ReservedDeviceNameIn.
std::string ReservedDeviceNameReason(std::string_view name);

// Why the file name `name`, which the program joins to a folder, would lead
// outside that folder; empty when it stays inside. Both "/" and "\\"
// separate steps in either style (the program writes both as the style's
// separator). Refused: a full path (one that begins with a separator), a
// drive letter ("C:"), and a ".." step; in the Windows style also a step
// that Windows shortens to ".." (such as ".. " or "..."). A name that stays
// inside may still be refused elsewhere (device names, characters).
std::string OutsideFolderReason(std::string_view name, PathStyle style);

// True when something that is not a folder (a regular file, a device)
// exists at `path` (UTF-8), following symbolic links.
bool IsExistingNonFolder(std::string_view path);

// The current working directory joined with `fileName` by the platform's
// separator (the folder of defbot.ini and vexa.ini). An unknown working
// directory gives `fileName` alone, which the platform resolves against it.
std::string WorkingDirectoryFile(std::string_view fileName);

// `path` made absolute against the current working directory; an absolute
// path, an empty one, or any path while the working directory is unknown, is
// returned unchanged.
std::string AbsolutePath(const std::string& path);

} // namespace vexa
