// Zip archives written for the tests with libzip, and the byte surgery that
// turns them into damaged or lying ones.
#pragma once

#include "TempDir.h"
#include "core/archive/ZipHandle.h"

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace vexa::test {

struct ZipItem {
    std::string name;
    std::string data;
    bool stored = false; // stored as it is instead of deflated
};

// Writes an archive holding `items`, in that order, to `path`.
inline void WriteZip(const std::string& path, const std::vector<ZipItem>& items) {
    int code = 0;
    ZipArchivePtr archive(zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code));
    if (!archive)
        throw std::runtime_error("cannot create " + path);
    for (const ZipItem& item : items) {
        zip_source_t* source =
            zip_source_buffer(archive.get(), item.data.data(), item.data.size(), 0);
        const zip_int64_t index =
            source ? zip_file_add(archive.get(), item.name.c_str(), source, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            zip_source_free(source);
            throw std::runtime_error("cannot add " + item.name);
        }
        zip_set_file_compression(archive.get(), static_cast<zip_uint64_t>(index),
                                 item.stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 1);
    }
    if (zip_close(archive.get()) != 0)
        throw std::runtime_error("cannot write " + path);
    (void)archive.release();
}

inline std::uint32_t Read32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes.at(at + i));
    return value;
}
inline std::uint16_t Read16(const std::string& bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes.at(at)) |
                                      (static_cast<unsigned char>(bytes.at(at + 1)) << 8));
}
inline void Write32(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes.at(at + i) = static_cast<char>((value >> (8 * i)) & 0xff);
}

// Where an entry's headers and data lie in the archive's bytes.
struct EntryPlace {
    std::size_t central = 0; // central directory header
    std::size_t local = 0;   // local header
    std::size_t data = 0;    // first byte of the (compressed) data
    std::uint32_t compressedSize = 0;
};

inline EntryPlace FindEntry(const std::string& bytes, const std::string& name) {
    const std::size_t end = bytes.rfind(std::string("PK\x05\x06", 4));
    if (end == std::string::npos)
        throw std::runtime_error("no end of central directory");
    const std::uint16_t count = Read16(bytes, end + 10);
    std::size_t at = Read32(bytes, end + 16);
    for (std::uint16_t i = 0; i < count; ++i) {
        const std::uint16_t nameLength = Read16(bytes, at + 28);
        const std::size_t next =
            at + 46 + nameLength + Read16(bytes, at + 30) + Read16(bytes, at + 32);
        if (bytes.compare(at + 46, nameLength, name) == 0) {
            EntryPlace place;
            place.central = at;
            place.local = Read32(bytes, at + 42);
            place.compressedSize = Read32(bytes, at + 20);
            place.data = place.local + 30 + Read16(bytes, place.local + 26) +
                         Read16(bytes, place.local + 28);
            return place;
        }
        at = next;
    }
    throw std::runtime_error("no entry " + name);
}

// Makes both headers of entry `name` state `size` as its uncompressed size.
inline void StateSize(std::string& bytes, const std::string& name, std::uint32_t size) {
    const EntryPlace place = FindEntry(bytes, name);
    Write32(bytes, place.central + 24, size);
    Write32(bytes, place.local + 22, size);
}

} // namespace vexa::test
