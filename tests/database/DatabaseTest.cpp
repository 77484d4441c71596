#include "database/Database.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include "core/ErrorGuard.h"
#include "core/Log.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/TextTable.h"
#include "database/BackgroundRead.h"
#include "support/TestSupport.h"

namespace arc {
namespace {

using test::ReadFile;
using test::WriteFile;

class DatabaseTest : public test::ProgramFolderTest {
  protected:
    DatabaseTest() {
        path = home.file("Arcanote.mdb");
        std::string error;
        EXPECT_TRUE(CreateTemplateDatabase(path, &error)) << error;
        EXPECT_TRUE(OpenDatabase(path));
    }
    ~DatabaseTest() override { CloseDatabase(); }

    int Count(const std::string& sql) { return std::stoi(QueryValue(sql)); }

    std::string path;
};

// Regression (a cancelled sheets run waited for the statistics' counting
// queries to end): a long statement stops once it is no longer wanted.
TEST_F(DatabaseTest, LongStatementsStopWhenTheirTaskIsCancelledOrTheirReadAbandoned) {
    constexpr const char* kEndless =
        "WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c WHERE x < 4000000000) "
        "SELECT count(*) FROM c";
    std::atomic<bool> finished = false;
    {
        BackgroundRead<int> abandoned([&](const ReadOnlyDatabase* own) {
            Statement endless(own, kEndless);
            endless.Step();
            finished = true;
            return 0;
        });
    }  // returns soon: the read was stopped
    EXPECT_FALSE(finished);
    TaskProgress progress;
    std::thread cancel([&] { progress.Cancel(); });
    cancel.join();
    const InterruptScope interrupt([&] { return progress.Cancelled(); });
    EXPECT_THROW(QueryValue(kEndless), AppError);
}

TEST_F(DatabaseTest, TextComparesAndSortsWithoutRegardToCase) {
    Execute(
        "INSERT INTO Data (InternalName, GameName) VALUES ('pacman', 'Pac-Man'), "
        "('Galaga', 'galaga')");
    EXPECT_EQ(QueryValue("SELECT GameName FROM Data WHERE InternalName='PACMAN'"), "Pac-Man");
    EXPECT_EQ(QueryValue("SELECT InternalName FROM Data ORDER BY GameName LIMIT 1"), "Galaga");
    EXPECT_EQ(Count("SELECT count(*) FROM Data WHERE GameName LIKE '%MAN'"), 1);
}

TEST_F(DatabaseTest, CommandTitleIsCutToFiftyCharactersNotBytes) {
    std::string accented;
    for (int i = 0; i < 55; ++i)
        accented += "\xC3\xA9";
    Execute("INSERT INTO Command (InternalName, cmd) VALUES ('sf2', '" + accented + "')");
    EXPECT_EQ(QueryValue("SELECT length(cmd) FROM Command"), "50");
}

TEST_F(DatabaseTest, MissingOrBogusFileIsNotOpenedAndTheSettingIsTheDefault) {
    CloseDatabase();
    const std::string missing = home.file("none.mdb");
    EXPECT_FALSE(OpenDatabase(missing));
    ASSERT_EQ(ui().messages.size(), 1u);
    EXPECT_EQ(ui().messages[0].text, missing + "\r\n" + Text(6));
    EXPECT_EQ(ui().messages[0].icon, MsgIcon::Critical);
    EXPECT_THROW(Execute("DELETE FROM Data"), AppError);
    WriteFile(home.file("bogus.mdb"), std::string(4096, 'x'));
    EXPECT_FALSE(OpenDatabase(home.file("bogus.mdb")));
    EXPECT_FALSE(IsDatabaseOpen());
    EXPECT_NE(ReadFile(LogFilePath()).find("3000"), std::string::npos);
    CloseDatabase();  // never fails, also twice and with nothing open
    TheSettings().DatabasePath = path;
    ASSERT_TRUE(OpenDatabase());
    EXPECT_EQ(OpenDatabasePath(), path);
}

// Regression (the engine counted every allocation under a global lock: its
// set-up came after the first connection, a template's, and was refused).
TEST_F(DatabaseTest, MemoryStatisticsAreOffThoughATemplateWasMadeFirst) {
    Execute("INSERT INTO Data (InternalName, GameName) VALUES ('a', 'x')");
    sqlite3_int64 used = -1, highest = -1;
    ASSERT_EQ(sqlite3_status64(SQLITE_STATUS_MEMORY_USED, &used, &highest, 0), SQLITE_OK);
    EXPECT_EQ(used, 0);
}

TEST_F(DatabaseTest, StatementsReachTheEngineAsWritten) {
    Execute("INSERT INTO Data (InternalName, GameName) VALUES ('a', 'x*y'), ('b', 'xzy')");
    // "*" is no wildcard of the engine; "%" is.
    EXPECT_EQ(Count("SELECT count(*) FROM Data WHERE GameName LIKE 'x*y'"), 1);
    EXPECT_EQ(Count("SELECT count(*) FROM Data WHERE GameName LIKE 'x%'"), 2);
    EXPECT_EQ(Execute("DELETE FROM Data WHERE InternalName='a'"), 1);
    EXPECT_THROW(Execute("DELETE * FROM Data"), AppError);
}

TEST_F(DatabaseTest, EngineErrorsCarryTheirMessage) {
    EXPECT_THROW(Execute("UPDATE NoSuchTable SET x=1"), AppError);
    EXPECT_FALSE(Guarded(301, [] { Statement("SELECT nope FROM Data"); }));
    const std::string log = ReadFile(LogFilePath());
    EXPECT_NE(log.find("no such column"), std::string::npos);
    // The first failure stays known after its error block, until the next open.
    EXPECT_NE(DatabaseFailure().find("no such table"), std::string::npos);
    EXPECT_FALSE(TryExecute("UPDATE NoSuchTable SET y=1"));
    // The connection stays usable after an error.
    EXPECT_EQ(QueryValue("SELECT count(*) FROM Data"), "0");
}

TEST_F(DatabaseTest, TransactionsRollBackUnlessCommittedAndBatchesKeepSavedRows) {
    {
        Transaction transaction;
        Execute("INSERT INTO Versions (VersionMame) VALUES ('lost')");
    }
    {
        Transaction transaction;
        Execute("INSERT INTO Versions (VersionMame) VALUES ('kept')");
        transaction.Commit();
    }
    EXPECT_EQ(QueryValue("SELECT group_concat(VersionMame) FROM Versions"), "kept");

    // A failure half way keeps the rows written before it.
    EXPECT_FALSE(Guarded(302, [] {
        BatchTransaction batch(2);
        Statement insert("INSERT INTO Chip (InternalName) VALUES (?)");
        for (int i = 0; i < 5; ++i) {
            insert.Bind(1, std::to_string(i)).Run();
            batch.RowDone();
        }
        throw AppError(err::kInvalidCall, "stop");
    }));
    CloseDatabase();
    ASSERT_TRUE(OpenDatabase(path));
    EXPECT_EQ(QueryValue("SELECT count(*) FROM Chip"), "5");
}

}  // namespace
}  // namespace arc
