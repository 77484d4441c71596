#pragma once
// A line edit whose whole text is selected when it gets the focus.

class QLineEdit;

namespace arc::ui {

void SelectAllOnFocus(QLineEdit* box);

}  // namespace arc::ui
