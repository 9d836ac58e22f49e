#pragma once

namespace vexa {

// For the desktop program. On Windows, `vexa.exe` is a console program so
// that the command line (--generate and the others) writes to the console
// it was started from and the shell waits for its exit code. Started from
// Explorer, Windows gives it a console window of its own, which the desktop
// program does not need: this closes that window. A console shared with the
// shell that started the program stays. Elsewhere it does nothing.
void CloseOwnConsole();

} // namespace vexa
