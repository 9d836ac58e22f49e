#pragma once

#include "core/cli/CommandLine.h"

#include <ostream>

namespace vexa {

// vexa --levels: every characteristic of the profile at the game's five
// levels on standard output, one a line; what the game would read as 0 or
// take from Skill 1 unexpectedly on standard error. 0, or 1 when the profile
// cannot be read.
int RunLevels(const CommandLine& commandLine, std::ostream& out, std::ostream& err);

} // namespace vexa
