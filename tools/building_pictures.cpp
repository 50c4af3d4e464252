// Building pictures: the field's ground, darkened, with the building's badge
// on top. The badge is a small glyph standing on a plate in the colour of
// the building's category, and the plate carries a short label.
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPen>
#include <QRadialGradient>
#include <array>
#include <cmath>
#include <numbers>
#include <set>
#include <stdexcept>
#include <string>

#include "core/catalog/info.h"
#include "paint_kit.h"
#include "pictures.h"

namespace dz::pictures {

namespace {

constexpr double kPi = std::numbers::pi;

enum class Category { Base, Housing, Food, Energy, Industry, Research, Leisure, Orbital, Mining, Military, Storage };

enum class Glyph {
    Headquarters,
    House,
    Dome,
    Wheat,
    Fish,
    Leaf,
    Crate,
    Rotor,
    SolarPanel,
    Bolt,
    Battery,
    Factory,
    Flask,
    Dish,
    Star,
    Shield,
    Bars,
    Rocket,
    Cable,
    Station,
    Pickaxe,
    Crystal,
    Coins,
    Person,
};

// Animations: a turning rotor, a glow that swells and fades, a ring that
// spreads from the building, a light that blinks.
enum class Motion { None, Spin, Glow, Pulse, Blink };

struct Look {
    const char* label;
    Category category;
    Glyph glyph;
    Motion motion = Motion::None;
    QRgb accent = 0;  // glow, ring or crystal colour where the glyph needs one
};

constexpr QRgb kNearRangeOrange = 0xffffa000;  // the colours of the state frames
constexpr QRgb kWideRangeBlue = 0xff288cff;

const std::array<Look, kBuildingCount> kLooks{{
    {"KZ", Category::Base, Glyph::Headquarters},                                 // 0 Koloniezentrale
    {"GKZ", Category::Base, Glyph::Headquarters},                                // 1 Große Koloniezentrale
    {"AP", Category::Base, Glyph::Headquarters},                                 // 2 Außenposten
    {"Fa", Category::Food, Glyph::Wheat},                                        // 3 Agrarfarm
    {"Ho", Category::Leisure, Glyph::Star},                                      // 4 Holodeck
    {"HK", Category::Leisure, Glyph::Dome},                                      // 5 Holodeck-Kuppel
    {"Wo", Category::Housing, Glyph::House},                                     // 6 Wohnanlage
    {"WK", Category::Housing, Glyph::Dome},                                      // 7 Wohnkuppel
    {"SS", Category::Housing, Glyph::House},                                     // 8 Schwimmende Stadt
    {"NS", Category::Food, Glyph::Leaf},                                         // 9 Naturschutzstation
    {"LH", Category::Storage, Glyph::Crate},                                     // 10 Lagerhalle
    {"WP", Category::Energy, Glyph::Rotor, Motion::Spin},                        // 11 Windpark
    {"SK", Category::Energy, Glyph::SolarPanel},                                 // 12 Solarkraftwerk
    {"Aq", Category::Food, Glyph::Fish},                                         // 13 Aquafarm
    {"KM", Category::Mining, Glyph::Pickaxe},                                    // 14 Kratermine
    {"MK", Category::Energy, Glyph::Bolt, Motion::Glow, 0xffff6a1e},             // 15 Magmakraftwerk
    {"BW", Category::Industry, Glyph::Factory},                                  // 16 Baustoffwerk
    {"MH", Category::Industry, Glyph::Factory},                                  // 17 Metallhütte
    {"BL", Category::Research, Glyph::Flask},                                    // 18 Biolabor
    {"EW", Category::Industry, Glyph::Factory},                                  // 19 Elektronikwerk
    {"DF", Category::Industry, Glyph::Factory},                                  // 20 Deuteriumfilter
    {"NF", Category::Industry, Glyph::Factory},                                  // 21 Nanitenfabrik
    {"LW", Category::Industry, Glyph::Factory},                                  // 22 Legierungswerk
    {"SF", Category::Industry, Glyph::Factory},                                  // 23 Sprengstofffabrik
    {"KF", Category::Industry, Glyph::Factory},                                  // 24 Konsumgüterfabrik
    {"FL", Category::Research, Glyph::Flask},                                    // 25 Forschungslabor
    {"FZ", Category::Research, Glyph::Flask},                                    // 26 Forschungszentrum
    {"Ra", Category::Industry, Glyph::Factory},                                  // 27 Raffinerie
    {"FK", Category::Energy, Glyph::Bolt, Motion::Glow, 0xff78c8ff},             // 28 Fusionskraftwerk
    {"ES", Category::Energy, Glyph::Battery},                                    // 29 Energiespeicher
    {"S1", Category::Military, Glyph::Shield, Motion::Pulse, kNearRangeOrange},  // 30 Kleiner Schildgenerator
    {"S2", Category::Military, Glyph::Shield, Motion::Pulse, kWideRangeBlue},    // 31 Großer Schildgenerator
    {"WB", Category::Orbital, Glyph::Rocket, Motion::Blink},                     // 32 Workbee-Raumbahnhof
    {"OS", Category::Orbital, Glyph::Cable},                                     // 33 Orbitalseil
    {"VP", Category::Leisure, Glyph::Star},                                      // 34 Vergnügungspark
    {"St", Category::Military, Glyph::Bars},                                     // 35 Strafkolonie
    {"OE", Category::Energy, Glyph::Bolt, Motion::Glow, 0xffffdc3c},             // 36 Orbitale Energiestation
    {"RD", Category::Orbital, Glyph::Station},                                   // 37 Raumdock
    {"OV", Category::Orbital, Glyph::Station},                                   // 38 Orbitale Versorgungsstation
    {"OL", Category::Research, Glyph::Flask},                                    // 39 Orbitallabor
    {"OLa", Category::Storage, Glyph::Crate},                                    // 40 Orbitallager
    {"EF", Category::Mining, Glyph::Rocket},                                     // 41 Erzfrachterdock
    {"HS", Category::Orbital, Glyph::Coins},                                     // 42 Handelsstation
    {"FlK", Category::Military, Glyph::Rocket},                                  // 43 Flottenkommando
    {"VtP", Category::Military, Glyph::Shield},                                  // 44 Verteidigungsplattform
    {"OVw", Category::Base, Glyph::Station},                                     // 45 Orbitalverwaltung
    {"MM", Category::Mining, Glyph::Pickaxe},                                    // 46 Mineralienmine
    {"KrM", Category::Mining, Glyph::Crystal, Motion::None, 0xff50e6f0},         // 47 Kristallmine
    {"SE", Category::Mining, Glyph::Crystal, Motion::None, 0xffb464f0},          // 48 Seltenerd-Mine
    {"Obs", Category::Research, Glyph::Dish},                                    // 49 Höhenobservatorium
    {"VD", Category::Storage, Glyph::Crate},                                     // 50 Versorgungsdepot
    {"GVD", Category::Storage, Glyph::Crate},                                    // 51 Großes Versorgungsdepot
    {"AB", Category::Base, Glyph::Person},                                       // 52 Anwerbebüro
    {"HKo", Category::Base, Glyph::Coins},                                       // 53 Handelskontor
    {"SB", Category::Orbital, Glyph::Station},                                   // 54 Sternenbasis
}};

QColor categoryColour(Category category) {
    switch (category) {
    case Category::Base: return QColor(226, 164, 40);
    case Category::Housing: return QColor(132, 192, 242);
    case Category::Food: return QColor(88, 190, 78);
    case Category::Energy: return QColor(250, 228, 64);
    case Category::Industry: return QColor(150, 160, 174);
    case Category::Research: return QColor(150, 92, 212);
    case Category::Leisure: return QColor(242, 128, 190);
    case Category::Orbital: return QColor(64, 212, 224);
    case Category::Mining: return QColor(158, 102, 56);
    case Category::Military: return QColor(212, 52, 48);
    case Category::Storage: return QColor(204, 172, 126);
    }
    return Qt::white;
}

int frameCount(Motion motion) {
    switch (motion) {
    case Motion::None: return 1;
    case Motion::Spin: return 3;  // a three-blade rotor repeats after 120 degrees
    case Motion::Glow: return 4;
    case Motion::Pulse: return 4;
    case Motion::Blink: return 2;
    }
    return 1;
}

// Where an animation stands: 0 <= phase < 1.
struct Moment {
    int frame;
    int frames;
    double phase() const { return static_cast<double>(frame) / frames; }
    // 0 at the start, 1 half-way, back to 0: a swelling and fading.
    double swell() const { return 0.5 - 0.5 * std::cos(2 * kPi * phase()); }
};

// The glyph stands on the plate: it fills x 6..26, y 0..15.5.
constexpr double kGround = 15.5;

QPainterPath ellipsePath(const QRectF& r) {
    QPainterPath path;
    path.addEllipse(r);
    return path;
}

QPainterPath rectPath(const QRectF& r) {
    QPainterPath path;
    path.addRect(r);
    return path;
}

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

// Behind the glyph: a halo for glowing buildings, spreading rings for the
// area buildings (in the colour their range has in the state frames).
void drawBackdrop(QPainter& p, const Look& look, const Moment& m) {
    const QColor accent = QColor::fromRgb(look.accent);
    if (look.motion == Motion::Glow) {
        const QPointF centre(16, 8);
        const double radius = 9 + 3 * m.swell();
        QRadialGradient halo(centre, radius);
        halo.setColorAt(0, withAlpha(accent, static_cast<int>(110 + 140 * m.swell())));
        halo.setColorAt(1, withAlpha(accent, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(halo);
        p.drawEllipse(centre, radius, radius);
    } else if (look.motion == Motion::Pulse) {
        p.setBrush(Qt::NoBrush);
        for (double wave : {m.phase(), m.phase() + 0.5}) {
            const double t = wave - std::floor(wave);
            const double r = 6 + 10 * t;
            p.setPen(QPen(withAlpha(accent, static_cast<int>(255 * (1 - 0.75 * t))), 1.6));
            p.drawEllipse(QPointF(16, 9), r, r);
        }
    }
}

void drawPlate(QPainter& p, const Look& look) {
    const QColor colour = categoryColour(look.category);
    const QRectF plate(2.5, 15.5, 27, 14);
    QLinearGradient face(0, plate.top(), 0, plate.bottom());
    face.setColorAt(0, colour.lighter(130));
    face.setColorAt(1, colour.darker(112));
    p.setPen(QPen(colour.darker(300), 1.0));
    p.setBrush(face);
    p.drawRoundedRect(plate, 3, 3);

    const QString label = QString::fromLatin1(look.label);
    int size = 11;
    QFont font = pixelFont(size, true);
    while (size > 8 && QFontMetricsF(font).horizontalAdvance(label) > plate.width() - 3) font = pixelFont(--size, true);
    const bool light = colour.lightness() > 120;
    p.setFont(font);
    p.setPen(light ? QColor(16, 16, 20) : QColor(255, 255, 255));
    p.drawText(plate.adjusted(0, 0, 0, 0.5), Qt::AlignCenter, label);
}

const Look& lookOf(int building) {
    if (building < 0 || building >= kBuildingCount) throw std::out_of_range("building " + std::to_string(building));
    return kLooks[static_cast<std::size_t>(building)];
}

}  // namespace

void checkBuildingLooks() {
    std::set<std::string> labels;
    for (const Look& look : kLooks)
        if (!labels.insert(look.label).second)
            throw std::logic_error(std::string("badge label used twice: ") + look.label);
}

std::vector<QImage> buildingPicture(int fieldType, int building) {
    const Look& look = lookOf(building);
    const QImage ground = fieldPicture(fieldType);
    const int frames = frameCount(look.motion);
    std::vector<QImage> result;
    for (int frame = 0; frame < frames; ++frame) {
        QImage image = ground.copy();
        QPainter p;
        beginPainting(p, image);
        p.fillRect(image.rect(), QColor(0, 0, 0, 90));  // the badge stands out, the ground still shows
        const Moment moment{frame, frames};
        drawBackdrop(p, look, moment);
        drawGlyph(p, look, moment);
        drawPlate(p, look);
        p.end();
        result.push_back(image);
    }
    return result;
}

}  // namespace dz::pictures
