// Any byte string opened as a .pk3 archive (libzip over the bytes in
// memory), listed, and every listed file read.
//
// Properties:
// - Opening either succeeds or gives a message; it never crashes or hangs.
// - Every listed name is a relative path of the game (no "..", no absolute
//   path), and the archive source finds each under its own name.
// - A read never yields more than the cap, and a read that succeeds yields
//   exactly the size the central directory states.
// - The source reads the same as the reader for every file it lists.
#include "FuzzSupport.h"
#include "core/archive/GameFolderSource.h"
#include "core/archive/ZipReader.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace vexa::fuzz {
namespace {

using Result = GameFileSource::ReadResult;

void Run(const std::uint8_t* data, std::size_t size) {
    ZipLimits limits;
    limits.maxEntries = 512;
    limits.maxEntrySize = 64 * 1024;
    std::string error;
    std::unique_ptr<ZipReader> reader = ZipReader::OpenBytes(
        std::string(reinterpret_cast<const char*>(data), size), "fuzz.pk3", error, limits);
    if (!reader) {
        Check(!error.empty(), "an archive that cannot be opened gives a message");
        return;
    }
    Check(reader->Entries().size() <= limits.maxEntries, "the number of entries is bounded");
    for (std::size_t i = 0; i < reader->Entries().size(); ++i) {
        const ZipEntry& entry = reader->Entries()[i];
        Check(!SafeGamePathKey(entry.name).empty(), "every listed name is a game path");
        std::string text;
        std::string why;
        const Result result = reader->Read(i, text, &why);
        Check(text.size() <= limits.maxEntrySize, "no read yields more than the cap");
        if (result == Result::Read)
            Check(text.size() == entry.size, "a read yields the stated size");
        else
            Check(text.empty() && !why.empty(), "a failed read yields nothing and a message");
    }

    const ArchiveFileSource source(std::move(reader));
    for (const GameFile& file : source.List("")) {
        Check(source.Origin(file.path) == "fuzz.pk3", "a listed file is found by its name");
        std::string text;
        const Result result = source.Read(file.path, text);
        Check(result != Result::Missing, "a listed file is never missing");
        Check(text.size() <= limits.maxEntrySize, "no read yields more than the cap");
    }
}

} // namespace
} // namespace vexa::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vexa::fuzz::Run(data, size);
    return 0;
}
