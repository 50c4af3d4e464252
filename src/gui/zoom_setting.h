// "Vergrößerung": the window drawn at 100, 150 or 200 %, for large screens
// where the window would otherwise be a small island. The choice is kept with
// the user's settings and becomes Qt's scale factor at the next start (Qt
// takes it only before the application object exists). A scale factor set in
// the environment (QT_SCALE_FACTOR) wins over the kept choice.
#pragma once

#include <QByteArray>
#include <QMenu>
#include <QString>
#include <optional>

class QActionGroup;
class QMainWindow;

namespace dz {

inline constexpr int kZoomChoices[] = {100, 150, 200};

// The kept zoom in percent: 100 when none is kept, the kept value is no
// choice, or the settings cannot be used.
int keptZoom();

// The scale factor the program starts with, given the environment's
// QT_SCALE_FACTOR (empty: not set) and the kept zoom: nothing when the
// environment sets one or the zoom is 100 %.
std::optional<QByteArray> startScaleFactor(const QByteArray& environment, int zoom);

// Before the application object exists: sets QT_SCALE_FACTOR by the kept
// zoom, as startScaleFactor says. True when it did; the caller takes the
// variable out again once Qt has read it, so that programs started from the
// window are not scaled.
bool applyKeptZoom();

// The menu "Vergrößerung" with one entry per choice, the kept one checked.
// A choice is kept at once and said in the window's status line.
class ZoomMenu : public QMenu {
    Q_OBJECT
public:
    explicit ZoomMenu(QMainWindow* window);

private:
    void choose(int percent);
    QMainWindow* window_;
    QActionGroup* group_;
};

}  // namespace dz
