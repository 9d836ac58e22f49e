#pragma once

#include "core/util/FileIO.h"
#include "core/util/Paths.h"

#include <string>
#include <string_view>
#include <utility>
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
    // Replaces the text file at `path` with `text` ("\n" line ends), at once
    // or, for files that stage their writes, at CommitFiles.
    virtual WriteStatus WriteTextFile(const std::string& path, std::string_view text) = 0;
    // The same, telling the system's reason for a failure.
    virtual WriteFailure WriteText(const std::string& path, std::string_view text) {
        return {WriteTextFile(path, text), path, {}, {}};
    }
    // Makes every file written so far final, all of them or none where the
    // system allows; files written at once are final already. Stops at the
    // first file that cannot be put in place.
    virtual WriteFailure CommitFiles() { return {}; }
    // Drops what was written but not yet made final.
    virtual void DiscardFiles() {}

    // Remembers why writing a file failed, for the user's message.
    void NoteFailure(const WriteFailure& failure) { failureReason_ = WriteFailureDetail(failure); }
    // The same for CommitFiles, adding the files it had already replaced.
    void NoteCommitFailure(const WriteFailure& failure, const std::vector<std::string>& replaced);
    // Lines saying which file failed and why (the system's reason, a file
    // open in another program, a reserved device name); empty when there
    // was no failure.
    const std::string& failureReason() const { return failureReason_; }

    // The generate command's result code for failing to create the file at
    // `path`, noted when the file was written (0 for a path not written).
    void NoteResultCode(const std::string& path, int openCode);
    int ResultCodeOf(const std::string& path) const;

private:
    std::string failureReason_;
    std::vector<std::pair<std::string, int>> resultCodes_;
};

// The bot's files on the disk, all or nothing: each file is written to a
// temporary file beside it, with the platform's line ends, and only
// CommitFiles, once every file is complete, moves them into place. Until
// then, and after any failure, every existing file keeps what it held, and
// no temporary file outlives the object.
class DiskFiles final : public OutputFiles {
public:
    bool CreateFolder(const std::string& path) override;
    WriteStatus WriteTextFile(const std::string& path, std::string_view text) override;
    WriteFailure WriteText(const std::string& path, std::string_view text) override;
    WriteFailure CommitFiles() override;
    void DiscardFiles() override { replacements_.Discard(); }

private:
    FileReplacements replacements_;
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
