#pragma once

namespace vexa::ui {

// Creates the application, opens the main window (on the profile named on
// the command line, if any) and runs until the user quits. Returns the
// process exit status.
int RunDesktop(int& argc, char** argv);

} // namespace vexa::ui
