// The fast listxml import: the file is read line by line, each game element
// becomes one chunk, the chunk is flattened by the tokenizer and its pairs are
// dispatched to the rows.

#include <cstdlib>
#include <cstring>
#include <unordered_map>

#include "core/AppState.h"
#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/Log.h"
#include "core/Progress.h"
#include "core/TextFile.h"
#include "xmlimport/ListXmlImport.h"
#include "xmlimport/ListXmlWriter.h"
#include "xmlimport/XmlScan.h"

namespace arc {
namespace {

constexpr int kProcFastImport = 311;
constexpr int kProcOversizedGame = 312;
/// A game element larger than this is cut (no real one comes near it).
constexpr std::size_t kMaxChunkBytes = 32u << 20;

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
};

const std::unordered_map<std::string_view, Action>& Actions() {
    static const std::unordered_map<std::string_view, Action> actions = {
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
    };
    return actions;
}

bool ContainsNoCase(std::string_view line, std::string_view lowerNeedle) {
    for (std::size_t at = line.find('<'); at != std::string_view::npos;
         at = line.find('<', at + 1)) {
        if (line.size() - at < lowerNeedle.size()) return false;
        std::size_t i = 1;
        for (; i < lowerNeedle.size(); ++i) {
            char c = line[at + i];
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
            if (c != lowerNeedle[i]) break;
        }
        if (i == lowerNeedle.size()) return true;
    }
    return false;
}

bool IsGameStart(std::string_view line) {
    return ContainsNoCase(line, "<game") || ContainsNoCase(line, "<machine");
}

bool IsGameEnd(std::string_view line) {
    return ContainsNoCase(line, "</game>") || ContainsNoCase(line, "</machine>");
}

/// The numeric value of the leading number of a text (0 when none).
double LeadingNumber(std::string_view text) {
    const std::string copy(Trim(text));
    return std::strtod(copy.c_str(), nullptr);
}

/// Joins the two halves of a pair ("256" "x" "224") in document order: the
/// first value stays alone until the second arrives; a complete pair stays.
void Compose(ListXmlWriter& writer, GameField field, std::string_view value, char joint,
             bool valueFirst) {
    const std::optional<std::string_view> current = writer.Get(field);
    if (!current || current->empty()) {
        writer.Set(field, value);
    } else if (current->find(joint) == std::string_view::npos) {
        const std::string composed = valueFirst
                                         ? std::string(value) + joint + std::string(*current)
                                         : std::string(*current) + joint + std::string(value);
        writer.Set(field, composed);
    }
}

/// The guess "?4:3" / "?3:4" from the resolution when no aspect was given.
void GuessAspect(ListXmlWriter& writer) {
    const std::optional<std::string_view> aspect = writer.Get(GameField::Aspect);
    if (aspect && !aspect->empty()) return;
    const std::optional<std::string_view> resolution = writer.Get(GameField::Resolution);
    if (!resolution) return;
    const std::size_t x = resolution->find('x');
    if (x == std::string_view::npos || x == 0 || x + 1 >= resolution->size()) return;
    const double height = LeadingNumber(resolution->substr(x + 1));
    if (height == 0) return;
    const double ratio = LeadingNumber(resolution->substr(0, x)) / height;
    writer.Set(GameField::Aspect, std::string_view(ratio > 1.32 ? "?4:3" : "?3:4"));
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
    writer.BeginGame(list.LookupValue("name"));
    const auto& actions = Actions();
    for (int i = 1; i <= list.Count(); ++i) {
        const std::string_view key = list.Key(i);
        const std::string_view value = list.Value(i);
        if (key.substr(0, 9) == "dipswitch") {
            AddDipSwitchRows(writer, key, value);
            continue;
        }
        const auto found = actions.find(key);
        if (found == actions.end()) continue;
        auto group = [&](std::string_view stop, std::string_view prefix, std::string_view name) {
            return list.LookupInGroup(i + 1, stop, prefix, name);
        };
        switch (found->second) {
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
            case Action::BiosSet:
                writer.AddBiosSet(value, group("biosset_name", "biosset", "biosset_description"),
                                  group("biosset_name", "biosset", "biosset_default"));
                break;
            case Action::Rom: {
                static constexpr std::array<std::string_view, 11> kRomKeys = {
                    "rom_bios",   "rom_size",    "rom_crc",      "rom_md5",
                    "rom_sha1",   "rom_merge",   "rom_region",   "rom_offset",
                    "rom_status", "rom_dispose", "rom_soundonly"};
                std::array<std::string_view, 12> values{value};
                for (std::size_t k = 0; k < kRomKeys.size(); ++k)
                    values[k + 1] = group("rom_name", "rom", kRomKeys[k]);
                writer.AddRom(values);
                break;
            }
            case Action::Disk: {
                static constexpr std::array<std::string_view, 6> kDiskKeys = {
                    "disk_md5",    "disk_sha1",  "disk_merge",
                    "disk_region", "disk_index", "disk_status"};
                std::array<std::string_view, 7> values{value};
                for (std::size_t k = 0; k < kDiskKeys.size(); ++k)
                    values[k + 1] = group("disk_name", "disk", kDiskKeys[k]);
                writer.AddDisk(values);
                break;
            }
            case Action::Sample:
                writer.Set(GameField::SampleName, value);
                break;
            case Action::Chip:
                // The emulator writes the chip's type before its name: read
                // the whole element.
                writer.AddChip(value, list.ElementValue(i, "chip_type"),
                               list.ElementValue(i, "chip_soundonly"),
                               list.ElementValue(i, "chip_clock"));
                break;
            case Action::Screen:
                writer.Set(GameField::VideoScreen, value);
                break;
            case Action::Orientation:
                writer.Set(GameField::VideoOrientation, value);
                break;
            case Action::AspectX:
                Compose(writer, GameField::Aspect, value, ':', true);
                break;
            case Action::AspectY:
                Compose(writer, GameField::Aspect, value, ':', false);
                break;
            case Action::Refresh: {
                const std::optional<std::string_view> refresh = writer.Get(GameField::Refresh);
                if (!refresh || refresh->empty()) writer.Set(GameField::Refresh, value);
                break;
            }
            case Action::Width:
                Compose(writer, GameField::Resolution, value, 'x', true);
                break;
            case Action::Height:
                Compose(writer, GameField::Resolution, value, 'x', false);
                break;
            case Action::SoundChannels:
                writer.Set(GameField::SoundChannels, value);
                break;
            case Action::Players:
                writer.Set(GameField::Players, value);
                break;
            case Action::Control:
                writer.Set(GameField::Controls, value);
                break;
            case Action::Buttons:
                writer.Set(GameField::InputButtons, value);
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
                writer.Set(found->second == Action::DriverStatus ? GameField::DriverStatus
                                                                 : GameField::DriverEmulation,
                           value);
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
                writer.Feature(value, list.ElementValue(i, "feature_status"));
                break;
        }
    }
    GuessAspect(writer);
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

}  // namespace

void ImportListXmlFast(std::string_view path) {
    Guarded(kProcFastImport, [&] {
        LineReader reader(path, true);
        if (!reader.IsOpen())
            throw AppError(err::kFileNotFound, "File not found: " + std::string(path));
        ListXmlWriter writer(State().UpdateMode);
        KeyValueList list;
        Progress().Total = Kilobytes(reader.Size()) + 1;
        Progress().Done = 0;
        std::string_view line;
        std::string chunk;
        bool more = true;
        while (more) {
            LetEventsRun();
            if (Progress().Cancel) break;
            Progress().Done = Kilobytes(reader.Offset());
            while ((more = reader.NextView(line)) && !IsGameStart(line)) {
            }
            if (!more) break;
            chunk.clear();
            for (;;) {
                chunk.append(Trim(line));
                if (IsGameEnd(line)) break;
                if (chunk.size() > kMaxChunkBytes) {
                    ProcedureScope scope(kProcOversizedGame);
                    WriteErrorBlock(err::kOutOfMemory, "Game element too large, cut");
                    break;
                }
                if (!(more = reader.NextView(line))) break;
            }
            // Text is UTF-8; anything else is read as Windows-1252.
            if (!IsAscii(chunk) && !IsValidUtf8(chunk)) chunk = Cp1252ToUtf8(chunk);
            list.Tokenize(chunk);
            ImportGame(list, writer);
        }
        writer.Finish();
    });
    Progress().Done = Progress().Total;
    LetEventsRunNow();
}

}  // namespace arc
