#include <filesystem>
#include <sstream>

#include "cli/Cli.h"
#include "cli/CliRunTest.h"
#include "core/Settings.h"
#include "core/TextTable.h"
#include "core/TextTableData.h"
#include "core/Version.h"

namespace arc {
namespace {

using test::ReadFile;
using test::WriteFile;

class CliTest : public test::CliRunTest<> {
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
    TheSettings().Language = 1;
    ASSERT_TRUE(SaveSettings());
    ASSERT_EQ(Run({"texts"}), 0);
    EXPECT_EQ(OutLines()[91], "91\tDécompression...");
}

// Regression: entries holding CR LF broke the promise of one line per entry.
TEST_F(CliTest, TextsPrintsEntriesWithLineBreaksEscapedOnOneLine) {
    ASSERT_EQ(Run({"texts", "--language", "en"}), 0);
    const std::vector<std::string> lines = OutLines();
    ASSERT_EQ(lines.size(), kDesignedTextEntries + kAddedTexts.size());
    for (std::size_t n = 0; n < kDesignedTextEntries; ++n)
        EXPECT_TRUE(lines[n].starts_with(std::to_string(n) + "\t")) << lines[n];
    EXPECT_EQ(lines[287], "287\tThe database was not created:\\r\\n");
}

TEST_F(CliTest, SettingsDumpAndSaveIsStableOrFailsClearly) {
    ASSERT_EQ(Run({"settings"}), 0) << err;
    EXPECT_EQ(OutLines()[2], "MDB = " + home.str() + "Arcanote.mdb");
    EXPECT_FALSE(std::filesystem::exists(home.file("Arcanote.inf")));
    ASSERT_EQ(Run({"settings", "--save"}), 0) << err;
    const std::string first = ReadFile(home.file("Arcanote.inf"));
    ASSERT_EQ(Run({"settings", "--save"}), 0);
    EXPECT_EQ(ReadFile(home.file("Arcanote.inf")), first);
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

// Every command's --help lists what it declares, and the declaration holds together.
TEST_F(CliTest, EveryCommandsHelpListsItsDeclaredArguments) {
    std::ostringstream printed, errors;
    ASSERT_EQ(cli::RunCli({"arcanote-cli", "--help"}, printed, errors), 0);
    for (const cli::CliCommand& command : cli::Commands()) {
        const std::string name(command.name);
        EXPECT_NE(printed.str().find("\n  " + name + "  "), std::string::npos) << name;
        ASSERT_EQ(Run({name, "--help"}), 0) << name;  // once "--help needs a value"
        EXPECT_TRUE(out.starts_with("usage: arcanote-cli " + name + ' ' + cli::UsageLine(command)));
        for (const cli::CliOperand& operand : command.operands)
            EXPECT_NE(out.find("\n  " + std::string(operand.name) + "  "), std::string::npos);
        for (const cli::CliOption& option : command.options) {
            const std::string line = "\n  " + cli::OptionWithValue(option) + "  ";
            EXPECT_NE(out.find(line), std::string::npos) << name << ' ' << option.name;
            EXPECT_NE(out.find(option.help), std::string::npos) << name << ' ' << option.name;
            EXPECT_TRUE(option.name.starts_with("--")) << option.name;
            for (std::string_view other : {option.needs, option.excludes})
                EXPECT_TRUE(other.empty() ||
                            out.find("\n  " + std::string(other)) != std::string::npos)
                    << name << ' ' << other;
            EXPECT_EQ(out.find(line, out.find(line) + 1), std::string::npos) << "declared twice";
        }
    }
    printed.str("");
    EXPECT_EQ(cli::RunCli({"arcanote-cli", "--version"}, printed, errors), 0);
    EXPECT_EQ(printed.str(), "arcanote-cli " + VersionString() + "\n");
    EXPECT_EQ(cli::RunCli({"arcanote-cli"}, printed, errors), 2);
    EXPECT_EQ(cli::RunCli({"arcanote-cli", "--home"}, printed, errors), 2);
}

TEST_F(CliTest, UsageErrorsSayWhatIsWrongAndExitTwo) {
    const struct {
        std::vector<std::string> args;
        std::string told;
    } cases[] = {
        {{"no-such-command"}, "unknown command 'no-such-command'"},
        {{"settings", "--bogus"},
         "settings: unknown option '--bogus'\nusage: arcanote-cli settings"},
        {{"settings", "--save=yes"}, "--save takes no value"},
        {{"texts", "--language", "de"}, "--language takes en or fr, not 'de'"},
        {{"list-roms", "--db"}, "--db needs a value"},
        {{"download", "--entries"}, "--entries needs a value"},
        {{"download", "--entries", "History", "--entries", "catlist"}, "unknown entry 'catlist'"},
        {{"translate", "--files", "cheat"}, "unknown file 'cheat'"},
        {{"search", "--clones", "maybe"}, "--clones takes only or none, not 'maybe'"},
        {{"search", "--backup"}, "--backup goes with --delete"},
        {{"search", "--move-to", "x", "--delete"}, "--move-to and --delete exclude each other"},
        {{"notes"}, "missing write or copy"},
        {{"notes", "read"}, "unexpected argument 'read' (write or copy)"},
        {{"unzip", "a.zip", "b.zip"}, "unexpected argument 'b.zip'"},
        {{"unzip", "a.zip", "--member", "a", "--ext", "b"}, "exclude each other"},
        {{"zip-all", "--from", "x"}, "missing --to DIR"},
        {{"sheets", "--no-copy", "posters"}, "unknown art kind 'posters'"},
        {{"images", "copy", "--confirm"}, "--confirm goes with delete"},
        {{"images", "delete", "--kinds", "posters"}, "unknown kind 'posters'"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Run(c.args), 2) << c.args[0];
        EXPECT_NE(err.find(c.told), std::string::npos) << err;
    }
}

}  // namespace
}  // namespace arc
