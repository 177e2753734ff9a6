#pragma once

#include <QIcon>
#include <QPixmap>

// The main window's own pictures, painted in the theme's colours.

// The five command pictures (32 x 32), by command position: 0 add, 1 remove, 2 compress,
// 3 output folder, 4 stop.
QPixmap CommandPicture(int position);

// The window's icon (32 x 32).
QIcon WindowIcon();

// The toolbar's background bitmap (1359 x 107).
QPixmap ToolbarPattern();
