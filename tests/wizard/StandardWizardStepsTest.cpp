#include <gtest/gtest.h>

#include <algorithm>

#include "core/AppState.h"
#include "support/TestSupport.h"
#include "wizard/StandardWizardSteps.h"

namespace arc {
namespace {

class StandardWizardStepsTest : public test::ProgramFolderTest {};

TEST_F(StandardWizardStepsTest, OpensTheWindowsByNameAndWaitsWhileTheSheetWindowIsOpen) {
    int rounds = 0;
    ui().onProcessEvents = [&] {
        auto& open = ui().windowsOpen;
        if (++rounds == 3) open.erase(std::remove(open.begin(), open.end(), "Form3"), open.end());
    };
    ui().windowsOpen.push_back("Form3");  // the sheet window stays open a few rounds
    WizardWindow wizard(StandardWizardSteps());
    wizard.Open();
    wizard.SetBox(WizardWindow::kDownload, true);
    wizard.SetBox(WizardWindow::kSheets, true);
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
