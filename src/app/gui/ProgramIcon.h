#pragma once

#include <QIcon>
#include <QPixmap>

namespace listorix {

// The program icon, drawn from its one SVG at the sizes it is shown at: the
// notification area (16-24), the window (32-64), the splash and about boxes (32).
QIcon programIcon();
// The icon at exactly `size` × `size` pixels (device-independent).
QPixmap programIconPixmap(int size);

} // namespace listorix
