// The import of the installed emulator's whole list by both methods. Slow
// (about a minute); runs only with ARCANOTE_REAL_MAME=1 and /usr/games/mame
// present.

#include <gtest/gtest.h>

#include "core/Log.h"
#include "core/TextFile.h"
#include "database/Database.h"
#include "support/TestSupport.h"
#include "xmlimport/ListXmlImport.h"

namespace arc {
namespace {

/// A text as the document model gives it: the fast method keeps the
/// character references as written.
std::string Decoded(std::string text) {
    for (const auto& [reference, character] :
         {std::pair{"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}, {"&amp;", '&'}})
        for (std::size_t at = 0; (at = text.find(reference, at)) != std::string::npos; ++at)
            text.replace(at, std::string_view(reference).size(), 1, character);
    return text;
}

class RealEmulatorTest : public test::ProgramFolderTest {
  protected:
    void SetUp() override {
        std::string why;
        list = test::RealEmulatorList(why);
        if (list.empty()) GTEST_SKIP() << why;
    }
    void TearDown() override { CloseDatabase(); }
    std::string list;
};

TEST_F(RealEmulatorTest, WholeListGivesTheSameGamesByBothMethods) {
    int games = 0;
    {
        LineReader reader(list, true);
        std::string_view line;
        while (reader.NextView(line))
            if (line.find("<machine ") != std::string_view::npos &&
                line.find("isdevice=\"yes\"") == std::string_view::npos)
                ++games;
    }
    for (const char* method : {"document", "fast"}) {
        SCOPED_TRACE(method);
        CloseDatabase();
        std::string error;
        ASSERT_TRUE(CreateTemplateDatabase(home.file(method) + ".mdb", &error)) << error;
        ASSERT_TRUE(OpenDatabase(home.file(method) + ".mdb"));
        test::RecordedProgress progress;
        ASSERT_TRUE(ImportListXml(
            list, progress,
            std::string_view(method) == "fast" ? ImportMethod::Fast : ImportMethod::Document));
        EXPECT_EQ(ErrorBlockCount(), 0);
        // No device is a game.
        EXPECT_EQ(QueryValue("SELECT count(*) FROM Data"), std::to_string(games));
    }
    // Row by row, fast.mdb (open) against document.mdb.
    Execute("ATTACH DATABASE '" + SqlQuote(home.file("document.mdb")) + "' AS document");
    for (const std::string table : {"Data", "Rom", "Disk", "Chip", "BiosSet", "DipSwitch"}) {
        Statement fast("SELECT * FROM main." + table + " ORDER BY rowid");
        Statement document("SELECT * FROM document." + table + " ORDER BY rowid");
        int row = 0;
        int differences = 0;
        for (;; ++row) {
            const bool more = fast.Step();
            ASSERT_EQ(more, document.Step()) << table << ": row counts differ after " << row;
            if (!more) break;
            for (int column = 0; column < fast.ColumnCount(); ++column)
                if (fast.IsNull(column) != document.IsNull(column) ||
                    Decoded(fast.ColumnText(column)) != document.ColumnView(column))
                    if (++differences <= 5)
                        ADD_FAILURE()
                            << table << " row " << row << " " << fast.ColumnName(column) << ": "
                            << fast.ColumnText(column) << " / " << document.ColumnText(column);
        }
        EXPECT_EQ(differences, 0) << table;
        EXPECT_GT(row, 0) << table;
    }
}

}  // namespace
}  // namespace arc
