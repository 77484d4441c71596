#pragma once
// A program folder with a small game database and a destination folder.

#include <initializer_list>
#include <string>
#include <utility>

#include "sheets/SheetRun.h"
#include "support/TestSupport.h"

namespace arc::test {

using Fields = std::initializer_list<std::pair<const char*, const char*>>;

class SheetTest : public ProgramFolderTest {
  protected:
    SheetTest();
    ~SheetTest() override;

    /// Adds a Data row; fields not given stay Null.
    void AddGame(const std::string& name, const std::string& title, Fields fields = {});
    /// Adds a row to any table (values as text; "NULL" not special).
    void AddRow(const std::string& table, Fields fields);
    /// Adds a History row and links the games to it.
    void AddHistory(std::initializer_list<const char*> games, Fields fields);

    /// A run into site/ with the folders of a real run, no skin.
    SheetRun NewRun() const;
    /// A page under site/html/ ("" when missing).
    std::string Page(const std::string& name) const { return ReadFile(site + "html/" + name); }
    bool PageExists(const std::string& name) const;

    std::string database;
    std::string site;  ///< trailing "/"
    std::string art;   ///< art folders are art + "k/" for kinds 0..5
    RecordedProgress progress;
};

}  // namespace arc::test
