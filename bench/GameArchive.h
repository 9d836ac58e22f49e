// A game's base folder for the benchmarks: the files VEXA generates for a
// few bots, packed with filler entries into one large archive, as a game's
// archive of textures and sounds.
#pragma once

#include "core/archive/ZipHandle.h"
#include "core/generate/GenerateSource.h"
#include "core/settings/AppSettings.h"
#include "core/util/FixedText.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace vexa::bench {

// The files Create Arvon source writes for a bot named `name`, by relative path.
inline std::vector<std::pair<std::string, std::string>> BotFiles(const std::string& name) {
    BotProfile profile = EmptyProfile();
    ApplyDefaults(profile);
    std::string lower = name;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    SetFieldText(profile.name, name);
    SetFieldText(profile.model_name, lower);
    SetFieldText(profile.main_file, lower + "_c.c");
    for (SkillProfile& skill : profile.skill)
        for (auto& category : skill.chat_lines)
            for (auto& line : category)
                SetFieldText(line, "\"" + name + " has something to say about it\"");
    AppSettings settings;
    ResetSettings(settings);
    settings.BaseDir = "/base/";
    settings.TabSkill = true;
    MemoryFiles files;
    if (GenerateSource(profile, settings, PathStyle::Posix, files) != 0) {
        std::fprintf(stderr, "cannot generate %s\n", name.c_str());
        std::exit(1);
    }
    std::vector<std::pair<std::string, std::string>> relative;
    for (const MemoryFiles::File& file : files.files())
        relative.emplace_back(file.path.substr(6), file.text);
    return relative;
}

// Writes an archive of `entries` entries and about `bytes` bytes holding
// the files of the bots named `names`.
inline void WriteGameArchive(const std::string& path, const std::vector<std::string>& names,
                             int entries, std::size_t bytes) {
    int code = 0;
    ZipArchivePtr archive(zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code));
    if (!archive) {
        std::fprintf(stderr, "cannot create %s\n", path.c_str());
        std::exit(1);
    }
    std::vector<std::pair<std::string, std::string>> bots;
    for (const std::string& name : names)
        for (auto& file : BotFiles(name))
            bots.push_back(std::move(file));
    const std::size_t fillers = static_cast<std::size_t>(entries) - bots.size();
    std::string filler(bytes / fillers, '\0');
    for (std::size_t i = 0; i < filler.size(); ++i)
        filler[i] = static_cast<char>((i * 2654435761u) >> 13);
    auto add = [&](const std::string& name, const std::string& data, bool store) {
        zip_source_t* source = zip_source_buffer(archive.get(), data.data(), data.size(), 0);
        const zip_int64_t index = zip_file_add(archive.get(), name.c_str(), source, 0);
        if (index < 0) {
            std::fprintf(stderr, "cannot add %s\n", name.c_str());
            std::exit(1);
        }
        zip_set_file_compression(archive.get(), static_cast<zip_uint64_t>(index),
                                 store ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 6);
    };
    for (std::size_t i = 0; i < fillers; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "textures/set%02zu/filler%04zu.tga", i / 100, i);
        add(name, filler, true);
        if (i == fillers / 2)
            for (const auto& [bot, text] : bots)
                add(bot, text, false);
    }
    if (zip_close(archive.get()) != 0) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::exit(1);
    }
    (void)archive.release();
}

} // namespace vexa::bench
