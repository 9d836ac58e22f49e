#pragma once

#include <string>
#include <string_view>

#include "core/util/Paths.h"

namespace vexa {

// The file-name form of a text: the space and the punctuation
// " ' ` @ \ | / < > . , ; : ! # % ^ & * ( ) - = + [ { ] } removed, at most the
// first 10 remaining characters kept, A to Z lowered. May be empty.
std::string FileNameForm(std::string_view text);

} // namespace vexa
