// vexa_bench_mapwatch: starts a program on the X display and measures how
// long it takes from the process start until its first top-level window is
// mapped, then, after the window has sat idle for a while, the process's peak
// resident memory.
//
//   vexa_bench_mapwatch [--idle MS] [--timeout MS] -- PROGRAM [ARGS...]
//
// Prints one line "startup_ms=<ms> peak_rss_kb=<kB>" and ends the program
// with SIGKILL. Needs a display with no window manager (Xvfb), so that the
// map is reported to the root window as it happens.
#include <X11/Xlib.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayHandle = std::unique_ptr<Display, DisplayCloser>;

struct Options {
    int idleMs = 1000;
    int timeoutMs = 20000;
    std::vector<char*> command; // null-terminated for execvp
};

bool ParseOptions(int argc, char** argv, Options& options) {
    int i = 1;
    for (; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--") {
            ++i;
            break;
        }
        if (i + 1 >= argc)
            return false;
        if (arg == "--idle")
            options.idleMs = std::atoi(argv[++i]);
        else if (arg == "--timeout")
            options.timeoutMs = std::atoi(argv[++i]);
        else
            return false;
    }
    for (; i < argc; ++i)
        options.command.push_back(argv[i]);
    if (options.command.empty())
        return false;
    options.command.push_back(nullptr);
    return true;
}

// VmHWM of /proc/PID/status in kB; -1 when it cannot be read.
long PeakResidentKb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

// Waits for the first MapNotify of a top-level, not override-redirect window
// below the root. False on timeout.
bool WaitForMap(Display* display, Clock::time_point deadline) {
    const int fd = ConnectionNumber(display);
    for (;;) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && !event.xmap.override_redirect)
                return true;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return false;
        pollfd wait{fd, POLLIN, 0};
        if (poll(&wait, 1, static_cast<int>(left.count())) < 0 && errno != EINTR)
            return false;
    }
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(
            stderr, "usage: vexa_bench_mapwatch [--idle MS] [--timeout MS] -- PROGRAM [ARGS...]\n");
        return 2;
    }
    DisplayHandle display(XOpenDisplay(nullptr));
    if (!display) {
        std::fprintf(stderr, "vexa_bench_mapwatch: no X display\n");
        return 2;
    }
    XSelectInput(display.get(), DefaultRootWindow(display.get()), SubstructureNotifyMask);
    XSync(display.get(), False);

    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child < 0) {
        std::perror("fork");
        return 2;
    }
    if (child == 0) {
        execvp(options.command[0], options.command.data());
        std::perror("execvp");
        _exit(127);
    }

    const bool mapped =
        WaitForMap(display.get(), start + std::chrono::milliseconds(options.timeoutMs));
    const Clock::time_point shown = Clock::now();
    long peakKb = -1;
    if (mapped) {
        std::this_thread::sleep_for(std::chrono::milliseconds(options.idleMs));
        peakKb = PeakResidentKb(child);
    }
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    if (!mapped) {
        std::fprintf(stderr, "vexa_bench_mapwatch: %s mapped no window\n", options.command[0]);
        return 1;
    }
    const double ms = std::chrono::duration<double, std::milli>(shown - start).count();
    std::printf("startup_ms=%.2f peak_rss_kb=%ld\n", ms, peakKb);
    return 0;
}
