#pragma once
// The paths window: emulator, ROM folder, artwork folders and support files.
// Rules in PathsWindowState; this class binds the widgets to it.

#include <QList>

#include "shell/PathsWindowState.h"
#include "ui/ChildWindow.h"

class QLineEdit;
class QLabel;
class QTabWidget;

namespace arc::ui {

class PathsWindow : public ChildWindow {
    Q_OBJECT

  public:
    PathsWindow();

  protected:
    void OnUnload() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLineEdit* AddPathBox(const QString& name);
    void ShowState();
    void TakeBoxes();
    void ShowEmulatorInUse();

    PathsWindowState state_;
    QTabWidget* tabs_;
    QLabel* emulator_;
    QLineEdit* text1_;
    QLineEdit* text2_;
    QList<QLineEdit*> text3_;
    QList<QLineEdit*> text4_;
};

}  // namespace arc::ui
