#include "core/archive/ZipLibrary.h"

#ifndef _WIN32
#include <dlfcn.h>
#endif

namespace vexa {
namespace {

struct LoadedZipLibrary {
    ZipFunctions functions;
    bool loaded = false;
    std::string problem;
};

#ifdef _WIN32

// Linked in: the table holds the functions themselves.
LoadedZipLibrary LoadZipLibrary() {
    LoadedZipLibrary library;
#define VEXA_ZIP_TAKE(name) library.functions.name = &::zip_##name;
    VEXA_ZIP_FUNCTIONS(VEXA_ZIP_TAKE)
#undef VEXA_ZIP_TAKE
    library.loaded = true;
    return library;
}

#else

// The file the dynamic loader looks for: the library's soname, so that the
// package's dependency on it is the one the program was built against.
#ifndef VEXA_LIBZIP_SONAME
#error "VEXA_LIBZIP_SONAME must name libzip's shared library (its soname)"
#endif
constexpr const char* kLibraryName = VEXA_LIBZIP_SONAME;

// The symbol `symbol` of `handle` as a pointer of the type of `function`.
template <typename Function> bool Resolve(void* handle, const char* symbol, Function& function) {
    void* address = dlsym(handle, symbol);
    function = reinterpret_cast<Function>(address);
    return address != nullptr;
}

LoadedZipLibrary LoadZipLibrary() {
    LoadedZipLibrary library;
    const std::string shown = std::string("the archive library ") + kLibraryName;
    // Never closed: archives may be open until the process ends, as with a
    // linked library.
    void* handle = dlopen(kLibraryName, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* why = dlerror();
        library.problem = shown + " cannot be loaded: " + (why != nullptr ? why : "unknown reason");
        return library;
    }
#define VEXA_ZIP_RESOLVE(name)                                                                     \
    if (!Resolve(handle, "zip_" #name, library.functions.name)) {                                  \
        library.problem = shown + " lacks the function zip_" #name " (too old a version?)";        \
        return library;                                                                            \
    }
    VEXA_ZIP_FUNCTIONS(VEXA_ZIP_RESOLVE)
#undef VEXA_ZIP_RESOLVE
    library.loaded = true;
    return library;
}

#endif

const LoadedZipLibrary& Library() {
    // Initialised once, by the first caller, while any others wait.
    static const LoadedZipLibrary library = LoadZipLibrary();
    return library;
}

} // namespace

const ZipFunctions* Zip() {
    const LoadedZipLibrary& library = Library();
    return library.loaded ? &library.functions : nullptr;
}

const std::string& ZipLibraryProblem() {
    return Library().problem;
}

} // namespace vexa
