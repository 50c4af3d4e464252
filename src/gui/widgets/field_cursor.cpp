#include "gui/widgets/field_cursor.h"

#include <QPainter>

namespace dz {

FieldCursor::FieldCursor(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("fieldCursor"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
}

void drawKeyboardRing(QPainter& painter, const QRect& area) {
    const QRectF ring = QRectF(area).adjusted(2, 2, -2, -2);
    painter.save();
    painter.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawRect(ring);
    QPen dashes(Qt::white, 2, Qt::CustomDashLine, Qt::FlatCap, Qt::MiterJoin);
    dashes.setDashPattern({2, 2});
    painter.setPen(dashes);
    painter.drawRect(ring);
    painter.restore();
}

void FieldCursor::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawKeyboardRing(painter, rect());
}

}  // namespace dz
