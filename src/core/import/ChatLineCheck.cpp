#include "core/import/ChatLineCheck.h"

namespace vexa {

std::string ChatLineProblem(std::string_view) {
    return {};
}

} // namespace vexa
