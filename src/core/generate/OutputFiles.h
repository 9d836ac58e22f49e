#pragma once

#include "core/util/FileIO.h"
#include "core/util/Paths.h"

#include <string>
#include <string_view>
#include <vector>

namespace vexa {

// Where the generate command puts its folders and files. DiskFiles is the
// real file system; tests substitute a record of the calls, which lets the
// Windows path style run on any machine.
class OutputFiles {
public:
    OutputFiles() = default;
    OutputFiles(const OutputFiles&) = delete;
    OutputFiles& operator=(const OutputFiles&) = delete;
    virtual ~OutputFiles() = default;

    // Creates one folder. False when it exists already, its parent is
    // missing or it cannot be created.
    virtual bool CreateFolder(const std::string& path) = 0;
    // Replaces the text file at `path` with `text` ("\n" line ends).
    virtual WriteStatus WriteTextFile(const std::string& path, std::string_view text) = 0;

    // Remembers why writing `path` failed, for the user's message.
    void NoteFailure(WriteStatus status, const std::string& path) {
        failureReason_ = WriteFailureReason(status, path);
    }
    // A line saying why the last failed write failed (a file open in another
    // program, a reserved device name); empty when the failure's own message
    // says all.
    const std::string& failureReason() const { return failureReason_; }

private:
    std::string failureReason_;
};

class DiskFiles final : public OutputFiles {
public:
    bool CreateFolder(const std::string& path) override;
    // Written with the platform's line ends; the previous file is kept when
    // the write fails.
    WriteStatus WriteTextFile(const std::string& path, std::string_view text) override;
};

// A generate run kept in memory: nothing touches the disk. Folders are
// taken as created; every file written is recorded in order, with "\n" line
// ends as the writers made it. Used to preview a run and to pack a bot into
// an archive.
class MemoryFiles final : public OutputFiles {
public:
    struct File {
        std::string path;
        std::string text;
    };

    bool CreateFolder(const std::string& path) override;
    WriteStatus WriteTextFile(const std::string& path, std::string_view text) override;

    const std::vector<std::string>& folders() const { return folders_; }
    // The files in the order they were written; a path written twice keeps
    // its first place and its last text.
    const std::vector<File>& files() const { return files_; }

private:
    std::vector<std::string> folders_;
    std::vector<File> files_;
};

// Creates the folder `path` (ending in the style's separator) and its missing
// parents: when the folder itself cannot be created, climbs one folder at a
// time (at most 14) until one can, then creates the folders below it again,
// stopping at the first failure. An existing folder counts as a failure, so
// for a folder that exists nothing is created. Reports nothing.
void MakeFolderChain(const std::string& path, PathStyle style, OutputFiles& files);

} // namespace vexa
