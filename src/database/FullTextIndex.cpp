#include "database/FullTextIndex.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

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
    // The ranks of the matching History rows and games, joined to the games
    // here: a join in SQL on CodeHistory, which has no index, scans Data once
    // per matching History row.
    auto ranks = [&](std::string_view table) {
        std::unordered_map<std::int64_t, double> found;
        Statement search(database, "SELECT rowid, bm25(" + std::string(table) + ") FROM " +
                                       std::string(table) + " WHERE " + std::string(table) +
                                       " MATCH ?");
        search.Bind(1, query);
        while (search.Step())
            found.emplace(search.ColumnInt(0), search.ColumnDouble(1));
        return found;
    };
    const auto history = ranks(kHistoryText);
    const auto games = ranks(kGameText);
    if (history.empty() && games.empty()) return matches;
    Statement data(database, "SELECT rowid, InternalName, CodeHistory FROM Data");
    while (data.Step()) {
        const auto game = games.find(data.ColumnInt(0));
        const auto text = data.IsNull(2) ? history.end() : history.find(data.ColumnInt(2));
        if (game == games.end() && text == history.end()) continue;
        double rank = game != games.end() ? game->second : 0;
        if (text != history.end() && (game == games.end() || text->second < rank))
            rank = text->second;
        matches.push_back({data.ColumnText(1), rank});
    }
    std::sort(matches.begin(), matches.end(), [](const FullTextMatch& a, const FullTextMatch& b) {
        return a.rank != b.rank ? a.rank < b.rank : a.name < b.name;
    });
    if (limit > 0 && matches.size() > static_cast<std::size_t>(limit)) matches.resize(limit);
    return matches;
}

}  // namespace arc
