#pragma once
// The search: the games of a database that match the criteria and keyword,
// read through a connection of the search's own (the program's database and
// its connection stay as they are).

#include <memory>
#include <string>
#include <vector>

#include "collection/SearchQuery.h"
#include "collection/SearchResult.h"
#include "core/Task.h"

namespace arc {

class ReadOnlyDatabase;

struct SearchRequest {
    std::string databasePath;
    SearchCombos combos = FixedSearchCombos();  ///< the criteria: each combo's text
    SearchCombo audit = FixedAuditCombo();
    std::string keyword;
    /// The keyword's words are looked for in the History, Mameinfo and Command
    /// texts (the full-text index) instead of the names and titles; the games
    /// that hold them all come best first. A keyword without a letter or digit
    /// is matched in the names and titles as without the option.
    bool fullText = false;
    /// Only the favourites of the user database.
    bool favouritesOnly = false;
    /// The user database; "" for the one beside the database.
    std::string userDatabasePath{};
    /// Years from and to, both included ("" for no bound); a year with unknown
    /// digits ("198?") is kept when it may fall in the range.
    std::string yearFrom{};
    std::string yearTo{};
};

struct SearchOutcome : Outcome {
    std::string query;  ///< the query as shown and logged
    /// The games found; after a cancel, those listed so far.
    std::vector<SearchResult> results;
};

/// A full-text search on a database without the index fails with a message
/// that says to run build or update.
SearchOutcome RunSearch(const SearchRequest& request, TaskContext& context);

/// Opens the database for reading; a message naming it when it cannot be read.
std::string OpenSearchDatabase(const std::string& path, std::unique_ptr<ReadOnlyDatabase>& db);

/// The combos filled from the database: the distinct values of every value
/// criterion after the fixed items, each text on "All".
SearchCombos CombosOf(const ReadOnlyDatabase& db);

}  // namespace arc
