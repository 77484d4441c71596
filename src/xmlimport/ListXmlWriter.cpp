#include "xmlimport/ListXmlWriter.h"

#include <cstdlib>

#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/TextFile.h"
#include "database/Layout.h"
#include "xmlimport/XmlScan.h"

namespace arc {
namespace {

constexpr std::array<std::string_view, kGameFieldCount> kFieldNames = {
    "InternalName",    "GameName",      "driver",
    "CloneOf",         "romof",         "sampleof",
    "Working",         "Year",          "Manufacturer",
    "samplename",      "videoscreen",   "videoorientation",
    "Resolution",      "Aspect",        "Refresh",
    "Colors",          "soundchannels", "nPlayers",
    "Controls",        "InputButtons",  "inputcoins",
    "inputservice",    "inputtilt",     "DriverStatus",
    "driveremulation", "drivercolor",   "CorrectColors",
    "driversound",     "Sound",         "drivergraphic",
    "drivercocktail",  "ScreenFlip",    "driverprotection",
    "CodeHistory"};

std::string InsertSql(std::string_view table, std::initializer_list<std::string_view> columns) {
    std::string sql = "INSERT INTO " + std::string(table) + " (";
    std::string values;
    bool first = true;
    for (std::string_view column : columns) {
        sql += (first ? "" : ", ") + std::string(column);
        values += first ? "?" : ", ?";
        first = false;
    }
    return sql + ") VALUES (" + values + ")";
}

/// The maker's part of a history text: after "(c)", up to the line end.
std::optional<std::string> YearAndMaker(std::string_view description) {
    const std::size_t mark = description.find("(c)");
    if (mark == std::string_view::npos) return std::nullopt;
    std::string_view rest = Trim(description.substr(mark + 3));
    std::size_t cut = rest.find("\r\n");
    if (cut == std::string_view::npos) cut = rest.find(' ');
    if (cut == std::string_view::npos) cut = std::min<std::size_t>(4, rest.size());
    return std::string(Trim(rest.substr(0, cut)));
}

/// How bad an emulation state is: good < imperfect < anything else
/// (unemulated, preliminary).
int Badness(std::string_view state) {
    if (state == "good") return 0;
    return state == "imperfect" ? 1 : 2;
}

/// The numeric value of the leading number of a text (0 when none).
double LeadingNumber(std::string_view text) {
    const std::string copy(Trim(text));
    return std::strtod(copy.c_str(), nullptr);
}

/// Makes the DeviceRef table (not one of the designed tables) and empties it:
/// it always holds the last imported list's references.
void PrepareDeviceRefTable() {
    Execute(kCreateDeviceRefTable);
    Execute("CREATE INDEX IF NOT EXISTS IX_DeviceRef_Name ON DeviceRef (Name, Device)");
    Execute("DELETE FROM DeviceRef");
}

/// Makes the MachineSoftwareList table and empties it, as PrepareDeviceRefTable.
void PrepareSoftwareListTable() {
    Execute(
        "CREATE TABLE IF NOT EXISTS MachineSoftwareList (Machine VARCHAR(255) COLLATE NOCASE, "
        "ListName VARCHAR(255) COLLATE NOCASE, Status VARCHAR(255), Filter VARCHAR(255))");
    Execute(
        "CREATE INDEX IF NOT EXISTS IX_MachineSoftwareList_Machine ON MachineSoftwareList "
        "(Machine, ListName)");
    Execute("DELETE FROM MachineSoftwareList");
}

}  // namespace

std::string_view GameFieldName(GameField field) {
    return kFieldNames[static_cast<int>(field)];
}

ListXmlWriter::ListXmlWriter(bool updateMode, bool escapedText)
    : updateMode_(updateMode),
      escapedText_(escapedText),
      insertHistory_(InsertSql(
          "History", {"yearmanufacturer", "Description", "technical", "trivia", "updates",
                      "scoring", "tipsandtricks", "series", "staff", "ports", "sources"})),
      findData_("SELECT rowid, CodeHistory FROM Data WHERE InternalName = ?"),
      deleteData_("DELETE FROM Data WHERE rowid = ?"),
      deleteHistory_("DELETE FROM History WHERE CodeHistory = ?") {
    PrepareDeviceRefTable();
    PrepareSoftwareListTable();
    if (updateMode_) {
        batch_.emplace();
        for (std::string_view table : {"BiosSet", "Chip", "DipSwitch", "Disk", "Rom"})
            Execute("DELETE FROM " + std::string(table));
        inserter_.emplace();
        return;
    }
    // Last: from here on the writing thread has the connection.
    thread_.emplace();
}

ListXmlWriter::~ListXmlWriter() {
    try {
        Finish();
    } catch (...) {
        // Reported by the import that ran the writer; the rows written stay.
    }
}

void ListXmlWriter::BeginGame(std::string_view name, bool isDevice) {
    name_.assign(name);
    isDevice_ = isDevice;
    fields_.fill(std::monostate{});
    written_.fill(false);
    driverWithoutColor_ = false;
    driverCocktail_.clear();
    features_.clear();
    firstRotation_.reset();
    editRowid_ = 0;
    oldHistory_.reset();
    historyQueued_ = false;
    if (updateMode_) {
        findData_.Reset();
        findData_.Bind(1, name);
        if (findData_.Step()) {
            editRowid_ = findData_.ColumnInt(0);
            if (!findData_.IsNull(1)) oldHistory_ = findData_.ColumnInt(1);
            // The old screen values must not survive the composition rules
            // of the new walk.
            for (GameField field : {GameField::Resolution, GameField::Aspect, GameField::Refresh})
                written_[static_cast<int>(field)] = true;
        }
        findData_.Reset();
    }
    Set(GameField::InternalName, name);
    Set(GameField::Working, true);
}

std::string_view ListXmlWriter::Plain(std::string_view value, std::size_t slot) {
    if (!escapedText_ || value.find('&') == std::string_view::npos) return value;
    std::string& decoded = plain_[slot];
    return DecodeXmlText(value, decoded) ? std::string_view(decoded) : value;
}

void ListXmlWriter::Set(GameField field, std::string_view value) {
    const int index = static_cast<int>(field);
    fields_[index] = std::string(Plain(value, 0));
    written_[index] = true;
}

void ListXmlWriter::Set(GameField field, bool value) {
    const int index = static_cast<int>(field);
    fields_[index] = std::int64_t{value ? 1 : 0};
    written_[index] = true;
}

std::optional<std::string_view> ListXmlWriter::Get(GameField field) const {
    if (const auto* text = std::get_if<std::string>(&fields_[static_cast<int>(field)]))
        return std::string_view(*text);
    return std::nullopt;
}

void ListXmlWriter::NoteDriver(bool hasColor, std::string_view cocktail) {
    driverWithoutColor_ = !hasColor;
    driverCocktail_.assign(cocktail);
}

void ListXmlWriter::Feature(std::string_view type, std::string_view status,
                            std::string_view overall) {
    std::string_view worse = status;
    if (worse.empty() || (!overall.empty() && Badness(overall) > Badness(status))) worse = overall;
    if (!worse.empty()) features_.insert_or_assign(std::string(type), std::string(worse));
}

void ListXmlWriter::Compose(GameField field, std::string_view value, char joint, bool valueFirst) {
    const std::optional<std::string_view> current = Get(field);
    if (!current || current->empty()) {
        Set(field, value);
    } else if (current->find(joint) == std::string_view::npos) {
        const std::string composed = valueFirst
                                         ? std::string(value) + joint + std::string(*current)
                                         : std::string(*current) + joint + std::string(value);
        Set(field, composed);
    }
}

void ListXmlWriter::Screen(ScreenPart part, std::string_view value) {
    switch (part) {
        case ScreenPart::Type:
            Set(GameField::VideoScreen, value);
            break;
        case ScreenPart::Rotation:
            Set(GameField::VideoOrientation, value);
            if (!firstRotation_) firstRotation_.emplace(value);
            break;
        case ScreenPart::Width:
            Compose(GameField::Resolution, value, 'x', true);
            break;
        case ScreenPart::Height:
            Compose(GameField::Resolution, value, 'x', false);
            break;
        case ScreenPart::AspectX:
            Compose(GameField::Aspect, value, ':', true);
            break;
        case ScreenPart::AspectY:
            Compose(GameField::Aspect, value, ':', false);
            break;
        case ScreenPart::Refresh: {
            const std::optional<std::string_view> refresh = Get(GameField::Refresh);
            if (!refresh || refresh->empty()) Set(GameField::Refresh, value);
            break;
        }
    }
}

void ListXmlWriter::GuessAspect() {
    const std::optional<std::string_view> aspect = Get(GameField::Aspect);
    if (aspect && !aspect->empty()) return;
    const std::optional<std::string_view> resolution = Get(GameField::Resolution);
    if (!resolution) return;
    const std::size_t x = resolution->find('x');
    if (x == std::string_view::npos || x == 0 || x + 1 >= resolution->size()) return;
    double width = LeadingNumber(resolution->substr(0, x));
    double height = LeadingNumber(resolution->substr(x + 1));
    const bool turned = firstRotation_ == "90" || firstRotation_ == "270";
    if (turned) std::swap(width, height);
    if (width <= 0 || height <= 0) return;
    // A square picture takes the orientation of its monitor.
    const bool wide = width > height || (width == height && !turned);
    Set(GameField::Aspect, std::string_view(wide ? "?4:3" : "?3:4"));
}

void ListXmlWriter::ApplyFeatureRules() {
    auto state = [&](std::string_view type) -> std::string {
        auto it = features_.find(type);
        return it == features_.end() ? "good" : it->second;
    };
    const std::string color = state("palette");
    const std::string sound = state("sound");
    const std::string graphic = state("graphics");
    const std::string cocktail = driverCocktail_.empty() ? "good" : driverCocktail_;
    Set(GameField::DriverColor, color);
    Set(GameField::CorrectColors, color == "good");
    Set(GameField::DriverSound, sound);
    Set(GameField::Sound, sound == "good");
    Set(GameField::DriverGraphic, graphic);
    Set(GameField::DriverCocktail, cocktail);
    Set(GameField::ScreenFlip, cocktail == "good");
}

void ListXmlWriter::Row(ListTable table, std::initializer_list<std::string_view> values) {
    rows_.Row(table);
    rows_.Text(name_);
    for (std::string_view value : values)
        rows_.Text(value);
}

void ListXmlWriter::AddBiosSet(std::string_view name, std::string_view description,
                               std::string_view isDefault) {
    Row(ListTable::BiosSet, {Plain(name, 0), Plain(description, 1), isDefault});
}

void ListXmlWriter::AddRom(const std::array<std::string_view, 12>& values) {
    rows_.Row(ListTable::Rom);
    rows_.Text(name_);
    for (std::size_t i = 0; i < values.size(); ++i)
        rows_.Text(Plain(values[i], 0));
}

void ListXmlWriter::AddDisk(const std::array<std::string_view, 7>& values) {
    rows_.Row(ListTable::Disk);
    rows_.Text(name_);
    for (std::size_t i = 0; i < values.size(); ++i)
        rows_.Text(Plain(values[i], 0));
}

void ListXmlWriter::AddChip(std::string_view name, std::string_view type,
                            std::string_view soundOnly, std::string_view clock) {
    Row(ListTable::Chip, {Plain(name, 0), Plain(type, 1), soundOnly, clock});
}

void ListXmlWriter::AddDipSwitch(std::string_view switchName, std::string_view valueName,
                                 std::string_view isDefault) {
    Row(ListTable::DipSwitch, {Plain(switchName, 0), Plain(valueName, 1), isDefault});
}

void ListXmlWriter::AddDeviceRef(std::string_view device) {
    Row(ListTable::DeviceRef, {device});
}

void ListXmlWriter::AddSoftwareList(std::string_view list, std::string_view status,
                                    std::string_view filter) {
    Row(ListTable::SoftwareList, {Plain(list, 0), status, Plain(filter, 1)});
}

void ListXmlWriter::AddHistory(std::string_view text) {
    if (isDevice_) return;  // no Data row to link it from
    const HistorySections sections = SplitHistorySections(Plain(text, 0));
    const std::optional<std::string> yearAndMaker = YearAndMaker(sections[0]);
    const int index = static_cast<int>(GameField::CodeHistory);
    written_[index] = true;
    if (thread_) {
        // Written before the game's Data row, which takes its number.
        rows_.Row(ListTable::History);
        if (yearAndMaker)
            rows_.Text(*yearAndMaker);
        else
            rows_.Null();
        for (const std::string& section : sections)
            rows_.Text(section);
        historyQueued_ = true;
        return;
    }
    if (oldHistory_) {
        deleteHistory_.Bind(1, *oldHistory_);
        deleteHistory_.Run();
        oldHistory_.reset();
    }
    insertHistory_.Bind(1, yearAndMaker);
    for (std::size_t i = 0; i < sections.size(); ++i)
        insertHistory_.Bind(static_cast<int>(i) + 2, std::string_view(sections[i]));
    insertHistory_.Run();
    fields_[index] = LastInsertId();
    batch_->RowDone();
}

void ListXmlWriter::WriteRows() {
    if (rows_.Size() == 0) return;
    if (thread_) {
        thread_->Push(rows_);
        return;
    }
    inserter_->Insert(rows_);
    batch_->RowDone(static_cast<int>(rows_.Size()));
    rows_.Clear();
}

void ListXmlWriter::EndGame() {
    if (isDevice_) {
        // A device whose ROMs merge into another device's names it as well.
        if (const auto romOf = Get(GameField::RomOf); romOf && !romOf->empty())
            AddDeviceRef(*romOf);
        if (editRowid_ != 0) {
            WriteRows();
            deleteData_.Bind(1, editRowid_);
            deleteData_.Run();
            batch_->RowDone();
        }
        EndOfGame();
        return;
    }
    if (driverWithoutColor_) ApplyFeatureRules();
    GuessAspect();
    if (editRowid_ == 0) {
        rows_.Row(ListTable::Data);
        for (int i = 0; i < kGameFieldCount; ++i) {
            const FieldValue& value = fields_[i];
            if (i == static_cast<int>(GameField::CodeHistory) && historyQueued_)
                rows_.LastHistory();
            else if (const auto* text = std::get_if<std::string>(&value))
                rows_.Text(*text);
            else if (const auto* number = std::get_if<std::int64_t>(&value))
                rows_.Number(*number);
            else
                rows_.Null();
        }
        EndOfGame();
        return;
    }
    WriteRows();
    std::string key(kGameFieldCount, '0');
    for (int i = 0; i < kGameFieldCount; ++i)
        if (written_[i]) key[i] = '1';
    auto it = updates_.find(key);
    if (it == updates_.end()) {
        std::string sql = "UPDATE Data SET ";
        bool first = true;
        for (int i = 0; i < kGameFieldCount; ++i) {
            if (!written_[i]) continue;
            sql += (first ? "" : ", ") + std::string(kFieldNames[i]) + " = ?";
            first = false;
        }
        it = updates_.emplace(key, Statement(sql + " WHERE rowid = ?")).first;
    }
    Statement& update = it->second;
    int param = 1;
    for (int i = 0; i < kGameFieldCount; ++i)
        if (written_[i]) update.BindValue(param++, fields_[i]);
    update.Bind(param, editRowid_);
    update.Run();
    batch_->RowDone();
}

void ListXmlWriter::EndOfGame() {
    // A fresh import hands whole games to the writing thread, an update
    // writes each game at its end.
    if (!thread_ || rows_.Size() >= kRowsPerBatch) WriteRows();
}

void ListXmlWriter::Finish() {
    if (finished_) return;
    finished_ = true;
    if (thread_) {
        // The rows of the games read so far are written, whatever ended the import.
        std::exception_ptr failure;
        try {
            WriteRows();
        } catch (...) {
            failure = std::current_exception();
        }
        try {
            thread_->Finish();
        } catch (...) {
            if (!failure) failure = std::current_exception();
        }
        thread_.reset();
        if (failure) std::rethrow_exception(failure);
    } else {
        WriteRows();
    }
    batch_.reset();
}

}  // namespace arc
