// What the game's base folder already holds, read before the generate
// command writes into it: earlier bots' files, the bot info files in
// scripts/ and the game's random strings. Only loose files are read here;
// a GameFileSource also sees the game's archives.
#pragma once

#include "core/import/GameFileSource.h"
#include "core/script/ChatLine.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vexa {

// The whole file at `path`; nothing when it is missing, cannot be read or
// is larger than `maxSize` bytes.
std::optional<std::string> ReadExistingFile(const std::string& path,
                                            std::size_t maxSize = kMaxScriptFileSize);

// The path of the file at the game's relative path `relativePath`
// ("botfiles/rnd.c") below `baseDir`, each part found without regard to
// case as the game does; nothing when there is no such file.
std::optional<std::string> FindLooseGameFile(const std::string& baseDir,
                                             std::string_view relativePath);

// The same for a folder ("scripts").
std::optional<std::string> FindLooseGameFolder(const std::string& baseDir,
                                               std::string_view relativePath);

// The paths of the regular files in `folder` whose names end in `extension`
// (without regard to case), sorted; at most `maxCount` of them.
std::vector<std::string> ListFolderFiles(const std::string& folder, std::string_view extension,
                                         std::size_t maxCount = 4096);

// Where the game's random strings are defined.
inline constexpr std::string_view kRandomStringsFile = "botfiles/rnd.c";

// The random strings of the game's botfiles/rnd.c; nothing when the source
// does not hold that file (or it cannot be read).
std::optional<RandomStringNames> ReadRandomStringNames(const GameFileSource& source);
// The same from a loose botfiles/rnd.c below the base folder `baseDir`.
std::optional<RandomStringNames> ReadRandomStringNames(const std::string& baseDir);

} // namespace vexa
