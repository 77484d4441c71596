#pragma once
// Registry of the desktop program's tool windows and menu commands.
//
// Adding a window
// ---------------
// 1. Put the window's rules in a plain state class beside its subsystem
//    (src/<subsystem>/<Name>State.h/.cpp, no Qt) and test it with GoogleTest.
// 2. Write the Qt class in src/ui/FormN.h/.cpp, derived from ChildWindow
//    (ChildWindow.h): ChildWindow("FormN", N) gives it its objectName, its
//    saved position as window N (0 when it has none), FlatControls when it
//    first shows, and OnUnload() called once whatever closes it. Give every
//    widget its design name as objectName ("Command1", "Text3_2", "Check1_8").
//    The widgets only copy values to and from the state class and call it.
// 3. At the end of FormN.cpp, register it and wire the menu commands that
//    open it, one line each (no other file changes):
//
//        ARCANOTE_REGISTER_WINDOW(Form11);
//        ARCANOTE_REGISTER_COMMAND(MnuZipUnzip, OpenWindowCommand("Form11"));
//
//    A command that runs logic instead of opening a window:
//
//        ARCANOTE_REGISTER_COMMAND(MnuListMyRoms, [](MDIForm1&) { ListerMesRoms(); });
//
// The main window opens each kind at most once inside its MDI area (an open
// one comes to the front); the logic opens windows through
// Ui().OpenWindow("FormN") and waits with Ui().IsWindowOpen("FormN").
// A menu command nobody registered does nothing.
//
// The ui sources form an object library, so these registrations are linked
// into every program and test that uses the windows.

#include <functional>
#include <string_view>

class QWidget;

namespace arc::ui {

class MDIForm1;

/// Creates a window (without parent: the main window puts it in its MDI area).
using WindowFactory = std::function<QWidget*()>;
/// Runs a menu command of the main window.
using MenuCommand = std::function<void(MDIForm1&)>;

bool RegisterWindow(std::string_view formName, WindowFactory factory);
bool RegisterMenuCommand(std::string_view menuName, MenuCommand command);

/// nullptr when nothing is registered under that name.
const WindowFactory* FindWindowFactory(std::string_view formName);
const MenuCommand* FindMenuCommand(std::string_view menuName);

/// A command that opens the named window (at most once).
MenuCommand OpenWindowCommand(std::string_view formName);

}  // namespace arc::ui

#define ARCANOTE_REGISTER_WINDOW(FormClass)                                    \
    [[maybe_unused]] static const bool kArcanoteRegisteredWindow_##FormClass = \
        ::arc::ui::RegisterWindow(#FormClass, []() -> QWidget* { return new FormClass; })

#define ARCANOTE_REGISTER_COMMAND(MenuName, ...)                               \
    [[maybe_unused]] static const bool kArcanoteRegisteredCommand_##MenuName = \
        ::arc::ui::RegisterMenuCommand(#MenuName, __VA_ARGS__)
