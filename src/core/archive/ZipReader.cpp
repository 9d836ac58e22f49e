#include "core/archive/ZipReader.h"

#include "core/archive/ZipLibrary.h"

#include <algorithm>
#include <cstdlib>

namespace vexa {
namespace {

// What went wrong with a whole archive, in the user's words.
std::string ArchiveProblem(int code) {
    switch (code) {
    case ZIP_ER_NOZIP:
        return "is not a zip archive, or it is truncated";
    case ZIP_ER_INCONS:
        return "is damaged: its list of files is inconsistent";
    case ZIP_ER_MULTIDISK:
        return "is split over several files, which is not supported";
    case ZIP_ER_OPEN:
    case ZIP_ER_NOENT:
        return "cannot be opened";
    case ZIP_ER_READ:
    case ZIP_ER_SEEK:
    case ZIP_ER_EOF:
        return "cannot be read (it may be truncated)";
    case ZIP_ER_MEMORY:
        return "is too large to be read";
    default:
        return "cannot be read: " + ZipErrorText(code);
    }
}

// What went wrong with one entry's data, in the user's words.
std::string EntryProblem(int code) {
    switch (code) {
    case ZIP_ER_CRC:
        return "is damaged: its checksum does not match";
    case ZIP_ER_ZLIB:
    case ZIP_ER_COMPRESSED_DATA:
        return "is damaged: its compressed data are invalid";
    case ZIP_ER_COMPNOTSUPP:
        return "is compressed with a method that is not supported";
    case ZIP_ER_ENCRNOTSUPP:
    case ZIP_ER_NOPASSWD:
    case ZIP_ER_WRONGPASSWD:
        return "is encrypted";
    case ZIP_ER_READ:
    case ZIP_ER_SEEK:
    case ZIP_ER_EOF:
    case ZIP_ER_INCONS:
        return "cannot be read: the archive is damaged or truncated";
    default:
        return "cannot be read: " + ZipErrorText(code);
    }
}

// Only called on an archive libzip opened, so with libzip loaded.
int ErrorCode(zip_t* archive) {
    const ZipFunctions* libzip = Zip();
    return libzip->error_code_zip(libzip->get_error(archive));
}

} // namespace

ZipReader::ZipReader(ZipArchivePtr archive, std::string displayName, const ZipLimits& limits)
    : archive_(std::move(archive)), displayName_(std::move(displayName)), limits_(limits) {}

ZipReader::~ZipReader() = default;

std::unique_ptr<ZipReader> ZipReader::OpenFile(const std::string& path, std::string& error,
                                               const ZipLimits& limits) {
    const ZipFunctions* libzip = Zip();
    if (libzip == nullptr) {
        error = path + " cannot be read: " + ZipLibraryProblem();
        return nullptr;
    }
    int code = ZIP_ER_OK;
    ZipArchivePtr archive(libzip->open(path.c_str(), ZIP_RDONLY, &code));
    if (!archive) {
        error = path + " " + ArchiveProblem(code);
        return nullptr;
    }
    std::unique_ptr<ZipReader> reader(new ZipReader(std::move(archive), path, limits));
    if (!reader->Index(error))
        return nullptr;
    return reader;
}

std::unique_ptr<ZipReader> ZipReader::OpenBytes(std::string bytes, const std::string& displayName,
                                                std::string& error, const ZipLimits& limits) {
    // An empty buffer would open as an empty archive; an empty file does not.
    if (bytes.empty()) {
        error = displayName + " " + ArchiveProblem(ZIP_ER_NOZIP);
        return nullptr;
    }
    const ZipFunctions* libzip = Zip();
    if (libzip == nullptr) {
        error = displayName + " cannot be read: " + ZipLibraryProblem();
        return nullptr;
    }
    std::unique_ptr<ZipReader> reader(new ZipReader(nullptr, displayName, limits));
    reader->bytes_ = std::move(bytes);
    zip_error_t sourceError;
    libzip->error_init(&sourceError);
    ZipSourcePtr source(libzip->source_buffer_create(reader->bytes_.data(), reader->bytes_.size(),
                                                     0, &sourceError));
    if (!source) {
        error = displayName + " " + ArchiveProblem(libzip->error_code_zip(&sourceError));
        libzip->error_fini(&sourceError);
        return nullptr;
    }
    reader->archive_.reset(libzip->open_from_source(source.get(), ZIP_RDONLY, &sourceError));
    const int code = libzip->error_code_zip(&sourceError);
    libzip->error_fini(&sourceError);
    if (!reader->archive_) {
        error = displayName + " " + ArchiveProblem(code);
        return nullptr;
    }
    // The archive owns the source now.
    (void)source.release();
    if (!reader->Index(error))
        return nullptr;
    return reader;
}

bool ZipReader::Index(std::string& error) {
    const ZipFunctions* libzip = Zip();
    zip_t* archive = archive_.get();
    const zip_int64_t count = libzip->get_num_entries(archive, 0);
    if (count < 0) {
        error = displayName_ + " " + ArchiveProblem(ErrorCode(archive));
        return false;
    }
    if (static_cast<std::uint64_t>(count) > limits_.maxEntries) {
        error = displayName_ + " holds " + std::to_string(count) + " files, more than the " +
                std::to_string(limits_.maxEntries) + " that are read of an archive";
        return false;
    }
    entries_.reserve(static_cast<std::size_t>(count));
    for (zip_int64_t i = 0; i < count; ++i) {
        const auto index = static_cast<zip_uint64_t>(i);
        zip_stat_t stat;
        libzip->stat_init(&stat);
        const char* name = libzip->get_name(archive, index, ZIP_FL_ENC_GUESS);
        if (name == nullptr || libzip->stat_index(archive, index, 0, &stat) != 0) {
            error = displayName_ + " " + ArchiveProblem(ErrorCode(archive));
            return false;
        }
        std::string spelled = name;
        if (!spelled.empty() && (spelled.back() == '/' || spelled.back() == '\\'))
            continue; // a folder
        std::replace(spelled.begin(), spelled.end(), '\\', '/');
        if (SafeGamePathKey(spelled).empty()) {
            ++skippedNames_;
            continue;
        }
        ZipEntry entry;
        entry.name = std::move(spelled);
        entry.size = (stat.valid & ZIP_STAT_SIZE) != 0 ? stat.size : 0;
        entry.index = index;
        entries_.push_back(std::move(entry));
    }
    return true;
}

GameFileSource::ReadResult ZipReader::Read(std::size_t entry, std::string& text,
                                           std::string* error) const {
    using Result = GameFileSource::ReadResult;
    text.clear();
    auto fail = [&](Result result, const std::string& why) {
        text.clear();
        text.shrink_to_fit();
        if (error != nullptr)
            *error = why;
        return result;
    };
    if (entry >= entries_.size())
        return fail(Result::Missing, "no such file in " + displayName_);
    const ZipEntry& item = entries_[entry];
    const std::string what = item.name + " in " + displayName_;
    if (item.size > limits_.maxEntrySize)
        return fail(Result::TooLarge, what + " is larger than " +
                                          std::to_string(limits_.maxEntrySize / 1024) +
                                          " KB and is not read");

    const ZipFunctions* libzip = Zip();
    zip_t* archive = archive_.get();
    ZipFilePtr file(libzip->fopen_index(archive, item.index, 0));
    if (!file)
        return fail(Result::Failed, what + " " + EntryProblem(ErrorCode(archive)));

    // One byte more than stated, so that data inflating beyond their stated
    // size are noticed without ever holding more than the cap.
    const std::size_t stated = static_cast<std::size_t>(item.size);
    text.resize(stated + 1);
    std::size_t got = 0;
    while (got < text.size()) {
        const zip_int64_t n = libzip->fread(file.get(), text.data() + got, text.size() - got);
        if (n < 0)
            return fail(Result::Failed, what + " " +
                                            EntryProblem(libzip->error_code_zip(
                                                libzip->file_get_error(file.get()))));
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    if (got > stated)
        return fail(Result::Failed, what + " is damaged: it holds more than its stated size");
    if (got < stated)
        return fail(Result::Failed, what + " cannot be read: the archive is damaged or truncated");
    text.resize(stated);
    return Result::Read;
}

void PinTimeZone() {
#ifndef _WIN32
    setenv("TZ", ":/etc/localtime", 0);
#endif
}

} // namespace vexa
