#pragma once
// The search window's fourteen criteria and the query built from them.

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace arc {

inline constexpr int kSearchCriteria = 14;

/// How a criterion's combo is filled and what its choice adds to the query.
enum class CriterionKind {
    Values,  ///< distinct values of a Data field; "field='value' AND "
    Choice,  ///< two fixed items; item 1 adds one clause, item 2 the other
};

struct SearchCriterion {
    CriterionKind kind;
    int labelText;  ///< text entry of the label
    int allText;    ///< text entry of item 0 ("All")
    /// Values: the clause's opening up to the quote ("year='").
    /// Choice: the clause for item 1 ("gotit=true AND ").
    std::string_view clause;
    /// Values: the Data field whose distinct values fill the combo. Choice: the
    /// clause for the other item.
    std::string_view other;
    std::array<int, 2> choiceTexts{};  ///< Choice: text entries of items 1 and 2
    /// Choice: the other clause as the engine runs it, when it differs. A
    /// Yes/No field that no importer wrote is Null here where the original
    /// engine stored No, so "field=false" must take Null as well.
    std::string_view engineOther = {};
};

/// The criteria in the order their clauses enter the query.
const std::array<SearchCriterion, kSearchCriteria>& SearchCriteria();

/// Indexes into SearchCriteria() used by the command line and the fixed-choice rules.
enum SearchCriterionIndex : int {
    kYearCriterion = 0,
    kManufacturerCriterion,
    kGenreCriterion,
    kCategoryCriterion,
    kPlayersCriterion,
    kOrientationCriterion,
    kAvailableCriterion,
    kStatusCriterion,
    kButtonsCriterion,
    kControlsCriterion,
    kClonesCriterion,
    kMatureCriterion,
    kDriverCriterion,
    kBiosCriterion,
};

/// One criterion combo: its items (item 0 is "All") and its current text.
struct SearchCombo {
    std::vector<std::string> items;
    std::string text;
};

using SearchCombos = std::array<SearchCombo, kSearchCriteria>;

/// Combos holding only their fixed items (item 0, and items 1-2 of the
/// fixed choices) in the current language, each text on item 0.
SearchCombos FixedSearchCombos();

/// The query for the combos' texts and the keyword, in the window's order:
/// the text shown and logged, with "*" wildcards. With `forEngine`, the text
/// that is run, where a Yes/No "=false" clause also takes Null values and the
/// patterns are the engine's. `extraClause` (ending with
/// " AND ") goes after the criteria, before the keyword.
std::string BuildSearchQuery(const SearchCombos& combos, std::string_view keyword,
                             bool forEngine = false, std::string_view extraClause = {});

/// The shown query as the engine runs it: inside a string literal that
/// follows LIKE, "*" becomes "%" and "?" becomes "_", and a "%", "_" or "\\"
/// typed by the user is matched literally.
std::string EngineLikePatterns(std::string_view query);

/// The audit choices: "All", then complete (best available dumps included),
/// incomplete, bad (unreadable sets included) and not audited.
enum AuditChoice : int { kAuditAll, kAuditComplete, kAuditIncomplete, kAuditBad, kNotAudited };
SearchCombo FixedAuditCombo();
/// The clause of the audit combo's choice ("" for "All"). Without an Audit
/// table no game has a verdict: every game is "not audited".
std::string AuditClause(const SearchCombo& audit, bool auditExists);

/// A result line: the internal name padded with spaces or cut to 13
/// characters, followed directly by the game name.
std::string ResultLine(std::string_view internalName, std::string_view gameName);

}  // namespace arc
