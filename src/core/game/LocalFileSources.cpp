#include "core/game/LocalFileSources.h"

#include "core/util/Paths.h"

#include <algorithm>
#include <fstream>
#include <system_error>

namespace vexa {

namespace {

constexpr int kMaxListDepth = 16;
constexpr std::size_t kMaxListEntries = 100000;
constexpr std::size_t kMaxFolderScan = 100000;

std::vector<std::string> PathParts(std::string_view path) {
    std::vector<std::string> parts;
    std::string part;
    for (const char c : path) {
        if (c == '/' || c == '\\') {
            parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    parts.push_back(part);
    return parts;
}

// `path` in UTF-8 with "/" between its parts.
std::string GenericUtf8(const std::filesystem::path& path) {
    const std::u8string utf8 = path.generic_u8string();
    return std::string(utf8.begin(), utf8.end());
}

// The entry of `folder` named `part` as the folder spells it: the one of
// exactly that spelling, else the first (in byte order) that differs from it
// only in case. Read from the folder's list, so that a file system that
// itself ignores case (Windows) gives the spelling on disk too.
std::filesystem::path SpelledEntry(const std::filesystem::path& folder, const std::string& part) {
    std::error_code error;
    std::filesystem::path best;
    std::size_t scanned = 0;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        if (++scanned > kMaxFolderScan)
            break;
        const std::string name = Utf8FromPath(it->path().filename());
        if (name == part)
            return it->path();
        if (SameGameName(name, part) && (best.empty() || name < Utf8FromPath(best.filename())))
            best = it->path();
    }
    return best;
}

// The same, looking for the exact spelling first without reading the list.
std::filesystem::path FindEntry(const std::filesystem::path& folder, const std::string& part) {
    std::error_code error;
    const std::filesystem::path exact = folder / PathFromUtf8(part);
    if (std::filesystem::exists(std::filesystem::symlink_status(exact, error)))
        return exact;
    return SpelledEntry(folder, part);
}

// The file or folder below `folder` at the relative path `relativePath`,
// each part found by `find`; empty when there is none.
template <typename Find>
std::filesystem::path ResolveBelow(const std::filesystem::path& folder,
                                   const std::string& relativePath, Find find) {
    if (!IsSafeGamePath(relativePath))
        return {};
    std::filesystem::path current = folder;
    for (const std::string& part : PathParts(relativePath)) {
        std::error_code error;
        if (!std::filesystem::is_directory(current, error))
            return {};
        current = find(current, part);
        if (current.empty())
            return {};
    }
    return current;
}

} // namespace

void MemoryFileSource::Add(const std::string& path, std::string text) {
    files_[GamePathKey(path)] = Entry{path, std::move(text)};
}

GameFileSource::ReadResult MemoryFileSource::Read(const std::string& relativePath,
                                                  std::string& text, std::string* error) const {
    text.clear();
    const auto it = files_.find(GamePathKey(relativePath));
    if (it == files_.end()) {
        if (error)
            *error = relativePath + " is not in " + origin_;
        return ReadResult::Missing;
    }
    if (it->second.text.size() > kMaxScriptFileSize) {
        if (error)
            *error = relativePath + " is too large for a bot script";
        return ReadResult::TooLarge;
    }
    text = it->second.text;
    return ReadResult::Read;
}

std::vector<GameFile> MemoryFileSource::List(const std::string& folder) const {
    const std::string prefix = GamePathKey(folder);
    std::vector<GameFile> found;
    for (auto it = files_.lower_bound(prefix); it != files_.end() && it->first.starts_with(prefix);
         ++it)
        found.push_back({it->second.path, origin_});
    return found;
}

std::string MemoryFileSource::Origin(const std::string& relativePath) const {
    return files_.count(GamePathKey(relativePath)) ? origin_ : std::string();
}

FolderFileSource::FolderFileSource(std::filesystem::path folder) : folder_(std::move(folder)) {}

std::filesystem::path FolderFileSource::Resolve(const std::string& relativePath) const {
    return ResolveBelow(folder_, relativePath, FindEntry);
}

GameFileSource::ReadResult ReadLooseFile(const std::filesystem::path& file, std::string& text,
                                         std::string* error, std::size_t cap) {
    text.clear();
    std::error_code status;
    if (!std::filesystem::is_regular_file(file, status)) {
        if (error)
            *error = Utf8FromPath(file) + " is not a file";
        return GameFileSource::ReadResult::Missing;
    }
    const std::uintmax_t size = std::filesystem::file_size(file, status);
    if (!status && size > cap) {
        if (error)
            *error = Utf8FromPath(file) + " is too large for a bot script";
        return GameFileSource::ReadResult::TooLarge;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        if (error)
            *error = Utf8FromPath(file) + " cannot be opened";
        return GameFileSource::ReadResult::Failed;
    }
    // Read one byte more than allowed, in case the file grew since its size
    // was taken.
    std::string bytes(cap + 1, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    const std::size_t got = static_cast<std::size_t>(in.gcount());
    if (in.bad()) {
        if (error)
            *error = Utf8FromPath(file) + " cannot be read";
        return GameFileSource::ReadResult::Failed;
    }
    if (got > cap) {
        if (error)
            *error = Utf8FromPath(file) + " is too large for a bot script";
        return GameFileSource::ReadResult::TooLarge;
    }
    bytes.resize(got);
    text = std::move(bytes);
    return GameFileSource::ReadResult::Read;
}

GameFileSource::ReadResult FolderFileSource::Read(const std::string& relativePath,
                                                  std::string& text, std::string* error) const {
    text.clear();
    const std::filesystem::path file = Resolve(relativePath);
    std::error_code status;
    if (file.empty() || !std::filesystem::is_regular_file(file, status)) {
        if (error)
            *error = relativePath + " is not in " + Utf8FromPath(folder_);
        return ReadResult::Missing;
    }
    return ReadLooseFile(file, text, error);
}

std::vector<GameFile> FolderFileSource::List(const std::string& folder) const {
    std::string prefix = folder;
    std::replace(prefix.begin(), prefix.end(), '\\', '/');
    while (!prefix.empty() && prefix.back() == '/')
        prefix.pop_back();
    std::filesystem::path start = folder_;
    if (!prefix.empty()) {
        // The folder as the disk spells it, whether or not the file system
        // tells case apart.
        start = ResolveBelow(folder_, prefix, SpelledEntry);
        std::error_code error;
        if (start.empty() || !std::filesystem::is_directory(start, error))
            return {};
        prefix = GenericUtf8(std::filesystem::relative(start, folder_, error)) + '/';
        if (error)
            return {};
    }
    std::vector<GameFile> found;
    std::error_code error;
    std::size_t scanned = 0;
    std::filesystem::recursive_directory_iterator it(
        start, std::filesystem::directory_options::skip_permission_denied, error);
    for (const std::filesystem::recursive_directory_iterator end; !error && it != end;
         it.increment(error)) {
        if (++scanned > kMaxListEntries)
            break;
        if (it.depth() >= kMaxListDepth)
            it.disable_recursion_pending();
        std::error_code kind;
        if (!it->is_regular_file(kind))
            continue;
        const std::string relative =
            prefix + GenericUtf8(std::filesystem::relative(it->path(), start, kind));
        if (!kind && IsSafeGamePath(relative))
            found.push_back({relative, Utf8FromPath(folder_)});
    }
    std::sort(found.begin(), found.end(), [](const GameFile& a, const GameFile& b) {
        const std::string ka = GamePathKey(a.path), kb = GamePathKey(b.path);
        return ka != kb ? ka < kb : a.path < b.path;
    });
    found.erase(std::unique(found.begin(), found.end(),
                            [](const GameFile& a, const GameFile& b) {
                                return GamePathKey(a.path) == GamePathKey(b.path);
                            }),
                found.end());
    return found;
}

std::string FolderFileSource::Origin(const std::string& relativePath) const {
    const std::filesystem::path file = Resolve(relativePath);
    std::error_code error;
    return !file.empty() && std::filesystem::is_regular_file(file, error) ? Utf8FromPath(folder_)
                                                                          : std::string();
}

} // namespace vexa
