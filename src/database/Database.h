#pragma once
// The game database: one shared SQLite connection, statement execution in the
// program's SQL dialect, prepared statements, record sets and transactions.
//
// Every failure of the engine is thrown as AppError(err::kDatabase, SQLite's
// message); callers catch it at their boundary (Guarded / ProcedureScope) like
// any other run-time error.

#include <cstdint>
#include <memory>
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

/// Opens the database file at `path` (empty: the DatabasePath setting) as the
/// one shared connection, closing any previous one. When the file does not
/// exist, shows "<path>\r\n" + text entry 6 with the critical icon and returns
/// false. An engine failure (not a database, unreadable) is logged as an error
/// block and gives false as well.
bool OpenDatabase(std::string_view path = {});

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

    /// OpenDatabase(path); the connection is this scope's to close when it opened.
    bool Open(std::string_view path = {});
    void Opened() { opened_ = true; }
    /// Closes the shared connection now, whoever opened it.
    void Close();

  private:
    bool opened_ = false;
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

/// Translates the program's SQL to SQLite where the dialects differ:
/// "DELETE * FROM" becomes "DELETE FROM"; inside a string literal that follows
/// LIKE, "*" becomes "%" and "?" becomes "_" (a literal "%" or "_" is escaped).
std::string ToSqliteDialect(std::string_view sql);

/// Runs one or more statements that return no rows (DELETE, UPDATE, ...) on
/// the shared connection, after dialect translation. Returns the number of rows
/// changed by the last statement (a statement that matches nothing is no error).
int Execute(std::string_view sql);

/// Runs a statement that the engine may refuse harmlessly (a setting changed
/// inside a transaction): false when refused, nothing thrown or recorded.
bool TryExecute(std::string_view sql);

/// Runs a query and returns the first column of its first row ("" when no row
/// or Null). Handy for counts and single values.
std::string QueryValue(std::string_view sql);

// ---------------------------------------------------------------------------
// Prepared statements

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
    /// Prepares `sql` (dialect-translated) on the shared connection.
    explicit Statement(std::string_view sql);
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

    sqlite3_stmt* handle() const { return stmt_; }

  private:
    void Check(int rc) const;
    sqlite3_stmt* stmt_ = nullptr;
};

/// The id of the last row inserted on the shared connection.
std::int64_t LastInsertId();

// ---------------------------------------------------------------------------
// Record sets

/// A field value: Null, text, integer (Long, AutoNumber, Yes/No as 1 / 0).
using FieldValue = std::variant<std::monostate, std::string, std::int64_t>;

/// A record set in the manner of the original engine: open it on a SELECT,
/// read fields of the current row by name (case-insensitive), move, and, when
/// it was opened on "SELECT * FROM <table> ...", add or change rows:
///
///     Recordset history("SELECT * FROM History");
///     history.AddNew();
///     std::int64_t code = history.Int("CodeHistory");   // readable at once
///     history.Set("Description", text);
///     history.Update();
///
///     Recordset data("SELECT * FROM Data WHERE InternalName='" + SqlQuote(name) + "'");
///     if (!data.Eof()) { data.Edit(); data.Set("GotIt", true); data.Update(); }
///
/// Rows are read forward from the engine; RecordCount, MoveLast, MovePrevious
/// and MoveFirst read the remaining rows into memory. Values written by Set are
/// stored as they are (no quoting needed).
class Recordset {
  public:
    explicit Recordset(std::string_view selectSql);
    ~Recordset();
    Recordset(Recordset&&) noexcept;
    Recordset& operator=(Recordset&&) noexcept;
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    /// True when there is no current row (empty set, or moved past the end).
    bool Eof() const;
    /// True when moved before the first row.
    bool Bof() const;
    void MoveNext();
    void MovePrevious();
    void MoveFirst();
    void MoveLast();
    /// Number of rows of the set (reads the whole set).
    int RecordCount();

    /// Number of fields and their names, in the order of the SELECT.
    int FieldCount() const;
    const std::string& FieldName(int index) const;
    bool HasField(std::string_view name) const;

    /// The field of the current row, or of the row being added or edited (its
    /// value as set so far). Unknown field or no current row: AppError.
    FieldValue Value(std::string_view name) const;
    bool IsNull(std::string_view name) const;
    /// Text of the field ("" when Null); numbers are written in decimal.
    std::string Text(std::string_view name) const;
    std::optional<std::string> Optional(std::string_view name) const;
    /// Integer value (0 when Null or not a number).
    std::int64_t Int(std::string_view name) const;
    /// Yes/No value: true for a non-zero number (or the text "true"/"yes").
    bool Bool(std::string_view name) const;

    /// Starts a new row with every field Null. An AutoNumber field gets its
    /// value at once (readable before Update).
    void AddNew();
    /// Starts changing the current row.
    void Edit();
    /// Writes a field of the row being added or edited.
    void Set(std::string_view name, std::string_view text);
    void Set(std::string_view name, const char* text) { Set(name, std::string_view(text)); }
    void Set(std::string_view name, const std::string& text) { Set(name, std::string_view(text)); }
    void Set(std::string_view name, std::int64_t value);
    void Set(std::string_view name, int value) { Set(name, std::int64_t{value}); }
    void Set(std::string_view name, bool value);
    void SetNull(std::string_view name);
    /// Saves the new or changed row; the current row does not move.
    void Update();
    /// Abandons the row being added or edited.
    void CancelUpdate();
    /// Releases the set (abandoning an unsaved row). Also done by the destructor.
    void Close();

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

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
