#pragma once
// The game database: one shared SQLite connection, statement execution,
// prepared statements and transactions.
//
// Every failure of the engine is thrown as AppError(err::kDatabase, SQLite's
// message); callers catch it at their boundary (Guarded / ProcedureScope) like
// any other run-time error.

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "database/Schema.h"

struct sqlite3;
struct sqlite3_stmt;

namespace arc {

// ---------------------------------------------------------------------------
// The shared connection

/// What a connection is opened for; the layout check at open depends on it.
enum class DatabaseUse {
    Read,    ///< any task but the update: only today's layout is opened
    Update,  ///< an older Arcanote database is migrated first
    Build,   ///< the build's own copy of the template: no check
};

/// Sets the engine up, once, before its first connection; whatever opens a
/// connection calls it first.
void PrepareEngine();

/// Opens the database file at `path` (empty: the DatabasePath setting) as the
/// one shared connection, closing any previous one. When the file does not
/// exist, shows "<path>\r\n" + text entry 6 with the critical icon and returns
/// false. A file that is no database, no Arcanote database, or one of another
/// layout (unless `use` is Update and it is older) is told with the critical
/// icon, logged, and gives false as well.
bool OpenDatabase(std::string_view path = {}, DatabaseUse use = DatabaseUse::Read);

/// Closes the shared connection; never fails, also when nothing is open.
void CloseDatabase();

/// Closes the shared connection at the end of the scope once the scope opened
/// it: by Open(), or by Opened() after another way of opening succeeded.
class DatabaseScope {
  public:
    DatabaseScope() = default;
    ~DatabaseScope();
    DatabaseScope(const DatabaseScope&) = delete;
    DatabaseScope& operator=(const DatabaseScope&) = delete;

    /// OpenDatabase(path, use); the connection is this scope's to close when it opened.
    bool Open(std::string_view path = {}, DatabaseUse use = DatabaseUse::Read);
    void Opened() { opened_ = true; }
    /// Closes the shared connection now, whoever opened it.
    void Close();

  private:
    bool opened_ = false;
};

/// The open file is to be thrown away: closing it does not first copy its
/// write-ahead log back into it (which takes long after a big import).
void SkipCheckpointOnClose();

/// While in scope, a statement of the shared connection stops (throwing
/// AppError) soon after `stop` says so: a cancel of a long statement.
class InterruptScope {
  public:
    explicit InterruptScope(std::function<bool()> stop);
    ~InterruptScope();
    InterruptScope(const InterruptScope&) = delete;
    InterruptScope& operator=(const InterruptScope&) = delete;

  private:
    std::function<bool()> stop_;
};

/// True while the shared connection is open.
bool IsDatabaseOpen();

/// The path given to the last successful OpenDatabase ("" when closed).
const std::string& OpenDatabasePath();

/// The raw handle of the shared connection; throws AppError when closed.
sqlite3* DatabaseHandle();

/// The engine's message for the first statement that failed on the shared
/// connection since it was opened ("" when none). Recorded even when the
/// caller logged the error and went on, so that a task that writes many rows
/// can tell a complete run from a partial one.
const std::string& DatabaseFailure();

// ---------------------------------------------------------------------------
// SQL text

/// Doubles every single quote, for a value placed between quotes in SQL text:
/// "WHERE InternalName='" + SqlQuote(name) + "'".
std::string SqlQuote(std::string_view value);

/// Runs one or more statements that return no rows (DELETE, UPDATE, ...) on
/// the shared connection. Returns the number of rows
/// changed by the last statement (a statement that matches nothing is no error).
int Execute(std::string_view sql);

/// Runs a statement that the engine may refuse harmlessly (a setting changed
/// inside a transaction): false when refused, nothing thrown or recorded.
bool TryExecute(std::string_view sql);

/// Runs a query and returns the first column of its first row ("" when no row
/// or Null). Handy for counts and single values.
std::string QueryValue(std::string_view sql);

/// True when the open database has a table of that name (any case).
bool TableExists(std::string_view name);

// ---------------------------------------------------------------------------
// Connections of their own

/// A connection of its own to a database file, for reading only, beside the
/// shared one: a window that reads while tasks open and close the shared
/// connection (the game browser) keeps its reads apart from them. Its errors
/// are thrown as AppError but not recorded as the shared connection's failure.
///
///     ReadOnlyDatabase db(path);  // AppError when the file is no database of today's layout
///     Statement select(db, "SELECT GameName FROM Data WHERE InternalName = ?");
class ReadOnlyDatabase {
  public:
    explicit ReadOnlyDatabase(const std::string& path);
    ~ReadOnlyDatabase();
    ReadOnlyDatabase(const ReadOnlyDatabase&) = delete;
    ReadOnlyDatabase& operator=(const ReadOnlyDatabase&) = delete;

    sqlite3* handle() const { return db_; }
    /// A statement of this connection stops (throwing AppError) soon after
    /// `stop` becomes true; `stop` outlives the connection.
    void StopWhen(const std::atomic<bool>& stop) const;
    /// True when the database has a table of that name (without regard to case).
    bool HasTable(std::string_view name) const;

  protected:
    struct Writable {};
    /// Opens for writing, creating the file when missing.
    ReadOnlyDatabase(const std::string& path, Writable);

  private:
    sqlite3* db_ = nullptr;
};

/// A connection of its own that writes, to a file it creates when missing
/// (the user's own database beside the built one). Statements take it as they
/// take a read-only one.
class WritableDatabase : public ReadOnlyDatabase {
  public:
    explicit WritableDatabase(const std::string& path) : ReadOnlyDatabase(path, Writable{}) {}
    /// Runs statements that return no rows; AppError when the engine refuses.
    void Execute(std::string_view sql);
};

// ---------------------------------------------------------------------------
// Prepared statements

/// A field value to bind: Null, text, integer (Long, AutoNumber, Yes/No as 1 / 0).
using FieldValue = std::variant<std::monostate, std::string, std::int64_t>;

/// A prepared statement on the shared connection. Parameters and columns are
/// numbered as in SQLite: Bind* from 1, Column* from 0.
///
///     Statement insert("INSERT INTO Rom (InternalName, RomName) VALUES (?, ?)");
///     insert.Bind(1, name).Bind(2, rom);
///     insert.Run();                      // steps to the end and resets
///
///     Statement select("SELECT GameName FROM Data WHERE InternalName = ?");
///     select.Bind(1, name);
///     while (select.Step()) use(select.ColumnText(0));
class Statement {
  public:
    /// Prepares `sql` on the shared connection.
    explicit Statement(std::string_view sql);
    /// Prepares `sql` on a connection of its own, which must outlive the statement.
    Statement(const ReadOnlyDatabase& database, std::string_view sql);
    /// On `database` when given, else on the shared connection.
    Statement(const ReadOnlyDatabase* database, std::string_view sql);
    ~Statement();
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&& other) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& Bind(int index, std::string_view text);
    Statement& Bind(int index, const char* text) { return Bind(index, std::string_view(text)); }
    Statement& Bind(int index, const std::string& text) {
        return Bind(index, std::string_view(text));
    }
    /// Binds text without copying it: the text must stay unchanged until the
    /// statement has been stepped (Run / Step) and reset. For bulk inserts.
    Statement& BindView(int index, std::string_view text);
    Statement& Bind(int index, std::int64_t value);
    Statement& Bind(int index, int value) { return Bind(index, std::int64_t{value}); }
    Statement& Bind(int index, bool value) { return Bind(index, std::int64_t{value ? 1 : 0}); }
    /// Binds the text, or Null when the optional is empty.
    Statement& Bind(int index, const std::optional<std::string>& text);
    Statement& BindNull(int index);
    /// Binds a field value, its text without a copy (as BindView).
    Statement& BindValue(int index, const FieldValue& value);

    /// Advances to the next row: true when a row is available, false when done.
    bool Step();
    /// Steps until done, then resets (for INSERT, UPDATE, DELETE). Returns the
    /// number of rows changed.
    int Run();
    /// Resets to run again and clears every binding.
    void Reset();

    int ColumnCount() const;
    std::string ColumnName(int column) const;
    bool IsNull(int column) const;
    /// The column as text ("" when Null).
    std::string ColumnText(int column) const;
    /// The column as text without a copy; valid until the next Step or Reset.
    std::string_view ColumnView(int column) const;
    std::optional<std::string> ColumnOptional(int column) const;
    std::int64_t ColumnInt(int column) const;
    double ColumnDouble(int column) const;

    sqlite3_stmt* handle() const { return stmt_; }

  private:
    void Prepare(sqlite3* db, std::string_view sql);
    void Check(int rc) const;
    sqlite3_stmt* stmt_ = nullptr;
};

/// The id of the last row inserted on the shared connection.
std::int64_t LastInsertId();

// ---------------------------------------------------------------------------
// Transactions

/// A transaction on the shared connection (a savepoint, so it nests): rolled
/// back by the destructor unless Commit() was called.
class Transaction {
  public:
    Transaction();
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void Commit();
    void Rollback();

  private:
    std::string name_;
    bool open_ = false;
};

/// Bulk writing: a transaction committed every `batchRows` rows and when the
/// object goes, also on a cancel or an error, so that rows already saved stay.
///
///     BatchTransaction batch;
///     for (...) { insert.Run(); batch.RowDone(); }
class BatchTransaction {
  public:
    static constexpr int kDefaultBatchRows = 5000;
    explicit BatchTransaction(int batchRows = kDefaultBatchRows);
    ~BatchTransaction();
    BatchTransaction(const BatchTransaction&) = delete;
    BatchTransaction& operator=(const BatchTransaction&) = delete;

    /// Counts one row; commits and starts again when the batch is full.
    void RowDone(int rows = 1);
    /// Commits what was written so far and starts a new batch.
    void Commit();

  private:
    void Begin();
    void Release();
    std::string name_;
    int batchRows_;
    int pending_ = 0;
    bool open_ = false;
};

}  // namespace arc
