// The look every window of the planner shares.
#pragma once

#include <QFont>

namespace dz {

// The font of the planner's windows: Verdana 8 pt (11 pixels), or DejaVu Sans
// where Verdana is not installed (named so that pictures stay the same when
// other fonts are installed).
QFont programFont();

}  // namespace dz
