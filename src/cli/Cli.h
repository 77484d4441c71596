#pragma once
// The command-line program: global options, start-up, command dispatch, and
// the declaration every command makes of its arguments.

#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace arc::cli {

class TerminalUi;

/// What every command receives.
struct CliContext {
    std::ostream& out;
    std::ostream& err;
    bool assumeYes = false;  ///< --yes: questions whose Yes destroys nothing are answered Yes
    /// The terminal's UI service; the consents of the command's options are
    /// granted on it before the command runs.
    TerminalUi* ui = nullptr;
};

/// How an option is taken.
enum CliTrait : unsigned {
    kRequired = 1,    ///< the command is refused without it
    kRepeatable = 2,  ///< takes every argument up to the next option, and may come again
    kConsent = 4,     ///< grants the destructive answer of the questions that name it
};

/// One option of a command. Its usage, its line in --help, the parser's checks
/// and its error messages come from this declaration.
struct CliOption {
    std::string_view name;        ///< "--db"
    std::string_view value;       ///< placeholder of its value ("FILE"); "a|b" takes only a or b;
                                  ///< empty for a flag
    std::string_view help;        ///< one line for --help
    unsigned traits = 0;          ///< CliTrait bits
    std::string_view needs = {};  ///< an option without which it is refused
    std::string_view excludes = {};  ///< an option with which it is refused
};

/// A required argument that is not an option ("ARCHIVE"; "write|copy" takes
/// only these words). A last operand named "[WORDS...]" is optional and takes
/// every free word left.
struct CliOperand {
    std::string_view name;
    std::string_view help;
};

struct CliCommand;

/// The arguments of one run, checked against the command's declaration. Asking
/// for an option the command does not declare throws std::logic_error.
class CommandArgs {
  public:
    explicit CommandArgs(const CliCommand& command) : command_(&command) {}

    const CliCommand& Command() const { return *command_; }
    bool Has(std::string_view option) const;
    /// The option's value (the last one given), or nothing when it is absent.
    std::optional<std::string> Value(std::string_view option) const;
    /// Every value of the option, in the order given.
    const std::vector<std::string>& Values(std::string_view option) const;
    /// The operand declared at `index`.
    const std::string& Operand(std::size_t index) const { return operands_.at(index); }
    /// The free words given after the operands, when the last declared
    /// operand is optional ("[WORDS...]"); empty otherwise.
    std::vector<std::string> Words() const;

    /// Reads the arguments that follow the command's name; an error message
    /// when they do not fit the declaration.
    std::optional<std::string> Parse(const std::vector<std::string>& args);

  private:
    const CliOption& Declared(std::string_view option) const;
    bool TakesWords() const;
    std::size_t RequiredOperands() const;

    const CliCommand* command_;
    std::map<std::string, std::vector<std::string>, std::less<>> given_;
    std::vector<std::string> operands_;
};

using CommandFn = int (*)(CliContext& context, const CommandArgs& args);

struct CliCommand {
    std::string_view name;
    std::string_view summary;  ///< one line for the program's --help
    std::vector<CliOperand> operands;
    std::vector<CliOption> options;
    CommandFn run;
};

/// Every command of the program, in the order --help lists them.
const std::vector<CliCommand>& Commands();

/// "OPERANDS [--option VALUE] ..." as the usage line shows it after the command's name.
std::string UsageLine(const CliCommand& command);

/// "--db FILE", "--entries LABEL...", "--save".
std::string OptionWithValue(const CliOption& option);

/// Two aligned columns: an option (or a name) and its help.
void PrintColumns(std::ostream& out,
                  const std::vector<std::pair<std::string, std::string_view>>& rows);

/// The command's --help: usage, summary, operands and options with their help.
void PrintCommandHelp(const CliCommand& command, std::ostream& out);

/// Tells a usage error with the command's usage line; the exit code 2.
int UsageError(std::ostream& err, const CliCommand& command, std::string_view problem);

/// Runs the command line (argv[0] is the program's path). Returns the exit code.
int RunCli(const std::vector<std::string>& argv, std::ostream& out, std::ostream& err);

}  // namespace arc::cli
