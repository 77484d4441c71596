#include "collection/PlayHistory.h"

#include "core/ErrorGuard.h"
#include "core/Log.h"
#include "database/UserDatabase.h"

namespace arc {
namespace {

constexpr int kRecordProcedure = 692;

}  // namespace

bool EmulatorRanTheGame(int exitCode) {
    // 1 failed validity, 2 missing files, 5 no such system, 6 invalid configuration.
    return exitCode != 1 && exitCode != 2 && exitCode != 5 && exitCode != 6;
}

bool RecordPlay(const std::string& databasePath, std::string_view set, std::int64_t startedAt,
                std::int64_t seconds, std::string_view list) {
    if (databasePath.empty() || set.empty()) return false;
    const std::string userPath = UserDatabase::PathBeside(databasePath);
    const bool recorded = Guarded(kRecordProcedure, [&] {
        UserDatabase(userPath).RecordPlay(set, startedAt, seconds, list);
    });
    if (!recorded)
        WriteLog((list.empty() ? "" : std::string(list) + "/") + std::string(set) +
                 ": the play was not recorded in " + userPath);
    return recorded;
}

}  // namespace arc
