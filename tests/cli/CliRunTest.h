#pragma once
// The shared in-process command runner as a fixture on the test's program folder.

#include <string>
#include <vector>

#include "support/CliRun.h"
#include "support/TestSupport.h"

namespace arc::test {

/// `Fixture` gives the program folder (ProgramFolderTest or one of its fixtures).
template <class Fixture = ProgramFolderTest>
class CliRunTest : public Fixture {
  protected:
    /// Runs `arcanote-cli --home HOME args...`; what it printed is kept in out and err.
    int Run(std::vector<std::string> args) {
        const std::string first = args.front();
        args.erase(args.begin());
        CliRun run = RunCommand(this->home.str(), first, std::move(args));
        out = std::move(run.out);
        err = std::move(run.err);
        return run.code;
    }

    std::string out;
    std::string err;
};

}  // namespace arc::test
