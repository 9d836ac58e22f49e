#include "core/archive/BotPackage.h"

#include "core/archive/ZipHandle.h"
#include "core/archive/ZipLibrary.h"
#include "core/generate/GenerateSource.h"
#include "core/generate/Names.h"
#include "core/generate/OutputFiles.h"
#include "core/util/FileIO.h"
#include "core/util/FixedText.h"
#include "core/util/Paths.h"

#include <optional>
#include <string_view>

namespace vexa {

namespace {

// The package is generated below this root in the POSIX style, whatever the
// platform: every separator becomes "/", and what follows the root is the
// file's path inside the game folder.
constexpr const char* kPackageRoot = "/";

// The entry name of a generated path: what follows kPackageRoot. Nothing
// for a path the game could not find inside an archive as its files name
// it: one with an empty, "." or ".." step (the game compares the names as
// written, it does not resolve them as a file system does), or with a
// character no portable archive entry has (a control character or a colon).
std::optional<std::string> EntryName(std::string_view path) {
    const std::string_view root = kPackageRoot;
    if (path.substr(0, root.size()) != root)
        return std::nullopt;
    path.remove_prefix(root.size());
    std::string_view rest = path;
    while (true) {
        const std::size_t slash = rest.find('/');
        const std::string_view step = rest.substr(0, slash);
        if (step.empty() || step == "." || step == "..")
            return std::nullopt;
        for (const char c : step)
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f || c == ':')
                return std::nullopt;
        if (slash == std::string_view::npos)
            break;
        rest.remove_prefix(slash + 1);
    }
    return std::string(path);
}

// The generate command's files, kept in memory under their entry names.
class PackageFiles final : public OutputFiles {
public:
    bool CreateFolder(const std::string& path) override { return memory_.CreateFolder(path); }
    WriteStatus WriteTextFile(const std::string& path, std::string_view text) override {
        const std::optional<std::string> name = EntryName(path);
        if (!name)
            return WriteStatus::OpenFailed;
        return memory_.WriteTextFile(*name, text);
    }
    const std::vector<MemoryFiles::File>& files() const { return memory_.files(); }

private:
    MemoryFiles memory_;
};

// Unix permissions rw-r--r-- for a regular file, for whoever unpacks the
// archive by hand.
constexpr zip_uint32_t kRegularFileAttributes = 0100644u << 16;

} // namespace

int CollectBotPackage(const BotProfile& profile, const AppSettings& settings,
                      std::vector<PackageEntry>& entries, const ProfileExtras& extras) {
    entries.clear();
    AppSettings run = settings;
    // Moved in, not assigned from the literal: GCC 12 at -O3 warns falsely
    // (-Wrestrict) about the inlined copy of an assignment over this copy.
    run.BaseDir = std::string(kPackageRoot);
    run.BuildFold = true;
    PackageFiles files;
    if (const int result = GenerateSource(profile, run, PathStyle::Posix, files, {}, extras);
        result != 0)
        return result;
    for (const MemoryFiles::File& file : files.files())
        entries.push_back({file.path, WithLineEnds(file.text, LineEnds::Platform)});
    return 0;
}

bool BuildPackageArchive(const std::vector<PackageEntry>& entries, std::time_t modified,
                         std::string& archive, std::string* error) {
    archive.clear();
    const auto fail = [error](std::string why) {
        if (error != nullptr)
            *error = std::move(why);
        return false;
    };
    if (entries.empty())
        return fail("no files to pack");
    const ZipFunctions* libzip = Zip();
    if (libzip == nullptr)
        return fail(ZipLibraryProblem());

    zip_error_t openError;
    libzip->error_init(&openError);
    ZipSourcePtr buffer(libzip->source_buffer_create(nullptr, 0, 0, &openError));
    ZipArchivePtr zip;
    if (buffer)
        zip.reset(libzip->open_from_source(buffer.get(), ZIP_TRUNCATE, &openError));
    if (!zip) {
        std::string why = libzip->error_strerror(&openError);
        libzip->error_fini(&openError);
        return fail(why);
    }
    libzip->error_fini(&openError);
    // The archive now owns the buffer; keep a reference of our own to read
    // the finished bytes after zip_close.
    libzip->source_keep(buffer.get());

    for (const PackageEntry& entry : entries) {
        zip_source_t* data =
            libzip->source_buffer(zip.get(), entry.bytes.data(), entry.bytes.size(), 0);
        if (data == nullptr)
            return fail(ZipErrorText(zip.get()));
        const zip_int64_t index = libzip->file_add(zip.get(), entry.path.c_str(), data, 0);
        if (index < 0) {
            libzip->source_free(data);
            return fail(ZipErrorText(zip.get()));
        }
        const auto at = static_cast<zip_uint64_t>(index);
        if (libzip->set_file_compression(zip.get(), at, ZIP_CM_DEFLATE, 9) != 0 ||
            libzip->file_set_mtime(zip.get(), at, modified, 0) != 0 ||
            libzip->file_set_external_attributes(zip.get(), at, 0, ZIP_OPSYS_UNIX,
                                                 kRegularFileAttributes) != 0)
            return fail(ZipErrorText(zip.get()));
    }
    if (libzip->close(zip.get()) != 0)
        return fail(ZipErrorText(zip.get()));
    (void)zip.release(); // closed, and with it freed

    zip_stat_t stat;
    libzip->stat_init(&stat);
    if (libzip->source_stat(buffer.get(), &stat) != 0 || (stat.valid & ZIP_STAT_SIZE) == 0)
        return fail("cannot measure the archive");
    if (libzip->source_open(buffer.get()) != 0)
        return fail("cannot read the archive back");
    std::string bytes(static_cast<std::size_t>(stat.size), '\0');
    const zip_int64_t read = libzip->source_read(buffer.get(), bytes.data(), stat.size);
    libzip->source_close(buffer.get());
    if (read < 0 || static_cast<zip_uint64_t>(read) != stat.size)
        return fail("cannot read the archive back");
    archive = std::move(bytes);
    return true;
}

int ExportBotPackage(const BotProfile& profile, const AppSettings& settings,
                     const std::string& path, std::time_t modified, WriteFailure* failure,
                     const ProfileExtras& extras) {
    std::vector<PackageEntry> entries;
    if (const int result = CollectBotPackage(profile, settings, entries, extras); result != 0)
        return result;
    std::string archive;
    std::string why;
    if (!BuildPackageArchive(entries, modified, archive, &why)) {
        if (failure != nullptr)
            *failure = {WriteStatus::WriteFailed, AbsolutePath(path), {}, why};
        return kPackageWriteFailed;
    }
    std::error_code reason;
    const WriteStatus status = ReplaceFile(path, archive, LineEnds::AsGiven, &reason);
    if (failure != nullptr)
        *failure = {status, AbsolutePath(path), reason, {}};
    switch (status) {
    case WriteStatus::Written:
        return 0;
    case WriteStatus::OpenFailed:
    case WriteStatus::InUse:
    case WriteStatus::ReservedName:
        return kPackageOpenFailed;
    case WriteStatus::WriteFailed:
        break;
    }
    return kPackageWriteFailed;
}

std::string PackageFailureMessage(int code, const BotProfile& profile, const AppSettings& settings,
                                  const WriteFailure& failure, const ProfileExtras& extras) {
    std::string message;
    switch (code) {
    case kPackageOpenFailed:
        message = "Package not created, error opening package file";
        break;
    case kPackageWriteFailed:
        message = "Package not created, error writing package file";
        break;
    default:
        return GenerateFailureMessage(code, profile, settings, nullptr, NativePathStyle(), extras);
    }
    if (const std::string detail = WriteFailureDetail(failure); !detail.empty())
        message += "\n" + detail;
    return message;
}

std::string PackageSuccessMessage(const std::string& path) {
    return "Bot package written to\n" + path;
}

std::string ProposedPackageName(const BotProfile& profile) {
    std::string form = FileNameForm(FieldText(profile.name));
    if (form.empty())
        form = "bot";
    return "zz-" + form + ".pk3";
}

} // namespace vexa
