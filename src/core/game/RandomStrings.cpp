#include "core/game/RandomStrings.h"

#include <string>

namespace vexa {

std::optional<RandomStringNames> ReadRandomStringNames(const GameFileSource& game) {
    std::string text;
    if (game.Read(std::string(kRandomStringsFile), text) != GameFileSource::ReadResult::Read)
        return std::nullopt;
    return RandomStringNamesIn(text);
}

} // namespace vexa
