#include "core/AppState.h"
#include "core/Log.h"
#include "core/Progress.h"
#include "core/ProgressWindowState.h"
#include "core/Settings.h"
#include "core/TextTable.h"
#include "core/WindowPlace.h"
#include "support/TestSupport.h"

namespace arc {
namespace {

using test::ReadFile;

class ProgressWindowStateTest : public test::ProgramFolderTest {
  protected:
    ProgressWindowState window;
};

TEST_F(ProgressWindowStateTest, CaptionSpinsOnceEveryFourTicks) {
    const std::string caption = Text(24);
    EXPECT_EQ(window.InitialCaption(), caption);
    const char* marks[] = {"-", "\\", "|", "/", "-", "\\"};
    for (const char* mark : marks)
        EXPECT_EQ(window.OnTimer().caption, caption + mark);
}

TEST_F(ProgressWindowStateTest, CancelAnsweredNoKeepsGoingAndYesIsLogged) {
    State().LogFlag = true;
    ui().QueueAnswer(MsgAnswer::No);
    EXPECT_FALSE(window.ConfirmCancel());
    EXPECT_FALSE(Progress().Cancel);
    EXPECT_EQ(ReadFile(LogFilePath()), "");
    ui().QueueAnswer(MsgAnswer::Yes);
    EXPECT_TRUE(window.ConfirmCancel());
    EXPECT_EQ(ui().messages.size(), 2u);
    EXPECT_EQ(ReadFile(LogFilePath()), "[CLICK CANCEL]\r\n");
}

TEST_F(ProgressWindowStateTest, UnloadSetsTheFlagAndStoresThePlace) {
    Progress().Cancel = false;
    window.Unload(10, 20);
    EXPECT_TRUE(Progress().Cancel);
    EXPECT_EQ(TheSettings().WindowLeft[2], 150);
    EXPECT_EQ(TheSettings().WindowTop[2], 300);
    EXPECT_EQ(SavedWindowPlace(2).left, 10);
}

TEST_F(ProgressWindowStateTest, OnlyPositiveSavedPlacesAreRestored) {
    TheSettings().WindowLeft[7] = 0;
    TheSettings().WindowTop[7] = 450;
    WindowPlace place = SavedWindowPlace(7);
    EXPECT_FALSE(place.left);
    EXPECT_EQ(place.top, 30);
    TheSettings().WindowLeft[7] = -150;
    EXPECT_FALSE(SavedWindowPlace(7).left);
    EXPECT_FALSE(SavedWindowPlace(0).top);
    EXPECT_FALSE(SavedWindowPlace(14).top);
    StoreWindowPlace(14, 1, 1);  // ignored, no slot
}

}  // namespace
}  // namespace arc
