#include "xmlimport/ImportOptionsWindowState.h"

#include "core/Settings.h"
#include "core/TextTable.h"

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
    const ImportChoices remembered = RememberedImportChoices(TheSettings());
    refreshList = remembered.refreshList;
    useDefinedPaths = remembered.useDefinedPaths;
}

void ImportOptionsWindowState::Confirm() {
    confirmed_ = true;
}

void ImportOptionsWindowState::PathsWindowClosed() {
    LoadSettings();
}

std::optional<ImportChoices> ImportOptionsWindowState::Unload() {
    if (!open_) return std::nullopt;
    Settings& settings = TheSettings();
    settings.XmlOptions[1] = refreshList ? 1 : 0;
    settings.XmlOptions[2] = useDefinedPaths ? 1 : 0;
    open_ = false;
    std::optional<ImportChoices> choices;
    if (confirmed_)
        choices = ImportChoices{refreshList, useDefinedPaths,
                                method == 2 ? ImportMethod::Document : ImportMethod::Fast};
    return choices;
}

}  // namespace arc
