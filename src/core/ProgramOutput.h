#pragma once
// A program run with its standard output on a pipe that this process reads
// while the program writes (no shell: the arguments go to it as they are).

#include <sys/types.h>

#include <cstdio>
#include <string>
#include <vector>

namespace arc {

class ProgramOutput {
  public:
    /// Starts the program; a path without "/" is searched in PATH.
    explicit ProgramOutput(const std::vector<std::string>& argv);
    /// A program not finished yet is killed and waited for.
    ~ProgramOutput();
    ProgramOutput(const ProgramOutput&) = delete;
    ProgramOutput& operator=(const ProgramOutput&) = delete;

    /// The read end of its output; null when the program could not start.
    std::FILE* Stream() const { return stream_; }
    /// Closes the read end and waits for the program: its exit code, -1 -
    /// errno when it could not start, -1000 - signal when a signal ended it.
    int Finish();

  private:
    pid_t pid_ = -1;
    std::FILE* stream_ = nullptr;
    int result_ = 0;
};

}  // namespace arc
