// A real build process killed in each phase, and a file system that fills up:
// the previous database survives every one of them.

#include <signal.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <thread>

#include "pipeline/BuildTestSupport.h"
#include "support/TestSupport.h"

namespace arc {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::WriteFile;
constexpr const char* kGames = "SELECT count(*) FROM Data";

/// A listxml of `games` sets of four ROMs each.
std::string GeneratedListXml(int games) {
    std::string xml = "<?xml version=\"1.0\"?>\n<mame build=\"0.251\">\n";
    for (int i = 0; i < games; ++i) {
        xml += "<machine name=\"game" + std::to_string(i) + "\"><description>G</description>";
        for (int rom = 0; rom < 4; ++rom)
            xml += "<rom name=\"" + std::to_string(rom) + "\" size=\"4096\" sha1=\"" +
                   std::string(40, 'a') + "\"/>";
        xml += "</machine>\n";
    }
    return xml + "</mame>\n";
}

class BuildFaults : public test::ProgramFolderTest {
  protected:
    // A fresh --home: the program fills it with its template.
    BuildFaults() { WriteFile(small, GeneratedListXml(3)); }
    ~BuildFaults() override { CloseDatabase(); }

    /// Starts `arcanote-cli --home HOME --yes build --db DB --listxml LIST`,
    /// its output in home/<name>out.txt and home/<name>err.txt.
    pid_t Start(const std::string& list, const std::string& name = "") {
        const pid_t pid = fork();
        if (pid != 0) return pid;
        std::freopen(home.file(name + "out.txt").c_str(), "w", stdout);
        std::freopen(home.file(name + "err.txt").c_str(), "w", stderr);
        const std::string program = test::BinDir() + "/arcanote-cli";
        execl(program.c_str(), program.c_str(), "--home", home.str().c_str(), "--yes", "build",
              "--db", database.c_str(), "--listxml", list.c_str(), "--data", "program", nullptr);
        _exit(127);
    }
    static int Finish(pid_t pid) {
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    int Build(const std::string& list) { return Finish(Start(list)); }

    /// Waits until the process holds a file named `name` open.
    static bool WaitForOpenFile(pid_t pid, const std::string& name) {
        for (int i = 0; i < 5000; ++i) {
            std::error_code ec;
            for (fs::directory_iterator it("/proc/" + std::to_string(pid) + "/fd", ec);
                 !ec && it != fs::directory_iterator(); it.increment(ec))
                if (fs::read_symlink(it->path(), ec).filename() == name) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return false;
    }

    std::string small = home.file("small.xml");
    std::string database = home.file("games.mdb");
};

TEST_F(BuildFaults, KilledBuildKeepsThePreviousDatabase) {
    ASSERT_EQ(Build(small), 0) << ReadFile(home.file("err.txt"));
    ASSERT_EQ(test::QueryIn(database, kGames), "3");
    WriteFile(home.file("big.xml"), GeneratedListXml(20000));
    std::string catver = "[Category]\n";
    for (int i = 0; i < 300000; ++i)
        catver += "game" + std::to_string(i) + "=Maze\n";
    WriteFile(home.file("ini/catver.ini"), catver);
    // Killed during the XML import, then during a support file; each twice in a row.
    for (const char* phase : {"big.xml", "catver.ini"}) {
        for (int sig : {SIGKILL, SIGTERM, SIGKILL, SIGTERM}) {
            SCOPED_TRACE(std::string(phase) + " " + std::to_string(sig));
            const pid_t pid = Start(phase == std::string("big.xml") ? home.file("big.xml") : small);
            EXPECT_TRUE(WaitForOpenFile(pid, phase));
            kill(pid, sig);
            EXPECT_EQ(Finish(pid), 128 + sig);
            EXPECT_EQ(test::QueryIn(database, kGames), "3");
        }
    }
    EXPECT_EQ(Build(small), 0) << ReadFile(home.file("err.txt"));
    EXPECT_EQ(ReadFile(home.file("out.txt")), "Database created.\n");
    EXPECT_EQ(test::QueryIn(database, kGames), "3");
    EXPECT_EQ(test::QueryIn(database + ".bak", kGames), "3");
}

// Regression: two builds of one database that overlapped both failed.
TEST_F(BuildFaults, OverlappingBuildIsRefusedAtOnceAndTheFirstCompletes) {
    ASSERT_EQ(Build(small), 0) << ReadFile(home.file("err.txt"));
    WriteFile(home.file("big.xml"), GeneratedListXml(20000));
    const pid_t first = Start(home.file("big.xml"), "first");
    ASSERT_TRUE(WaitForOpenFile(first, "big.xml"));
    EXPECT_EQ(Finish(Start(small, "second")), 1);
    EXPECT_NE(
        ReadFile(home.file("seconderr.txt")).find("another build of this database is running"),
        std::string::npos)
        << ReadFile(home.file("seconderr.txt"));
    EXPECT_EQ(test::QueryIn(database, kGames), "3");  // a reader meanwhile
    EXPECT_EQ(Finish(first), 0) << ReadFile(home.file("firsterr.txt"));
    EXPECT_EQ(test::QueryIn(database, kGames), "20000");
}

TEST_F(BuildFaults, FullFileSystemFailsTheBuildAndKeepsThePreviousDatabase) {
    const std::string disk = home.file("disk");
    fs::create_directories(disk);
    if (mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=2m") != 0)
        GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    std::shared_ptr<void> unmount(nullptr, [&](void*) { umount2(disk.c_str(), MNT_DETACH); });
    database = disk + "/games.mdb";
    ASSERT_EQ(Build(small), 0) << ReadFile(home.file("err.txt"));
    const std::string previous = ReadFile(database);
    WriteFile(home.file("big.xml"), GeneratedListXml(20000));
    // Full while filling the database, then too full for the template's copy.
    for (const std::size_t free : {std::size_t{0}, std::size_t{40000}}) {
        if (free) WriteFile(disk + "/filler", std::string((2 << 20) - previous.size() - free, 'x'));
        EXPECT_EQ(Build(free ? small : home.file("big.xml")), 1);
        EXPECT_EQ(ReadFile(home.file("out.txt")), "");
        EXPECT_NE(ReadFile(home.file("err.txt")).find("The database was not created"),
                  std::string::npos);
        EXPECT_EQ(ReadFile(database), previous);
        int files = 0;
        for (const auto& entry : fs::directory_iterator(disk))
            files += entry.path().filename() != "filler";
        EXPECT_EQ(files, 1) << "a partial file was left";
    }
}

}  // namespace
}  // namespace arc
