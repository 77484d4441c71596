// Cheat.dat and today's cheat collection: every set that has a cheat line or
// a cheat file gets Cheat = TRUE.

#include <filesystem>
#include <string>
#include <vector>

#include "core/ErrorGuard.h"
#include "core/Progress.h"
#include "database/Database.h"
#include "importers/CheatCollection.h"
#include "importers/DataUpdate.h"
#include "importers/Importers.h"
#include "importers/IniLines.h"
#include "importers/SupportFileReader.h"

namespace arc {
namespace {

constexpr int kProcCheat = 430;

/// The classic Cheat.dat; false when cancelled.
bool ReadCheatDat(std::string_view path, TaskProgress& progress, DataFlagUpdate& update,
                  WritesBatch& batch) {
    SupportFileReader reader(path, progress);
    if (!OpenedOrFinished(reader, path, progress)) return true;
    std::string line;
    std::string lastName;
    while (reader.Next(line)) {
        if (line.empty() || line.front() == ';') continue;
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        const std::string_view name = std::string_view(line).substr(0, colon);
        // Consecutive lines of one set make one update.
        if (name == lastName) continue;
        lastName.assign(name);
        update.Run(name);
        batch.RowDone();
    }
    return !reader.Cancelled();
}

}  // namespace

bool ImportCheat(std::string_view path, TaskProgress& progress, DataValues* values) {
    bool result = false;
    Guarded(kProcCheat, [&] {
        std::error_code ec;
        const bool classic =
            std::filesystem::is_regular_file(std::string(path), ec) && !IsCheatCollectionPath(path);
        const std::vector<std::string> collections = CheatCollectionsFor(path);
        if (!classic && collections.empty()) {
            FinishWithoutFile(progress);
            return;
        }
        DataFlagUpdate update("Cheat", values);
        WritesBatch batch(values);
        bool finished = !classic || ReadCheatDat(path, progress, update, batch);
        for (const std::string& collection : collections) {
            if (!finished) break;
            finished = ReadCheatCollection(collection, progress, [&](std::string_view set) {
                update.Run(set);
                batch.RowDone();
            });
        }
        FinishWithoutFile(progress);
        result = finished && !progress.Cancelled();
    });
    return result;
}

}  // namespace arc
