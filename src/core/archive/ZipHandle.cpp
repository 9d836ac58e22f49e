#include "core/archive/ZipHandle.h"

#include "core/archive/ZipLibrary.h"

namespace vexa {

// Only libzip makes the objects, so with one to free it is loaded.
void ZipArchiveCloser::operator()(zip_t* archive) const noexcept {
    if (const ZipFunctions* libzip = Zip())
        libzip->discard(archive);
}

void ZipFileCloser::operator()(zip_file_t* file) const noexcept {
    if (const ZipFunctions* libzip = Zip())
        libzip->fclose(file);
}

void ZipSourceFreer::operator()(zip_source_t* source) const noexcept {
    if (const ZipFunctions* libzip = Zip())
        libzip->source_free(source);
}

std::string ZipErrorText(int code) {
    const ZipFunctions* libzip = Zip();
    if (libzip == nullptr)
        return ZipLibraryProblem();
    zip_error_t error;
    libzip->error_init_with_code(&error, code);
    std::string text = libzip->error_strerror(&error);
    libzip->error_fini(&error);
    return text;
}

std::string ZipErrorText(zip_t* archive) {
    const ZipFunctions* libzip = Zip();
    if (libzip == nullptr)
        return ZipLibraryProblem();
    if (archive == nullptr)
        return "no archive";
    return libzip->error_strerror(libzip->get_error(archive));
}

} // namespace vexa
