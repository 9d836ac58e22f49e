// The game's relative paths ("scripts/ranger.bot", "botfiles/bots/ranger_c.c")
// and the one rule by which the game picks a file when several places hold
// it. The game compares paths without regard to case (A to Z only) and with
// "/" and "\" alike; a loose file below the base folder wins over every
// archive, and among the archives the one whose file name sorts last,
// without regard to case, wins.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vexa {

// The game's relative path in its one comparable form: "\" turned into "/",
// A to Z lowered. Paths that differ only in case name the same file.
std::string GamePathKey(std::string_view path);

// Whether `path` is a relative path that may be followed below a folder:
// not empty, not absolute, no drive letter, no empty, "." or ".." part, no
// zero byte.
bool IsSafeGamePath(std::string_view path);

// The key (GamePathKey) of a relative path that may be followed; empty for
// any other name (see IsSafeGamePath; control characters and names longer
// than any path of the game are refused as well), so that such a name never
// matches anything.
std::string SafeGamePathKey(std::string_view path);

// Whether the file names `a` and `b` compare equal the way the game compares
// them (A to Z without regard to case).
bool SameGameName(std::string_view a, std::string_view b);

// The archive file names `names` (".pk3" files of one folder) in the order
// in which the game searches them, weakest first: by name without regard to
// case, so that the last one wins.
std::vector<std::string> ArchivesByPrecedence(std::vector<std::string> names);

// Whether `name` is the file name of one of the game's archives (".pk3",
// without regard to case).
bool IsGameArchiveName(std::string_view name);

} // namespace vexa
