#include "ui/MainWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

#include "core/ErrorGuard.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/TextTable.h"
#include "database/Database.h"
#include "shell/MainMenu.h"
#include "shell/WindowPlace.h"
#include "ui/ChildWindow.h"
#include "ui/QtText.h"
#include "ui/SplashWindow.h"
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
                const std::string name(entry.name);
                connect(action, &QAction::triggered, this, [this, name] { RunCommand(name); });
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

void MainWindow::ApplyMenuCaptions() {
    for (const MenuCaption& caption : MenuCaptions())
        if (QAction* action = MenuAction(caption.name)) action->setText(Q(caption.caption));
}

void MainWindow::SetLanguageChecks(int language) {
    const std::optional<LanguageChecks> checks = ChecksForLanguage(language);
    if (!checks) return;
    MenuAction("MnuLangueFR")->setChecked(checks->french);
    MenuAction("MnuLangueEN")->setChecked(checks->english);
}

void MainWindow::SwitchLanguage(int language) {
    const std::optional<LanguageChecks> checks = arc::SwitchLanguage(language);
    ApplyMenuCaptions();
    if (checks) SetLanguageChecks(language);
}

void MainWindow::SetMenusEnabled(bool enabled) {
    for (const auto& [name, action] : actions_)
        if (name.rfind("Menu", 0) == 0) action->setEnabled(enabled);
}

void MainWindow::RunCommand(std::string_view menuName) {
    if (const MenuCommand* command = FindMenuCommand(menuName)) (*command)(*this);
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
    return window;
}

void MainWindow::ShowAbout() {
    PrepareAboutBox();
    if (auto* splash = findChild<SplashWindow*>("frmSplash")) {
        splash->raise();
        return;
    }
    auto* splash = new SplashWindow(this);
    splash->show();
}

void MainWindow::StoreGeometry() {
    MainWindowGeometry& saved = TheSettings().MainWindow;
    const bool special = isMaximized() || isMinimized();
    const QRect normal = special ? normalGeometry() : geometry();
    const QPoint place = special ? normal.topLeft() : pos();
    saved.Left = place.x() * kTwipsPerPixel;
    saved.Top = place.y() * kTwipsPerPixel;
    saved.Width = normal.width() * kTwipsPerPixel;
    saved.Height = normal.height() * kTwipsPerPixel;
    saved.State = isMinimized() ? 1 : isMaximized() ? 2 : 0;
}

void MainWindow::RestoreGeometry() {
    // Each value in turn; a value that cannot be applied ends the restore.
    const MainWindowGeometry& saved = TheSettings().MainWindow;
    if (saved.State == -1) return;
    move(saved.Left / kTwipsPerPixel, y());
    move(x(), saved.Top / kTwipsPerPixel);
    if (saved.Width <= 0) return;
    resize(saved.Width / kTwipsPerPixel, height());
    if (saved.Height <= 0) return;
    resize(width(), saved.Height / kTwipsPerPixel);
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
    if (findChild<QWidget*>("Form2")) UnloadProgress();  // a running task stops
    StoreGeometry();
    CloseDatabase();
    QuitProgram();
    for (QWidget* window : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (window->isWindow() && window->isVisible()) window->close();
    event->accept();
    QCoreApplication::quit();
}

}  // namespace arc::ui
