#pragma once
// Small helpers the windows share to pass text between std::string and Qt and
// to create named widgets.

#include <QPushButton>
#include <QString>
#include <string>
#include <string_view>

namespace arc::ui {

/// UTF-8 text as a QString.
inline QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

/// A QString as UTF-8 text.
inline std::string S(const QString& text) {
    return text.toStdString();
}

/// The object name of an element of a control array: "name_index".
inline QString Indexed(const char* name, int index) {
    return QString("%1_%2").arg(name).arg(index);
}

/// A push button with its object name (window tests find it by that name).
inline QPushButton* Button(const QString& name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

}  // namespace arc::ui
