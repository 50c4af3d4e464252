// The program's icon for the desktop: the temperate planet in a tile of night
// sky, an orbit round it with a station on its near side. It is drawn in a
// box of 256 units and scaled to each size; at 16 pixels the planet's own
// icon stands for it, so the window's caption keeps the picture it had.
#include <QPainterPath>
#include <QPen>
#include <QRadialGradient>
#include <QTransform>
#include <cmath>

#include "core/catalog/info.h"
#include "paint_kit.h"
#include "pictures.h"

namespace dz::pictures {

namespace {

constexpr double kBox = 256;
const QRectF kTile(8, 8, 240, 240);
constexpr double kTileRadius = 44;
const QPointF kCentre(128, 134);
constexpr double kPlanetDiameter = 150;
constexpr double kOrbitTilt = -18;  // degrees
constexpr double kOrbitRx = 118, kOrbitRy = 34;

void nightSky(QPainter& p, bool stars) {
    QPainterPath tile;
    tile.addRoundedRect(kTile, kTileRadius, kTileRadius);
    QRadialGradient sky(QPointF(100, 90), 260);
    sky.setColorAt(0.0, QColor(30, 44, 90));
    sky.setColorAt(0.6, QColor(12, 18, 44));
    sky.setColorAt(1.0, QColor(4, 6, 16));
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawPath(tile);
    if (stars) {
        p.save();
        p.setClipPath(tile);
        Lcg rng(7000);
        for (int i = 0; i < 40; ++i) {
            const QPointF at(rng.between(16, 240), rng.between(16, 240));
            const double radius = rng.between(0.8, 2.4);
            p.setBrush(QColor(255, 255, 255, rng.range(120, 255)));
            p.drawEllipse(at, radius, radius);
        }
        p.restore();
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(120, 150, 220, 150), 3));
    p.drawPath(tile);
}

// The painter's frame turned to the orbit: the orbit's centre at the origin,
// its long axis along x.
void toOrbitFrame(QPainter& p) {
    p.translate(kCentre);
    p.rotate(kOrbitTilt);
}

// The orbit, or only its near half (the one in front of the planet).
void orbit(QPainter& p, bool nearHalfOnly) {
    p.save();
    toOrbitFrame(p);
    if (nearHalfOnly) p.setClipRect(QRectF(-kBox, 0, 2 * kBox, kBox));
    const QRectF ring(-kOrbitRx, -kOrbitRy, 2 * kOrbitRx, 2 * kOrbitRy);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(10, 16, 40, 170), 11));
    p.drawEllipse(ring);
    p.setPen(QPen(QColor(215, 230, 255, 230), 6));
    p.drawEllipse(ring);
    p.restore();
}

// A small station on the near side of the orbit: a hull between two solar
// panels.
void station(QPainter& p) {
    p.save();
    toOrbitFrame(p);
    const double angle = 1.05;  // radians from the long axis, towards the viewer
    p.translate(kOrbitRx * std::cos(angle), kOrbitRy * std::sin(angle));
    const QColor ink(10, 16, 40);
    p.setPen(QPen(ink, 3));
    p.drawLine(QPointF(-26, 0), QPointF(26, 0));
    const QBrush panel(QColor(60, 115, 215));
    inkedShape(p, polygonPath({{-40, -9}, {-20, -9}, {-20, 9}, {-40, 9}}), panel, 3);
    inkedShape(p, polygonPath({{20, -9}, {40, -9}, {40, 9}, {20, 9}}), panel, 3);
    QPainterPath hull;
    hull.addRoundedRect(QRectF(-13, -11, 26, 22), 6, 6);
    inkedShape(p, hull, QColor(225, 230, 240), 3);
    p.restore();
}

}  // namespace

QImage appIcon(int size) {
    if (size <= kPlanetIconSize) return planetIcon(ptTemperate);
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p;
    beginPainting(p, image);
    p.scale(size / kBox, size / kBox);
    nightSky(p, size >= 32);
    orbit(p, false);
    // The planet's 16-unit drawing, its disc (13 units wide about (8, 8))
    // made kPlanetDiameter wide about the centre.
    p.save();
    const double scale = kPlanetDiameter / 13;
    p.translate(kCentre - QPointF(8, 8) * scale);
    p.scale(scale, scale);
    drawPlanet(p, ptTemperate);
    p.restore();
    orbit(p, true);
    station(p);
    p.end();
    return image;
}

}  // namespace dz::pictures
