// Drawing helpers of the small icons (panel and resource icons): outlined
// shapes, strokes and text on a black square.
#pragma once

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QString>

namespace dz::pictures {

void outlinedShape(QPainter& p, const QPainterPath& path, const QBrush& fill, const QColor& outline,
                   double width = 0.8);
void stroke(QPainter& p, const QPainterPath& path, const QColor& colour, double width);
QPainterPath line(QPointF from, QPointF to);
QLinearGradient vertical(double top, double bottom, const QColor& upper, const QColor& lower);
void centredText(QPainter& p, const QRectF& box, const QString& text, int pixelSize, const QColor& colour);
// The lightning bolt of the energy icons: 16 high times `scale`, moved by `offset`.
QPainterPath boltPath(double scale, QPointF offset);

using IconPainter = void (*)(QPainter&);

// A `size` x `size` icon on black, drawn by `paint` on a painter scaled by
// `scale`: the picture has size * scale pixels a side.
QImage squareIcon(int size, IconPainter paint, int scale);

}  // namespace dz::pictures
