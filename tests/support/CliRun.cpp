#include "support/CliRun.h"

#include <sstream>

#include "cli/Cli.h"

namespace arc::test {

CliRun RunCommand(const std::string& home, const std::string& command,
                  std::vector<std::string> args) {
    args.insert(args.begin(), {"arcanote-cli", "--home", home, command});
    std::ostringstream out;
    std::ostringstream err;
    const int code = cli::RunCli(args, out, err);
    return {code, out.str(), err.str()};
}

}  // namespace arc::test
