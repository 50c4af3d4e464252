// The pictures of the planner, drawn by code. Every function returns the
// finished picture (or its frames); make_pictures.cpp decides the file names.
// The sizes below are those of the plain pictures (scale 1). With `scale` 2 a
// function draws the same picture on a canvas twice as large through a
// painter scaled by 2, for screens of a device pixel ratio above 1: lines,
// shapes and text come out at the finer resolution, while per-pixel grain and
// scattered stars keep their places as 2 x 2 blocks.
#pragma once

#include <QImage>
#include <QPainter>
#include <vector>

namespace dz::pictures {

inline constexpr int kPlanetIconSize = 16;
inline constexpr int kFieldSize = 32;
inline constexpr int kStateFrameSize = 34;
inline constexpr int kIconSize = 16;
inline constexpr int kLargeIconSize = 17;
inline constexpr int kFrameDelayCs = 30;  // animation speed: 300 ms per frame

// Planet type 0..9 as a small disc (or rocks for the asteroid types).
QImage planetIcon(int planetType, int scale = 1);
// The same drawing on any painter, in the 16 x 16 box of the icon; a scaled
// painter draws it larger.
void drawPlanet(QPainter& painter, int planetType);

// The program's icon for the desktop, `size` x `size` pixels: the temperate
// planet with an orbit and a station in a tile of night sky. At 16 pixels it
// is the temperate planet's icon itself, the picture the window has always
// shown in its caption.
QImage appIcon(int size);
inline constexpr int kAppIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// Field type 0..14 as the ground of one field.
QImage fieldPicture(int fieldType, int scale = 1);

// A building standing on a field of the given type: the darkened ground with
// the building's badge on top. One frame for most buildings, 2 to 4 for the
// animated ones.
std::vector<QImage> buildingPicture(int fieldType, int building, int scale = 1);

// Throws std::logic_error if two buildings share a badge label.
void checkBuildingLooks();

// The 34 x 34 frame around a field; only its outer ring shows. Left and right
// edge: in operation or not; top and bottom edge: in range of a wide-range
// and/or a near-range area building.
QImage stateFrame(bool inOperation, bool wideRange, bool nearRange, int scale = 1);

enum class PanelIcon {
    LivingSpace,
    PopulationLimit,
    Worker,
    Unemployed,
    Environmentalist,
    HolodeckOperator,
    Scientist,
    Soldier,
    Storage,  // 17 x 17
    Eps,      // 17 x 17
    Credits,
};
QImage panelIcon(PanelIcon icon, int scale = 1);

// Resource 0..15.
QImage resourceIcon(int resource, int scale = 1);

// The busy sign of the update check: eight dots in a circle with a bright one
// running round, 16 x 16, one frame per step.
inline constexpr int kBusyFrameCount = 8;
inline constexpr int kBusyFrameDelayCs = 9;
std::vector<QImage> busyAnimation(int scale = 1);

}  // namespace dz::pictures
