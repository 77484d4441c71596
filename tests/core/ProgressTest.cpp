#include "core/AppState.h"
#include "core/Log.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "support/TestSupport.h"

namespace arc {
namespace {

class ProgressTest : public test::ProgramFolderTest {};

TEST(ProgressBar, ValueRule) {
    const int cases[][3] = {
        {0, 10, 1},    {-3, 10, 1}, {200, 0, 1},   {200, 1, 1},
        {200, 51, 25}, {3, 2, 66},  {10, 25, 100}, {2000000000, 1999999999, 99}};  // no overflow
    for (const auto& [total, done, value] : cases)
        EXPECT_EQ(ProgressBarValue(total, done), value) << total << " " << done;
}

TEST_F(ProgressTest, LongTaskFollowsTheProtocol) {
    Progress().Cancel = true;  // left set by an earlier unload
    {
        LongTask task(3);
        EXPECT_FALSE(ui().menusEnabled);
        EXPECT_TRUE(ui().progressVisible);
        EXPECT_FALSE(Progress().Cancel);
        for (int i = 1; i <= 3; ++i)
            EXPECT_TRUE(task.Step(i));
        EXPECT_EQ(Progress().Done, 3);
        task.SetLabel("pacman");
        task.Finish();
        EXPECT_FALSE(task.Cancelled());
    }
    EXPECT_TRUE(ui().menusEnabled);
    EXPECT_FALSE(ui().progressVisible);
    EXPECT_EQ(ui().progressUnloaded, 1);
    EXPECT_TRUE(Progress().Cancel);  // an unload always sets the flag
    EXPECT_EQ(ui().progressLabels, std::vector<std::string>{"pacman"});
}

TEST_F(ProgressTest, CancelStopsTheTaskAndATaskStartedAfterwardsRunsNormally) {
    int steps = 0;
    ui().onProcessEvents = [&] {
        if (steps == 4) UnloadProgress();  // the user closes the window
    };
    {
        LongTask task(10);
        for (int i = 1; i <= 10; ++i) {
            steps = i;
            LetEventsRunNow();
            if (!task.Step(i)) break;
        }
        EXPECT_EQ(steps, 4);
        task.Finish();
        EXPECT_TRUE(task.Cancelled());
    }
    ui().onProcessEvents = nullptr;
    LongTask next(2);
    EXPECT_FALSE(next.Cancelled());
    EXPECT_TRUE(next.Step(1) && next.Step(2));
    next.Finish();
    EXPECT_FALSE(next.Cancelled());
}

TEST_F(ProgressTest, LongTaskWithoutMenusLeavesThemAloneAndLetEventsRunIsThrottled) {
    ui().menusEnabled = false;
    { LongTask task(0, false); }
    EXPECT_FALSE(ui().menusEnabled);

    LetEventsRunNow();
    const int before = ui().eventsProcessed;
    for (int i = 0; i < 1000; ++i)
        LetEventsRun();
    EXPECT_LE(ui().eventsProcessed - before, 2);
    const int throttled = ui().eventsProcessed;
    LetEventsRunNow();
    EXPECT_EQ(ui().eventsProcessed, throttled + 1);
}

TEST_F(ProgressTest, ScopeGuardsUndoWhatTheyDidOnceAndLeaveTheMenusToARunningWizard) {
    Progress().Cancel = false;
    {
        ProgressShown progress;
        MenusOff menus;
        EXPECT_TRUE(ui().progressVisible && !ui().menusEnabled);
        progress.UnloadKeepingCancel();
        EXPECT_FALSE(Progress().Cancel);
    }
    EXPECT_EQ(ui().progressUnloaded, 1);
    EXPECT_TRUE(ui().menusEnabled);
    State().WizardMode = State().WizardTaskRunning = true;
    {
        MenusOff menus;
        WizardStepEnd step;
        ProgressShown progress;
    }
    EXPECT_FALSE(ui().menusEnabled);  // the wizard keeps them off between its steps
    EXPECT_FALSE(State().WizardTaskRunning);
    EXPECT_TRUE(Progress().Cancel);
}

}  // namespace
}  // namespace arc
