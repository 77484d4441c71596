#include "ui/WindowRegistry.h"

#include <map>
#include <string>

#include "ui/MainWindow.h"

namespace arc::ui {
namespace {

std::map<std::string, WindowFactory, std::less<>>& Windows() {
    static std::map<std::string, WindowFactory, std::less<>> windows;
    return windows;
}

std::map<MenuCommand, CommandAction>& Commands() {
    static std::map<MenuCommand, CommandAction> commands;
    return commands;
}

}  // namespace

void RegisterWindow(WindowId window, WindowFactory factory) {
    Windows()[std::string(ObjectNameOf(window))] = std::move(factory);
}

void RegisterMenuCommand(MenuCommand command, CommandAction action) {
    Commands()[command] = std::move(action);
}

const WindowFactory* FindWindowFactory(std::string_view formName) {
    auto it = Windows().find(formName);
    return it == Windows().end() ? nullptr : &it->second;
}

const CommandAction* FindMenuCommand(MenuCommand command) {
    auto it = Commands().find(command);
    return it == Commands().end() ? nullptr : &it->second;
}

CommandAction OpenWindowCommand(WindowId window) {
    return [name = ObjectNameOf(window)](MainWindow& main) { main.OpenWindow(name); };
}

}  // namespace arc::ui
