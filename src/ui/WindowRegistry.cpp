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

std::map<std::string, MenuCommand, std::less<>>& Commands() {
    static std::map<std::string, MenuCommand, std::less<>> commands;
    return commands;
}

}  // namespace

bool RegisterWindow(std::string_view formName, WindowFactory factory) {
    Windows()[std::string(formName)] = std::move(factory);
    return true;
}

bool RegisterMenuCommand(std::string_view menuName, MenuCommand command) {
    Commands()[std::string(menuName)] = std::move(command);
    return true;
}

const WindowFactory* FindWindowFactory(std::string_view formName) {
    auto it = Windows().find(formName);
    return it == Windows().end() ? nullptr : &it->second;
}

const MenuCommand* FindMenuCommand(std::string_view menuName) {
    auto it = Commands().find(menuName);
    return it == Commands().end() ? nullptr : &it->second;
}

MenuCommand OpenWindowCommand(WindowId window) {
    return [name = ObjectNameOf(window)](MainWindow& main) { main.OpenWindow(name); };
}

}  // namespace arc::ui
