// The decorative picture of the empty main window (Image1).
#pragma once

#include <QPixmap>

namespace dz {

QPixmap drawDecoration(int width, int height);

}  // namespace dz
