#include "ui/SelectAllOnFocus.h"

#include <QEvent>
#include <QLineEdit>
#include <QObject>
#include <QTimer>

namespace arc::ui {
namespace {

class SelectAllFilter : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn) {
            auto* box = static_cast<QLineEdit*>(watched);
            // After the click that gave the focus has placed the cursor.
            QTimer::singleShot(0, box, [box] { box->selectAll(); });
        }
        return false;
    }
};

}  // namespace

void SelectAllOnFocus(QLineEdit* box) {
    box->installEventFilter(new SelectAllFilter(box));
}

}  // namespace arc::ui
