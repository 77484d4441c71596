#include <gtest/gtest.h>

#include <algorithm>

#include "core/AppState.h"
#include "core/Log.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/TextTable.h"
#include "support/TestSupport.h"
#include "wizard/StandardWizardSteps.h"
#include "wizard/WizardWindowState.h"

namespace arc {
namespace {

/// Steps that record their order. The windows (download, sheets) stay "open"
/// for a few event rounds before they close, as a user would close them.
class WizardWindowTest : public test::ProgramFolderTest {
  protected:
    WizardWindowTest() {
        ui().onProcessEvents = [this] {
            if (pendingRounds > 0 && --pendingRounds == 0) closeWindow();
        };
    }

    void OpenLater(std::function<void()> close) {
        pendingRounds = 3;
        closeWindow = std::move(close);
    }

    WizardSteps RecordingSteps() {
        WizardSteps steps;
        steps.openDownloadWindow = [this] {
            calls.push_back("download");
            State().DownloadWindowOpen = true;
            OpenLater([this] {
                calls.push_back("download closed");
                State().DownloadWindowOpen = false;
            });
        };
        steps.downloadSummary = [] { return std::string("Not downloaded: \nHistory: 404"); };
        steps.buildDatabase = [this] {
            calls.push_back(State().WizardTaskRunning ? "build" : "build without flag");
            State().WizardTaskRunning = false;
            return std::string("Database created.");
        };
        steps.listMyRoms = [this] {
            calls.push_back(State().WizardTaskRunning ? "roms" : "roms without flag");
            // Ends early without clearing the flag: the wizard must not hang.
            return std::string("12 sets owned");
        };
        steps.openSheetWindow = [this] {
            calls.push_back("sheets");
            OpenLater([this] {
                calls.push_back("sheets closed");
                State().WizardTaskRunning = false;
            });
        };
        steps.openPathsDialog = [this] {
            calls.push_back("paths");
            OpenLater([this] {
                calls.push_back("paths closed");
                State().WizardTaskRunning = false;
                ui().SetMenusEnabled(true);
            });
        };
        return steps;
    }

    std::vector<std::string> calls;
    int pendingRounds = 0;
    std::function<void()> closeWindow;
};

TEST_F(WizardWindowTest, RunsEveryTickedStepInOrderAndLogsIt) {
    State().LogFlag = true;
    WizardWindowState wizard(RecordingSteps());
    wizard.Open();
    for (int box = 0; box < kWizardBoxes; ++box)
        wizard.SetBox(box, true);
    ASSERT_TRUE(wizard.Run());

    EXPECT_EQ(calls, (std::vector<std::string>{"download", "download closed", "build", "roms",
                                               "sheets", "sheets closed"}));
    EXPECT_TRUE(ui().fileRequests.empty());  // a new database needs no chooser
    EXPECT_NE(test::ReadFile(LogFilePath()).find("<WIZARD HTML>"), std::string::npos);
    // Regression: the end said only "Wizard finished.", not what each step did.
    ASSERT_EQ(ui().messages.size(), 1u);
    EXPECT_EQ(ui().messages[0].text,
              Text(kTextFinished) + "\nDownload data: Not downloaded: \nHistory: 404" +
                  "\nMake a new database: Database created.\nList my roms into the database: "
                  "12 sets owned\nCreate game list: " +
                  Text(kTextStepWindowClosed));
    EXPECT_EQ(ui().messages[0].icon, MsgIcon::Information);
    EXPECT_FALSE(ui().menusEnabled);
    EXPECT_TRUE(wizard.IsOpen());

    wizard.Close();
    EXPECT_TRUE(ui().menusEnabled);
    EXPECT_FALSE(State().WizardMode);
}

TEST_F(WizardWindowTest, SheetsAloneAskForTheDatabaseFirst) {
    WizardWindowState wizard(RecordingSteps());
    wizard.Open();
    wizard.SetBox(WizardWindowState::kSheets, true);
    const std::string database = home.file("games.mdb");
    test::WriteFile(database, "");
    ui().QueueFile(database);
    ASSERT_TRUE(wizard.Run());
    ASSERT_EQ(ui().fileRequests.size(), 1u);
    EXPECT_EQ(TheSettings().DatabasePath, database);
    EXPECT_EQ(calls, (std::vector<std::string>{"sheets", "sheets closed"}));
    EXPECT_EQ(test::ReadFile(LogFilePath()), "");  // logging is off
}

TEST_F(WizardWindowTest, CancelledDatabaseChooserStopsBeforeTheRomListing) {
    // A database is known: Cancel once went on with it and marked its ROMs.
    WizardWindowState wizard(RecordingSteps());
    wizard.Open();
    wizard.SetBox(WizardWindowState::kDownload, true);
    wizard.SetBox(WizardWindowState::kListRoms, true);
    EXPECT_FALSE(wizard.Run());
    EXPECT_EQ(calls, (std::vector<std::string>{"download", "download closed"}));
    EXPECT_TRUE(ui().messages.empty());
    EXPECT_TRUE(wizard.IsOpen());
    EXPECT_FALSE(ui().menusEnabled);
}

TEST_F(WizardWindowTest, CloseBoxDuringARunStopsItWithoutFurtherSteps) {
    WizardWindowState wizard(RecordingSteps());
    wizard.Open();
    for (int box = 0; box < kWizardBoxes; ++box)
        wizard.SetBox(box, true);
    ui().onProcessEvents = [&] {
        if (State().DownloadWindowOpen) wizard.RequestStop();
    };
    EXPECT_FALSE(wizard.Run());
    EXPECT_EQ(calls, std::vector<std::string>{"download"});
    EXPECT_EQ(ui().taskCancels, 1);  // a task under way would stop
    EXPECT_TRUE(ui().messages.empty());
    EXPECT_FALSE(wizard.IsRunning());
    wizard.Close();
    EXPECT_TRUE(ui().menusEnabled);
    EXPECT_FALSE(State().WizardMode);
}

TEST_F(WizardWindowTest, ASheetWindowClosedWithoutClearingTheFlagDoesNotHoldTheWizard) {
    WizardSteps steps = RecordingSteps();
    bool sheetWindowOpen = false;
    steps.openSheetWindow = [&] {
        calls.push_back("sheets");
        sheetWindowOpen = true;
        OpenLater([&] { sheetWindowOpen = false; });  // the flag stays set
    };
    steps.sheetWindowOpen = [&] { return sheetWindowOpen; };
    WizardWindowState wizard(steps);
    wizard.Open();
    wizard.SetBox(WizardWindowState::kSheets, true);
    ui().QueueFile(TheSettings().DatabasePath);
    ASSERT_TRUE(wizard.Run());
    EXPECT_EQ(calls, std::vector<std::string>{"sheets"});
    EXPECT_FALSE(State().WizardTaskRunning);
    EXPECT_EQ(ui().messages.size(), 1u);
}

TEST_F(WizardWindowTest, PathsWaitForTheDialogAndCancelTurnsMenusBackOn) {
    WizardWindowState wizard(RecordingSteps());
    wizard.Open();
    wizard.Paths();
    EXPECT_EQ(calls, (std::vector<std::string>{"paths", "paths closed"}));
    EXPECT_FALSE(ui().menusEnabled);  // the dialog switched them on; the wizard keeps them off
    wizard.Close();
    wizard.Close();
    EXPECT_TRUE(ui().menusEnabled);
    EXPECT_FALSE(State().WizardMode);
    EXPECT_FALSE(State().WizardTaskRunning);
}

// The shipped steps open the windows by name and wait while the sheet window is open.
TEST_F(WizardWindowTest, StandardStepsOpenTheWindowsByName) {
    int rounds = 0;
    ui().onProcessEvents = [&] {
        auto& open = ui().windowsOpen;
        if (++rounds == 3) open.erase(std::remove(open.begin(), open.end(), "Form3"), open.end());
    };
    ui().windowsOpen.push_back("Form3");  // the sheet window stays open a few rounds
    WizardWindowState wizard(StandardWizardSteps());
    wizard.Open();
    wizard.SetBox(WizardWindowState::kDownload, true);
    wizard.SetBox(WizardWindowState::kSheets, true);
    const std::string database = home.file("Arcanote.mdb");
    test::WriteFile(database, "");
    ui().QueueFile(database);
    ASSERT_TRUE(wizard.Run());

    EXPECT_EQ(ui().windowsOpened, (std::vector<std::string>{"Form4", "Form3"}));
    EXPECT_GE(rounds, 3);
    EXPECT_FALSE(State().WizardTaskRunning);

    wizard.Paths();
    EXPECT_EQ(ui().windowsOpened.back(), "Form1");
    wizard.Close();
}

}  // namespace
}  // namespace arc
