// The main window on a screen that is too small for it. The content between
// menu bar and status line lies in a scroll area: on a screen large enough
// the window has its designed size and the scroll area is invisible (no frame,
// no scroll bars, the content exactly as large as its room); on a smaller one
// the window takes the size that fits the screen's free area and the content
// scrolls, so that every control can still be reached.
#pragma once

#include <QMargins>
#include <QObject>
#include <QRect>
#include <QSize>
#include <optional>

class QMainWindow;
class QScrollArea;
class QWidget;

namespace dz {

class ScreenFit : public QObject {
    Q_OBJECT
public:
    // Puts `content` into a scroll area that becomes the central widget of `window`.
    ScreenFit(QMainWindow* window, QWidget* content);

    QScrollArea* scrollArea() const { return area_; }

    // The window's designed size (menu bar, content and status line) and the
    // content's; the window then takes the size that fits its screen.
    void setDesignedSize(QSize window, QSize content);

    // The screen's free area as the window is fitted to it, frame included:
    // the free area of the window's screen, unless one was given. On the
    // offscreen platform, whose screen nobody sees (batch mode, tests), there
    // is no limit unless one is given.
    void setAvailableArea(std::optional<QRect> area);
    std::optional<QRect> availableArea() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Sets the window's size for its screen and moves a shown window back
    // onto the screen where a new size made it reach beyond it.
    void fit();
    QMargins frameMargins() const;

    QMainWindow* window_;
    QScrollArea* area_;
    QSize designed_;
    std::optional<QRect> givenArea_;
    QMargins fittedWithFrame_;
    bool fitting_ = false;
    bool followsScreen_ = false;
};

}  // namespace dz
