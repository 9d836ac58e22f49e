// Runs a program in a given folder and collects its exit status and output,
// on POSIX systems and on Windows alike. Paths and arguments are UTF-8.
#pragma once

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#ifdef _WIN32
#include "core/util/WindowsApi.h"
#else
#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace vexa::test {

struct ProgramRun {
    int status = -1; // exit status, -1 when the program did not end normally
    std::string out;
    std::string err;
};

inline std::filesystem::path PathOfUtf8(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string ReadCapture(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

#ifdef _WIN32

// One argument quoted as CommandLineToArgvW and the C runtime read it back.
inline std::wstring QuotedArgument(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos)
        return arg;
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted.push_back(c);
    }
    quoted.append(backslashes * 2, L'\\');
    quoted.push_back(L'"');
    return quoted;
}

// Runs `program` with `args` in the folder `cwd`. `maxFileSize` is not
// available on Windows: callers simulate a full disk otherwise.
inline ProgramRun RunProgram(const std::string& program, const std::filesystem::path& cwd,
                             const std::vector<std::string>& args) {
    const std::filesystem::path capture = std::filesystem::temp_directory_path() /
                                          ("vexa-run-" + std::to_string(GetCurrentProcessId()) +
                                           "-" + std::to_string(GetTickCount64()));
    std::filesystem::create_directory(capture);
    const std::filesystem::path outPath = capture / "out";
    const std::filesystem::path errPath = capture / "err";

    std::wstring commandLine = QuotedArgument(PathOfUtf8(program).wstring());
    for (const std::string& arg : args)
        commandLine += L" " + QuotedArgument(PathOfUtf8(arg).wstring());

    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE out = CreateFileW(outPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    HANDLE err = CreateFileW(errPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = INVALID_HANDLE_VALUE;
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    ProgramRun run;
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                       nullptr, cwd.c_str(), &startup, &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 0;
        if (GetExitCodeProcess(process.hProcess, &code))
            run.status = static_cast<int>(code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(out);
    CloseHandle(err);
    run.out = ReadCapture(outPath);
    run.err = ReadCapture(errPath);
    std::error_code ignored;
    std::filesystem::remove_all(capture, ignored);
    return run;
}

#else

// Runs `program` with `args` in the folder `cwd`. With `maxFileSize`, the
// files it writes may not grow beyond that many bytes (writes past it fail).
inline ProgramRun RunProgram(const std::string& program, const std::filesystem::path& cwd,
                             const std::vector<std::string>& args,
                             std::optional<rlim_t> maxFileSize = std::nullopt) {
    char folder[] = "/tmp/vexa-run-XXXXXX";
    if (!mkdtemp(folder))
        return {};
    const std::string outPath = std::string(folder) + "/out";
    const std::string errPath = std::string(folder) + "/err";
    std::vector<std::string> owned = {program};
    owned.insert(owned.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : owned)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    const pid_t child = fork();
    if (child == 0) {
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out < 0 || err < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0 || chdir(cwd.c_str()) != 0)
            _exit(127);
        std::signal(SIGXFSZ, SIG_IGN);
        if (maxFileSize) {
            const rlimit limit{*maxFileSize, *maxFileSize};
            if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
                _exit(127);
        }
        execv(argv[0], argv.data());
        _exit(127);
    }
    ProgramRun run;
    int status = 0;
    if (child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status))
        run.status = WEXITSTATUS(status);
    run.out = ReadCapture(outPath);
    run.err = ReadCapture(errPath);
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return run;
}

#endif

} // namespace vexa::test
