#pragma once
// The unzip window "Unzip with zLib": a status label and a bar, shown
// modeless while an unzip entry point that is not hidden works.

#include <QPointer>
#include <QWidget>

#include "zip/UnzipWindow.h"

class QFrame;
class QLabel;

namespace arc::ui {

class FrmUnZip : public QWidget {
    Q_OBJECT

  public:
    explicit FrmUnZip(QWidget* parent = nullptr);
    void Update(const UnzipWindow& window);

  private:
    QLabel* label1_;
    QFrame* track_;
    QFrame* shape1_;
};

/// Shows FrmUnZip for the unzip entry points; installed by the desktop program.
class QtUnzipWindowView final : public UnzipWindowView {
  public:
    void Show(const UnzipWindow& window) override;
    void Refresh(const UnzipWindow& window) override;
    void Unload() override;

  private:
    QPointer<FrmUnZip> window_;
};

}  // namespace arc::ui
