#include <filesystem>
#include <sstream>

#include "cli/Cli.h"
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
        std::istringstream in(out);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }
};

TEST_F(CliTest, TextsFollowTheLanguageOptionOrTheSavedSetting) {
    ASSERT_EQ(Run({"texts"}), 0) << err;
    EXPECT_EQ(OutLines()[69], "69\tYEARS");
    ASSERT_EQ(Run({"texts", "--language=fr"}), 0);
    EXPECT_EQ(OutLines()[69], "69\tANNÉES");
    EXPECT_EQ(Run({"texts", "--language", "de"}), 2);
    EXPECT_NE(err.find("en or fr"), std::string::npos);
    TheSettings().Language = 1;
    ASSERT_TRUE(SaveSettings());
    ASSERT_EQ(Run({"texts"}), 0);
    EXPECT_EQ(OutLines()[91], "91\tDécompression...");
}

TEST_F(CliTest, SettingsDumpAndSaveIsStableOrFailsClearly) {
    ASSERT_EQ(Run({"settings"}), 0) << err;
    EXPECT_EQ(OutLines()[2], "MDB = " + home.str() + "Arcanote.mdb");
    EXPECT_FALSE(std::filesystem::exists(home.file("Arcanote.inf")));
    ASSERT_EQ(Run({"settings", "--save"}), 0) << err;
    const std::string first = ReadFile(home.file("Arcanote.inf"));
    ASSERT_EQ(Run({"settings", "--save"}), 0);
    EXPECT_EQ(ReadFile(home.file("Arcanote.inf")), first);
    EXPECT_EQ(Run({"settings", "--bogus"}), 2);
    std::filesystem::remove(home.file("Arcanote.inf"));
    std::filesystem::create_directories(home.file("Arcanote.inf"));
    EXPECT_EQ(Run({"settings", "--save"}), 1);
    EXPECT_NE(err.find("cannot write"), std::string::npos) << err;
}

TEST_F(CliTest, AnUnusableProgramFolderFailsClearly) {
    WriteFile(home.file("plain"), "");
    const test::CliRun run = test::RunCommand(home.file("plain/sub"), "texts", {});
    EXPECT_NE(run.code, 0);
    EXPECT_NE(run.err.find(home.file("plain/sub")), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty());
}

TEST_F(CliTest, HelpVersionAndBadCommands) {
    std::ostringstream printed, errors;
    EXPECT_EQ(cli::RunCli({"arcanote-cli", "--help"}, printed, errors), 0);
    EXPECT_NE(printed.str().find("settings [--save]"), std::string::npos);
    printed.str("");
    EXPECT_EQ(cli::RunCli({"arcanote-cli", "--version"}, printed, errors), 0);
    EXPECT_EQ(printed.str(), "arcanote-cli " + VersionString() + "\n");
    for (const cli::CliCommand& command : cli::Commands()) {
        EXPECT_EQ(Run({std::string(command.name), "--help"}), 0) << command.name;
        EXPECT_EQ(out, "usage: arcanote-cli " + std::string(command.name) + ' ' +
                           std::string(command.usage) + '\n');
    }
    EXPECT_EQ(Run({"no-such-command"}), 2);
    EXPECT_NE(err.find("unknown command"), std::string::npos);
    EXPECT_EQ(cli::RunCli({"arcanote-cli"}, printed, errors), 2);
    EXPECT_EQ(cli::RunCli({"arcanote-cli", "--home"}, printed, errors), 2);
}

}  // namespace
}  // namespace arc
