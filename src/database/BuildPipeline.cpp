#include "database/BuildPipeline.h"

#include <chrono>
#include <filesystem>
#include <thread>

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
#include "database/MameLists.h"
#include "database/Schema.h"
#include "database/SupportFiles.h"
#include "xmlimport/ListXmlImport.h"

namespace arc {
namespace {

constexpr int kProcCreerMDB = 362;
constexpr int kProcTestArcanoteMDB = 363;
constexpr int kProcPurge = 364;
constexpr int kProcVersionStamp = 365;

constexpr const char* kCancelMessage = "[FORM9]CANCEL";

/// Ends the wizard's wait whatever way the build ends.
struct WizardStep {
    ~WizardStep() {
        if (State().WizardMode) State().WizardTaskRunning = false;
    }
};

void WaitForImportOptions(const BuildHooks& hooks) {
    Progress().Cancel = false;
    if (!hooks.openImportOptions) {
        State().Form9Message.clear();
        return;
    }
    hooks.openImportOptions();
    while (hooks.importOptionsOpen && hooks.importOptionsOpen()) {
        LetEventsRunNow();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

/// The part of the build that runs under the progress window.
BuildOutcome RunUnderProgress() {
    ShowProgress();
    SetProgressLabel("Executing MAME ...");
    LetEventsRunNow();
    if (!RunMameLists()) return BuildOutcome::NoEmulator;
    if (Progress().Cancel) return BuildOutcome::Cancelled;
    SetProgressLabel("");
    if (!OpenDatabase(TheSettings().DatabasePath)) return BuildOutcome::NotOpened;
    if (!Progress().Cancel) PurgeTables();
    WriteVersionStamp(false);
    ImportListXml();
    if (!Progress().Cancel) {
        Progress().Done = Progress().Total;
        LetEventsRunNow();
        if (!Progress().Cancel) RunBuildImporters();
    }
    CloseDatabase();
    return Progress().Cancel ? BuildOutcome::Cancelled : BuildOutcome::Built;
}

}  // namespace

bool TestArcanoteMDB() {
    bool result = false;
    Guarded(kProcTestArcanoteMDB, [&] {
        const std::string templatePath = InProgramFolder(kTemplateFileName);
        if (!FileExists(templatePath)) {
            Ui().Message(WithLineBreaks(Text(104)), MsgButtons::Ok, MsgIcon::Exclamation);
            DebugLog("MISSING FILE : " + templatePath);
            return;
        }
        const std::string& database = TheSettings().DatabasePath;
        // The file to replace may be the one open right now.
        CloseDatabase();
        if (FileExists(database)) {
            std::error_code ignored;
            std::filesystem::remove(database + ".bak", ignored);
            std::filesystem::rename(database, database + ".bak", ignored);
        }
        std::filesystem::copy_file(templatePath, database,
                                   std::filesystem::copy_options::overwrite_existing);
        LetEventsRun();
        result = true;
    });
    return result;
}

void PurgeTables() {
    Guarded(kProcPurge, [] {
        for (const char* table : {"Data", "History", "Command", "Versions", "BiosSet", "Chip",
                                  "DipSwitch", "Disk", "Rom"})
            Execute(std::string("DELETE * FROM ") + table);
    });
}

void WriteVersionStamp(bool update) {
    Guarded(kProcVersionStamp, [&] {
        const std::string version = ReadMameVersion();
        DebugLog("Writting version number");
        Recordset versions("SELECT * FROM Versions");
        if (update && !versions.Eof()) {
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
            return;
        }
        versions.AddNew();
        versions.Set("VersionMame", version);
        versions.Set("VersionArcanote", VersionString());
        versions.Update();
    });
}

BuildOutcome CreerMDB(const BuildHooks& hooks) {
    BuildOutcome outcome = BuildOutcome::NotStarted;
    WizardStep wizardStep;
    bool menusOff = false;
    bool progressShown = false;
    Guarded(kProcCreerMDB, [&] {
        if (State().LogFlag) {
            WriteLog("NEW MDB");
            WriteSettingsDump();
        }
        Settings& settings = TheSettings();
        const std::string chosen = ChooseFile(Text(107), settings.DatabasePath, 0, true, Text(9));
        if (chosen.empty()) return;
        if (FileExists(chosen) &&
            Ui().Message(Text(108), MsgButtons::YesNo, MsgIcon::Question) != MsgAnswer::Yes)
            return;
        settings.DatabasePath = chosen;
        SaveSettings();
        if (!TestArcanoteMDB()) {
            outcome = BuildOutcome::TemplateMissing;
            return;
        }
        WaitForImportOptions(hooks);
        if (State().Form9Message == kCancelMessage) return;

        DisableMenus();
        menusOff = true;
        progressShown = true;
        outcome = RunUnderProgress();
    });
    CloseDatabase();
    if (outcome == BuildOutcome::Cancelled) DebugLog("[CANCEL]");
    if (progressShown) {
        const bool cancelled = Progress().Cancel;
        UnloadProgress();
        Progress().Cancel = cancelled;
        if (outcome == BuildOutcome::Built) {
            Progress().Cancel = false;
            if (!State().WizardMode) Ui().Message(Text(230), MsgButtons::Ok, MsgIcon::None);
        }
    }
    if (menusOff && !State().WizardMode) EnableMenus();
    return outcome;
}

}  // namespace arc
