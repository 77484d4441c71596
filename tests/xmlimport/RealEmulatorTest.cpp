// The import on the installed emulator's own output. Runs only with
// ARCANOTE_REAL_MAME=1 and /usr/games/mame present.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "core/AppState.h"
#include "core/Files.h"
#include "database/Database.h"
#include "support/TestSupport.h"
#include "xmlimport/ListXmlImport.h"

namespace arc {
namespace {

constexpr const char* kEmulator = "/usr/games/mame";

class RealEmulatorTest : public test::ProgramFolderTest {
  protected:
    void SetUp() override {
        const char* wanted = std::getenv("ARCANOTE_REAL_MAME");
        if (!wanted || std::string_view(wanted) != "1")
            GTEST_SKIP() << "set ARCANOTE_REAL_MAME=1 to run";
        if (!std::filesystem::exists(kEmulator)) GTEST_SKIP() << kEmulator << " not installed";
        list = home.file("listxml.txt");
        ASSERT_EQ(RunAndWait(std::string(kEmulator) + " -listxml pacman > '" + list + "'"), 0);
    }
    void TearDown() override { CloseDatabase(); }

    void ImportInto(const std::string& name, int method) {
        CloseDatabase();
        const std::string path = home.file(name);
        std::string error;
        ASSERT_TRUE(CreateTemplateDatabase(path, &error)) << error;
        ASSERT_TRUE(OpenDatabase(path));
        State().ImportMethod = method;
        ASSERT_TRUE(ImportListXml());
        EXPECT_EQ(State().ErrorCount, 0);
    }

    std::string Dump(const std::string& sql) {
        Statement select(sql);
        std::string dump;
        while (select.Step()) {
            for (int i = 0; i < select.ColumnCount(); ++i)
                dump += (i ? "|" : "") + select.ColumnText(i);
            dump += "\n";
        }
        return dump;
    }

    std::string list;
};

TEST_F(RealEmulatorTest, PacmanAndItsDevicesThroughBothMethods) {
    const std::string text = test::ReadFile(list);
    std::size_t dipValues = 0;
    for (std::size_t at = text.find("<dipvalue"); at != std::string::npos;
         at = text.find("<dipvalue", at + 1))
        ++dipValues;

    std::string children[2];
    for (int method : {1, 2}) {
        ImportInto(method == 1 ? "fast.mdb" : "document.mdb", method);
        EXPECT_EQ(Dump("SELECT GameName, CloneOf, driver, Year, Working, drivercolor, Sound "
                       "FROM Data WHERE InternalName='pacman'"),
                  "Pac-Man (Midway)|puckman|pacman/pacman.cpp|1980|1|good|1\n");
        EXPECT_EQ(Dump("SELECT Working FROM Data WHERE InternalName='z80'"), "0\n");
        EXPECT_EQ(QueryValue("SELECT count(*) FROM Data"), "9");
        EXPECT_EQ(QueryValue("SELECT count(*) FROM Rom WHERE InternalName='pacman'"), "10");
        EXPECT_EQ(QueryValue("SELECT count(*) FROM DipSwitch"), std::to_string(dipValues));
        // Each switch has exactly one default value.
        EXPECT_EQ(QueryValue("SELECT count(*) FROM (SELECT dipswitchname FROM DipSwitch "
                             "GROUP BY dipswitchname HAVING sum(dipvaluedefault='yes') <> 1)"),
                  "0");
        children[method - 1] = Dump("SELECT * FROM Rom") + Dump("SELECT * FROM Chip") +
                               Dump("SELECT * FROM DipSwitch");
    }
    EXPECT_EQ(children[0], children[1]);
    EXPECT_NE(children[0].find("pacman|Zilog Z80|cpu||3072000"), std::string::npos);
}

}  // namespace
}  // namespace arc
