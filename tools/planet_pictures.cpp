// Planet icons: 16 x 16 on black, one per planet type.
#include <QLinearGradient>
#include <QPen>
#include <QRadialGradient>
#include <functional>
#include <stdexcept>
#include <string>

#include "paint_kit.h"
#include "pictures.h"

namespace dz::pictures {

namespace {

const QRectF kDisc(1.5, 1.5, 13, 13);

// A lit sphere: `surface` paints the markings on the flat base colour, then
// light from the top left and a dark limb make it round.
void sphere(QPainter& p, const QColor& base, const std::function<void(QPainter&)>& surface,
            const QColor& atmosphere = QColor()) {
    QPainterPath disc;
    disc.addEllipse(kDisc);
    p.save();
    p.setClipPath(disc);
    p.fillRect(kDisc.adjusted(-1, -1, 1, 1), base);
    p.setPen(Qt::NoPen);
    surface(p);
    QRadialGradient light(QPointF(5.5, 5.5), 11.5);
    light.setColorAt(0.0, QColor(255, 255, 255, 80));
    light.setColorAt(0.35, QColor(255, 255, 255, 0));
    light.setColorAt(0.75, QColor(0, 0, 0, 60));
    light.setColorAt(1.0, QColor(0, 0, 0, 190));
    p.fillRect(kDisc.adjusted(-1, -1, 1, 1), light);
    p.restore();
    if (atmosphere.isValid()) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(atmosphere, 0.8));
        p.drawEllipse(kDisc.adjusted(-0.4, -0.4, 0.4, 0.4));
    }
}

void blobs(QPainter& p, const QColor& colour, std::initializer_list<QRectF> shapes) {
    p.setBrush(colour);
    for (const QRectF& r : shapes) p.drawEllipse(r);
}

void bands(QPainter& p, const QColor& colour, double width, std::initializer_list<double> heights) {
    p.setPen(QPen(colour, width));
    for (double y : heights) {
        QPainterPath band;
        band.moveTo(0, y);
        band.cubicTo(5, y - 1.5, 10, y + 1.5, 16, y);
        p.drawPath(band);
    }
    p.setPen(Qt::NoPen);
}

void rocks(QPainter& p, const QColor& colour, Lcg& rng, std::initializer_list<std::pair<QPointF, double>> list) {
    for (const auto& [centre, radius] : list) drawRock(p, centre, radius, colour, rng);
}

}  // namespace

QImage planetIcon(int planetType, int scale) {
    QImage image = canvas(kPlanetIconSize * scale, kPlanetIconSize * scale);
    QPainter p;
    beginPainting(p, image, scale);
    drawPlanet(p, planetType);
    p.end();
    return image;
}

void drawPlanet(QPainter& p, int planetType) {
    Lcg rng(1000 + static_cast<std::uint32_t>(planetType));
    switch (planetType) {
    case 0:  // standard: ocean, green continents, polar caps
        sphere(
            p, QColor(40, 90, 200),
            [](QPainter& q) {
                blobs(q, QColor(70, 165, 70), {QRectF(3, 4, 6, 5), QRectF(9, 7, 5, 6), QRectF(4, 9, 3, 3)});
                blobs(q, QColor(240, 245, 255), {QRectF(5, 0.5, 6, 3), QRectF(6, 13, 5, 3)});
            },
            QColor(130, 180, 255, 130));
        break;
    case 1:  // desert
        sphere(p, QColor(222, 182, 105), [](QPainter& q) { bands(q, QColor(185, 135, 70), 1.2, {5, 8.5, 12}); });
        break;
    case 2:  // rock
        sphere(p, QColor(140, 134, 126), [](QPainter& q) {
            blobs(q, QColor(100, 96, 90),
                  {QRectF(4, 4, 3, 3), QRectF(9, 5, 2.5, 2.5), QRectF(7, 9, 4, 3.5), QRectF(3, 10, 2, 2)});
        });
        break;
    case 3:  // lava: dark crust, glowing veins
        sphere(p, QColor(95, 22, 10), [](QPainter& q) {
            q.setPen(QPen(QColor(255, 140, 30), 1.0));
            q.drawPolyline(QPolygonF{QPointF(2, 6), QPointF(6, 7), QPointF(8, 5), QPointF(13, 6)});
            q.drawPolyline(QPolygonF{QPointF(3, 11), QPointF(7, 10), QPointF(10, 12), QPointF(14, 10)});
            q.setPen(Qt::NoPen);
        });
        break;
    case 4:  // ice
        sphere(p, QColor(215, 232, 248), [](QPainter& q) { bands(q, QColor(160, 200, 238), 1.3, {6, 10.5}); });
        break;
    case 5:  // temperate: green land, small seas, clouds
        sphere(
            p, QColor(80, 160, 65),
            [](QPainter& q) {
                blobs(q, QColor(50, 110, 200), {QRectF(8, 3, 5, 4), QRectF(3, 9, 5, 4)});
                blobs(q, QColor(245, 245, 250, 200), {QRectF(2, 6, 6, 1.6), QRectF(8, 11, 6, 1.6)});
            },
            QColor(150, 200, 255, 120));
        break;
    case 6:  // water: deep blue, tiny islands, clouds
        sphere(
            p, QColor(30, 85, 205),
            [](QPainter& q) {
                blobs(q, QColor(80, 170, 80), {QRectF(5, 5, 2.5, 2), QRectF(10, 9, 2, 2)});
                blobs(q, QColor(245, 245, 250, 190), {QRectF(3, 8, 6, 1.6), QRectF(7, 3.5, 6, 1.4)});
            },
            QColor(120, 170, 255, 140));
        break;
    case 7:  // small asteroid field
        rocks(p, QColor(135, 130, 122), rng,
              {{QPointF(5, 5.5), 3.0}, {QPointF(11.5, 8.5), 2.4}, {QPointF(5.5, 12), 1.9}});
        break;
    case 8:  // ice asteroid
        drawRock(p, QPointF(8, 8), 6.3, QColor(190, 220, 245), rng);
        p.setPen(QPen(QColor(250, 252, 255), 1.0));
        p.drawPoint(QPointF(6, 5.5));
        break;
    case 9:  // large asteroid field
        rocks(p, QColor(135, 130, 122), rng,
              {{QPointF(4, 4), 2.6},
               {QPointF(10.5, 3.5), 2.0},
               {QPointF(8, 8.5), 2.9},
               {QPointF(13, 9.5), 2.0},
               {QPointF(3.5, 11.5), 2.3},
               {QPointF(10, 13.5), 1.8}});
        break;
    default: throw std::out_of_range("planet type " + std::to_string(planetType));
    }
}

}  // namespace dz::pictures
