#pragma once

// Reads a zip archive back through libzip, for the tests of bot packages.

#include <ctime>
#include <optional>
#include <string>
#include <vector>
#include <zip.h>

namespace vexa::test {

struct ZipEntry {
    std::string name;
    std::string bytes;
    zip_uint16_t method = 0; // ZIP_CM_DEFLATE, ZIP_CM_STORE, ...
    std::time_t modified = 0;
};

// Every entry of the archive at `path` in the archive's order, read with
// libzip's consistency check on (ZIP_CHECKCONS); nothing when libzip finds
// the archive unsound or an entry cannot be read to its stated size.
inline std::optional<std::vector<ZipEntry>> ReadZipEntries(const std::string& path) {
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (archive == nullptr)
        return std::nullopt;
    std::vector<ZipEntry> entries;
    bool sound = true;
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; sound && i < count; ++i) {
        const auto index = static_cast<zip_uint64_t>(i);
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive, index, 0, &stat) != 0) {
            sound = false;
            break;
        }
        ZipEntry entry{stat.name, std::string(stat.size, '\0'), stat.comp_method, stat.mtime};
        zip_file_t* file = zip_fopen_index(archive, index, 0);
        sound = file != nullptr && zip_fread(file, entry.bytes.data(), stat.size) ==
                                       static_cast<zip_int64_t>(stat.size);
        char extra = 0;
        sound = sound && zip_fread(file, &extra, 1) == 0; // no byte beyond the stated size
        if (file != nullptr)
            zip_fclose(file);
        entries.push_back(std::move(entry));
    }
    zip_discard(archive);
    if (!sound)
        return std::nullopt;
    return entries;
}

} // namespace vexa::test
