#include "cli/CliRunTest.h"
#include "support/ZipBuilder.h"

namespace arc::test {
namespace {

using UnzipCommand = CliRunTest<>;

// Each run's exit code and a part of what it prints; a damaged member fails
// the run but the others are extracted.
TEST_F(UnzipCommand, RunsGiveTheirExitCodesAndName) {
    const std::string archive = home.file("pack.zip");
    WriteZip(archive, {{"history.dat", "h"}, {"art/pacman.png", "png"}});
    RawMember bad{"bad.txt", std::string(2000, 'b')};
    bad.badCrc = true;
    WriteZip(home.file("bad.zip"), {bad, {"ok.txt", "ok"}});
    WriteFile(home.file("text.zip"), "plain text");
    const struct {
        std::vector<std::string> args;
        int code;
        std::string told;  // part of the output or error
    } cases[] = {
        {{archive, "--list"}, 0, "history.dat\nart/pacman.png\n"},
        {{home.file("text.zip"), "--list"}, 1, "text.zip is not a ZIP archive."},
        {{archive, "--to", home.file("all")}, 0, ""},
        {{archive, "--to", home.file("one"), "--member", "ART\\PACMAN.PNG"}, 0, ""},
        {{archive, "--to", home.file("one"), "--member", "x.txt"}, 1, "no member named x.txt"},
        {{archive, "--to", home.file("ext"), "--ext", "DAT"}, 0, "1 file(s) extracted\n"},
        {{archive, "--to", home.file("ext"), "--ext", "wav"}, 1, ""},
        {{home.file("bad.zip"), "--to", home.file("bad")},
         1,
         "bad.txt is damaged (checksum error)"},
        {{home.file("missing.zip"), "--to", home.file("none")}, 1, "missing.zip: no such archive."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        std::vector<std::string> args = c.args;
        args.insert(args.begin(), "unzip");
        EXPECT_EQ(Run(args), c.code);
        EXPECT_NE((out + err).find(c.told), std::string::npos) << err;
    }
    EXPECT_EQ(ReadFile(home.file("all/art/pacman.png")), "png");
    EXPECT_EQ(ReadFile(home.file("one/pacman.png")), "png");
    EXPECT_EQ(ReadFile(home.file("ext/history.dat")), "h");
    EXPECT_EQ(ReadFile(home.file("bad/ok.txt")), "ok");
}

}  // namespace
}  // namespace arc::test
