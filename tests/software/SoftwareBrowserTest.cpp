// The software browser's rows: one list or all, the filter as the user types
// and erases, verdicts and the detail of an item.

#include <gtest/gtest.h>

#include <sstream>

#include "core/Task.h"
#include "database/Database.h"
#include "software/SoftwareBrowser.h"
#include "software/SoftwareImport.h"
#include "support/TestSupport.h"

namespace arc {
namespace {

/// The cut lists imported, smb audited complete and smb3 owned.
class SoftwareBrowserTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::StartFreshProgramFolder(home);
        ScopedScriptedUi scripted;
        std::string error;
        ASSERT_TRUE(CreateTemplateDatabase(home.file("b.mdb"), &error)) << error;
        ASSERT_TRUE(OpenDatabase(home.file("b.mdb")));
        test::RecordedProgress progress;
        TaskContext context(progress, scripted.ui);
        ASSERT_TRUE(RunSoftwareImport(
                        {test::SourceDir() + "/tests/data/software-0.251/hash", "", ""}, context)
                        .ok());
        Execute(
            "CREATE TABLE SoftwareAudit (ListName TEXT, Name TEXT, Verdict TEXT);"
            "INSERT INTO SoftwareAudit VALUES ('nes', 'smb', 'complete');"
            "UPDATE Software SET Owned = 1 WHERE Name = 'smb3'");
        CloseDatabase();
    }
    test::TempDir home;
};

TEST_F(SoftwareBrowserTest, FilterNarrowsAsTypedWidensAsErasedAndDetailNamesPartsAndNotes) {
    const ReadOnlyDatabase db(home.file("b.mdb"));
    SoftwareBrowser browser;
    browser.Load(&db, "");
    EXPECT_EQ(browser.Total(), 36u);
    browser.Load(&db, "nes");
    ASSERT_EQ(browser.Total(), 30u);
    auto shown = [&] {
        std::string names;
        for (std::size_t i = 0; i < browser.Count(); ++i)
            names += browser.Row(i).name + " ";
        return names;
    };
    // As typed and erased, the rows shown are those the SQL search finds.
    ASSERT_TRUE(OpenDatabase(home.file("b.mdb")));
    for (const char* filter : {"s", "su", "super mario bros. 3 (j", "SUPER MARIO BROS. 3", "",
                               "nintendo zel", "nintendo zelda", "zel", "xyz"}) {
        browser.SetFilter(filter);
        std::vector<std::string> words;
        std::istringstream split(filter);
        for (std::string word; split >> word;)
            words.push_back(word);
        std::string expected;
        for (const SoftwareRow& row : FindSoftware({"nes", words, false, false}))
            expected += row.name + " ";
        EXPECT_EQ(shown(), expected) << filter;
    }
    CloseDatabase();
    browser.SetFilter("smb3j");
    EXPECT_EQ(shown(), "smb3j smb3ja ");
    browser.SetFilter("pal-sm");  // ROM names are not searched
    EXPECT_EQ(browser.Count(), 0u);

    browser.SetFilter("bros. (europe, rev. a");
    ASSERT_EQ(browser.Count(), 1u);
    const SoftwareBrowserRow& smb = browser.Row(0);
    EXPECT_EQ(smb.name, "smb");
    EXPECT_EQ(smb.verdict, "complete");
    EXPECT_EQ(smb.year + "|" + smb.publisher + "|" + smb.supported, "1987|Nintendo|yes");
    const SoftwareDetail detail = browser.Detail(&db, 0);
    ASSERT_EQ(detail.parts.size(), 1u);
    EXPECT_EQ(detail.parts[0].name + "|" + detail.parts[0].interface, "cart|nes_cart");
    ASSERT_EQ(detail.notes.size(), 2u);
    EXPECT_EQ(detail.notes[1].first + "=" + detail.notes[1].second, "release=19870515");
    EXPECT_TRUE(detail.machines.empty());  // no machine list imported
}

TEST_F(SoftwareBrowserTest, HeaderSortsByEachColumnEmptyValuesLastAndTheFilterKeepsTheOrder) {
    const ReadOnlyDatabase db(home.file("b.mdb"));
    SoftwareBrowser browser;
    browser.Load(&db, "nes");
    auto column = [&](auto field) {
        std::string values;
        for (std::size_t i = 0; i < browser.Count(); ++i)
            values += field(browser.Row(i)) + " ";
        return values;
    };
    auto year = [](const SoftwareBrowserRow& row) { return row.year; };
    auto name = [](const SoftwareBrowserRow& row) { return row.name; };
    const std::string unknown = "19?? 19?? 19?? 19?? 19?? 19?? 19?? 19?? 19?? 19?? 19?? 19?? 19?? ";
    browser.SortBy(SoftwareColumn::Year, false);
    EXPECT_EQ(column(year),
              "1984 1984 1985 1987 1987 1988 1988 1988 1988 1988 1989 1990 1990 "
              "1991 1992 1993 " +
                  unknown + "2010 ");
    browser.SortBy(SoftwareColumn::Year, true);
    EXPECT_EQ(column(year).substr(0, 20), "2010 " + unknown.substr(0, 15));
    // The filter and a new load keep the order chosen.
    browser.SetFilter("smb3");
    EXPECT_EQ(column(year), "19?? 19?? 19?? 19?? 19?? 1991 1990 1990 1988 1988 ");
    browser.SetFilter("smb");
    browser.Load(&db, "nes");
    EXPECT_EQ(browser.Row(0).year, "2010");

    // Empty values last either way: an item owned, one audited.
    for (const bool descending : {false, true}) {
        browser.SortBy(SoftwareColumn::Owned, descending);
        EXPECT_EQ(browser.Row(0).name, "smb3");
        browser.SortBy(SoftwareColumn::Verdict, descending);
        EXPECT_EQ(browser.Row(0).name, "smb");
        EXPECT_EQ(browser.Row(1).name, "25smb");  // the others by name
    }
    browser.SortBy(SoftwareColumn::Name, true);
    EXPECT_EQ(column(name).substr(0, 21), "zelda tinchoml superk");
    browser.SortBy(SoftwareColumn::Publisher, false);
    EXPECT_EQ(browser.Row(0).publisher + "|" + browser.Row(29).publisher, "<pirate>|Nintendo");
}

}  // namespace
}  // namespace arc
