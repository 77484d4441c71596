#include "database/FullTextIndex.h"

#include "core/Files.h"

namespace arc {
namespace {

constexpr std::string_view kHistoryText = "HistoryText";
constexpr std::string_view kGameText = "GameText";

bool IsWordCharacter(unsigned char c) {
    // Bytes of multi-byte UTF-8 characters belong to words, as in FTS5's tokenizer.
    return c >= 0x80 || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

}  // namespace

void BuildFullTextIndex() {
    Transaction transaction;
    Execute("DROP TABLE IF EXISTS HistoryText; DROP TABLE IF EXISTS GameText");
    Execute(
        "CREATE VIRTUAL TABLE HistoryText USING fts5(body, content='', "
        "tokenize='unicode61 remove_diacritics 2')");
    Execute(
        "CREATE VIRTUAL TABLE GameText USING fts5(body, content='', "
        "tokenize='unicode61 remove_diacritics 2')");
    Execute(
        "INSERT INTO HistoryText (rowid, body) SELECT CodeHistory, "
        "coalesce(Description, '') || ' ' || coalesce(technical, '') || ' ' || "
        "coalesce(trivia, '') || ' ' || coalesce(updates, '') || ' ' || coalesce(scoring, '') "
        "|| ' ' || coalesce(tipsandtricks, '') || ' ' || coalesce(series, '') || ' ' || "
        "coalesce(staff, '') || ' ' || coalesce(ports, '') || ' ' || coalesce(sources, '') "
        "FROM History");
    Execute(
        "INSERT INTO GameText (rowid, body) SELECT d.rowid, coalesce(d.MameInfo, '') || ' ' || "
        "coalesce((SELECT group_concat(c.info, ' ') FROM Command c "
        "WHERE c.InternalName = d.InternalName), '') "
        "FROM Data d WHERE d.MameInfo IS NOT NULL OR EXISTS "
        "(SELECT 1 FROM Command c WHERE c.InternalName = d.InternalName)");
    transaction.Commit();
}

bool HasFullTextIndex(const ReadOnlyDatabase* database) {
    return database ? database->HasTable(kHistoryText) && database->HasTable(kGameText)
                    : TableExists(kHistoryText) && TableExists(kGameText);
}

std::vector<std::string> FullTextWords(std::string_view words) {
    std::vector<std::string> result;
    std::size_t i = 0;
    while (i < words.size()) {
        while (i < words.size() && !IsWordCharacter(static_cast<unsigned char>(words[i])))
            ++i;
        std::size_t end = i;
        while (end < words.size() && IsWordCharacter(static_cast<unsigned char>(words[end])))
            ++end;
        if (end > i) result.push_back(ToLowerAscii(words.substr(i, end - i)));
        i = end;
    }
    return result;
}

std::string FullTextQuery(std::string_view words) {
    const std::vector<std::string> list = FullTextWords(words);
    std::string query;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i > 0) query += ' ';
        // Only letters and digits remain, so a quoted word is taken literally.
        query += '"' + list[i] + '"';
        if (i + 1 == list.size()) query += '*';
    }
    return query;
}

std::vector<FullTextMatch> SearchFullText(const ReadOnlyDatabase* database, std::string_view words,
                                          int limit) {
    std::vector<FullTextMatch> matches;
    const std::string query = FullTextQuery(words);
    if (query.empty()) return matches;
    Statement search(database,
                     "SELECT d.InternalName, min(m.r) AS best FROM ("
                     " SELECT d2.rowid AS id, h.r AS r FROM"
                     "  (SELECT rowid AS code, bm25(HistoryText) AS r FROM HistoryText"
                     "   WHERE HistoryText MATCH ?1) h"
                     "  JOIN Data d2 ON d2.CodeHistory = h.code"
                     " UNION ALL"
                     " SELECT rowid, bm25(GameText) FROM GameText WHERE GameText MATCH ?1"
                     ") m JOIN Data d ON d.rowid = m.id"
                     " GROUP BY m.id ORDER BY best, d.InternalName LIMIT ?2");
    search.Bind(1, query).Bind(2, limit > 0 ? limit : -1);
    while (search.Step())
        matches.push_back({search.ColumnText(0), search.ColumnDouble(1)});
    return matches;
}

}  // namespace arc
