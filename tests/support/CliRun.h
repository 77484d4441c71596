#pragma once
// Runs the command-line program in-process and keeps what it printed.

#include <string>
#include <vector>

namespace arc::test {

struct CliRun {
    int code;
    std::string out;
    std::string err;
};

/// arcanote-cli --home HOME COMMAND ARGS...
CliRun RunCommand(const std::string& home, const std::string& command,
                  std::vector<std::string> args);

}  // namespace arc::test
