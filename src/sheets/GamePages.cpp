#include "sheets/GamePages.h"

#include <optional>
#include <utility>

#include "core/Files.h"
#include "core/Log.h"
#include "core/Progress.h"
#include "core/TextFile.h"
#include "core/TextTable.h"
#include "core/UiService.h"
#include "database/Database.h"
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
        std::string lower = ToLowerAscii(name);
        for (std::size_t i = 0; i < names_.size(); ++i) {
            if (names_[i] == lower) return static_cast<int>(i);
        }
        return -1;
    }

  private:
    std::vector<std::string> names_;
};

std::string TextAt(const Statement& statement, int column) {
    return column < 0 ? std::string() : std::string(statement.ColumnView(column));
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
            row.plain[static_cast<int>(kPlainColumns[i].marker)] = TextAt(s, plainAt_[i]);
        }
        for (std::size_t i = 0; i < std::size(kFlagColumns); ++i)
            row.flags[i] = FlagAt(s, flagAt_[i]);
        row.manufacturer = TextAt(s, manufacturer_);
        row.verAdded = TextAt(s, verAdded_);
        row.mameInfo = TextAt(s, mameInfo_);
        row.cloneOf = TextAt(s, cloneOf_);
        row.codeHistory.reset();
        if (codeHistory_ >= 0 && !s.IsNull(codeHistory_))
            row.codeHistory = s.ColumnInt(codeHistory_);
    }

  private:
    std::vector<int> plainAt_, flagAt_;
    int manufacturer_, verAdded_, mameInfo_, cloneOf_, codeHistory_;
};

// The per-game lookups, prepared once per run.
class GameLookups {
  public:
    explicit GameLookups(const GamePageTemplate& page)
        : parent_("SELECT GameName,cloneof FROM Data WHERE InternalName=?"),
          history_("SELECT * FROM History WHERE CodeHistory=?"),
          command_("SELECT * FROM Command WHERE Internalname=?") {
        auto prepare = [&](Marker marker, std::string_view table) {
            if (page.Holds(MarkerText(marker))) {
                expansion_[static_cast<int>(marker) - static_cast<int>(Marker::ExpBios)].emplace(
                    "SELECT * FROM " + std::string(table) + " WHERE InternalName=?");
            }
        };
        prepare(Marker::ExpBios, "BiosSet");
        prepare(Marker::ExpChip, "Chip");
        prepare(Marker::ExpRom, "Rom");
        prepare(Marker::ExpDip, "DipSwitch");
        prepare(Marker::ExpDisk, "Disk");
    }

    std::string Clones(const std::string& cloneOf) {
        if (cloneOf.empty()) return Text(47);
        std::string link = "<a href=\"" + cloneOf + ".htm\">";
        parent_.Reset();
        parent_.Bind(1, cloneOf);
        if (parent_.Step()) {
            link += parent_.ColumnText(0) + " (" + cloneOf + ")</a>";
        } else {
            link += cloneOf + "</a>";
        }
        parent_.Reset();
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
            values[first] = TextAt(history_, (*historyColumns_)[0]);
            for (int i = 1; i < 11; ++i) {
                values[first + i] = WithHtmlBreaks(TextAt(history_, (*historyColumns_)[i]));
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
            Columns columns(command_);
            values[static_cast<int>(Marker::Cmd)] =
                WithHtmlBreaks(TextAt(command_, columns["cmd"]));
            values[static_cast<int>(Marker::Info)] =
                WithHtmlBreaks(TextAt(command_, columns["info"]));
        }
        command_.Reset();
    }

    void Expansions(const GameRow& game, MarkerValues& values) {
        for (int i = 0; i < 5; ++i) {
            if (!expansion_[i]) continue;
            Statement& query = *expansion_[i];
            auto marker = static_cast<Marker>(static_cast<int>(Marker::ExpBios) + i);
            std::string& value = values[static_cast<int>(marker)];
            value.clear();
            query.Reset();
            query.Bind(1, game.name());
            std::optional<Columns> columns;
            bool any = false;
            std::string previousSwitch;
            while (query.Step()) {
                if (!columns) columns.emplace(query);
                auto field = [&](std::string_view name) { return TextAt(query, (*columns)[name]); };
                auto labelled = [&](std::string_view label, std::string_view name) {
                    std::string text = field(name);
                    if (!text.empty()) value += std::string(label) + text + "<br>\r\n";
                };
                switch (marker) {
                    case Marker::ExpBios: {
                        value += field("BiosSetName");
                        std::string isDefault = field("biossetdefault");
                        if (!isDefault.empty()) value += " (" + isDefault + ")";
                        value += " " + field("biossetdescription") + "<br>\r\n";
                        break;
                    }
                    case Marker::ExpChip:
                        value += field("chipname") + "<br>\r\n";
                        labelled("&nbsp; Type : ", "chiptype");
                        labelled("&nbsp; SoundOnly : ", "chipsoundonly");
                        labelled("&nbsp; Clock : ", "chipclock");
                        break;
                    case Marker::ExpRom:
                        value += field("RomName") + "<br>\r\n";
                        labelled("&nbsp; Status : ", "Romstatus");
                        labelled("&nbsp; Dispose : ", "Romdispose");
                        labelled("&nbsp; Sound only : ", "Romsoundonly");
                        labelled("&nbsp; Bios : ", "Rombios");
                        labelled("&nbsp; Size : ", "Romsize");
                        labelled("&nbsp; CRC : ", "Romcrc");
                        labelled("&nbsp; Md5 : ", "Rommd5");
                        labelled("&nbsp; Sha1 : ", "Romsha1");
                        labelled("&nbsp; Merge : ", "Rommerge");
                        labelled("&nbsp; Region : ", "Romregion");
                        labelled("&nbsp; Offset : ", "Romoffset");
                        break;
                    case Marker::ExpDip: {
                        std::string switchName = field("dipswitchname");
                        if (!any || switchName != previousSwitch) value += switchName + "<br>\r\n";
                        previousSwitch = switchName;
                        std::string valueName = field("dipvaluename");
                        if (!valueName.empty()) {
                            value += "&nbsp; DIP " + valueName;
                            std::string isDefault = field("dipvaluedefault");
                            if (!isDefault.empty()) value += "(" + isDefault + ")";
                            value += "<br>\r\n";
                        }
                        break;
                    }
                    default:
                        value += field("diskName");
                        labelled("&nbsp; Status : ", "diskStatus");
                        labelled("&nbsp; Md5 : ", "diskmd5");
                        labelled("&nbsp; Sha1 : ", "disksha1");
                        labelled("&nbsp; Merge : ", "diskmerge");
                        labelled("&nbsp; Region : ", "diskregion");
                        labelled("&nbsp; Index : ", "diskIndex");
                        break;
                }
                any = true;
            }
            query.Reset();
            if (!any) value = "&nbsp; ";
        }
    }

  private:
    Statement parent_, history_, command_;
    std::array<std::optional<Statement>, 5> expansion_;
    std::optional<std::array<int, 11>> historyColumns_;
};

// Image markers and the per-game copy from the art folders.
class GameImages {
  public:
    explicit GameImages(const SheetRun& run) : run_(run) {
        for (int k = 0; k < kArtKinds; ++k)
            artPresent_[k] = FolderExists(run.artFolders[k]);
        noImageUrl_ = ToFileUrl(run.PagesFolder() + "noimage.png");
    }

    void Fill(const GameRow& game, MarkerValues& values) const {
        const std::string& stem =
            run_.choices.parentArtForClones && !game.cloneOf.empty() ? game.cloneOf : game.name();
        const std::string image = stem + ".png";
        for (int k = 0; k < kArtKinds; ++k) {
            std::string& value = values[static_cast<int>(Marker::ImgTitle) + k];
            const std::string source = run_.artFolders[k] + image;
            if (!run_.choices.dontCopy[k]) {
                std::string relative = "images/";
                relative += ArtSheetFolders()[k];
                relative += "/" + image;
                value = ToSlashPath(relative);
                if (!run_.choices.copyAllArt && artPresent_[k]) {
                    const std::string target = run_.PagesFolder() + relative;
                    if (!FileExists(target) && FileExists(source)) ShellCopy(source, target);
                }
            } else if (artPresent_[k] && FileExists(source)) {
                value = ToFileUrl(source);
            } else {
                value = noImageUrl_;
            }
        }
    }

  private:
    const SheetRun& run_;
    std::array<bool, kArtKinds> artPresent_{};
    std::string noImageUrl_;
};

// A game without manufacturer is listed under the unknown group: link there.
std::string ManufacturerLink(const std::string& manufacturer) {
    const std::string& shown = manufacturer.empty() ? Text(58) : manufacturer;
    return "<a href=\"M_" + SafeFileName(shown) + ".htm\">" + shown + "</a>";
}

std::string PageLink(const std::string& name) {
    return "<a href=" + name + ".htm>" + name + "</a>";
}

// A short name that would leave the pages folder gets no page.
bool UsableName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\") == std::string::npos;
}

void AddToLists(SheetRun& run, const GameRow& game) {
    std::string label = game.title();
    if (!game.cloneOf.empty()) label += " (clone)";
    const std::string link = "<a href=" + game.name() + ".htm>" + label + "</a><br>";
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

std::string GameSelectionQuery(const SheetChoices& choices) {
    std::string condition;
    if (choices.onlyAvailable) condition = "GotIt=True";
    if (choices.avoidClones) condition += " AND CloneOf IS NULL";
    if (choices.avoidNonWorking) condition += " AND Working=True";
    if (condition.rfind(" AND", 0) == 0) condition = std::string(Trim(condition.substr(4)));
    std::string sql = "SELECT * FROM Data";
    if (!condition.empty()) sql += " WHERE " + condition;
    return sql + " ORDER BY Gamename";
}

void ReadVersionTexts(SheetRun& run) {
    const std::string sql = "SELECT VersionMame,VersionArcanote FROM Versions";
    DebugLog(sql);
    Statement versions(sql);
    if (versions.Step()) {
        run.mameVersion = versions.ColumnText(0);
        run.programVersion = "Arcanote v" + versions.ColumnText(1);
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

PagesOutcome WriteGamePages(SheetRun& run, const GamePageTemplate& page) {
    Statement selection(GameSelectionQuery(run.choices));
    if (!selection.Step()) {
        Ui().Message(WithLineBreaks(Text(45)), MsgButtons::Ok, MsgIcon::Information);
        UnloadProgress();
        DebugLog(Text(45));
        return PagesOutcome::EmptySelection;
    }
    const int count = std::stoi(
        "0" + QueryValue("SELECT COUNT(*) FROM (" + GameSelectionQuery(run.choices) + ")"));
    Progress().Total = count;
    Progress().Done = 0;
    SetProgressLabel(std::to_string(count) + Text(46));
    DebugLog(Text(46) + " RecordCount=" + std::to_string(count));

    GameReader reader(selection);
    GameLookups lookups(page);
    GameImages images(run);
    MarkerValues values;
    values[static_cast<int>(Marker::VerMame)] = run.mameVersion;
    values[static_cast<int>(Marker::VerAno)] = run.programVersion;
    values[static_cast<int>(Marker::Home)] = kHomeLink;
    std::string previousLink;
    std::string text;
    run.gameList.reserve(count);
    for (auto& list : run.groups)
        list.reserve(count);

    GameRow game, next;
    reader.Read(selection, game);
    bool more = true;
    while (more) {
        ++Progress().Done;
        LetEventsRun();
        if (Progress().Cancel) return PagesOutcome::Cancelled;
        more = selection.Step();
        if (more) reader.Read(selection, next);
        if (!UsableName(game.name())) {
            WriteLog("No page for the short name \"" + game.name() + "\"");
        } else {
            for (const PlainColumn& plain : kPlainColumns) {
                values[static_cast<int>(plain.marker)] = game.plain[static_cast<int>(plain.marker)];
            }
            values[static_cast<int>(Marker::Manufacturer)] = ManufacturerLink(game.manufacturer);
            values[static_cast<int>(Marker::VerAdded)] = CorrectedVersion(game.verAdded);
            values[static_cast<int>(Marker::MameInfo)] = WithHtmlBreaks(game.mameInfo);
            lookups.Expansions(game, values);
            values[static_cast<int>(Marker::Clones)] = lookups.Clones(game.cloneOf);
            for (std::size_t i = 0; i < std::size(kFlagColumns); ++i) {
                const FlagColumn& flag = kFlagColumns[i];
                values[static_cast<int>(flag.marker)] =
                    Text(game.flags[i] ? flag.yesText : flag.noText);
            }
            lookups.History(game, values);
            lookups.Commands(game, values);
            values[static_cast<int>(Marker::Previous)] = previousLink;
            previousLink = PageLink(game.name());
            values[static_cast<int>(Marker::Next)] = more ? PageLink(next.name()) : std::string();
            images.Fill(game, values);

            page.Fill(values, text);
            WritePage(run.PagesFolder() + game.name() + ".htm", text);
            AddToLists(run, game);
        }
        if (more) std::swap(game, next);
    }
    return PagesOutcome::Written;
}

}  // namespace arc
