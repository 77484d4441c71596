#include "support/TestSupport.h"

#include <stdlib.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "core/AppState.h"
#include "core/ProgramFolder.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/TextTable.h"

namespace arc::test {

TempDir::TempDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "arcanote-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    // Make everything removable again (tests may drop write permissions).
    for (auto it = std::filesystem::recursive_directory_iterator(path_, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
    }
    std::filesystem::remove_all(path_, ec);
}

std::string TempDir::file(std::string_view relative) const {
    return (path_ / std::filesystem::path(relative)).string();
}

void WriteFile(const std::filesystem::path& path, std::string_view bytes) {
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::string BinDir() {
    return ARCANOTE_BIN_DIR;
}
std::string SourceDir() {
    return ARCANOTE_SOURCE_DIR;
}

ProgramFolderTest::ProgramFolderTest() {
    ResetState();
    SetProgramFolder(home.str());
    State().ErrorTrap = true;
    State().TempFolder = home.str() + "Temp/";
    std::filesystem::create_directories(State().TempFolder);
    TheSettings() = DefaultSettings();
    BuildTextTable();
    Progress() = ProgressState{};
}

ProgramFolderTest::~ProgramFolderTest() {
    ResetState();
}

ScopedEnv::ScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) saved_ = old;
    setenv(name, value.c_str(), 1);
}

ScopedEnv::~ScopedEnv() {
    saved_ ? setenv(name_, saved_->c_str(), 1) : unsetenv(name_);
}

}  // namespace arc::test
