#pragma once
// Helpers of the window tests: a fresh program folder with the Qt UI service
// installed (nothing is really opened), the main window with one child window
// opened from its menu, and answers given to the modal dialogs that the code
// under test opens.

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "core/Log.h"
#include "core/ProgramFolder.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/TextTable.h"
#include "core/UiService.h"
#include "database/Database.h"
#include "database/Schema.h"
#include "support/TestSupport.h"
#include "ui/DesktopWindows.h"
#include "ui/MainWindow.h"
#include "ui/QtUi.h"

namespace arc::test {

/// A fresh program folder, default settings, English texts and a QtUi whose
/// "open" only records. Lives for one test function.
struct QtProgramFolder {
    QtProgramFolder() {
        arc::ui::RegisterDesktopWindows();
        StartFreshProgramFolder(home);
        ui.SetOpener([this](const QString& target) {
            opened.push_back(target.toStdString());
            return true;
        });
        InstallUi(&ui);
    }
    ~QtProgramFolder() {
        InstallUi(nullptr);
        ResetLog();
    }

    TempDir home;
    arc::ui::QtUi ui;
    std::vector<std::string> opened;
};

/// A template database at `path` with `sql` run on it.
inline bool MakeDatabase(const std::string& path, std::initializer_list<const char*> sql) {
    std::string error;
    if (!CreateTemplateDatabase(path, &error) || !OpenDatabase(path)) return false;
    for (const char* statement : sql)
        Execute(statement);
    CloseDatabase();
    return true;
}

/// The main window shown, and the child window opened by Open().
struct OpenedWindow {
    OpenedWindow() {
        folder.ui.SetMainWindow(&main);
        main.show();
    }
    /// Runs the menu command `command`; the window is the one named `form`.
    QWidget* Open(const char* command, const char* form) {
        main.findChild<QAction*>(command)->trigger();
        return window = main.FindOpenWindow(form);
    }
    template <class T>
    T* Find(const char* name) const {
        return window->findChild<T*>(name);
    }
    void Click(const char* name) const {
        QTest::mouseClick(Find<QPushButton>(name), Qt::LeftButton);
    }
    bool MenusOn() const { return main.findChild<QAction*>("MenuTraitement")->isEnabled(); }

    QtProgramFolder folder;
    arc::ui::MainWindow main;
    QWidget* window = nullptr;
};

/// Acts on the next modal dialog of type T as soon as it shows (polling, so
/// it works whether the dialog opens now or later). Records that it ran.
template <class T>
class OnNextModal {
  public:
    explicit OnNextModal(std::function<void(T*)> act) {
        auto* timer = new QTimer(qApp);
        timer->setInterval(10);
        QObject::connect(timer, &QTimer::timeout, timer, [act, seen = seen_, timer] {
            auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible()) return;
            timer->stop();
            timer->deleteLater();
            *seen = dialog->objectName().toStdString();
            act(dialog);
        });
        timer->start();
        timer_ = timer;
    }
    ~OnNextModal() {
        if (timer_) {
            timer_->stop();
            timer_->deleteLater();
        }
    }
    /// The object name of the dialog acted on ("" when none showed).
    const std::string& Seen() const { return *seen_; }

  private:
    std::shared_ptr<std::string> seen_ = std::make_shared<std::string>();
    QPointer<QTimer> timer_;
};

/// Clicks `button` in the next message box and keeps its text in `text`.
inline std::unique_ptr<OnNextModal<QMessageBox>> AnswerNextMessage(
    QMessageBox::StandardButton button, std::string* text = nullptr) {
    return std::make_unique<OnNextModal<QMessageBox>>([button, text](QMessageBox* box) {
        if (text) *text = box->text().toStdString();
        box->button(button)->click();
    });
}

}  // namespace arc::test
