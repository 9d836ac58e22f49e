#pragma once

#include "core/generate/OutputFiles.h"
#include "core/profile/BotProfile.h"
#include "core/util/FixedText.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace vexa::test {

// A file system kept in memory: it records every folder creation and file
// write in order, knows which folders exist, and fails the write numbered
// `failWrite` (1 for the first) with `failStatus`.
class RecordingFiles final : public OutputFiles {
public:
    std::set<std::string> folders;
    std::vector<std::string> createAttempts;
    std::vector<std::string> writtenPaths;
    std::map<std::string, std::string> files;
    int failWrite = 0;
    WriteStatus failStatus = WriteStatus::OpenFailed;

    bool CreateFolder(const std::string& path) override {
        createAttempts.push_back(path);
        const std::size_t cut = path.find_last_of("\\/", path.size() >= 2 ? path.size() - 2 : 0);
        const bool parentExists =
            cut != std::string::npos && folders.count(path.substr(0, cut + 1));
        if (folders.count(path) || !parentExists)
            return false;
        folders.insert(path);
        return true;
    }

    WriteStatus WriteTextFile(const std::string& path, std::string_view text) override {
        writtenPaths.push_back(path);
        if (static_cast<int>(writtenPaths.size()) == failWrite)
            return failStatus;
        files[path] = std::string(text);
        return WriteStatus::Written;
    }
};

// The default profile of a bot called Ranger with the main file ranger_c.c.
inline BotProfile RangerProfile() {
    BotProfile profile = EmptyProfile();
    ApplyDefaults(profile);
    SetFieldText(profile.name, "Ranger");
    SetFieldText(profile.main_file, "ranger_c.c");
    return profile;
}

// A folder below the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder() {
        std::random_device seed;
        std::mt19937_64 random(seed());
        const auto base = std::filesystem::temp_directory_path();
        do {
            path_ = base / ("vexa-test-" + std::to_string(random()));
        } while (!std::filesystem::create_directory(path_));
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder() {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }
    const std::filesystem::path& path() const { return path_; }
    // The folder's path with a trailing "/", as a base folder is written.
    std::string slashed() const { return path_.string() + "/"; }

private:
    std::filesystem::path path_;
};

inline std::string ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace vexa::test
