// libzip, the library that reads and writes the game's .pk3 archives, taken
// in on first use. On Linux it is loaded then (libzip brings in the crypto
// library, whose loading would otherwise lengthen every start of the
// program, archives or not); the Windows program has it linked in. Every
// caller goes through the same table either way.
#pragma once

#include <string>
#include <zip.h>

namespace vexa {

// Every libzip function the program uses, by its name without "zip_".
#define VEXA_ZIP_FUNCTIONS(X)                                                                      \
    X(close)                                                                                       \
    X(discard)                                                                                     \
    X(error_code_zip)                                                                              \
    X(error_fini)                                                                                  \
    X(error_init)                                                                                  \
    X(error_init_with_code)                                                                        \
    X(error_strerror)                                                                              \
    X(fclose)                                                                                      \
    X(file_add)                                                                                    \
    X(file_get_error)                                                                              \
    X(file_set_external_attributes)                                                                \
    X(file_set_mtime)                                                                              \
    X(fopen_index)                                                                                 \
    X(fread)                                                                                       \
    X(get_error)                                                                                   \
    X(get_name)                                                                                    \
    X(get_num_entries)                                                                             \
    X(open)                                                                                        \
    X(open_from_source)                                                                            \
    X(set_file_compression)                                                                        \
    X(source_buffer)                                                                               \
    X(source_buffer_create)                                                                        \
    X(source_close)                                                                                \
    X(source_free)                                                                                 \
    X(source_keep)                                                                                 \
    X(source_open)                                                                                 \
    X(source_read)                                                                                 \
    X(source_stat)                                                                                 \
    X(stat_index)                                                                                  \
    X(stat_init)

struct ZipFunctions {
#define VEXA_ZIP_FUNCTION_POINTER(name) decltype(&::zip_##name) name = nullptr;
    VEXA_ZIP_FUNCTIONS(VEXA_ZIP_FUNCTION_POINTER)
#undef VEXA_ZIP_FUNCTION_POINTER
};

// libzip's functions, resolved the first time any thread asks and kept
// for the life of the process; null when the library cannot be loaded or
// lacks one of them.
const ZipFunctions* Zip();

// Why Zip() is null, in the user's words ("the archive library libzip.so.4
// cannot be loaded: ..."); empty when it is not.
const std::string& ZipLibraryProblem();

} // namespace vexa
