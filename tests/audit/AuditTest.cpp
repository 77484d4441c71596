// The audit on a generated collection: members whose contents are forged to
// the sizes and CRC-32 of the database's ROM rows, in every layout and fault.

#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>
#include <zlib.h>

#include <map>

#include "audit/Audit.h"
#include "audit/SetFiles.h"
#include "audit/SetNeeds.h"
#include "audit/Sha1.h"
#include "core/Log.h"
#include "core/Settings.h"
#include "database/Database.h"
#include "support/CliRun.h"
#include "support/TestSupport.h"
#include "support/ZipBuilder.h"
#include "xmlimport/ListXmlImport.h"

namespace arc {
namespace {

/// A ROM of the fixture: "name", "^name" (merged into the parent's or
/// BIOS's ROM of that name), "name#2" (another dump of that name), with
/// " nodump" or " baddump"; its size follows from the name ("#long": longer)
/// and its CRC-32 from the whole text.
struct RomSpec {
    explicit RomSpec(std::string text) {
        if (text.ends_with(" nodump") || text.ends_with(" baddump")) {
            status = text.substr(text.find(' ') + 1);
            text.resize(text.find(' '));
        }
        merged = text.starts_with('^');
        key = merged ? text.substr(1) : text;
        name = key.substr(0, key.find('#'));
        crc = static_cast<std::uint32_t>(
            crc32(7, reinterpret_cast<const Bytef*>(key.data()), static_cast<uInt>(key.size())));
        size = 16 + name.size() * 4 + (key.ends_with("#long") ? 8 : 0);
    }
    std::string Data() const { return test::ForgedData(size, crc, key[0]); }
    std::string Sha1Of() const {
        const std::string data = Data();
        Sha1 hash;
        hash.Add(data.data(), data.size());
        return hash.HexDigest();
    }
    std::string key, name, status;
    bool merged = false;
    std::uint32_t crc = 0;
    std::size_t size = 0;
};

struct MachineSpec {
    MachineSpec(std::string n, std::string a, std::vector<std::string> r,
                std::vector<std::string> d = {}, std::string hd = {})
        : name(std::move(n)),
          attributes(std::move(a)),
          roms(std::move(r)),
          devices(std::move(d)),
          disk(std::move(hd)) {}
    std::string name, attributes;  // attributes: cloneof/romof/isbios/isdevice
    std::vector<std::string> roms, devices;
    std::string disk;  // a disk named "hd" with this SHA-1
};

const std::string kDiskSha1 = "0123456789abcdef0123456789abcdef01234567";

const std::vector<MachineSpec> kMachines = {
    {"mybios", "isbios=\"yes\"", {"b1.bin"}},
    {"par", "romof=\"mybios\"", {"p1.bin", "p2.bin", "^b1.bin"}, {"dev1"}},
    {"clo",
     "cloneof=\"par\" romof=\"par\"",
     {"c1.bin", "^p1.bin", "p2.bin#2", "^b1.bin"},
     {"dev1"}},
    {"dev1", "isdevice=\"yes\"", {"d1.bin"}},
    {"dev2", "isdevice=\"yes\"", {"d2.bin"}},
    {"dev3", "isdevice=\"yes\" romof=\"dev1\"", {"^d1.bin"}},  // its ROM kept in dev1.zip
    {"devr", "", {"r1.bin"}, {"dev3"}},
    {"mpar", "", {"mp1.bin"}},
    {"mclo", "cloneof=\"mpar\" romof=\"mpar\"", {"mc1.bin", "^mp1.bin"}},
    {"npar", "", {"np1.bin"}},
    {"nclo", "cloneof=\"npar\" romof=\"npar\"", {"nc1.bin", "^np1.bin"}, {"dev1"}},
    {"opar", "", {"op1.bin"}},
    {"oclo", "cloneof=\"opar\" romof=\"opar\"", {"oc1.bin", "^op1.bin"}},
    {"devm", "", {"v1.bin"}, {"dev2"}},
    {"nod", "", {"n1.bin", "n2.bin nodump"}},
    {"bdg", "", {"g1.bin baddump"}},
    {"wcrc", "", {"w1.bin", "w2.bin"}},
    {"wsize", "", {"z1.bin"}},
    {"extra", "", {"e1.bin"}},
    {"fold", "", {"f1.bin"}},
    {"sev", "", {"s1.bin"}},
    {"chdok", "", {"k1.bin"}, {}, kDiskSha1},
    {"chdbad", "", {"k2.bin"}, {}, kDiskSha1},
    {"chdshort", "", {"k3.bin"}, {}, kDiskSha1},
    {"dmg", "", {"x1.bin"}},
    {"bad7", "", {"x2.bin"}},
};

std::string ListXml() {
    std::string xml = "<?xml version=\"1.0\"?>\n<mame build=\"0.251\">\n";
    for (const MachineSpec& m : kMachines) {
        xml += "<machine name=\"" + m.name + "\" " + m.attributes + ">\n<description>" + m.name +
               "</description>\n";
        for (const std::string& text : m.roms) {
            const RomSpec rom(text);
            xml += "<rom name=\"" + rom.name + "\" size=\"" + std::to_string(rom.size) + "\"";
            if (rom.status != "nodump") {
                char crc[9];
                std::snprintf(crc, sizeof crc, "%08x", rom.crc);
                // wcrc's w2 claims a SHA-1 its dump does not have: only --full sees it.
                xml += std::string(" crc=\"") + crc + "\" sha1=\"" +
                       (rom.name == "w2.bin" ? kDiskSha1 : rom.Sha1Of()) + "\"";
            }
            if (rom.merged) xml += " merge=\"" + rom.name + "\"";
            if (!rom.status.empty()) xml += " status=\"" + rom.status + "\"";
            xml += "/>\n";
        }
        if (!m.disk.empty()) xml += "<disk name=\"hd\" sha1=\"" + m.disk + "\"/>\n";
        for (const std::string& device : m.devices)
            xml += "<device_ref name=\"" + device + "\"/>\n";
        xml += "</machine>\n";
    }
    return xml + "</mame>\n";
}

std::string Chd(const std::string& sha1, std::size_t length = 124) {
    std::string header = std::string("MComprHD") + std::string("\0\0\0\x7c\0\0\0\x05", 8);
    header.resize(84, '\0');
    for (std::size_t i = 0; i < 40; i += 2)
        header.push_back(static_cast<char>(std::stoi(sha1.substr(i, 2), nullptr, 16)));
    header.resize(124, '\0');
    return header.substr(0, length);
}

void Write7z(const std::string& path, const std::string& name, const std::string& data) {
    archive* writer = archive_write_new();
    archive_write_set_format_7zip(writer);
    archive_write_open_filename(writer, path.c_str());
    archive_entry* entry = archive_entry_new();
    archive_entry_set_pathname(entry, name.c_str());
    archive_entry_set_filetype(entry, AE_IFREG);
    archive_entry_set_perm(entry, 0644);
    archive_entry_set_size(entry, static_cast<la_int64_t>(data.size()));
    archive_write_header(writer, entry);
    archive_write_data(writer, data.data(), data.size());
    archive_entry_free(entry);
    archive_write_close(writer);
    archive_write_free(writer);
}

class AuditTest : public test::ProgramFolderTest {
  protected:
    AuditTest() {
        const std::string db = home.file("Arcanote.mdb");
        std::string error;
        EXPECT_TRUE(CreateTemplateDatabase(db, &error)) << error;
        EXPECT_TRUE(OpenDatabase(db));
        test::WriteFile(home.file("list.xml"), ListXml());
        test::RecordedProgress progress;
        EXPECT_TRUE(ImportListXml(home.file("list.xml"), progress));
        auto zip = [&](const std::string& set, std::vector<std::string> roms) {
            std::vector<test::RawMember> members;
            for (const std::string& text : roms) {
                const RomSpec rom(text);
                members.emplace_back(rom.name, rom.Data(), text.size() % 2 ? 8 : 0);
            }
            test::WriteZip(Roms() + set + ".zip", members);
        };
        zip("mybios", {"b1.bin"});
        zip("par", {"p1.bin", "p2.bin"});  // split sets
        zip("clo", {"c1.bin", "p2.bin#2"});
        zip("dev1", {"d1.bin"});
        zip("mpar", {"mp1.bin", "mc1.bin"});            // merged: the clone's ROM in the parent
        zip("nclo", {"nc1.bin", "np1.bin", "d1.bin"});  // non-merged, device ROM included
        zip("oclo", {"oc1.bin"});                       // its parent is not there
        zip("devm", {"v1.bin"});
        zip("devr", {"r1.bin"});
        zip("nod", {"n1.bin"});
        zip("bdg", {"g1.bin"});
        zip("wcrc", {"w1.bin#x", "w2.bin"});
        zip("wsize", {"z1.bin#long"});
        zip("extra", {"e1.bin", "readme.txt"});
        zip("chdok", {"k1.bin"});
        zip("chdbad", {"k2.bin"});
        zip("chdshort", {"k3.bin"});
        test::WriteFile(Roms() + "fold/f1.bin", RomSpec("f1.bin").Data());
        Write7z(Roms() + "sev.7z", "s1.bin", RomSpec("s1.bin").Data());
        test::WriteFile(Roms() + "chdok/hd.chd", Chd(kDiskSha1));
        test::WriteFile(Roms() + "chdbad/hd.chd", Chd(std::string(40, 'e')));
        test::WriteFile(Roms() + "chdshort/hd.chd", Chd(kDiskSha1, 60));
        test::WriteFile(Roms() + "dmg.zip", "PK\x03\x04 not really an archive");
        test::WriteFile(Roms() + "bad7.7z", "7z\xBC\xAF\x27\x1C broken");
    }
    ~AuditTest() override { CloseDatabase(); }

    std::string Roms() const { return home.str() + "roms/"; }

    std::map<std::string, SetAudit> Audit(bool full) {
        std::map<std::string, SetAudit> results;
        test::RecordedProgress progress;
        TaskContext context(progress, ui());
        const AuditOutcome summary = RunAudit(
            {Roms(), full, {}}, context, [&](const SetAudit& set) { results[set.name] = set; });
        EXPECT_TRUE(summary.ok()) << summary.message;
        EXPECT_EQ(summary.audited, static_cast<int>(results.size()));
        EXPECT_EQ(progress.Done(), progress.Total());  // a step per set of the database
        return results;
    }
};

TEST_F(AuditTest, EveryLayoutAndFaultGetsItsVerdictAndProblems) {
    struct Case {
        const char* set;
        Verdict verdict;
        const char* problems;
        int needed, found;
    };
    const Case kCases[] = {
        {"mybios", Verdict::Complete, "", 1, 1},
        {"par", Verdict::Complete, "", 4, 4},  // its BIOS ROM and its device's
        {"clo", Verdict::Complete, "", 5, 5},
        {"mpar", Verdict::Complete, "", 1, 1},
        {"nclo", Verdict::Complete, "", 3, 3},
        {"oclo", Verdict::Incomplete, "op1.bin: missing", 2, 1},
        {"devm", Verdict::Incomplete, "d2.bin (device dev2): missing", 2, 1},
        {"devr", Verdict::Complete, "", 2, 2},
        {"nod", Verdict::Complete, "", 1, 1},
        {"bdg", Verdict::BestAvailable, "", 1, 1},
        {"wcrc", Verdict::Bad, "w1.bin: wrong CRC", 2, 1},
        {"wsize", Verdict::Bad, "z1.bin: wrong size", 1, 0},
        {"extra", Verdict::Complete, "readme.txt: unneeded", 1, 1},
        {"fold", Verdict::Complete, "", 1, 1},
        {"sev", Verdict::Complete, "", 1, 1},
        {"chdok", Verdict::Complete, "", 2, 2},
        {"chdbad", Verdict::Bad, "disk hd: wrong SHA-1", 2, 1},
        {"chdshort", Verdict::Unreadable, "hd.chd: short CHD header", 2, 1},
        {"dmg", Verdict::Unreadable, "dmg.zip: not a ZIP archive (no end record); x1.bin: missing",
         1, 0},
        {"bad7", Verdict::Unreadable,
         "bad7.7z: unreadable 7z archive (unknown error); x2.bin: missing", 1, 0},
    };
    // A database without an audit has no Audit table at all.
    EXPECT_FALSE(HasAudit());
    EXPECT_EQ(QueryValue("SELECT count(*) FROM sqlite_master WHERE name='Audit'"), "0");
    const std::map<std::string, SetAudit> results = Audit(false);
    EXPECT_EQ(results.size(), std::size(kCases));  // sets not owned are not audited
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.set);
        ASSERT_TRUE(results.contains(c.set));
        const SetAudit& set = results.at(c.set);
        EXPECT_EQ(VerdictText(set.verdict), VerdictText(c.verdict));
        EXPECT_EQ(set.ProblemsText(), c.problems);
        EXPECT_EQ(set.needed, c.needed);
        EXPECT_EQ(set.found, c.found);
        EXPECT_EQ(AuditVerdictOf(c.set), VerdictText(c.verdict));
    }
    EXPECT_EQ(results.at("extra").unneeded, 1);
    EXPECT_EQ(AuditVerdictOf("mclo"), "");
    EXPECT_EQ(AuditVerdictCounts(), (std::array<int, kVerdictCount>{11, 1, 2, 3, 3}));

    // The full audit reads the dumps: a SHA-1 the CRC-32 did not show.
    const std::map<std::string, SetAudit> full = Audit(true);
    EXPECT_EQ(full.at("wcrc").ProblemsText(), "w1.bin: wrong CRC; w2.bin: wrong SHA-1");
    EXPECT_EQ(full.at("clo").verdict, Verdict::Complete);
    EXPECT_EQ(full.at("fold").verdict, Verdict::Complete);

    // A cancelled audit keeps the last one whole.
    Execute("DELETE FROM Data WHERE InternalName = 'wsize'");
    test::RecordedProgress cancelAt(3);
    TaskContext cancelled(cancelAt, ui());
    EXPECT_TRUE(RunAudit({Roms(), false, {}}, cancelled).cancelled());
    EXPECT_EQ(AuditVerdictOf("wsize"), "bad");
}

// Regression (the bar counted every set of the database, crawled, then
// jumped to its end): it counts the owned sets that are audited.
// The request's ROM folder is audited, whatever the settings hold.
TEST_F(AuditTest, TheBarCountsTheOwnedSetsNotTheDatabase) {
    TheSettings().RomsFolder = home.file("elsewhere/");
    test::RecordedProgress progress;
    TaskContext context(progress, ui());
    const AuditOutcome summary = RunAudit({Roms(), false, {}}, context);
    EXPECT_EQ(progress.Total(), 20);
    EXPECT_EQ(progress.Done(), summary.audited);
    EXPECT_LT(progress.Total(), std::stoi(QueryValue("SELECT count(*) FROM Data")));
    test::RecordedProgress named;
    TaskContext namedContext(named, ui());
    const AuditOutcome some = RunAudit({Roms(), false, {"bdg", "mclo", "nosuchset"}}, namedContext);
    EXPECT_EQ(named.Total(), 1);  // neither the set not owned nor the unknown one
    EXPECT_EQ(some.notOwned, std::vector<std::string>{"mclo"});
    EXPECT_EQ(some.unknown, std::vector<std::string>{"nosuchset"});
    EXPECT_EQ(TheSettings().RomsFolder, home.file("elsewhere/"));
    // A ROM folder that is not there: the audit fails and says which.
    const AuditOutcome missing = RunAudit({home.file("elsewhere/"), false, {}}, context);
    EXPECT_TRUE(missing.failed());
    EXPECT_NE(missing.message.find(home.file("elsewhere/")), std::string::npos) << missing.message;
}

TEST_F(AuditTest, CommandPrintsLinesAndSummaryAndKeepsTheLastAuditOnlyUntilTheNext) {
    const std::string db = home.file("Arcanote.mdb");
    CloseDatabase();
    test::CliRun run = test::RunCommand(home.str(), "audit", {"--db", db, "--roms", Roms()});
    EXPECT_EQ(run.code, 1) << run.err;
    EXPECT_NE(run.out.find("wsize\tbad\tz1.bin: wrong size\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\n20 sets audited: 11 complete, 1 best available, 2 incomplete, 3 "
                           "bad, 3 unreadable\n"),
              std::string::npos)
        << run.out;

    run = test::RunCommand(home.str(), "audit",
                           {"--db", db, "--roms", Roms(), "--set", "bdg", "clo"});
    EXPECT_EQ(run.code, 0) << run.err;  // best available counts as complete
    EXPECT_EQ(run.out,
              "bdg\tbest available\t\nclo\tcomplete\t\n2 sets audited: 1 complete, 1 "
              "best available, 0 incomplete, 0 bad, 0 unreadable\n");
    run = test::RunCommand(home.str(), "audit", {"--db", db, "--roms", Roms(), "--set", "mclo"});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("mclo is not owned"), std::string::npos);
    EXPECT_EQ(test::RunCommand(home.str(), "audit", {"--db", db, "--set"}).code, 2);

    // A set no longer owned leaves the table at the next audit.
    std::filesystem::remove(Roms() + "wsize.zip");
    test::RunCommand(home.str(), "audit", {"--db", db, "--roms", Roms(), "--set", "wsize"});
    ASSERT_TRUE(OpenDatabase(db));
    EXPECT_TRUE(HasAudit());
    EXPECT_EQ(AuditVerdictOf("wsize"), "");
    EXPECT_EQ(AuditVerdictOf("bdg"), "best available");
    EXPECT_EQ(QueryValue("SELECT Needed || Found || Missing || Bad || Unneeded || Problems "
                         "FROM Audit WHERE Name='oclo'"),
              "21100op1.bin: missing");
}

// Regression (a cancelled full audit read the set in hand to its end, a
// second and more for a large dump, and reported it): a read stops at the
// next chunk of a ZIP member, 7z member or file, and no set is reported.
// Neither does the reading of the device references go on.
TEST_F(AuditTest, ACancelStopsAFullReadAtTheNextChunkAndReportsNoSet) {
    const std::string big = home.str() + "big/";
    const std::string data(4 << 20, 'a');  // 16 chunks
    test::WriteZip(big + "z.zip", {{"m.bin", data}});
    Write7z(big + "s.7z", "m.bin", data);
    test::WriteFile(big + "f/m.bin", data);
    const RomFolder folder(big);
    for (const char* set : {"z", "s", "f"}) {
        SCOPED_TRACE(set);
        int asked = 0;
        const SetFiles whole = folder.Read(set, true, [&] { return ++asked < 0; });
        EXPECT_EQ(whole.error, "");
        EXPECT_GE(asked, 16);
        asked = 0;
        const SetFiles stopped = folder.Read(set, true, [&] { return ++asked >= 2; });
        EXPECT_NE(stopped.error.find("cancelled"), std::string::npos) << stopped.error;
        EXPECT_LE(asked, 3);
    }
    // Stopped, the reading of the device references ends.
    EXPECT_EQ(NeedsReader().DevicesOf("par"), std::vector<std::string>{"dev1"});
    EXPECT_TRUE(NeedsReader([] { return true; }).DevicesOf("par").empty());
    // Cancelled while the first set is read.
    TaskProgress progress;
    progress.Watch([](TaskProgress& p) {
        if (!p.Label().empty()) p.Cancel();
    });
    TaskContext context(progress, ui());
    int reported = 0;
    EXPECT_TRUE(
        RunAudit({Roms(), true, {}}, context, [&](const SetAudit&) { ++reported; }).cancelled());
    EXPECT_EQ(reported, 0);
}

TEST(Sha1Test, KnownDigests) {
    for (const auto& [text, digest] :
         {std::pair{std::string("abc"), "a9993e364706816aba3e25717850c26c9cd0d89d"},
          {std::string(1000000, 'a'), "34aa973cd4c4daa4f61eeb2bdbad27316534016f"}}) {
        Sha1 hash;
        hash.Add(text.data(), text.size());
        EXPECT_EQ(hash.HexDigest(), digest);
    }
}

TEST_F(AuditTest, BothImportMethodsKeepTheDeviceReferences) {
    for (int method : {1, 2}) {
        test::RecordedProgress progress;
        ASSERT_TRUE(
            ImportListXml(home.file("list.xml"), progress, static_cast<ImportMethod>(method)));
        EXPECT_EQ(QueryValue("SELECT group_concat(Name || ':' || Device, ' ') FROM DeviceRef"),
                  "par:dev1 clo:dev1 dev3:dev1 devr:dev3 nclo:dev1 devm:dev2");
        EXPECT_EQ(QueryValue("SELECT count(*) FROM Data WHERE InternalName IN ('dev1', 'dev2')"),
                  "0");
    }
}

}  // namespace
}  // namespace arc
