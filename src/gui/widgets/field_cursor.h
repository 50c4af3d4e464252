// The keyboard cursor of the plan view: a mark over the picture of one field.
// It is a black and white dashed ring inside the picture, so that it cannot be
// taken for a state frame (solid green sides) or a range frame (solid blue or
// orange edges), which lie around the picture. Mouse input passes through it.
#pragma once

#include <QWidget>

class QPainter;

namespace dz {

// The ring that marks where the keyboard is: two pixels wide along the inside
// of `area`, one pixel in from its edge, black underneath and white dashes on
// it, readable on any colour. The field cursor and the hire and fire buttons
// draw it.
void drawKeyboardRing(QPainter& painter, const QRect& area);

class FieldCursor : public QWidget {
    Q_OBJECT
public:
    explicit FieldCursor(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace dz
