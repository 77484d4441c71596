#pragma once
// $HOME pointed at a fresh folder for the tests of the emulator's folders.

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/TestSupport.h"

namespace arc::test {

class FakeHome {
  public:
    FakeHome() : saved_(std::getenv("HOME") ? std::getenv("HOME") : "") {
        setenv("HOME", dir.path().c_str(), 1);
    }
    ~FakeHome() { setenv("HOME", saved_.c_str(), 1); }
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
    std::string saved_;
};

}  // namespace arc::test
