#include "collection/Search.h"

#include <memory>

#include "collection/DistinctTextValues.h"
#include "collection/TaskDatabase.h"
#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/Log.h"
#include "core/TextTable.h"
#include "database/Database.h"

namespace arc {
namespace {

constexpr int kFindProcedure = 611;

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
    TaskProgress& task = context.progress();
    const std::optional<std::string> error = GuardedFailure(kFindProcedure, [&] {
        task.SetLabel(Text(kTextSearchMenu));
        const std::string audit = AuditClause(request.audit, db->HasTable("Audit"));
        outcome.query = BuildSearchQuery(request.combos, request.keyword, false, audit);
        DebugLog(outcome.query);
        // Every search scans the whole Data table: a memory map makes it cheap.
        Statement(*db, "PRAGMA mmap_size=268435456").Step();
        Statement query(*db, BuildSearchQuery(request.combos, request.keyword, true, audit));
        while (query.Step())
            outcome.results.push_back({query.ColumnText(0), query.ColumnText(1)});
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
