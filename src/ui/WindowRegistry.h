#pragma once
// Registry of the desktop program's tool windows and menu commands.
//
// Adding a window
// ---------------
// 1. Put the window's rules in a plain state class beside its subsystem
//    (src/<subsystem>/<Name>State.h/.cpp, no Qt) and test it with GoogleTest.
// 2. Write the Qt class in src/ui/<Name>Window.h/.cpp, derived from
//    ChildWindow (ChildWindow.h): ChildWindow(WindowId::<Name>) gives it its
//    objectName "FormN", its saved position as window N, FlatControls when it
//    first shows, and OnUnload() called once whatever closes it (a new window
//    gets a new WindowId value in core/WindowId.h). Give every
//    widget its design name as objectName ("Command1", "Text3_2", "Check1_8").
//    The widgets only copy values to and from the state class and call it.
// 3. At the end of <Name>Window.cpp, a function registers it and the menu
//    commands that open it; declare it in DesktopWindows.h and call it from
//    RegisterDesktopWindows():
//
//        void RegisterZipAllWindow() {
//            RegisterWindow<ZipAllWindow>(WindowId::ZipAll);
//            RegisterMenuCommand(MenuCommand::ZipUnzip, OpenWindowCommand(WindowId::ZipAll));
//        }
//
//    A command that runs logic instead of opening a window:
//
//        RegisterMenuCommand(MenuCommand::ListMyRoms, [](MainWindow&) { ListMyRoms(); });
//
// The main window opens each kind at most once inside its MDI area (an open
// one comes to the front); the logic opens windows through
// Ui().OpenWindow(WindowId::<Name>), or runs one until it has closed with
// Ui().RunWindow(WindowId::<Name>).
// A menu command nobody registered does nothing.

#include <functional>
#include <string_view>

#include "core/WindowId.h"
#include "shell/MainMenu.h"

class QWidget;

namespace arc::ui {

class MainWindow;

/// Creates a window (without parent: the main window puts it in its MDI area).
using WindowFactory = std::function<QWidget*()>;
/// What a menu command of the main window does.
using CommandAction = std::function<void(MainWindow&)>;

void RegisterWindow(WindowId window, WindowFactory factory);
template <class Window>
void RegisterWindow(WindowId window) {
    RegisterWindow(window, []() -> QWidget* { return new Window; });
}
void RegisterMenuCommand(MenuCommand command, CommandAction action);

/// nullptr when nothing is registered under that name.
const WindowFactory* FindWindowFactory(std::string_view formName);
const CommandAction* FindMenuCommand(MenuCommand command);

/// A command that opens the window (at most once).
CommandAction OpenWindowCommand(WindowId window);

}  // namespace arc::ui
