#include "core/ScriptedUi.h"

#include "core/Progress.h"
#include "core/Task.h"

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

void ScriptedUi::SetMenusEnabled(bool enabled) {
    menusEnabled = enabled;
}

void ScriptedUi::RunTask(TaskProgress& progress, const TaskBody& body, TaskShow show) {
    std::string lastLabel;
    progress.Watch([&](TaskProgress& reported) {
        std::string label = reported.Label();
        if (label != lastLabel) progressLabels.push_back(label);
        lastLabel = std::move(label);
        if (onProgress) onProgress(reported);
    });
    if (show.window) ++progressShown;
    const bool wasVisible = progressVisible;
    progressVisible = progressVisible || show.window;
    TaskProgress* const outer = running_;
    running_ = &progress;
    MenusOff menus(show.menusOff);
    struct Restore {
        ScriptedUi& ui;
        TaskProgress* outer;
        bool visible;
        ~Restore() {
            ui.running_ = outer;
            ui.progressVisible = visible;
        }
    } restore{*this, outer, wasVisible};
    TaskContext context(progress, *this);
    body(context);
}

void ScriptedUi::CancelTask() {
    ++taskCancels;
    if (running_) running_->Cancel();
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
