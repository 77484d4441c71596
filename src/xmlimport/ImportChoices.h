#pragma once
// What the user chooses for one build: the list made again or not, where the
// support files come from, the import method.

#include "core/Settings.h"
#include "xmlimport/ListXmlImport.h"

namespace arc {

struct ImportChoices {
    bool refreshList = false;      ///< the emulator makes its list again
    bool useDefinedPaths = false;  ///< support files from the defined paths first
    ImportMethod method = ImportMethod::Fast;
};

/// The choices the import options window opens with: XmlOptions[1] and [2],
/// the fast method.
inline ImportChoices RememberedImportChoices(const Settings& settings) {
    ImportChoices choices;
    choices.refreshList = settings.XmlOptions[1] == 1;
    choices.useDefinedPaths = settings.XmlOptions[2] == 1;
    return choices;
}

}  // namespace arc
