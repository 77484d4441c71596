// Catver.ini: a [Category] key list, then a [VerAdded] key list.

#include <memory>
#include <string>

#include "core/ErrorGuard.h"
#include "core/Log.h"
#include "database/Database.h"
#include "importers/DataUpdate.h"
#include "importers/Importers.h"
#include "importers/SupportFileReader.h"

namespace arc {
namespace {

constexpr int kProcCatver = 420;

/// Reads "name=value" lines into the field until a line equals `stopLine` or
/// the file (or the run) ends. Neither part is trimmed. True when the stop
/// line was met.
bool ReadKeyList(SupportFileReader& reader, DataFieldUpdate& update, WritesBatch& batch,
                 std::string_view stopLine) {
    std::string line;
    while (reader.Next(line)) {
        if (!stopLine.empty() && line == stopLine) return true;
        const std::size_t equal = line.find('=');
        if (equal == std::string::npos) continue;
        update.Run(std::string_view(line).substr(0, equal),
                   std::string_view(line).substr(equal + 1));
        batch.RowDone();
    }
    return false;
}

}  // namespace

bool ImportCatver(std::string_view path, TaskProgress& progress, DataValues* values) {
    bool result = false;
    Guarded(kProcCatver, [&] {
        SupportFileReader reader(path, progress);
        if (!reader.IsOpen()) return;  // missing: progress left as it is
        std::string line;
        bool found = false;
        while (reader.Next(line)) {
            if (line == "[Category]") {
                found = true;
                break;
            }
        }
        bool complete = false;
        if (found) {
            WritesBatch batch(values);
            const auto rows = values ? nullptr : std::make_shared<const DataRowids>();
            DataFieldUpdate category("Category", values, rows);
            if (ReadKeyList(reader, category, batch, "[VerAdded]")) {
                DataFieldUpdate verAdded("VerAdded", values, rows);
                ReadKeyList(reader, verAdded, batch, {});
                complete = true;
            }
        }
        reader.Finish();
        // Today's Catver.ini often has no [VerAdded] part: that is no error,
        // but Version.ini must then still be read.
        if (!complete && !reader.Cancelled())
            DebugLog("Catver.ini without " + std::string(found ? "[VerAdded]" : "[Category]") +
                     " : " + std::string(path));
        result = complete && !reader.Cancelled();
    });
    return result;
}

}  // namespace arc
