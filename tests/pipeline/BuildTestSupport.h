#pragma once
// A program folder ready for a build: the template, a stand-in emulator that
// records its calls, and support files written by the tests.

#include <sqlite3.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

#include "core/Settings.h"
#include "database/Database.h"
#include "database/Schema.h"
#include "pipeline/BuildPipeline.h"
#include "support/TestSupport.h"

namespace arc::test {

/// A listxml of three sets in today's format.
inline std::string SmallListXml() {
    return "<?xml version=\"1.0\"?>\n<mame build=\"0.999 (test)\">\n"
           "<machine name=\"pacman\" sourcefile=\"pacman.cpp\" cloneof=\"puckman\">\n"
           "<description>Pac-Man (Midway)</description><year>1980</year>\n"
           "<display type=\"raster\" rotate=\"90\" width=\"288\" height=\"224\"/>\n"
           "</machine>\n<machine name=\"puckman\" sourcefile=\"pacman.cpp\">\n"
           "<description>PuckMan (Japan set 1)</description><year>1980</year>\n</machine>\n"
           "<machine name=\"mk\" sourcefile=\"midtunit.cpp\">\n"
           "<description>Mortal Kombat</description><year>1992</year>\n</machine>\n</mame>\n";
}

/// Every row of every table of the database, in table and row order.
inline std::string AllRows(const std::string& database) {
    if (!OpenDatabase(database)) return "<not opened>";
    std::string rows;
    const std::string tables = QueryValue(
        "SELECT group_concat(name, ' ') FROM (SELECT name FROM sqlite_master WHERE type='table' "
        "AND name NOT LIKE 'sqlite_%' ORDER BY name)");
    std::istringstream names(tables);
    for (std::string table; names >> table;) {
        sqlite3_stmt* statement = nullptr;
        const std::string sql = "SELECT * FROM \"" + table + "\" ORDER BY rowid";
        if (sqlite3_prepare_v2(DatabaseHandle(), sql.c_str(), -1, &statement, nullptr) != SQLITE_OK)
            continue;  // a table without rowid
        rows += "[" + table + "]\n";
        while (sqlite3_step(statement) == SQLITE_ROW) {
            for (int i = 0; i < sqlite3_column_count(statement); ++i) {
                const auto* text = sqlite3_column_text(statement, i);
                rows += text ? reinterpret_cast<const char*>(text) : "<null>";
                rows += '|';
            }
            rows += '\n';
        }
        sqlite3_finalize(statement);
    }
    CloseDatabase();
    return rows;
}

class BuildTest : public ProgramFolderTest {
  protected:
    BuildTest() {
        std::string error;
        EXPECT_TRUE(CreateTemplateDatabase(home.file("Arcanote.mdx"), &error)) << error;
        WriteFile(home.file("fake/listxml.xml"), SmallListXml());
        mame = home.file("fake/mame");
        WriteFile(mame, "#!/bin/sh\necho \"$1\" >> \"" + home.file("calls.txt") +
                            "\"\ncase \"$1\" in\n"
                            "  -help) printf '\\nMAME v0.999 (fake)  \\nUsage: mame\\n' ;;\n"
                            "  -listxml) cat \"" +
                            home.file("fake/listxml.xml") +
                            "\" ;;\n"
                            "esac\n");
        chmod(mame.c_str(), 0755);
        TheSettings().MameExe = mame;
        TheSettings().DatabasePath = home.file("Arcanote.mdb");
        for (std::string& path : TheSettings().DataFilePaths)
            path = home.file("elsewhere/none");
    }
    ~BuildTest() override { CloseDatabase(); }

    /// The request the desktop makes for the settings' database.
    static BuildRequest Request(std::string listXml = {}) {
        BuildRequest request = BuildRequestFrom(TheSettings(), TheSettings().DatabasePath,
                                                RememberedImportChoices(TheSettings()));
        request.listXml = std::move(listXml);
        return request;
    }
    BuildOutcome Run(const BuildRequest& request) {
        return RunShown([&](TaskContext& context) { return RunBuild(request, context); }, {}, ui());
    }
    static EmulatorNames Emulator() { return {TheSettings().MameExe, TheSettings().MameFolder}; }

    /// What the stand-in emulator was asked, one option per line.
    std::string Calls() { return ReadFile(home.file("calls.txt")); }

    std::string mame;
};

}  // namespace arc::test
