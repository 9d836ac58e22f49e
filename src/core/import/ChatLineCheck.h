#pragma once

#include <string>
#include <string_view>

namespace vexa {

// Why the game cannot read `line` as a chat line (written as the line and
// ";"), or empty when it can.
std::string ChatLineProblem(std::string_view line);

} // namespace vexa
