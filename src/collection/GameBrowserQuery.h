#pragma once
// The game browser's data, without widgets: a compact index of every game
// (the columns of its table) read once from the database, sorted and filtered
// in memory, and the details of one game read when it is selected. The
// database is read through a connection of its own, opened for each read, so
// that the tasks that open and close the shared connection are not disturbed.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace arc {

/// The browser's columns, in display order.
enum class BrowserColumn : int {
    Name,
    Title,
    Year,
    Manufacturer,
    Category,
    Players,
    Status,
    Owned,
    Favourite,   ///< a star
    LastPlayed,  ///< local date and time of the last play
    PlayCount,
    PlayTime,  ///< total time played, h:mm:ss
    Verdict,   ///< shown only when the database has an Audit table; always the last
};
inline constexpr int kBrowserColumns = 13;

/// The column's header in the current language.
std::string BrowserColumnCaption(BrowserColumn column);

/// A play time as the browser shows it: "h:mm:ss" ("" for none).
std::string PlayTimeText(std::int64_t seconds);
/// A moment (seconds since the epoch) in local time as "YYYY-MM-DD HH:MM" ("" for 0).
std::string LocalTimeText(std::int64_t secondsSinceEpoch);

/// One game of the index.
struct BrowserGame {
    std::string name;  ///< set name (InternalName)
    std::string title;
    std::string year;
    std::string manufacturer;
    std::string category;
    std::string players;
    std::string status;   ///< driver status: good, imperfect, preliminary
    std::string verdict;  ///< the audit's verdict ("" without one)
    bool owned = false;
    bool working = false;  ///< runnable and its driver status is not preliminary
    bool clone = false;
    bool mature = false;  ///< Mature set, or "* Mature *" in its category
    std::string folded;   ///< name and title lower-cased, for the filter
    // The user's own data (the user database beside the built one).
    bool favourite = false;
    int playCount = 0;
    std::int64_t playSeconds = 0;
    std::int64_t lastPlayed = 0;  ///< seconds since the epoch, 0 when never played

    /// The text shown in a column (Owned: "Yes" or "" in the current language).
    std::string Cell(BrowserColumn column) const;
};

/// What the browser shows: every word of `text` found in the title or the set
/// name (without regard to case), and the quick filters.
struct BrowserFilter {
    std::string text{};
    bool ownedOnly = false;
    bool workingOnly = false;
    bool noClones = false;
    bool noMature = false;
    bool favouritesOnly = false;
    bool recentOnly = false;  ///< only games played at least once
    /// Years from and to, both included ("" for no bound); a year with unknown
    /// digits ("198?") is shown when it may fall in the range.
    std::string yearFrom{};
    std::string yearTo{};
    /// The words are searched in the History, Mameinfo and Command texts
    /// instead of the titles and set names; the best matches come first.
    bool fullText = false;
};

/// How well a game answers the filter's text, for the order of the matches: 0
/// its set name is the text, 1 its set name begins with it, 2 its title does,
/// 3 the words are elsewhere in its title or set name. `folded` is
/// BrowserGame::folded, `text` the filter's text lower-cased.
int FilterRelevance(std::string_view folded, std::string_view text);

/// True when a year ("1981", "198?") may fall between from and to; a game
/// without a year is in no range.
bool YearInRange(std::string_view year, std::string_view from, std::string_view to);

/// Everything the detail pane shows of one game.
struct GameDetails {
    bool found = false;
    std::string name;
    std::string title;
    /// Label and value of every designed field that has a value, in sheet order.
    std::vector<std::pair<std::string, std::string>> fields;
    std::string history;   ///< description, then the titled sections
    std::string mameinfo;  ///< the Mameinfo text
    std::string commands;  ///< each command block under its title
};

/// The driver's state as a user reads it, in the current language: Working,
/// Imperfect or Not working, the worse of the emulator's driver status and
/// emulation ("good", "imperfect", "preliminary"); Not working for a set that
/// cannot run. A status it does not know is given as it is.
std::string DriverStateText(std::string_view status, std::string_view emulation, bool runnable);

class GameBrowserQuery {
  public:
    /// Reads the index of every game of the database at `path`, sorted by
    /// title. False (the index emptied, the reason in `error`) when the file
    /// cannot be read as a game database.
    bool Load(const std::string& path, std::string* error = nullptr);

    const std::string& DatabasePath() const { return path_; }
    /// True when the database has an Audit table (the Verdict column shows).
    bool HasAudit() const { return hasAudit_; }
    int GameCount() const { return static_cast<int>(games_.size()); }
    /// Game `index` in the current sort order.
    const BrowserGame& Game(int index) const {
        return games_[static_cast<std::size_t>(order_[static_cast<std::size_t>(index)])];
    }

    /// Sorts the index by a column (without regard to case; ties by title then
    /// set name), ascending or descending.
    void Sort(BrowserColumn column, bool descending);
    BrowserColumn SortColumn() const { return sortColumn_; }
    bool SortDescending() const { return descending_; }

    /// The indexes of the games the filter shows: in the sort order, the games
    /// that answer the text best first (FilterRelevance), or for a full-text
    /// filter the best matches of the texts first.
    std::vector<int> Match(const BrowserFilter& filter) const;

    /// Reads the user's favourites and plays from the user database beside the
    /// loaded one (none when it does not exist yet). False, the reason in
    /// `error`, when it cannot be read.
    bool LoadUserData(std::string* error = nullptr);

    /// The details of a game, read from the database now. `found` is false
    /// when the game is not in it (or the database cannot be read; logged).
    GameDetails Details(std::string_view name) const;

  private:
    std::string path_;
    bool hasAudit_ = false;
    std::vector<BrowserGame> games_;  ///< in the database's order
    std::vector<int> order_;          ///< indexes into games_ in the sort order
    BrowserColumn sortColumn_ = BrowserColumn::Title;
    bool descending_ = false;
};

/// A stamp of a database file (size and modification time of it and of its
/// write-ahead log): a browser reloads its index when the stamp changes.
std::string DatabaseStamp(const std::string& path);

}  // namespace arc
