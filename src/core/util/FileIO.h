#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace vexa {

enum class WriteStatus {
    Written,      // the file now holds exactly the new contents
    OpenFailed,   // the file could not be created or replaced; the old file is untouched
    WriteFailed,  // writing stopped short (for example a full disk); the old file is untouched
    InUse,        // another program holds the file open and keeps it from being replaced
    ReservedName, // the path names a device that Windows reserves (CON, NUL, COM1, ...)
};

// The result code of the profile and settings writers: 0 written, 1 cannot
// open (create or replace) the file, 2 writing failed.
constexpr int WriteResultCode(WriteStatus status) {
    switch (status) {
    case WriteStatus::Written:
        return 0;
    case WriteStatus::OpenFailed:
    case WriteStatus::InUse:
    case WriteStatus::ReservedName:
        return 1;
    case WriteStatus::WriteFailed:
        break;
    }
    return 2;
}

enum class LineEnds {
    AsGiven,  // bytes are written unchanged
    Platform, // every "\n" becomes the platform's line end (CR LF on Windows)
};

// `contents` with its line ends as ReplaceFile writes them.
std::string WithLineEnds(std::string_view contents, LineEnds lineEnds);

// Replaces the file at `path` (UTF-8) with `contents`, as a careful editor
// does. The bytes go to a temporary file in the same folder, which is flushed
// to the disk and renamed over `path` only once it has been written and
// closed without error; the folder is flushed after the rename. On any
// failure the temporary file is removed and whatever `path` held before is
// kept byte for byte.
//
// A symbolic link is written through: its target gets the new contents and
// the link stays. A replaced file keeps its permission bits, and its owner
// and group where the user may give them (POSIX); on Windows its attributes
// (a read-only file is not replaced). A file that another program holds open is retried for
// about a second before InUse is returned. On Windows a path naming a
// reserved device (con.c, aux.bot) gives ReservedName and nothing is written.
//
// `reason`, when given, receives the system's reason for a failure (empty
// when there is none, as for ReservedName).
WriteStatus ReplaceFile(const std::string& path, std::string_view contents,
                        LineEnds lineEnds = LineEnds::AsGiven, std::error_code* reason = nullptr);

// How writing a file ended: Written, or the failure with the path and the
// system's reason (empty when the status says all).
struct WriteFailure {
    WriteStatus status = WriteStatus::Written;
    std::string path;
    std::error_code error;
    // The program's own reason, for a failure the system did not report.
    std::string reason;
};

// The lines that follow a failure's own message: the full path with the
// system's reason ("/games/base/scripts/x.bot: Permission denied"), or the
// program's own reason when there is no system error, then
// WriteFailureReason's line when there is one. Empty for Written.
std::string WriteFailureDetail(const WriteFailure& failure);

// Several files replaced together, all or none, each as ReplaceFile does.
// Stage writes a file's new contents to a temporary file in its folder,
// flushed and closed; Commit then renames the temporary files over their
// files, in the order first staged. Until Commit every file keeps what it
// held, and the temporary files of a set that is destroyed uncommitted are
// removed.
class FileReplacements {
public:
    FileReplacements();
    FileReplacements(const FileReplacements&) = delete;
    FileReplacements& operator=(const FileReplacements&) = delete;
    ~FileReplacements();

    // Staging a file again replaces its staged contents.
    WriteFailure Stage(const std::string& path, std::string_view contents, LineEnds lineEnds);
    // Moves every staged file into place, stopping at the first that cannot
    // be (then the remaining temporary files are removed and replaced()
    // tells which files were already replaced).
    WriteFailure Commit();
    // Removes the temporary files of everything staged; no file changes.
    void Discard();
    // The files Commit replaced, in order.
    const std::vector<std::string>& replaced() const { return replaced_; }

private:
    struct Staged;
    std::vector<Staged> staged_;
    std::vector<std::string> replaced_;
};

// A line for the user that says why writing `path` failed with `status`,
// beyond the failure's own message; empty when there is nothing more to say.
std::string WriteFailureReason(WriteStatus status, const std::string& path);

enum class ReadStatus {
    Read,       // `size` bytes were read
    OpenFailed, // the file could not be opened (missing, a folder, no permission)
    ShortRead,  // the file holds fewer than `size` bytes, or reading failed
};

// Opens the file at `path` (UTF-8) for reading bytes, as std::fopen with
// "rb" does; null when it cannot be opened. On Windows the name is passed to
// the system as UTF-16, so that any name opens.
std::FILE* OpenFileForReading(const std::string& path);

// Reads the first `size` bytes of the file at `path` (UTF-8) into `out`. Bytes after
// them are ignored. On failure `out` is left empty.
ReadStatus ReadFilePrefix(const std::string& path, std::size_t size, std::string& out);

} // namespace vexa
