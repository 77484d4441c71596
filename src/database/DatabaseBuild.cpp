#include "database/DatabaseBuild.h"

#include <filesystem>

#include "core/AppState.h"
#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/Log.h"
#include "core/ProgramFolder.h"
#include "core/Progress.h"
#include "core/TextFile.h"
#include "core/TextTable.h"
#include "core/UiService.h"
#include "core/Version.h"
#include "database/Database.h"

namespace arc {
namespace {

constexpr int kProcTestTemplate = 302;
constexpr int kProcVersionStamp = 303;

}  // namespace

bool TestArcanoteMDB(std::string_view databasePath) {
    const std::string templatePath = InProgramFolder(kTemplateFileName);
    if (!FileExists(templatePath)) {
        Ui().Message(WithLineBreaks(Text(104)), MsgButtons::Ok, MsgIcon::Exclamation);
        DebugLog("MISSING FILE : " + templatePath);
        return false;
    }
    const std::string database(databasePath);
    if (FileExists(database)) {
        std::error_code ec;
        std::filesystem::remove(database + ".bak", ec);
        std::filesystem::rename(database, database + ".bak", ec);
    }
    bool copied = false;
    Guarded(kProcTestTemplate, [&] {
        std::filesystem::copy_file(templatePath, database,
                                   std::filesystem::copy_options::overwrite_existing);
        copied = true;
    });
    LetEventsRun();
    return copied;
}

void EmptyAllTables() {
    for (std::string_view table :
         {"Data", "History", "Command", "Versions", "BiosSet", "Chip", "DipSwitch", "Disk", "Rom"})
        Execute("DELETE * FROM " + std::string(table));
}

std::string ReadMameVersion() {
    const std::string path = InProgramFolder("vermame.txt");
    std::vector<std::string> lines;
    std::string version = Text(111);
    if (!ReadTextLines(path, lines) || lines.empty()) return version;
    std::string line = lines[0];
    if (Trim(line).empty() && lines.size() > 1) line = lines[1];
    DeleteFileIfExists(path);
    const std::string_view trimmed = Trim(line);
    return trimmed.empty() ? version : std::string(trimmed);
}

void WriteVersionStamp(std::string_view mameVersion) {
    Guarded(kProcVersionStamp, [&] {
        DebugLog("Writting version number");
        Recordset versions("SELECT * FROM Versions");
        versions.AddNew();
        versions.Set("VersionMame", mameVersion);
        versions.Set("VersionArcanote", VersionString());
        versions.Update();
    });
}

}  // namespace arc
