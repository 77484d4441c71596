// The audit of owned software items, on the cut nes list and forged archives
// in the emulator's layout (<rompath>/nes/<item>.zip).

#include <gtest/gtest.h>

#include "core/Task.h"
#include "database/Database.h"
#include "support/CliRun.h"
#include "support/SoftwareFixture.h"
#include "support/TestSupport.h"
#include "support/ZipBuilder.h"

namespace arc {
namespace {

class SoftwareAuditTest : public test::ProgramFolderTest {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(CreateTemplateDatabase(db, &error)) << error;
        ASSERT_TRUE(OpenDatabase(db));
        test::ImportCutSoftwareLists(ui());
        CloseDatabase();
    }
    void Zip(const std::string& item, const std::vector<test::RawMember>& members) {
        test::WriteFile(roms.file("nes/" + item + ".zip"), test::BuildZip(members));
    }
    test::CliRun Audit() {
        return test::RunCommand(home.str(), "audit",
                                {"--db", db, "--roms", roms.str(), "--software"});
    }
    const std::string db = home.file("soft.mdb");
    test::TempDir roms;
};

test::RawMember Rom(const std::string& name, std::size_t size, std::uint32_t crc) {
    return {name, test::ForgedData(size, crc, 'n')};
}

TEST_F(SoftwareAuditTest, ForgedSmbIsCompleteAndOneWrongMemberMakesItBad) {
    Zip("smb", {Rom("pal-sm-0 prg", 32768, 0x967a605f), Rom("hvc-sm-0 chr", 8192, 0x867b51ad)});
    // A merged clone: only what differs from its parent; the CHR-ROM is smb's.
    Zip("smb1", {Rom("hvc-sm-0 prg.u1", 32768, 0x5cf548d3)});
    // List my ROMs marks the items owned, as the audit does.
    test::CliRun run =
        test::RunCommand(home.str(), "list-roms", {"--db", db, "--roms", roms.str()});
    EXPECT_NE(run.out.find("\n2 software item(s) owned."), std::string::npos) << run.out << run.err;
    run = Audit();
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out,
              "nes\tsmb\tcomplete\t\nnes\tsmb1\tcomplete\t\n2 software items audited: "
              "2 complete, 0 best available, 0 incomplete, 0 bad, 0 unreadable\n");
    ASSERT_TRUE(OpenDatabase(db));
    EXPECT_EQ(QueryValue("SELECT group_concat(Name, ' ') FROM Software WHERE Owned = 1"),
              "smb1 smb");
    CloseDatabase();

    Zip("smb", {Rom("pal-sm-0 prg", 32768, 0x967a605f), Rom("hvc-sm-0 chr", 8192, 0x12345678)});
    run = Audit();
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.out.find("nes\tsmb\tbad\thvc-sm-0 chr: wrong CRC\n"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("nes\tsmb1\tincomplete\thvc-sm-0 chr.u2: missing\n"), std::string::npos)
        << run.out;
    EXPECT_NE(run.err.find("2 software items audited: 0 complete"), std::string::npos) << run.err;
    ASSERT_TRUE(OpenDatabase(db));
    EXPECT_EQ(QueryValue("SELECT Verdict FROM SoftwareAudit WHERE Name = 'smb'"), "bad");
    CloseDatabase();
}

}  // namespace
}  // namespace arc
