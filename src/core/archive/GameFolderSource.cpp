#include "core/archive/GameFolderSource.h"

#include "core/game/FileNames.h"
#include "core/util/Paths.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace vexa {
namespace {

namespace fs = std::filesystem;

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// The key of a folder given to List: "scripts/" stays "scripts/", "Scripts"
// becomes "scripts/", "" lists everything. Nullopt for no relative path.
std::optional<std::string> FolderKey(const std::string& folder) {
    if (folder.empty())
        return std::string();
    std::string trimmed = folder;
    while (!trimmed.empty() && (trimmed.back() == '/' || trimmed.back() == '\\'))
        trimmed.pop_back();
    std::string key = SafeGamePathKey(trimmed);
    if (key.empty())
        return std::nullopt;
    return key + "/";
}

bool IsRegularFile(const fs::directory_entry& entry) {
    std::error_code ignored;
    return entry.is_regular_file(ignored);
}

std::string FileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The most files looked at directly in a base folder.
constexpr std::size_t kMaxTopLevelFiles = 20000;

} // namespace

// ---------------------------------------------------------------- one archive

std::unique_ptr<ArchiveFileSource>
ArchiveFileSource::Open(const std::string& path, std::string& error, const ZipLimits& limits) {
    std::unique_ptr<ZipReader> reader = ZipReader::OpenFile(path, error, limits);
    if (!reader)
        return nullptr;
    return std::make_unique<ArchiveFileSource>(std::move(reader));
}

ArchiveFileSource::ArchiveFileSource(std::unique_ptr<ZipReader> reader)
    : reader_(std::move(reader)) {
    // Of names that differ only in case, the last in the directory wins, as
    // the game finds it first.
    const std::vector<ZipEntry>& entries = reader_->Entries();
    for (std::size_t i = 0; i < entries.size(); ++i)
        byKey_[SafeGamePathKey(entries[i].name)] = i;
}

GameFileSource::ReadResult ArchiveFileSource::Read(const std::string& relativePath,
                                                   std::string& text, std::string* error) const {
    const auto found = byKey_.find(SafeGamePathKey(relativePath));
    if (found == byKey_.end()) {
        text.clear();
        if (error != nullptr)
            *error = relativePath + " is not in " + reader_->DisplayName();
        return ReadResult::Missing;
    }
    return reader_->Read(found->second, text, error);
}

std::vector<GameFile> ArchiveFileSource::List(const std::string& folder) const {
    std::vector<GameFile> files;
    const std::optional<std::string> prefix = FolderKey(folder);
    if (!prefix)
        return files;
    for (auto it = byKey_.lower_bound(*prefix);
         it != byKey_.end() && StartsWith(it->first, *prefix); ++it)
        files.push_back({reader_->Entries()[it->second].name, reader_->DisplayName()});
    return files;
}

std::string ArchiveFileSource::Origin(const std::string& relativePath) const {
    return byKey_.count(SafeGamePathKey(relativePath)) != 0 ? reader_->DisplayName()
                                                            : std::string();
}

std::vector<std::string> ArchiveFileSource::Problems() const {
    std::vector<std::string> problems;
    if (const std::size_t skipped = reader_->SkippedNames(); skipped != 0)
        problems.push_back(reader_->DisplayName() + ": " + std::to_string(skipped) +
                           " file(s) with names that are no relative path of the game were left "
                           "out");
    return problems;
}

// ---------------------------------------------------------------- base folder

// The folder is kept with the platform's own separators (a base folder typed
// "C:/games/base" on Windows), so that every origin shown names it, and the
// archives in it, one way.
BaseFolderSource::BaseFolderSource(std::string folder, Layout layout, const ZipLimits& limits)
    : folder_(Utf8FromPath(PathFromUtf8(folder).make_preferred())), layout_(layout),
      limits_(limits), loose_(PathFromUtf8(folder_)) {}

std::vector<std::string> BaseFolderSource::TopLevelFiles() const {
    std::vector<std::string> names;
    std::error_code code;
    for (fs::directory_iterator
             it(PathFromUtf8(folder_), fs::directory_options::skip_permission_denied, code),
         end;
         !code && it != end && names.size() < kMaxTopLevelFiles; it.increment(code))
        if (IsRegularFile(*it))
            names.push_back(Utf8FromPath(it->path().filename()));
    std::sort(names.begin(), names.end());
    return names;
}

void BaseFolderSource::OpenArchives() const {
    if (archivesOpened_)
        return;
    archivesOpened_ = true;
    std::vector<std::string> found;
    for (const std::string& name : TopLevelFiles())
        if (IsGameArchiveName(name))
            found.push_back(name);
    for (const std::string& name : ArchivesByPrecedence(std::move(found))) {
        std::string error;
        std::unique_ptr<ZipReader> reader = ZipReader::OpenFile(
            Utf8FromPath(PathFromUtf8(folder_) / PathFromUtf8(name)), error, limits_);
        if (!reader) {
            problems_.push_back(error + "; its files were not read");
            continue;
        }
        if (const std::size_t skipped = reader->SkippedNames(); skipped != 0)
            problems_.push_back(reader->DisplayName() + ": " + std::to_string(skipped) +
                                " file(s) with names that are no relative path of the game were "
                                "left out");
        const std::size_t archive = archives_.size();
        const std::vector<ZipEntry>& entries = reader->Entries();
        for (std::size_t i = 0; i < entries.size(); ++i)
            archiveIndex_[SafeGamePathKey(entries[i].name)] = {archive, i};
        archives_.push_back(std::move(reader));
    }
}

bool BaseFolderSource::HasLooseFile(const std::string& relativePath) const {
    const fs::path file = loose_.Resolve(relativePath);
    std::error_code ignored;
    return !file.empty() && !fs::is_directory(file, ignored);
}

BaseFolderSource::Winner BaseFolderSource::Find(const std::string& relativePath) const {
    Winner winner;
    const std::string key = SafeGamePathKey(relativePath);
    if (key.empty())
        return winner;
    if (HasLooseFile(relativePath)) {
        winner.loose = relativePath;
        winner.found = true;
        return winner;
    }
    OpenArchives();
    if (const auto found = archiveIndex_.find(key); found != archiveIndex_.end()) {
        winner.archive = found->second.first;
        winner.entry = found->second.second;
        winner.found = true;
        return winner;
    }
    if (layout_ == Layout::Loose && key.find('/') != std::string::npos) {
        const std::string name = FileNameOf(relativePath);
        if (HasLooseFile(name)) {
            winner.loose = name;
            winner.found = true;
        }
    }
    return winner;
}

GameFileSource::ReadResult BaseFolderSource::Read(const std::string& relativePath,
                                                  std::string& text, std::string* error) const {
    const Winner winner = Find(relativePath);
    if (!winner.found) {
        text.clear();
        if (error != nullptr)
            *error = relativePath + " is not in " + folder_;
        return ReadResult::Missing;
    }
    if (winner.loose)
        return loose_.Read(*winner.loose, text, error);
    return archives_[winner.archive]->Read(winner.entry, text, error);
}

std::vector<GameFile> BaseFolderSource::List(const std::string& folder) const {
    std::vector<GameFile> files;
    const std::optional<std::string> prefix = FolderKey(folder);
    if (!prefix)
        return files;
    OpenArchives();
    // key -> the winning copy; loose files are put in last so that they win.
    std::map<std::string, GameFile> winners;
    for (auto it = archiveIndex_.lower_bound(*prefix);
         it != archiveIndex_.end() && StartsWith(it->first, *prefix); ++it) {
        const ZipReader& reader = *archives_[it->second.first];
        winners[it->first] = {reader.Entries()[it->second.second].name, reader.DisplayName()};
    }
    if (layout_ == Layout::Loose) {
        // Files directly in the folder stand for the game's scripts and botfiles.
        const std::vector<std::string> names = TopLevelFiles();
        for (const std::string mount : {"scripts/", "botfiles/"}) {
            if (!StartsWith(mount, *prefix) && !StartsWith(*prefix, mount))
                continue;
            for (const std::string& name : names) {
                const std::string key = SafeGamePathKey(mount + name);
                if (!key.empty() && StartsWith(key, *prefix) && winners.count(key) == 0)
                    winners[key] = {mount + name, folder_};
            }
        }
    }
    for (GameFile& file : loose_.List(folder))
        winners[GamePathKey(file.path)] = std::move(file);
    for (auto& [key, file] : winners)
        files.push_back(std::move(file));
    return files;
}

std::string BaseFolderSource::Origin(const std::string& relativePath) const {
    const Winner winner = Find(relativePath);
    if (!winner.found)
        return {};
    return winner.loose ? folder_ : archives_[winner.archive]->DisplayName();
}

std::vector<std::string> BaseFolderSource::Problems() const {
    return problems_;
}

std::unique_ptr<GameFileSource> BaseFolderView(const std::string& baseDir) {
    if (!IsUsableBaseDir(baseDir, NativePathStyle()))
        return std::make_unique<MemoryFileSource>(baseDir);
    return std::make_unique<BaseFolderSource>(NormalBaseDir(baseDir, NativePathStyle()));
}

} // namespace vexa
