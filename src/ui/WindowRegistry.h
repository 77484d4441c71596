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
// 3. At the end of <Name>Window.cpp, register it and wire the menu commands that
//    open it, one line each (no other file changes):
//
//        ARCANOTE_REGISTER_WINDOW(WindowId::ZipAll, ZipAllWindow);
//        ARCANOTE_REGISTER_COMMAND(MnuZipUnzip, OpenWindowCommand(WindowId::ZipAll));
//
//    A command that runs logic instead of opening a window:
//
//        ARCANOTE_REGISTER_COMMAND(MnuListMyRoms, [](MainWindow&) { ListMyRoms(); });
//
// The main window opens each kind at most once inside its MDI area (an open
// one comes to the front); the logic opens windows through
// Ui().OpenWindow(WindowId::<Name>), or runs one until it has closed with
// Ui().RunWindow(WindowId::<Name>).
// A menu command nobody registered does nothing.
//
// The ui sources form an object library, so these registrations are linked
// into every program and test that uses the windows.

#include <functional>
#include <string_view>

#include "core/WindowId.h"

class QWidget;

namespace arc::ui {

class MainWindow;

/// Creates a window (without parent: the main window puts it in its MDI area).
using WindowFactory = std::function<QWidget*()>;
/// Runs a menu command of the main window.
using MenuCommand = std::function<void(MainWindow&)>;

bool RegisterWindow(std::string_view formName, WindowFactory factory);
bool RegisterMenuCommand(std::string_view menuName, MenuCommand command);

/// nullptr when nothing is registered under that name.
const WindowFactory* FindWindowFactory(std::string_view formName);
const MenuCommand* FindMenuCommand(std::string_view menuName);

/// A command that opens the window (at most once).
MenuCommand OpenWindowCommand(WindowId window);

}  // namespace arc::ui

#define ARCANOTE_REGISTER_WINDOW(Id, WindowClass)                                \
    [[maybe_unused]] static const bool kArcanoteRegisteredWindow_##WindowClass = \
        ::arc::ui::RegisterWindow(::arc::ObjectNameOf(Id),                       \
                                  []() -> QWidget* { return new WindowClass; })

#define ARCANOTE_REGISTER_COMMAND(MenuName, ...)                               \
    [[maybe_unused]] static const bool kArcanoteRegisteredCommand_##MenuName = \
        ::arc::ui::RegisterMenuCommand(#MenuName, __VA_ARGS__)
