// The game's files as the import sees them: a base folder with its loose
// files and its .pk3 archives, or a single archive. Archives are opened and
// their central directories indexed once, on the first question; an entry's
// data are read only when that file is asked for.
#pragma once

#include "core/archive/ZipReader.h"
#include "core/game/GameFileSource.h"
#include "core/game/LocalFileSources.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vexa {

// One .pk3 (or .zip) archive: its entries are the game's relative paths.
class ArchiveFileSource final : public GameFileSource {
public:
    // Null, with the reason in `error`, when the archive cannot be read.
    static std::unique_ptr<ArchiveFileSource> Open(const std::string& path, std::string& error,
                                                   const ZipLimits& limits = {});
    explicit ArchiveFileSource(std::unique_ptr<ZipReader> reader);

    ReadResult Read(const std::string& relativePath, std::string& text,
                    std::string* error = nullptr) const override;
    std::vector<GameFile> List(const std::string& folder) const override;
    std::string Origin(const std::string& relativePath) const override;

    // Entries left out for their names ("../", absolute paths), for the report.
    std::vector<std::string> Problems() const;

private:
    std::unique_ptr<ZipReader> reader_;
    std::map<std::string, std::size_t> byKey_; // key -> entry of the reader
};

// A base folder: its loose files and every *.pk3 directly in it. A loose
// file wins over every archive; among archives the one whose file name sorts
// last (without regard to case) wins.
//
// In the loose layout the folder is not a base folder but one holding a
// downloaded bot as it came: a game path that is not found below the folder
// is also looked for by its file name alone directly in the folder
// ("botfiles/bots/ranger_w.c" as "ranger_w.c"), and the files directly in
// the folder are listed under both "scripts/" and "botfiles/".
class BaseFolderSource final : public GameFileSource {
public:
    enum class Layout { Base, Loose };

    explicit BaseFolderSource(std::string folder, Layout layout = Layout::Base,
                              const ZipLimits& limits = {});

    ReadResult Read(const std::string& relativePath, std::string& text,
                    std::string* error = nullptr) const override;
    std::vector<GameFile> List(const std::string& folder) const override;
    std::string Origin(const std::string& relativePath) const override;

    // What could not be read (an archive that is damaged, names left out),
    // for the report. Complete once the source
    // has answered a question.
    std::vector<std::string> Problems() const;
    const std::string& Folder() const { return folder_; }

private:
    struct Winner {
        std::optional<std::string> loose; // the relative path of the loose file to read
        std::size_t archive = 0;          // when not loose: archive and entry
        std::size_t entry = 0;
        bool found = false;
    };
    void OpenArchives() const;
    Winner Find(const std::string& relativePath) const;
    bool HasLooseFile(const std::string& relativePath) const;
    // The regular files directly in the folder, at most a bounded number.
    std::vector<std::string> TopLevelFiles() const;

    std::string folder_;
    Layout layout_;
    ZipLimits limits_;
    FolderFileSource loose_;
    mutable bool archivesOpened_ = false;
    mutable std::vector<std::unique_ptr<ZipReader>> archives_; // in order of precedence, last wins
    mutable std::map<std::string, std::pair<std::size_t, std::size_t>> archiveIndex_;
    mutable std::vector<std::string> problems_;
};

// The game's files below the base folder `baseDir` (the option as typed):
// a BaseFolderSource of its normal form, or, when it is no usable base
// folder, a source that holds nothing. What the checks of Create Arvon
// source, Preview and the chat editors read the game through.
std::unique_ptr<GameFileSource> BaseFolderView(const std::string& baseDir);

} // namespace vexa
