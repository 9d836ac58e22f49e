// The names the game's files and its base folder take: the file-name form
// of a text (for model, chat and file names) and the base folder's check and
// normal form.
#pragma once

#include "core/util/Paths.h"

#include <string>
#include <string_view>

namespace vexa {

// The file-name form of a text: the space and the punctuation
// " ' ` @ \ | / < > . , ; : ! # % ^ & * ( ) - = + [ { ] } removed, at most the
// first 10 remaining characters kept, A to Z lowered. May be empty. In the
// POSIX style it is ASCII only, whatever the system's character set: a
// Latin-1 letter becomes its base letter (e for ë, ss for ß, ae for æ) and
// every other character outside printable ASCII is removed. The Windows
// style keeps every other character as it is.
std::string FileNameForm(std::string_view text, PathStyle style = NativePathStyle());

// The base folder check of the generate command: in the Windows style its
// second character is a colon (a drive letter); in the POSIX style it is an
// absolute path (it begins with "/").
bool IsUsableBaseDir(std::string_view baseDir, PathStyle style);

// The normal form of the base folder: the style's separator appended when
// it does not end in one. Nothing else is changed.
std::string NormalBaseDir(std::string_view baseDir, PathStyle style);

} // namespace vexa
