// The game's random strings: the names that chat lines may use, defined in
// botfiles/rnd.c.
#pragma once

#include "core/game/GameFileSource.h"
#include "core/script/ChatLine.h"

#include <optional>
#include <string_view>

namespace vexa {

// Where the game's random strings are defined.
inline constexpr std::string_view kRandomStringsFile = "botfiles/rnd.c";

// The random strings of botfiles/rnd.c as the game finds it in `game`;
// nothing when the game holds no such file (or it cannot be read).
std::optional<RandomStringNames> ReadRandomStringNames(const GameFileSource& game);

} // namespace vexa
