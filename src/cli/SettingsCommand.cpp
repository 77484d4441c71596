// settings [--save]: the settings dump of the loaded settings; --save writes
// "Arcanote.inf" back.

#include <ostream>

#include "cli/Commands.h"
#include "core/Log.h"
#include "core/ProgramFolder.h"
#include "core/Settings.h"

namespace arc::cli {

int RunSettingsCommand(CliContext& context, const std::vector<std::string>& args) {
    bool save = false;
    for (const std::string& arg : args) {
        if (arg == "--save") {
            save = true;
        } else {
            context.err << "arcanote-cli settings: unknown option '" << arg
                        << "' (usage: settings [--save])\n";
            return 2;
        }
    }
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

}  // namespace arc::cli
