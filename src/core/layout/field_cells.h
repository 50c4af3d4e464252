// How a field is found from its picture and which state frame it shows.
#pragma once

#include <string>

#include "core/catalog/info.h"
#include "core/plan/act_plan.h"
#include "core/layout/window_layout.h"

namespace dz {

// The key a field's picture carries: 10000 + 100·x + y on the surface,
// 100·x + y in the orbit. Needs x and y below 100.
int fieldKey(int x, int y, bool onSurface);
FieldSelection decodeFieldKey(int key);

// Geometry of a cell inside its group box: the 34 x 34 frame and, one pixel
// inside it, the 32 x 32 picture; the pitch is 35 pixels.
Rect frameRect(int x, int y);
Rect pictureRect(int x, int y);

// Index into the eight state frames a, ab, as, abs, i, ib, is, ibs: the "a"
// frames only for a building in operation, "b" for a field in a wide range,
// "s" for a field in a near range.
int frameIndex(const Field& field, bool showsBuilding);

// What a cell is called for a screen reader (Windows-1252): its field type,
// and where it shows a building (not -1), the building and whether it is in
// operation, e.g. "Wiese, Agrarfarm (in Betrieb)". Indexes outside the
// catalog give "?".
std::string cellName(const Info& info, int fieldType, int building, bool inOperation);

inline constexpr int kFrameCount = 8;
inline constexpr const char* kFrameFiles[kFrameCount] = {"a.gif", "ab.gif", "as.gif", "abs.gif",
                                                         "i.gif", "ib.gif", "is.gif", "ibs.gif"};

}  // namespace dz
