#include "xmlimport/ImportOptionsWindowState.h"

#include <gtest/gtest.h>

#include "core/AppState.h"
#include "core/Settings.h"
#include "support/TestSupport.h"

namespace arc {
namespace {

class ImportOptionsTest : public test::ProgramFolderTest {
  protected:
    std::string listFile() const { return home.file("listxml.txt"); }
};

TEST_F(ImportOptionsTest, ClosingWithoutOkCancelsButStillSavesTheChoices) {
    test::WriteFile(listFile(), "<mame/>");
    State().UseDefinedPaths = true;
    ImportOptionsWindowState options;
    options.refreshList = true;
    options.useDefinedPaths = false;
    options.method = 2;
    options.Unload();
    EXPECT_EQ(State().Form9Message, "[FORM9]CANCEL");
    EXPECT_EQ(State().ImportMethod, 2);
    EXPECT_EQ(TheSettings().XmlOptions[1], 1);
    EXPECT_EQ(TheSettings().XmlOptions[2], 0);
    EXPECT_TRUE(State().UseDefinedPaths);              // only a confirmed window sets it
    EXPECT_TRUE(std::filesystem::exists(listFile()));  // nor deletes the list
}

TEST_F(ImportOptionsTest, OkWithTheBoxTickedDeletesTheListAndSetsThePaths) {
    test::WriteFile(listFile(), "<mame/>");
    State().Form9Message = "[FORM9]CANCEL";
    ImportOptionsWindowState options;
    options.refreshList = true;
    options.useDefinedPaths = true;
    options.Confirm();
    options.Unload();
    EXPECT_EQ(State().Form9Message, "");
    EXPECT_FALSE(std::filesystem::exists(listFile()));
    EXPECT_TRUE(State().UseDefinedPaths);
    EXPECT_EQ(State().ImportMethod, 1);

    // Unticked, the list stays for the next build.
    test::WriteFile(listFile(), "<mame/>");
    ImportOptionsWindowState keep;
    keep.refreshList = false;
    keep.useDefinedPaths = false;
    keep.Confirm();
    keep.Unload();
    EXPECT_TRUE(std::filesystem::exists(listFile()));
    EXPECT_FALSE(State().UseDefinedPaths);
}

}  // namespace
}  // namespace arc
