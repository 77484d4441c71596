#include "ui/MainWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/TextTable.h"
#include "core/UiService.h"
#include "database/Database.h"
#include "shell/MainMenu.h"
#include "shell/WindowPlace.h"
#include "ui/ChildWindow.h"
#include "ui/GameBrowserWindow.h"
#include "ui/QtText.h"
#include "ui/SplashWindow.h"
#include "ui/WindowFit.h"
#include "ui/WindowRegistry.h"

namespace arc::ui {
namespace {

constexpr int kProcMainLoad = 1000;
constexpr int kProcOpenWindow = 1001;

}  // namespace

MainWindow::MainWindow() : area_(new QMdiArea(this)) {
    setObjectName("MDIForm1");
    area_->setObjectName("MdiArea");
    setCentralWidget(area_);
    resize(960, 720);
    BuildMenus();

    ProcedureScope scope(kProcMainLoad);
    setWindowTitle("Arcanote");
    BuildTextTable();
    ApplyMenuCaptions();
    SetLanguageChecks(TheSettings().Language);
    RestoreGeometry();
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildMenus() {
    std::map<std::string, QMenu*, std::less<>> menus;
    for (const MenuEntry& entry : MenuTree()) {
        QAction* action = nullptr;
        if (entry.submenu) {
            QMenu* menu = nullptr;
            if (entry.parent.empty()) {
                menu = menuBar()->addMenu(Q(entry.designCaption));
            } else {
                menu = menus.at(std::string(entry.parent))->addMenu(Q(entry.designCaption));
            }
            menu->setObjectName(Q(entry.name));
            menus[std::string(entry.name)] = menu;
            action = menu->menuAction();
        } else {
            QMenu* parent = menus.at(std::string(entry.parent));
            if (entry.separator) {
                action = parent->addSeparator();
            } else {
                action = parent->addAction(Q(entry.designCaption));
                if (const std::optional<MenuCommand> command = entry.command) {
                    commandActions_[*command] = action;
                    connect(action, &QAction::triggered, this,
                            [this, command] { RunCommand(*command); });
                }
            }
        }
        action->setObjectName(Q(entry.name));
        action->setEnabled(entry.enabled);
        action->setCheckable(entry.checkable);
        if (!entry.shortcut.empty()) action->setShortcut(QKeySequence(Q(entry.shortcut)));
        actions_[std::string(entry.name)] = action;
    }
}

QAction* MainWindow::MenuAction(std::string_view name) const {
    auto it = actions_.find(name);
    return it == actions_.end() ? nullptr : it->second;
}

QAction* MainWindow::MenuAction(MenuCommand command) const {
    auto it = commandActions_.find(command);
    return it == commandActions_.end() ? nullptr : it->second;
}

void MainWindow::ApplyMenuCaptions() {
    for (const MenuCaption& caption : MenuCaptions())
        if (QAction* action = MenuAction(caption.name)) action->setText(Q(caption.caption));
}

void MainWindow::SetLanguageChecks(int language) {
    const std::optional<LanguageChecks> checks = ChecksForLanguage(language);
    if (!checks) return;
    MenuAction(MenuCommand::French)->setChecked(checks->french);
    MenuAction(MenuCommand::English)->setChecked(checks->english);
}

void MainWindow::SwitchLanguage(int language) {
    const std::optional<LanguageChecks> checks = arc::SwitchLanguage(language);
    ApplyMenuCaptions();
    if (checks) SetLanguageChecks(language);
}

void MainWindow::SetMenusEnabled(bool enabled) {
    for (const auto& [name, action] : actions_)
        if (name.rfind("Menu", 0) == 0) action->setEnabled(enabled);
    // A task ended (the menus come back then): a build or an update may have
    // replaced the database the browser shows.
    if (enabled) ReloadBrowser();
}

void MainWindow::ReloadBrowser() {
    if (auto* browser =
            qobject_cast<GameBrowserWindow*>(FindOpenWindow(ObjectNameOf(WindowId::GameBrowser))))
        browser->ReloadIfChanged();
}

void MainWindow::RunCommand(MenuCommand command) {
    const CommandAction* action = FindMenuCommand(command);
    if (!action) return;
    if (!StartsTask(command)) {
        (*action)(*this);
        return;
    }
    // One task at a time: a second command would run its task inside the
    // first one's wait on its options window.
    if (TaskUnderWay()) return;
    const QPointer<MainWindow> self(this);
    commandRunning_ = true;
    UpdateTaskCommands();
    (*action)(*this);
    if (!self) return;
    commandRunning_ = false;
    UpdateTaskCommands();
    ReloadBrowser();
}

bool MainWindow::TaskUnderWay() const {
    if (commandRunning_) return true;
    for (const auto& [name, window] : windows_)
        if (window && IsTaskWindow(name)) return true;
    return false;
}

void MainWindow::UpdateTaskCommands() {
    const bool enabled = !TaskUnderWay();
    for (const auto& [command, action] : commandActions_)
        if (StartsTask(command)) action->setEnabled(enabled);
}

void MainWindow::UseAnotherDatabase() {
    if (!arc::UseAnotherDatabase()) return;
    CloseDatabase();
    if (auto* browser =
            qobject_cast<GameBrowserWindow*>(FindOpenWindow(ObjectNameOf(WindowId::GameBrowser)))) {
        browser->ReloadIfChanged();
        OpenWindow(ObjectNameOf(WindowId::GameBrowser));
    } else if (FileExists(TheSettings().DatabasePath)) {
        OpenWindow(ObjectNameOf(WindowId::GameBrowser));
    }
}

QWidget* MainWindow::FindOpenWindow(std::string_view formName) const {
    auto it = windows_.find(formName);
    return it == windows_.end() ? nullptr : it->second.data();
}

QWidget* MainWindow::OpenWindow(std::string_view formName) {
    if (QWidget* open = FindOpenWindow(formName)) {
        if (auto* frame = qobject_cast<QMdiSubWindow*>(open->parentWidget())) {
            area_->setActiveSubWindow(frame);
        }
        open->raise();
        return open;
    }
    const WindowFactory* factory = FindWindowFactory(formName);
    if (!factory) return nullptr;
    ProcedureScope scope(kProcOpenWindow);
    QWidget* window = (*factory)();
    if (!window) return nullptr;
    QMdiSubWindow* frame = area_->addSubWindow(window);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->setWindowIcon(windowIcon());
    windows_[std::string(formName)] = window;
    frame->resize(frame->sizeHint().expandedTo(window->size()));
    frame->show();
    if (auto* child = qobject_cast<ChildWindow*>(window)) child->RestorePlace();
    FitIntoVisibleArea(frame);
    if (IsTaskWindow(formName)) {
        UpdateTaskCommands();
        // When the window goes, the task commands come back (once it is gone).
        connect(window, &QObject::destroyed, this,
                [this] { QTimer::singleShot(0, this, &MainWindow::UpdateTaskCommands); });
    }
    return window;
}

void MainWindow::ShowAbout() {
    if (auto* splash = findChild<SplashWindow*>("frmSplash")) {
        splash->raise();
        return;
    }
    auto* splash = new SplashWindow(this);
    splash->adjustSize();
    // Centred on the main window, whatever the window manager would choose.
    QRect place(QPoint(0, 0), splash->size());
    place.moveCenter(geometry().center());
    splash->move(place.topLeft());
    splash->show();
    FitIntoVisibleArea(splash);
}

void MainWindow::StoreGeometry() {
    MainWindowGeometry& saved = TheSettings().MainWindow;
    // The client area's place, as RestoreGeometry puts it back: the frame is
    // not known before the window shows, so a frame place would creep.
    const bool special = isMaximized() || isMinimized();
    const QRect normal = special ? normalGeometry() : geometry();
    saved.Left = normal.x() * kSavedUnitsPerPixel;
    saved.Top = normal.y() * kSavedUnitsPerPixel;
    saved.Width = normal.width() * kSavedUnitsPerPixel;
    saved.Height = normal.height() * kSavedUnitsPerPixel;
    saved.State = isMinimized() ? 1 : isMaximized() ? 2 : 0;
}

void MainWindow::RestoreGeometry() {
    // Each value in turn; a value that cannot be applied ends the restore.
    const MainWindowGeometry& saved = TheSettings().MainWindow;
    if (saved.State == -1) return;
    setGeometry(
        QRect(QPoint(saved.Left / kSavedUnitsPerPixel, saved.Top / kSavedUnitsPerPixel), size()));
    if (saved.Width <= 0) return FitIntoVisibleArea(this);
    resize(saved.Width / kSavedUnitsPerPixel, height());
    if (saved.Height <= 0) return FitIntoVisibleArea(this);
    resize(width(), saved.Height / kSavedUnitsPerPixel);
    FitIntoVisibleArea(this);
    switch (saved.State) {
        case 0:
            setWindowState(Qt::WindowNoState);
            break;
        case 1:
            setWindowState(Qt::WindowMinimized);
            break;
        case 2:
            setWindowState(Qt::WindowMaximized);
            break;
        default:
            break;
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (quitting_) {
        event->accept();
        return;
    }
    // Tool windows unload first (they store their values and save the settings).
    area_->closeAllSubWindows();
    if (!area_->subWindowList().isEmpty()) {
        event->ignore();
        return;
    }
    quitting_ = true;
    arc::Ui().CancelTask();  // a running task stops
    StoreGeometry();
    CloseDatabase();
    QuitProgram();
    for (QWidget* window : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (window->isWindow() && window->isVisible()) window->close();
    event->accept();
    QCoreApplication::quit();
}

}  // namespace arc::ui
