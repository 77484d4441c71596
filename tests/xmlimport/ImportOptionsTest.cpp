#include "xmlimport/ImportOptionsWindowState.h"

#include <gtest/gtest.h>

#include "core/Settings.h"
#include "support/TestSupport.h"

namespace arc {
namespace {

using ImportOptionsTest = test::ProgramFolderTest;

// Regression (a sentinel string told the build about a cancel): closing
// without OK gives no choices, but the remembered ones are still saved; the
// window itself deletes no list.
TEST_F(ImportOptionsTest, ClosingWithoutOkCancelsButStillRemembersTheChoices) {
    test::WriteFile(home.file("listxml.txt"), "<mame/>");
    for (const bool confirmed : {false, true}) {
        ImportOptionsWindowState options;
        options.refreshList = true;
        options.useDefinedPaths = !confirmed;
        options.method = 2;
        if (confirmed) options.Confirm();
        const std::optional<ImportChoices> choices = options.Unload();
        EXPECT_EQ(choices.has_value(), confirmed);
        EXPECT_FALSE(options.Unload());  // given once
        EXPECT_EQ(TheSettings().XmlOptions[1], 1);
        EXPECT_EQ(TheSettings().XmlOptions[2], confirmed ? 0 : 1);
        if (choices) {
            EXPECT_EQ(choices->method, ImportMethod::Document);
            EXPECT_TRUE(choices->refreshList);
            EXPECT_FALSE(choices->useDefinedPaths);
        }
    }
    EXPECT_TRUE(std::filesystem::exists(home.file("listxml.txt")));
    EXPECT_FALSE(RememberedImportChoices(TheSettings()).useDefinedPaths);
}

}  // namespace
}  // namespace arc
