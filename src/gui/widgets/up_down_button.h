// A small up-down button: an upper and a lower arrow in one control. It
// reports where a mouse button was released, so the handler decides by the
// position whether the upper or the lower half was meant. The Tab key reaches
// it; Up or + then count as a release in the middle of the upper half, Down
// or - as one in the middle of the lower half.
#pragma once

#include <QWidget>

namespace dz {

class UpDownButton : public QWidget {
    Q_OBJECT
public:
    explicit UpDownButton(QWidget* parent);
    QSize sizeHint() const override { return QSize(17, 22); }

signals:
    void released(QPoint position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int pressedHalf_ = 0;  // 1 upper, 2 lower, 0 none: drawn sunken while held
};

}  // namespace dz
