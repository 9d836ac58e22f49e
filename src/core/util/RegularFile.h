#pragma once

#include "core/util/FileIO.h"

#include <cstddef>
#include <string>

namespace vexa {

// Reads at most the first `limit` bytes of the regular file at `path` into
// `out` (fewer when the file is shorter). Anything else named by `path` (a
// folder, a FIFO, a device) is not opened and gives OpenFailed, so that a
// start-up never waits on a pipe nor reads without end; ShortRead when
// reading fails. On failure `out` is left empty.
ReadStatus ReadRegularFile(const std::string& path, std::size_t limit, std::string& out);

} // namespace vexa
