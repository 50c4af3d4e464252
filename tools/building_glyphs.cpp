// The glyphs of the building badges: small drawings standing on the plate,
// inked so they read on any ground.
#include <QLinearGradient>
#include <QPen>
#include <QRadialGradient>
#include <cmath>

#include "building_looks.h"
#include "paint_kit.h"

namespace dz::pictures {

namespace {

void windows(QPainter& p, const QColor& colour, std::initializer_list<QPointF> corners, double size = 1.6) {
    for (const QPointF& c : corners) p.fillRect(QRectF(c, QSizeF(size, size)), colour);
}

void glyphHeadquarters(QPainter& p, const QColor& flag) {
    inkedShape(p,
               polygonPath({{9.5, kGround},
                            {9.5, 8.5},
                            {13.5, 8.5},
                            {13.5, 5.5},
                            {18.5, 5.5},
                            {18.5, 8.5},
                            {22.5, 8.5},
                            {22.5, kGround}}),
               QColor(234, 230, 216));
    windows(p, QColor(60, 90, 130), {{11, 10.5}, {15.2, 7.5}, {15.2, 11}, {19.4, 10.5}});
    inkedLine(p, {16, 5.5}, {16, 0.9}, QColor(225, 225, 225), 0.8);
    inkedShape(p, polygonPath({{16.4, 0.7}, {21.5, 2.2}, {16.4, 3.7}}), flag, 0.6);
}

void glyphHouse(QPainter& p) {
    inkedShape(p, rectPath(QRectF(10.5, 8.5, 11, 7)), QColor(236, 230, 214));
    inkedShape(p, polygonPath({{8.5, 9.5}, {16, 2.5}, {23.5, 9.5}}), QColor(198, 82, 60));
    p.fillRect(QRectF(15, 11.5, 2, 4), QColor(95, 62, 40));
    windows(p, QColor(110, 170, 232), {{12, 10.5}, {18.4, 10.5}}, 2.0);
}

void glyphDome(QPainter& p) {
    QPainterPath dome(QPointF(8.5, kGround));
    dome.arcTo(QRectF(8.5, 4, 15, 23), 180, -180);
    dome.closeSubpath();
    QLinearGradient glass(9, 4, 22, kGround);
    glass.setColorAt(0, QColor(225, 243, 255));
    glass.setColorAt(1, QColor(105, 165, 225));
    inkedShape(p, dome, glass);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(70, 110, 165), 0.7));
    p.drawLine(QPointF(16, 4.5), QPointF(16, kGround));
    p.drawArc(QRectF(11.5, 4.5, 9, 22), 0, 180 * 16);
}

void glyphWheat(QPainter& p) {
    const QColor gold(242, 206, 92);
    const QPointF stalks[][2] = {{{12, kGround}, {12.5, 4.5}}, {{16, kGround}, {16, 3}}, {{20, kGround}, {19.5, 4.5}}};
    for (const auto& stalk : stalks) inkedLine(p, stalk[0], stalk[1], gold, 0.9);
    for (const auto& stalk : stalks) {
        const QPointF top = stalk[1];
        for (int k = 0; k < 3; ++k) {
            const double y = top.y() + 1.2 + k * 2.3;
            inkedShape(p, ellipsePath(QRectF(top.x() - 2.6, y - 0.8, 2.4, 1.6)), gold, 0.5);
            inkedShape(p, ellipsePath(QRectF(top.x() + 0.2, y - 0.8, 2.4, 1.6)), gold, 0.5);
        }
        inkedShape(p, ellipsePath(QRectF(top.x() - 0.8, top.y() - 2, 1.6, 2.8)), gold, 0.5);
    }
}

void glyphFish(QPainter& p) {
    inkedShape(p, polygonPath({{18.5, 8}, {23.5, 4}, {23.5, 12}}), QColor(240, 130, 50));
    inkedShape(p, ellipsePath(QRectF(8.5, 4.5, 11.5, 7)), QColor(252, 160, 70));
    p.fillRect(QRectF(11, 6.8, 1.5, 1.5), QColor(20, 20, 20));
    QPainterPath wave(QPointF(8, 14));
    wave.quadTo(10, 12, 12, 14);
    wave.quadTo(14, 16, 16, 14);
    wave.quadTo(18, 12, 20, 14);
    wave.quadTo(22, 16, 24, 14);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(120, 190, 255), 1.2));
    p.drawPath(wave);
}

void glyphLeaf(QPainter& p) {
    QPainterPath leaf(QPointF(9, 14.5));
    leaf.cubicTo(9, 6, 15, 2, 23, 1.5);
    leaf.cubicTo(23, 9, 17, 14.5, 9, 14.5);
    inkedShape(p, leaf, QColor(120, 214, 90));
    p.setPen(QPen(QColor(45, 115, 40), 0.8));
    p.drawLine(QPointF(10.5, 13.5), QPointF(20, 4.5));
}

void glyphCrate(QPainter& p) {
    const QRectF box(10.5, 5.5, 11, 10);
    inkedShape(p, rectPath(box), QColor(196, 146, 84));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(116, 76, 38), 0.9));
    p.drawRect(box.adjusted(1.3, 1.3, -1.3, -1.3));
    p.drawLine(box.topLeft() + QPointF(1.3, 1.3), box.bottomRight() - QPointF(1.3, 1.3));
}

void glyphRotor(QPainter& p, const Moment& m) {
    const QPointF hub(16, 5.5);
    inkedLine(p, {16, kGround}, hub, QColor(236, 236, 236), 1.2);
    for (int k = 0; k < 3; ++k) {
        const double angle = (-90 + 40 * m.frame + 120 * k) * kPi / 180;
        const QPointF dir(std::cos(angle), std::sin(angle));
        const QPointF side(-dir.y(), dir.x());
        inkedShape(p, polygonPath({hub + side * 1.8, hub + dir * 7.5, hub - side * 0.8}), QColor(250, 250, 250), 0.8);
    }
    inkedShape(p, ellipsePath(QRectF(hub.x() - 1.3, hub.y() - 1.3, 2.6, 2.6)), QColor(190, 190, 195), 0.6);
}

void glyphSolarPanel(QPainter& p) {
    inkedLine(p, {16, kGround}, {16, 10}, QColor(185, 185, 190), 1.0);
    const QPointF a(8, 11), b(11.5, 3), c(24, 3), d(20.5, 11);
    inkedShape(p, polygonPath({a, b, c, d}), QColor(40, 70, 168));
    p.setPen(QPen(QColor(135, 175, 240), 0.6));
    auto at = [](QPointF from, QPointF to, double t) { return from + (to - from) * t; };
    for (double t : {1.0 / 3, 2.0 / 3}) {
        p.drawLine(at(a, b, t), at(d, c, t));
        p.drawLine(at(a, d, t), at(b, c, t));
    }
}

void glyphBolt(QPainter& p, const QColor& fill) {
    inkedShape(p, polygonPath({{18, 0.5}, {10.5, 8.5}, {15, 8.5}, {12.5, kGround}, {21.5, 6}, {16.8, 6}, {20.8, 0.5}}),
               fill, 0.9);
}

void glyphBattery(QPainter& p) {
    QPainterPath body;
    body.addRoundedRect(QRectF(11.5, 3.5, 9, 12), 1.2, 1.2);
    inkedShape(p, rectPath(QRectF(14.5, 1.5, 3, 2)), QColor(175, 175, 180));
    inkedShape(p, body, QColor(70, 76, 88));
    for (int k = 0; k < 3; ++k) p.fillRect(QRectF(13, 11.5 - k * 3, 6, 2.2), QColor(110, 232, 92));
}

void glyphFactory(QPainter& p) {
    inkedShape(p, rectPath(QRectF(19.5, 1.5, 3, 7)), QColor(165, 96, 70));
    inkedShape(
        p,
        polygonPath({{8.5, kGround}, {8.5, 8}, {12.5, 5}, {12.5, 8}, {16.5, 5}, {16.5, 8}, {23.5, 8}, {23.5, kGround}}),
        QColor(206, 210, 216));
    windows(p, QColor(255, 212, 92), {{10.2, 10.5}, {14.2, 10.5}, {18.2, 10.5}}, 2.0);
}

void glyphFlask(QPainter& p) {
    const QPainterPath flask = polygonPath({{14.5, 1.5}, {17.5, 1.5}, {17.5, 6}, {22.5, 14.8}, {9.5, 14.8}, {14.5, 6}});
    inkedShape(p, flask, QColor(226, 238, 248));
    p.save();
    p.setClipPath(flask);
    p.fillRect(QRectF(8, 9.5, 16, 6), QColor(110, 232, 150));
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(18, 18, 22), 1.0));
    p.drawPath(flask);
    p.fillRect(QRectF(13.5, 11, 1.2, 1.2), QColor(230, 255, 235));
}

void glyphDish(QPainter& p) {
    inkedShape(p, polygonPath({{12, kGround}, {16, 11.5}, {20, kGround}}), QColor(190, 190, 196));
    p.save();
    p.translate(16, 7);
    p.rotate(-30);
    QPainterPath bowl(QPointF(-7, -1));
    bowl.arcTo(QRectF(-7, -5, 14, 9), 180, 180);
    bowl.closeSubpath();
    inkedShape(p, bowl, QColor(240, 242, 246));
    inkedLine(p, {0, -1}, {0, -5.5}, QColor(200, 200, 205), 0.7);
    p.restore();
}

void glyphStar(QPainter& p) {
    QPainterPath star;
    for (int k = 0; k < 10; ++k) {
        const double r = k % 2 == 0 ? 7.4 : 3.0;
        const double angle = (-90 + 36 * k) * kPi / 180;
        const QPointF v(16 + r * std::cos(angle), 8 + r * std::sin(angle));
        if (k == 0)
            star.moveTo(v);
        else
            star.lineTo(v);
    }
    star.closeSubpath();
    inkedShape(p, star, QColor(255, 222, 96));
}

void glyphShield(QPainter& p, const QColor& band) {
    QPainterPath shield(QPointF(10, 2));
    shield.lineTo(22, 2);
    shield.lineTo(22, 8);
    shield.quadTo(22, 13, 16, kGround);
    shield.quadTo(10, 13, 10, 8);
    shield.closeSubpath();
    QLinearGradient metal(10, 2, 22, kGround);
    metal.setColorAt(0, QColor(226, 234, 246));
    metal.setColorAt(1, QColor(128, 146, 186));
    inkedShape(p, shield, metal);
    p.setPen(QPen(band, 2.0));
    p.drawLine(QPointF(16, 3), QPointF(16, 14));
}

void glyphBars(QPainter& p) {
    inkedShape(p, rectPath(QRectF(10.5, 3.5, 11, 12)), QColor(66, 66, 74));
    for (double x : {13.0, 16.0, 19.0}) {
        p.setPen(QPen(QColor(208, 208, 214), 1.2));
        p.drawLine(QPointF(x, 3.5), QPointF(x, kGround));
    }
    p.drawLine(QPointF(10.5, 7.5), QPointF(21.5, 7.5));
}

// A rocket beside its launch tower; the beacon on the tower is lit or dark.
void glyphRocket(QPainter& p, bool beaconLit) {
    inkedLine(p, {22.5, kGround}, {22.5, 3.5}, QColor(172, 172, 182), 0.9);
    inkedLine(p, {22.5, 7}, {18.5, 7}, QColor(172, 172, 182), 0.7);
    const QColor fin(205, 62, 50);
    inkedShape(p, polygonPath({{12, 9.5}, {9.5, 15}, {12, 13.5}}), fin, 0.7);
    inkedShape(p, polygonPath({{18, 9.5}, {20.5, 15}, {18, 13.5}}), fin, 0.7);
    QPainterPath body(QPointF(15, 0.6));
    body.quadTo(18, 4, 18, 9);
    body.lineTo(18, 13.5);
    body.lineTo(12, 13.5);
    body.lineTo(12, 9);
    body.quadTo(12, 4, 15, 0.6);
    inkedShape(p, body, QColor(238, 238, 242));
    inkedShape(p, ellipsePath(QRectF(13.8, 5, 2.4, 2.4)), QColor(90, 162, 232), 0.6);
    if (beaconLit) {
        QRadialGradient halo(QPointF(22.5, 2.3), 4.5);
        halo.setColorAt(0, QColor(255, 90, 60, 220));
        halo.setColorAt(1, QColor(255, 60, 40, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(halo);
        p.drawEllipse(QPointF(22.5, 2.3), 4.5, 4.5);
    }
    inkedShape(p, ellipsePath(QRectF(21, 0.8, 3, 3)), beaconLit ? QColor(255, 96, 64) : QColor(100, 30, 26), 0.6);
}

void glyphCable(QPainter& p) {
    inkedLine(p, {16, kGround}, {16, -1}, QColor(222, 222, 232), 1.0);
    inkedShape(p, polygonPath({{11, kGround}, {13.5, 12}, {18.5, 12}, {21, kGround}}), QColor(182, 182, 192));
    inkedShape(p, rectPath(QRectF(13.5, 4.5, 5, 4)), QColor(240, 200, 70));
}

// A station with a hull in the middle and two solar wings.
void glyphStation(QPainter& p) {
    inkedLine(p, {16, 11}, {16, kGround}, QColor(200, 200, 208), 0.8);
    for (double x : {6.5, 19.5}) {
        const QRectF wing(x, 4.5, 6, 4.5);
        inkedShape(p, rectPath(wing), QColor(50, 90, 190), 0.8);
        p.setPen(QPen(QColor(140, 180, 240), 0.6));
        p.drawLine(QPointF(wing.center().x(), wing.top() + 0.5), QPointF(wing.center().x(), wing.bottom() - 0.5));
    }
    inkedShape(p, rectPath(QRectF(12.5, 2.5, 7, 9)), QColor(224, 230, 240));
    p.fillRect(QRectF(14.5, 4.5, 3, 2), QColor(90, 162, 232));
}

void glyphPickaxe(QPainter& p) {
    inkedLine(p, {11, 15}, {19, 3.8}, QColor(176, 124, 72), 1.5);
    QPainterPath head(QPointF(12.5, 2.6));
    head.quadTo(19, 0.4, 24.5, 7.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(18, 18, 22), 3.6, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(head);
    p.setPen(QPen(QColor(208, 212, 220), 1.9, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(head);
}

void glyphCrystal(QPainter& p, const QColor& colour) {
    QLinearGradient shine(10, 1, 22, kGround);
    shine.setColorAt(0, colour.lighter(160));
    shine.setColorAt(1, colour.darker(140));
    inkedShape(p, polygonPath({{10.5, kGround}, {8.5, 9}, {11, 6.5}, {13, 9.5}, {13, kGround}}), shine, 0.8);
    const QPainterPath big = polygonPath({{16.5, 0.8}, {20.5, 5}, {19.5, kGround}, {13.5, kGround}, {12.5, 5}});
    inkedShape(p, big, shine, 0.8);
    p.setPen(QPen(colour.lighter(180), 0.7));
    p.drawLine(QPointF(16.5, 1.5), QPointF(16.5, 15));
}

void glyphCoins(QPainter& p) {
    for (int k = 0; k < 3; ++k)
        inkedShape(p, ellipsePath(QRectF(10.5, 10.5 - k * 2.8, 11, 4.8)), QColor(240, 196, 62), 0.8);
    p.setPen(QPen(QColor(170, 120, 20), 0.7));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(13, 5.8, 6, 2.4));
}

void glyphPerson(QPainter& p) {
    QPainterPath body(QPointF(10, kGround));
    body.quadTo(10, 7.5, 16, 7.5);
    body.quadTo(22, 7.5, 22, kGround);
    body.closeSubpath();
    inkedShape(p, body, QColor(92, 142, 222));
    inkedShape(p, ellipsePath(QRectF(13.3, 1.3, 5.4, 5.4)), QColor(242, 206, 172));
}

}  // namespace

void drawGlyph(QPainter& p, const Look& look, const Moment& m) {
    const QColor accent = QColor::fromRgb(look.accent);
    switch (look.glyph) {
    case Glyph::Headquarters: glyphHeadquarters(p, QColor(220, 50, 45)); break;
    case Glyph::House: glyphHouse(p); break;
    case Glyph::Dome: glyphDome(p); break;
    case Glyph::Wheat: glyphWheat(p); break;
    case Glyph::Fish: glyphFish(p); break;
    case Glyph::Leaf: glyphLeaf(p); break;
    case Glyph::Crate: glyphCrate(p); break;
    case Glyph::Rotor: glyphRotor(p, m); break;
    case Glyph::SolarPanel: glyphSolarPanel(p); break;
    case Glyph::Bolt:
        glyphBolt(p, look.motion == Motion::Glow ? blend(QColor(228, 168, 36), QColor(255, 252, 200), m.swell())
                                                 : QColor(255, 222, 60));
        break;
    case Glyph::Battery: glyphBattery(p); break;
    case Glyph::Factory: glyphFactory(p); break;
    case Glyph::Flask: glyphFlask(p); break;
    case Glyph::Dish: glyphDish(p); break;
    case Glyph::Star: glyphStar(p); break;
    case Glyph::Shield: glyphShield(p, look.accent != 0 ? accent : categoryColour(look.category)); break;
    case Glyph::Bars: glyphBars(p); break;
    case Glyph::Rocket: glyphRocket(p, look.motion != Motion::Blink || m.frame == 0); break;
    case Glyph::Cable: glyphCable(p); break;
    case Glyph::Station: glyphStation(p); break;
    case Glyph::Pickaxe: glyphPickaxe(p); break;
    case Glyph::Crystal: glyphCrystal(p, accent); break;
    case Glyph::Coins: glyphCoins(p); break;
    case Glyph::Person: glyphPerson(p); break;
    }
}

}  // namespace dz::pictures
