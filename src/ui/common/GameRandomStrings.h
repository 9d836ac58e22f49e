#pragma once

#include "core/archive/GameFolderSource.h"
#include "core/game/RandomStrings.h"
#include "core/settings/AppSettings.h"

#include <optional>

namespace vexa::ui {

// The game's random strings, from botfiles/rnd.c as the game finds it below
// the base folder (loose, or in one of its archives); nothing when there is
// no usable base folder or no rnd.c.
inline std::optional<RandomStringNames> GameRandomStrings(const AppSettings& settings) {
    return ReadRandomStringNames(*BaseFolderView(settings.BaseDir));
}

} // namespace vexa::ui
