#pragma once
// The command line run in-process on the test's program folder.

#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "support/TestSupport.h"

namespace arc::test {

class CliRunTest : public ProgramFolderTest {
  protected:
    /// Runs `program --home HOME args...`; what it prints is kept in out and err.
    int Run(std::vector<std::string> args, const std::string& program = "arcanote-cli") {
        args.insert(args.begin(), {program, "--home", home.str()});
        out.str("");
        err.str("");
        return cli::RunCli(args, out, err);
    }

    std::ostringstream out;
    std::ostringstream err;
};

}  // namespace arc::test
