#include "xmlimport/ImportOptionsWindowState.h"

#include "core/AppState.h"
#include "core/Files.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/TextTable.h"
#include "xmlimport/ListXmlImport.h"

namespace arc {

ImportOptionsWindowState::Captions ImportOptionsWindowState::LoadCaptions() {
    return {Text(kTextMakeDatabase),
            Text(kTextUpdateFromEmulator),
            Text(kTextUseDataInDefinedPaths),
            Text(kTextUseProgramFolderData),
            Text(kTextXmlMethod),
            Text(kTextFastMethod),
            Text(kTextDocumentMethod),
            Text(kTextWizardPaths)};
}

ImportOptionsWindowState::ImportOptionsWindowState() {
    const Settings& settings = TheSettings();
    refreshList = settings.XmlOptions[1] == 1;
    useDefinedPaths = settings.XmlOptions[2] == 1;
}

void ImportOptionsWindowState::Confirm() {
    confirmed_ = true;
    State().Form9Message.clear();
}

void ImportOptionsWindowState::PathsWindowClosed() {
    LoadSettings();
}

void ImportOptionsWindowState::Unload() {
    if (!open_) return;
    State().ImportMethod = method == 2 ? 2 : 1;
    Settings& settings = TheSettings();
    settings.XmlOptions[1] = refreshList ? 1 : 0;
    settings.XmlOptions[2] = useDefinedPaths ? 1 : 0;
    if (confirmed_) {
        if (refreshList) {
            DeleteFileIfExists(DefaultListXmlPath());
            LetEventsRun();
        }
        State().UseDefinedPaths = useDefinedPaths;
    } else {
        State().Form9Message = kImportOptionsCancelled;
    }
    open_ = false;
}

}  // namespace arc
