#include "core/Files.h"
#include "core/Settings.h"
#include "core/TextTable.h"
#include "support/TestSupport.h"

namespace arc {
namespace {

using test::ReadFile;

class ChoosersTest : public test::ProgramFolderTest {};

TEST_F(ChoosersTest, BrowseFolderCancelledReturnsTheStartPathUnchanged) {
    EXPECT_EQ(BrowseFolder("/home/user/roms/", "Pick"), "/home/user/roms/");
    ASSERT_EQ(ui().folderRequests.size(), 1u);
    EXPECT_EQ(ui().folderRequests[0], "/home/user/roms");  // opened on the folder itself
    EXPECT_EQ(BrowseFolder("", "Pick"), "");
}

TEST_F(ChoosersTest, BrowseFolderStartsOnTheFolderOfTheStartPath) {
    BrowseFolder("/home/user/mame/mame", "");
    BrowseFolder("/", "");
    BrowseFolder("", "");
    ASSERT_EQ(ui().folderRequests.size(), 3u);
    EXPECT_EQ(ui().folderRequests[0], "/home/user/mame");
    EXPECT_EQ(ui().folderRequests[1], "/");
    EXPECT_FALSE(ui().folderRequests[2].empty());
}

TEST_F(ChoosersTest, BrowseFolderAddsTheTrailingSeparator) {
    ui().QueueFolder("/data/roms");
    ui().QueueFolder("/data/art/");
    EXPECT_EQ(BrowseFolder("/start/", "t"), "/data/roms/");
    EXPECT_EQ(BrowseFolder("/start/", "t"), "/data/art/");
}

TEST_F(ChoosersTest, ChooseFileKeepsTheInitialNameOnCancelAndDefaultsTheFilter) {
    EXPECT_EQ(ChooseFile("Open", "/x/Arcanote.mdb", 1, false, "  "), "/x/Arcanote.mdb");
    ASSERT_EQ(ui().fileRequests.size(), 1u);
    EXPECT_EQ(ui().fileRequests[0].filter, Text(116));
    EXPECT_EQ(ui().fileRequests[0].flags, 1);
    ui().QueueFile("/y/list.ini");
    EXPECT_EQ(ChooseFile("Save", "a.ini", 0, true, "Ini|*.ini|"), "/y/list.ini");
    EXPECT_TRUE(ui().fileRequests[1].save);
    EXPECT_EQ(ui().fileRequests[1].filter, "Ini|*.ini|");
}

TEST_F(ChoosersTest, ChooseDatabaseFileStoresTheChoiceAndSavesTheSettings) {
    ui().QueueFile("/games/other.mdb");
    EXPECT_EQ(ChooseDatabaseFile(), "/games/other.mdb");
    EXPECT_EQ(TheSettings().DatabasePath, "/games/other.mdb");
    EXPECT_EQ(ui().fileRequests[0].title, Text(8));
    EXPECT_EQ(ui().fileRequests[0].filter, Text(9));
    EXPECT_EQ(ReadFile(home.file("Arcanote.inf")).rfind("/games/other.mdb\r\n", 0), 0u);
    EXPECT_EQ(ChooseDatabaseFile(), "");  // cancelled: the asking task stops
    EXPECT_EQ(TheSettings().DatabasePath, "/games/other.mdb");
}

TEST_F(ChoosersTest, MenusSwitchThroughTheUiService) {
    DisableMenus();
    EXPECT_FALSE(ui().menusEnabled);
    EnableMenus();
    EXPECT_TRUE(ui().menusEnabled);
}

}  // namespace
}  // namespace arc
