// The decorative picture of the main window (logoPicture): a scene of space,
// shown where no plan covers it (see decoration.cpp for how it is laid out).
#pragma once

#include <QPixmap>

namespace dz {

// `width` x `height` device-independent pixels, drawn for a screen of
// `devicePixelRatio`: the pixmap has that many times the pixels and the ratio set.
QPixmap drawDecoration(int width, int height, qreal devicePixelRatio = 1.0);

}  // namespace dz
