#pragma once
// What the software browser shows, without its window: the items of every
// list or of one, filtered as the user types, and the detail of one item.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "software/SoftwareQuery.h"

namespace arc {

class ReadOnlyDatabase;

struct SoftwareBrowserRow {
    std::int64_t id = 0;
    std::string list, name, cloneOf, title, year, publisher, supported;
    bool owned = false;
    std::string verdict;  ///< of the last software audit ("" when not audited)
};

struct SoftwarePartRow {
    std::string name, interface, features;
};

struct SoftwareDetail {
    std::vector<SoftwarePartRow> parts;
    std::vector<std::pair<std::string, std::string>> notes;  ///< info and sharedfeat pairs
    std::vector<SoftwareListLink> machines;                  ///< those that run the item
};

/// The browser's columns, in the order shown.
enum class SoftwareColumn { Name, Title, Year, Publisher, Supported, Owned, Verdict };

class SoftwareBrowser {
  public:
    /// Reads the items of `list` ("": every list) from `db` (null: the shared
    /// connection), in the order last chosen (by list and name at first). The
    /// filter is cleared.
    void Load(const ReadOnlyDatabase* db, const std::string& list);

    /// Shows the rows whose name, title or publisher holds every word of
    /// `filter`, without regard to case. A filter that extends the previous
    /// one looks only among the rows shown.
    void SetFilter(std::string_view filter);

    /// Orders the rows by a column (titles and publishers without regard to
    /// case); rows alike stay by list and name, and empty values (an item not
    /// owned) come last in either direction. The filter keeps the order.
    void SortBy(SoftwareColumn column, bool descending);

    std::size_t Count() const { return visible_.size(); }
    std::size_t Total() const { return rows_.size(); }
    const SoftwareBrowserRow& Row(std::size_t shown) const { return rows_[visible_[shown]]; }

    /// Parts, notes and machines of a shown row.
    SoftwareDetail Detail(const ReadOnlyDatabase* db, std::size_t shown) const;

  private:
    bool Matches(std::size_t row, const std::vector<std::string>& words) const;
    std::string_view SortKey(std::uint32_t row) const;
    void Sort(std::vector<std::uint32_t>& rows) const;

    std::vector<SoftwareBrowserRow> rows_;
    std::vector<std::string> haystacks_;  // lower-case "name\ttitle\tpublisher" of each row
    std::vector<std::uint32_t> order_;    // every row, in the chosen order
    std::vector<std::uint32_t> visible_;  // the rows the filter shows, in that order
    SoftwareColumn column_ = SoftwareColumn::Name;
    bool descending_ = false;
    std::string filter_;  // lower-case, as last set
};

}  // namespace arc
