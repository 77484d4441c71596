// The machine-to-software-list links of the emulator's list, by both import
// methods, on the real output for a machine whose link has a filter.

#include <gtest/gtest.h>

#include "database/Database.h"
#include "support/TestSupport.h"
#include "xmlimport/ListXmlImport.h"

namespace arc {
namespace {

class SoftwareLinks : public test::ProgramFolderTest, public ::testing::WithParamInterface<int> {
  protected:
    ~SoftwareLinks() override { CloseDatabase(); }
};

INSTANTIATE_TEST_SUITE_P(Methods, SoftwareLinks, ::testing::Values(1, 2),
                         [](const auto& info) { return info.param == 1 ? "Fast" : "Document"; });

TEST_P(SoftwareLinks, EveryLinkKeepsItsStatusAndFilter) {
    std::string error;
    ASSERT_TRUE(CreateTemplateDatabase(home.file("links.mdb"), &error)) << error;
    ASSERT_TRUE(OpenDatabase(home.file("links.mdb")));
    test::RecordedProgress progress;
    for (int run = 0; run < 2; ++run)  // a second import replaces the links
        ASSERT_TRUE(
            ImportListXml(test::SourceDir() + "/tests/data/software-0.251/listxml-a2600.xml",
                          progress, static_cast<ImportMethod>(GetParam())));
    Statement links(
        "SELECT Machine || '|' || ListName || '|' || Status || '|' || coalesce(Filter, '') FROM "
        "MachineSoftwareList ORDER BY rowid");
    std::string rows;
    while (links.Step())
        rows += links.ColumnText(0) + "\n";
    EXPECT_EQ(rows, "a2600|a2600|original|NTSC\na2600|a2600_cass|original|\n");
}

}  // namespace
}  // namespace arc
