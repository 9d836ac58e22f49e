// vexa: the Arvon Bot Designer. With --generate, --help or --version it runs
// headless; otherwise it opens the desktop program.
#include "core/archive/ZipReader.h"
#include "core/cli/CommandLine.h"
#include "core/cli/OwnConsole.h"
#include "core/cli/Utf8Arguments.h"

#include <iostream>
#include <string>
#include <vector>

#ifdef VEXA_HAVE_GUI
#include "ui/app/RunDesktop.h"
#endif

int main(int argc, char** argv) {
    // Every path inside the program is UTF-8.
    vexa::Utf8Arguments utf8(argc, argv);
    argc = utf8.argc();
    argv = utf8.argv();
    vexa::PinTimeZone();
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    if (vexa::IsHeadlessRequest(args))
        return vexa::RunHeadless(vexa::ParseCommandLine(args), std::cout, std::cerr);
#ifdef VEXA_HAVE_GUI
    vexa::CloseOwnConsole();
    return vexa::ui::RunDesktop(argc, argv);
#else
    std::cerr << "vexa: this build has no desktop interface; use vexa --generate PROFILE.vxb\n";
    return 1;
#endif
}
