// The ZIP reader and the packer against Info-ZIP on the same data.
//
//   zip_bench [--members N] [--work DIR] [--big-mb M]
//
// Makes a folder of N files (default 20,000) of 5 to 50 KB in the work folder
// (default: a new folder under /tmp, removed at the end), then times:
//   myzip vs "zip -q -r" (default level) on that folder,
//   UnzipAll vs "unzip -qq -o" of the same archive,
//   ListZip vs "unzip -l",
// each in its own process, with its peak resident memory. The peak of
// UnzipAll is also shown on an archive a tenth the size and on one member of
// M MB (default 200): it must not grow with the archive or the member.

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "core/Log.h"
#include "core/ProgramFolder.h"
#include "zip/Unzip.h"

namespace fs = std::filesystem;
using namespace arc;

namespace {

struct Measure {
    double seconds = 0;
    long peakKb = 0;
    int status = 0;
};

/// Runs `work` in a child process; wall time and the child's peak memory.
Measure InChild(const std::function<int()>& work) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) _exit(work());
    int status = 0;
    struct rusage usage {};
    wait4(pid, &status, 0, &usage);
    Measure m;
    m.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    m.peakKb = usage.ru_maxrss;
    m.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return m;
}

/// Runs a program in `folder` with its output thrown away.
Measure Program(const std::vector<std::string>& argv, const std::string& folder) {
    return InChild([&] {
        if (chdir(folder.c_str()) != 0) return 127;
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        std::vector<char*> args;
        for (const std::string& arg : argv)
            args.push_back(const_cast<char*>(arg.c_str()));
        args.push_back(nullptr);
        execvp(args[0], args.data());
        return 127;
    });
}

void Report(const std::string& what, const Measure& m) {
    std::printf("  %-38s %8.2f s   peak %7.1f MB%s\n", what.c_str(), m.seconds, m.peakKb / 1024.0,
                m.status == 0 ? "" : "   (FAILED)");
}

/// Text-like content that deflates about as ROM dumps and artwork do.
std::string Content(std::mt19937& random, std::size_t size) {
    static const char* const kWords[] = {"pacman",  "galaga", "0x1F", "sprite", "tile",
                                         "palette", "cpu",    "z80",  "rom",    "\x01\x02\x03"};
    std::string text;
    text.reserve(size);
    while (text.size() < size) {
        if (random() % 4 == 0) {
            text.push_back(static_cast<char>(random() & 0xFF));
        } else {
            text += kWords[random() % 10];
            text.push_back(' ');
        }
    }
    text.resize(size);
    return text;
}

void MakeFolder(const std::string& folder, int members, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<std::size_t> size(5 * 1024, 50 * 1024);
    for (int i = 0; i < members; ++i) {
        const fs::path path = fs::path(folder) / ("set" + std::to_string(i % 200)) /
                              ("rom" + std::to_string(i) + ".bin");
        if (i < 200) fs::create_directories(path.parent_path());
        FILE* out = std::fopen(path.c_str(), "wb");
        const std::string data = Content(random, size(random));
        std::fwrite(data.data(), 1, data.size(), out);
        std::fclose(out);
    }
}

std::string ExecutableFolder() {
    return fs::read_symlink("/proc/self/exe").parent_path().string();
}

}  // namespace

int main(int argc, char** argv) {
    int members = 20000;
    int bigMb = 200;
    std::string work;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--members") members = std::atoi(argv[i + 1]);
        if (option == "--work") work = argv[i + 1];
        if (option == "--big-mb") bigMb = std::atoi(argv[i + 1]);
    }
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const bool ownWork = work.empty();
    if (ownWork) {
        char pattern[] = "/tmp/arcanote-zip-bench-XXXXXX";
        work = mkdtemp(pattern);
    }
    fs::create_directories(work);
    SetProgramFolder(work);
    const std::string myzip = ExecutableFolder() + "/../bin/myzip";
    const std::string src = work + "/src";
    const std::string small = work + "/small";

    std::printf("Generating %d files of 5-50 KB ...\n", members);
    MakeFolder(src, members, 1);
    MakeFolder(small, members / 10, 2);

    std::printf("Packing (%d files):\n", members);
    Report("myzip", Program({myzip, work + "/my.zip," + src + "/*.*"}, work));
    Report("zip -q -r", Program({"zip", "-q", "-r", work + "/info.zip", "."}, src));
    Program({myzip, work + "/small.zip," + small + "/*.*"}, work);
    std::printf("  archive sizes: myzip %.1f MB, zip %.1f MB\n",
                fs::file_size(work + "/my.zip") / 1048576.0,
                fs::file_size(work + "/info.zip") / 1048576.0);

    for (const std::string& archive : {std::string("info.zip"), std::string("my.zip")}) {
        const std::string path = work + "/" + archive;
        std::printf("Extracting %s:\n", archive.c_str());
        Report("UnzipAll", InChild([&] { return UnzipAll(path, work + "/out-arc").ok() ? 0 : 1; }));
        Report("unzip -qq -o",
               Program({"unzip", "-qq", "-o", path, "-d", work + "/out-info"}, work));
        fs::remove_all(work + "/out-arc");
        fs::remove_all(work + "/out-info");
        std::printf("Listing %s:\n", archive.c_str());
        Report("ListZip", InChild([&] {
                   const ZipListing listing = ListZip(path);
                   const auto files =
                       std::count_if(listing.members.begin(), listing.members.end(),
                                     [](const ZipMemberInfo& m) { return !m.name.ends_with('/'); });
                   return files == members ? 0 : 1;
               }));
        Report("unzip -l", Program({"unzip", "-l", path}, work));
    }

    std::printf("Peak memory of UnzipAll against archive size:\n");
    Report("UnzipAll, " + std::to_string(members / 10) + " members", InChild([&] {
               return UnzipAll(work + "/small.zip", work + "/out-small").ok() ? 0 : 1;
           }));
    {
        std::mt19937 random(3);
        fs::create_directories(work + "/big");
        FILE* out = std::fopen((work + "/big/one.bin").c_str(), "wb");
        for (int i = 0; i < bigMb; ++i) {
            const std::string chunk = Content(random, 1 << 20);
            std::fwrite(chunk.data(), 1, chunk.size(), out);
        }
        std::fclose(out);
        Program({myzip, work + "/big.zip," + work + "/big/*.*"}, work);
        Report("UnzipAll, one member of " + std::to_string(bigMb) + " MB", InChild([&] {
                   return UnzipAll(work + "/big.zip", work + "/out-big").ok() ? 0 : 1;
               }));
        Report(
            "unzip -qq -o, same",
            Program({"unzip", "-qq", "-o", work + "/big.zip", "-d", work + "/out-big-info"}, work));
    }
    if (ownWork) fs::remove_all(work);
    return 0;
}
