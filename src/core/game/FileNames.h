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
// it does not end in one. In the Windows style, where "/" separates folders
// too, every "/" is written as a backslash first (C:/games/arvon becomes
// C:\games\arvon\ with one at its end); in the POSIX style nothing else is
// changed.
std::string NormalBaseDir(std::string_view baseDir, PathStyle style);

// Why the file name `name` (Latin-1, as stored in the profile field that
// `field` names, such as "Main file" or "Chat file (Skill 4)") cannot be
// used because it would lead outside the base folder (see
// OutsideFolderReason); empty when it stays inside. The one rule of the
// dialogs, Create Arvon source, its preview, the package export and the
// command line. The text is UTF-8:
// Chat file (Skill 4): "../../evil_t.c" holds a ".." step, so it would lead
// outside the base folder.
std::string OutsideBaseFolderRefusal(std::string_view field, std::string_view name,
                                     PathStyle style = NativePathStyle());

} // namespace vexa
