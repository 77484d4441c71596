#include <gtest/gtest.h>

#include "core/Log.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/TextTable.h"
#include "support/TestSupport.h"
#include "wizard/StandardWizardSteps.h"
#include "wizard/WizardWindowState.h"

namespace arc {
namespace {

/// Steps that record their order. A window step returns when its window
/// closed, as the UI service's RunWindow does; `during` acts while it is open.
class WizardWindowTest : public test::ProgramFolderTest {
  protected:
    WizardSteps RecordingSteps() {
        WizardSteps steps;
        steps.download = [this] {
            WindowLife("download");
            return std::string("Not downloaded: \nHistory: 404");
        };
        steps.buildDatabase = [this] {
            calls.push_back("build");
            return std::string("Database created.");
        };
        steps.listMyRoms = [this] {
            calls.push_back("roms");
            return std::string("12 sets owned");
        };
        steps.sheets = [this] { WindowLife("sheets"); };
        steps.paths = [this] {
            WindowLife("paths");
            ui().SetMenusEnabled(true);  // the dialog switches them on as it closes
        };
        return steps;
    }

    void WindowLife(const std::string& name) {
        calls.push_back(name);
        if (during) during();
        if (!stopped) calls.push_back(name + " closed");
    }

    std::vector<std::string> calls;
    std::function<void()> during;
    bool stopped = false;
};

TEST_F(WizardWindowTest, RunsEveryTickedStepInOrderAndLogsIt) {
    SetDebugLogging(true);
    WizardWindowState wizard(RecordingSteps());
    wizard.Open();
    for (int box = 0; box < kWizardBoxes; ++box)
        wizard.SetBox(box, true);
    // Every step finds the menus off, whatever the step before did with them.
    during = [&] { EXPECT_FALSE(ui().menusEnabled); };
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
    during = [&] {
        wizard.RequestStop();
        stopped = ui().waitsStopped == 1;  // the wait on the window ends; it stays open
    };
    EXPECT_FALSE(wizard.Run());
    EXPECT_EQ(calls, std::vector<std::string>{"download"});
    EXPECT_EQ(ui().taskCancels, 1);  // a task under way would stop
    EXPECT_TRUE(ui().messages.empty());
    EXPECT_FALSE(wizard.IsRunning());
    wizard.Close();
    EXPECT_TRUE(ui().menusEnabled);
}

TEST_F(WizardWindowTest, PathsWaitForTheDialogAndCancelTurnsMenusBackOn) {
    WizardWindowState wizard(RecordingSteps());
    wizard.Open();
    during = [&] { EXPECT_TRUE(wizard.IsRunning()); };  // the close box stops the wait
    wizard.Paths();
    EXPECT_EQ(calls, (std::vector<std::string>{"paths", "paths closed"}));
    EXPECT_FALSE(wizard.IsRunning());
    EXPECT_FALSE(ui().menusEnabled);  // the dialog switched them on; the wizard keeps them off
    wizard.Close();
    wizard.Close();
    EXPECT_TRUE(ui().menusEnabled);
}

// The shipped steps run the windows by name, as the wizard's steps.
TEST_F(WizardWindowTest, StandardStepsRunTheWindowsByName) {
    WizardWindowState wizard(StandardWizardSteps());
    wizard.Open();
    wizard.SetBox(WizardWindowState::kDownload, true);
    wizard.SetBox(WizardWindowState::kSheets, true);
    const std::string database = home.file("Arcanote.mdb");
    test::WriteFile(database, "");
    ui().QueueFile(database);
    ASSERT_TRUE(wizard.Run());

    EXPECT_EQ(ui().windowsOpened, (std::vector<std::string>{"Form4", "Form3"}));
    EXPECT_EQ(ui().windowCallers,
              (std::vector<WindowCaller>{WindowCaller::Wizard, WindowCaller::Wizard}));

    wizard.Paths();
    EXPECT_EQ(ui().windowsOpened.back(), "Form1");
    wizard.Close();
}

}  // namespace
}  // namespace arc
