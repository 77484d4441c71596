#include "pipeline/UpdateWindowState.h"

#include <vector>

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
#include "pipeline/DatabaseBuild.h"
#include "pipeline/MameLists.h"
#include "pipeline/SupportFiles.h"
#include "xmlimport/ListXmlImport.h"

namespace arc {
namespace {

constexpr int kProcUpdate = 366;

/// The file of boxes 1..17, placed by the catalogue's update box column.
constexpr std::array<SupportFile, kSupportFileCount> kBoxFiles = [] {
    std::array<SupportFile, kSupportFileCount> files{};
    for (const SupportFileRow& row : kSupportFileCatalogue)
        files[row.updateBox - 1] = row.file;
    return files;
}();

bool IsTrueText(std::string_view text) {
    const std::string lower = ToLowerAscii(Trim(text));
    return lower == "true" || lower == "vrai" || lower == "1" || lower == "-1";
}

/// The update's stamp: the first row becomes the new stamp and the stamp it
/// replaces is appended, so the rows after the first keep the older stamps
/// in the order they were replaced.
void ReplaceVersionStamp(const std::string& version) {
    Statement first(
        "SELECT rowid, VersionMame, VersionArcanote FROM Versions ORDER BY rowid LIMIT 1");
    if (!first.Step()) {
        WriteVersionStamp(version);
        return;
    }
    DebugLog("Writting version number");
    const std::int64_t row = first.ColumnInt(0);
    const std::optional<std::string> oldMame = first.ColumnOptional(1);
    const std::optional<std::string> oldArcanote = first.ColumnOptional(2);
    first.Reset();
    Transaction transaction;
    Statement("UPDATE Versions SET VersionMame = ?, VersionArcanote = ? WHERE rowid = ?")
        .Bind(1, version)
        .Bind(2, VersionString())
        .Bind(3, row)
        .Run();
    Statement("INSERT INTO Versions (VersionMame, VersionArcanote) VALUES (?, ?)")
        .Bind(1, oldMame)
        .Bind(2, oldArcanote)
        .Run();
    transaction.Commit();
}

/// A new Command.dat replaces the blocks an earlier import stored, instead
/// of repeating them.
void ImportCommandReplacing(const std::string& path, TaskProgress& progress) {
    Execute("DELETE * FROM Command");
    ImportCommand(path, progress);
}

}  // namespace

std::string UpdateWindowState::BoxCaption(int box) {
    if (box == 0) return Text(kTextUpdateFromMame);
    return std::string(box > 0 && box < kBoxes ? RowOf(BoxFile(box)).caption : std::string_view());
}

SupportFile UpdateWindowState::BoxFile(int box) {
    return kBoxFiles.at(box - 1);
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
    request.title = Text(kTextUpdateChooser);
    request.initialName = databasePath;
    request.filter = Text(kTextDatabaseFilter);
    const std::string chosen = Ui().ChooseFileRaw(request);
    if (!chosen.empty()) databasePath = chosen;
}

bool UpdateWindowState::Update() {
    if (!FileExists(databasePath)) {
        Ui().Message(Text(kTextUpdateNoFile), MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    bool anyTicked = false;
    for (bool box : boxes)
        anyTicked = anyTicked || box;
    if (!anyTicked) {
        Ui().Message(Text(kTextUpdateNoChoice), MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    bool completed = false;
    Guarded(kProcUpdate, [&] {
        if (showWindow) showWindow(false);
        TheSettings().UpdateDatabasePath = databasePath;
        SetProgressLabel(Text(kTextUpdating));
        Progress().Done = 0;
        ProgressShown window;
        Progress().Cancel = false;
        LetEventsRunNow();
        // The update's task; the window above is this function's to show and unload.
        WindowProgress progress;
        State().UseDefinedPaths = useDefinedPaths;
        if (!FileExists(databasePath) || !OpenDatabase(databasePath)) {
            window.Unload();
            Ui().Message(Text(kTextCannotOpenFile) + "\r\n" + databasePath, MsgButtons::Ok,
                         MsgIcon::Exclamation);
            return;
        }
        std::vector<std::string> problems;
        if (boxes[0]) {
            DeleteFileIfExists(InProgramFolder("listxml.txt"));
            LetEventsRunNow();
            if (!RunMameLists()) {
                problems.push_back(BoxCaption(0) + Text(kTextEmulatorFailed));
            } else if (ImportListXml({}, progress)) {
                ReplaceVersionStamp(ReadMameVersion());
            } else if (!progress.Cancelled()) {
                problems.push_back(BoxCaption(0) + Text(kTextNoListImported));
            }
        }
        for (int box = 1; box < kBoxes; ++box) {
            if (!boxes[box] || progress.Cancelled() || !DatabaseFailure().empty()) continue;
            const SupportFile file = BoxFile(box);
            const std::string path = SupportFilePath(file);
            if (!SupportFileFound(file, path)) {
                problems.push_back(BoxCaption(box) + Text(kTextFileMissing));
            } else if (file == SupportFile::Command) {
                ImportCommandReplacing(path, progress);
            } else {
                ImporterOf(file)(path, progress, nullptr);
            }
        }
        if (!DatabaseFailure().empty())
            problems.push_back(Text(kTextDatabaseError) + DatabaseFailure());
        CloseDatabase();
        Progress().Done = Progress().Total;
        const bool cancelled = progress.Cancelled();
        std::string told;
        for (const std::string& problem : problems)
            told += "\r\n" + problem;
        if (!problems.empty())
            Ui().Message(Text(kTextUpdateIncomplete) + told, MsgButtons::Ok, MsgIcon::Exclamation);
        else if (!cancelled)
            Ui().Message(Text(kTextDone), MsgButtons::Ok, MsgIcon::None);
        window.Unload();
        Progress().Cancel = cancelled;  // unloading set it
        completed = !cancelled && problems.empty();
    });
    CloseDatabase();
    if (showWindow) showWindow(true);
    return completed;
}

}  // namespace arc
