#pragma once
// One command per file (<Name>Command.cpp), each declaring its arguments and
// its run function in one CliCommand.

#include "cli/Cli.h"

namespace arc::cli {

CliCommand TextsCommand();
CliCommand SettingsCommand();
CliCommand DownloadCommand();
CliCommand TranslateCommand();
CliCommand ListRomsCommand();
CliCommand SearchCommand();
CliCommand NotesCommand();
CliCommand UnzipCommand();
CliCommand BuildCommand();
CliCommand UpdateCommand();
CliCommand SheetsCommand();
CliCommand ZipAllCommand();
CliCommand UnzipAllCommand();
CliCommand ImagesCommand();
CliCommand AuditCommand();
CliCommand SoftwareCommand();
CliCommand FavouritesCommand();

}  // namespace arc::cli
