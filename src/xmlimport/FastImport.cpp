// The fast listxml import: the file is read line by line, each game element
// becomes one chunk, the chunk is flattened by the tokenizer and its pairs are
// dispatched to the rows.

#include <array>
#include <cstdlib>
#include <cstring>
#include <span>

#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/Log.h"
#include "core/Progress.h"
#include "core/TextFile.h"
#include "core/TextTable.h"
#include "xmlimport/ListXmlImport.h"
#include "xmlimport/ListXmlWriter.h"
#include "xmlimport/XmlScan.h"

namespace arc {
namespace {

constexpr int kProcFastImport = 311;
constexpr int kProcOversizedGame = 312;
/// A game element larger than this is cut, and a longer value is left empty
/// (the largest real element is under 64 KB, the longest line 250 bytes). The
/// value limit is the document parser's own, so that both methods agree.
constexpr std::size_t kMaxChunkBytes = 32u << 20;
constexpr std::size_t kMaxValueBytes = 10'000'000;

enum class Action {
    SourceFile,
    Runnable,
    RomOf,
    SampleOf,
    CloneOf,
    Description,
    Year,
    Manufacturer,
    BiosSet,
    Rom,
    Disk,
    Sample,
    Chip,
    Screen,
    Orientation,
    AspectX,
    AspectY,
    Refresh,
    Width,
    Height,
    SoundChannels,
    Players,
    Control,
    Buttons,
    Coins,
    Service,
    Tilt,
    DriverStatus,
    DriverEmulation,
    DriverColor,
    DriverSound,
    DriverGraphic,
    DriverCocktail,
    DriverProtection,
    DriverPaletteSize,
    History,
    Feature,
    DeviceRef,
    SoftwareList,
};

/// The action of each key, found by a small open-addressing table (the
/// lookup runs for every pair of the list).
class ActionTable {
  public:
    ActionTable() {
        const std::pair<std::string_view, Action> actions[] = {
            {"sourcefile", Action::SourceFile},
            {"runnable", Action::Runnable},
            {"romof", Action::RomOf},
            {"sampleof", Action::SampleOf},
            {"cloneof", Action::CloneOf},
            {"description", Action::Description},
            {"<description", Action::Description},
            {"year", Action::Year},
            {"manufacturer", Action::Manufacturer},
            {"biosset_name", Action::BiosSet},
            {"rom_name", Action::Rom},
            {"disk_name", Action::Disk},
            {"sample_name", Action::Sample},
            {"chip_name", Action::Chip},
            {"video_screen", Action::Screen},
            {"display_type", Action::Screen},
            {"video_orientation", Action::Orientation},
            {"display_rotate", Action::Orientation},
            {"video_aspectx", Action::AspectX},
            {"video_aspecty", Action::AspectY},
            {"video_refresh", Action::Refresh},
            {"display_refresh", Action::Refresh},
            {"video_width", Action::Width},
            {"display_width", Action::Width},
            {"video_height", Action::Height},
            {"display_height", Action::Height},
            {"sound_channels", Action::SoundChannels},
            {"input_players", Action::Players},
            {"input_control", Action::Control},
            {"input_buttons", Action::Buttons},
            {"input_coins", Action::Coins},
            {"input_service", Action::Service},
            {"input_tilt", Action::Tilt},
            {"driver_status", Action::DriverStatus},
            {"driver_emulation", Action::DriverEmulation},
            {"driver_color", Action::DriverColor},
            {"driver_sound", Action::DriverSound},
            {"driver_graphic", Action::DriverGraphic},
            {"driver_cocktail", Action::DriverCocktail},
            {"driver_protection", Action::DriverProtection},
            {"driver_palettesize", Action::DriverPaletteSize},
            {"history", Action::History},
            {"feature_type", Action::Feature},
            {"device_ref_name", Action::DeviceRef},
            {"softwarelist_name", Action::SoftwareList},
        };
        for (const auto& [key, action] : actions) {
            std::size_t slot = Slot(key);
            while (used_[slot])
                slot = (slot + 1) % kSlots;
            used_[slot] = true;
            keys_[slot] = key;
            actions_[slot] = action;
        }
    }
    const Action* Find(std::string_view key) const {
        if (key.empty()) return nullptr;
        for (std::size_t slot = Slot(key); used_[slot]; slot = (slot + 1) % kSlots)
            if (keys_[slot] == key) return &actions_[slot];
        return nullptr;
    }

  private:
    static constexpr std::size_t kSlots = 256;
    static std::size_t Slot(std::string_view key) {
        const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(key[i]); };
        return (key.size() * 131 + byte(0) * 31 + byte(key.size() - 1) * 7 +
                byte(key.size() / 2) * 3) %
               kSlots;
    }
    std::array<bool, kSlots> used_{};
    std::array<std::string_view, kSlots> keys_{};
    std::array<Action, kSlots> actions_{};
};

const ActionTable& Actions() {
    static const ActionTable actions;
    return actions;
}

/// Whether a "<" of the line is followed by one of the two lower-case names
/// (ASCII letters without regard to case).
bool HasTag(std::string_view line, std::string_view first, std::string_view second) {
    auto startsWith = [&](std::size_t at, std::string_view name) {
        if (line.size() - at < name.size()) return false;
        for (std::size_t i = 0; i < name.size(); ++i) {
            char c = line[at + i];
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
            if (c != name[i]) return false;
        }
        return true;
    };
    for (std::size_t at = line.find('<'); at != std::string_view::npos; at = line.find('<', at + 1))
        if (startsWith(at + 1, first) || startsWith(at + 1, second)) return true;
    return false;
}

bool IsGameStart(std::string_view line) {
    return HasTag(line, "game", "machine");
}

bool IsGameEnd(std::string_view line) {
    return HasTag(line, "/game>", "/machine>");
}

/// The value of an attribute inside one element's markup ("" when absent).
std::string_view AttributeIn(std::string_view markup, std::string_view attribute) {
    std::size_t at = 0;
    for (;;) {
        at = markup.find(attribute, at);
        if (at == std::string_view::npos) return {};
        const std::size_t open = at + attribute.size();
        const bool startsWord = at == 0 || markup[at - 1] == ' ';
        if (startsWord && markup.substr(open, 2) == "=\"") {
            const std::size_t close = markup.find('"', open + 2);
            if (close == std::string_view::npos) return {};
            return markup.substr(open + 2, close - open - 2);
        }
        at = open;
    }
}

/// One DipSwitch row per dipvalue of a switch (key: its start tag, value: the
/// markup of its children), each with its own default marking.
void AddDipSwitchRows(ListXmlWriter& writer, std::string_view key, std::string_view markup) {
    if (key.find('=') == std::string_view::npos) return;
    const std::string_view switchName = AttributeIn(key, "name");
    constexpr std::string_view kValueTag = "dipvalue ";
    std::size_t start = markup.find(kValueTag);
    while (start != std::string_view::npos) {
        const std::size_t next = markup.find(kValueTag, start + kValueTag.size());
        const std::string_view element = markup.substr(start, next - start);
        const std::string_view valueName = AttributeIn(element, "name");
        if (!valueName.empty())
            writer.AddDipSwitch(switchName, valueName, AttributeIn(element, "default"));
        start = next;
    }
}

void ImportGame(const KeyValueList& list, ListXmlWriter& writer) {
    using Part = ListXmlWriter::ScreenPart;
    writer.BeginGame(list.LookupValue("name"), list.LookupValue("isdevice") == "yes");
    const auto& actions = Actions();
    // An element gives one row however many times its first attribute is
    // repeated (a broken file), so that it is read once.
    int elementRead = 0;
    auto firstOfElement = [&](int i) {
        const int element = list.ElementOf(i);
        if (element != 0 && element == elementRead) return false;
        elementRead = element;
        return true;
    };
    // Several control children: the first type and the first button count.
    auto setOnce = [&](GameField field, std::string_view value) {
        if (!writer.Get(field)) writer.Set(field, value);
    };
    for (int i = 1; i <= list.Count(); ++i) {
        const std::string_view key = list.Key(i);
        const std::string_view value = list.Value(i);
        if (key.substr(0, 9) == "dipswitch") {
            AddDipSwitchRows(writer, key, value);
            continue;
        }
        const Action* found = actions.Find(key);
        if (!found) continue;
        switch (*found) {
            case Action::SourceFile:
                writer.Set(GameField::Driver, value);
                break;
            case Action::Runnable:
                if (value == "no") writer.Set(GameField::Working, false);
                break;
            case Action::RomOf:
                writer.Set(GameField::RomOf, value);
                break;
            case Action::SampleOf:
                writer.Set(GameField::SampleOf, value);
                break;
            case Action::CloneOf:
                writer.Set(GameField::CloneOf, value);
                break;
            case Action::Description:
                writer.Set(GameField::GameName, value);
                break;
            case Action::Year:
                writer.Set(GameField::Year, value);
                break;
            case Action::Manufacturer:
                writer.Set(GameField::Manufacturer, value);
                break;
            case Action::BiosSet: {
                if (!firstOfElement(i)) break;
                static constexpr std::array<std::string_view, 2> kBiosKeys = {"biosset_description",
                                                                              "biosset_default"};
                std::array<std::string_view, 2> values;
                list.LookupInGroup(i + 1, "biosset_name", "biosset", kBiosKeys, values);
                writer.AddBiosSet(value, values[0], values[1]);
                break;
            }
            case Action::Rom: {
                if (!firstOfElement(i)) break;
                static constexpr std::array<std::string_view, 11> kRomKeys = {
                    "rom_bios",   "rom_size",    "rom_crc",      "rom_md5",
                    "rom_sha1",   "rom_merge",   "rom_region",   "rom_offset",
                    "rom_status", "rom_dispose", "rom_soundonly"};
                std::array<std::string_view, 12> values{value};
                list.LookupInGroup(i + 1, "rom_name", "rom", kRomKeys,
                                   std::span(values).subspan(1));
                writer.AddRom(values);
                break;
            }
            case Action::Disk: {
                if (!firstOfElement(i)) break;
                static constexpr std::array<std::string_view, 6> kDiskKeys = {
                    "disk_md5",    "disk_sha1",  "disk_merge",
                    "disk_region", "disk_index", "disk_status"};
                std::array<std::string_view, 7> values{value};
                list.LookupInGroup(i + 1, "disk_name", "disk", kDiskKeys,
                                   std::span(values).subspan(1));
                writer.AddDisk(values);
                break;
            }
            case Action::Sample:
                writer.Set(GameField::SampleName, value);
                break;
            case Action::Chip:
                // The emulator writes the chip's type before its name: read
                // the whole element.
                if (!firstOfElement(i)) break;
                writer.AddChip(value, list.ElementValue(i, "chip_type"),
                               list.ElementValue(i, "chip_soundonly"),
                               list.ElementValue(i, "chip_clock"));
                break;
            case Action::Screen:
                writer.Screen(Part::Type, value);
                break;
            case Action::Orientation:
                writer.Screen(Part::Rotation, value);
                break;
            case Action::AspectX:
                writer.Screen(Part::AspectX, value);
                break;
            case Action::AspectY:
                writer.Screen(Part::AspectY, value);
                break;
            case Action::Refresh:
                writer.Screen(Part::Refresh, value);
                break;
            case Action::Width:
                writer.Screen(Part::Width, value);
                break;
            case Action::Height:
                writer.Screen(Part::Height, value);
                break;
            case Action::SoundChannels:
                writer.Set(GameField::SoundChannels, value);
                break;
            case Action::Players:
                writer.Set(GameField::Players, value);
                break;
            case Action::Control:
                setOnce(GameField::Controls, value);
                break;
            case Action::Buttons:
                setOnce(GameField::InputButtons, value);
                break;
            case Action::Coins:
                writer.Set(GameField::InputCoins, value);
                break;
            case Action::Service:
                writer.Set(GameField::InputService, value);
                break;
            case Action::Tilt:
                writer.Set(GameField::InputTilt, value);
                break;
            case Action::DriverStatus:
            case Action::DriverEmulation:
                writer.Set(*found == Action::DriverStatus ? GameField::DriverStatus
                                                          : GameField::DriverEmulation,
                           value);
                if (firstOfElement(i))
                    writer.NoteDriver(!list.ElementValue(i, "driver_color").empty(),
                                      list.ElementValue(i, "driver_cocktail"));
                break;
            case Action::DriverColor:
                writer.Set(GameField::DriverColor, value);
                writer.Set(GameField::CorrectColors, value == "good");
                break;
            case Action::DriverSound:
                writer.Set(GameField::DriverSound, value);
                writer.Set(GameField::Sound, value == "good");
                break;
            case Action::DriverGraphic:
                writer.Set(GameField::DriverGraphic, value);
                break;
            case Action::DriverCocktail:
                writer.Set(GameField::DriverCocktail, value);
                writer.Set(GameField::ScreenFlip, value == "good");
                break;
            case Action::DriverProtection:
                writer.Set(GameField::DriverProtection, value);
                break;
            case Action::DriverPaletteSize:
                writer.Set(GameField::Colors, value);
                break;
            case Action::History:
                writer.AddHistory(value);
                break;
            case Action::Feature:
                if (!firstOfElement(i)) break;
                writer.Feature(value, list.ElementValue(i, "feature_status"),
                               list.ElementValue(i, "feature_overall"));
                break;
            case Action::DeviceRef:
                writer.AddDeviceRef(value);
                break;
            case Action::SoftwareList:
                writer.AddSoftwareList(value, list.ElementValue(i, "softwarelist_status"),
                                       list.ElementValue(i, "softwarelist_filter"));
                break;
        }
    }
    writer.EndGame();
}

bool IsAscii(std::string_view text) {
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + i, 8);
        if (word & 0x8080808080808080ull) return false;
    }
    for (; i < text.size(); ++i)
        if (static_cast<unsigned char>(text[i]) & 0x80) return false;
    return true;
}

int Kilobytes(std::uint64_t bytes) {
    return static_cast<int>(bytes / 1024);
}

/// The line with every attribute value or text content longer than
/// kMaxValueBytes left empty. Returns false when nothing was cut.
bool CutLongValues(std::string_view line, std::string& out) {
    out.clear();
    bool cut = false;
    std::size_t from = 0;
    while (from < line.size()) {
        const std::size_t open = line.find_first_of("\">", from);
        if (open == std::string_view::npos) {
            out.append(line.substr(from));
            break;
        }
        out.append(line.substr(from, open + 1 - from));
        std::size_t close = line.find(line[open] == '"' ? '"' : '<', open + 1);
        if (close == std::string_view::npos) close = line.size();
        if (close - open - 1 > kMaxValueBytes)
            cut = true;
        else
            out.append(line.substr(open + 1, close - open - 1));
        if (close < line.size()) out += line[close];
        from = close + 1;
    }
    return cut;
}

/// Whether the last line of a list closes its root element ("</mame>", or a
/// root written as "<mame/>").
bool ClosesTheList(std::string_view tail) {
    tail = Trim(tail);
    if (tail.ends_with("/>")) return true;
    const std::size_t tag = tail.rfind('<');
    if (tag == std::string_view::npos || !tail.ends_with(">")) return false;
    const std::string_view closing = tail.substr(tag);
    return closing.starts_with("</") && !IsGameEnd(closing);
}

/// Reports a game element cut for size: the first one as an error block,
/// later ones as log lines.
class CutReport {
  public:
    void Cut(std::uint64_t offset, std::string_view what) {
        const std::string text = "Game element cut for size before byte " + std::to_string(offset) +
                                 ": " + std::string(what);
        if (count_++ == 0) {
            ProcedureScope scope(kProcOversizedGame);
            WriteErrorBlock(err::kOutOfMemory, text);
        } else {
            WriteLog(text);
        }
    }

  private:
    int count_ = 0;
};

/// The import of the lines `reader` gives; `path` names them in what is told,
/// `expectedBytes` sizes the progress when the reader cannot tell its size.
bool ImportLines(LineReader& reader, std::string_view path, std::uint64_t expectedBytes,
                 TaskProgress& progress, bool updateMode) {
    enum class Fault { None, Entities, NoGame, Cut };
    Fault fault = Fault::None;
    int games = 0;
    int total = 0;
    const bool ran = Guarded(kProcFastImport, [&] {
        if (!reader.IsOpen())
            throw AppError(err::kFileNotFound, "File not found: " + std::string(path));
        ListXmlWriter writer(updateMode, /*escapedText=*/true);
        KeyValueList list;
        CutReport cuts;
        total = Kilobytes(reader.Size() > 0 ? reader.Size() : expectedBytes) + 1;
        progress.SetTotal(total);
        std::string_view line;
        std::string chunk;
        std::string shortened;
        std::string lastLine;  // the end of the last line that is not blank
        auto noteLine = [&](std::string_view text) {
            text = Trim(text);
            if (!text.empty())
                lastLine.assign(text.substr(text.size() - std::min<std::size_t>(text.size(), 64)));
        };
        bool more = true;
        bool inGame = false;
        while (more) {
            if (!progress.Step(Kilobytes(reader.Offset()))) break;
            while ((more = reader.NextView(line)) && !IsGameStart(line)) {
                noteLine(line);
                // The emulator's document type declares no entity; expanding
                // them is what turns a small file into gigabytes.
                if (games == 0 && line.find("<!ENTITY") != std::string_view::npos) {
                    fault = Fault::Entities;
                    return;
                }
            }
            if (!more) break;
            chunk.clear();
            inGame = true;
            for (;;) {
                if (line.size() > kMaxValueBytes && CutLongValues(line, shortened)) {
                    cuts.Cut(reader.Offset(), "a value longer than " +
                                                  std::to_string(kMaxValueBytes) +
                                                  " bytes was left empty");
                    line = shortened;
                }
                if (chunk.size() + line.size() > kMaxChunkBytes) {
                    cuts.Cut(reader.Offset(), "its lines from there on were skipped");
                    while (!IsGameEnd(line) && (more = reader.NextView(line))) {
                    }
                    if (more) noteLine(line);
                    inGame = !more;
                    chunk.append("</machine>");
                    break;
                }
                chunk.append(Trim(line));
                if (IsGameEnd(line)) {
                    noteLine(line);
                    inGame = false;
                    break;
                }
                if (!(more = reader.NextView(line))) {
                    chunk.append("</machine>");  // cut file: its last line is read too
                    break;
                }
            }
            // Text is UTF-8; anything else is read as Windows-1252.
            if (!IsAscii(chunk) && !IsValidUtf8(chunk)) chunk = Cp1252ToUtf8(chunk);
            list.Tokenize(chunk);
            ImportGame(list, writer);
            ++games;
        }
        writer.Finish();
        if (progress.Cancelled()) return;
        if (reader.Failed())
            throw AppError(err::kPathFileAccess, "Cannot read or copy " + std::string(path));
        if (games == 0)
            fault = Fault::NoGame;
        else if (inGame || !ClosesTheList(lastLine))
            fault = Fault::Cut;
    });
    progress.Step(total);
    switch (fault) {
        case Fault::None:
            break;
        case Fault::Entities:
            TellListFault(path, kEntitiesRefused);
            return false;
        case Fault::NoGame:
            TellListFault(path, kNoGame);
            return false;
        case Fault::Cut:
            TellListFault(path, "is cut: it ends before its closing tag. The " +
                                    std::to_string(games) +
                                    " machines read from it were imported; make the list again.");
            return false;
    }
    return ran;
}

}  // namespace

bool ImportListXmlFast(std::string_view path, TaskProgress& progress, bool updateMode) {
    LineReader reader(path, true);
    return ImportLines(reader, path, 0, progress, updateMode);
}

bool ImportListXmlStream(std::FILE* stream, std::string_view name, std::FILE* copy,
                         std::uint64_t expectedBytes, TaskProgress& progress) {
    progress.SetLabel(Text(kTextXmlAnalysing));
    progress.KeepGoing();
    LineReader reader(stream, copy);
    return ImportLines(reader, name, expectedBytes, progress, /*updateMode=*/false);
}

}  // namespace arc
