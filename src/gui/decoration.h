// The decorative picture of the main window (logoPicture): our lettering on a
// starry background, shown where no plan covers it.
#pragma once

#include <QPixmap>

namespace dz {

QPixmap drawDecoration(int width, int height);

}  // namespace dz
