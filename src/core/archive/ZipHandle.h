// Owning handles for libzip's archive and entry objects, and the text of a
// libzip error for the program's messages. A handle holds an object only
// when libzip is loaded (Zip() is not null), since only then can one be made.
#pragma once

#include <memory>
#include <string>
#include <zip.h>

namespace vexa {

struct ZipArchiveCloser {
    // Discards: an archive opened for writing is committed explicitly with
    // zip_close, so that an unfinished one never reaches the disk.
    void operator()(zip_t* archive) const noexcept;
};
struct ZipFileCloser {
    void operator()(zip_file_t* file) const noexcept;
};
struct ZipSourceFreer {
    void operator()(zip_source_t* source) const noexcept;
};

using ZipArchivePtr = std::unique_ptr<zip_t, ZipArchiveCloser>;
using ZipFilePtr = std::unique_ptr<zip_file_t, ZipFileCloser>;
using ZipSourcePtr = std::unique_ptr<zip_source_t, ZipSourceFreer>;

// The text of libzip error code `code` (ZIP_ER_*), for example "Not a zip archive".
std::string ZipErrorText(int code);
// The text of the last error of `archive`.
std::string ZipErrorText(zip_t* archive);

} // namespace vexa
