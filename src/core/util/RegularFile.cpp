#include "core/util/RegularFile.h"

#include "core/util/FileIO.h"
#include "core/util/Paths.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

namespace vexa {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// Bytes read in one call: a short file takes one step, a large limit is
// filled as the file gives it, never allocated up front.
constexpr std::size_t kChunk = 64 * 1024;

} // namespace

ReadStatus ReadRegularFile(const std::string& path, std::size_t limit, std::string& out) {
    out.clear();
    std::error_code error;
    if (!std::filesystem::is_regular_file(PathFromUtf8(path), error))
        return ReadStatus::OpenFailed;
    const std::unique_ptr<std::FILE, FileCloser> file(OpenFileForReading(path));
    if (!file)
        return ReadStatus::OpenFailed;

    std::string bytes;
    while (bytes.size() < limit) {
        const std::size_t offset = bytes.size();
        const std::size_t wanted = std::min(kChunk, limit - offset);
        bytes.resize(offset + wanted);
        const std::size_t got = std::fread(bytes.data() + offset, 1, wanted, file.get());
        bytes.resize(offset + got);
        if (got < wanted) {
            if (std::ferror(file.get()))
                return ReadStatus::ShortRead;
            break;
        }
    }
    out = std::move(bytes);
    return ReadStatus::Read;
}

} // namespace vexa
