#include "core/util/FileIO.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <system_error>

namespace vexa {
namespace {

namespace fs = std::filesystem;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

std::string WithPlatformLineEnds(std::string_view contents, LineEnds lineEnds) {
#ifdef _WIN32
    if (lineEnds == LineEnds::Platform) {
        std::string converted;
        converted.reserve(contents.size() + contents.size() / 16);
        for (char c : contents) {
            if (c == '\n')
                converted.push_back('\r');
            converted.push_back(c);
        }
        return converted;
    }
#else
    (void)lineEnds;
#endif
    return std::string(contents);
}

// Creates a new, uniquely named file in `folder` for writing. The name is
// short so that it fits wherever the target's own name fits.
FileHandle CreateTemporaryFile(const fs::path& folder, fs::path& created) {
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 16; ++attempt) {
        char name[32];
        std::snprintf(name, sizeof name, ".vexa-%012llx.tmp",
                      static_cast<unsigned long long>(random() & 0xffffffffffffULL));
        created = folder / name;
        // "x": fail instead of opening a file that already exists.
        if (std::FILE* file = std::fopen(created.string().c_str(), "wbx"))
            return FileHandle(file);
        if (errno != EEXIST)
            break;
    }
    return nullptr;
}

} // namespace

std::string WithLineEnds(std::string_view contents, LineEnds lineEnds) {
    return WithPlatformLineEnds(contents, lineEnds);
}

WriteStatus ReplaceFile(const std::string& path, std::string_view contents, LineEnds lineEnds) {
    const fs::path target(path);
    std::error_code error;
    if (target.filename().empty() || fs::is_directory(target, error))
        return WriteStatus::OpenFailed;

    fs::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";
    fs::path temporary;
    FileHandle file = CreateTemporaryFile(folder, temporary);
    if (!file)
        return WriteStatus::OpenFailed;

    const std::string bytes = WithPlatformLineEnds(contents, lineEnds);
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
    written = std::fflush(file.get()) == 0 && written;
    written = std::fclose(file.release()) == 0 && written;
    if (!written) {
        fs::remove(temporary, error);
        return WriteStatus::WriteFailed;
    }
    fs::rename(temporary, target, error);
    if (error) {
        fs::remove(temporary, error);
        return WriteStatus::OpenFailed;
    }
    return WriteStatus::Written;
}

ReadStatus ReadFilePrefix(const std::string& path, std::size_t size, std::string& out) {
    out.clear();
    std::error_code error;
    if (fs::is_directory(fs::path(path), error))
        return ReadStatus::OpenFailed;
    FileHandle file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return ReadStatus::OpenFailed;
    std::string buffer(size, '\0');
    if (std::fread(buffer.data(), 1, size, file.get()) != size)
        return ReadStatus::ShortRead;
    out = std::move(buffer);
    return ReadStatus::Read;
}

} // namespace vexa
