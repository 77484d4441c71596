#include "core/Files.h"
#include "core/Settings.h"
#include "core/TextTable.h"
#include "support/TestSupport.h"

namespace arc {
namespace {

using test::ReadFile;

class ChoosersTest : public test::ProgramFolderTest {};

TEST_F(ChoosersTest, BrowseFolderStartsOnTheStartFolderAndEndsWithASeparator) {
    const struct {
        const char* start;
        const char* chosen;  // nullptr: cancelled
        const char* opened;
        const char* result;
    } cases[] = {
        {"/home/user/roms/", nullptr, "/home/user/roms", "/home/user/roms/"},
        {"/home/user/mame/mame", nullptr, "/home/user/mame", "/home/user/mame/mame/"},
        {"/", nullptr, "/", "/"},
        {"/start/", "/data/roms", "/start", "/data/roms/"},
        {"/start/", "/data/art/", "/start", "/data/art/"},
    };
    for (const auto& c : cases) {
        if (c.chosen) ui().QueueFolder(c.chosen);
        EXPECT_EQ(BrowseFolder(c.start, "Pick"), c.result) << c.start;
        EXPECT_EQ(ui().folderRequests.back(), c.opened) << c.start;
    }
    EXPECT_EQ(BrowseFolder("", "Pick"), "");
    EXPECT_FALSE(ui().folderRequests.back().empty());
}

TEST_F(ChoosersTest, ChooseFileKeepsTheInitialNameOnCancelAndDefaultsTheFilter) {
    EXPECT_EQ(ChooseFile("Open", "/x/Arcanote.mdb", 1, false, "  "), "/x/Arcanote.mdb");
    ASSERT_EQ(ui().fileRequests.size(), 1u);
    EXPECT_EQ(ui().fileRequests[0].filter, Text(116));
    ui().QueueFile("/y/list.ini");
    EXPECT_EQ(ChooseFile("Save", "a.ini", 0, true, "Ini|*.ini|"), "/y/list.ini");
    EXPECT_TRUE(ui().fileRequests[1].save);
    EXPECT_EQ(ui().fileRequests[1].filter, "Ini|*.ini|");
}

TEST_F(ChoosersTest, ChooseDatabaseFileStoresTheChoiceAndSavesTheSettings) {
    ui().QueueFile("/games/other.mdb");
    EXPECT_EQ(ChooseDatabaseFile(), "/games/other.mdb");
    EXPECT_EQ(TheSettings().DatabasePath, "/games/other.mdb");
    EXPECT_EQ(ReadFile(home.file("Arcanote.inf")).rfind("/games/other.mdb\r\n", 0), 0u);
    bool cancelled = false;
    EXPECT_EQ(ChooseDatabaseFile(&cancelled), "/games/other.mdb");
    EXPECT_TRUE(cancelled);
}

}  // namespace
}  // namespace arc
