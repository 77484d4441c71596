#pragma once
// The program's picture (splash window) and icon, drawn in code.

#include <QIcon>
#include <QPixmap>

namespace arc::ui {

/// The splash picture: an arcade cabinet beside the program's name.
QPixmap ArcanotePicture(int width, int height);

/// The window icon (the cabinet alone), in the usual sizes.
QIcon ArcanoteIcon();

}  // namespace arc::ui
