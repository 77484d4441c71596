#pragma once
// The command-line program: global options, start-up, command dispatch.

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace arc::cli {

class TerminalUi;

/// What every command receives.
struct CliContext {
    std::ostream& out;
    std::ostream& err;
    bool assumeYes = false;  ///< --yes: questions whose Yes destroys nothing are answered Yes
    /// The terminal's UI service: a command grants the consents its options give
    /// (ui->GrantConsent("--empty-destination")).
    TerminalUi* ui = nullptr;
};

using CommandFn = int (*)(CliContext& context, const std::vector<std::string>& args);

struct CliCommand {
    std::string_view name;
    std::string_view usage;  ///< one line for --help, after the command's name
    CommandFn run;
};

/// Every command of the program, in the order --help lists them.
const std::vector<CliCommand>& Commands();

/// Runs the command line (argv[0] is the program's path). Returns the exit code.
int RunCli(const std::vector<std::string>& argv, std::ostream& out, std::ostream& err);

}  // namespace arc::cli
