#pragma once

// <windows.h> for the Windows code of the file, path and console layer,
// included only where _WIN32 is defined: without its min and max macros and
// its rarely used parts, and without its ReplaceFile macro (the program has
// a function of that name).
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#undef ReplaceFile
