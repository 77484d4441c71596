#include <ostream>

#include "cli/Commands.h"
#include "core/Log.h"
#include "core/ProgramFolder.h"
#include "core/Settings.h"

namespace arc::cli {

namespace {

int Run(CliContext& context, const CommandArgs& args) {
    const bool save = args.Has("--save");
    for (const std::string& line : SettingsDumpLines(TheSettings()))
        context.out << line << '\n';
    if (save && !SaveSettings()) {
        context.err << "arcanote-cli settings: cannot write " << InProgramFolder("Arcanote.inf")
                    << " (see " << LogFilePath() << ")\n";
        return 1;
    }
    context.out.flush();
    if (context.out.good()) return 0;
    context.err << "arcanote-cli settings: cannot write the output\n";
    return 1;
}

}  // namespace

CliCommand SettingsCommand() {
    return {"settings",
            "print the loaded settings",
            {},
            {{"--save", "", "write them back to Arcanote.inf"}},
            Run};
}

}  // namespace arc::cli
