#include "build/SupportFiles.h"

#include <array>

#include "core/AppState.h"
#include "core/Files.h"
#include "core/ProgramFolder.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "database/Database.h"
#include "importers/CheatCollection.h"
#include "importers/DataUpdate.h"
#include "importers/HistoryFiles.h"
#include "importers/Importers.h"

#include "notes/Notes.h"

namespace arc {
namespace {

constexpr std::array<SupportFileInfo, kSupportFileCount> kFiles = {{
    {"Mameinfo.dat", kMameinfoDat, "dat", "mameinfo.dat", ImportMameinfo},
    {"Wizsort.ini", kWizsortIni, "ini", "wizsort.ini", ImportWizsort},
    {"Catver.ini", kCatverIni, "ini", "catver.ini", ImportCatver},
    {"Hiscore.dat", kHiscoreDat, "dat", "hiscore.dat", ImportHiscore},
    {"Command.dat", kCommandDat, "dat", "command.dat", ImportCommand},
    {"Cheat.dat", kCheatDat, "dat", "cheat.dat", ImportCheat},
    {"Controls.ini", kControlsIni, "ini", "controls.ini", ImportControls},
    {"Genre.ini", kGenreIni, "ini", "genre.ini", ImportGenre},
    {"Catlist.ini", kCatlistIni, "ini", "Catlist.ini", ImportCategory},
    {"Mature.ini", kMatureIni, "ini", "mature.ini", ImportMature},
    {"Version.ini", kVersionIni, "ini", "version.ini", ImportVersion},
    {"nPlayers.ini", kNPlayersIni, "ini", "nplayers.ini", ImportNPlayers},
    {"Multiplayer.ini", kMultiplayerIni, "ini", "multiplayer.ini", ImportMultiplayer},
    {"Alltime.ini", kAlltimeIni, "ini", "alltime.ini", ImportYear},
    {"Aspect.ini", kAspectIni, "ini", "aspect.ini", ImportAspect},
    {"Resolution.ini", kResolutionIni, "ini", "resolution.ini", ImportResolution},
    {"History.dat", kHistoryDat, "dat", "history.dat", ImportHistory},
}};

/// History is also there when a history.xml lies in the file's folder, Cheat
/// when a cheat collection (cheat.7z, cheat.zip, cheat/) is at or beside it.
bool Available(SupportFile file, const std::string& path) {
    if (FileExists(path)) return true;
    if (path.empty()) return false;
    if (file == SupportFile::History) return !HistoryXmlBeside(path).empty();
    if (file == SupportFile::Cheat) return !CheatCollectionsFor(path).empty();
    return false;
}

/// After History.dat: the user's notes go into the new database.
void CopyNotesAfterHistory() {
    CopyNotesToDatabase(true);
}

}  // namespace

const SupportFileInfo& InfoOf(SupportFile file) {
    return kFiles[static_cast<std::size_t>(file)];
}

std::string OwnSupportFilePath(SupportFile file) {
    const SupportFileInfo& info = InfoOf(file);
    return FindNoCase(InProgramFolder(info.folder), info.fileName);
}

bool SupportFileFound(SupportFile file, const std::string& path) {
    return Available(file, path);
}

std::string SupportFilePath(SupportFile file) {
    const std::string own = OwnSupportFilePath(file);
    const std::string& defined = TheSettings().DataFilePaths[InfoOf(file).slot];
    if (State().UseDefinedPaths) return Available(file, defined) ? defined : own;
    return Available(file, own) ? own : defined;
}

bool RunSupportImporter(SupportFile file) {
    const std::string path = SupportFilePath(file);
    if (path.empty()) return false;
    return InfoOf(file).import(path, nullptr);
}

std::vector<SupportFile> RunBuildImporters() {
    using F = SupportFile;
    std::vector<SupportFile> ran;
    bool wizsort = false;
    bool catver = false;
    bool nplayers = false;
    // A database error ends the build: the rest would only add error blocks.
    auto stopped = [] { return Progress().Cancel || !DatabaseFailure().empty(); };
    DataValues values;
    // The file being built is not the user's database yet: no waiting for the
    // disk until the build closes it (as the list import does).
    TryExecute("PRAGMA synchronous=OFF");
    auto run = [&](SupportFile file) {
        if (stopped()) return false;
        const std::string path = SupportFilePath(file);
        if (Available(file, path)) ran.push_back(file);
        return !path.empty() && InfoOf(file).import(path, &values);
    };
    run(F::Mameinfo);
    wizsort = run(F::Wizsort);
    catver = run(F::Catver);
    run(F::Hiscore);
    run(F::Command);
    run(F::Cheat);
    run(F::Controls);
    if (!wizsort) run(F::Genre);
    if (!catver && !wizsort) run(F::Catlist);
    if (!wizsort) run(F::Mature);
    if (!catver && !wizsort) run(F::Version);
    nplayers = run(F::NPlayers);
    if (!nplayers) run(F::Multiplayer);
    if (!wizsort) run(F::Alltime);
    run(F::Aspect);
    if (!wizsort) run(F::Resolution);
    run(F::History);
    if (!stopped()) values.Write();
    if (!stopped()) CopyNotesAfterHistory();
    TryExecute("PRAGMA synchronous=NORMAL");
    return ran;
}

}  // namespace arc
