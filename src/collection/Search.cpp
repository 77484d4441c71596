#include "collection/Search.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "collection/DistinctTextValues.h"
#include "collection/Favourites.h"
#include "collection/GameBrowserQuery.h"
#include "collection/TaskDatabase.h"
#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/Log.h"
#include "core/TextTable.h"
#include "database/Database.h"
#include "database/FullTextIndex.h"
#include "database/UserDatabase.h"

namespace arc {
namespace {

constexpr int kFindProcedure = 611;

/// The columns of the designed query, and those the results are read with.
constexpr std::string_view kShownColumns = "SELECT internalname, gamename";
constexpr std::string_view kResultColumns = "SELECT internalname, gamename, year, manufacturer";

/// What the request keeps of the rows of the query, beyond its clauses: the
/// year range, the favourites and the full-text matches.
struct Keep {
    std::string_view yearFrom, yearTo;
    std::optional<std::unordered_set<std::string>> favourites;  ///< lower-cased set names
    std::optional<std::unordered_map<std::string, int>> ranks;  ///< lower-cased name -> place

    /// The row's place in the order (0 without full text); none when it is left out.
    std::optional<int> Rank(const SearchResult& result) const {
        if (!YearInRange(result.year, yearFrom, yearTo)) return std::nullopt;
        if (!favourites && !ranks) return 0;
        const std::string name = ToLowerAscii(result.internalName);
        if (favourites && !favourites->contains(name)) return std::nullopt;
        if (!ranks) return 0;
        const auto found = ranks->find(name);
        if (found == ranks->end()) return std::nullopt;
        return found->second;
    }
};

/// `fullText`: the database whose index is searched for the keyword, or null.
Keep KeepOf(const SearchRequest& request, const ReadOnlyDatabase* fullText,
            std::optional<std::unordered_set<std::string>> favourites) {
    Keep keep{request.yearFrom, request.yearTo, std::move(favourites), std::nullopt};
    if (fullText) {
        keep.ranks.emplace();
        int place = 0;
        for (const FullTextMatch& match : SearchFullText(fullText, request.keyword))
            keep.ranks->emplace(ToLowerAscii(match.name), place++);
    }
    return keep;
}

}  // namespace

std::string OpenSearchDatabase(const std::string& path, std::unique_ptr<ReadOnlyDatabase>& db) {
    db.reset();
    if (path.empty() || !FileExists(path)) return path + "\r\n" + Text(kTextNotFoundCannotContinue);
    try {
        db = std::make_unique<ReadOnlyDatabase>(path);
    } catch (const AppError& error) {
        return UnreadableDatabase(path, error.what());
    }
    if (!db->HasTable("Data")) {
        db.reset();
        return UnreadableDatabase(path, "no game table");
    }
    return {};
}

SearchCombos CombosOf(const ReadOnlyDatabase& db) {
    SearchCombos combos = FixedSearchCombos();
    std::vector<int> criteria;
    std::string sql = "SELECT ";
    for (int i = 0; i < kSearchCriteria; ++i) {
        if (SearchCriteria()[i].kind != CriterionKind::Values) continue;
        sql += std::string(criteria.empty() ? "" : ", ") + std::string(SearchCriteria()[i].other);
        criteria.push_back(i);
    }
    // One pass over Data, grouped and ordered as "GROUP BY f ORDER BY f" would
    // give them, Null and empty values left out.
    std::vector<DistinctTextValues> distinct(criteria.size());
    Statement statement(db, sql + " FROM Data");
    while (statement.Step()) {
        for (std::size_t i = 0; i < criteria.size(); ++i)
            distinct[i].Add(statement.ColumnView(static_cast<int>(i)));
    }
    for (std::size_t i = 0; i < criteria.size(); ++i) {
        std::vector<std::string> values = distinct[i].Sorted();
        std::vector<std::string>& items = combos[criteria[i]].items;
        items.insert(items.end(), std::make_move_iterator(values.begin()),
                     std::make_move_iterator(values.end()));
    }
    return combos;
}

static SearchOutcome RunSearchUncounted(const SearchRequest& request, TaskContext& context);

SearchOutcome RunSearch(const SearchRequest& request, TaskContext& context) {
    return RunCountingErrors<SearchOutcome>([&] { return RunSearchUncounted(request, context); });
}

static SearchOutcome RunSearchUncounted(const SearchRequest& request, TaskContext& context) {
    SearchOutcome outcome;
    std::unique_ptr<ReadOnlyDatabase> db;
    const std::string problem = OpenSearchDatabase(request.databasePath, db);
    if (!problem.empty()) {
        static_cast<Outcome&>(outcome) = Outcome::Failure(problem);
        return outcome;
    }
    const bool fullText = request.fullText && !FullTextWords(request.keyword).empty();
    if (fullText && !HasFullTextIndex(db.get())) {
        static_cast<Outcome&>(outcome) =
            Outcome::Failure(request.databasePath + "\n" + Text(kTextNoFullTextIndex));
        return outcome;
    }
    // The favourites, lower-cased; a user database that cannot be read is named.
    std::optional<std::unordered_set<std::string>> favourites;
    if (request.favouritesOnly) {
        const std::string userPath = request.userDatabasePath.empty()
                                         ? UserDatabase::PathBeside(request.databasePath)
                                         : request.userDatabasePath;
        favourites.emplace();
        const std::optional<std::string> unread = GuardedFailure(kFindProcedure, [&] {
            for (const std::string& set : ReadFavourites(request.databasePath, userPath))
                favourites->insert(ToLowerAscii(set));
        });
        if (unread) {
            static_cast<Outcome&>(outcome) = Outcome::Failure(userPath + "\n" + *unread);
            return outcome;
        }
    }
    TaskProgress& task = context.progress();
    const std::optional<std::string> error = GuardedFailure(kFindProcedure, [&] {
        task.SetLabel(Text(kTextSearchMenu));
        const std::string audit = AuditClause(request.audit, db->HasTable("Audit"));
        const std::string keyword = fullText ? std::string() : request.keyword;
        outcome.query = BuildSearchQuery(request.combos, keyword, false, audit);
        DebugLog(outcome.query);
        // Every search scans the whole Data table: a memory map makes it cheap.
        Statement(*db, "PRAGMA mmap_size=268435456").Step();
        std::string sql = BuildSearchQuery(request.combos, keyword, true, audit);
        sql.replace(0, kShownColumns.size(), kResultColumns);
        const Keep keep = KeepOf(request, fullText ? db.get() : nullptr, std::move(favourites));
        std::vector<std::pair<int, SearchResult>> found;
        Statement query(*db, sql);
        while (query.Step()) {
            SearchResult result{query.ColumnText(0), query.ColumnText(1), query.ColumnText(2),
                                query.ColumnText(3)};
            if (const std::optional<int> rank = keep.Rank(result))
                found.emplace_back(*rank, std::move(result));
        }
        // Full-text matches best first; otherwise every rank is 0 and the
        // query's order stays.
        std::stable_sort(found.begin(), found.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        outcome.results.reserve(found.size());
        for (auto& [rank, result] : found)
            outcome.results.push_back(std::move(result));
        // The list fills line by line; a cancel keeps the lines listed so far.
        const int count = static_cast<int>(outcome.results.size());
        task.SetTotal(count);
        for (int i = 0; i < count; ++i) {
            if (!task.Step(i + 1)) {
                outcome.results.resize(static_cast<std::size_t>(i));
                return;
            }
        }
    });
    if (error) {
        static_cast<Outcome&>(outcome) =
            Outcome::Failure(UnreadableDatabase(request.databasePath, *error));
    } else if (task.Cancelled()) {
        outcome.kind = OutcomeKind::Cancelled;
    }
    return outcome;
}

}  // namespace arc
