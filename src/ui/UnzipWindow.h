#pragma once
// The unzip window "Unzip with zLib": a status label and a bar, shown
// modeless while an unzip entry point that is not hidden works.

#include <QPointer>
#include <QWidget>

#include "zip/UnzipWindowState.h"

class QFrame;
class QLabel;

namespace arc::ui {

class UnzipWindow : public QWidget {
    Q_OBJECT

  public:
    explicit UnzipWindow(QWidget* parent = nullptr);
    void Update(const UnzipWindowState& window);

  private:
    QLabel* label1_;
    QFrame* track_;
    QFrame* shape1_;
};

/// Shows UnzipWindow for the unzip entry points; installed by the desktop program.
class QtUnzipWindowView final : public UnzipWindowView {
  public:
    void Show(const UnzipWindowState& window) override;
    void Refresh(const UnzipWindowState& window) override;
    void Unload() override;

  private:
    QPointer<UnzipWindow> window_;
};

}  // namespace arc::ui
