#pragma once

// Helpers of the fault-injection tests: child processes whose writes run out
// of room, runs of the vexa command line, and snapshots of folders. POSIX
// only; the tests that use them are not built on Windows.

#include "TempDir.h"
#include "core/profile/BotProfile.h"
#include "core/util/FixedText.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace vexa::fault {

// The bot the fault tests save and generate: the defaults with a name, a
// model name and a main file.
inline BotProfile Ranger() {
    BotProfile profile = EmptyProfile();
    ApplyDefaults(profile);
    SetFieldText(profile.name, "Ranger");
    SetFieldText(profile.model_name, "rng");
    SetFieldText(profile.main_file, "ranger_c.c");
    return profile;
}

// How a child process ended: its exit status, or -1 when a signal ended it.
inline int ExitStatusOf(pid_t child) {
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Limits every file this process writes to `bytes`, with SIGXFSZ ignored, so
// that a longer write fails with an error (EFBIG) instead of killing the
// process: what a full disk does to the program.
inline void LimitFileSize(rlim_t bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
}

// Runs `action` in a child process whose files may hold at most `limit`
// bytes, and returns the number it returned (0 to 255), or -1 when the child
// did not exit normally.
template <typename Action> int InChildWithFileLimit(rlim_t limit, Action action) {
    const pid_t child = fork();
    if (child == 0) {
        LimitFileSize(limit);
        _exit(action());
    }
    return ExitStatusOf(child);
}

struct CommandResult {
    int status = -1; // exit status, -1 when ended by a signal
    std::string out;
    std::string err;
};

// Runs the vexa executable with `args` in the folder `workingDir`, whose
// files may hold at most `fileLimit` bytes.
inline CommandResult RunVexa(const std::vector<std::string>& args, const std::string& workingDir,
                             rlim_t fileLimit = RLIM_INFINITY) {
    const test::TempDir streams;
    const std::string outPath = streams.file("out");
    const std::string errPath = streams.file("err");
    const pid_t child = fork();
    if (child == 0) {
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out < 0 || err < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0 ||
            chdir(workingDir.c_str()) != 0)
            _exit(127);
        if (fileLimit != RLIM_INFINITY)
            LimitFileSize(fileLimit);
        std::vector<char*> argv;
        std::string program = VEXA_EXECUTABLE;
        argv.push_back(program.data());
        std::vector<std::string> copies = args;
        for (std::string& arg : copies)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    CommandResult result;
    result.status = ExitStatusOf(child);
    result.out = test::ReadWholeFile(outPath);
    result.err = test::ReadWholeFile(errPath);
    return result;
}

// Every regular file below `folder`, by its path relative to it, with its
// bytes.
inline std::map<std::string, std::string> Snapshot(const std::filesystem::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files[std::filesystem::relative(entry.path(), folder).string()] =
                test::ReadWholeFile(entry.path().string());
    return files;
}

// The temporary files of interrupted or failed saves left below `folder`.
inline std::vector<std::string> Leftovers(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        if (entry.path().filename().string().rfind(".vexa-", 0) == 0)
            names.push_back(entry.path().string());
    return names;
}

} // namespace vexa::fault
