#include "cli/Commands.h"

namespace arc::cli {

const std::vector<CliCommand>& Commands() {
    static const std::vector<CliCommand> commands = {
        {"texts", "[--language en|fr]", RunTextsCommand},
        {"settings", "[--save]", RunSettingsCommand},
        {"translate", "[--create-dictionary] [--files NAME...]", RunTranslateCommand},
        {"notes", "write|copy [--db FILE]", RunNotesCommand},
    };
    return commands;
}

}  // namespace arc::cli
