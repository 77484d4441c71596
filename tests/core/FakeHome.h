#pragma once
// $HOME pointed at a fresh folder for the tests of the emulator's folders.

#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "support/TestSupport.h"

namespace arc::test {

class FakeHome {
  public:
    void Make(const std::string& folder) {
        std::filesystem::create_directories(dir.path() / folder);
    }
    /// An executable shell script standing for the emulator.
    static void Emulator(const std::string& path, const std::string& body) {
        WriteFile(path, "#!/bin/sh\n" + body + "\n");
        ::chmod(path.c_str(), 0755);
    }

    TempDir dir;

  private:
    ScopedEnv home_{"HOME", dir.path().string()};
};

}  // namespace arc::test
