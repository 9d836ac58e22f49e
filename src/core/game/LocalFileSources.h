// Game file sources that need no archive library: files held in memory,
// and the loose files below a folder.
#pragma once

#include "core/game/GameFileSource.h"
#include "core/game/GamePath.h"

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace vexa {

// Files held in memory under their relative paths, all from one origin.
// Used by tests and for files that have already been read.
class MemoryFileSource final : public GameFileSource {
public:
    explicit MemoryFileSource(std::string origin = "memory") : origin_(std::move(origin)) {}

    // Adds or replaces the file at `path` (compared without regard to case).
    void Add(const std::string& path, std::string text);

    ReadResult Read(const std::string& relativePath, std::string& text,
                    std::string* error = nullptr) const override;
    std::vector<GameFile> List(const std::string& folder) const override;
    std::string Origin(const std::string& relativePath) const override;

private:
    struct Entry {
        std::string path;
        std::string text;
    };
    std::string origin_;
    std::map<std::string, Entry> files_; // by GamePathKey
};

// The loose files below a folder (a base folder, or the folder around a
// single file). Relative paths are matched without regard to case, part by
// part; only regular files are read, at most kMaxScriptFileSize bytes.
class FolderFileSource final : public GameFileSource {
public:
    explicit FolderFileSource(std::filesystem::path folder);

    ReadResult Read(const std::string& relativePath, std::string& text,
                    std::string* error = nullptr) const override;
    // The regular files below the folder named by `folder`, at any depth
    // (at most 16 folders deep and 100000 entries looked at).
    std::vector<GameFile> List(const std::string& folder) const override;
    std::string Origin(const std::string& relativePath) const override;

    // The file on disk for a relative path, empty when there is none.
    std::filesystem::path Resolve(const std::string& relativePath) const;

private:
    std::filesystem::path folder_;
};

// Reads the loose file `file`, at most `cap` bytes, with the results of
// GameFileSource::Read (Missing when it is no regular file).
GameFileSource::ReadResult ReadLooseFile(const std::filesystem::path& file, std::string& text,
                                         std::string* error = nullptr,
                                         std::size_t cap = kMaxScriptFileSize);

} // namespace vexa
