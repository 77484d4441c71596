#include "core/ScriptedUi.h"

namespace arc {

MsgAnswer ScriptedUi::Message(std::string_view text, MsgButtons buttons, MsgIcon icon,
                              std::string_view title) {
    messages.push_back({std::string(text), buttons, icon, std::string(title)});
    if (!answers_.empty()) {
        MsgAnswer answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    return UnchosenAnswer(buttons);
}

std::string ScriptedUi::ChooseFileRaw(const FileDialogRequest& request) {
    fileRequests.push_back(request);
    if (files_.empty()) return {};
    std::string name = std::move(files_.front());
    files_.pop_front();
    return name;
}

std::string ScriptedUi::ChooseFolderRaw(std::string_view startFolder, std::string_view) {
    folderRequests.emplace_back(startFolder);
    if (folders_.empty()) return {};
    std::string folder = std::move(folders_.front());
    folders_.pop_front();
    return folder;
}

bool ScriptedUi::OpenWithDefaultApp(std::string_view pathOrUrl) {
    opened.emplace_back(pathOrUrl);
    return true;
}

void ScriptedUi::ProcessEvents() {
    ++eventsProcessed;
    if (onProcessEvents) onProcessEvents();
}

void ScriptedUi::SetMenusEnabled(bool enabled) {
    menusEnabled = enabled;
}

void ScriptedUi::ShowProgressWindow() {
    ++progressShown;
    progressVisible = true;
}

void ScriptedUi::SetProgressLabel(std::string_view text) {
    progressLabels.emplace_back(text);
}

void ScriptedUi::UnloadProgressWindow() {
    ++progressUnloaded;
    progressVisible = false;
}

bool ScriptedUi::OpenWindow(WindowId window) {
    windowsOpened.push_back(ObjectNameOf(window));
    return true;
}

bool ScriptedUi::RunWindow(WindowId window, WindowCaller caller) {
    windowsOpened.push_back(ObjectNameOf(window));
    windowCallers.push_back(caller);
    if (onRunWindow) onRunWindow(window);
    return true;
}

bool ScriptedUi::IsWindowOpen(WindowId window) {
    for (const std::string& name : windowsOpen)
        if (name == ObjectNameOf(window)) return true;
    return false;
}

}  // namespace arc
