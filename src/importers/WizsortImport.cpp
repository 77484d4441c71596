// Wizsort.ini: one key list per field, sections in any order.

#include <array>
#include <memory>
#include <string>

#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/Log.h"
#include "database/Database.h"
#include "importers/DataUpdate.h"
#include "importers/Importers.h"
#include "importers/IniLines.h"
#include "importers/SupportFileReader.h"

namespace arc {
namespace {

constexpr int kProcWizsort = 421;

struct WizsortSection {
    std::string_view header;
    std::string_view field;  ///< empty: the section changes nothing
};

constexpr std::array<WizsortSection, 10> kSections = {{
    {"[genre]", "Genre"},
    {"[category]", "Category"},
    {"[driver]", "Driver"},
    {"[manufacturer]", "Manufacturer"},
    {"[resolution]", "Resolution"},
    {"[set]", ""},
    {"[veradded]", "Veradded"},
    {"[year]", "Year"},
    {"[mature]", "Mature"},
    {"[bios]", "Bios"},
}};
constexpr std::size_t kMatureSection = 8;
constexpr std::size_t kNoSection = kSections.size();

/// The section a header line opens; kNoSection for a header of another name.
std::size_t SectionOf(std::string_view line) {
    const std::string lower = ToLowerAscii(line);
    for (std::size_t i = 0; i < kSections.size(); ++i)
        if (lower.find(kSections[i].header) != std::string::npos) return i;
    return kNoSection;
}

}  // namespace

bool ImportWizsort(std::string_view path, TaskProgress& progress, DataValues* values) {
    return ImportLines(
        kProcWizsort, path, progress, "(2) Can't find ", [&](SupportFileReader& reader) {
            std::array<std::unique_ptr<DataFieldUpdate>, kSections.size()> updates;
            const auto rows = values ? nullptr : std::make_shared<const DataRowids>();
            DataFlagUpdate mature("Mature", values, rows);
            WritesBatch batch(values);
            std::size_t current = kNoSection;
            std::string line;
            std::string_view name;
            std::string_view value;
            while (reader.Next(line)) {
                if (line.empty()) continue;
                if (line.front() == '[') {
                    // A section of another name belongs to no field.
                    current = SectionOf(line);
                    continue;
                }
                if (current == kNoSection || kSections[current].field.empty()) continue;
                if (!SplitKeyValue(line, name, value)) continue;
                if (current == kMatureSection) {
                    mature.Run(name);
                } else {
                    if (!updates[current])
                        updates[current] = std::make_unique<DataFieldUpdate>(
                            kSections[current].field, values, rows);
                    updates[current]->Run(name, value);
                }
                batch.RowDone();
            }
        });
}

}  // namespace arc
