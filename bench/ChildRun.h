#pragma once
// A benchmark's step run in a child process, so that its peak resident
// memory and processor time are its own.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <string>

namespace arc::bench {

struct Run {
    std::string name;
    double wall = 0;
    double cpu = 0;
    long peakKb = 0;
    int status = 0;
};

/// Runs `work` in a child process and measures it.
template <class Work>
inline Run Measure(const std::string& name, Work work) {
    std::cout.flush();
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        const int code = work();
        std::cout.flush();
        std::_Exit(code);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const auto end = std::chrono::steady_clock::now();
    Run run{name};
    run.wall = std::chrono::duration<double>(end - start).count();
    run.cpu = usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec +
              usage.ru_stime.tv_usec / 1e6;
    run.peakKb = usage.ru_maxrss;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return run;
}

}  // namespace arc::bench
