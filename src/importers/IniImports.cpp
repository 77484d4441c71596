// The INI files of one shape each: section lists (a header names the value,
// the lines under it name the sets), the nPlayers key list and the Mature
// name list.

#include <string>

#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "database/Database.h"
#include "importers/DataUpdate.h"
#include "importers/Importers.h"
#include "importers/IniLines.h"
#include "importers/SupportFileReader.h"

namespace arc {
namespace {

constexpr int kProcResolution = 410;
constexpr int kProcAspect = 411;
constexpr int kProcYear = 412;
constexpr int kProcMultiplayer = 413;
constexpr int kProcVersion = 414;
constexpr int kProcCategory = 415;
constexpr int kProcGenre = 416;
constexpr int kProcControls = 417;
constexpr int kProcNPlayers = 418;
constexpr int kProcMature = 419;

bool ImportSectionList(std::string_view path, std::string_view field, int procedure,
                       TaskProgress& progress, DataValues* values) {
    return ImportLines(procedure, path, progress, [&](SupportFileReader& reader) {
        DataFieldUpdate update(field, values);
        WritesBatch batch(values);
        std::string line;
        std::string section;  // lines before the first header get an empty value
        while (reader.Next(line)) {
            if (line.empty()) continue;
            if (line.front() == '[') {
                section = HeaderValue(line);
                continue;
            }
            update.Run(line, section);
            batch.RowDone();
        }
    });
}

}  // namespace

bool ImportResolution(std::string_view path, TaskProgress& progress, DataValues* values) {
    return ImportSectionList(path, "Resolution", kProcResolution, progress, values);
}
bool ImportAspect(std::string_view path, TaskProgress& progress, DataValues* values) {
    return ImportSectionList(path, "Aspect", kProcAspect, progress, values);
}
bool ImportYear(std::string_view path, TaskProgress& progress, DataValues* values) {
    return ImportSectionList(path, "Year", kProcYear, progress, values);
}
bool ImportMultiplayer(std::string_view path, TaskProgress& progress, DataValues* values) {
    return ImportSectionList(path, "nPlayers", kProcMultiplayer, progress, values);
}
bool ImportVersion(std::string_view path, TaskProgress& progress, DataValues* values) {
    return ImportSectionList(path, "VerAdded", kProcVersion, progress, values);
}
bool ImportCategory(std::string_view path, TaskProgress& progress, DataValues* values) {
    return ImportSectionList(path, "Category", kProcCategory, progress, values);
}
bool ImportGenre(std::string_view path, TaskProgress& progress, DataValues* values) {
    return ImportSectionList(path, "Genre", kProcGenre, progress, values);
}
bool ImportControls(std::string_view path, TaskProgress& progress, DataValues* values) {
    return ImportSectionList(path, "Controls", kProcControls, progress, values);
}

bool ImportNPlayers(std::string_view path, TaskProgress& progress, DataValues* values) {
    return ImportLines(kProcNPlayers, path, progress, [&](SupportFileReader& reader) {
        std::string line;
        // Everything before the first header is skipped.
        while (reader.NextQuiet(line) && (line.empty() || line.front() != '[')) {
        }
        DataFieldUpdate update("nPlayers", values);
        WritesBatch batch(values);
        std::string_view name;
        std::string_view value;
        while (reader.Next(line)) {
            if (!SplitKeyValue(line, name, value)) continue;
            update.Run(name, value);
            batch.RowDone();
        }
    });
}

bool ImportMature(std::string_view path, TaskProgress& progress, DataValues* values) {
    return ImportLines(kProcMature, path, progress, [&](SupportFileReader& reader) {
        std::string line;
        while (reader.Next(line) && (line.empty() || line.front() != '[')) {
        }
        DataFlagUpdate update("Mature", values);
        WritesBatch batch(values);
        while (reader.Next(line)) {
            if (line.empty() || line.front() == '[') continue;  // would match no set
            update.Run(line);
            batch.RowDone();
        }
    });
}

}  // namespace arc
