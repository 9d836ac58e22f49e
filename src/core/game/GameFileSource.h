// Where the import finds the game's files: a base folder with its loose
// files and .pk3 archives, a single archive, or the folder around one file.
// Files are named by the game's relative paths ("scripts/ranger.bot",
// "botfiles/bots/ranger_c.c"), always with "/" and compared without regard
// to case, as the game does.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace vexa {

// The most the import reads of any one file: a bot script is a few
// kilobytes, a hand-made one at most a few hundred.
inline constexpr std::size_t kMaxScriptFileSize = 1024 * 1024;

struct GameFile {
    std::string path;   // the relative path as the source spells it
    std::string origin; // where it comes from, for the user: "/games/base/pak0.pk3" or a folder
};

class GameFileSource {
public:
    GameFileSource() = default;
    GameFileSource(const GameFileSource&) = delete;
    GameFileSource& operator=(const GameFileSource&) = delete;
    virtual ~GameFileSource() = default;

    enum class ReadResult {
        Read,     // `text` holds the whole file
        Missing,  // no such file in the source
        TooLarge, // the file is larger than kMaxScriptFileSize; nothing read
        Failed,   // it exists but could not be read (damaged archive, I/O error)
    };

    // The file at `relativePath` as the game would take it: a loose file wins
    // over every archive, and among archives the one whose file name sorts
    // last (without regard to case) wins. On any result but Read, `text` is
    // empty and `error` (when given) says why in the user's words.
    virtual ReadResult Read(const std::string& relativePath, std::string& text,
                            std::string* error = nullptr) const = 0;

    // Every file whose relative path starts with `folder` (for example
    // "scripts/"), once each, as the game sees them (the winning copy), in
    // order of their paths.
    virtual std::vector<GameFile> List(const std::string& folder) const = 0;

    // Where `relativePath` comes from (the winning copy's origin); empty when
    // the source does not hold it.
    virtual std::string Origin(const std::string& relativePath) const = 0;
};

} // namespace vexa
