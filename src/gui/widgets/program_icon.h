// The program's icon, as the build draws it beside the program.
#pragma once

#include <QIcon>
#include <QString>

namespace dz {

// Every size of the icon found in `programDir`/icons/hicolor/<N>x<N>/apps/
// dizozodidu.png (the layout of the desktop's icon theme, which the install
// copies). A null icon when there is none; files that are no regular files
// or too large for a picture of ours are passed over.
QIcon programIcon(const QString& programDir);

}  // namespace dz
