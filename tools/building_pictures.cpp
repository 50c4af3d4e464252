// Building pictures: the field's ground, darkened, with the building's badge
// on top. The badge is a small glyph standing on a plate in the colour of
// the building's category, and the plate carries a short label.
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPen>
#include <QRadialGradient>
#include <array>
#include <cmath>
#include <set>
#include <stdexcept>
#include <string>

#include "building_looks.h"
#include "core/catalog/info.h"
#include "paint_kit.h"
#include "pictures.h"

namespace dz::pictures {

namespace {

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

}  // namespace

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

namespace {

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

std::vector<QImage> buildingPicture(int fieldType, int building, int scale) {
    const Look& look = lookOf(building);
    const QImage ground = fieldPicture(fieldType, scale);
    const int frames = frameCount(look.motion);
    std::vector<QImage> result;
    for (int frame = 0; frame < frames; ++frame) {
        QImage image = ground.copy();
        QPainter p;
        beginPainting(p, image, scale);
        p.fillRect(QRect(0, 0, kFieldSize, kFieldSize), QColor(0, 0, 0, 90));  // the badge stands out, the ground still shows
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