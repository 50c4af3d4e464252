// A small up-down button: an upper and a lower arrow in one control. It
// reports which half a mouse button was released over. The Tab key reaches
// it; Up or + then count as a release in the middle of the upper half, Down
// or - as one in the middle of the lower half. While it has the keyboard it
// wears the field cursor's ring (field_cursor.h).
#pragma once

#include <QWidget>

namespace dz {

enum class ButtonHalf { Upper, Middle, Lower };

class UpDownButton : public QWidget {
    Q_OBJECT
public:
    explicit UpDownButton(QWidget* parent);
    QSize sizeHint() const override { return QSize(17, 22); }

    // The half a release at height y of a button `height` high meant: the
    // row height / 2 (rounded down) is the middle, which means neither; a
    // release above or below the button counts for the half on its side.
    static ButtonHalf halfAt(int y, int height);

signals:
    void released(dz::ButtonHalf half);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int pressedHalf_ = 0;  // 1 upper, 2 lower, 0 none: drawn sunken while held
};

}  // namespace dz
