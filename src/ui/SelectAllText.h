#pragma once
// Text boxes that trim their text and select all of it when they get the focus.

class QLineEdit;

namespace arc::ui {

/// From now on, `box` trims and selects its whole text whenever it gets the focus.
void SelectAllTextOnFocus(QLineEdit* box);

}  // namespace arc::ui
