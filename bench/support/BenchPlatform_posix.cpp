#include "BenchPlatform.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

RunResult Measure(pid_t child, std::chrono::steady_clock::time_point start) {
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    const auto end = std::chrono::steady_clock::now();
    return {std::chrono::duration<double>(end - start).count(), usage.ru_maxrss,
            WIFEXITED(status) && WEXITSTATUS(status) == 0};
}

} // namespace

void FlushFileSystem() {
    sync();
}

bool ToolExists(const std::string& tool) {
    return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
}

RunResult RunTool(const std::vector<std::string>& arguments) {
    std::vector<std::string> copies = arguments;
    std::vector<char*> argv;
    for (std::string& argument : copies)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    // fork rather than posix_spawn: a spawned child shares this process's
    // memory until it execs, and Linux counts that in the tool's peak RSS.
    // A forked child starts from the same copy as an isolated run does.
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child < 0)
        return {};
    if (child == 0) {
        execvp(argv[0], argv.data());
        _exit(127);
    }
    return Measure(child, start);
}

RunResult RunIsolated(bool (*work)(const std::string&, const std::string&),
                      const std::string& first, const std::string& second) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0)
        _exit(work(first, second) ? 0 : 1);
    return Measure(child, start);
}

int ProcessNumber() {
    return static_cast<int>(getpid());
}

void ShowOutputLineByLine() {
    std::setvbuf(stdout, nullptr, _IOLBF, BUFSIZ);
}

bool BareCopy(const std::string& source, const std::string& target) {
    const int input = open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (input < 0)
        return false;
    const int output = open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    bool copied = output >= 0;
    while (copied) {
        const ssize_t moved = copy_file_range(input, nullptr, output, nullptr, 1 << 30, 0);
        copied = moved >= 0;
        if (moved <= 0)
            break;
    }
    close(input);
    return output >= 0 && close(output) == 0 && copied;
}

bool BareRename(const std::string& source, const std::string& target) {
    return rename(source.c_str(), target.c_str()) == 0;
}

bool BareDelete(const std::string& path) {
    return unlink(path.c_str()) == 0;
}
