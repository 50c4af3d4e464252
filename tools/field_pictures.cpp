// Field pictures: 32 x 32 grounds, one per field type. Each type has its own
// main colour and its own pattern so the plan reads at a glance.
#include <QLinearGradient>
#include <QPen>
#include <QRadialGradient>
#include <array>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <string>

#include "paint_kit.h"
#include "pictures.h"

namespace dz::pictures {

namespace {

constexpr double kPi = std::numbers::pi;

// A wandering line of `steps` segments of `stepLength`, starting at `start`
// heading `angle` and turning by up to `wiggle` radians per step.
QPainterPath crackPath(QPointF start, double angle, int steps, double stepLength, double wiggle, Lcg& rng) {
    QPainterPath path(start);
    QPointF at = start;
    for (int i = 0; i < steps; ++i) {
        angle += rng.between(-wiggle, wiggle);
        at += QPointF(std::cos(angle) * stepLength, std::sin(angle) * stepLength);
        path.lineTo(at);
    }
    return path;
}

// A glowing line: a wide faint halo, a hot body and a bright core.
void glowingLine(QPainter& p, const QPainterPath& path, double width) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 90, 10, 90), width * 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    p.setPen(QPen(QColor(255, 150, 30), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    p.setPen(QPen(QColor(255, 235, 150), width * 0.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
}

// Mountain peaks, back to front; `snow` invalid for bare peaks.
void peaks(QPainter& p, Lcg& rng, const QColor& lit, const QColor& shaded, const QColor& snow) {
    struct Peak {
        double x, top, halfWidth;
    };
    const Peak list[] = {{8, 5, 10}, {24, 3, 11}, {15, 12, 12}};
    for (const Peak& peak : list) {
        const double x = peak.x + rng.between(-1.0, 1.0);
        const double top = peak.top + rng.between(-1.0, 1.0);
        const double base = 33;
        const double w = peak.halfWidth;
        const double split = x + w * 0.15;
        p.setPen(QPen(shaded.darker(160), 0.6));
        p.setBrush(lit);
        p.drawPath(polygonPath({QPointF(x - w, base), QPointF(x, top), QPointF(split, base)}));
        p.setBrush(shaded);
        p.drawPath(polygonPath({QPointF(x, top), QPointF(x + w, base), QPointF(split, base)}));
        if (snow.isValid()) {
            const double depth = (base - top) * 0.32;
            const double half = w * 0.32;
            p.setPen(Qt::NoPen);
            p.setBrush(snow);
            p.drawPath(
                polygonPath({QPointF(x, top), QPointF(x + half, top + depth),
                             QPointF(x + half * 0.35, top + depth * 0.7), QPointF(x - half * 0.2, top + depth * 1.05),
                             QPointF(x - half * 0.6, top + depth * 0.75), QPointF(x - half, top + depth)}));
        }
    }
}

void paintSpace(QPainter& p, Lcg& rng) {
    for (int i = 0; i < 16; ++i) {
        const int x = rng.range(0, 31), y = rng.range(0, 31), v = rng.range(90, 230);
        const QColor tints[] = {QColor(v, v, v), QColor(v * 4 / 5, v * 9 / 10, v), QColor(v, v * 9 / 10, v * 3 / 4)};
        p.fillRect(x, y, 1, 1, tints[rng.range(0, 2)]);
    }
    for (int i = 0; i < 2; ++i) {
        const int x = rng.range(4, 27), y = rng.range(4, 27);
        p.fillRect(x - 1, y, 3, 1, QColor(110, 120, 150));
        p.fillRect(x, y - 1, 1, 3, QColor(110, 120, 150));
        p.fillRect(x, y, 1, 1, Qt::white);
    }
}

void paintMeadow(QPainter& p, Lcg& rng) {
    const QColor dark(48, 118, 34), light(160, 222, 100);
    for (int i = 0; i < 48; ++i) {
        const double x = rng.between(0, 32), y = rng.between(3, 34);
        p.setPen(QPen(i % 3 == 0 ? light : dark, 1.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(x, y), QPointF(x + rng.between(-1.5, 1.5), y - rng.between(2.5, 4.5)));
    }
    for (int i = 0; i < 4; ++i) p.fillRect(rng.range(1, 30), rng.range(1, 30), 1, 1, QColor(250, 235, 90));
}

void conifer(QPainter& p, double x, double base, double height) {
    const double w = height * 0.33;
    p.fillRect(QRectF(x - 1, base - 1.5, 2, 3), QColor(75, 48, 28));
    QLinearGradient shade(x - w, 0, x + w, 0);
    shade.setColorAt(0, QColor(60, 140, 58));
    shade.setColorAt(1, QColor(18, 62, 24));
    p.setPen(QPen(QColor(10, 35, 12), 0.6));
    p.setBrush(shade);
    p.drawPath(polygonPath({QPointF(x - w, base - 1), QPointF(x, base - height * 0.62), QPointF(x + w, base - 1)}));
    p.drawPath(polygonPath({QPointF(x - w * 0.78, base - height * 0.42), QPointF(x, base - height),
                            QPointF(x + w * 0.78, base - height * 0.42)}));
}

void paintForest(QPainter& p, Lcg& rng) {
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) {
            const double x = 2 + col * 10 + (row % 2) * 5 + rng.between(-1.2, 1.2);
            conifer(p, x, 9 + row * 8 + rng.between(-1, 1), rng.between(11, 14));
        }
    }
}

void paintIce(QPainter& p, Lcg& rng) {
    for (int i = 0; i < 10; ++i) p.fillRect(rng.range(0, 31), rng.range(0, 31), 1, 1, QColor(250, 254, 255));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 6; ++i) {
        const QPainterPath crack =
            crackPath(QPointF(rng.between(0, 32), rng.between(0, 32)), rng.between(0, 2 * kPi), 6, 4.0, 0.8, rng);
        p.setPen(QPen(QColor(250, 253, 255), 1.0));
        p.drawPath(crack.translated(0.8, 0.8));
        p.setPen(QPen(QColor(92, 142, 184), 1.1));
        p.drawPath(crack);
    }
}

void paintDesert(QPainter& p, Lcg& rng) {
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 4; ++i) {
        const double y = 5 + i * 8 + rng.between(-1.5, 1.5);
        QPainterPath dune;
        dune.moveTo(-2, y + 3);
        dune.quadTo(8 + rng.between(-3, 3), y - 3, 16, y + 1);
        dune.quadTo(24 + rng.between(-3, 3), y + 4, 34, y - 1);
        p.setPen(QPen(QColor(248, 226, 165), 1.2));
        p.drawPath(dune);
        p.setPen(QPen(QColor(182, 140, 76), 1.2));
        p.drawPath(dune.translated(0, 1.4));
    }
}

void paintMountains(QPainter& p, Lcg& rng) {
    peaks(p, rng, QColor(164, 142, 118), QColor(92, 76, 62), QColor(245, 248, 252));
}

void paintWater(QPainter& p, Lcg& rng) {
    p.setBrush(Qt::NoBrush);
    for (int row = 0; row < 5; ++row) {
        for (int col = 0; col < 4; ++col) {
            const double x = -3 + col * 10 + (row % 2) * 5 + rng.between(-1, 1);
            const double y = 4 + row * 6.5 + rng.between(-0.6, 0.6);
            QPainterPath wave(QPointF(x, y));
            wave.quadTo(x + 2, y - 2, x + 4, y);
            wave.quadTo(x + 6, y + 2, x + 8, y);
            p.setPen(QPen(QColor(18, 52, 130), 1.2, Qt::SolidLine, Qt::RoundCap));
            p.drawPath(wave.translated(0, 1.2));
            p.setPen(QPen(QColor(130, 180, 240), 1.1, Qt::SolidLine, Qt::RoundCap));
            p.drawPath(wave);
        }
    }
}

void paintDesertMountains(QPainter& p, Lcg& rng) { peaks(p, rng, QColor(240, 164, 84), QColor(126, 66, 32), QColor()); }

void paintDysonSphere(QPainter& p, Lcg&) {
    // Hexagon lattice, flat side up, seen on the inside of the shell.
    const double r = 6.5;
    const double h = std::sqrt(3.0) * r;
    QPainterPath lattice;
    for (int col = -1; col < 5; ++col) {
        for (int row = -1; row < 4; ++row) {
            const QPointF c(col * 1.5 * r + 2, row * h + (col % 2 != 0 ? h / 2 : 0) + 3);
            for (int k = 0; k <= 6; ++k) {
                const QPointF v = c + QPointF(r * std::cos(k * kPi / 3), r * std::sin(k * kPi / 3));
                if (k == 0)
                    lattice.moveTo(v);
                else
                    lattice.lineTo(v);
            }
        }
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 190, 60, 70), 3.0));
    p.drawPath(lattice);
    p.setPen(QPen(QColor(232, 182, 62), 1.1));
    p.drawPath(lattice);
}

void paintRock(QPainter& p, Lcg& rng) {
    for (int i = 0; i < 9; ++i)
        drawRock(p, QPointF(rng.between(2, 30), rng.between(2, 30)), rng.between(2.0, 4.5), QColor(100, 102, 108), rng);
}

void crater(QPainter& p, const QRectF& bowl) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 146, 138));
    p.drawEllipse(bowl.adjusted(-1.5, -1.5, 1.5, 1.5));
    QLinearGradient inside(bowl.topLeft(), bowl.bottomRight());
    inside.setColorAt(0, QColor(48, 46, 44));
    inside.setColorAt(1, QColor(125, 121, 114));
    p.setBrush(inside);
    p.drawEllipse(bowl);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(200, 196, 186), 1.0));
    p.drawArc(bowl.adjusted(-1.5, -1.5, 1.5, 1.5), 60 * 16, 150 * 16);
}

void paintCrater(QPainter& p, Lcg& rng) {
    crater(p, QRectF(4, 6, 24, 20));
    for (int i = 0; i < 3; ++i) {
        const double r = rng.between(1.5, 2.5);
        const QPointF c(i == 1 ? rng.between(24, 29) : rng.between(2, 8),
                        i == 0 ? rng.between(2, 5) : rng.between(27, 30));
        crater(p, QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r));
    }
}

void paintIceFormation(QPainter& p, Lcg& rng) {
    struct Spike {
        double x, base, height;
    };
    const Spike spikes[] = {{5, 14, 13}, {18, 12, 11}, {27, 17, 14}, {11, 24, 17}, {23, 29, 18}, {4, 32, 12}};
    for (const Spike& s : spikes) {
        const double x = s.x + rng.between(-1, 1);
        const double w = s.height * 0.22;
        const double top = s.base - s.height;
        p.setPen(QPen(QColor(80, 120, 175), 0.6));
        p.setBrush(QColor(246, 250, 255));
        p.drawPath(polygonPath({QPointF(x - w, s.base), QPointF(x, top), QPointF(x + w * 0.1, s.base)}));
        p.setBrush(QColor(120, 168, 220));
        p.drawPath(polygonPath({QPointF(x, top), QPointF(x + w, s.base), QPointF(x + w * 0.1, s.base)}));
    }
}

void paintLava(QPainter& p, Lcg& rng) {
    for (int i = 0; i < 3; ++i) {
        const QPointF centre(rng.between(4, 28), rng.between(4, 28));
        const double r = rng.between(3, 5);
        QRadialGradient pool(centre, r);
        pool.setColorAt(0, QColor(255, 200, 80));
        pool.setColorAt(0.6, QColor(240, 90, 20, 200));
        pool.setColorAt(1, QColor(200, 40, 0, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(pool);
        p.drawEllipse(centre, r, r);
    }
    for (int i = 0; i < 6; ++i) {
        const QPointF start(rng.between(-2, 34), i % 2 == 0 ? -1 : 33);
        const double heading = i % 2 == 0 ? kPi / 2 : -kPi / 2;
        glowingLine(p, crackPath(start, heading + rng.between(-0.9, 0.9), 9, 3.5, 0.7, rng), 1.5);
    }
}

void paintVolcano(QPainter& p, Lcg&) {
    QLinearGradient flank(3, 0, 29, 0);
    flank.setColorAt(0, QColor(120, 98, 84));
    flank.setColorAt(1, QColor(40, 32, 30));
    p.setPen(QPen(QColor(25, 20, 18), 0.7));
    p.setBrush(flank);
    p.drawPath(polygonPath({QPointF(0, 32), QPointF(12, 9), QPointF(20, 9), QPointF(32, 32)}));
    QRadialGradient glow(QPointF(16, 8), 10);
    glow.setColorAt(0, QColor(255, 110, 30, 235));
    glow.setColorAt(0.5, QColor(240, 50, 10, 140));
    glow.setColorAt(1, QColor(200, 20, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QPointF(16, 8), 10, 10);
    p.setBrush(QColor(255, 200, 80));
    p.drawEllipse(QRectF(12.5, 7.5, 7, 2.8));
    QPainterPath stream(QPointF(14.5, 10));
    stream.cubicTo(13, 14, 15.5, 18, 11.5, 25);
    glowingLine(p, stream, 1.2);
}

void paintCoreRift(QPainter& p, Lcg& rng) {
    QPainterPath rift(QPointF(15, -1));
    for (int y = 3; y <= 35; y += 4) rift.lineTo(16 + rng.between(-4.5, 4.5), y);
    glowingLine(p, rift, 2.6);
    for (int i = 0; i < 3; ++i) {
        const QPointF from = rift.pointAtPercent(0.2 + 0.3 * i);
        glowingLine(p, crackPath(from, i % 2 == 0 ? 0.3 : kPi - 0.3, 3, 3.0, 0.6, rng), 0.9);
    }
}

struct Ground {
    QColor base;
    int grain;
    void (*paint)(QPainter&, Lcg&);
};

const std::array<Ground, 15> kGrounds{{
    {QColor(0, 0, 0), 0, paintSpace},                // 0 Weltraum
    {QColor(92, 172, 60), 10, paintMeadow},          // 1 Wiese
    {QColor(24, 58, 26), 5, paintForest},            // 2 Wald
    {QColor(205, 232, 242), 5, paintIce},            // 3 Eis
    {QColor(226, 196, 122), 6, paintDesert},         // 4 Wüste
    {QColor(116, 98, 78), 8, paintMountains},        // 5 Gebirge
    {QColor(32, 84, 172), 5, paintWater},            // 6 Wasser
    {QColor(150, 88, 46), 8, paintDesertMountains},  // 7 Wüstengebirge
    {QColor(50, 16, 86), 4, paintDysonSphere},       // 8 Dyson Sphere
    {QColor(140, 143, 148), 10, paintRock},          // 9 Gestein
    {QColor(78, 76, 74), 8, paintCrater},            // 10 Krater
    {QColor(165, 198, 228), 6, paintIceFormation},   // 11 Eisformation
    {QColor(42, 8, 5), 5, paintLava},                // 12 Lava
    {QColor(98, 72, 54), 8, paintVolcano},           // 13 Vulkan
    {QColor(38, 42, 46), 6, paintCoreRift},          // 14 Kernspalte
}};

}  // namespace

QImage fieldPicture(int fieldType, int scale) {
    if (fieldType < 0 || fieldType >= static_cast<int>(kGrounds.size()))
        throw std::out_of_range("field type " + std::to_string(fieldType));
    const Ground& ground = kGrounds[static_cast<std::size_t>(fieldType)];
    Lcg rng(static_cast<std::uint32_t>(fieldType) + 1);
    QImage image(kFieldSize * scale, kFieldSize * scale, QImage::Format_RGB32);
    grainyFill(image, ground.base, ground.grain, rng, scale);
    QPainter p;
    beginPainting(p, image, scale);
    ground.paint(p, rng);
    p.end();
    return image;
}

}  // namespace dz::pictures
