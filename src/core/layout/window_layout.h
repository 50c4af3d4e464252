// Geometry of the main window: where its group boxes stand in the empty window
// and how the window is laid out anew for every planet type. Positions are in
// pixels of the client area below the menu bar; the window's outer size
// includes a frame of fixed metrics (see FrameMetrics).
#pragma once

namespace dz {

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};

// The frame around the client area that the outer window size counts: a 4-pixel
// border on every side, a 23-pixel caption bar and a 19-pixel menu bar.
struct FrameMetrics {
    static constexpr int border = 4;
    static constexpr int caption = 23;
    static constexpr int menuBar = 19;
    static constexpr int statusBar = 19;
    static constexpr int extraWidth = 2 * border;
    static constexpr int extraHeight = 2 * border + caption + menuBar;
};

struct MainLayout {
    Rect surfaceBox;
    Rect orbitBox;
    Rect productionBox;
    Rect costBox;
    Rect personnelBox;
    Rect informationBox;
    bool orbitVisible = true;
    int outerWidth = 0;
    int outerHeight = 0;

    int clientWidth() const { return outerWidth - FrameMetrics::extraWidth; }
    int clientHeight() const { return outerHeight - FrameMetrics::extraHeight; }
    bool operator==(const MainLayout&) const = default;
};

// The window before the first plan: client area 752 x 705.
MainLayout designLayout();

// The size a window takes on a screen: `designed` when that fits into `room`
// (the screen's free area less the window's frame); otherwise as much as
// fits, and the content scrolls. A scroll bar takes `scrollBarExtent` pixels:
// where the room allows, the window grows by them, so that a window cut only
// in height needs no horizontal scroll bar and vice versa. The bars say in
// which directions the content scrolls; in the others it fits whole.
struct Size {
    int width = 0;
    int height = 0;
    bool operator==(const Size&) const = default;
};
struct FittedWindow {
    Size size;
    bool horizontalBar = false;
    bool verticalBar = false;
    bool operator==(const FittedWindow&) const = default;
};
FittedWindow fitWindow(Size designed, Size room, int scrollBarExtent);

// The window laid out for a planet type with `width` columns, `surfaceHeight`
// surface rows and `orbitHeight` orbit rows (0: no orbit). Left edges and the
// heights of the four result boxes keep their design values.
MainLayout layoutForPlanet(int width, int surfaceHeight, int orbitHeight);

}  // namespace dz
