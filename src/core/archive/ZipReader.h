// Reads zip archives (the game's .pk3 files) for the import: lists their
// entries from the central directory and reads one entry into memory. An
// archive comes from the internet and is treated as hostile: the number of
// entries and the size of what is read are capped, a damaged archive gives a
// message, and nothing is ever extracted to disk; entry names are only
// compared, never used as paths of the file system.
#pragma once

#include "core/archive/ZipHandle.h"
#include "core/game/GameFileSource.h"
#include "core/game/LocalFileSources.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vexa {

struct ZipLimits {
    // The game's largest archives hold a few thousand entries.
    std::size_t maxEntries = 100000;
    // The most that is read of any one entry.
    std::size_t maxEntrySize = kMaxScriptFileSize;
};

struct ZipEntry {
    std::string name;        // as stored, with "\" turned into "/"
    std::uint64_t size = 0;  // uncompressed size, as the central directory states it
    std::uint64_t index = 0; // libzip's index of the entry
};

class ZipReader {
public:
    // Opens the archive file at `path` and reads its central directory (the
    // entries' data stay on disk until read). Null, with the reason in
    // `error`, when the file cannot be opened or is not a usable archive.
    static std::unique_ptr<ZipReader> OpenFile(const std::string& path, std::string& error,
                                               const ZipLimits& limits = {});
    // The same for an archive held in memory; `displayName` names it in messages.
    static std::unique_ptr<ZipReader> OpenBytes(std::string bytes, const std::string& displayName,
                                                std::string& error, const ZipLimits& limits = {});

    ZipReader(const ZipReader&) = delete;
    ZipReader& operator=(const ZipReader&) = delete;
    ~ZipReader();

    // The files of the archive in the order of its central directory.
    // Folders and entries whose names are no relative path of the game
    // (absolute, with "..", empty or control characters) are left out.
    const std::vector<ZipEntry>& Entries() const { return entries_; }
    // How many entries were left out for their names.
    std::size_t SkippedNames() const { return skippedNames_; }

    // Reads entry number `entry` of Entries() into `text`. TooLarge when the
    // central directory states more than the cap; Failed when the data are
    // damaged, inflate to more than the stated size or the cap, or cannot
    // be read. On any result but Read, `text` is empty and `error` (when
    // given) says why.
    GameFileSource::ReadResult Read(std::size_t entry, std::string& text,
                                    std::string* error = nullptr) const;

    const std::string& DisplayName() const { return displayName_; }

private:
    ZipReader(ZipArchivePtr archive, std::string displayName, const ZipLimits& limits);
    bool Index(std::string& error);

    std::string bytes_; // the archive's bytes when it is held in memory
    ZipArchivePtr archive_;
    std::string displayName_;
    ZipLimits limits_;
    std::vector<ZipEntry> entries_;
    std::size_t skippedNames_ = 0;
};

// libzip turns every entry's date into a time with mktime, which on glibc
// reads the time zone file again for each call unless TZ is set: three
// system calls per entry, most of the time it takes to open an archive of
// thousands of entries. Called once at the start of the program, before any
// thread runs, this sets TZ to the system's own zone when it is not set, so
// local times stay what they were.
void PinTimeZone();

} // namespace vexa
