#include "cli/Commands.h"

namespace arc::cli {

const std::vector<CliCommand>& Commands() {
    static const std::vector<CliCommand> commands = {
        {"texts", "[--language en|fr]", RunTextsCommand},
        {"settings", "[--save]", RunSettingsCommand},
        {"unzip", "ARCHIVE [--to DIR] [--member NAME | --ext EXT] [--list]", RunUnzipCommand},
    };
    return commands;
}

}  // namespace arc::cli
