#include "core/layout/window_layout.h"

namespace dz {

namespace {
constexpr int kCellPitch = 34;  // a field cell is 34 x 34 pixels
constexpr int kBoxMargin = 38;  // group box border, caption and inner margin around the cells
}  // namespace

MainLayout designLayout() {
    MainLayout l;
    l.surfaceBox = {8, 8, 377, 208};
    l.orbitBox = {8, 222, 377, 101};
    l.productionBox = {8, 331, 209, 350};
    l.costBox = {228, 331, 281, 350};
    l.personnelBox = {519, 331, 225, 246};
    l.informationBox = {519, 583, 225, 96};
    l.orbitVisible = true;
    l.outerWidth = 752 + FrameMetrics::extraWidth;
    l.outerHeight = 705 + FrameMetrics::extraHeight;
    return l;
}

MainLayout layoutForPlanet(int width, int surfaceHeight, int orbitHeight) {
    MainLayout l = designLayout();
    l.surfaceBox.width = kCellPitch * width + kBoxMargin;
    l.surfaceBox.height = kCellPitch * surfaceHeight + kBoxMargin;
    l.orbitBox.top = kCellPitch * surfaceHeight + 48;
    l.orbitBox.width = kCellPitch * width + kBoxMargin;
    l.orbitBox.height = kCellPitch * orbitHeight + kBoxMargin;

    int top = l.surfaceBox.height + 16;
    if (orbitHeight != 0) top += l.orbitBox.height;
    l.productionBox.top = top;
    l.costBox.top = top;
    l.personnelBox.top = top;
    l.informationBox.top = top + 252;

    l.outerHeight = l.productionBox.top + l.productionBox.height + 76;
    l.outerWidth = l.personnelBox.left + l.personnelBox.width + 16;
    l.orbitVisible = orbitHeight != 0;
    return l;
}

FittedWindow fitWindow(Size designed, Size room, int scrollBarExtent) {
    bool vertical = designed.height > room.height;
    bool horizontal = designed.width > room.width;
    // A scroll bar in one direction takes room from the other: twice settles it.
    for (int round = 0; round < 2; ++round) {
        horizontal = designed.width + (vertical ? scrollBarExtent : 0) > room.width;
        vertical = designed.height + (horizontal ? scrollBarExtent : 0) > room.height;
    }
    Size fitted{designed.width + (vertical ? scrollBarExtent : 0), designed.height + (horizontal ? scrollBarExtent : 0)};
    if (fitted.width > room.width) fitted.width = room.width;
    if (fitted.height > room.height) fitted.height = room.height;
    return FittedWindow{fitted, horizontal, vertical};
}

}  // namespace dz
