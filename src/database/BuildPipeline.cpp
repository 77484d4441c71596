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
#include "database/DatabaseBuild.h"
#include "database/MameLists.h"
#include "database/SupportFiles.h"
#include "xmlimport/ImportOptions.h"
#include "xmlimport/ListXmlImport.h"

namespace arc {
namespace {

constexpr int kProcCreerMDB = 362;

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
BuildOutcome RunUnderProgress(const BuildHooks& hooks) {
    ShowProgress();
    SetProgressLabel("Executing MAME ...");
    LetEventsRunNow();
    if (hooks.listXml.empty() && !RunMameLists()) return BuildOutcome::NoEmulator;
    if (Progress().Cancel) return BuildOutcome::Cancelled;
    SetProgressLabel("");
    if (!OpenDatabase(TheSettings().DatabasePath)) return BuildOutcome::NotOpened;
    if (!Progress().Cancel) EmptyAllTables();
    WriteVersionStamp(ReadMameVersion());
    // Without games there is nothing for the support files to enrich.
    if (!ImportListXml(hooks.listXml)) {
        CloseDatabase();
        return Progress().Cancel ? BuildOutcome::Cancelled : BuildOutcome::NoList;
    }
    if (!Progress().Cancel) {
        Progress().Done = Progress().Total;
        LetEventsRunNow();
        if (!Progress().Cancel) RunBuildImporters();
    }
    CloseDatabase();
    return Progress().Cancel ? BuildOutcome::Cancelled : BuildOutcome::Built;
}

}  // namespace

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
        // The file to replace may be the one open right now.
        CloseDatabase();
        if (!TestArcanoteMDB(settings.DatabasePath)) {
            outcome = BuildOutcome::TemplateMissing;
            return;
        }
        WaitForImportOptions(hooks);
        if (State().Form9Message == kImportOptionsCancelled) return;

        DisableMenus();
        menusOff = true;
        progressShown = true;
        outcome = RunUnderProgress(hooks);
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
