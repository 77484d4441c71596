#include "software/SoftwareBrowser.h"

#include <algorithm>

#include "core/Files.h"
#include "database/Database.h"
#include "software/SoftwarePlay.h"

namespace arc {
namespace {

bool HasTable(const ReadOnlyDatabase* db, std::string_view table) {
    return db ? db->HasTable(table) : TableExists(table);
}

std::vector<std::string> Words(std::string_view filter) {
    std::vector<std::string> words;
    std::size_t at = 0;
    while (at < filter.size()) {
        const std::size_t end = std::min(filter.find(' ', at), filter.size());
        if (end > at) words.emplace_back(filter.substr(at, end - at));
        at = end + 1;
    }
    return words;
}

}  // namespace

void SoftwareBrowser::SortBy(SoftwareColumn column, bool descending) {
    column_ = column;
    descending_ = descending;
    Sort(order_);
    // The rows shown keep their filter, in the new order.
    if (visible_.size() == order_.size()) {
        visible_ = order_;
        return;
    }
    std::vector<bool> shown(rows_.size());
    for (std::uint32_t row : visible_)
        shown[row] = true;
    visible_.clear();
    for (std::uint32_t row : order_)
        if (shown[row]) visible_.push_back(row);
}

std::string_view SoftwareBrowser::SortKey(std::uint32_t index) const {
    const SoftwareBrowserRow& row = rows_[index];
    // Title and publisher in lower case, as the haystack holds them.
    const std::string_view lower = haystacks_[index];
    switch (column_) {
        case SoftwareColumn::Title:
            return lower.substr(row.name.size() + 1, row.title.size());
        case SoftwareColumn::Publisher:
            return lower.substr(row.name.size() + row.title.size() + 2);
        case SoftwareColumn::Year:
            return row.year;  // "1987" < "198?" < "19??": known digits first
        case SoftwareColumn::Supported:
            return row.supported;
        case SoftwareColumn::Owned:
            return row.owned ? "yes" : "";
        case SoftwareColumn::Verdict:
            return row.verdict;
        case SoftwareColumn::Name:
            break;
    }
    return {};
}

void SoftwareBrowser::Sort(std::vector<std::uint32_t>& rows) const {
    // Rows are read by list and name: their index is the name order.
    if (column_ == SoftwareColumn::Name) {
        std::sort(rows.begin(), rows.end());
        if (descending_) std::reverse(rows.begin(), rows.end());
        return;
    }
    std::vector<std::string_view> keys(rows_.size());
    for (std::uint32_t row : rows)
        keys[row] = SortKey(row);
    std::sort(rows.begin(), rows.end(), [&](std::uint32_t a, std::uint32_t b) {
        const std::string_view x = keys[a];
        const std::string_view y = keys[b];
        if (x.empty() != y.empty()) return y.empty();
        const int order = x.compare(y);
        if (order != 0) return descending_ ? order > 0 : order < 0;
        return a < b;
    });
}

void SoftwareBrowser::Load(const ReadOnlyDatabase* db, const std::string& list) {
    rows_.clear();
    haystacks_.clear();
    order_.clear();
    visible_.clear();
    filter_.clear();
    if (!HasTable(db, "Software")) return;
    const bool audited = HasTable(db, "SoftwareAudit");
    std::string sql =
        "SELECT s.Id, s.ListName, s.Name, coalesce(s.CloneOf, ''), coalesce(s.Description, ''), "
        "coalesce(s.Year, ''), coalesce(s.Publisher, ''), s.Supported, s.Owned, " +
        std::string(audited ? "coalesce(a.Verdict, '')" : "''") + " FROM Software s ";
    if (audited) sql += "LEFT JOIN SoftwareAudit a ON a.ListName = s.ListName AND a.Name = s.Name ";
    if (!list.empty()) sql += "WHERE s.ListName = ? ";
    Statement select(db, sql + "ORDER BY s.ListName, s.Name");
    if (!list.empty()) select.Bind(1, list);
    while (select.Step()) {
        SoftwareBrowserRow& row = rows_.emplace_back();
        row.id = select.ColumnInt(0);
        row.list = select.ColumnView(1);
        row.name = select.ColumnView(2);
        row.cloneOf = select.ColumnView(3);
        row.title = select.ColumnView(4);
        row.year = select.ColumnView(5);
        row.publisher = select.ColumnView(6);
        row.supported = select.ColumnView(7);
        row.owned = select.ColumnInt(8) != 0;
        row.verdict = select.ColumnView(9);
        std::string& haystack = haystacks_.emplace_back();
        haystack.reserve(row.name.size() + row.title.size() + row.publisher.size() + 2);
        haystack.append(row.name).append(1, '\t').append(row.title).append(1, '\t');
        haystack.append(row.publisher);
        for (char& c : haystack)
            c = LowerAscii(c);
    }
    order_.resize(rows_.size());
    for (std::uint32_t i = 0; i < order_.size(); ++i)
        order_[i] = i;
    if (column_ != SoftwareColumn::Name || descending_) Sort(order_);
    visible_ = order_;
}

bool SoftwareBrowser::Matches(std::size_t row, const std::vector<std::string>& words) const {
    for (const std::string& word : words)
        if (haystacks_[row].find(word) == std::string::npos) return false;
    return true;
}

void SoftwareBrowser::SetFilter(std::string_view filter) {
    const std::string lower = ToLowerAscii(filter);
    const std::vector<std::string> words = Words(lower);
    // Typing on only narrows: each old word is the start of a new one, so a
    // row that holds the new words holds the old ones.
    const bool narrows = lower.starts_with(filter_);
    std::vector<std::uint32_t> shown;
    if (narrows) {
        for (std::uint32_t row : visible_)
            if (Matches(row, words)) shown.push_back(row);
    } else {
        for (std::uint32_t row : order_)
            if (Matches(row, words)) shown.push_back(row);
    }
    visible_ = std::move(shown);
    filter_ = lower;
}

SoftwareDetail SoftwareBrowser::Detail(const ReadOnlyDatabase* db, std::size_t shown) const {
    SoftwareDetail detail;
    const SoftwareBrowserRow& row = Row(shown);
    Statement parts(db,
                    "SELECT Name, Interface, Features FROM SoftwarePart WHERE SoftwareId = ? "
                    "ORDER BY Id");
    parts.Bind(1, row.id);
    while (parts.Step())
        detail.parts.push_back({parts.ColumnText(0), parts.ColumnText(1), parts.ColumnText(2)});
    Statement notes(db, "SELECT Name, Value FROM SoftwareInfo WHERE SoftwareId = ? ORDER BY Seq");
    notes.Bind(1, row.id);
    while (notes.Step())
        detail.notes.emplace_back(notes.ColumnText(0), notes.ColumnText(1));
    detail.machines = MachinesForItem(row.list, row.name, db);
    return detail;
}

}  // namespace arc
