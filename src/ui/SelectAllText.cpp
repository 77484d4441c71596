#include "ui/SelectAllText.h"

#include <QEvent>
#include <QLineEdit>
#include <QTimer>

namespace arc::ui {
namespace {

class SelectAllFilter : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn) {
            if (auto* box = qobject_cast<QLineEdit*>(watched)) {
                box->setText(box->text().trimmed());
                // After the click that gave the focus has placed the caret.
                QTimer::singleShot(0, box, &QLineEdit::selectAll);
            }
        }
        return false;
    }
};

}  // namespace

void SelectAllTextOnFocus(QLineEdit* box) {
    box->installEventFilter(new SelectAllFilter(box));
}

}  // namespace arc::ui
