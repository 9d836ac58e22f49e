#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vexa {

enum class WriteStatus {
    Written,     // the file now holds exactly the new contents
    OpenFailed,  // the file could not be created or replaced; the old file is untouched
    WriteFailed, // writing stopped short (for example a full disk); the old file is untouched
};

// The result code of the profile and settings writers: 0 written, 1 cannot
// open (create or replace) the file, 2 writing failed.
constexpr int WriteResultCode(WriteStatus status) {
    switch (status) {
    case WriteStatus::Written:
        return 0;
    case WriteStatus::OpenFailed:
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

// Replaces the file at `path` with `contents`. The bytes go to a temporary
// file in the same folder, which is renamed over `path` only once it has been
// written, flushed and closed without error; on any failure the temporary
// file is removed and whatever `path` held before is kept byte for byte.
WriteStatus ReplaceFile(const std::string& path, std::string_view contents,
                        LineEnds lineEnds = LineEnds::AsGiven);

enum class ReadStatus {
    Read,       // `size` bytes were read
    OpenFailed, // the file could not be opened (missing, a folder, no permission)
    ShortRead,  // the file holds fewer than `size` bytes, or reading failed
};

// Reads the first `size` bytes of the file at `path` into `out`. Bytes after
// them are ignored. On failure `out` is left empty.
ReadStatus ReadFilePrefix(const std::string& path, std::size_t size, std::string& out);

} // namespace vexa
