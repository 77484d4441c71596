#include "xmlimport/ListXmlImport.h"

#include <filesystem>

#include "core/AppState.h"
#include "core/ProgramFolder.h"
#include "core/Progress.h"
#include "core/TextTable.h"
#include "core/UiService.h"

namespace arc {

std::string DefaultListXmlPath() {
    return InProgramFolder("listxml.txt");
}

bool ImportListXml(std::string_view path) {
    const std::string file = path.empty() ? DefaultListXmlPath() : std::string(path);
    std::error_code ec;
    const bool isFile = std::filesystem::is_regular_file(file, ec);
    if (!isFile || std::filesystem::file_size(file, ec) == 0 || ec) {
        Ui().Message(Text(179), MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    SetProgressLabel(Text(180));
    LetEventsRunNow();
    if (State().ImportMethod != 2) {
        ImportListXmlFast(file);
        return true;
    }
    if (!ImportListXmlDocument(file)) {
        SetProgressLabel(Text(267));
        LetEventsRunNow();
        ImportListXmlFast(file);
    }
    return true;
}

}  // namespace arc
