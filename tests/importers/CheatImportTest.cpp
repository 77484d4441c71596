#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>

#include "core/Log.h"
#include "core/Settings.h"
#include "importers/ImporterTest.h"
#include "importers/Importers.h"
#include "support/ZipBuilder.h"

namespace arc {
namespace {

using Members = std::vector<test::RawMember>;

/// A real 7z archive of the members, written with libarchive.
void Write7z(const std::string& path, const Members& members) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::unique_ptr<archive, int (*)(archive*)> out(archive_write_new(), archive_write_free);
    archive_write_set_format_7zip(out.get());
    ASSERT_EQ(archive_write_open_filename(out.get(), path.c_str()), ARCHIVE_OK);
    for (const test::RawMember& member : members) {
        std::unique_ptr<archive_entry, void (*)(archive_entry*)> entry(archive_entry_new(),
                                                                       archive_entry_free);
        archive_entry_copy_pathname(entry.get(), member.name.c_str());
        archive_entry_set_mode(entry.get(), AE_IFREG | 0644);
        archive_entry_set_size(entry.get(), static_cast<la_int64_t>(member.data.size()));
        archive_write_header(out.get(), entry.get());
        archive_write_data(out.get(), member.data.data(), member.data.size());
    }
    ASSERT_EQ(archive_write_close(out.get()), ARCHIVE_OK);
}

const std::string kCheats =
    "<?xml version=\"1.0\"?>\n<mamecheat version=\"1\">\n  <cheat desc=\"Infinite Lives\">\n"
    "    <script state=\"run\"><action>maincpu.pb@4e0f=03</action></script>\n  </cheat>\n"
    "</mamecheat>\n";

const Members kCollection = {
    {"sf2.xml", kCheats},
    {"galaga.xml", "<mamecheat version=\"1\">\n</mamecheat>\n"},      // no cheat in it
    {"mk.xml", "\x89PNG<mamecheat version=\"1\"><cheat desc=\"cut"},  // not XML
    {"tetris.xml", "<other><cheat desc=\"x\"/></other>"},             // not a cheat file
    {"cheat/dkong.xml", kCheats},  // not where the emulator looks
    {"readme.txt", "sf2 has cheats"},
};

class Cheat : public test::ImporterTest {
  protected:
    Cheat() { AddSets({"dkong", "galaga", "mk", "pacman", "sf2", "tetris"}); }

    /// The flagged sets after an import from dat/ holding `cheatDat` (when
    /// not empty) and what `write` puts there.
    std::string Flagged(const std::string& cheatDat, const std::function<void()>& write) {
        Execute("UPDATE Data SET Cheat=FALSE");
        std::filesystem::remove_all(home.file("dat"));
        if (!cheatDat.empty()) test::WriteFile(home.file("dat/Cheat.dat"), cheatDat);
        write();
        EXPECT_TRUE(ImportCheat(home.file("dat/Cheat.dat"), progress));
        return QueryValue("SELECT group_concat(InternalName) FROM Data WHERE Cheat=TRUE");
    }
};

TEST_F(Cheat, EachFormOfTheCollectionFlagsTheSetsWithCheatsAndDamageIsPassedOver) {
    const std::pair<const char*, std::function<void(const std::string&)>> forms[] = {
        {"dat/cheat.7z", [](const std::string& path) { Write7z(path, kCollection); }},
        {"dat/CHEAT.zip", [](const std::string& path) { test::WriteZip(path, kCollection); }},
        {"dat/cheat", [](const std::string& path) {
             for (const test::RawMember& member : kCollection)
                 test::WriteFile(path + "/" + member.name, member.data);
         }}};
    for (const auto& [name, write] : forms) {
        SCOPED_TRACE(name);
        EXPECT_EQ(Flagged("; classic\npacman:0:4e0f:03:Lives\n", [&] { write(home.file(name)); }),
                  "pacman,sf2");
        const std::string log = test::ReadFile(LogFilePath());
        for (const char* passed : {"mk.xml", "tetris.xml", "readme.txt"})
            EXPECT_NE(log.find(passed), std::string::npos) << passed;
        std::filesystem::remove(LogFilePath());
    }
    // The collection alone, at the Cheat path or beside the missing Cheat.dat.
    Write7z(home.file("mame/cheat.7z"), {{"galaga.xml", kCheats}});
    EXPECT_TRUE(ImportCheat(home.file("mame/cheat.7z"), progress));
    EXPECT_EQ(Field("galaga", "Cheat"), "1");
    EXPECT_EQ(Flagged("", [&] { Write7z(home.file("dat/cheat.7z"), kCollection); }), "sf2");

    // Damage is logged, the rest goes on, and nothing is left behind.
    const std::string temp = FindTempFolder();  // the test's own (TMPDIR)
    ASSERT_EQ(temp, home.str() + "Temp/");
    Write7z(home.file("whole.7z"), {{"sf2.xml", kCheats}, {"galaga.xml", kCheats}});
    const std::string whole = test::ReadFile(home.file("whole.7z"));
    std::string flipped = whole;
    for (std::size_t i = 40; i < 80 && i < flipped.size(); ++i)
        flipped[i] = static_cast<char>(~flipped[i]);
    for (const std::string& bytes : {whole.substr(0, whole.size() / 2), flipped}) {
        const auto write = [&] { test::WriteFile(home.file("dat/cheat.7z"), bytes); };
        EXPECT_EQ(Flagged("pacman:0:4e0f:03:Lives\n", write).substr(0, 6), "pacman");
        EXPECT_NE(test::ReadFile(LogFilePath()).find("cheat.7z"), std::string::npos);
    }
    // A ZIP member that cannot be read counts for nothing; the others count.
    std::string zip = test::BuildZip({{"sf2.xml", kCheats}, {"galaga.xml", kCheats}});
    zip[0] = 'X';  // the first member's local header
    EXPECT_EQ(Flagged("", [&] { test::WriteFile(home.file("dat/cheat.zip"), zip); }), "galaga");
    EXPECT_TRUE(std::filesystem::is_empty(temp));
    EXPECT_EQ(ErrorBlockCount(), 0);
}

TEST_F(Cheat, AnOversizedMemberIsPassedOverAndTheRestIsRead) {
    const std::string big(65 * 1024 * 1024, ' ');
    const std::function<void()> archive = [&] {
        Write7z(home.file("dat/cheat.7z"), {{"big.xml", big}, {"sf2.xml", kCheats}});
    };
    const std::function<void()> folder = [&] {
        test::WriteFile(home.file("dat/cheat/sf2.xml"), kCheats);
        test::WriteFile(home.file("dat/cheat/big.xml"), "");
        std::filesystem::resize_file(home.file("dat/cheat/big.xml"), big.size());
    };
    for (const auto& write : {archive, folder}) {
        std::filesystem::remove(LogFilePath());
        EXPECT_EQ(Flagged("", write), "sf2");
        EXPECT_NE(test::ReadFile(LogFilePath()).find("big.xml is too large for a cheat file"),
                  std::string::npos);
    }
}

}  // namespace
}  // namespace arc
