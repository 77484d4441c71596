#include "build/UpdateWindowState.h"

#include <vector>

#include "build/DatabaseBuild.h"
#include "build/MameLists.h"
#include "build/SupportFiles.h"
#include "core/AppState.h"
#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/Log.h"
#include "core/ProgramFolder.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/TextTable.h"
#include "core/UiService.h"
#include "core/Version.h"
#include "database/Database.h"
#include "importers/Importers.h"
#include "xmlimport/ListXmlImport.h"

namespace arc {
namespace {

constexpr int kProcUpdate = 366;

using F = SupportFile;

/// The importer of boxes 1..17.
constexpr std::array<SupportFile, UpdateWindowState::kBoxes - 1> kBoxFiles = {
    F::Alltime,     F::Aspect,   F::Catlist,    F::Catver,   F::Genre,  F::Mature,
    F::Multiplayer, F::NPlayers, F::Resolution, F::Wizsort,  F::Cheat,  F::Command,
    F::Controls,    F::Hiscore,  F::History,    F::Mameinfo, F::Version};

constexpr std::array<std::string_view, UpdateWindowState::kBoxes> kCaptions = {
    "Extraire les données de MAME",
    "Alltime.ini",
    "Aspect.ini",
    "Catlist.ini",
    "Catver.ini",
    "Genre.ini",
    "Mature.ini",
    "Multiplayer.ini",
    "Nplayers.ini",
    "Resolution.ini",
    "Wizsort.ini",
    "Cheat.dat",
    "Command.dat",
    "Controls.dat",
    "Hiscore.dat",
    "History.dat",
    "Mameinfo.dat",
    "Version.ini"};

bool IsTrueText(std::string_view text) {
    const std::string lower = ToLowerAscii(Trim(text));
    return lower == "true" || lower == "vrai" || lower == "1" || lower == "-1";
}

/// The update's stamp: the first row becomes the new stamp and the stamp it
/// replaces is appended, so the rows after the first keep the older stamps
/// in the order they were replaced.
void ReplaceVersionStamp(const std::string& version) {
    Recordset versions("SELECT * FROM Versions");
    if (versions.Eof()) {
        WriteVersionStamp(version);
        return;
    }
    DebugLog("Writting version number");
    const std::optional<std::string> oldMame = versions.Optional("VersionMame");
    const std::optional<std::string> oldArcanote = versions.Optional("VersionArcanote");
    versions.Edit();
    versions.Set("VersionMame", version);
    versions.Set("VersionArcanote", VersionString());
    versions.Update();
    versions.AddNew();
    if (oldMame) versions.Set("VersionMame", *oldMame);
    if (oldArcanote) versions.Set("VersionArcanote", *oldArcanote);
    versions.Update();
}

/// A new Command.dat replaces the blocks an earlier import stored, instead
/// of repeating them.
void ImportCommandReplacing(const std::string& path) {
    Execute("DELETE * FROM Command");
    ImportCommand(path);
}

}  // namespace

std::string_view UpdateWindowState::BoxCaption(int box) {
    return box >= 0 && box < kBoxes ? kCaptions[box] : std::string_view();
}

void UpdateWindowState::Load() {
    State().UpdateMode = true;
    DisableMenus();
    const Settings& settings = TheSettings();
    databasePath =
        settings.UpdateDatabasePath.empty() ? settings.DatabasePath : settings.UpdateDatabasePath;
    SetChoicesText(settings.UpdateFileChoices);
}

void UpdateWindowState::Unload() {
    Settings& settings = TheSettings();
    settings.UpdateFileChoices = ChoicesText();
    settings.UpdateDatabasePath = databasePath;
    State().UpdateMode = false;
    SaveSettings();
    EnableMenus();
}

std::string UpdateWindowState::ChoicesText() const {
    std::string text;
    for (bool box : boxes)
        text += box ? "1;" : "0;";
    return text + (useDefinedPaths ? "True" : "False");
}

void UpdateWindowState::SetChoicesText(std::string_view text) {
    boxes.fill(false);
    std::size_t box = 0;
    std::size_t separator;
    while ((separator = text.find(';')) != std::string_view::npos) {
        if (box < boxes.size()) boxes[box++] = Trim(text.substr(0, separator)) == "1";
        text.remove_prefix(separator + 1);
    }
    useDefinedPaths = text.empty() ? true : IsTrueText(text);
}

void UpdateWindowState::ChooseDatabase() {
    FileDialogRequest request;
    request.title = "Mise à jour d'un fichier Access (MDB)";
    request.initialName = databasePath;
    request.filter = Text(9);
    const std::string chosen = Ui().ChooseFileRaw(request);
    if (!chosen.empty()) databasePath = chosen;
}

bool UpdateWindowState::Update() {
    if (!FileExists(databasePath)) {
        Ui().Message("Le fichier .MDB est introuvable.", MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    bool anyTicked = false;
    for (bool box : boxes)
        anyTicked = anyTicked || box;
    if (!anyTicked) {
        Ui().Message("Aucune option n'a été sélectionnée.", MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    bool completed = false;
    Guarded(kProcUpdate, [&] {
        if (showWindow) showWindow(false);
        TheSettings().UpdateDatabasePath = databasePath;
        SetProgressLabel("Mise à jour");
        Progress().Done = 0;
        ProgressShown progress;
        Progress().Cancel = false;
        LetEventsRunNow();
        State().UseDefinedPaths = useDefinedPaths;
        if (!FileExists(databasePath) || !OpenDatabase(databasePath)) {
            progress.Unload();
            Ui().Message("Impossible d'ouvrir le fichier\r\n" + databasePath, MsgButtons::Ok,
                         MsgIcon::Exclamation);
            return;
        }
        std::vector<std::string> problems;
        if (boxes[0]) {
            DeleteFileIfExists(InProgramFolder("listxml.txt"));
            LetEventsRunNow();
            if (!RunMameLists()) {
                problems.push_back("Extraire les données de MAME : échec de l'émulateur");
            } else if (ImportListXml()) {
                ReplaceVersionStamp(ReadMameVersion());
            } else if (!Progress().Cancel) {
                problems.push_back("Extraire les données de MAME : aucune liste importée");
            }
        }
        for (int box = 1; box < kBoxes; ++box) {
            if (!boxes[box] || Progress().Cancel || !DatabaseFailure().empty()) continue;
            const SupportFile file = kBoxFiles[box - 1];
            const std::string path = SupportFilePath(file);
            if (!SupportFileFound(file, path)) {
                problems.push_back(std::string(kCaptions[box]) + " : fichier introuvable");
            } else if (file == F::Command) {
                ImportCommandReplacing(path);
            } else {
                InfoOf(file).import(path);
            }
        }
        if (!DatabaseFailure().empty())
            problems.push_back("Erreur de la base de données : " + DatabaseFailure());
        CloseDatabase();
        Progress().Done = Progress().Total;
        const bool cancelled = Progress().Cancel;
        std::string told;
        for (const std::string& problem : problems)
            told += "\r\n" + problem;
        if (!problems.empty())
            Ui().Message("La mise à jour n'est pas complète :" + told, MsgButtons::Ok,
                         MsgIcon::Exclamation);
        else if (!cancelled)
            Ui().Message(Text(92), MsgButtons::Ok, MsgIcon::None);
        progress.Unload();
        Progress().Cancel = cancelled;
        completed = !cancelled && problems.empty();
    });
    CloseDatabase();
    if (showWindow) showWindow(true);
    return completed;
}

}  // namespace arc
