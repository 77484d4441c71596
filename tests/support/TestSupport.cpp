#include "support/TestSupport.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "core/Files.h"
#include "core/Log.h"
#include "core/ProgramFolder.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/TextTable.h"
#include "database/Database.h"

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

std::string RealEmulatorList(std::string& why) {
    namespace fs = std::filesystem;
    constexpr const char* kEmulator = "/usr/games/mame";
    const char* wanted = std::getenv("ARCANOTE_REAL_MAME");
    if (!wanted || std::string_view(wanted) != "1") {
        why = "set ARCANOTE_REAL_MAME=1 to run";
        return {};
    }
    std::error_code ec;
    if (!fs::exists(kEmulator, ec)) {
        why = std::string(kEmulator) + " is not installed";
        return {};
    }
    const fs::path folder = fs::path(BinDir()).parent_path() / "temp";
    fs::create_directories(folder, ec);
    const fs::path list = folder / "listxml-real.xml";
    // Test programs may run side by side: one makes the list, the others wait.
    const int lock = ::open((folder / "listxml-real.lock").c_str(), O_CREAT | O_RDWR, 0644);
    if (lock >= 0) ::flock(lock, LOCK_EX);
    if (!fs::exists(list, ec) ||
        fs::last_write_time(list, ec) < fs::last_write_time(kEmulator, ec)) {
        const fs::path part = folder / "listxml-real.part";
        const int code =
            RunAndWait(std::string(kEmulator) + " -listxml > '" + part.string() + "' 2>/dev/null");
        if (code == 0)
            fs::rename(part, list, ec);
        else
            why = "the emulator's -listxml failed (exit code " + std::to_string(code) + ")";
    }
    if (lock >= 0) ::close(lock);
    return fs::exists(list, ec) && why.empty() ? list.string() : std::string();
}

void StartFreshProgramFolder(const TempDir& home) {
    ResetLog();
    SetProgramFolder(home.str());
    std::filesystem::create_directories(home.str() + "Temp/");
    TheSettings() = DefaultSettings();
    BuildTextTable();
}

ProgramFolderTest::ProgramFolderTest() : tmpdir_("TMPDIR", home.str() + "Temp/") {
    StartFreshProgramFolder(home);
}

ProgramFolderTest::~ProgramFolderTest() {
    ResetLog();
}

ScopedEnv::ScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) saved_ = old;
    setenv(name, value.c_str(), 1);
}

ScopedEnv::~ScopedEnv() {
    saved_ ? setenv(name_, saved_->c_str(), 1) : unsetenv(name_);
}

std::string QueryIn(const std::string& database, const std::string& sql) {
    if (!OpenDatabase(database)) return "<not opened>";
    const std::string value = QueryValue(sql);
    CloseDatabase();
    return value;
}

}  // namespace arc::test
