// Cheat.dat: every set that has a cheat line gets Cheat = TRUE.

#include <string>

#include "core/ErrorGuard.h"
#include "database/Database.h"
#include "importers/DataUpdate.h"
#include "importers/Importers.h"
#include "importers/IniLines.h"
#include "importers/SupportFileReader.h"

namespace arc {
namespace {
constexpr int kProcCheat = 430;
}

bool ImportCheat(std::string_view path) {
    bool result = false;
    Guarded(kProcCheat, [&] {
        SupportFileReader reader(path);
        if (!OpenedOrFinished(reader, path)) return;
        DataFlagUpdate update("Cheat");
        BatchTransaction batch;
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
        reader.Finish();
        result = !reader.Cancelled();
    });
    return result;
}

}  // namespace arc
