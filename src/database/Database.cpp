#include "database/Database.h"

#include <sqlite3.h>

#include <cctype>
#include <utility>

#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/Log.h"
#include "core/Settings.h"
#include "core/TextTable.h"
#include "core/UiService.h"
#include "database/Layout.h"

namespace arc {
namespace {

constexpr int kProcOpenDatabase = 300;

struct Connection {
    sqlite3* db = nullptr;
    std::string path;
    int savepoints = 0;      // names of nested savepoints
    std::string failure;     // the first engine error since the connection was opened
    bool discarded = false;  // the file is thrown away once closed
};

Connection& Shared() {
    static Connection connection;
    return connection;
}

/// Remembers the first engine error of the shared connection (an error of a
/// connection of its own is not the shared one's), then throws it.
[[noreturn]] void ThrowEngineError(sqlite3* db, std::string message) {
    if (db && db == Shared().db && Shared().failure.empty()) Shared().failure = message;
    throw AppError(err::kDatabase, message);
}

[[noreturn]] void ThrowDatabaseError(sqlite3* db, std::string_view context = {}) {
    std::string message = db ? sqlite3_errmsg(db) : "database not open";
    if (!context.empty()) message += " (" + std::string(context) + ")";
    ThrowEngineError(db, std::move(message));
}

// An empty view may carry no pointer at all; it still means "", not Null.
const char* TextPointer(std::string_view text) {
    return text.data() ? text.data() : "";
}

}  // namespace

// --- connection -------------------------------------------------------------

void PrepareEngine() {
    // Memory statistics cost a global lock per allocation; the program reads
    // none. Refused (harmlessly) once the engine has started: hence before
    // any connection is opened.
    static const int statistics = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
    (void)statistics;
}

bool OpenDatabase(std::string_view path, DatabaseUse use) {
    const std::string file(path.empty() ? std::string_view(TheSettings().DatabasePath) : path);
    CloseDatabase();
    if (file.empty() || !FileExists(file)) {
        Ui().Message(file + "\r\n" + Text(kTextNotFoundCannotContinue), MsgButtons::Ok,
                     MsgIcon::Critical);
        return false;
    }
    PrepareEngine();
    bool opened = false;
    std::string problem;
    Guarded(kProcOpenDatabase, [&] {
        sqlite3* db = nullptr;
        // One thread uses the connection: no engine mutexes.
        int rc = sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                                 nullptr);
        if (rc == SQLITE_OK) {
            sqlite3_busy_timeout(db, 2000);
            // Reading the schema tells a database from any other file.
            rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
        }
        if (rc == SQLITE_OK) {
            // Write-ahead logging: commits need no sync and a crash leaves the
            // file intact. Refused on a read-only file, which is no error.
            // A build's file is discarded whatever stops the build: its
            // journal stays in memory (rollbacks still work) and nothing
            // waits for the disk, so each page is written once.
            const bool build = use == DatabaseUse::Build;
            for (const char* pragma :
                 {build ? "PRAGMA journal_mode=MEMORY" : "PRAGMA journal_mode=WAL",
                  build ? "PRAGMA synchronous=OFF" : "PRAGMA synchronous=NORMAL",
                  "PRAGMA temp_store=MEMORY",
                  build ? "PRAGMA cache_size=-32000" : "PRAGMA cache_size=-16000",
                  // The sorts of its index builds take the second core.
                  build ? "PRAGMA threads=1" : "PRAGMA threads=0"})
                sqlite3_exec(db, pragma, nullptr, nullptr, nullptr);
        }
        if (rc != SQLITE_OK) {
            problem = LayoutProblem(file, LayoutState::NotArcanote);
            std::string message = db ? sqlite3_errmsg(db) : "cannot open";
            sqlite3_close(db);
            throw AppError(err::kDatabase, file + ": " + message);
        }
        Shared().db = db;
        Shared().path = file;
        Shared().failure.clear();
        if (use != DatabaseUse::Build) {
            const LayoutState layout = ReadLayout(db);
            if (layout == LayoutState::Older && use == DatabaseUse::Update) {
                MigrateLayout();
            } else if (layout != LayoutState::Current) {
                problem = LayoutProblem(file, layout);
                WriteLog(problem);
                CloseDatabase();
                return;
            }
        }
        opened = true;
    });
    if (!opened) {
        CloseDatabase();
        Ui().Message(problem.empty() ? file + "\r\n" + Text(kTextCannotOpenDatabase) : problem,
                     MsgButtons::Ok, MsgIcon::Critical);
    }
    return opened;
}

void CloseDatabase() {
    Connection& connection = Shared();
    if (!connection.db) return;
    // Back to a single self-contained file (the write-ahead log is folded
    // in), unless the file is to be thrown away.
    if (!connection.discarded)
        sqlite3_exec(connection.db, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
    // Statements left unfinalized keep the file open; close it when they go.
    sqlite3_close_v2(connection.db);
    connection.db = nullptr;
    connection.path.clear();
    connection.savepoints = 0;
    connection.discarded = false;
}

DatabaseScope::~DatabaseScope() {
    if (opened_) CloseDatabase();
}

void ReadOnlyDatabase::StopWhen(const std::atomic<bool>& stop) const {
    sqlite3_progress_handler(
        db_, 4000,
        [](void* flag) { return static_cast<const std::atomic<bool>*>(flag)->load() ? 1 : 0; },
        const_cast<std::atomic<bool>*>(&stop));
}

void SkipCheckpointOnClose() {
    if (!IsDatabaseOpen()) return;
    Shared().discarded = true;
    sqlite3_db_config(DatabaseHandle(), SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
}

InterruptScope::InterruptScope(std::function<bool()> stop) : stop_(std::move(stop)) {
    // Asked every few thousand virtual machine steps (well under a millisecond).
    sqlite3_progress_handler(
        DatabaseHandle(), 4000,
        [](void* stop) { return (*static_cast<std::function<bool()>*>(stop))() ? 1 : 0; }, &stop_);
}

InterruptScope::~InterruptScope() {
    if (IsDatabaseOpen()) sqlite3_progress_handler(DatabaseHandle(), 0, nullptr, nullptr);
}

bool DatabaseScope::Open(std::string_view path, DatabaseUse use) {
    const bool opened = OpenDatabase(path, use);
    opened_ = opened_ || opened;
    return opened;
}

void DatabaseScope::Close() {
    CloseDatabase();
    opened_ = false;
}

bool IsDatabaseOpen() {
    return Shared().db != nullptr;
}

const std::string& OpenDatabasePath() {
    return Shared().path;
}

sqlite3* DatabaseHandle() {
    if (!Shared().db) throw AppError(err::kDatabase, "No database is open");
    return Shared().db;
}

const std::string& DatabaseFailure() {
    return Shared().failure;
}

// --- SQL text ---------------------------------------------------------------

std::string SqlQuote(std::string_view value) {
    std::string quoted;
    quoted.reserve(value.size() + 2);
    for (char c : value) {
        quoted += c;
        if (c == '\'') quoted += '\'';
    }
    return quoted;
}

int Execute(std::string_view sql) {
    sqlite3* db = DatabaseHandle();
    const std::string text(sql);
    const char* tail = text.c_str();
    const char* end = text.c_str() + text.size();
    int changes = 0;
    while (tail < end) {
        sqlite3_stmt* stmt = nullptr;
        const char* next = nullptr;
        if (sqlite3_prepare_v2(db, tail, static_cast<int>(end - tail), &stmt, &next) != SQLITE_OK)
            ThrowDatabaseError(db, std::string_view(tail, end - tail));
        tail = next;
        if (!stmt) continue;  // blanks or a comment
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        }
        sqlite3_finalize(stmt);
        if (rc != SQLITE_DONE) ThrowDatabaseError(db, text);
        changes = sqlite3_changes(db);
    }
    return changes;
}

bool TryExecute(std::string_view sql) {
    const std::string text(sql);
    return sqlite3_exec(DatabaseHandle(), text.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

std::string QueryValue(std::string_view sql) {
    Statement statement(sql);
    if (!statement.Step()) return {};
    return statement.ColumnText(0);
}

bool TableExists(std::string_view name) {
    Statement table("SELECT 1 FROM sqlite_master WHERE type='table' AND name=? COLLATE NOCASE");
    table.Bind(1, name);
    return table.Step();
}

// --- connections of their own ----------------------------------------------

ReadOnlyDatabase::ReadOnlyDatabase(const std::string& path) {
    PrepareEngine();
    // Read-write at the engine's level so that a database in write-ahead mode
    // can be read (its index file may need creating); nothing is written.
    int rc =
        sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_close(db_);
        db_ = nullptr;
        rc = sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX,
                             nullptr);
    }
    if (rc == SQLITE_OK) {
        sqlite3_busy_timeout(db_, 2000);
        rc = sqlite3_exec(db_, "PRAGMA query_only=1; SELECT count(*) FROM sqlite_master", nullptr,
                          nullptr, nullptr);
    }
    if (rc != SQLITE_OK) {
        const std::string message = db_ ? sqlite3_errmsg(db_) : "cannot open";
        sqlite3_close(db_);
        db_ = nullptr;
        throw AppError(err::kDatabase,
                       LayoutProblem(path, LayoutState::NotArcanote) + " (" + message + ")");
    }
    std::string problem;
    try {
        problem = LayoutProblem(path, ReadLayout(db_));
    } catch (const AppError&) {
        problem = LayoutProblem(path, LayoutState::NotArcanote);
    }
    if (!problem.empty()) {
        sqlite3_close(db_);
        db_ = nullptr;
        throw AppError(err::kDatabase, problem);
    }
}

ReadOnlyDatabase::ReadOnlyDatabase(const std::string& path, Writable) {
    PrepareEngine();
    int rc =
        sqlite3_open_v2(path.c_str(), &db_,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_busy_timeout(db_, 2000);
        rc = sqlite3_exec(db_, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    }
    if (rc != SQLITE_OK) {
        std::string message = db_ ? sqlite3_errmsg(db_) : "cannot open";
        sqlite3_close(db_);
        db_ = nullptr;
        throw AppError(err::kDatabase, path + ": " + message);
    }
}

void WritableDatabase::Execute(std::string_view sql) {
    const std::string text(sql);
    char* message = nullptr;
    if (sqlite3_exec(handle(), text.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        std::string error = message ? message : "error";
        sqlite3_free(message);
        throw AppError(err::kDatabase, error);
    }
}

ReadOnlyDatabase::~ReadOnlyDatabase() {
    sqlite3_close_v2(db_);
}

bool ReadOnlyDatabase::HasTable(std::string_view name) const {
    Statement query(*this,
                    "SELECT 1 FROM sqlite_master WHERE type='table' AND name=? COLLATE NOCASE");
    query.Bind(1, name);
    return query.Step();
}

// --- statements -------------------------------------------------------------

Statement::Statement(std::string_view sql) {
    Prepare(DatabaseHandle(), sql);
}

Statement::Statement(const ReadOnlyDatabase& database, std::string_view sql) {
    Prepare(database.handle(), sql);
}

Statement::Statement(const ReadOnlyDatabase* database, std::string_view sql)
    : Statement(database ? Statement(*database, sql) : Statement(sql)) {}

void Statement::Prepare(sqlite3* db, std::string_view sql) {
    if (sqlite3_prepare_v3(db, TextPointer(sql), static_cast<int>(sql.size()),
                           SQLITE_PREPARE_PERSISTENT, &stmt_, nullptr) != SQLITE_OK)
        ThrowDatabaseError(db, sql);
    if (!stmt_) throw AppError(err::kDatabase, "Empty statement");
}

Statement::~Statement() {
    sqlite3_finalize(stmt_);
}

Statement::Statement(Statement&& other) noexcept : stmt_(std::exchange(other.stmt_, nullptr)) {}

Statement& Statement::operator=(Statement&& other) noexcept {
    if (this != &other) {
        sqlite3_finalize(stmt_);
        stmt_ = std::exchange(other.stmt_, nullptr);
    }
    return *this;
}

void Statement::Check(int rc) const {
    if (rc != SQLITE_OK) ThrowDatabaseError(sqlite3_db_handle(stmt_));
}

Statement& Statement::Bind(int index, std::string_view text) {
    Check(
        sqlite3_bind_text64(stmt_, index, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8));
    return *this;
}

Statement& Statement::BindView(int index, std::string_view text) {
    Check(sqlite3_bind_text64(stmt_, index, TextPointer(text), text.size(), SQLITE_STATIC,
                              SQLITE_UTF8));
    return *this;
}

Statement& Statement::Bind(int index, std::int64_t value) {
    Check(sqlite3_bind_int64(stmt_, index, value));
    return *this;
}

Statement& Statement::Bind(int index, const std::optional<std::string>& text) {
    return text ? Bind(index, std::string_view(*text)) : BindNull(index);
}

Statement& Statement::BindValue(int index, const FieldValue& value) {
    if (const auto* text = std::get_if<std::string>(&value)) return BindView(index, *text);
    if (const auto* number = std::get_if<std::int64_t>(&value)) return Bind(index, *number);
    return BindNull(index);
}

Statement& Statement::BindNull(int index) {
    Check(sqlite3_bind_null(stmt_, index));
    return *this;
}

bool Statement::Step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    sqlite3* db = sqlite3_db_handle(stmt_);
    std::string message = sqlite3_errmsg(db);
    sqlite3_reset(stmt_);
    ThrowEngineError(db, std::move(message));
}

int Statement::Run() {
    while (Step()) {
    }
    const int changes = sqlite3_changes(sqlite3_db_handle(stmt_));
    sqlite3_reset(stmt_);
    return changes;
}

void Statement::Reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

int Statement::ColumnCount() const {
    return sqlite3_column_count(stmt_);
}

std::string Statement::ColumnName(int column) const {
    const char* name = sqlite3_column_name(stmt_, column);
    return name ? name : "";
}

bool Statement::IsNull(int column) const {
    return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

std::string_view Statement::ColumnView(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    if (!text) return {};
    return {text, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column))};
}

std::string Statement::ColumnText(int column) const {
    return std::string(ColumnView(column));
}

std::optional<std::string> Statement::ColumnOptional(int column) const {
    if (IsNull(column)) return std::nullopt;
    return ColumnText(column);
}

std::int64_t Statement::ColumnInt(int column) const {
    return sqlite3_column_int64(stmt_, column);
}

double Statement::ColumnDouble(int column) const {
    return sqlite3_column_double(stmt_, column);
}

std::int64_t LastInsertId() {
    return sqlite3_last_insert_rowid(DatabaseHandle());
}

// --- transactions -----------------------------------------------------------

Transaction::Transaction() : name_("tx" + std::to_string(++Shared().savepoints)) {
    Execute("SAVEPOINT " + name_);
    open_ = true;
}

Transaction::~Transaction() {
    if (!open_) return;
    try {
        Rollback();
    } catch (...) {
        // The connection may be gone already; nothing left to undo then.
    }
}

void Transaction::Commit() {
    if (!open_) return;
    open_ = false;
    Execute("RELEASE " + name_);
}

void Transaction::Rollback() {
    if (!open_) return;
    open_ = false;
    Execute("ROLLBACK TO " + name_ + "; RELEASE " + name_);
}

BatchTransaction::BatchTransaction(int batchRows)
    : name_("batch" + std::to_string(++Shared().savepoints)),
      batchRows_(batchRows > 0 ? batchRows : kDefaultBatchRows) {
    Begin();
}

BatchTransaction::~BatchTransaction() {
    try {
        Release();
    } catch (...) {
        // Keep the destructor silent; the rows of the failed batch are lost.
    }
}

void BatchTransaction::Begin() {
    Execute("SAVEPOINT " + name_);
    open_ = true;
    pending_ = 0;
}

void BatchTransaction::Release() {
    if (!open_ || !IsDatabaseOpen()) return;
    open_ = false;
    Execute("RELEASE " + name_);
}

void BatchTransaction::RowDone(int rows) {
    pending_ += rows;
    if (pending_ >= batchRows_) Commit();
}

void BatchTransaction::Commit() {
    Release();
    Begin();
}

}  // namespace arc
