#include <filesystem>
#include <sstream>

#include "cli/CliRunTest.h"
#include "core/Settings.h"
#include "core/Version.h"

namespace arc {
namespace {

using test::ReadFile;
using test::WriteFile;

class CliTest : public test::CliRunTest {
  protected:
    std::vector<std::string> OutLines() const {
        std::vector<std::string> lines;
        std::istringstream in(out.str());
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }
};

TEST_F(CliTest, TextsFollowTheLanguageOptionOrTheSavedSetting) {
    ASSERT_EQ(Run({"texts"}), 0) << err.str();
    EXPECT_EQ(OutLines().size(), 301u);
    EXPECT_EQ(OutLines()[69], "69\tYEARS");
    ASSERT_EQ(Run({"texts", "--language=fr"}), 0);
    EXPECT_EQ(OutLines()[69], "69\tANNÉES");
    EXPECT_EQ(Run({"texts", "--language", "de"}), 2);
    EXPECT_NE(err.str().find("en or fr"), std::string::npos);
    TheSettings().Language = 1;
    ASSERT_TRUE(SaveSettings());
    ASSERT_EQ(Run({"texts"}), 0);
    EXPECT_EQ(OutLines()[91], "91\tDécompression...");
}

TEST_F(CliTest, SettingsDumpAndSaveIsStableOrFailsClearly) {
    ASSERT_EQ(Run({"settings"}), 0) << err.str();
    EXPECT_EQ(OutLines()[2], "MDB = " + home.str() + "Arcanote.mdb");
    EXPECT_FALSE(std::filesystem::exists(home.file("Arcanote.inf")));
    ASSERT_EQ(Run({"settings", "--save"}), 0) << err.str();
    const std::string first = ReadFile(home.file("Arcanote.inf"));
    ASSERT_EQ(Run({"settings", "--save"}), 0);
    EXPECT_EQ(ReadFile(home.file("Arcanote.inf")), first);
    EXPECT_EQ(Run({"settings", "--bogus"}), 2);
    std::filesystem::remove(home.file("Arcanote.inf"));
    std::filesystem::create_directories(home.file("Arcanote.inf"));
    EXPECT_EQ(Run({"settings", "--save"}), 1);
    EXPECT_NE(err.str().find("cannot write"), std::string::npos) << err.str();
}

TEST_F(CliTest, AnUnusableProgramFolderFailsClearly) {
    WriteFile(home.file("plain"), "");
    EXPECT_NE(cli::RunCli({"arcanote-cli", "--home", home.file("plain/sub"), "texts"}, out, err),
              0);
    EXPECT_NE(err.str().find(home.file("plain/sub")), std::string::npos) << err.str();
    EXPECT_TRUE(out.str().empty());
}

TEST_F(CliTest, HelpVersionAndBadCommands) {
    EXPECT_EQ(cli::RunCli({"arcanote-cli", "--help"}, out, err), 0);
    EXPECT_NE(out.str().find("texts [--language en|fr]"), std::string::npos);
    EXPECT_NE(out.str().find("settings [--save]"), std::string::npos);
    out.str("");
    EXPECT_EQ(cli::RunCli({"arcanote-cli", "--version"}, out, err), 0);
    EXPECT_EQ(out.str(), "arcanote-cli " + VersionString() + "\n");
    for (const cli::CliCommand& command : cli::Commands()) {
        out.str("");
        EXPECT_EQ(Run({std::string(command.name), "--help"}), 0) << command.name;
        EXPECT_EQ(out.str(), "usage: arcanote-cli " + std::string(command.name) + ' ' +
                                 std::string(command.usage) + '\n');
    }
    EXPECT_EQ(Run({"no-such-command"}), 2);
    EXPECT_NE(err.str().find("unknown command"), std::string::npos);
    EXPECT_EQ(cli::RunCli({"arcanote-cli"}, out, err), 2);
    EXPECT_EQ(cli::RunCli({"arcanote-cli", "--home"}, out, err), 2);
}

}  // namespace
}  // namespace arc
