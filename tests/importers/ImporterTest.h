#pragma once
// A fresh database with a few sets, and the support file written by the test.

#include <optional>
#include <string>
#include <vector>

#include "database/Database.h"
#include "database/Schema.h"
#include "importers/Importers.h"
#include "support/TestSupport.h"

namespace arc::test {

class ImporterTest : public ProgramFolderTest {
  protected:
    ImporterTest() {
        std::string error;
        EXPECT_TRUE(CreateTemplateDatabase(home.file("Arcanote.mdb"), &error)) << error;
        EXPECT_TRUE(OpenDatabase(home.file("Arcanote.mdb")));
    }
    ~ImporterTest() override { CloseDatabase(); }

    void AddSets(const std::vector<std::string>& names) {
        Statement insert("INSERT INTO Data (InternalName) VALUES (?)");
        for (const std::string& name : names) {
            insert.Bind(1, name);
            insert.Run();
        }
    }

    /// Writes the support file into the program folder and returns its path.
    std::string Support(const std::string& name, const std::string& text) {
        WriteFile(home.file(name), text);
        return home.file(name);
    }
    /// Writes the support file and runs the importer on it.
    bool Import(Importer import, const std::string& name, const std::string& text) {
        return import(Support(name, text), progress, nullptr);
    }

    std::optional<std::string> Field(const std::string& set, const std::string& field) {
        Statement select("SELECT " + field + " FROM Data WHERE InternalName=?");
        select.Bind(1, set);
        if (!select.Step() || select.IsNull(0)) return std::nullopt;
        return select.ColumnText(0);
    }
    RecordedProgress progress;
};

}  // namespace arc::test
