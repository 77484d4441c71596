#include "core/Log.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "shell/ProgressWindowState.h"
#include "shell/WindowPlace.h"
#include "support/TestSupport.h"

namespace arc {
namespace {

using test::ReadFile;

class ProgressWindowStateTest : public test::ProgramFolderTest {
  protected:
    ProgressWindowState window;
};

TEST_F(ProgressWindowStateTest, WindowCancelAnsweredNoKeepsGoingAndYesIsLogged) {
    SetDebugLogging(true);
    ui().QueueAnswer(MsgAnswer::No);
    EXPECT_FALSE(window.ConfirmCancel());
    EXPECT_EQ(ReadFile(LogFilePath()), "");
    ui().QueueAnswer(MsgAnswer::Yes);
    EXPECT_TRUE(window.ConfirmCancel());
    EXPECT_EQ(ui().messages.size(), 2u);
    EXPECT_EQ(ReadFile(LogFilePath()), "[CLICK CANCEL]\r\n");
}

TEST_F(ProgressWindowStateTest, WindowUnloadStoresThePlaceRestoredOnlyWhenPositive) {
    window.Unload(10, 20);
    EXPECT_EQ(SavedWindowPlace(2).left, 10);
    TheSettings().WindowLeft[7] = -150;
    TheSettings().WindowTop[7] = 450;
    EXPECT_FALSE(SavedWindowPlace(7).left);
    EXPECT_EQ(SavedWindowPlace(7).top, 30);
    EXPECT_FALSE(SavedWindowPlace(0).top || SavedWindowPlace(14).top);  // no such slot
    StoreWindowPlace(14, 1, 1);                                         // ignored
}

}  // namespace
}  // namespace arc
