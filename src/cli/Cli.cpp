#include "cli/Cli.h"

#include <unistd.h>

#include <exception>
#include <iostream>
#include <optional>

#include "cli/TerminalUi.h"
#include "core/EmulatorConfig.h"
#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/ProgramFolder.h"
#include "core/Settings.h"
#include "core/TextTable.h"
#include "core/Version.h"

namespace arc::cli {
namespace {

/// The options read before the command; RunCli parses them.
const CliOption kGlobalOptions[] = {
    {"--home", "DIR", "use DIR as the program folder (settings, log, database, support files)"},
    {"--yes", "",
     "answer Yes to the questions a command asks whose Yes destroys nothing (emptying a "
     "folder, trashing notes, deleting or moving archives need the command's own option)"},
};

void PrintHelp(std::ostream& out) {
    out << "Usage: arcanote-cli [--home DIR] [--yes] COMMAND [OPTIONS]\n"
           "       arcanote-cli COMMAND --help\n"
           "       arcanote-cli --help | --version\n\n"
           "Global options:\n";
    std::vector<std::pair<std::string, std::string_view>> rows;
    for (const CliOption& option : kGlobalOptions)
        rows.emplace_back(OptionWithValue(option), option.help);
    PrintColumns(out, rows);
    out << "\nCommands (arcanote-cli COMMAND --help lists a command's options):\n";
    rows.clear();
    for (const CliCommand& command : Commands())
        rows.emplace_back(command.name, command.summary);
    PrintColumns(out, rows);
}

/// "--help" or "-h" among a command's arguments asks for its help.
bool AsksForHelp(const std::vector<std::string>& args) {
    for (const std::string& arg : args)
        if (arg == "--help" || arg == "-h") return true;
    return false;
}

const CliCommand* FindCommand(std::string_view name) {
    for (const CliCommand& command : Commands())
        if (command.name == name) return &command;
    return nullptr;
}

/// The start-up sequence without windows: program folder,
/// defaults, settings, text table, backup folder.
bool StartUp(const std::optional<std::string>& home, std::string_view executable,
             std::ostream& err) {
    std::string error;
    std::optional<std::string> folder = ResolveProgramFolder(home, executable, &error);
    if (!folder) {
        err << "arcanote-cli: " << error << '\n';
        return false;
    }
    SetProgramFolder(*folder);
    TheSettings() = DefaultSettings();
    // Without a settings file the paths come from the emulator's ini files (the
    // emulator itself is not run at every start of a command; the desktop's first
    // run and the paths window ask it).
    if (!FileExists(InProgramFolder("Arcanote.inf")))
        FollowEmulatorConfiguration(TheSettings(), false);
    LoadSettings();
    BuildTextTable();
    if (!RefusedSettingsFile().empty())
        err << "arcanote-cli: " << RefusedSettingsFile() << Text(kTextSettingsRefused) << '\n';
    EnsureBackupFolder();
    return true;
}

}  // namespace

int RunCli(const std::vector<std::string>& argv, std::ostream& out, std::ostream& err) {
    std::optional<std::string> home;
    bool assumeYes = false;
    std::string commandName;
    std::vector<std::string> args;
    for (std::size_t i = 1; i < argv.size(); ++i) {
        const std::string& arg = argv[i];
        if (arg == "--home") {
            if (i + 1 >= argv.size()) {
                err << "arcanote-cli: --home needs a folder\n";
                return 2;
            }
            home = argv[++i];
        } else if (arg.rfind("--home=", 0) == 0) {
            home = arg.substr(7);
        } else if (arg == "--yes" || arg == "-y") {
            assumeYes = true;
        } else if (commandName.empty() && (arg == "--help" || arg == "-h")) {
            PrintHelp(out);
            return 0;
        } else if (commandName.empty() && arg == "--version") {
            out << "arcanote-cli " << VersionString() << '\n';
            return 0;
        } else if (commandName.empty()) {
            commandName = arg;
        } else {
            args.push_back(arg);
        }
    }
    if (commandName.empty()) {
        PrintHelp(err);
        return 2;
    }
    const CliCommand* command = FindCommand(commandName);
    if (!command) {
        err << "arcanote-cli: unknown command '" << commandName << "' (see --help)\n";
        return 2;
    }
    if (AsksForHelp(args)) {
        PrintCommandHelp(*command, out);
        return 0;
    }
    CommandArgs parsed(*command);
    if (const std::optional<std::string> problem = parsed.Parse(args))
        return UsageError(err, *command, *problem);
    if (!StartUp(home, argv.empty() ? std::string_view{} : argv[0], err)) return 2;

    TerminalUi ui(err, assumeYes, &err == &std::cerr && isatty(STDERR_FILENO));
    InstallUi(&ui);
    for (const CliOption& option : command->options)
        if ((option.traits & kConsent) && parsed.Has(option.name))
            ui.GrantConsent(std::string(option.name));
    CliContext context{out, err, assumeYes, &ui};
    int code = 1;
    try {
        code = command->run(context, parsed);
    } catch (const ErrorLimitReached& stop) {
        err << "arcanote-cli " << commandName << ": " << stop.message() << '\n';
    } catch (const std::exception& e) {
        err << "arcanote-cli " << commandName << ": " << e.what() << '\n';
    } catch (...) {
        err << "arcanote-cli " << commandName << ": unexpected failure\n";
    }
    InstallUi(nullptr);
    return code;
}

}  // namespace arc::cli
