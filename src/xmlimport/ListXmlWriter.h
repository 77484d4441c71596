#pragma once
// Writes the rows of one listxml import: a Data row per game and the rows of
// its child tables, through statements prepared once and batched commits.
// Shared by the fast scanner and the document-model import.

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "database/Database.h"
#include "xmlimport/ListRows.h"

namespace arc {

/// The Data fields the listxml import writes.
enum class GameField : int {
    InternalName,
    GameName,
    Driver,
    CloneOf,
    RomOf,
    SampleOf,
    Working,
    Year,
    Manufacturer,
    SampleName,
    VideoScreen,
    VideoOrientation,
    Resolution,
    Aspect,
    Refresh,
    Colors,
    SoundChannels,
    Players,
    Controls,
    InputButtons,
    InputCoins,
    InputService,
    InputTilt,
    DriverStatus,
    DriverEmulation,
    DriverColor,
    CorrectColors,
    DriverSound,
    Sound,
    DriverGraphic,
    DriverCocktail,
    ScreenFlip,
    DriverProtection,
    CodeHistory,
};
inline constexpr int kGameFieldCount = static_cast<int>(GameField::CodeHistory) + 1;

/// Column name of a game field.
std::string_view GameFieldName(GameField field);

class ListXmlWriter {
  public:
    /// Prepares the statements. In update mode the child tables (BiosSet,
    /// Chip, DipSwitch, Disk, Rom) are emptied first, existing Data rows are
    /// changed instead of added and each game is written at its end.
    /// Otherwise the rows go, many games at a time, to a thread that inserts
    /// them: the database must not be used elsewhere until Finish(). The
    /// indexes stay in place: the list comes sorted by name, so the rows
    /// of many-row inserts go to the end of each index.
    /// With `escapedText` the values come as the list writes them, XML
    /// references and all: they are stored decoded, as the document-model
    /// import gives them ("ABM & Gecas", "<unknown>").
    explicit ListXmlWriter(bool updateMode, bool escapedText = false);
    ~ListXmlWriter();
    ListXmlWriter(const ListXmlWriter&) = delete;
    ListXmlWriter& operator=(const ListXmlWriter&) = delete;

    /// Starts the Data row of a game: InternalName = name, Working = True. A
    /// device (isdevice="yes") is not a game: its child rows are written but
    /// it gets no Data row (in update mode an old one is removed).
    void BeginGame(std::string_view name, bool isDevice = false);
    const std::string& GameName() const { return name_; }

    void Set(GameField field, std::string_view value);
    void Set(GameField field, bool value);
    /// The field's text so far (nullopt while Null).
    std::optional<std::string_view> Get(GameField field) const;

    /// Records that the game has a driver element, whether it carries a color
    /// attribute and its cocktail attribute. A driver without color (the
    /// emulator's output since 2014) gets its colour, sound, graphics and
    /// cocktail states from the feature elements when the game is saved.
    void NoteDriver(bool hasColor, std::string_view cocktail);
    /// A feature element of the game (type "palette", "sound", "graphics", ...):
    /// the worse of its status (the machine itself) and overall (with its
    /// devices) counts; good < imperfect < unemulated / preliminary.
    void Feature(std::string_view type, std::string_view status, std::string_view overall);

    /// The parts of a video or display element, given in document order.
    enum class ScreenPart { Type, Rotation, Width, Height, AspectX, AspectY, Refresh };
    /// Type and rotation overwrite; width/height and aspectx/aspecty are
    /// joined in arrival order ("256x224", "4:3") and the first complete pair
    /// stays; the first refresh stays. When the game is saved without an
    /// aspect, one is guessed from the resolution as the screen shows it (the
    /// first screen's rotation of 90 or 270 swaps width and height): "?4:3"
    /// for a wide picture, "?3:4" for a tall one.
    void Screen(ScreenPart part, std::string_view value);

    void AddBiosSet(std::string_view name, std::string_view description,
                    std::string_view isDefault);
    /// Values in the order RomName, Rombios, Romsize, Romcrc, Rommd5, Romsha1,
    /// Rommerge, Romregion, Romoffset, Romstatus, Romdispose, Romsoundonly.
    void AddRom(const std::array<std::string_view, 12>& values);
    /// diskName, diskmd5, disksha1, diskmerge, diskregion, diskIndex, diskStatus.
    void AddDisk(const std::array<std::string_view, 7>& values);
    void AddChip(std::string_view name, std::string_view type, std::string_view soundOnly,
                 std::string_view clock);
    void AddDipSwitch(std::string_view switchName, std::string_view valueName,
                      std::string_view isDefault);
    /// A device the game uses (device_ref), kept in the DeviceRef table that
    /// the import makes beside the designed ones (Name, Device): the audit
    /// looks for the devices' ROMs in their own archives. A device's rows also
    /// name its romof device, where the ROMs it merges are kept.
    void AddDeviceRef(std::string_view device);
    /// A software list the machine runs (softwarelist), kept in the
    /// MachineSoftwareList table beside the designed ones (Machine, ListName,
    /// Status "original" or "compatible", Filter).
    void AddSoftwareList(std::string_view list, std::string_view status, std::string_view filter);
    /// A History row from the history text of the game, linked from its Data
    /// row. In update mode it replaces the game's old History row; a game
    /// without history text keeps the one it has (a list today holds none,
    /// the histories come from History.dat).
    void AddHistory(std::string_view text);

    /// Saves the Data row of the game.
    void EndGame();
    /// Writes and commits the rows of the games ended so far; throws the
    /// error of the writing thread. Also done by the destructor (after a
    /// cancel or an error).
    void Finish();

  private:
    /// Games are handed to the writing thread in batches of about this many rows.
    static constexpr std::size_t kRowsPerBatch = 4096;

    /// A row of a child table: the game's name, then the values.
    void Row(ListTable table, std::initializer_list<std::string_view> values);
    /// Hands the rows gathered so far to the writing thread, or inserts them.
    void WriteRows();
    void EndOfGame();
    void ApplyFeatureRules();
    void Compose(GameField field, std::string_view value, char joint, bool valueFirst);
    void GuessAspect();
    /// The value as stored: decoded when the input is escaped (into scratch `slot`).
    std::string_view Plain(std::string_view value, std::size_t slot);

    bool updateMode_;
    bool escapedText_;
    std::array<std::string, 12> plain_;  // decoded values, until their row is written
    std::string name_;
    std::array<FieldValue, kGameFieldCount> fields_;
    std::array<bool, kGameFieldCount> written_{};
    bool driverWithoutColor_ = false;
    std::string driverCocktail_;
    std::map<std::string, std::string, std::less<>> features_;
    bool isDevice_ = false;
    std::optional<std::string> firstRotation_;  // of the first screen, for the aspect guess

    Statement insertHistory_, findData_, deleteData_, deleteHistory_;
    ListRows rows_;                            // of the games not yet written
    bool historyQueued_ = false;               // the game's History row is in rows_
    std::optional<ListRowInserter> inserter_;  // update mode
    std::optional<ListRowThread> thread_;      // fresh import
    bool finished_ = false;
    std::map<std::string, Statement> updates_;  // update mode: one per set of written fields
    std::int64_t editRowid_ = 0;                // update mode: the row being changed (0: add)
    std::optional<std::int64_t> oldHistory_;    // update mode: its History row
    std::optional<BatchTransaction> batch_;     // begun once the engine is set up
};

}  // namespace arc
