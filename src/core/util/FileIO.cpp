#include "core/util/FileIO.h"

#include "core/util/Paths.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <system_error>

#ifdef _WIN32
#include "core/util/WindowsApi.h"
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

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

// A short, random name for the temporary file, so that it fits wherever the
// target's own name fits.
fs::path TemporaryName(const fs::path& folder, std::mt19937_64& random) {
    char name[32];
    std::snprintf(name, sizeof name, ".vexa-%012llx.tmp",
                  static_cast<unsigned long long>(random() & 0xffffffffffffULL));
    return folder / name;
}

fs::path FolderOf(const fs::path& file) {
    fs::path folder = file.parent_path();
    return folder.empty() ? fs::path(".") : folder;
}

// Removes the temporary file when the replacement does not go through.
class TemporaryFile {
public:
    TemporaryFile() = default;
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    TemporaryFile(TemporaryFile&& other) noexcept : path_(std::move(other.path_)) {
        other.path_.clear();
    }
    TemporaryFile& operator=(TemporaryFile&& other) noexcept {
        if (this != &other) {
            Remove();
            path_ = std::move(other.path_);
            other.path_.clear();
        }
        return *this;
    }
    ~TemporaryFile() { Remove(); }
    void Set(fs::path path) { path_ = std::move(path); }
    const fs::path& path() const { return path_; }
    void Committed() { path_.clear(); }

private:
    void Remove() {
        if (!path_.empty()) {
            std::error_code ignored;
            fs::remove(path_, ignored);
        }
    }

    fs::path path_;
};

#ifdef _WIN32

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

Handle Owned(HANDLE handle) {
    return Handle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

// The file that `target` ends at when it is a symbolic link or another
// reparse point; `target` itself otherwise, or when it cannot be followed.
fs::path FinalTarget(const fs::path& target) {
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return target;
    const Handle file =
        Owned(CreateFileW(target.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                          nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file)
        return target;
    std::wstring final(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        const DWORD length =
            GetFinalPathNameByHandleW(file.get(), final.data(), static_cast<DWORD>(final.size()),
                                      FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0)
            return target;
        if (length < final.size()) {
            final.resize(length);
            return fs::path(final);
        }
        final.resize(length);
    }
    return target;
}

bool IsInUseError(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
           error == ERROR_ACCESS_DENIED || error == ERROR_USER_MAPPED_FILE;
}

constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

std::error_code LastError() {
    return std::error_code(static_cast<int>(GetLastError()), std::system_category());
}

WriteStatus WriteTemporary(const fs::path& target, const std::string& bytes,
                           TemporaryFile& temporary, std::error_code& error) {
    const DWORD existing = GetFileAttributesW(target.c_str());
    if (existing != INVALID_FILE_ATTRIBUTES &&
        (existing & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))) {
        error = std::make_error_code((existing & FILE_ATTRIBUTE_DIRECTORY)
                                         ? std::errc::is_a_directory
                                         : std::errc::permission_denied);
        return WriteStatus::OpenFailed;
    }

    std::random_device seed;
    std::mt19937_64 random(seed());
    Handle file;
    for (int attempt = 0; attempt < 16 && !file; ++attempt) {
        const fs::path name = TemporaryName(FolderOf(target), random);
        // CREATE_NEW: never open a file that is already there.
        file = Owned(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file)
            temporary.Set(name);
        else if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS)
            break;
    }
    if (!file) {
        error = LastError();
        return WriteStatus::OpenFailed;
    }

    bool written = true;
    for (std::size_t done = 0; written && done < bytes.size();) {
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD wrote = 0;
        written = WriteFile(file.get(), bytes.data() + done, chunk, &wrote, nullptr) && wrote > 0;
        done += wrote;
    }
    written = FlushFileBuffers(file.get()) && written;
    if (!written)
        error = LastError();
    written = CloseHandle(file.release()) && written;
    if (!written) {
        if (!error)
            error = LastError();
        return WriteStatus::WriteFailed;
    }
    // The replaced file's attributes (hidden, system, archive, ...); its
    // access rights come from the folder, as the old file's did.
    if (existing != INVALID_FILE_ATTRIBUTES && (existing & kKeptAttributes) != 0)
        SetFileAttributesW(temporary.path().c_str(), existing & kKeptAttributes);
    return WriteStatus::Written;
}

// A file another program holds open cannot be replaced until it lets go:
// try again for about a second. The rename is written through, which also
// puts the folder's new entry on the disk.
WriteStatus MoveIntoPlace(TemporaryFile& temporary, const fs::path& target,
                          std::error_code& error) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (MoveFileExW(temporary.path().c_str(), target.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            temporary.Committed();
            return WriteStatus::Written;
        }
        error = LastError();
        if (!IsInUseError(GetLastError()))
            return WriteStatus::OpenFailed;
        Sleep(50);
    }
    return WriteStatus::InUse;
}

#else

// The file that `target` ends at, following symbolic links (at most 40, as
// the system does); `target` itself when it is no link.
bool FinalTarget(fs::path& target) {
    std::error_code error;
    for (int links = 0; links < 40; ++links) {
        if (!fs::is_symlink(target, error))
            return true;
        const fs::path next = fs::read_symlink(target, error);
        if (error)
            return false;
        target = next.is_absolute() ? next : FolderOf(target) / next;
    }
    return false;
}

bool WriteAll(int fd, const std::string& bytes) {
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return false;
        done += static_cast<std::size_t>(wrote);
    }
    return true;
}

// Flushes a folder's entries (the rename) to the disk. Some file systems
// refuse to flush a folder; the file itself is on the disk then anyway.
void FlushFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

std::error_code LastError() {
    return std::error_code(errno, std::generic_category());
}

WriteStatus WriteTemporary(const fs::path& target, const std::string& bytes,
                           TemporaryFile& temporary, std::error_code& error) {
    struct stat old {};
    const bool replacing = ::stat(target.c_str(), &old) == 0;
    if (replacing && S_ISDIR(old.st_mode)) {
        error = std::make_error_code(std::errc::is_a_directory);
        return WriteStatus::OpenFailed;
    }

    std::random_device seed;
    std::mt19937_64 random(seed());
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        const fs::path name = TemporaryName(FolderOf(target), random);
        // A new file gets the usual permissions (the umask applies); a
        // replacement starts private and gets the old file's below.
        fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, replacing ? 0600 : 0666);
        if (fd >= 0)
            temporary.Set(name);
        else if (errno != EEXIST)
            break;
    }
    if (fd < 0) {
        error = LastError();
        return WriteStatus::OpenFailed;
    }

    if (replacing) {
        // The owner only root may give; the group any member of it. Changing
        // the owner clears the set-user-ID bits, so the mode comes after.
        if (::fchown(fd, old.st_uid, old.st_gid) != 0)
            (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
        (void)::fchmod(fd, old.st_mode & 07777);
    }
    bool written = WriteAll(fd, bytes);
    written = written && ::fsync(fd) == 0;
    if (!written)
        error = LastError();
    if (::close(fd) != 0 && written) {
        error = LastError();
        written = false;
    }
    return written ? WriteStatus::Written : WriteStatus::WriteFailed;
}

WriteStatus MoveIntoPlace(TemporaryFile& temporary, const fs::path& target,
                          std::error_code& error) {
    if (::rename(temporary.path().c_str(), target.c_str()) != 0) {
        error = LastError();
        return WriteStatus::OpenFailed;
    }
    temporary.Committed();
    FlushFolder(FolderOf(target));
    return WriteStatus::Written;
}

#endif

} // namespace

std::FILE* OpenFileForReading(const std::string& path) {
#ifdef _WIN32
    return _wfopen(PathFromUtf8(path).c_str(), L"rb");
#else
    return std::fopen(path.c_str(), "rb");
#endif
}

std::string WithLineEnds(std::string_view contents, LineEnds lineEnds) {
    return WithPlatformLineEnds(contents, lineEnds);
}

struct FileReplacements::Staged {
    std::string path; // as given
    fs::path target;  // the file that gets the contents (a link's target)
    TemporaryFile temporary;
};

FileReplacements::FileReplacements() = default;
FileReplacements::~FileReplacements() = default;

WriteFailure FileReplacements::Stage(const std::string& path, std::string_view contents,
                                     LineEnds lineEnds) {
    WriteFailure failure{WriteStatus::OpenFailed, path, {}, {}};
    fs::path target = PathFromUtf8(path);
    if (target.filename().empty()) {
        failure.error = std::make_error_code(std::errc::is_a_directory);
        return failure;
    }
#ifdef _WIN32
    if (!ReservedDeviceNameIn(path, PathStyle::Windows).empty()) {
        failure.status = WriteStatus::ReservedName;
        return failure;
    }
    target = FinalTarget(target);
#else
    if (!FinalTarget(target)) {
        failure.error = std::make_error_code(std::errc::too_many_symbolic_link_levels);
        return failure;
    }
#endif
    // Made before the temporary file, so that running out of memory leaves
    // nothing behind.
    const std::string bytes = WithPlatformLineEnds(contents, lineEnds);
    TemporaryFile temporary;
    failure.status = WriteTemporary(target, bytes, temporary, failure.error);
    if (failure.status != WriteStatus::Written)
        return failure;
    for (Staged& staged : staged_)
        if (staged.target == target) {
            staged.temporary = std::move(temporary);
            return {};
        }
    staged_.push_back({path, std::move(target), std::move(temporary)});
    return {};
}

WriteFailure FileReplacements::Commit() {
    replaced_.clear();
    for (Staged& staged : staged_) {
        WriteFailure failure{WriteStatus::Written, staged.path, {}, {}};
        failure.status = MoveIntoPlace(staged.temporary, staged.target, failure.error);
        if (failure.status != WriteStatus::Written) {
            staged_.clear(); // removes the temporary files not yet moved
            return failure;
        }
        replaced_.push_back(staged.path);
    }
    staged_.clear();
    return {};
}

void FileReplacements::Discard() {
    staged_.clear();
}

WriteStatus ReplaceFile(const std::string& path, std::string_view contents, LineEnds lineEnds,
                        std::error_code* reason) {
    FileReplacements replacement;
    WriteFailure failure = replacement.Stage(path, contents, lineEnds);
    if (failure.status == WriteStatus::Written)
        failure = replacement.Commit();
    if (reason != nullptr)
        *reason = failure.error;
    return failure.status;
}

std::string WriteFailureReason(WriteStatus status, const std::string& path) {
    switch (status) {
    case WriteStatus::InUse:
        return "The file " + path + " is open in another program; close it there and try again.";
    case WriteStatus::ReservedName:
        return ReservedDeviceNameReason(ReservedDeviceNameIn(path, PathStyle::Windows));
    case WriteStatus::Written:
    case WriteStatus::OpenFailed:
    case WriteStatus::WriteFailed:
        break;
    }
    return {};
}

std::string WriteFailureDetail(const WriteFailure& failure) {
    if (failure.status == WriteStatus::Written)
        return {};
    std::string detail = failure.path;
    if (failure.error) {
        std::string reason = failure.error.message();
        // Some systems end their texts with a point or a line end.
        while (!reason.empty() &&
               (reason.back() == '.' || reason.back() == '\n' || reason.back() == '\r'))
            reason.pop_back();
        detail += ": " + reason;
    } else if (!failure.reason.empty()) {
        detail += ": " + failure.reason;
    }
    if (const std::string more = WriteFailureReason(failure.status, failure.path); !more.empty())
        detail += "\n" + more;
    return detail;
}

ReadStatus ReadFilePrefix(const std::string& path, std::size_t size, std::string& out) {
    out.clear();
    std::error_code error;
    if (fs::is_directory(PathFromUtf8(path), error))
        return ReadStatus::OpenFailed;
    FileHandle file(OpenFileForReading(path));
    if (!file)
        return ReadStatus::OpenFailed;
    std::string buffer(size, '\0');
    if (std::fread(buffer.data(), 1, size, file.get()) != size)
        return ReadStatus::ShortRead;
    out = std::move(buffer);
    return ReadStatus::Read;
}

} // namespace vexa
