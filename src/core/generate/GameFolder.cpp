#include "core/generate/GameFolder.h"

#include "core/util/FileIO.h"
#include "core/util/Paths.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

namespace vexa {

namespace {

namespace fs = std::filesystem;

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

// The entry of `folder` named `name`: the exact spelling when it exists,
// else the first one equal without regard to case.
std::optional<fs::path> FindEntry(const fs::path& folder, std::string_view name) {
    std::error_code error;
    const fs::path exact = folder / PathFromUtf8(name);
    if (fs::exists(exact, error) && !error)
        return exact;
    constexpr int kMostEntries = 100000;
    int seen = 0;
    fs::directory_iterator it(folder, error);
    for (; !error && it != fs::directory_iterator() && seen < kMostEntries;
         it.increment(error), ++seen)
        if (SameIgnoringCase(Utf8FromPath(it->path().filename()), name))
            return it->path();
    return std::nullopt;
}

} // namespace

std::optional<std::string> ReadExistingFile(const std::string& path, std::size_t maxSize) {
    std::error_code error;
    if (!fs::is_regular_file(PathFromUtf8(path), error) || error)
        return std::nullopt;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(OpenFileForReading(path), &std::fclose);
    if (!file)
        return std::nullopt;
    std::string text;
    char buffer[8192];
    for (;;) {
        const std::size_t got = std::fread(buffer, 1, sizeof buffer, file.get());
        if (got == 0)
            break;
        if (text.size() + got > maxSize)
            return std::nullopt;
        text.append(buffer, got);
    }
    if (std::ferror(file.get()))
        return std::nullopt;
    return text;
}

namespace {

std::optional<fs::path> FindLoosePath(const std::string& baseDir, std::string_view relativePath) {
    if (baseDir.empty())
        return std::nullopt;
    fs::path current = PathFromUtf8(baseDir);
    std::size_t begin = 0;
    while (begin <= relativePath.size()) {
        std::size_t end = relativePath.find('/', begin);
        if (end == std::string_view::npos)
            end = relativePath.size();
        const std::string_view part = relativePath.substr(begin, end - begin);
        if (part.empty() || part == "." || part == "..")
            return std::nullopt;
        const std::optional<fs::path> found = FindEntry(current, part);
        if (!found)
            return std::nullopt;
        current = *found;
        begin = end + 1;
    }
    return current;
}

} // namespace

std::optional<std::string> FindLooseGameFile(const std::string& baseDir,
                                             std::string_view relativePath) {
    const std::optional<fs::path> path = FindLoosePath(baseDir, relativePath);
    std::error_code error;
    if (!path || !fs::is_regular_file(*path, error) || error)
        return std::nullopt;
    return Utf8FromPath(*path);
}

std::optional<std::string> FindLooseGameFolder(const std::string& baseDir,
                                               std::string_view relativePath) {
    const std::optional<fs::path> path = FindLoosePath(baseDir, relativePath);
    std::error_code error;
    if (!path || !fs::is_directory(*path, error) || error)
        return std::nullopt;
    return Utf8FromPath(*path);
}

std::vector<std::string> ListFolderFiles(const std::string& folder, std::string_view extension,
                                         std::size_t maxCount) {
    std::vector<std::string> paths;
    std::error_code error;
    fs::directory_iterator it(PathFromUtf8(folder), error);
    for (; !error && it != fs::directory_iterator() && paths.size() < maxCount;
         it.increment(error)) {
        const std::string name = Utf8FromPath(it->path().filename());
        std::error_code typeError;
        if (name.size() > extension.size() &&
            SameIgnoringCase(std::string_view(name).substr(name.size() - extension.size()),
                             extension) &&
            it->is_regular_file(typeError) && !typeError)
            paths.push_back(Utf8FromPath(it->path()));
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

std::optional<RandomStringNames> ReadRandomStringNames(const GameFileSource& source) {
    std::string text;
    if (source.Read(std::string(kRandomStringsFile), text) != GameFileSource::ReadResult::Read)
        return std::nullopt;
    return RandomStringNamesIn(text);
}

std::optional<RandomStringNames> ReadRandomStringNames(const std::string& baseDir) {
    const std::optional<std::string> path = FindLooseGameFile(baseDir, kRandomStringsFile);
    if (!path)
        return std::nullopt;
    const std::optional<std::string> text = ReadExistingFile(*path);
    if (!text)
        return std::nullopt;
    return RandomStringNamesIn(*text);
}

} // namespace vexa
