// Faults of a real build process: builds killed in each phase, and a file
// system that fills up. The previous database must survive every one of them.

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

#include "database/Database.h"
#include "support/TestSupport.h"

namespace arc {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::WriteFile;

/// A listxml of `games` sets, each with a few ROMs.
std::string GeneratedListXml(int games) {
    std::string xml = "<?xml version=\"1.0\"?>\n<mame build=\"0.251\">\n";
    for (int i = 0; i < games; ++i) {
        const std::string name = "game" + std::to_string(i);
        xml += "\t<machine name=\"" + name + "\" sourcefile=\"drv.cpp\">\n\t\t<description>" +
               name + "</description>\n\t\t<year>1990</year>\n";
        for (int rom = 0; rom < 4; ++rom)
            xml += "\t\t<rom name=\"" + name + "." + std::to_string(rom) +
                   "\" size=\"4096\" crc=\"0123abcd\" sha1=\"" + std::string(40, 'a') + "\"/>\n";
        xml += "\t</machine>\n";
    }
    return xml + "</mame>\n";
}

extern "C" char** environ;

class BuildFaults : public test::ProgramFolderTest {
  protected:
    BuildFaults() {
        // A fresh --home: the program fills it with the template itself.
        WriteFile(small, GeneratedListXml(3));
        if (Build(small) != 0) ADD_FAILURE() << ReadFile(home.file("err.txt"));
    }
    ~BuildFaults() override { CloseDatabase(); }

    /// Starts `arcanote-cli --home HOME --yes build --db DB --listxml LIST`.
    pid_t Start(const std::string& list) {
        const std::vector<std::string> args = {test::BinDir() + "/arcanote-cli",
                                               "--home",
                                               home.str(),
                                               "--yes",
                                               "build",
                                               "--db",
                                               database,
                                               "--listxml",
                                               list,
                                               "--method",
                                               "fast",
                                               "--data",
                                               "program"};
        std::vector<char*> argv;
        for (const std::string& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, home.file("out.txt").c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&actions, 2, home.file("err.txt").c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        pid_t pid = -1;
        EXPECT_EQ(posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&actions);
        return pid;
    }
    static int Finish(pid_t pid) {
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    int Build(const std::string& list) { return Finish(Start(list)); }

    /// Waits until the process holds a file whose name ends with `name` open.
    static bool WaitForOpenFile(pid_t pid, const std::string& name) {
        const std::string fds = "/proc/" + std::to_string(pid) + "/fd";
        for (int i = 0; i < 5000; ++i) {
            std::error_code ec;
            for (fs::directory_iterator it(fds, ec); !ec && it != fs::directory_iterator();
                 it.increment(ec)) {
                const std::string target = fs::read_symlink(it->path(), ec).string();
                if (target.size() >= name.size() &&
                    target.compare(target.size() - name.size(), name.size(), name) == 0)
                    return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return false;
    }

    /// The games of the database; "" when it does not open.
    std::string Games() {
        if (!OpenDatabase(database)) return "";
        const std::string count = QueryValue("SELECT count(*) FROM Data");
        CloseDatabase();
        return count;
    }

    std::string small = home.file("small.xml");
    std::string database = home.file("games.mdb");
};

TEST_F(BuildFaults, KilledBuildKeepsThePreviousDatabase) {
    ASSERT_TRUE(fs::exists(home.file("Arcanote.mdx")));  // the fresh home was filled
    ASSERT_EQ(Games(), "3");
    const std::string big = home.file("big.xml");
    WriteFile(big, GeneratedListXml(20000));
    std::string catver = "[Category]\n";
    for (int i = 0; i < 300000; ++i)
        catver += "game" + std::to_string(i) + "=Maze\n";
    WriteFile(home.file("ini/catver.ini"), catver);

    const struct {
        const char* phase;
        const std::string& list;
        std::string openFile;
    } phases[] = {{"XML import", big, "big.xml"}, {"support file", small, "catver.ini"}};
    for (const auto& phase : phases) {
        for (int sig : {SIGKILL, SIGTERM}) {
            SCOPED_TRACE(std::string(phase.phase) + " signal " + std::to_string(sig));
            for (int time = 0; time < 2; ++time) {  // twice in a row
                const pid_t pid = Start(phase.list);
                EXPECT_TRUE(WaitForOpenFile(pid, phase.openFile));
                kill(pid, sig);
                EXPECT_EQ(Finish(pid), 128 + sig);
                EXPECT_EQ(Games(), "3");
            }
        }
    }
    EXPECT_EQ(Build(small), 0) << ReadFile(home.file("err.txt"));
    EXPECT_EQ(ReadFile(home.file("out.txt")), "Database created.\n");
    EXPECT_EQ(Games(), "3");
    database += ".bak";
    EXPECT_EQ(Games(), "3");
}

/// A small file system mounted for the test, or nothing where mounting is refused.
struct SmallMount {
    explicit SmallMount(const std::string& folder) : folder(folder) {
        fs::create_directories(folder);
        mounted = mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=2m") == 0;
    }
    ~SmallMount() {
        if (mounted) umount2(folder.c_str(), MNT_DETACH);
    }
    std::string folder;
    bool mounted = false;
};

TEST_F(BuildFaults, FullFileSystemFailsTheBuildAndKeepsThePreviousDatabase) {
    SmallMount disk(home.file("disk"));
    if (!disk.mounted) GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    database = disk.folder + "/games.mdb";
    ASSERT_EQ(Build(small), 0) << ReadFile(home.file("err.txt"));
    const std::string previous = ReadFile(database);
    const std::string big = home.file("big.xml");
    WriteFile(big, GeneratedListXml(20000));
    // Full while filling the database, then too full for the template's copy.
    for (const std::size_t filler : {std::size_t{0}, 2 * 1024 * 1024 - previous.size() - 40000}) {
        SCOPED_TRACE(filler);
        if (filler) WriteFile(disk.folder + "/filler", std::string(filler, 'x'));
        EXPECT_EQ(Build(filler ? small : big), 1);
        EXPECT_EQ(ReadFile(home.file("out.txt")), "");
        EXPECT_NE(ReadFile(home.file("err.txt")).find("The database was not created"),
                  std::string::npos)
            << ReadFile(home.file("err.txt"));
        EXPECT_EQ(ReadFile(database), previous);
        std::vector<std::string> left;
        for (const auto& entry : fs::directory_iterator(disk.folder))
            left.push_back(entry.path().filename().string());
        std::sort(left.begin(), left.end());
        EXPECT_EQ(left, (filler ? std::vector<std::string>{"filler", "games.mdb"}
                                : std::vector<std::string>{"games.mdb"}));
    }
}

}  // namespace
}  // namespace arc
