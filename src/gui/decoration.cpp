#include "gui/decoration.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cstdint>

namespace dz {

namespace {

// The picture stands at the right of the window, above the result boxes. The
// surface box of a plan covers it from the left, up to a planet-dependent
// edge, and the result boxes of a small plan cover its lower part. So it is a
// scene of space without lettering: soft clouds and stars that may be cut
// anywhere, and a few bodies, each lying whole between two of the edges the
// ten planet types make (picture x 27, 61, 95, 129, 197 and 265 of its 280
// pixels) and above y 150. Whatever part stays visible, from all of it down
// to its rightmost stars, looks complete.

void softCloud(QPainter& p, QPointF centre, qreal radius, QColor colour) {
    QRadialGradient glow(centre, radius);
    glow.setColorAt(0.0, colour);
    colour.setAlpha(0);
    glow.setColorAt(1.0, colour);
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(centre, radius, radius);
}

void stars(QPainter& p, int width, int height) {
    // Fixed pseudo-random places, so the picture is always the same.
    std::uint32_t seed = 20261209u;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    for (int i = 0; i < 130; ++i) {
        const int x = int(next() % std::uint32_t(width));
        const int y = int(next() % std::uint32_t(height));
        const int shade = 90 + int(next() % 166u);
        const int tint = int(next() % 3u);  // a few bluish and yellowish ones
        p.setPen(QColor(tint == 1 ? shade * 9 / 10 : shade, shade, tint == 2 ? shade * 8 / 10 : shade));
        p.drawPoint(x, y);
    }
    // Bright stars with a glint, two of them in the rightmost strip that
    // stays visible beside the widest plan.
    const QPointF bright[] = {{271, 22}, {275, 131}, {14, 40}, {58, 170}, {128, 14}, {190, 178}, {241, 160}, {8, 120}};
    for (const QPointF& c : bright) {
        p.setPen(QPen(QColor(200, 210, 255, 150), 1));
        p.drawLine(c - QPointF(3, 0), c + QPointF(3, 0));
        p.drawLine(c - QPointF(0, 3), c + QPointF(0, 3));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255));
        p.drawEllipse(c, 1.1, 1.1);
    }
}

// A planet lit from the upper left.
void planet(QPainter& p, QPointF centre, qreal radius, QColor light, QColor dark) {
    QRadialGradient surface(centre - QPointF(radius * 0.45, radius * 0.45), radius * 1.7);
    surface.setColorAt(0.0, light);
    surface.setColorAt(0.55, dark);
    surface.setColorAt(1.0, QColor(4, 6, 12));
    p.setPen(Qt::NoPen);
    p.setBrush(surface);
    p.drawEllipse(centre, radius, radius);
}

void ringedGiant(QPainter& p) {
    const QPointF centre(231, 58);
    const qreal radius = 17;
    p.save();
    p.translate(centre);
    p.rotate(-16);
    const QRectF ring(-30, -7.5, 60, 15);
    // The back half of the ring, then the planet, then the front half.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(200, 170, 120, 150), 3));
    p.drawArc(ring, 0, 180 * 16);
    p.setPen(QPen(QColor(150, 120, 90, 110), 1.2));
    p.drawArc(ring.adjusted(4, 1.5, -4, -1.5), 0, 180 * 16);
    p.restore();
    planet(p, centre, radius, QColor(236, 200, 140), QColor(150, 96, 52));
    // Cloud bands.
    p.save();
    QPainterPath disc;
    disc.addEllipse(centre, radius, radius);
    p.setClipPath(disc);
    p.setPen(QPen(QColor(120, 70, 40, 90), 2));
    for (qreal dy : {-7.0, -1.0, 6.0}) p.drawLine(centre + QPointF(-radius, dy + 3), centre + QPointF(radius, dy - 3));
    p.restore();
    p.save();
    p.translate(centre);
    p.rotate(-16);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(230, 200, 140, 220), 3));
    p.drawArc(ring, 180 * 16, 180 * 16);
    p.setPen(QPen(QColor(170, 140, 100, 160), 1.2));
    p.drawArc(ring.adjusted(4, 1.5, -4, -1.5), 180 * 16, 180 * 16);
    p.restore();
    // Its moon.
    planet(p, QPointF(252, 104), 4, QColor(210, 210, 215), QColor(90, 90, 100));
}

void colonyWorld(QPainter& p) {
    const QPointF centre(163, 116);
    const qreal radius = 24;
    planet(p, centre, radius, QColor(120, 200, 150), QColor(30, 100, 110));
    // A thin atmosphere and the lights of a colony on the night side.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(140, 210, 255, 90), 1.5));
    p.drawEllipse(centre, radius + 0.8, radius + 0.8);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 226, 130));
    const QPointF lights[] = {{9, 6}, {12, 9}, {6, 12}, {15, 3}, {3, 16}};
    for (const QPointF& l : lights) p.drawEllipse(centre + l, 1.0, 1.0);
}

void comet(QPainter& p) {
    const QPointF head(86, 28);
    QLinearGradient tail(head, QPointF(66, 12));
    tail.setColorAt(0.0, QColor(200, 235, 255, 235));
    tail.setColorAt(1.0, QColor(160, 210, 255, 0));
    QPainterPath shape;
    shape.moveTo(head + QPointF(1.6, 1.6));
    shape.quadTo(QPointF(75, 22), QPointF(64, 13));
    shape.lineTo(QPointF(67, 8));
    shape.quadTo(QPointF(78, 18), head + QPointF(-1.6, -1.6));
    shape.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(tail);
    p.drawPath(shape);
    p.setBrush(QColor(240, 250, 255));
    p.drawEllipse(head, 1.8, 1.8);
}

void galaxy(QPainter& p) {
    p.save();
    p.translate(44, 96);
    p.rotate(28);
    p.scale(1.0, 0.42);
    softCloud(p, QPointF(0, 0), 13, QColor(200, 180, 255, 150));
    softCloud(p, QPointF(0, 0), 5, QColor(255, 245, 220, 230));
    p.restore();
}

}  // namespace

QPixmap drawDecoration(int width, int height, qreal devicePixelRatio) {
    // The painter of a pixmap with a device pixel ratio draws in
    // device-independent pixels: the scene is the same, only finer.
    QPixmap pixmap(QSize(width, height) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::black);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // The picture is drawn for 280 x 200 pixels; another size scales it.
    p.scale(width / 280.0, height / 200.0);

    softCloud(p, QPointF(70, 150), 95, QColor(70, 30, 110, 70));
    softCloud(p, QPointF(236, 40), 80, QColor(30, 60, 120, 60));
    softCloud(p, QPointF(150, 60), 60, QColor(20, 80, 90, 40));
    stars(p, 280, 200);
    galaxy(p);
    comet(p);
    planet(p, QPointF(112, 52), 9, QColor(230, 120, 80), QColor(120, 40, 30));
    colonyWorld(p);
    ringedGiant(p);
    return pixmap;
}

}  // namespace dz
