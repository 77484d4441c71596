#pragma once
// A small game database and ROM folder for the collection tests.

#include <stdlib.h>

#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace arc::test {

/// One Data row; empty texts are stored as Null, and only owned games carry GotIt.
struct GameRow {
    std::string name{}, title{}, year{}, manufacturer{}, genre{}, cloneOf{};
    bool gotIt = false;
};

/// A fresh program folder whose DatabasePath holds the games of MakeGames and
/// whose RomsFolder is the empty folder "roms/"; the trash is "xdg/Trash/" in it.
class CollectionTest : public ProgramFolderTest {
  protected:
    CollectionTest();
    ~CollectionTest() override { unsetenv("XDG_DATA_HOME"); }
    void MakeGames(const std::vector<GameRow>& games);
    /// Creates roms/<name> (an archive of `bytes`, or a folder when name ends with "/").
    void AddRom(const std::string& name, const std::string& bytes = "PK\x03\x04 rom");
    std::string Roms() const { return home.str() + "roms/"; }
    /// Names of the owned games, sorted.
    std::vector<std::string> Owned();
};

}  // namespace arc::test
