#include <sqlite3.h>

#include <cctype>
#include <unordered_map>

#include "core/ErrorGuard.h"
#include "database/Database.h"

namespace arc {
namespace {

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

/// The table of "SELECT * FROM <table>" followed by nothing or by a WHERE /
/// ORDER BY clause; empty when the query is anything else (read-only set).
std::string UpdatableTable(std::string_view sql, std::string_view* rest) {
    auto skip = [&](std::size_t pos) {
        while (pos < sql.size() && std::isspace(static_cast<unsigned char>(sql[pos])))
            ++pos;
        return pos;
    };
    auto word = [&](std::size_t pos, std::string_view expected) {
        if (pos + expected.size() > sql.size()) return false;
        return Lower(sql.substr(pos, expected.size())) == expected;
    };
    std::size_t pos = skip(0);
    if (!word(pos, "select")) return {};
    pos = skip(pos + 6);
    if (pos >= sql.size() || sql[pos] != '*') return {};
    pos = skip(pos + 1);
    if (!word(pos, "from")) return {};
    pos = skip(pos + 4);
    std::size_t start = pos;
    std::string table;
    if (pos < sql.size() && (sql[pos] == '"' || sql[pos] == '[')) {
        const char close = sql[pos] == '"' ? '"' : ']';
        const std::size_t end = sql.find(close, pos + 1);
        if (end == std::string_view::npos) return {};
        table = std::string(sql.substr(pos + 1, end - pos - 1));
        pos = end + 1;
    } else {
        while (pos < sql.size() &&
               (std::isalnum(static_cast<unsigned char>(sql[pos])) || sql[pos] == '_'))
            ++pos;
        table = std::string(sql.substr(start, pos - start));
    }
    const std::size_t after = skip(pos);
    if (after < sql.size() && sql[after] != ';' && !word(after, "where") && !word(after, "order"))
        return {};
    *rest = sql.substr(pos);
    return table;
}

FieldValue ReadColumn(sqlite3_stmt* stmt, int column) {
    switch (sqlite3_column_type(stmt, column)) {
        case SQLITE_NULL:
            return std::monostate{};
        case SQLITE_INTEGER:
            return static_cast<std::int64_t>(sqlite3_column_int64(stmt, column));
        default: {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
            return std::string(text ? text : "",
                               static_cast<std::size_t>(sqlite3_column_bytes(stmt, column)));
        }
    }
}

void BindValue(Statement& statement, int index, const FieldValue& value) {
    if (const auto* text = std::get_if<std::string>(&value))
        statement.Bind(index, std::string_view(*text));
    else if (const auto* number = std::get_if<std::int64_t>(&value))
        statement.Bind(index, *number);
    else
        statement.BindNull(index);
}

std::string Quoted(std::string_view name) {
    return "\"" + std::string(name) + "\"";
}

}  // namespace

struct Recordset::Impl {
    enum class Mode { None, Adding, Editing };
    using Row = std::vector<FieldValue>;

    std::string table;  // empty for a read-only set
    std::string sql;    // as prepared (with the row id first when updatable)
    int offset = 0;     // 1 when column 0 is the hidden row id
    std::vector<std::string> names;
    std::unordered_map<std::string, int> index;  // lower-case name -> field
    int autoNumber = -1;                         // field index of the AutoNumber column

    std::optional<Statement> cursor;
    bool started = false;
    bool buffered = false;  // every row read into `rows`
    bool atEnd = false;
    bool beforeFirst = false;
    bool empty = false;       // the set has no row at all
    std::vector<Row> rows;    // the current row only, or every row when buffered
    std::size_t ordinal = 0;  // position of the current row in the set

    Mode mode = Mode::None;
    Row edit;
    std::vector<bool> dirty;
    std::int64_t editRowid = 0;
    bool placeholder = false;  // AddNew inserted a row to obtain its AutoNumber
    std::unordered_map<std::string, Statement> writers;

    void Start() {
        if (!cursor) throw AppError(err::kDatabase, "Object is closed");
        if (started) return;
        started = true;
        Fetch();
        empty = atEnd;
    }

    Row ReadRow() const {
        Row row;
        const int columns = sqlite3_column_count(cursor->handle());
        row.reserve(columns);
        for (int i = 0; i < columns; ++i)
            row.push_back(ReadColumn(cursor->handle(), i));
        return row;
    }

    // Streaming: the next row of the cursor becomes the only buffered row.
    void Fetch() {
        rows.clear();
        if (cursor->Step())
            rows.push_back(ReadRow());
        else
            atEnd = true;
    }

    void Buffer() {
        Start();
        if (buffered) return;
        const std::size_t keep = ordinal;
        const bool wasAtEnd = atEnd;
        cursor->Reset();
        rows.clear();
        while (cursor->Step())
            rows.push_back(ReadRow());
        buffered = true;
        empty = rows.empty();
        ordinal = wasAtEnd ? rows.size() : std::min(keep, rows.size());
        atEnd = ordinal >= rows.size();
    }

    const Row* Current() const {
        if (atEnd || beforeFirst || rows.empty()) return nullptr;
        return buffered ? &rows[ordinal] : &rows.front();
    }

    int Field(std::string_view name) const {
        auto it = index.find(Lower(name));
        if (it == index.end())
            throw AppError(err::kDatabase,
                           "Item not found in this collection: " + std::string(name));
        return it->second;
    }

    void RequireUpdatable() const {
        if (table.empty()) throw AppError(err::kDatabase, "Recordset is not updatable: " + sql);
    }

    Statement& Writer(const std::string& key, const std::string& text) {
        auto it = writers.find(key);
        if (it == writers.end()) it = writers.emplace(key, Statement(text)).first;
        return it->second;
    }

    void DropPlaceholder() {
        if (!placeholder) return;
        placeholder = false;
        Statement drop("DELETE FROM " + Quoted(table) + " WHERE rowid = ?");
        drop.Bind(1, editRowid).Run();
    }
};

Recordset::Recordset(std::string_view selectSql) : impl_(std::make_unique<Impl>()) {
    std::string_view rest;
    impl_->table = UpdatableTable(selectSql, &rest);
    if (!impl_->table.empty()) {
        impl_->sql = "SELECT rowid, * FROM " + Quoted(impl_->table) + std::string(rest);
        impl_->offset = 1;
    } else {
        impl_->sql = std::string(selectSql);
    }
    impl_->cursor.emplace(impl_->sql);
    const int columns = impl_->cursor->ColumnCount();
    for (int i = impl_->offset; i < columns; ++i) {
        impl_->names.push_back(impl_->cursor->ColumnName(i));
        impl_->index.emplace(Lower(impl_->names.back()), i - impl_->offset);
    }
    if (const TableDef* def = impl_->table.empty() ? nullptr : FindTable(impl_->table)) {
        for (const ColumnDef& column : def->columns)
            if (column.type == ColumnType::AutoNumber) {
                auto it = impl_->index.find(Lower(column.name));
                if (it != impl_->index.end()) impl_->autoNumber = it->second;
            }
    }
}

Recordset::~Recordset() {
    try {
        Close();
    } catch (...) {
        // Closing must not throw; an abandoned placeholder row is all that can remain.
    }
}

Recordset::Recordset(Recordset&&) noexcept = default;
Recordset& Recordset::operator=(Recordset&&) noexcept = default;

bool Recordset::Eof() const {
    impl_->Start();
    return impl_->atEnd;
}

bool Recordset::Bof() const {
    impl_->Start();
    return impl_->beforeFirst || impl_->empty;
}

void Recordset::MoveNext() {
    impl_->Start();
    CancelUpdate();
    if (impl_->beforeFirst) {
        impl_->beforeFirst = false;
        return;
    }
    if (impl_->atEnd) throw AppError(err::kDatabase, "No current record");
    ++impl_->ordinal;
    if (impl_->buffered)
        impl_->atEnd = impl_->ordinal >= impl_->rows.size();
    else
        impl_->Fetch();
}

void Recordset::MovePrevious() {
    impl_->Buffer();
    CancelUpdate();
    if (impl_->beforeFirst) throw AppError(err::kDatabase, "No current record");
    if (impl_->ordinal == 0) {
        impl_->beforeFirst = true;
        return;
    }
    --impl_->ordinal;
    impl_->atEnd = false;
}

void Recordset::MoveFirst() {
    impl_->Buffer();
    CancelUpdate();
    impl_->ordinal = 0;
    impl_->beforeFirst = false;
    impl_->atEnd = impl_->rows.empty();
}

void Recordset::MoveLast() {
    impl_->Buffer();
    CancelUpdate();
    impl_->beforeFirst = false;
    if (impl_->rows.empty()) throw AppError(err::kDatabase, "No current record");
    impl_->ordinal = impl_->rows.size() - 1;
    impl_->atEnd = false;
}

int Recordset::RecordCount() {
    impl_->Buffer();
    return static_cast<int>(impl_->rows.size());
}

int Recordset::FieldCount() const {
    return static_cast<int>(impl_->names.size());
}

const std::string& Recordset::FieldName(int index) const {
    return impl_->names.at(static_cast<std::size_t>(index));
}

bool Recordset::HasField(std::string_view name) const {
    return impl_->index.count(Lower(name)) != 0;
}

FieldValue Recordset::Value(std::string_view name) const {
    const int field = impl_->Field(name);
    if (impl_->mode != Impl::Mode::None) return impl_->edit[field];
    impl_->Start();
    const Impl::Row* row = impl_->Current();
    if (!row) throw AppError(err::kDatabase, "No current record");
    return (*row)[field + impl_->offset];
}

bool Recordset::IsNull(std::string_view name) const {
    return std::holds_alternative<std::monostate>(Value(name));
}

std::string Recordset::Text(std::string_view name) const {
    FieldValue value = Value(name);
    if (auto* text = std::get_if<std::string>(&value)) return std::move(*text);
    if (auto* number = std::get_if<std::int64_t>(&value)) return std::to_string(*number);
    return {};
}

std::optional<std::string> Recordset::Optional(std::string_view name) const {
    if (IsNull(name)) return std::nullopt;
    return Text(name);
}

std::int64_t Recordset::Int(std::string_view name) const {
    FieldValue value = Value(name);
    if (const auto* number = std::get_if<std::int64_t>(&value)) return *number;
    if (const auto* text = std::get_if<std::string>(&value)) {
        try {
            return std::stoll(*text);
        } catch (const std::exception&) {
            return 0;
        }
    }
    return 0;
}

bool Recordset::Bool(std::string_view name) const {
    FieldValue value = Value(name);
    if (const auto* number = std::get_if<std::int64_t>(&value)) return *number != 0;
    if (const auto* text = std::get_if<std::string>(&value)) {
        const std::string lower = Lower(*text);
        return lower == "true" || lower == "yes" || lower == "-1" || lower == "1";
    }
    return false;
}

void Recordset::AddNew() {
    impl_->RequireUpdatable();
    CancelUpdate();
    impl_->edit.assign(impl_->names.size(), std::monostate{});
    impl_->dirty.assign(impl_->names.size(), false);
    if (impl_->autoNumber >= 0) {
        // The engine assigns the number on insert: take it now so that the
        // caller can read it before Update, as the importers do.
        Statement reserve("INSERT INTO " + Quoted(impl_->table) + " DEFAULT VALUES");
        reserve.Run();
        impl_->editRowid = LastInsertId();
        impl_->placeholder = true;
        impl_->edit[impl_->autoNumber] = impl_->editRowid;
    }
    impl_->mode = Impl::Mode::Adding;
}

void Recordset::Edit() {
    impl_->RequireUpdatable();
    CancelUpdate();
    impl_->Start();
    const Impl::Row* row = impl_->Current();
    if (!row) throw AppError(err::kDatabase, "No current record");
    impl_->edit.assign(row->begin() + impl_->offset, row->end());
    impl_->dirty.assign(impl_->names.size(), false);
    impl_->editRowid = std::get<std::int64_t>((*row)[0]);
    impl_->mode = Impl::Mode::Editing;
}

void Recordset::Set(std::string_view name, std::string_view text) {
    if (impl_->mode == Impl::Mode::None)
        throw AppError(err::kDatabase, "Update or CancelUpdate without AddNew or Edit");
    const int field = impl_->Field(name);
    impl_->edit[field] = std::string(text);
    impl_->dirty[field] = true;
}

void Recordset::Set(std::string_view name, std::int64_t value) {
    if (impl_->mode == Impl::Mode::None)
        throw AppError(err::kDatabase, "Update or CancelUpdate without AddNew or Edit");
    const int field = impl_->Field(name);
    impl_->edit[field] = value;
    impl_->dirty[field] = true;
}

void Recordset::Set(std::string_view name, bool value) {
    Set(name, std::int64_t{value ? 1 : 0});
}

void Recordset::SetNull(std::string_view name) {
    if (impl_->mode == Impl::Mode::None)
        throw AppError(err::kDatabase, "Update or CancelUpdate without AddNew or Edit");
    const int field = impl_->Field(name);
    impl_->edit[field] = std::monostate{};
    impl_->dirty[field] = true;
}

void Recordset::Update() {
    Impl& d = *impl_;
    if (d.mode == Impl::Mode::None)
        throw AppError(err::kDatabase, "Update or CancelUpdate without AddNew or Edit");
    std::string key(d.names.size(), '0');
    std::vector<int> fields;
    for (std::size_t i = 0; i < d.names.size(); ++i)
        if (d.dirty[i] && static_cast<int>(i) != d.autoNumber) {
            key[i] = '1';
            fields.push_back(static_cast<int>(i));
        }
    const bool byRowid = d.mode == Impl::Mode::Editing || d.placeholder;
    if (byRowid && !fields.empty()) {
        std::string sql = "UPDATE " + Quoted(d.table) + " SET ";
        for (std::size_t i = 0; i < fields.size(); ++i)
            sql += (i ? ", " : "") + Quoted(d.names[fields[i]]) + " = ?";
        sql += " WHERE rowid = ?";
        Statement& writer = d.Writer("u" + key, sql);
        int param = 1;
        for (int field : fields)
            BindValue(writer, param++, d.edit[field]);
        writer.Bind(param, d.editRowid);
        writer.Run();
    } else if (!byRowid) {
        std::string sql = "INSERT INTO " + Quoted(d.table);
        if (fields.empty()) {
            sql += " DEFAULT VALUES";
        } else {
            std::string values;
            sql += " (";
            for (std::size_t i = 0; i < fields.size(); ++i) {
                sql += (i ? ", " : "") + Quoted(d.names[fields[i]]);
                values += i ? ", ?" : "?";
            }
            sql += ") VALUES (" + values + ")";
        }
        Statement& writer = d.Writer("i" + key, sql);
        int param = 1;
        for (int field : fields)
            BindValue(writer, param++, d.edit[field]);
        writer.Run();
    }
    if (d.mode == Impl::Mode::Editing && !d.buffered && !d.rows.empty()) {
        for (int field : fields)
            d.rows.front()[field + d.offset] = d.edit[field];
    } else if (d.mode == Impl::Mode::Editing && d.buffered) {
        for (int field : fields)
            d.rows[d.ordinal][field + d.offset] = d.edit[field];
    }
    d.placeholder = false;
    d.mode = Impl::Mode::None;
}

void Recordset::CancelUpdate() {
    if (!impl_ || impl_->mode == Impl::Mode::None) return;
    impl_->mode = Impl::Mode::None;
    impl_->DropPlaceholder();
}

void Recordset::Close() {
    if (!impl_) return;
    CancelUpdate();
    impl_->writers.clear();
    impl_->cursor.reset();
}

}  // namespace arc
