#include "FuzzSupport.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/Log.h"
#include "core/ProgramFolder.h"
#include "core/Progress.h"
#include "core/ScriptedUi.h"
#include "core/Settings.h"
#include "core/TextTable.h"
#include "database/Database.h"
#include "database/Schema.h"

namespace fs = std::filesystem;

namespace arc::fuzz {
namespace {

struct Scratch {
    Scratch() {
        // In memory when possible: every input writes files and a database.
        std::error_code ec;
        std::string pattern =
            (fs::is_directory("/dev/shm", ec) ? "/dev/shm" : fs::temp_directory_path().string()) +
            "/arcanote-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) std::abort();
        folder = std::string(pattern) + "/";
        SetProgramFolder(folder);
        BuildTextTable();
        std::string error;
        if (!CreateTemplateDatabase(folder + "template.mdb", &error)) {
            std::fprintf(stderr, "template database: %s\n", error.c_str());
            std::abort();
        }
    }
    ~Scratch() {
        std::error_code ec;
        fs::remove_all(folder, ec);
    }
    std::string folder;
    ScopedScriptedUi ui;
};

Scratch& TheScratch() {
    static Scratch scratch;
    return scratch;
}

}  // namespace

void ResetForInput() {
    Scratch& scratch = TheScratch();
    CloseDatabase();
    ResetLog();
    SetProgramFolder(scratch.folder);
    fs::create_directories(scratch.folder + "Temp/");
    setenv("TMPDIR", (scratch.folder + "Temp/").c_str(), 1);
    TheSettings() = DefaultSettings();
    scratch.ui.ui = ScriptedUi{};
    std::error_code ec;
    fs::remove(LogFilePath(), ec);
}

std::string WriteInput(std::string_view name, std::string_view bytes) {
    const fs::path path = TheScratch().folder + std::string(name);
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path.string();
}

std::string WriteInput(std::string_view name, const std::uint8_t* data, std::size_t size) {
    return WriteInput(name, std::string_view(reinterpret_cast<const char*>(data), size));
}

void OpenFreshDatabase(std::initializer_list<std::string_view> sets) {
    const std::string& folder = TheScratch().folder;
    const std::string path = folder + "work.mdb";
    std::error_code ec;
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        fs::remove(path + suffix, ec);
    fs::copy_file(folder + "template.mdb", path, ec);
    if (ec || !OpenDatabase(path)) std::abort();
    Statement insert("INSERT INTO Data (InternalName) VALUES (?)");
    for (std::string_view set : sets) {
        insert.Bind(1, std::string(set));
        insert.Run();
    }
}

void CloseFreshDatabase() {
    CloseDatabase();
}

std::size_t LineCount(std::string_view bytes) {
    return static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
}

}  // namespace arc::fuzz
