// State frames, panel icons and resource icons: small pictures on black, the
// colour of the panels they sit on.
#include <QLinearGradient>
#include <QPen>
#include <QRadialGradient>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <string>

#include "paint_kit.h"
#include "pictures.h"

namespace dz::pictures {

namespace {

constexpr double kPi = std::numbers::pi;

// State frame colours. Left and right edge: operation; top and bottom edge:
// area range.
constexpr QRgb kInOperation = 0xff00d200;
constexpr QRgb kIdle = 0xff5a5a5a;
constexpr QRgb kWideRange = 0xff288cff;
constexpr QRgb kNearRange = 0xffffa000;
constexpr int kDashLength = 3;  // both ranges: blue and orange dashes

QPainterPath ellipsePath(const QRectF& r) {
    QPainterPath path;
    path.addEllipse(r);
    return path;
}

void outlinedShape(QPainter& p, const QPainterPath& path, const QBrush& fill, const QColor& outline,
                   double width = 0.8) {
    p.setPen(QPen(outline, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(path);
}

void stroke(QPainter& p, const QPainterPath& path, const QColor& colour, double width) {
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

QPainterPath line(QPointF from, QPointF to) {
    QPainterPath path(from);
    path.lineTo(to);
    return path;
}

QLinearGradient vertical(double top, double bottom, const QColor& upper, const QColor& lower) {
    QLinearGradient g(0, top, 0, bottom);
    g.setColorAt(0, upper);
    g.setColorAt(1, lower);
    return g;
}

void centredText(QPainter& p, const QRectF& box, const QString& text, int pixelSize, const QColor& colour) {
    p.setFont(pixelFont(pixelSize, true));
    p.setPen(colour);
    p.drawText(box, Qt::AlignCenter, text);
}

QPainterPath boltPath(double scale, QPointF offset) {
    QPainterPath bolt = polygonPath({{10, 0.5}, {3, 9}, {7.5, 9}, {5.5, 15.5}, {13, 6.5}, {8.5, 6.5}, {11.8, 0.5}});
    QTransform t;
    t.translate(offset.x(), offset.y());
    t.scale(scale, scale);
    return t.map(bolt);
}

// --- people ---------------------------------------------------------------

// A person seen from the front, head at (x, 4).
void person(QPainter& p, double x, const QColor& shirt) {
    QPainterPath body(QPointF(x - 4.5, 15.5));
    body.quadTo(x - 4.5, 8, x, 8);
    body.quadTo(x + 4.5, 8, x + 4.5, 15.5);
    body.closeSubpath();
    outlinedShape(p, body, shirt, shirt.darker(170));
    outlinedShape(p, ellipsePath(QRectF(x - 2.6, 1.6, 5.2, 5.2)), QColor(242, 206, 172), QColor(150, 110, 80));
}

void iconLivingSpace(QPainter& p) {
    outlinedShape(p, polygonPath({{3.5, 8}, {12.5, 8}, {12.5, 14.5}, {3.5, 14.5}}), QColor(226, 220, 204),
                  QColor(140, 134, 120));
    outlinedShape(p, polygonPath({{1.5, 8.5}, {8, 2}, {14.5, 8.5}}), QColor(206, 80, 58), QColor(120, 40, 30));
    p.fillRect(QRectF(7, 10.5, 2, 4), QColor(100, 64, 40));
    p.fillRect(QRectF(4.5, 9.5, 1.8, 1.8), QColor(110, 170, 232));
    p.fillRect(QRectF(9.7, 9.5, 1.8, 1.8), QColor(110, 170, 232));
}

void iconPopulationLimit(QPainter& p) {
    p.fillRect(QRectF(2, 7, 2, 9), QColor(165, 165, 172));
    p.fillRect(QRectF(12, 7, 2, 9), QColor(165, 165, 172));
    for (int x = 0; x < 16; x += 3)
        p.fillRect(QRectF(x, 4, 3, 3), (x / 3) % 2 == 0 ? QColor(226, 44, 40) : QColor(245, 245, 245));
    p.fillRect(QRectF(0, 14.5, 16, 1.5), QColor(110, 110, 116));
}

void iconWorker(QPainter& p) {
    person(p, 6, QColor(236, 136, 40));
    stroke(p, line({9.5, 13}, {13.5, 5}), QColor(176, 124, 72), 1.4);
    p.save();
    p.translate(13.6, 4.6);
    p.rotate(27);
    outlinedShape(p, polygonPath({{-2.8, -1.4}, {2.8, -1.4}, {2.8, 1.4}, {-2.8, 1.4}}), QColor(190, 196, 206),
                  QColor(110, 114, 122), 0.6);
    p.restore();
}

// The letter Z as three strokes, `size` wide and high.
void sleepZ(QPainter& p, QPointF topLeft, double size, double width, const QColor& colour) {
    QPainterPath z(topLeft);
    z.lineTo(topLeft + QPointF(size, 0));
    z.lineTo(topLeft + QPointF(0, size));
    z.lineTo(topLeft + QPointF(size, size));
    stroke(p, z, colour, width);
}

void iconUnemployed(QPainter& p) {
    person(p, 6, QColor(140, 140, 150));
    sleepZ(p, {10, 1.5}, 4.5, 1.1, QColor(200, 220, 255));
    sleepZ(p, {11.5, 8}, 2.5, 0.9, QColor(200, 220, 255));
}

void iconEnvironmentalist(QPainter& p) {
    QPainterPath leaf(QPointF(2, 14.5));
    leaf.cubicTo(1.5, 6, 7, 1.5, 14.5, 1.5);
    leaf.cubicTo(14.5, 9, 10, 14.5, 2, 14.5);
    outlinedShape(p, leaf, vertical(1, 15, QColor(140, 230, 100), QColor(50, 150, 50)), QColor(30, 100, 30));
    stroke(p, line({3, 13.5}, {11.5, 5}), QColor(30, 100, 30), 0.9);
}

void iconHolodeckOperator(QPainter& p) {
    const QColor grid(70, 230, 240);
    // a floor grid narrowing towards the back
    const QPointF farLeft(4, 9), farRight(12, 9), nearLeft(0.5, 15.5), nearRight(15.5, 15.5);
    for (int k = 0; k <= 3; ++k) {
        const double t = k / 3.0;
        stroke(p, line(farLeft + (farRight - farLeft) * t, nearLeft + (nearRight - nearLeft) * t), grid, 0.8);
    }
    for (double t : {0.0, 0.4, 1.0})
        stroke(p, line(farLeft + (nearLeft - farLeft) * t, farRight + (nearRight - farRight) * t), grid, 0.8);
    // head with a visor above it
    outlinedShape(p, ellipsePath(QRectF(4.5, 0.5, 7, 7)), QColor(242, 206, 172), QColor(150, 110, 80));
    outlinedShape(p, polygonPath({{4, 2.8}, {12, 2.8}, {12, 5}, {4, 5}}), grid, QColor(20, 120, 140), 0.6);
}

// A lab flask filled with green liquid, inside the box (x, y, w, h).
void flask(QPainter& p, const QRectF& box) {
    const double cx = box.center().x();
    const double neck = box.width() * 0.16;
    const double neckBottom = box.top() + box.height() * 0.38;
    const QPainterPath glass = polygonPath({{cx - neck, box.top()},
                                            {cx + neck, box.top()},
                                            {cx + neck, neckBottom},
                                            {box.right(), box.bottom()},
                                            {box.left(), box.bottom()},
                                            {cx - neck, neckBottom}});
    outlinedShape(p, glass, QColor(226, 238, 248), QColor(150, 170, 190));
    p.save();
    p.setClipPath(glass);
    p.fillRect(QRectF(box.left(), box.top() + box.height() * 0.6, box.width(), box.height()), QColor(100, 230, 140));
    p.restore();
    stroke(p, glass, QColor(150, 170, 190), 0.8);
}

void iconScientist(QPainter& p) { flask(p, QRectF(2.5, 1.5, 11, 13.5)); }

void iconSoldier(QPainter& p) {
    QPainterPath helmet(QPointF(2, 11));
    helmet.arcTo(QRectF(2, 3, 12, 16), 180, -180);
    helmet.closeSubpath();
    outlinedShape(p, helmet, vertical(3, 11, QColor(150, 170, 92), QColor(80, 98, 46)), QColor(50, 62, 30));
    outlinedShape(p, polygonPath({{0.5, 10.5}, {15.5, 10.5}, {15.5, 12.5}, {0.5, 12.5}}), QColor(96, 116, 56),
                  QColor(50, 62, 30));
    stroke(p, line({5, 6}, {7, 4.5}), QColor(190, 205, 140), 0.8);
}

void crate(QPainter& p, const QRectF& box) {
    outlinedShape(p, polygonPath({box.topLeft(), box.topRight(), box.bottomRight(), box.bottomLeft()}),
                  QColor(198, 146, 82), QColor(120, 80, 40), 1.0);
    const QRectF inner = box.adjusted(1.6, 1.6, -1.6, -1.6);
    stroke(p, polygonPath({inner.topLeft(), inner.topRight(), inner.bottomRight(), inner.bottomLeft()}),
           QColor(120, 80, 40), 0.9);
    stroke(p, line(inner.topLeft(), inner.bottomRight()), QColor(120, 80, 40), 0.9);
    stroke(p, line(inner.bottomLeft(), inner.topRight()), QColor(120, 80, 40), 0.9);
}

void iconStorage(QPainter& p) { crate(p, QRectF(1.5, 2.5, 14, 13)); }

void iconEps(QPainter& p) {
    outlinedShape(p, polygonPath({{6.5, 1}, {10.5, 1}, {10.5, 3}, {6.5, 3}}), QColor(180, 180, 186),
                  QColor(110, 110, 116), 0.6);
    QPainterPath cell;
    cell.addRoundedRect(QRectF(3.5, 2.5, 10, 14), 1.5, 1.5);
    outlinedShape(p, cell, vertical(2.5, 16.5, QColor(80, 86, 100), QColor(40, 44, 54)), QColor(255, 210, 60), 1.0);
    outlinedShape(p, boltPath(0.62, QPointF(3.8, 4.5)), QColor(255, 224, 60), QColor(150, 100, 0), 0.5);
}

void coin(QPainter& p, const QRectF& box, const QString& letter) {
    QRadialGradient gold(box.topLeft() + QPointF(box.width() * 0.35, box.height() * 0.35), box.width() * 0.8);
    gold.setColorAt(0, QColor(255, 236, 140));
    gold.setColorAt(1, QColor(205, 150, 30));
    outlinedShape(p, ellipsePath(box), gold, QColor(140, 96, 10), 1.0);
    centredText(p, box.adjusted(0, 0.5, 0, 0.5), letter, 10, QColor(110, 70, 0));
}

void iconCredits(QPainter& p) { coin(p, QRectF(1.5, 1.5, 13, 13), QStringLiteral("C")); }

// --- resources --------------------------------------------------------------

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

using IconPainter = void (*)(QPainter&);

QImage icon(int size, IconPainter paint) {
    QImage image = canvas(size, size);
    QPainter p;
    beginPainting(p, image);
    paint(p);
    p.end();
    return image;
}

// The people icons beside the personnel rows stand at left 16 while the grid's
// text starts at 29: they are 13 pixels wide, and the figure, drawn on the
// 16-pixel plan narrowed, takes the left 10 of them, so that three pixels of
// black keep it apart from its row's text.
constexpr int kPeopleIconWidth = 13;
constexpr double kPeopleFigureWidth = 10.0;

QImage peopleIcon(IconPainter paint) {
    QImage image = canvas(kPeopleIconWidth, kIconSize);
    QPainter p;
    beginPainting(p, image);
    p.scale(kPeopleFigureWidth / kIconSize, 1.0);
    paint(p);
    p.end();
    return image;
}

}  // namespace

QImage stateFrame(bool inOperation, bool wideRange, bool nearRange) {
    QImage image = canvas(kStateFrameSize, kStateFrameSize);
    const int last = kStateFrameSize - 1;
    const QRgb side = inOperation ? kInOperation : kIdle;
    for (int y = 0; y <= last; ++y) {
        image.setPixel(0, y, side);
        image.setPixel(last, y, side);
    }
    for (int x = 1; x < last; ++x) {
        QRgb edge = side;
        if (wideRange && nearRange)
            edge = ((x - 1) / kDashLength) % 2 == 0 ? kWideRange : kNearRange;
        else if (wideRange)
            edge = kWideRange;
        else if (nearRange)
            edge = kNearRange;
        image.setPixel(x, 0, edge);
        image.setPixel(x, last, edge);
    }
    return image;
}

QImage panelIcon(PanelIcon which) {
    switch (which) {
    case PanelIcon::LivingSpace: return peopleIcon(iconLivingSpace);
    case PanelIcon::PopulationLimit: return icon(kIconSize, iconPopulationLimit);
    case PanelIcon::Worker: return peopleIcon(iconWorker);
    case PanelIcon::Unemployed: return peopleIcon(iconUnemployed);
    case PanelIcon::Environmentalist: return peopleIcon(iconEnvironmentalist);
    case PanelIcon::HolodeckOperator: return peopleIcon(iconHolodeckOperator);
    case PanelIcon::Scientist: return peopleIcon(iconScientist);
    case PanelIcon::Soldier: return peopleIcon(iconSoldier);
    case PanelIcon::Storage: return icon(kLargeIconSize, iconStorage);
    case PanelIcon::Eps: return icon(kLargeIconSize, iconEps);
    case PanelIcon::Credits: return icon(kIconSize, iconCredits);
    }
    throw std::out_of_range("panel icon");
}

QImage resourceIcon(int resource) {
    static const IconPainter painters[] = {
        resEnergy,         resFood,      resBuildingMaterial, resMinerals,      resMetal,
        resNanites,        resDeuterium, resExplosives,       resResearch,      resAlloys,
        resElectronics,    resMedicine,  resRareEarths,       resConsumerGoods, resFuel,
        resEnergyCrystals,
    };
    if (resource < 0 || resource >= static_cast<int>(std::size(painters)))
        throw std::out_of_range("resource " + std::to_string(resource));
    return icon(kIconSize, painters[resource]);
}

std::vector<QImage> busyAnimation() {
    std::vector<QImage> frames;
    for (int frame = 0; frame < kBusyFrameCount; ++frame) {
        QImage image = canvas(kIconSize, kIconSize);
        QPainter p;
        beginPainting(p, image);
        p.setPen(Qt::NoPen);
        const QPointF centre(kIconSize / 2.0, kIconSize / 2.0);
        const double radius = kIconSize * 0.36;
        const double dot = 1.7;
        for (int i = 0; i < kBusyFrameCount; ++i) {
            // The bright dot runs clockwise; the ones behind it fade out.
            const int behind = (frame - i + kBusyFrameCount) % kBusyFrameCount;
            const int grey = std::max(70, 255 - behind * 40);
            p.setBrush(QColor(grey, grey, grey));
            const double angle = 2.0 * M_PI * i / kBusyFrameCount - M_PI / 2.0;
            p.drawEllipse(QPointF(centre.x() + radius * std::cos(angle), centre.y() + radius * std::sin(angle)), dot, dot);
        }
        p.end();
        frames.push_back(image);
    }
    return frames;
}

}  // namespace dz::pictures
