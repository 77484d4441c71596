#include "collection/GameBrowserQuery.h"

#include "collection/CommandGlyphs.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <system_error>
#include <unordered_map>

#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/Settings.h"
#include "core/TextTable.h"
#include "database/Database.h"
#include "database/FullTextIndex.h"
#include "database/UserDatabase.h"

namespace arc {
namespace {

constexpr int kProcLoad = 680;
constexpr int kProcDetails = 681;

char Fold(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

/// Compares without regard to ASCII case, as the database's NOCASE does.
int CompareNoCase(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char x = static_cast<unsigned char>(Fold(a[i]));
        const unsigned char y = static_cast<unsigned char>(Fold(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int CompareNumbers(std::int64_t a, std::int64_t b) {
    return a == b ? 0 : (a < b ? -1 : 1);
}

int CompareColumn(const BrowserGame& a, const BrowserGame& b, BrowserColumn column) {
    switch (column) {
        case BrowserColumn::Name:
            return CompareNoCase(a.name, b.name);
        case BrowserColumn::Title:
            return CompareNoCase(a.title, b.title);
        case BrowserColumn::Year:
            return CompareNoCase(a.year, b.year);
        case BrowserColumn::Manufacturer:
            return CompareNoCase(a.manufacturer, b.manufacturer);
        case BrowserColumn::Category:
            return CompareNoCase(a.category, b.category);
        case BrowserColumn::Players:
            return CompareNoCase(a.players, b.players);
        case BrowserColumn::Status:
            return CompareNoCase(a.status, b.status);
        case BrowserColumn::Owned:
            return a.owned == b.owned ? 0 : (a.owned ? 1 : -1);
        case BrowserColumn::Favourite:
            return a.favourite == b.favourite ? 0 : (a.favourite ? 1 : -1);
        case BrowserColumn::LastPlayed:
            return CompareNumbers(a.lastPlayed, b.lastPlayed);
        case BrowserColumn::PlayCount:
            return CompareNumbers(a.playCount, b.playCount);
        case BrowserColumn::PlayTime:
            return CompareNumbers(a.playSeconds, b.playSeconds);
        case BrowserColumn::Verdict:
            return CompareNoCase(a.verdict, b.verdict);
    }
    return 0;
}

std::vector<std::string> Words(std::string_view text) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
            ++i;
        std::size_t end = i;
        while (end < text.size() && text[end] != ' ' && text[end] != '\t')
            ++end;
        if (end > i) words.push_back(ToLowerAscii(text.substr(i, end - i)));
        i = end;
    }
    return words;
}

std::string YesNo(bool value) {
    return std::string(value ? Text(kTextYes) : Text(kTextNo));
}

/// A designed field of the detail pane: its label and the Data column.
struct DetailField {
    int text;  ///< its label's text entry
    std::string_view column;
    bool yesNo = false;
};

constexpr DetailField kDetailFields[] = {
    {kTextSetName, "InternalName"},
    {kTextYear, "Year"},
    {kTextManufacturer, "Manufacturer"},
    {kTextCategoryCaption, "Category"},
    {kTextGenre, "Genre"},
    {kTextPlayers, "nPlayers"},
    {kTextControls, "Controls"},
    {kTextButtons, "InputButtons"},
    {kTextScreen, "videoscreen"},
    {kTextOrientation, "videoorientation"},
    {kTextResolution, "Resolution"},
    {kTextAspect, "Aspect"},
    {kTextRefreshRate, "Refresh"},
    {kTextColours, "Colors"},
    {kTextSoundChannels, "soundchannels"},
    {kTextDriver, "driver"},
    {kTextStatus, "DriverStatus"},  // in words: see DriverStateText
    {kTextEmulation, "driveremulation"},
    {kTextGraphics, "drivergraphic"},
    {kTextSound, "driversound"},
    {kTextColourEmulation, "drivercolor"},
    {kTextCocktail, "drivercocktail"},
    {kTextProtection, "driverprotection"},
    {kTextCloneOf, "CloneOf"},
    {kTextRomsOf, "romof"},
    {kTextSamplesOf, "sampleof"},
    {kTextBios, "Bios"},
    {kTextAddedInVersion, "VerAdded"},
    {kTextOwned, "GotIt", true},
    {kTextCheats, "Cheat", true},
    {kTextHighScores, "Hiscore", true},
    {kTextMature, "Mature", true},
    {kTextMyNotes, "MyNotes"},
};

constexpr std::size_t FieldIndex(std::string_view column) {
    std::size_t i = 0;
    while (i < std::size(kDetailFields) && kDetailFields[i].column != column)
        ++i;
    return i;
}
// The status words read the emulation beside the status.
static_assert(FieldIndex("driveremulation") == FieldIndex("DriverStatus") + 1);

/// The titled sections of a History row after its description, with the
/// heading History.dat gives each.
constexpr std::pair<std::string_view, std::string_view> kHistorySections[] = {
    {"technical", "- TECHNICAL -"},
    {"trivia", "- TRIVIA -"},
    {"updates", "- UPDATES -"},
    {"scoring", "- SCORING -"},
    {"tipsandtricks", "- TIPS AND TRICKS -"},
    {"series", "- SERIES -"},
    {"staff", "- STAFF -"},
    {"ports", "- PORTS -"},
    {"sources", "- SOURCES -"},
};

void AppendBlock(std::string& text, std::string_view block) {
    if (Trim(block).empty()) return;
    if (!text.empty()) text += "\n\n";
    text += block;
}

std::string HistoryText(const ReadOnlyDatabase& db, std::int64_t code) {
    std::string sql = "SELECT Description";
    for (const auto& [field, heading] : kHistorySections)
        sql += ", " + std::string(field);
    Statement history(db, sql + " FROM History WHERE CodeHistory = ?");
    history.Bind(1, code);
    std::string text;
    if (!history.Step()) return text;
    AppendBlock(text, history.ColumnView(0));
    for (std::size_t i = 0; i < std::size(kHistorySections); ++i) {
        const std::string_view section = history.ColumnView(static_cast<int>(i) + 1);
        if (Trim(section).empty()) continue;
        AppendBlock(text, std::string(kHistorySections[i].second) + "\n\n" + std::string(section));
    }
    return text;
}

std::string CommandText(const ReadOnlyDatabase& db, std::string_view name) {
    Statement commands(db, "SELECT cmd, info FROM Command WHERE InternalName = ? ORDER BY rowid");
    commands.Bind(1, name);
    std::string text;
    while (commands.Step()) {
        std::string block(commands.ColumnView(0));
        if (!block.empty()) block += "\n";
        block += commands.ColumnView(1);
        AppendBlock(text, block);
    }
    return text;
}

/// Line ends of the stored texts (CR LF) as the panes show them.
std::string PlainLines(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

/// The software lists a machine runs, in the listxml's order: "nes (original),
/// famicom_flop (compatible, filter NTSC)".
std::string SoftwareListsOf(const ReadOnlyDatabase& db, std::string_view machine) {
    Statement lists(db,
                    "SELECT ListName, Status, Filter FROM MachineSoftwareList WHERE Machine = ? "
                    "ORDER BY rowid");
    lists.Bind(1, machine);
    std::string text;
    while (lists.Step()) {
        if (!text.empty()) text += ", ";
        text += lists.ColumnText(0) + " (" + lists.ColumnText(1);
        if (!lists.IsNull(2) && !lists.ColumnText(2).empty())
            text += ", filter " + lists.ColumnText(2);
        text += ")";
    }
    return text;
}

}  // namespace

std::string BrowserColumnCaption(BrowserColumn column) {
    static constexpr int kCaptions[kBrowserColumns] = {
        kTextSetColumn, kTextTitle,      kTextYear,  kTextManufacturer,  kTextCategoryCaption,
        kTextPlayers,   kTextStatus,     kTextOwned, kTextFavouriteMark, kTextLastPlayed,
        kTextPlays,     kTextTimePlayed, kTextAudit,
    };
    return Text(kCaptions[static_cast<int>(column)]);
}

std::string PlayTimeText(std::int64_t seconds) {
    if (seconds < 0) seconds = 0;
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                  static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
    return text;
}

std::string LocalTimeText(std::int64_t secondsSinceEpoch) {
    if (secondsSinceEpoch <= 0) return {};
    const std::time_t moment = static_cast<std::time_t>(secondsSinceEpoch);
    std::tm local{};
    if (!localtime_r(&moment, &local)) return {};
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
    return text;
}

std::string BrowserGame::Cell(BrowserColumn column) const {
    switch (column) {
        case BrowserColumn::Name:
            return name;
        case BrowserColumn::Title:
            return title;
        case BrowserColumn::Year:
            return year;
        case BrowserColumn::Manufacturer:
            return manufacturer;
        case BrowserColumn::Category:
            return category;
        case BrowserColumn::Players:
            return players;
        case BrowserColumn::Status:
            return status;
        case BrowserColumn::Owned:
            return owned ? std::string(Text(kTextYes)) : std::string();
        case BrowserColumn::Favourite:
            return favourite ? "\u2605" : "";
        case BrowserColumn::LastPlayed:
            return LocalTimeText(lastPlayed);
        case BrowserColumn::PlayCount:
            return playCount ? std::to_string(playCount) : std::string();
        case BrowserColumn::PlayTime:
            return playCount ? PlayTimeText(playSeconds) : std::string();
        case BrowserColumn::Verdict:
            return verdict;
    }
    return {};
}

bool GameBrowserQuery::Load(const std::string& path, std::string* error) {
    path_ = path;
    games_.clear();
    order_.clear();
    hasAudit_ = false;
    if (path.empty() || !FileExists(path)) {
        if (error) *error = path + "\n" + std::string(Text(kTextNoSuchDatabaseFile));
        return false;
    }
    ProcedureScope scope(kProcLoad);
    try {
        ReadOnlyDatabase db(path);
        hasAudit_ = db.HasTable("Audit");
        std::string sql =
            "SELECT d.InternalName, d.GameName, d.Year, d.Manufacturer, d.Category, d.nPlayers, "
            "d.DriverStatus, d.GotIt, d.Working, d.CloneOf, d.Mature";
        sql += hasAudit_ ? ", a.Verdict FROM Data d LEFT JOIN Audit a ON a.Name = d.InternalName"
                         : " FROM Data d";
        Statement select(db, sql);
        while (select.Step()) {
            BrowserGame game;
            game.name = select.ColumnText(0);
            game.title = select.ColumnText(1);
            game.year = select.ColumnText(2);
            game.manufacturer = select.ColumnText(3);
            game.category = select.ColumnText(4);
            game.players = select.ColumnText(5);
            game.status = select.ColumnText(6);
            game.owned = select.ColumnInt(7) != 0;
            game.working =
                select.ColumnInt(8) != 0 && CompareNoCase(game.status, "preliminary") != 0;
            game.clone = !Trim(select.ColumnView(9)).empty();
            game.mature = select.ColumnInt(10) != 0 ||
                          ToLowerAscii(game.category).find("* mature *") != std::string::npos;
            if (hasAudit_) game.verdict = select.ColumnText(11);
            game.folded = ToLowerAscii(game.name) + '\t' + ToLowerAscii(game.title);
            games_.push_back(std::move(game));
        }
    } catch (...) {
        if (error) *error = path + "\n" + CurrentExceptionText();
        ReportCurrentException();
        games_.clear();
        hasAudit_ = false;
        return false;
    }
    order_.resize(games_.size());
    for (std::size_t i = 0; i < order_.size(); ++i)
        order_[i] = static_cast<int>(i);
    Sort(sortColumn_, descending_);
    return true;
}

void GameBrowserQuery::Sort(BrowserColumn column, bool descending) {
    sortColumn_ = column;
    descending_ = descending;
    std::sort(order_.begin(), order_.end(), [&](int left, int right) {
        const BrowserGame& a = games_[static_cast<std::size_t>(left)];
        const BrowserGame& b = games_[static_cast<std::size_t>(right)];
        int order = CompareColumn(a, b, column);
        if (descending) order = -order;
        if (order == 0) order = CompareNoCase(a.title, b.title);
        if (order == 0) order = a.name.compare(b.name);
        return order < 0;
    });
}

int FilterRelevance(std::string_view folded, std::string_view text) {
    const std::size_t tab = folded.find('\t');
    const std::string_view name = folded.substr(0, tab);
    const std::string_view title = tab == std::string_view::npos ? "" : folded.substr(tab + 1);
    if (name == text) return 0;
    if (name.starts_with(text)) return 1;
    if (title.starts_with(text)) return 2;
    return 3;
}

bool YearInRange(std::string_view year, std::string_view from, std::string_view to) {
    if (from.empty() && to.empty()) return true;
    if (year.empty()) return false;  // no year at all is in no range
    // The earliest and the latest year the digits allow; "?" stands for any digit.
    std::string low, high;
    for (std::size_t i = 0; i < 4; ++i) {
        const char c = i < year.size() ? year[i] : '?';
        if (c >= '0' && c <= '9') {
            low += c;
            high += c;
        } else if (c == '?') {
            low += '0';
            high += '9';
        } else {
            return false;
        }
    }
    return (from.empty() || high >= from) && (to.empty() || low <= to);
}

std::vector<int> GameBrowserQuery::Match(const BrowserFilter& filter) const {
    const std::vector<std::string> words =
        filter.fullText ? std::vector<std::string>{} : Words(filter.text);
    // Full text: the rank of each game whose texts hold the words.
    std::unordered_map<std::string, int> textRank;
    if (filter.fullText) {
        if (FullTextWords(filter.text).empty()) return {};
        Guarded(kProcDetails, [&] {
            const ReadOnlyDatabase db(path_);
            int rank = 0;
            for (const FullTextMatch& match : SearchFullText(&db, filter.text))
                textRank.emplace(ToLowerAscii(match.name), rank++);
        });
    }
    std::string text;
    for (const std::string& word : words)
        text += (text.empty() ? "" : " ") + word;
    std::vector<std::pair<int, int>> ranked;  // (relevance, row)
    ranked.reserve(order_.size());
    for (std::size_t i = 0; i < order_.size(); ++i) {
        const BrowserGame& game = games_[static_cast<std::size_t>(order_[i])];
        if ((filter.ownedOnly && !game.owned) || (filter.workingOnly && !game.working) ||
            (filter.noClones && game.clone) || (filter.noMature && game.mature) ||
            (filter.favouritesOnly && !game.favourite) || (filter.recentOnly && !game.playCount) ||
            !YearInRange(game.year, filter.yearFrom, filter.yearTo))
            continue;
        int relevance = 0;
        if (filter.fullText) {
            const auto found = textRank.find(game.folded.substr(0, game.folded.find('\t')));
            if (found == textRank.end()) continue;
            relevance = found->second;
        } else {
            bool shown = true;
            for (const std::string& word : words)
                if (game.folded.find(word) == std::string::npos) {
                    shown = false;
                    break;
                }
            if (!shown) continue;
            if (!text.empty()) relevance = FilterRelevance(game.folded, text);
        }
        ranked.emplace_back(relevance, static_cast<int>(i));
    }
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<int> rows;
    rows.reserve(ranked.size());
    for (const auto& [relevance, row] : ranked)
        rows.push_back(row);
    return rows;
}

std::string DriverStateText(std::string_view status, std::string_view emulation, bool runnable) {
    // The worse of the two: 0 good, 1 imperfect, 2 preliminary, -1 unknown.
    auto level = [](std::string_view value) {
        if (CompareNoCase(value, "good") == 0) return 0;
        if (CompareNoCase(value, "imperfect") == 0) return 1;
        if (CompareNoCase(value, "preliminary") == 0) return 2;
        return -1;
    };
    const int worst = runnable ? std::max(level(Trim(status)), level(Trim(emulation))) : 2;
    switch (worst) {
        case 0:
            return std::string(Text(kTextDriverWorking));
        case 1:
            return std::string(Text(kTextDriverImperfect));
        case 2:
            return std::string(Text(kTextDriverNotWorking));
        default:
            return std::string(status);
    }
}

bool GameBrowserQuery::LoadUserData(std::string* error) {
    for (BrowserGame& game : games_) {
        game.favourite = false;
        game.playCount = 0;
        game.playSeconds = game.lastPlayed = 0;
    }
    const std::string userPath = UserDatabase::PathBeside(path_);
    if (path_.empty() || !FileExists(userPath)) return true;
    return Guarded(kProcLoad, [&] {
        try {
            const UserDatabase user(userPath);
            std::unordered_map<std::string, BrowserGame*> byName;
            for (BrowserGame& game : games_)
                byName.emplace(ToLowerAscii(game.name), &game);
            for (const std::string& set : user.Favourites())
                if (auto found = byName.find(ToLowerAscii(set)); found != byName.end())
                    found->second->favourite = true;
            for (const auto& [set, stats] : user.AllPlayStats())
                if (auto found = byName.find(ToLowerAscii(set)); found != byName.end()) {
                    found->second->playCount = stats.count;
                    found->second->playSeconds = stats.totalSeconds;
                    found->second->lastPlayed = stats.lastPlayed;
                }
        } catch (...) {
            if (error) *error = userPath + "\n" + CurrentExceptionText();
            throw;
        }
    });
}

GameDetails GameBrowserQuery::Details(std::string_view name) const {
    GameDetails details;
    details.name = std::string(name);
    Guarded(kProcDetails, [&] {
        if (path_.empty() || !FileExists(path_)) return;
        ReadOnlyDatabase db(path_);
        std::string sql = "SELECT GameName, CodeHistory, MameInfo";
        for (const DetailField& field : kDetailFields)
            sql += ", " + std::string(field.column);
        sql += ", Working";  // the last column: runnable, which the status words need
        Statement data(db, sql + " FROM Data WHERE InternalName = ?");
        const int runnableColumn = static_cast<int>(std::size(kDetailFields)) + 3;
        data.Bind(1, name);
        if (!data.Step()) return;
        details.found = true;
        details.title = data.ColumnText(0);
        for (std::size_t i = 0; i < std::size(kDetailFields); ++i) {
            const DetailField& field = kDetailFields[i];
            const int column = static_cast<int>(i) + 3;
            if (data.IsNull(column)) continue;
            std::string value =
                field.yesNo ? YesNo(data.ColumnInt(column) != 0) : data.ColumnText(column);
            if (field.column == "DriverStatus")
                value = DriverStateText(
                    value, data.ColumnText(column + 1),
                    data.IsNull(runnableColumn) || data.ColumnInt(runnableColumn) != 0);
            if (Trim(value).empty()) continue;
            details.fields.emplace_back(Text(field.text), PlainLines(std::move(value)));
        }
        const bool hasHistory = !data.IsNull(1);
        const std::int64_t code = data.ColumnInt(1);
        details.mameinfo = PlainLines(data.ColumnText(2));
        data.Reset();
        if (hasHistory) details.history = PlainLines(HistoryText(db, code));
        details.commands = PlainLines(CommandTextForDisplay(CommandText(db, name)));
        if (db.HasTable("Audit")) {
            Statement audit(db, "SELECT Verdict FROM Audit WHERE Name = ?");
            audit.Bind(1, name);
            if (audit.Step() && !audit.IsNull(0))
                details.fields.emplace_back(std::string(Text(kTextAudit)), audit.ColumnText(0));
        }
        if (db.HasTable("MachineSoftwareList")) {
            const std::string lists = SoftwareListsOf(db, name);
            if (!lists.empty())
                details.fields.emplace_back(std::string(Text(kTextSoftwareLists)), lists);
        }
    });
    return details;
}

std::string DatabaseStamp(const std::string& path) {
    std::string stamp = path;
    for (const std::string& file : {path, path + "-wal"}) {
        std::error_code error;
        const auto size = std::filesystem::file_size(file, error);
        if (error) continue;
        const auto time = std::filesystem::last_write_time(file, error);
        stamp += '|' + std::to_string(size) + '@' + std::to_string(time.time_since_epoch().count());
    }
    return stamp;
}

}  // namespace arc
