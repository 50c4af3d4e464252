// Resource icons: 16 x 16 on black, one per resource, in the rows of the
// production and cost panels.
#include <QPen>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <string>

#include "icon_kit.h"
#include "paint_kit.h"
#include "pictures.h"

namespace dz::pictures {

namespace {

constexpr double kPi = std::numbers::pi;

void resEnergy(QPainter& p) {
    outlinedShape(p, boltPath(1.0, QPointF(0, 0)), QColor(255, 222, 50), QColor(170, 120, 0), 0.7);
}

void resFood(QPainter& p) {
    QPainterPath apple;
    apple.addEllipse(QRectF(1.5, 4.5, 7.5, 10.5));
    apple.addEllipse(QRectF(7, 4.5, 7.5, 10.5));
    apple.setFillRule(Qt::WindingFill);
    outlinedShape(p, apple.simplified(), vertical(4.5, 15, QColor(240, 70, 60), QColor(160, 20, 20)),
                  QColor(110, 10, 10));
    stroke(p, line({8, 5.5}, {9, 2}), QColor(130, 85, 40), 1.1);
    outlinedShape(p, ellipsePath(QRectF(9.5, 1, 4.5, 2.6)), QColor(100, 200, 70), QColor(40, 110, 30), 0.5);
}

void resBuildingMaterial(QPainter& p) {
    const QColor brick(192, 84, 52);
    for (int row = 0; row < 3; ++row) {
        const double y = 2.5 + row * 4;
        for (double x = row % 2 == 0 ? 0.5 : -2.5; x < 16; x += 6) {
            const QRectF b(std::max(x, 0.5), y, std::min(x + 5, 15.5) - std::max(x, 0.5), 3);
            p.fillRect(b, brick);
            p.fillRect(QRectF(b.left(), y, b.width(), 0.8), brick.lighter(130));
        }
    }
    p.fillRect(QRectF(0.5, 14.5, 15, 1), QColor(150, 150, 150));
}

void resMinerals(QPainter& p) {
    Lcg rng(42);
    p.setPen(QPen(QColor(70, 70, 75), 0.7));
    QRadialGradient stone(QPointF(6, 6), 10);
    stone.setColorAt(0, QColor(170, 166, 158));
    stone.setColorAt(1, QColor(90, 86, 80));
    p.setBrush(stone);
    p.drawPath(rockOutline(QPointF(8, 9), 6.8, rng, 8));
    const struct {
        QPointF at;
        QColor colour;
    } gems[] = {
        {{6, 7}, QColor(80, 230, 130)}, {{10.5, 9.5}, QColor(90, 170, 255)}, {{6.5, 11.5}, QColor(250, 210, 70)}};
    for (const auto& gem : gems) {
        const QPointF c = gem.at;
        outlinedShape(
            p, polygonPath({c + QPointF(0, -1.8), c + QPointF(1.5, 0), c + QPointF(0, 1.8), c + QPointF(-1.5, 0)}),
            gem.colour, gem.colour.darker(200), 0.5);
    }
}

// A metal bar seen from the front and above.
void ingot(QPainter& p, const QRectF& front, const QColor& colour) {
    const double inset = front.width() * 0.16;
    const double depth = front.height() * 0.55;
    outlinedShape(p,
                  polygonPath({{front.left() + inset, front.top()},
                               {front.right() - inset, front.top()},
                               {front.right() - inset * 1.8, front.top() - depth},
                               {front.left() + inset * 1.8, front.top() - depth}}),
                  colour.lighter(135), colour.darker(220), 0.6);
    outlinedShape(p,
                  polygonPath({front.bottomLeft(),
                               front.bottomRight(),
                               {front.right() - inset, front.top()},
                               {front.left() + inset, front.top()}}),
                  vertical(front.top(), front.bottom(), colour, colour.darker(150)), colour.darker(220), 0.6);
}

void resMetal(QPainter& p) { ingot(p, QRectF(0.5, 8.5, 15, 6), QColor(178, 184, 196)); }

void resNanites(QPainter& p) {
    const QPointF dots[] = {{3, 3},    {8, 2},    {13, 4},    {5, 7.5},  {10.5, 7.5},
                            {2.5, 12}, {8, 11.5}, {13.5, 11}, {5.5, 15}, {11, 14.5}};
    p.setPen(QPen(QColor(60, 130, 150), 0.6));
    for (std::size_t i = 0; i + 3 < std::size(dots); ++i) p.drawLine(dots[i], dots[i + 3]);
    for (const QPointF& d : dots)
        outlinedShape(p, ellipsePath(QRectF(d.x() - 1.3, d.y() - 1.3, 2.6, 2.6)), QColor(170, 240, 250),
                      QColor(60, 150, 170), 0.5);
}

void resDeuterium(QPainter& p) {
    QPainterPath drop(QPointF(8, 0.8));
    drop.cubicTo(10, 4.5, 13.5, 7, 13.5, 10);
    drop.arcTo(QRectF(2.5, 4.8, 11, 10.5), 0, -180);
    drop.cubicTo(2.5, 7, 6, 4.5, 8, 0.8);
    outlinedShape(p, drop, vertical(1, 15, QColor(120, 180, 255), QColor(30, 80, 210)), QColor(20, 50, 140));
    centredText(p, QRectF(2.5, 5.5, 11, 9.5), QStringLiteral("D"), 8, QColor(255, 255, 255));
}

void resExplosives(QPainter& p) {
    QRadialGradient shell(QPointF(5, 8), 7);
    shell.setColorAt(0, QColor(150, 150, 162));
    shell.setColorAt(1, QColor(40, 40, 48));
    outlinedShape(p, ellipsePath(QRectF(1, 5, 10.5, 10.5)), shell, QColor(130, 130, 140));
    QPainterPath fuse(QPointF(9.5, 6.5));
    fuse.quadTo(11, 3, 13, 3);
    stroke(p, fuse, QColor(190, 160, 110), 1.0);
    for (int k = 0; k < 4; ++k) {
        const double a = k * kPi / 4;
        stroke(p,
               line(QPointF(13.5 + 2.3 * std::cos(a), 2.3 + 2.3 * std::sin(a)),
                    QPointF(13.5 - 2.3 * std::cos(a), 2.3 - 2.3 * std::sin(a))),
               k % 2 == 0 ? QColor(255, 230, 80) : QColor(255, 140, 30), 0.8);
    }
}

void resResearch(QPainter& p) {
    const QPointF centre(8, 8);
    for (int k = 0; k < 3; ++k) {
        p.save();
        p.translate(centre);
        p.rotate(60 * k);
        p.setPen(QPen(QColor(110, 205, 255), 0.9));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(0, 0), 7.2, 2.7);
        p.restore();
    }
    outlinedShape(p, ellipsePath(QRectF(6.2, 6.2, 3.6, 3.6)), QColor(255, 120, 190), QColor(160, 40, 100), 0.5);
}

void resAlloys(QPainter& p) {
    // two bars of different metals, one on the other
    ingot(p, QRectF(0.5, 10.5, 15, 5), QColor(210, 140, 70));
    ingot(p, QRectF(2.5, 5, 11, 4.5), QColor(140, 165, 205));
}

void resElectronics(QPainter& p) {
    const QColor pin(200, 200, 206);
    for (double t : {5.5, 8.0, 10.5}) {
        stroke(p, line({t, 1}, {t, 15}), pin, 1.0);
        stroke(p, line({1, t}, {15, t}), pin, 1.0);
    }
    outlinedShape(p, polygonPath({{3.5, 3.5}, {12.5, 3.5}, {12.5, 12.5}, {3.5, 12.5}}), QColor(40, 60, 50),
                  QColor(120, 140, 130), 0.8);
    p.fillRect(QRectF(6, 6, 4, 4), QColor(220, 180, 70));
}

void resMedicine(QPainter& p) {
    QPainterPath box;
    box.addRoundedRect(QRectF(1, 1, 14, 14), 2.5, 2.5);
    outlinedShape(p, box, QColor(245, 245, 248), QColor(170, 170, 176));
    p.fillRect(QRectF(6.2, 3, 3.6, 10), QColor(220, 36, 40));
    p.fillRect(QRectF(3, 6.2, 10, 3.6), QColor(220, 36, 40));
}

void crystal(QPainter& p, const QPainterPath& shape, const QColor& colour) {
    QLinearGradient shine(0, 0, 16, 16);
    shine.setColorAt(0, colour.lighter(165));
    shine.setColorAt(1, colour.darker(150));
    outlinedShape(p, shape, shine, colour.darker(230), 0.6);
}

void resRareEarths(QPainter& p) {
    const QColor purple(150, 70, 225);
    crystal(p, polygonPath({{2, 15}, {1.5, 9}, {4, 6.5}, {6, 9}, {6, 15}}), purple);
    crystal(p, polygonPath({{10, 15}, {10, 7}, {12.5, 4.5}, {14.5, 7}, {14.5, 15}}), purple);
    crystal(p, polygonPath({{5, 15}, {5, 5}, {8, 1}, {11, 5}, {11, 15}}), purple);
    p.fillRect(QRectF(0.5, 14.5, 15, 1.5), QColor(110, 96, 90));
}

void resConsumerGoods(QPainter& p) {
    QPainterPath handle(QPointF(5.5, 6.5));
    handle.cubicTo(5.5, 1.5, 10.5, 1.5, 10.5, 6.5);
    stroke(p, handle, QColor(230, 230, 230), 1.2);
    outlinedShape(p, polygonPath({{2.5, 5.5}, {13.5, 5.5}, {14.5, 15}, {1.5, 15}}),
                  vertical(5.5, 15, QColor(255, 170, 70), QColor(214, 110, 30)), QColor(140, 70, 20));
    p.fillRect(QRectF(4.5, 5.5, 1.5, 2), QColor(110, 60, 20));
    p.fillRect(QRectF(10, 5.5, 1.5, 2), QColor(110, 60, 20));
}

void resFuel(QPainter& p) {
    QPainterPath can;
    can.addRoundedRect(QRectF(2, 3.5, 11.5, 12), 1.5, 1.5);
    outlinedShape(p, can, vertical(3.5, 15.5, QColor(235, 70, 60), QColor(160, 25, 20)), QColor(100, 10, 10));
    outlinedShape(p, polygonPath({{10, 3.5}, {12, 0.8}, {14.5, 1.8}, {13.5, 4}}), QColor(200, 200, 205),
                  QColor(110, 110, 115), 0.6);
    p.fillRect(QRectF(3.5, 1.5, 5, 2), QColor(160, 25, 20));
    stroke(p, line({4, 6.5}, {11.5, 13.5}), QColor(120, 15, 12), 1.0);
    stroke(p, line({11.5, 6.5}, {4, 13.5}), QColor(120, 15, 12), 1.0);
}

void resEnergyCrystals(QPainter& p) {
    const QColor cyan(70, 230, 245);
    QRadialGradient glow(QPointF(8, 8), 8);
    glow.setColorAt(0, withAlpha(cyan, 150));
    glow.setColorAt(1, withAlpha(cyan, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QPointF(8, 8), 8, 8);
    crystal(p, polygonPath({{8, 0.8}, {12, 5}, {10.5, 15}, {5.5, 15}, {4, 5}}), cyan);
    stroke(p, line({8, 1.8}, {8, 14}), cyan.lighter(170), 0.7);
}

}  // namespace

QImage resourceIcon(int resource, int scale) {
    static const IconPainter painters[] = {
        resEnergy,         resFood,      resBuildingMaterial, resMinerals,      resMetal,
        resNanites,        resDeuterium, resExplosives,       resResearch,      resAlloys,
        resElectronics,    resMedicine,  resRareEarths,       resConsumerGoods, resFuel,
        resEnergyCrystals,
    };
    if (resource < 0 || resource >= static_cast<int>(std::size(painters)))
        throw std::out_of_range("resource " + std::to_string(resource));
    return squareIcon(kIconSize, painters[resource], scale);
}

}  // namespace dz::pictures
