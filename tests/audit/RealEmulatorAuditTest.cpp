// The ROMs the audit requires for real machines against the emulator's own
// -listroms. Runs only with ARCANOTE_REAL_MAME=1 and /usr/games/mame present.

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "audit/SetNeeds.h"
#include "core/Files.h"
#include "core/Log.h"
#include "database/Database.h"
#include "support/TestSupport.h"
#include "xmlimport/ListXmlImport.h"

namespace arc {
namespace {

class RealEmulatorAuditTest : public test::ProgramFolderTest {
  protected:
    void TearDown() override { CloseDatabase(); }
};

TEST_F(RealEmulatorAuditTest, RequiredRomsAreTheEmulatorsOwn) {
    std::string why;
    const std::string list = test::RealEmulatorList(why);
    if (list.empty()) GTEST_SKIP() << why;
    // Parents, clones, BIOS-dependent sets (Neo Geo, PlayChoice, CPS-3,
    // Naomi), device-dependent ones (Namco custom chips, sound boards), a
    // BIOS set and a set with a disk.
    const std::vector<std::string> machines = {
        "pacman",  "puckman", "mspacman", "galaga",   "galagao",  "xevious",  "digdug",
        "polepos", "dkong",   "dkongjr",  "sf2",      "sf2ce",    "mslug",    "mslug2",
        "kof98",   "kof98h",  "neogeo",   "pc_smb",   "sfiii",    "sfiii3",   "naomi",
        "mvsc2",   "1942",    "1943",     "qbert",    "robotron", "joust",    "mk",
        "mk2",     "a500",    "outrun",   "bublbobl", "tmnt",     "simpsons", "gauntlet"};
    const std::string db = home.file("real.mdb");
    std::string error;
    ASSERT_TRUE(CreateTemplateDatabase(db, &error)) << error;
    ASSERT_TRUE(OpenDatabase(db));
    test::RecordedProgress progress;
    ASSERT_TRUE(ImportListXml(list, progress));

    std::string command = "/usr/games/mame -listroms";
    for (const std::string& machine : machines)
        command += " " + machine;
    const std::string output = home.file("listroms.txt");
    ASSERT_EQ(RunAndWait(command + " > '" + output + "' 2>&1"), 0);
    std::map<std::string, std::set<std::string>> expected;
    std::ifstream in(output);
    const std::regex driver("ROMs required for driver \"([^\"]+)\""), crc("CRC\\(([0-9a-f]{8})\\)");
    std::string line, current;
    std::smatch match;
    while (std::getline(in, line)) {
        if (std::regex_search(line, match, driver))
            current = match[1];
        else if (std::regex_search(line, match, crc))
            expected[current].insert(match[1]);
    }

    NeedsReader reader;
    for (const std::string& machine : machines) {
        SCOPED_TRACE(machine);
        std::set<std::string> required;
        for (const NeededRom& rom : reader.Read(machine).roms) {
            char text[9];
            std::snprintf(text, sizeof text, "%08x", rom.crc);
            required.insert(text);
        }
        EXPECT_FALSE(required.empty());
        EXPECT_EQ(required, expected[machine]);
    }
}

}  // namespace
}  // namespace arc
