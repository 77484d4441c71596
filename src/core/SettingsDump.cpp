// The settings dump written to the log at the start of the long tasks.

#include "core/ErrorGuard.h"
#include "core/Log.h"
#include "core/Settings.h"

namespace arc {
namespace {

constexpr int kProcSettingsDump = 7;

}  // namespace

std::vector<std::string> SettingsDumpLines(const Settings& s) {
    const std::string rule(79, '-');
    std::vector<std::string> lines;
    lines.reserve(37);
    lines.push_back(rule);
    lines.push_back("Arcanote.inf :");
    lines.push_back("MDB = " + s.DatabasePath);
    lines.push_back("MAME PATH = " + s.MameFolder);
    lines.push_back("ROMs = " + s.RomsFolder);
    for (int slot = 0; slot < kDataFileSlots; ++slot)
        lines.push_back("PATH " + std::to_string(slot) + " = " + s.DataFilePaths[slot]);
    for (const std::string& folder : s.ArtFolders)
        lines.push_back("ART PATH = " + folder);
    lines.push_back("HTML = " + s.HtmlFolder);
    lines.push_back("Language = " + std::to_string(s.Language));
    lines.push_back("MAME EXE = " + s.MameExe);
    lines.push_back("DEFAULT SKIN = " + s.DefaultSkin);
    lines.push_back("BACKUP PATH=" + s.BackupFolder);
    lines.push_back("SOURCEZIP=" + s.ZipAllSource);
    lines.push_back("DESTZIP=" + s.ZipAllDest);
    lines.push_back("SOURCEIMG=" + s.ImageSource);
    lines.push_back(rule);
    return lines;
}

void WriteSettingsDump() {
    Guarded(kProcSettingsDump, [] {
        for (const std::string& line : SettingsDumpLines(TheSettings()))
            WriteLog(line);
    });
}

}  // namespace arc
