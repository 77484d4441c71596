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

TEST_F(UnzipCommandTest, ListPrintsOneNamePerLine) {
    EXPECT_EQ(Run({archive, "--list"}), 0);
    EXPECT_EQ(out.str(), "history.dat\nart/pacman.png\n");

    WriteFile(dir.file("text.zip"), "plain text");
    EXPECT_EQ(Run({dir.file("text.zip"), "--list"}), 1);
    EXPECT_NE(err.str().find("Erreur 2 - Le fichier "), std::string::npos);
}

TEST_F(UnzipCommandTest, ExtractsAllOneMemberOrByExtension) {
    EXPECT_EQ(Run({archive, "--to", dir.file("all")}), 0);
    EXPECT_EQ(ReadFile(dir.file("all/art/pacman.png")), "png");

    EXPECT_EQ(Run({archive, "--to", dir.file("one"), "--member", "ART\\PACMAN.PNG"}), 0);
    EXPECT_EQ(ReadFile(dir.file("one/pacman.png")), "png");
    EXPECT_EQ(Run({archive, "--to", dir.file("one"), "--member", "nothing.txt"}), 1);
    EXPECT_NE(err.str().find("no member named nothing.txt"), std::string::npos);

    EXPECT_EQ(Run({archive, "--to", dir.file("ext"), "--ext", "DAT"}), 0);
    EXPECT_EQ(out.str(), "1 file(s) extracted\n");
    EXPECT_EQ(Run({archive, "--to", dir.file("ext"), "--ext", "wav"}), 1);
}

TEST_F(UnzipCommandTest, FailedMembersAndBadUsageGiveNonZeroCodes) {
    EXPECT_EQ(Run({dir.file("bad.zip"), "--to", dir.file("bad")}), 1);
    EXPECT_NE(err.str().find("Erreur 5 - Erreur de checksum dans "), std::string::npos);
    EXPECT_EQ(ReadFile(dir.file("bad/ok.txt")), "ok");

    EXPECT_EQ(Run({dir.file("missing.zip"), "--to", dir.file("none")}), 1);
    EXPECT_NE(err.str().find("missing.zip"), std::string::npos) << err.str();
    EXPECT_EQ(Run({}), 2);
    EXPECT_EQ(Run({archive, "--member", "a", "--ext", "b"}), 2);
    EXPECT_EQ(Run({archive, "--bogus"}), 2);
}

}  // namespace
}  // namespace arc::test
