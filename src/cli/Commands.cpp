#include "cli/Commands.h"

namespace arc::cli {

const std::vector<CliCommand>& Commands() {
    static const std::vector<CliCommand> commands = {
        TextsCommand(),      SettingsCommand(), DownloadCommand(), TranslateCommand(),
        ListRomsCommand(),   SearchCommand(),   NotesCommand(),    UnzipCommand(),
        BuildCommand(),      UpdateCommand(),   SheetsCommand(),   ZipAllCommand(),
        UnzipAllCommand(),   ImagesCommand(),   AuditCommand(),    SoftwareCommand(),
        FavouritesCommand(),
    };
    return commands;
}

}  // namespace arc::cli
