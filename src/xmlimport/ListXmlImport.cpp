#include "xmlimport/ListXmlImport.h"

#include <filesystem>

#include "core/Log.h"
#include "core/ProgramFolder.h"
#include "core/Progress.h"
#include "core/TextTable.h"
#include "core/UiService.h"

namespace arc {

std::string DefaultListXmlPath() {
    return InProgramFolder("listxml.txt");
}

void TellListFault(std::string_view path, std::string_view fault) {
    const std::string text = std::string(path) + " " + std::string(fault);
    WriteLog("listxml: " + text);
    Ui().Message(text, MsgButtons::Ok, MsgIcon::Exclamation);
}

bool ImportListXml(std::string_view path, TaskProgress& progress, ImportMethod method,
                   bool updateMode) {
    const std::string file = path.empty() ? DefaultListXmlPath() : std::string(path);
    std::error_code ec;
    const bool isFile = std::filesystem::is_regular_file(file, ec);
    if (!isFile || std::filesystem::file_size(file, ec) == 0 || ec) {
        Ui().Message(Text(kTextNoListxmlForExpertMode), MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    // The methods stop on a cancel themselves, before their first game.
    progress.SetLabel(Text(kTextXmlAnalysing));
    progress.KeepGoing();
    if (method == ImportMethod::Document) {
        const DocumentResult result = ImportListXmlDocument(file, progress, updateMode);
        if (result != DocumentResult::NotLoaded) return result == DocumentResult::Imported;
        progress.SetLabel(Text(kTextForcedFastMethod));
        progress.KeepGoing();
    }
    return ImportListXmlFast(file, progress, updateMode);
}

}  // namespace arc
