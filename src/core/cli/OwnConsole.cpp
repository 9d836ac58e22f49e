#include "core/cli/OwnConsole.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace vexa {

void CloseOwnConsole() {
#ifdef _WIN32
    // The console's processes: the program alone when Windows opened the
    // console for it; with the shell's when started from a console.
    DWORD processes[2] = {};
    if (GetConsoleProcessList(processes, 2) == 1)
        FreeConsole();
#endif
}

} // namespace vexa
