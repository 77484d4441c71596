// Every installed hash file and the installed emulator's list, imported; the
// counts against a plain text count of the same XML. Runs only with
// ARCANOTE_REAL_MAME=1 and the emulator installed.

#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>

#include "core/Log.h"
#include "core/Task.h"
#include "database/Database.h"
#include "software/SoftwareImport.h"
#include "support/TestSupport.h"
#include "xmlimport/ListXmlImport.h"

namespace arc {
namespace {

constexpr const char* kHashFolder = "/usr/share/games/mame/hash/";

/// Occurrences of `needle` in the file outside its comments.
int CountOutsideComments(const std::string& path, std::string_view needle) {
    const std::string text = test::ReadFile(path);
    std::string bare;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t comment = std::min(text.find("<!--", at), text.size());
        bare.append(text, at, comment - at);
        const std::size_t end = text.find("-->", comment);
        at = end == std::string::npos ? text.size() : end + 3;
    }
    int count = 0;
    for (std::size_t hit = bare.find(needle); hit != std::string::npos;
         hit = bare.find(needle, hit + 1))
        ++count;
    return count;
}

TEST(RealHashFiles, CountsOfListsItemsAndLinksEqualThoseOfTheXml) {
    std::string why;
    const std::string list = test::RealEmulatorList(why);
    if (list.empty()) GTEST_SKIP() << why;
    int lists = 0;
    int items = 0;
    for (const auto& entry : std::filesystem::directory_iterator(kHashFolder)) {
        if (entry.path().extension() != ".xml") continue;
        lists += CountOutsideComments(entry.path().string(), "<softwarelist ");
        items += CountOutsideComments(entry.path().string(), "<software ");
    }
    const int links = CountOutsideComments(list, "<softwarelist ");

    test::TempDir home;
    test::StartFreshProgramFolder(home);
    ScopedScriptedUi scripted;
    std::string error;
    ASSERT_TRUE(CreateTemplateDatabase(home.file("real.mdb"), &error)) << error;
    ASSERT_TRUE(OpenDatabase(home.file("real.mdb")));
    test::RecordedProgress progress;
    TaskContext context(progress, scripted.ui);
    const SoftwareImportOutcome outcome = RunSoftwareImport({kHashFolder, "", ""}, context);
    EXPECT_TRUE(outcome.ok()) << outcome.message;
    EXPECT_EQ(outcome.lists, lists);
    EXPECT_EQ(outcome.items, items);
    EXPECT_EQ(QueryValue("SELECT count(*) FROM SoftwareList"), std::to_string(lists));
    EXPECT_EQ(QueryValue("SELECT count(*) FROM Software"), std::to_string(items));
    ASSERT_TRUE(ImportListXml(list, progress));
    EXPECT_EQ(QueryValue("SELECT count(*) FROM MachineSoftwareList"), std::to_string(links));
    std::cout << lists << " lists, " << items << " items, " << links << " links\n";
    CloseDatabase();
}

}  // namespace
}  // namespace arc
