// F1: the players' guide (ANLEITUNG.md) in the desktop's viewer. The guide
// lies beside the programs' folder: in the build folder under docs/, once
// installed under share/doc/dizozodidu/.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace dz {

// The guide for programs in `programDir`, or an empty string when there is none.
QString guideFile(const QString& programDir);

// Makes F1 in `window` open the guide; `programDir` tells where the programs are.
void addGuideKey(QWidget* window, std::function<QString()> programDir);

}  // namespace dz
