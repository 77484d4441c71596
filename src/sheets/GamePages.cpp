#include "sheets/GamePages.h"
#include "sheets/SoftwarePages.h"

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "core/Files.h"
#include "core/Log.h"
#include "core/Progress.h"
#include "core/TextFile.h"
#include "core/TextTable.h"
#include "core/UiService.h"
#include "database/BackgroundRead.h"
#include "database/Database.h"
#include "sheets/HtmlSanitizer.h"
#include "sheets/SheetText.h"

namespace arc {
namespace {

// Columns of Data read as they are into a marker.
struct PlainColumn {
    std::string_view column;
    Marker marker;
};
constexpr PlainColumn kPlainColumns[] = {
    {"GameName", Marker::GameName},
    {"Category", Marker::Category},
    {"nPlayers", Marker::NPlayers},
    {"Resolution", Marker::Resolution},
    {"Genre", Marker::Genre},
    {"InternalName", Marker::InternalName},
    {"Aspect", Marker::Aspect},
    {"driver", Marker::Driver},
    {"Bios", Marker::Bios},
    {"Controls", Marker::Controls},
    {"Refresh", Marker::Refresh},
    {"Colors", Marker::Colors},
    {"MyNotes", Marker::MyNotes},
    {"videoorientation", Marker::Orientation},
    {"videoscreen", Marker::VideoScreen},
    {"soundchannels", Marker::Channels},
    {"InputButtons", Marker::Buttons},
    {"inputcoins", Marker::Coins},
    {"DriverStatus", Marker::DvStatus},
    {"driveremulation", Marker::DvEmulation},
    {"drivergraphic", Marker::DvGraphic},
    {"driversound", Marker::DvSound},
    {"drivercolor", Marker::DvColor},
    {"drivercocktail", Marker::DvCocktail},
    {"driverprotection", Marker::DvProtection},
    {"inputservice", Marker::Service},
    {"inputtilt", Marker::Tilt},
    {"romof", Marker::RomOf},
    {"sampleof", Marker::SampleOf},
    {"samplename", Marker::SampName},
    {"Year", Marker::Year},
};

// The yes/no markers with their field and the text entries for true / false.
struct FlagColumn {
    std::string_view column;
    Marker marker;
    int yesText;
    int noText;
};
constexpr FlagColumn kFlagColumns[] = {
    {"Working", Marker::Working, 49, 48}, {"CorrectColors", Marker::CorrectColors, 52, 51},
    {"Sound", Marker::Sound, 52, 51},     {"ScreenFlip", Marker::ScreenFlip, 54, 53},
    {"GotIt", Marker::GotIt, 54, 53},     {"Cheat", Marker::Cheat, 54, 53},
    {"Hiscore", Marker::Hiscore, 54, 53},
};
constexpr int kGotItFlag = 4;

constexpr std::string_view kHistoryColumns[] = {
    "yearmanufacturer", "Description", "technical", "trivia", "updates", "scoring",
    "tipsandtricks",    "series",      "staff",     "ports",  "sources",
};

// One selected game, read from the current row of the selection.
struct GameRow {
    MarkerValues plain;
    std::string manufacturer, verAdded, mameInfo, cloneOf;
    std::array<bool, std::size(kFlagColumns)> flags{};
    std::optional<std::int64_t> codeHistory;

    const std::string& name() const { return plain[static_cast<int>(Marker::InternalName)]; }
    const std::string& title() const { return plain[static_cast<int>(Marker::GameName)]; }
};

// Column positions of a statement, found by name without regard to case.
class Columns {
  public:
    explicit Columns(const Statement& statement) {
        for (int i = 0; i < statement.ColumnCount(); ++i) {
            names_.push_back(ToLowerAscii(statement.ColumnName(i)));
        }
    }
    int operator[](std::string_view name) const {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        for (std::size_t i = 0; i < names_.size(); ++i) {
            if (std::equal(names_[i].begin(), names_[i].end(), name.begin(), name.end(),
                           [&](char a, char b) { return a == lower(b); }))
                return static_cast<int>(i);
        }
        return -1;
    }

  private:
    std::vector<std::string> names_;
};

// A long text of a support file: its allowed markup, then a break at each line end.
std::string LongText(std::string_view text) {
    return WithHtmlBreaks(SanitizeHtml(text));
}

std::string TextAt(const Statement& statement, int column) {
    return column < 0 ? std::string() : std::string(statement.ColumnView(column));
}

// TextAt() into a string that keeps its buffer from row to row.
void ReadText(const Statement& statement, int column, std::string& out) {
    if (column < 0)
        out.clear();
    else
        out.assign(statement.ColumnView(column));
}

bool FlagAt(const Statement& statement, int column) {
    if (column < 0 || statement.IsNull(column)) return false;
    std::string_view text = statement.ColumnView(column);
    if (text == "1" || text == "-1") return true;
    std::string lower = ToLowerAscii(text);
    return lower == "true" || lower == "yes" || statement.ColumnInt(column) != 0;
}

class GameReader {
  public:
    explicit GameReader(const Statement& statement) {
        Columns columns(statement);
        for (const PlainColumn& plain : kPlainColumns)
            plainAt_.push_back(columns[plain.column]);
        for (const FlagColumn& flag : kFlagColumns)
            flagAt_.push_back(columns[flag.column]);
        manufacturer_ = columns["Manufacturer"];
        verAdded_ = columns["VerAdded"];
        mameInfo_ = columns["MameInfo"];
        cloneOf_ = columns["CloneOf"];
        codeHistory_ = columns["CodeHistory"];
    }

    void Read(const Statement& s, GameRow& row) const {
        for (std::size_t i = 0; i < std::size(kPlainColumns); ++i) {
            ReadText(s, plainAt_[i], row.plain[static_cast<int>(kPlainColumns[i].marker)]);
        }
        for (std::size_t i = 0; i < std::size(kFlagColumns); ++i)
            row.flags[i] = FlagAt(s, flagAt_[i]);
        ReadText(s, manufacturer_, row.manufacturer);
        ReadText(s, verAdded_, row.verAdded);
        ReadText(s, mameInfo_, row.mameInfo);
        ReadText(s, cloneOf_, row.cloneOf);
        row.codeHistory.reset();
        if (codeHistory_ >= 0 && !s.IsNull(codeHistory_))
            row.codeHistory = s.ColumnInt(codeHistory_);
    }

  private:
    std::vector<int> plainAt_, flagAt_;
    int manufacturer_, verAdded_, mameInfo_, cloneOf_, codeHistory_;
};

// The text of an expansion marker for each game with rows in its table,
// keyed by the lower-cased short name (the column compares as NOCASE).
struct Expansion {
    std::string value;
    std::string previousSwitch;
    bool any = false;
};
using ExpansionTexts = std::unordered_map<std::string, Expansion>;

// One pass over the table: each game's rows come in the order its own
// "WHERE InternalName=?" look-up gives them (the index's, then the table's).
// Reads on `own` when given, else on the shared connection.
ExpansionTexts LoadExpansions(Marker marker, std::string_view table,
                              const ReadOnlyDatabase* own = nullptr) {
    ExpansionTexts games;
    games.reserve(1 << 16);  // today's lists: some 40,000 games, without rehashing
    const std::string sql = "SELECT * FROM " + std::string(table) + " ORDER BY rowid";
    Statement query(own, sql);
    const Columns columns(query);
    const int nameAt = columns["InternalName"];
    if (nameAt < 0) return games;
    // The row's own fields, then its labelled lines ("&nbsp; Label : value").
    int first = -1, second = -1, third = -1;
    struct Labelled {
        std::string_view label;
        int column;
    };
    std::vector<Labelled> lines;
    auto label = [&](std::initializer_list<std::pair<std::string_view, std::string_view>> list) {
        for (const auto& [text, name] : list)
            lines.push_back({text, columns[name]});
    };
    switch (marker) {
        case Marker::ExpBios:
            first = columns["BiosSetName"];
            second = columns["biossetdefault"];
            third = columns["biossetdescription"];
            break;
        case Marker::ExpChip:
            first = columns["chipname"];
            label({{"&nbsp; Type : ", "chiptype"},
                   {"&nbsp; SoundOnly : ", "chipsoundonly"},
                   {"&nbsp; Clock : ", "chipclock"}});
            break;
        case Marker::ExpRom:
            first = columns["RomName"];
            label({{"&nbsp; Status : ", "Romstatus"},
                   {"&nbsp; Dispose : ", "Romdispose"},
                   {"&nbsp; Sound only : ", "Romsoundonly"},
                   {"&nbsp; Bios : ", "Rombios"},
                   {"&nbsp; Size : ", "Romsize"},
                   {"&nbsp; CRC : ", "Romcrc"},
                   {"&nbsp; Md5 : ", "Rommd5"},
                   {"&nbsp; Sha1 : ", "Romsha1"},
                   {"&nbsp; Merge : ", "Rommerge"},
                   {"&nbsp; Region : ", "Romregion"},
                   {"&nbsp; Offset : ", "Romoffset"}});
            break;
        case Marker::ExpDip:
            first = columns["dipswitchname"];
            second = columns["dipvaluename"];
            third = columns["dipvaluedefault"];
            break;
        default:
            first = columns["diskName"];
            label({{"&nbsp; Status : ", "diskStatus"},
                   {"&nbsp; Md5 : ", "diskmd5"},
                   {"&nbsp; Sha1 : ", "disksha1"},
                   {"&nbsp; Merge : ", "diskmerge"},
                   {"&nbsp; Region : ", "diskregion"},
                   {"&nbsp; Index : ", "diskIndex"}});
            break;
    }
    auto view = [&](int column) {
        return column < 0 ? std::string_view() : query.ColumnView(column);
    };
    std::string previousName;
    Expansion* game = nullptr;
    // A game's rows mostly follow each other: one map look-up per run of them,
    // whose text grows in a buffer kept from run to run and then goes to the
    // game in one piece.
    std::string value;
    auto endRun = [&] {
        if (game) game->value += value;
        value.clear();
    };
    while (query.Step()) {
        const std::string_view name = query.ColumnView(nameAt);
        if (!game || name != previousName) {
            endRun();
            previousName.assign(name);
            game = &games[ToLowerAscii(name)];
        }
        switch (marker) {
            case Marker::ExpBios: {
                AppendEscapedXml(value, view(first));
                const std::string_view isDefault = view(second);
                if (!isDefault.empty()) {
                    value += " (";
                    AppendEscapedXml(value, isDefault);
                    value += ")";
                }
                value += " ";
                AppendEscapedXml(value, view(third));
                value += "<br>\r\n";
                break;
            }
            case Marker::ExpDip: {
                const std::string_view switchName = view(first);
                if (!game->any || switchName != game->previousSwitch) {
                    AppendEscapedXml(value, switchName);
                    value += "<br>\r\n";
                }
                game->previousSwitch.assign(switchName);
                const std::string_view valueName = view(second);
                if (!valueName.empty()) {
                    value += "&nbsp; DIP ";
                    AppendEscapedXml(value, valueName);
                    const std::string_view isDefault = view(third);
                    if (!isDefault.empty()) {
                        value += "(";
                        AppendEscapedXml(value, isDefault);
                        value += ")";
                    }
                    value += "<br>\r\n";
                }
                break;
            }
            case Marker::ExpChip:
            case Marker::ExpRom:
                AppendEscapedXml(value, view(first));
                value += "<br>\r\n";
                break;
            default:
                AppendEscapedXml(value, view(first));
                break;
        }
        for (const Labelled& line : lines) {
            const std::string_view text = view(line.column);
            if (text.empty()) continue;
            value += line.label;
            AppendEscapedXml(value, text);
            value += "<br>\r\n";
        }
        game->any = true;
    }
    endRun();
    return games;
}

constexpr std::pair<Marker, std::string_view> kExpansionTables[] = {
    {Marker::ExpBios, "BiosSet"},  {Marker::ExpChip, "Chip"}, {Marker::ExpRom, "Rom"},
    {Marker::ExpDip, "DipSwitch"}, {Marker::ExpDisk, "Disk"},
};

// The per-game lookups, prepared once per run.
class GameLookups {
  public:
    explicit GameLookups(const GamePageTemplate& page)
        : history_("SELECT * FROM History WHERE CodeHistory=?"),
          command_("SELECT * FROM Command WHERE Internalname=?") {
        auto slot = [](Marker marker) {
            return static_cast<int>(marker) - static_cast<int>(Marker::ExpBios);
        };
        auto wanted = [&](Marker marker) { return page.Holds(MarkerText(marker)); };
        // The DIP switches (the most rows) load on a connection of their own
        // while the other tables load here and until the first page needs them.
        if (wanted(Marker::ExpDip)) {
            dips_.emplace([](const ReadOnlyDatabase* own) {
                return LoadExpansions(Marker::ExpDip, "DipSwitch", own);
            });
        }
        for (const auto& [marker, table] : kExpansionTables) {
            if (wanted(marker) && marker != Marker::ExpDip)
                expansion_[slot(marker)] = LoadExpansions(marker, table);
        }
    }

    std::string Clones(const std::string& cloneOf) {
        if (cloneOf.empty()) return Text(kTextSet);
        if (!titles_) LoadTitles();
        std::string link = "<a href=\"" + AttributeUrl(cloneOf + ".htm") + "\">";
        const std::string shown = EscapeXmlText(cloneOf);
        const auto parent = titles_->find(ToLowerAscii(cloneOf));
        if (parent != titles_->end()) {
            link += EscapeXmlText(parent->second) + " (" + shown + ")</a>";
        } else {
            link += shown + "</a>";
        }
        return link;
    }

    void History(const GameRow& game, MarkerValues& values) {
        const int first = static_cast<int>(Marker::YearManufacturer);
        for (int i = 0; i < 11; ++i)
            values[first + i].clear();
        if (!game.codeHistory) return;
        history_.Reset();
        history_.Bind(1, *game.codeHistory);
        if (history_.Step()) {
            if (!historyColumns_) {
                Columns columns(history_);
                historyColumns_.emplace();
                for (int i = 0; i < 11; ++i)
                    (*historyColumns_)[i] = columns[kHistoryColumns[i]];
            }
            values[first] = SanitizeHtml(TextAt(history_, (*historyColumns_)[0]));
            for (int i = 1; i < 11; ++i) {
                values[first + i] = LongText(TextAt(history_, (*historyColumns_)[i]));
            }
        }
        history_.Reset();
    }

    void Commands(const GameRow& game, MarkerValues& values) {
        values[static_cast<int>(Marker::Cmd)].clear();
        values[static_cast<int>(Marker::Info)].clear();
        command_.Reset();
        command_.Bind(1, game.name());
        if (command_.Step()) {
            if (!commandColumns_) {
                Columns columns(command_);
                commandColumns_ = {columns["cmd"], columns["info"]};
            }
            values[static_cast<int>(Marker::Cmd)] =
                LongText(TextAt(command_, (*commandColumns_)[0]));
            values[static_cast<int>(Marker::Info)] =
                LongText(TextAt(command_, (*commandColumns_)[1]));
        }
        command_.Reset();
    }

    // Each game's text is handed over: a page is made once per game.
    void Expansions(const GameRow& game, MarkerValues& values) {
        if (dips_) {
            expansion_[kDipSlot] = dips_->Get();
            dips_.reset();
        }
        const std::string key = ToLowerAscii(game.name());
        for (int i = 0; i < 5; ++i) {
            if (!expansion_[i]) continue;
            auto marker = static_cast<Marker>(static_cast<int>(Marker::ExpBios) + i);
            const auto found = expansion_[i]->find(key);
            values[static_cast<int>(marker)] = found == expansion_[i]->end()
                                                   ? std::string("&nbsp; ")
                                                   : std::move(found->second.value);
        }
    }

  private:
    // Every game's title by lower-cased short name, the first row of a name
    // as its "WHERE InternalName=?" look-up would give it (the column
    // compares as NOCASE; the index orders equal names by row).
    void LoadTitles() {
        titles_.emplace();
        Statement titles("SELECT InternalName, GameName FROM Data ORDER BY rowid");
        while (titles.Step()) {
            if (!titles.IsNull(0))
                titles_->emplace(ToLowerAscii(titles.ColumnView(0)), titles.ColumnText(1));
        }
    }

    Statement history_, command_;
    std::optional<std::unordered_map<std::string, std::string>> titles_;
    static constexpr int kDipSlot =
        static_cast<int>(Marker::ExpDip) - static_cast<int>(Marker::ExpBios);
    std::array<std::optional<ExpansionTexts>, 5> expansion_;
    std::optional<BackgroundRead<ExpansionTexts>> dips_;
    std::optional<std::array<int, 11>> historyColumns_;
    std::optional<std::array<int, 2>> commandColumns_;
};

// Image markers and the per-game copy from the art folders.
class GameImages {
  public:
    explicit GameImages(const SheetRun& run) : run_(run) {
        for (int k = 0; k < kArtKinds; ++k)
            artPresent_[k] = FolderExists(run.artFolders[k]);
        noImageUrl_ = ImageUrl(ToFileUrl(run.PagesFolder() + "noimage.png"));
    }

    void Fill(const GameRow& game, MarkerValues& values) const {
        const std::string& stem = Stem(game);
        const std::string image = stem + ".png";
        for (int k = 0; k < kArtKinds; ++k) {
            std::string& value = values[static_cast<int>(Marker::ImgTitle) + k];
            const std::string source = run_.artFolders[k] + image;
            if (!run_.choices.dontCopy[k]) {
                std::string relative = "images/";
                relative += ArtSheetFolders()[k];
                relative += "/" + image;
                value = ImageUrl(ToSlashPath(relative));
                if (!run_.choices.copyAllArt && artPresent_[k]) {
                    const std::string target = run_.PagesFolder() + relative;
                    if (!FileExists(target) && FileExists(source)) ShellCopy(source, target);
                }
            } else if (artPresent_[k] && FileExists(source)) {
                value = ImageUrl(ToFileUrl(source));
            } else {
                value = noImageUrl_;
            }
        }
    }

    // The name of the game's pictures: its own, or its parent's when asked.
    const std::string& Stem(const GameRow& game) const {
        return run_.choices.parentArtForClones && !game.cloneOf.empty() ? game.cloneOf
                                                                        : game.name();
    }

  private:
    const SheetRun& run_;
    std::array<bool, kArtKinds> artPresent_{};
    std::string noImageUrl_;
};

// The game's audit verdict and its first problems; "not audited" without a row.
std::string AuditText(Statement& audit, const std::string& name) {
    audit.Reset();
    audit.Bind(1, name);
    std::string text = Text(kTextNotAudited);
    if (audit.Step()) {
        text = VerdictCaption(audit.ColumnView(0));
        if (!audit.ColumnView(1).empty()) text += " (" + EscapeXmlText(audit.ColumnView(1)) + ")";
    }
    audit.Reset();
    return text;
}

// A game without manufacturer is listed under the unknown group: link there.
std::string ManufacturerLink(const std::string& manufacturer) {
    const std::string& shown = manufacturer.empty() ? Text(kTextUnknownBracketed) : manufacturer;
    return "<a href=\"" + AttributeUrl("M_" + SafeFileName(shown) + ".htm") + "\">" +
           EscapeXmlText(shown) + "</a>";
}

std::string PageLink(const std::string& name) {
    return "<a " + HrefTo(name + ".htm") + ">" + EscapeXmlText(name) + "</a>";
}

// A short name that would leave the pages folder gets no page.
bool UsableName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\") == std::string::npos;
}

void AddToLists(SheetRun& run, const GameRow& game) {
    std::string label = EscapeXmlText(game.title());
    if (!game.cloneOf.empty()) label += " (clone)";
    const std::string link = "<a " + HrefTo(game.name() + ".htm") + ">" + label + "</a><br>";
    run.gameList.push_back(SortLetter(game.title()) + link);
    auto add = [&](GroupList list, std::string_view group) {
        std::string entry(group);
        entry += kGroupSeparator;
        entry += link;
        run.groups[list].push_back(std::move(entry));
    };
    add(kByManufacturer, game.manufacturer);
    add(kByGenre, game.plain[static_cast<int>(Marker::Genre)]);
    add(kByAvailability, game.flags[kGotItFlag] ? kTrueText : kFalseText);
    add(kByCategory, game.plain[static_cast<int>(Marker::Category)]);
    add(kByYear, game.plain[static_cast<int>(Marker::Year)]);
    add(kByVersion, "v " + CorrectedVersion(game.verAdded));
}

}  // namespace

namespace {

// " WHERE ..." for the run's choices, or "".
std::string SelectionWhere(const SheetChoices& choices) {
    std::string condition;
    if (choices.onlyAvailable) condition = "GotIt=True";
    if (choices.avoidClones) condition += " AND CloneOf IS NULL";
    if (choices.avoidNonWorking) condition += " AND Working=True";
    if (condition.rfind(" AND", 0) == 0) condition = std::string(Trim(condition.substr(4)));
    return condition.empty() ? condition : " WHERE " + condition;
}

}  // namespace

std::string GameSelectionQuery(const SheetChoices& choices) {
    return "SELECT * FROM Data" + SelectionWhere(choices) + " ORDER BY Gamename";
}

void ReadVersionTexts(SheetRun& run) {
    const std::string sql = "SELECT VersionMame,VersionArcanote FROM Versions";
    DebugLog(sql);
    Statement versions(sql);
    if (versions.Step()) {
        run.mameVersion = EscapeXmlText(versions.ColumnView(0));
        run.programVersion = "Arcanote v" + EscapeXmlText(versions.ColumnView(1));
    }
}

std::string CorrectedVersion(std::string_view version) {
    if (!version.empty() && version.front() == '.') return "0" + std::string(version);
    return std::string(version);
}

std::string SortLetter(std::string_view title) {
    if (title.empty()) return " ";
    return ToUpperAscii(title.substr(0, Utf8FirstCharLength(title)));
}

PagesOutcome WriteGamePages(SheetRun& run, const GamePageTemplate& page, TaskProgress& progress) {
    // The expansion lists load first: the one on a connection of its own goes
    // on loading while the selection is sorted. Those long statements stop at
    // a cancel.
    std::optional<GameLookups> lookups;
    std::optional<Statement> sorted;
    int count = 0;
    try {
        const InterruptScope interrupt([&] { return progress.Cancelled(); });
        lookups.emplace(page);
        sorted.emplace(GameSelectionQuery(run.choices));
        if (!sorted->Step()) {
            DebugLog(Text(kTextNoDataForCriteria));
            return PagesOutcome::EmptySelection;
        }
        count =
            std::stoi("0" + QueryValue("SELECT COUNT(*) FROM Data" + SelectionWhere(run.choices)));
    } catch (const AppError&) {
        if (progress.Cancelled()) return PagesOutcome::Cancelled;
        throw;
    }
    Statement& selection = *sorted;
    progress.SetTotal(count);
    progress.SetLabel(std::to_string(count) + Text(kTextRomsToAnalyse));
    DebugLog(Text(kTextRomsToAnalyse) + " RecordCount=" + std::to_string(count));

    GameReader reader(selection);
    GameImages images(run);
    std::optional<Statement> audit;
    if (page.Holds(MarkerText(Marker::Audit)) && TableExists("Audit"))
        audit.emplace("SELECT Verdict, Problems FROM Audit WHERE Name=?");
    MarkerValues values;
    values[static_cast<int>(Marker::VerMame)] = run.mameVersion;
    values[static_cast<int>(Marker::VerAno)] = run.programVersion;
    values[static_cast<int>(Marker::Home)] = kHomeLink;
    std::string previousLink;
    std::string text;
    run.gameList.reserve(count);
    run.pageImages.reserve(count);
    for (auto& list : run.groups)
        list.reserve(count);

    const std::unordered_map<std::string, std::string> softwareLines =
        SoftwareLinesByMachine(run.frenchPages);
    PageWriter writer(true);
    std::unordered_set<std::string> written;  // a page per short name, in any order
    std::array<GameRow, 2> rows;              // the game and the next, in turn
    int current = 0;
    int done = 0;
    reader.Read(selection, rows[current]);
    bool more = true;
    while (more) {
        GameRow& game = rows[current];
        GameRow& next = rows[1 - current];
        if (!progress.Step(++done)) return PagesOutcome::Cancelled;
        more = selection.Step();
        if (more) reader.Read(selection, next);
        if (!UsableName(game.name())) {
            WriteLog("No page for the short name \"" + game.name() + "\"");
        } else {
            // Text for the page: the notes are the user's own markup, kept
            // within what the sanitizer allows.
            for (const PlainColumn& plain : kPlainColumns) {
                const std::string& value = game.plain[static_cast<int>(plain.marker)];
                std::string& shown = values[static_cast<int>(plain.marker)];
                if (plain.marker == Marker::MyNotes) {
                    shown = SanitizeHtml(value);
                } else {
                    shown.clear();
                    AppendEscapedXml(shown, value);
                }
            }
            values[static_cast<int>(Marker::Manufacturer)] = ManufacturerLink(game.manufacturer);
            values[static_cast<int>(Marker::VerAdded)] = CorrectedVersion(game.verAdded);
            values[static_cast<int>(Marker::MameInfo)] = LongText(game.mameInfo);
            lookups->Expansions(game, values);
            values[static_cast<int>(Marker::Clones)] = lookups->Clones(game.cloneOf);
            for (std::size_t i = 0; i < std::size(kFlagColumns); ++i) {
                const FlagColumn& flag = kFlagColumns[i];
                values[static_cast<int>(flag.marker)] =
                    Text(game.flags[i] ? flag.yesText : flag.noText);
            }
            lookups->History(game, values);
            lookups->Commands(game, values);
            values[static_cast<int>(Marker::Previous)] = previousLink;
            previousLink = PageLink(game.name());
            values[static_cast<int>(Marker::Next)] = more ? PageLink(next.name()) : std::string();
            images.Fill(game, values);
            if (audit) values[static_cast<int>(Marker::Audit)] = AuditText(*audit, game.name());

            page.Fill(values, text);
            if (!softwareLines.empty())
                if (const auto lists = softwareLines.find(ToLowerAscii(game.name()));
                    lists != softwareLines.end())
                    InsertBeforeBodyEnd(text, lists->second);
            if (!written.insert(game.name()).second) writer.Finish();  // the earlier page first
            writer.Write(run.PagesFolder() + game.name() + ".htm", std::move(text));
            AddToLists(run, game);
            run.pageImages.push_back(images.Stem(game));
        }
        current = 1 - current;
    }
    writer.Finish();
    return PagesOutcome::Written;
}

}  // namespace arc
