#pragma once
// The main window: a multiple-document frame with the whole menu bar. Tool
// windows open inside its MDI area, at most one of each kind (see
// WindowRegistry.h for adding one).

#include <QMainWindow>
#include <QPointer>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "shell/MainMenu.h"

class QAction;
class QMdiArea;
class QMenu;

namespace arc::ui {

class MainWindow : public QMainWindow {
    Q_OBJECT

  public:
    MainWindow();
    ~MainWindow() override;

    /// Opens the named tool window inside the MDI area, or brings the open one
    /// to the front. nullptr when no such window is registered.
    QWidget* OpenWindow(std::string_view formName);
    /// The open window of that name, nullptr when closed.
    QWidget* FindOpenWindow(std::string_view formName) const;

    /// Runs the registered menu command (nothing when none is). A command that
    /// starts a task does nothing while another task command runs or a task's
    /// window is open.
    void RunCommand(MenuCommand command);
    /// True while a task command runs or a task's window is open.
    bool TaskUnderWay() const;
    /// The "Use another database" command: the chooser, then the game browser
    /// shows the chosen database.
    void UseAnotherDatabase();

    /// Copies the current text table into the menu captions.
    void ApplyMenuCaptions();
    /// The language commands: 0 English, 1 French, 2 other.
    void SwitchLanguage(int language);
    /// Switches the five top-level menus on or off.
    void SetMenusEnabled(bool enabled);
    /// Shows the splash window as About box.
    void ShowAbout();

    QMdiArea* MdiArea() const { return area_; }
    /// The menu entry (or a menu's own action) of a control name; nullptr when unknown.
    QAction* MenuAction(std::string_view name) const;
    /// The menu entry of a command.
    QAction* MenuAction(MenuCommand command) const;

    /// Stores the window's geometry (saved units) into the settings.
    void StoreGeometry();

    /// The search window's criteria when it last closed, given back when it
    /// opens again while this window lives.
    std::vector<std::string> keptSearchCriteria;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    /// The open game browser reloads when its database changed.
    void ReloadBrowser();
    void BuildMenus();
    void SetLanguageChecks(int language);
    void RestoreGeometry();
    /// Switches the task commands off while a task is under way.
    void UpdateTaskCommands();

    QMdiArea* area_;
    std::map<std::string, QAction*, std::less<>> actions_;  ///< by control name
    std::map<MenuCommand, QAction*> commandActions_;
    std::map<std::string, QPointer<QWidget>, std::less<>> windows_;
    bool quitting_ = false;
    bool commandRunning_ = false;  ///< a task command runs (it may wait on its window)
};

}  // namespace arc::ui
