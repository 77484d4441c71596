#include "pipeline/UpdateWindowState.h"

#include <vector>

#include "core/Files.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/TextTable.h"
#include "core/UiService.h"
#include "pipeline/SoftwareStep.h"

namespace arc {

std::string UpdateWindowState::BoxCaption(int box) {
    return UpdateSourceCaption(box);
}

SupportFile UpdateWindowState::BoxFile(int box) {
    return UpdateSourceFile(box);
}

void UpdateWindowState::Load() {
    DisableMenus();
    const Settings& settings = TheSettings();
    databasePath =
        settings.UpdateDatabasePath.empty() ? settings.DatabasePath : settings.UpdateDatabasePath;
    SetChoicesText(settings.UpdateFileChoices);
}

void UpdateWindowState::Unload() {
    Settings& settings = TheSettings();
    settings.UpdateFileChoices = ChoicesText();
    settings.UpdateDatabasePath = databasePath;
    SaveSettings();
    EnableMenus();
}

std::string UpdateWindowState::ChoicesText() const {
    std::string text = UpdateChoicesText({boxes, useDefinedPaths});
    text.insert(text.rfind(';') + 1, software ? "1;" : "0;");
    return text;
}

void UpdateWindowState::SetChoicesText(std::string_view text) {
    const UpdateChoices choices = ParseUpdateChoices(text);
    boxes = choices.sources;
    useDefinedPaths = choices.useDefinedPaths;
    // The software box is the value after the sources, when there is one
    // before the option's.
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(';', start);
        fields.push_back(text.substr(start, end - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    software = fields.size() > std::size_t{kBoxes} + 1 && Trim(fields[kBoxes]) == "1";
}

void UpdateWindowState::ChooseDatabase() {
    FileDialogRequest request;
    request.title = Text(kTextUpdateChooser);
    request.initialName = databasePath;
    request.filter = Text(kTextDatabaseFilter);
    const std::string chosen = Ui().ChooseFileRaw(request);
    if (!chosen.empty()) databasePath = chosen;
}

UpdateRequest UpdateWindowState::Request(const Settings& settings) const {
    UpdateRequest request;
    request.databasePath = databasePath;
    request.sources = boxes;
    request.emulator = {settings.MameExe, settings.MameFolder};
    request.supportPaths = {useDefinedPaths, settings.DataFilePaths};
    if (software) request.software = SoftwareSourceOf(request.emulator);
    return request;
}

bool UpdateWindowState::Update() {
    if (!FileExists(databasePath)) {
        Ui().Message(Text(kTextUpdateNoFile), MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    bool anyTicked = software;
    for (bool box : boxes)
        anyTicked = anyTicked || box;
    if (!anyTicked) {
        Ui().Message(Text(kTextUpdateNoChoice), MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    if (showWindow) showWindow(false);
    const UpdateRequest request = Request(TheSettings());
    const UpdateOutcome outcome = RunShown([&](TaskContext& context) {
        context.progress().SetLabel(Text(kTextUpdating));
        return RunUpdate(request, context);
    });
    if (!outcome.message.empty())
        Ui().Message(outcome.message, MsgButtons::Ok,
                     outcome.ok() ? MsgIcon::None : MsgIcon::Exclamation);
    if (showWindow) showWindow(true);
    return outcome.ok();
}

}  // namespace arc
