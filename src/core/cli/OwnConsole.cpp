#include "core/cli/OwnConsole.h"

#ifdef _WIN32
#include "core/util/WindowsApi.h"
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
