#include "importers/IniLines.h"

#include "core/ErrorGuard.h"
#include "core/Files.h"

namespace arc {

std::string HeaderValue(std::string_view header) {
    if (header.size() < 2) return {};
    return std::string(header.substr(1, header.size() - 2));
}

bool SplitKeyValue(std::string_view line, std::string_view& name, std::string_view& value) {
    const std::size_t equal = line.find('=');
    if (equal == std::string_view::npos) return false;
    name = Trim(line.substr(0, equal));
    value = Trim(line.substr(equal + 1));
    return !name.empty();
}

bool OpenedOrFinished(const SupportFileReader& reader, std::string_view path,
                      TaskProgress& progress) {
    if (reader.IsOpen()) return true;
    FinishWithoutFile(progress);
    if (FileExists(path)) throw AppError(err::kPathFileAccess, "Cannot read " + std::string(path));
    return false;
}

}  // namespace arc
