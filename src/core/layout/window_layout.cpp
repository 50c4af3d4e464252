#include "core/layout/window_layout.h"

namespace dz {

namespace {
constexpr int kCellPitch = 34;  // a field cell is 34 x 34 pixels
constexpr int kBoxMargin = 38;  // group box border, caption and inner margin around the cells
}  // namespace

MainLayout designLayout() {
    MainLayout l;
    l.grpPlanet = {8, 8, 377, 208};
    l.grpOrbit = {8, 222, 377, 101};
    l.grpTick = {8, 331, 209, 350};
    l.grpGesRess = {228, 331, 281, 350};
    l.grpPersons = {519, 331, 225, 246};
    l.grpInfo = {519, 583, 225, 96};
    l.orbitVisible = true;
    l.outerWidth = 752 + FrameMetrics::extraWidth;
    l.outerHeight = 705 + FrameMetrics::extraHeight;
    return l;
}

MainLayout layoutForPlanet(int width, int surfaceHeight, int orbitHeight) {
    MainLayout l = designLayout();
    l.grpPlanet.width = kCellPitch * width + kBoxMargin;
    l.grpPlanet.height = kCellPitch * surfaceHeight + kBoxMargin;
    l.grpOrbit.top = kCellPitch * surfaceHeight + 48;
    l.grpOrbit.width = kCellPitch * width + kBoxMargin;
    l.grpOrbit.height = kCellPitch * orbitHeight + kBoxMargin;

    int top = l.grpPlanet.height + 16;
    if (orbitHeight != 0) top += l.grpOrbit.height;
    l.grpTick.top = top;
    l.grpGesRess.top = top;
    l.grpPersons.top = top;
    l.grpInfo.top = top + 252;

    l.outerHeight = l.grpTick.top + l.grpTick.height + 76;
    l.outerWidth = l.grpPersons.left + l.grpPersons.width + 16;
    l.orbitVisible = orbitHeight != 0;
    return l;
}

}  // namespace dz
