#include "ui/FlatControls.h"

#include <QAbstractButton>
#include <QWidget>

namespace arc::ui {
namespace {

constexpr char kFlatText[] =
    "border: 1px solid palette(mid); border-radius: 0; padding: 1px 2px;"
    " background: palette(base);";
constexpr char kFlatButton[] =
    "QAbstractButton { border: 1px solid palette(mid); border-radius: 0;"
    " padding: 3px 10px; background: palette(button); }"
    " QAbstractButton:hover { background: palette(light); }"
    " QAbstractButton:pressed { background: palette(midlight); }"
    " QAbstractButton:disabled { color: palette(mid); }";

}  // namespace

void FlatControls(QWidget* window) {
    if (!window) return;
    const QList<QWidget*> children = window->findChildren<QWidget*>();
    for (QWidget* child : children) {
        const QString name = child->objectName();
        if (name.contains(QLatin1String("Text"), Qt::CaseInsensitive)) {
            child->setStyleSheet(QString::fromLatin1(kFlatText));
        } else if (name.contains(QLatin1String("Command"), Qt::CaseInsensitive) &&
                   qobject_cast<QAbstractButton*>(child)) {
            child->setStyleSheet(QString::fromLatin1(kFlatButton));
        }
    }
}

}  // namespace arc::ui
