// Times the listxml import into a fresh database against `xmllint --stream
// --noout` on the same file, each in a child process so that its peak
// resident memory is its own.
//
//   listxml_import_bench [--file LISTXML] [--methods fast,dom] [--machines N]
//
// Without --file the emulator's own output is used when `mame` is installed
// (run once with -listxml into a temporary file), else a synthetic file of N
// machines (default 45294, the size of the emulator 0.251's list).

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "ChildRun.h"
#include "EmulatorList.h"
#include "SyntheticListXml.h"
#include "core/Log.h"
#include "core/ProgramFolder.h"
#include "core/Progress.h"
#include "database/Database.h"
#include "xmlimport/ListXmlImport.h"

namespace fs = std::filesystem;
using arc::bench::Measure;
using arc::bench::Run;

namespace {

/// A fresh copy of the template, as a build makes it, then the import.
int Import(const std::string& file, const fs::path& folder, const std::string& method) {
    arc::SetProgramFolder(folder.string());
    const std::string database = (folder / (method + ".mdb")).string();
    std::error_code ec;
    fs::copy_file(folder / "template.mdx", database, fs::copy_options::overwrite_existing, ec);
    if (ec || !arc::OpenDatabase(database, arc::DatabaseUse::Build)) {
        std::cerr << "cannot make " << database << '\n';
        return 1;
    }
    arc::TaskProgress progress;
    if (method == "dom") {
        if (arc::ImportListXmlDocument(file, progress) != arc::DocumentResult::Imported) {
            std::cerr << "the document was not imported\n";
            return 1;
        }
    } else {
        arc::ImportListXmlFast(file, progress);
    }
    std::cout << "  " << method << " rows:";
    for (const char* table : {"Data", "Rom", "Chip", "DipSwitch", "BiosSet", "Disk", "History"})
        std::cout << ' ' << table << ' '
                  << arc::QueryValue(std::string("SELECT count(*) FROM ") + table);
    std::cout << '\n';
    arc::CloseDatabase();
    return arc::ErrorBlockCount() == 0 ? 0 : 3;
}

}  // namespace

int main(int argc, char** argv) {
    std::string file;
    std::string methods = "fast,dom";
    long machines = 45294;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--file")
            file = argv[i + 1];
        else if (option == "--methods")
            methods = argv[i + 1];
        else if (option == "--machines")
            machines = std::atol(argv[i + 1]);
    }
    const fs::path folder =
        fs::temp_directory_path() / ("arcanote-bench-" + std::to_string(getpid()));
    fs::create_directories(folder);
    if (file.empty() && arc::bench::HasEmulator()) {
        file = (folder / "listxml.txt").string();
        std::cout << "running the emulator's -listxml into " << file << '\n';
        if (!arc::bench::WriteEmulatorList(file)) file.clear();
    }
    if (file.empty()) {
        file = (folder / "synthetic.xml").string();
        std::ofstream out(file, std::ios::binary);
        arc::bench::SyntheticListXml xml;
        xml.WriteHeader(out);
        for (long m = 0; m < machines; ++m)
            xml.WriteMachine(out, m);
        xml.WriteFooter(out);
        std::cout << "synthetic listxml of " << machines << " machines: " << file << '\n';
    }
    // In a child: the engine starts in each import as it does in a build
    // (its settings are taken only before it starts).
    const Run made = Measure("template", [&] {
        std::string error;
        if (arc::CreateTemplateDatabase((folder / "template.mdx").string(), &error)) return 0;
        std::cerr << error << '\n';
        return 1;
    });
    if (made.status != 0) return 1;
    std::cout << "file: " << file << " (" << fs::file_size(file) / (1 << 20) << " MB)\n";

    std::vector<Run> runs;
    runs.push_back(Measure("xmllint --stream --noout", [&] {
        execlp("xmllint", "xmllint", "--stream", "--noout", file.c_str(),
               static_cast<char*>(nullptr));
        return 127;
    }));
    for (const std::string method : {"fast", "dom"})
        if (methods.find(method) != std::string::npos)
            runs.push_back(
                Measure(method + " import", [&] { return Import(file, folder, method); }));

    std::printf("\n%-26s %9s %9s %10s %7s\n", "run", "wall s", "cpu s", "peak MB", "exit");
    for (const Run& run : runs)
        std::printf("%-26s %9.2f %9.2f %10.1f %7d\n", run.name.c_str(), run.wall, run.cpu,
                    run.peakKb / 1024.0, run.status);
    if (runs.size() > 1 && runs[1].name == "fast import") {
        std::printf(
            "\nfast import / xmllint: %.2fx wall, %.2fx cpu (target at most 1.5x); "
            "peak %.1f MB (target under 200 MB)\n",
            runs[1].wall / runs[0].wall, runs[1].cpu / runs[0].cpu, runs[1].peakKb / 1024.0);
    }
    std::error_code ec;
    fs::remove_all(folder, ec);
    return 0;
}
