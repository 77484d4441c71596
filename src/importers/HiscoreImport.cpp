// Hiscore.dat: every set named before a ":" gets Hiscore = TRUE.

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
constexpr int kProcHiscore = 431;
}

bool ImportHiscore(std::string_view path, TaskProgress& progress, DataValues* values) {
    return ImportLines(kProcHiscore, path, progress, [&](SupportFileReader& reader) {
        DataFlagUpdate update("Hiscore", values);
        WritesBatch batch(values);
        std::string line;
        std::string lastName;
        while (reader.Next(line)) {
            const std::size_t colon = line.find(':');
            if (colon == std::string::npos || colon == 0) continue;
            const std::string_view name = Trim(std::string_view(line).substr(0, colon));
            if (name == lastName) continue;  // the flag is already set
            lastName.assign(name);
            update.Run(name);
            batch.RowDone();
        }
    });
}

}  // namespace arc
