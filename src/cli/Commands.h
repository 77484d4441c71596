#pragma once
// One function per command, each in a file of its own (<Name>Command.cpp).

#include "cli/Cli.h"

namespace arc::cli {

int RunTextsCommand(CliContext& context, const std::vector<std::string>& args);
int RunSettingsCommand(CliContext& context, const std::vector<std::string>& args);
int RunDownloadCommand(CliContext& context, const std::vector<std::string>& args);
int RunTranslateCommand(CliContext& context, const std::vector<std::string>& args);
int RunListRomsCommand(CliContext& context, const std::vector<std::string>& args);
int RunSearchCommand(CliContext& context, const std::vector<std::string>& args);
int RunNotesCommand(CliContext& context, const std::vector<std::string>& args);
int RunUnzipCommand(CliContext& context, const std::vector<std::string>& args);
int RunBuildCommand(CliContext& context, const std::vector<std::string>& args);
int RunUpdateCommand(CliContext& context, const std::vector<std::string>& args);
int RunSheetsCommand(CliContext& context, const std::vector<std::string>& args);
int RunZipAllCommand(CliContext& context, const std::vector<std::string>& args);
int RunUnzipAllCommand(CliContext& context, const std::vector<std::string>& args);
int RunImagesCommand(CliContext& context, const std::vector<std::string>& args);
int RunAuditCommand(CliContext& context, const std::vector<std::string>& args);

}  // namespace arc::cli
