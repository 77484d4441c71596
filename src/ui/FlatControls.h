#pragma once
// The flat look of text boxes and buttons that the tool windows take when they
// load: every child whose name holds "Text" gets a thin flat border instead of
// its sunken frame, every child whose name holds "Command" a flat button face.

class QWidget;

namespace arc::ui {

void FlatControls(QWidget* window);

}  // namespace arc::ui
