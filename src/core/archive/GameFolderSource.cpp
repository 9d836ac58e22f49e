#include "core/archive/GameFolderSource.h"

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
    std::string key = GamePathKey(trimmed);
    if (key.empty())
        return std::nullopt;
    return key + "/";
}

bool IsRegularFile(const fs::directory_entry& entry) {
    std::error_code ignored;
    return entry.is_regular_file(ignored);
}

std::string FileNameOf(const std::string& key) {
    const std::size_t slash = key.rfind('/');
    return slash == std::string::npos ? key : key.substr(slash + 1);
}

} // namespace

GameFileSource::ReadResult ReadLooseFile(const std::string& path, std::string& text,
                                         std::string* error, std::size_t cap) {
    using Result = GameFileSource::ReadResult;
    text.clear();
    auto fail = [&](Result result, const std::string& why) {
        text.clear();
        if (error != nullptr)
            *error = why;
        return result;
    };
    std::error_code code;
    const fs::file_status status = fs::status(path, code);
    if (code || !fs::exists(status))
        return fail(Result::Missing, path + " does not exist");
    if (!fs::is_regular_file(status))
        return fail(Result::Failed, path + " is not a file");
    const std::uintmax_t size = fs::file_size(path, code);
    if (!code && size > cap)
        return fail(Result::TooLarge,
                    path + " is larger than " + std::to_string(cap / 1024) + " KB and is not read");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return fail(Result::Failed, path + " cannot be opened");
    // The file may grow while it is read: never take more than the cap.
    text.resize(cap + 1);
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    const auto got = static_cast<std::size_t>(in.gcount());
    if (in.bad())
        return fail(Result::Failed, path + " cannot be read");
    if (got > cap)
        return fail(Result::TooLarge,
                    path + " is larger than " + std::to_string(cap / 1024) + " KB and is not read");
    text.resize(got);
    return Result::Read;
}

// ---------------------------------------------------------------- loose files

const std::map<std::string, std::string>& LooseFileIndex::TopLevel() const {
    if (topLevel_)
        return *topLevel_;
    topLevel_.emplace();
    std::error_code code;
    std::vector<std::string> names;
    for (fs::directory_iterator it(root_, fs::directory_options::skip_permission_denied, code), end;
         !code && it != end; it.increment(code)) {
        if (IsRegularFile(*it))
            names.push_back(it->path().filename().string());
        if (names.size() >= kMaxFiles) {
            truncated_ = true;
            break;
        }
    }
    // Of names that differ only in case, the first in byte order is taken.
    std::sort(names.begin(), names.end());
    for (const std::string& name : names)
        if (std::string key = GamePathKey(name); !key.empty())
            topLevel_->emplace(std::move(key), name);
    return *topLevel_;
}

const std::map<std::string, std::string>&
LooseFileIndex::Subtree(const std::string& firstKey) const {
    if (auto found = subtrees_.find(firstKey); found != subtrees_.end())
        return found->second;
    std::map<std::string, std::string>& files = subtrees_[firstKey];

    // Every folder of the root whose name is `firstKey` in any case.
    std::vector<std::string> folders;
    std::error_code code;
    for (fs::directory_iterator it(root_, fs::directory_options::skip_permission_denied, code), end;
         !code && it != end; it.increment(code)) {
        std::error_code ignored;
        const std::string name = it->path().filename().string();
        if (it->is_directory(ignored) && GamePathKey(name) == firstKey)
            folders.push_back(name);
    }
    std::sort(folders.begin(), folders.end());

    std::size_t count = 0;
    for (const std::string& folder : folders) {
        std::vector<std::string> found;
        fs::recursive_directory_iterator it(fs::path(root_) / folder,
                                            fs::directory_options::skip_permission_denied, code);
        for (fs::recursive_directory_iterator end; !code && it != end; it.increment(code)) {
            if (it.depth() >= kMaxDepth) {
                it.disable_recursion_pending();
                truncated_ = true;
            }
            if (!IsRegularFile(*it))
                continue;
            if (++count > kMaxFiles) {
                truncated_ = true;
                break;
            }
            std::error_code ignored;
            const fs::path relative = fs::relative(it->path(), root_, ignored);
            if (!ignored)
                found.push_back(relative.generic_string());
        }
        std::sort(found.begin(), found.end());
        for (const std::string& relative : found)
            if (std::string key = GamePathKey(relative); !key.empty())
                files.emplace(std::move(key), relative);
    }
    return files;
}

std::optional<std::string> LooseFileIndex::Find(const std::string& key) const {
    const std::size_t slash = key.find('/');
    const std::map<std::string, std::string>& files =
        slash == std::string::npos ? TopLevel() : Subtree(key.substr(0, slash));
    const auto found = files.find(key);
    if (found == files.end())
        return std::nullopt;
    return (fs::path(root_) / found->second).string();
}

std::vector<std::pair<std::string, std::string>>
LooseFileIndex::List(const std::string& keyPrefix) const {
    std::vector<std::pair<std::string, std::string>> result;
    auto take = [&](const std::map<std::string, std::string>& files) {
        for (auto it = files.lower_bound(keyPrefix);
             it != files.end() && StartsWith(it->first, keyPrefix); ++it)
            result.emplace_back(it->first, it->second);
    };
    const std::size_t slash = keyPrefix.find('/');
    if (slash != std::string::npos) {
        take(Subtree(keyPrefix.substr(0, slash)));
        return result;
    }
    // A prefix without a folder: the files of the root and of every folder.
    take(TopLevel());
    std::error_code code;
    std::vector<std::string> firstKeys;
    for (fs::directory_iterator it(root_, fs::directory_options::skip_permission_denied, code), end;
         !code && it != end; it.increment(code)) {
        std::error_code ignored;
        if (it->is_directory(ignored))
            if (std::string key = GamePathKey(it->path().filename().string()); !key.empty())
                firstKeys.push_back(key);
    }
    std::sort(firstKeys.begin(), firstKeys.end());
    firstKeys.erase(std::unique(firstKeys.begin(), firstKeys.end()), firstKeys.end());
    for (const std::string& first : firstKeys)
        take(Subtree(first));
    return result;
}

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
        byKey_[GamePathKey(entries[i].name)] = i;
}

GameFileSource::ReadResult ArchiveFileSource::Read(const std::string& relativePath,
                                                   std::string& text, std::string* error) const {
    const auto found = byKey_.find(GamePathKey(relativePath));
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
    return byKey_.count(GamePathKey(relativePath)) != 0 ? reader_->DisplayName() : std::string();
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

BaseFolderSource::BaseFolderSource(std::string folder, Layout layout, const ZipLimits& limits)
    : folder_(std::move(folder)), layout_(layout), limits_(limits), loose_(folder_) {}

void BaseFolderSource::OpenArchives() const {
    if (archivesOpened_)
        return;
    archivesOpened_ = true;
    std::vector<std::pair<std::string, std::string>> found; // lower-case name, name
    for (const auto& [key, name] : loose_.TopLevel())
        if (key.size() > 4 && key.compare(key.size() - 4, 4, ".pk3") == 0)
            found.emplace_back(key, name);
    // The order of precedence: by name without regard to case, the last wins.
    std::sort(found.begin(), found.end());
    for (const auto& [key, name] : found) {
        std::string error;
        std::unique_ptr<ZipReader> reader =
            ZipReader::OpenFile((fs::path(folder_) / name).string(), error, limits_);
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
            archiveIndex_[GamePathKey(entries[i].name)] = {archive, i};
        archives_.push_back(std::move(reader));
    }
}

BaseFolderSource::Winner BaseFolderSource::Find(const std::string& key) const {
    Winner winner;
    if (key.empty())
        return winner;
    if (std::optional<std::string> path = loose_.Find(key)) {
        winner.loose = std::move(path);
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
        if (std::optional<std::string> path = loose_.Find(FileNameOf(key))) {
            winner.loose = std::move(path);
            winner.found = true;
        }
    }
    return winner;
}

GameFileSource::ReadResult BaseFolderSource::Read(const std::string& relativePath,
                                                  std::string& text, std::string* error) const {
    const Winner winner = Find(GamePathKey(relativePath));
    if (!winner.found) {
        text.clear();
        if (error != nullptr)
            *error = relativePath + " is not in " + folder_;
        return ReadResult::Missing;
    }
    if (winner.loose)
        return ReadLooseFile(*winner.loose, text, error);
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
        for (const char* mount : {"scripts/", "botfiles/"}) {
            const std::string mounted = mount;
            if (!StartsWith(mounted, *prefix) && !StartsWith(*prefix, mounted))
                continue;
            for (const auto& [key, name] : loose_.TopLevel()) {
                const std::string mountedKey = mounted + key;
                if (StartsWith(mountedKey, *prefix) && winners.count(mountedKey) == 0)
                    winners[mountedKey] = {mounted + name, folder_};
            }
        }
    }
    for (auto& [key, relative] : loose_.List(*prefix))
        winners[key] = {relative, folder_};
    for (auto& [key, file] : winners)
        files.push_back(std::move(file));
    return files;
}

std::string BaseFolderSource::Origin(const std::string& relativePath) const {
    const Winner winner = Find(GamePathKey(relativePath));
    if (!winner.found)
        return {};
    return winner.loose ? folder_ : archives_[winner.archive]->DisplayName();
}

std::vector<std::string> BaseFolderSource::Problems() const {
    std::vector<std::string> problems = problems_;
    if (loose_.Truncated())
        problems.push_back(folder_ + " holds too many files or folders; only the first " +
                           std::to_string(LooseFileIndex::kMaxFiles) + " files were read");
    return problems;
}

} // namespace vexa
