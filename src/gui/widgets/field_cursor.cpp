#include "gui/widgets/field_cursor.h"

#include <QPainter>

namespace dz {

FieldCursor::FieldCursor(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("fieldCursor"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
}

void FieldCursor::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Two pixels wide, one pixel inside the picture: black underneath, white
    // dashes on it, readable on every field colour.
    const QRectF ring = QRectF(rect()).adjusted(2, 2, -2, -2);
    painter.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawRect(ring);
    QPen dashes(Qt::white, 2, Qt::CustomDashLine, Qt::FlatCap, Qt::MiterJoin);
    dashes.setDashPattern({2, 2});
    painter.setPen(dashes);
    painter.drawRect(ring);
}

}  // namespace dz
