// The decorative picture of the main window (logoPicture): a scene of space,
// shown where no plan covers it (see decoration.cpp for how it is laid out).
#pragma once

#include <QPixmap>

namespace dz {

QPixmap drawDecoration(int width, int height);

}  // namespace dz
