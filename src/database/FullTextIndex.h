#pragma once
// The full-text index of the History, Mameinfo and Command texts, beside the
// designed tables. It holds no copy of the texts (they stay in their tables):
// one entry per History row, keyed by its CodeHistory, and one per game for
// its Mameinfo and Command texts, keyed by the game's row.

#include <string>
#include <string_view>
#include <vector>

#include "database/Database.h"

namespace arc {

/// Fills the index again from the tables of the shared connection, in one
/// transaction; AppError when the engine refuses.
void BuildFullTextIndex();

/// True when the database has the index.
bool HasFullTextIndex(const ReadOnlyDatabase* database);

/// The words the user typed as an FTS5 query: every word must be found, each
/// taken literally (quotes and operators are text), the last one also as the
/// start of a word. Empty when there is no word.
std::string FullTextQuery(std::string_view words);

/// The words of a query, lower-cased, for highlighting them in a text.
std::vector<std::string> FullTextWords(std::string_view words);

struct FullTextMatch {
    std::string name;  ///< the game's set name
    double rank = 0;   ///< lower is better
};

/// The games whose texts hold every word, best first (at most `limit`, 0 for
/// all); on the shared connection when `database` is null.
std::vector<FullTextMatch> SearchFullText(const ReadOnlyDatabase* database, std::string_view words,
                                          int limit = 0);

}  // namespace arc
