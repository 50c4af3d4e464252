// The small black windows of the planner (settings, update check, about box):
// no system frame, a raised frame and a title strip of our own, a close symbol
// in the strip, and dragging by the background.
#pragma once

#include <QDialog>

class QLabel;

namespace dz {

class BorderlessDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int titleHeight = 24;  // the strip with the title and the close symbol

    // A dialog with this client size and its close symbol (16 x 16) at `closeSymbolAt`.
    BorderlessDialog(QWidget* parent, QSize clientSize, QPoint closeSymbolAt);

    QLabel* closeSymbol() const { return closeSymbol_; }

protected:
    // The close symbol was clicked (released over it): closes without accepting.
    virtual void closeSymbolClicked() { reject(); }
    void stopDragging() { dragging_ = false; }
    // Puts the window in the middle of its screen.
    void moveToScreenCentre();

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* closeSymbol_ = nullptr;
    bool dragging_ = false;
    QPoint grip_;  // where the pointer holds the window, relative to its top left corner
};

}  // namespace dz
