// What a building's badge is made of: its category (the plate's colour), its
// glyph and how the glyph moves. building_pictures.cpp holds the table of
// looks and draws backdrop and plate; building_glyphs.cpp draws the glyphs.
#pragma once

#include <QColor>
#include <QPainter>
#include <cmath>
#include <numbers>

namespace dz::pictures {

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

QColor categoryColour(Category category);

// The glyph of `look` at moment `m`, in the coordinates of a 32 x 32 field.
void drawGlyph(QPainter& p, const Look& look, const Moment& m);

}  // namespace dz::pictures
