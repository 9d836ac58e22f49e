#include "core/game/GamePath.h"

#include <algorithm>

namespace vexa {

namespace {

// The longest name that can be one of the game's relative paths.
constexpr std::size_t kMaxGamePathLength = 1024;

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::string GamePathKey(std::string_view path) {
    std::string key(path);
    for (char& c : key)
        c = c == '\\' ? '/' : Lower(c);
    return key;
}

bool IsSafeGamePath(std::string_view path) {
    if (path.empty() || path.front() == '/' || path.front() == '\\' ||
        path.find('\0') != std::string_view::npos || path.find(':') != std::string_view::npos)
        return false;
    std::size_t begin = 0;
    for (;;) {
        const std::size_t end = path.find_first_of("/\\", begin);
        const std::string_view part = path.substr(begin, end - begin);
        if (part.empty() || part == "." || part == "..")
            return false;
        if (end == std::string_view::npos)
            return true;
        begin = end + 1;
    }
}

std::string SafeGamePathKey(std::string_view path) {
    if (path.size() > kMaxGamePathLength || !IsSafeGamePath(path))
        return {};
    for (char c : path)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            return {};
    return GamePathKey(path);
}

bool SameGameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Lower(x) == Lower(y); });
}

std::vector<std::string> ArchivesByPrecedence(std::vector<std::string> names) {
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string ka = GamePathKey(a), kb = GamePathKey(b);
        return ka != kb ? ka < kb : a < b;
    });
    return names;
}

bool IsGameArchiveName(std::string_view name) {
    return name.size() > 4 && SameGameName(name.substr(name.size() - 4), ".pk3");
}

} // namespace vexa
