#include "icon_kit.h"

#include <QPen>
#include <QTransform>

#include "paint_kit.h"

namespace dz::pictures {

void outlinedShape(QPainter& p, const QPainterPath& path, const QBrush& fill, const QColor& outline, double width) {
    p.setPen(QPen(outline, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(path);
}

void stroke(QPainter& p, const QPainterPath& path, const QColor& colour, double width) {
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

QPainterPath line(QPointF from, QPointF to) {
    QPainterPath path(from);
    path.lineTo(to);
    return path;
}

QLinearGradient vertical(double top, double bottom, const QColor& upper, const QColor& lower) {
    QLinearGradient g(0, top, 0, bottom);
    g.setColorAt(0, upper);
    g.setColorAt(1, lower);
    return g;
}

void centredText(QPainter& p, const QRectF& box, const QString& text, int pixelSize, const QColor& colour) {
    p.setFont(pixelFont(pixelSize, true));
    p.setPen(colour);
    p.drawText(box, Qt::AlignCenter, text);
}

QPainterPath boltPath(double scale, QPointF offset) {
    QPainterPath bolt = polygonPath({{10, 0.5}, {3, 9}, {7.5, 9}, {5.5, 15.5}, {13, 6.5}, {8.5, 6.5}, {11.8, 0.5}});
    QTransform t;
    t.translate(offset.x(), offset.y());
    t.scale(scale, scale);
    return t.map(bolt);
}

QImage squareIcon(int size, IconPainter paint, int scale) {
    QImage image = canvas(size * scale, size * scale);
    QPainter p;
    beginPainting(p, image, scale);
    paint(p);
    p.end();
    return image;
}

}  // namespace dz::pictures
