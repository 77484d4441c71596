#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "support/TestSupport.h"
#include "zip/ZipBuilder.h"

namespace arc::test {
namespace {

class UnzipCommandTest : public ::testing::Test {
  protected:
    UnzipCommandTest() {
        archive = dir.file("pack.zip");
        RawMember bad{"bad.txt", std::string(2000, 'b')};
        bad.badCrc = true;
        WriteFile(archive, BuildZip({{"history.dat", "h"}, {"art/pacman.png", "png"}}));
        WriteFile(dir.file("bad.zip"), BuildZip({bad, {"ok.txt", "ok"}}));
    }

    int Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"arcanote-cli", "--home", dir.file("home"), "unzip"});
        out.str("");
        err.str("");
        return cli::RunCli(args, out, err);
    }

    TempDir dir;
    std::string archive;
    std::ostringstream out;
    std::ostringstream err;
};

// Each run's exit code and a part of what it prints; a damaged member fails
// the run but the others are extracted.
TEST_F(UnzipCommandTest, RunsGiveTheirExitCodesAndName) {
    WriteFile(dir.file("text.zip"), "plain text");
    const struct {
        std::vector<std::string> args;
        int code;
        std::string told;  // part of the output or error
    } cases[] = {
        {{archive, "--list"}, 0, "history.dat\nart/pacman.png\n"},
        {{dir.file("text.zip"), "--list"}, 1, "Erreur 2 - Le fichier "},
        {{archive, "--to", dir.file("all")}, 0, ""},
        {{archive, "--to", dir.file("one"), "--member", "ART\\PACMAN.PNG"}, 0, ""},
        {{archive, "--to", dir.file("one"), "--member", "x.txt"}, 1, "no member named x.txt"},
        {{archive, "--to", dir.file("ext"), "--ext", "DAT"}, 0, "1 file(s) extracted\n"},
        {{archive, "--to", dir.file("ext"), "--ext", "wav"}, 1, ""},
        {{dir.file("bad.zip"), "--to", dir.file("bad")}, 1, "Erreur 5 - Erreur de checksum dans "},
        {{dir.file("missing.zip"), "--to", dir.file("none")}, 1, "missing.zip"},
        {{}, 2, ""},
        {{archive, "--member", "a", "--ext", "b"}, 2, ""},
        {{archive, "--bogus"}, 2, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        EXPECT_EQ(Run(c.args), c.code);
        EXPECT_NE((out.str() + err.str()).find(c.told), std::string::npos) << err.str();
    }
    EXPECT_EQ(ReadFile(dir.file("all/art/pacman.png")), "png");
    EXPECT_EQ(ReadFile(dir.file("one/pacman.png")), "png");
    EXPECT_EQ(ReadFile(dir.file("ext/history.dat")), "h");
    EXPECT_EQ(ReadFile(dir.file("bad/ok.txt")), "ok");
}

}  // namespace
}  // namespace arc::test
