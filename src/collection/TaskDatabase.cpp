#include "collection/TaskDatabase.h"

#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/TextTable.h"

namespace arc {

std::string UnreadableDatabase(const std::string& path, const std::string& reason) {
    std::string text = Text(kTextDatabaseUnreadable) + path;
    // The engine's reasons begin with the path already.
    if (!reason.empty())
        text += reason.starts_with(path) ? reason.substr(path.size()) : ": " + reason;
    return text;
}

std::string OpenTaskDatabase(DatabaseScope& scope, const std::string& path) {
    if (path.empty() || !FileExists(path)) return path + "\r\n" + Text(kTextNotFoundCannotContinue);
    try {
        const ReadOnlyDatabase probe(path);
        if (!probe.HasTable("Data")) return UnreadableDatabase(path, "no game table");
    } catch (const AppError& error) {
        return UnreadableDatabase(path, error.what());
    }
    if (!scope.Open(path)) return UnreadableDatabase(path, {});
    return {};
}

}  // namespace arc
