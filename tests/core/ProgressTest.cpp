#include <atomic>
#include <thread>

#include "core/Log.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/Task.h"
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

TEST(TaskProgressTest, AnotherThreadReadsTheCountsAndItsCancelStopsTheTaskForGood) {
    TaskProgress progress;
    std::atomic<int> refused = 0;  // the step that said to stop
    std::thread task([&] {
        progress.SetTotal(1000000);
        int i = 1;
        for (; progress.Step(i); ++i)
            progress.SetLabel("set" + std::to_string(i % 10));
        refused = i;
    });
    // The reader sees the task move, then cancels it; the task ends at its next step.
    while (progress.Done() < 1000) {
    }
    EXPECT_EQ(progress.Total(), 1000000);
    EXPECT_EQ(progress.Label().rfind("set", 0), 0u);
    const int before = progress.Done();
    progress.Cancel();
    task.join();
    EXPECT_GE(refused, before);
    EXPECT_EQ(progress.Done(), refused);
    EXPECT_LT(refused, 1000000);
    EXPECT_FALSE(progress.Step(progress.Done() + 1));  // latched
    EXPECT_FALSE(progress.KeepGoing());

    TaskProgress inner;  // a task run inside another stops with it
    inner.Follow(progress);
    EXPECT_TRUE(inner.Cancelled());
    TaskProgress fresh;
    EXPECT_TRUE(fresh.Step(1) && fresh.Advance() && fresh.Done() == 2);
}

TEST_F(ProgressTest, RunTaskShowsTheTaskAndGivesTheMenusBackUnlessAWizardRuns) {
    TaskProgress progress;
    ui().onProgress = [&](TaskProgress& reported) {
        EXPECT_TRUE(ui().progressVisible);
        EXPECT_FALSE(ui().menusEnabled);
        if (reported.Done() == 2) ui().CancelTask();  // the wizard's stop
    };
    int steps = 0;
    ui().RunTask(progress, [&](TaskContext& context) {
        EXPECT_EQ(&context.ui(), &ui());
        context.progress().SetLabel("pacman");
        while (context.progress().Advance())
            ++steps;
    });
    EXPECT_EQ(steps, 1);
    EXPECT_TRUE(progress.Cancelled());
    EXPECT_EQ(ui().taskCancels, 1);
    EXPECT_TRUE(ui().menusEnabled && !ui().progressVisible);
    EXPECT_EQ(ui().progressShown, 1);
    EXPECT_EQ(ui().progressLabels, std::vector<std::string>{"pacman"});

    ui().onProgress = nullptr;
    const int shown = RunShown([](TaskContext& context) { return context.progress().Step(1); },
                               {.window = false, .menusOff = false}, ui())
                          ? 1
                          : 0;
    EXPECT_EQ(shown, 1);  // a fresh progress: the earlier cancel does not reach it
    EXPECT_EQ(ui().progressShown, 1);
    ui().CancelTask();  // nothing runs: nothing to cancel
}

TEST_F(ProgressTest, ScopeGuardsUndoWhatTheyDidOnce) {
    {
        MenusOff menus;
        EXPECT_FALSE(ui().menusEnabled);
    }
    EXPECT_TRUE(ui().menusEnabled);
    {
        MenusOff menus(false);
        EXPECT_TRUE(ui().menusEnabled);
        menus.Off();
        menus.Keep();  // left to a window that switches them on as it closes
    }
    EXPECT_FALSE(ui().menusEnabled);
}

}  // namespace
}  // namespace arc
