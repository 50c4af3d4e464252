// State frames, panel icons and the busy sign: small pictures on black, the
// colour of the panels they sit on.
#include <QLinearGradient>
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

// State frame colours. Left and right edge: operation; top and bottom edge:
// area range.
constexpr QRgb kInOperation = 0xff00d200;
constexpr QRgb kIdle = 0xff5a5a5a;
constexpr QRgb kWideRange = 0xff288cff;
constexpr QRgb kNearRange = 0xffffa000;
constexpr int kDashLength = 3;  // both ranges: blue and orange dashes

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

// The people icons beside the personnel rows stand at left 16 while the grid's
// text starts at 29: they are 13 pixels wide, and the figure, drawn on the
// 16-pixel plan narrowed, takes the left 10 of them, so that three pixels of
// black keep it apart from its row's text.
constexpr int kPeopleIconWidth = 13;
constexpr double kPeopleFigureWidth = 10.0;

QImage peopleIcon(IconPainter paint, int scale) {
    QImage image = canvas(kPeopleIconWidth * scale, kIconSize * scale);
    QPainter p;
    beginPainting(p, image, scale);
    p.scale(kPeopleFigureWidth / kIconSize, 1.0);
    paint(p);
    p.end();
    return image;
}

}  // namespace

QImage stateFrame(bool inOperation, bool wideRange, bool nearRange, int scale) {
    QImage image = canvas(kStateFrameSize * scale, kStateFrameSize * scale);
    // The ring is one frame pixel wide: `scale` x `scale` pixels of the picture each.
    auto put = [&image, scale](int x, int y, QRgb colour) {
        for (int dy = 0; dy < scale; ++dy)
            for (int dx = 0; dx < scale; ++dx) image.setPixel(x * scale + dx, y * scale + dy, colour);
    };
    const int last = kStateFrameSize - 1;
    const QRgb side = inOperation ? kInOperation : kIdle;
    for (int y = 0; y <= last; ++y) {
        put(0, y, side);
        put(last, y, side);
    }
    for (int x = 1; x < last; ++x) {
        QRgb edge = side;
        if (wideRange && nearRange)
            edge = ((x - 1) / kDashLength) % 2 == 0 ? kWideRange : kNearRange;
        else if (wideRange)
            edge = kWideRange;
        else if (nearRange)
            edge = kNearRange;
        put(x, 0, edge);
        put(x, last, edge);
    }
    return image;
}

QImage panelIcon(PanelIcon which, int scale) {
    switch (which) {
    case PanelIcon::LivingSpace: return peopleIcon(iconLivingSpace, scale);
    case PanelIcon::PopulationLimit: return squareIcon(kIconSize, iconPopulationLimit, scale);
    case PanelIcon::Worker: return peopleIcon(iconWorker, scale);
    case PanelIcon::Unemployed: return peopleIcon(iconUnemployed, scale);
    case PanelIcon::Environmentalist: return peopleIcon(iconEnvironmentalist, scale);
    case PanelIcon::HolodeckOperator: return peopleIcon(iconHolodeckOperator, scale);
    case PanelIcon::Scientist: return peopleIcon(iconScientist, scale);
    case PanelIcon::Soldier: return peopleIcon(iconSoldier, scale);
    case PanelIcon::Storage: return squareIcon(kLargeIconSize, iconStorage, scale);
    case PanelIcon::Eps: return squareIcon(kLargeIconSize, iconEps, scale);
    case PanelIcon::Credits: return squareIcon(kIconSize, iconCredits, scale);
    }
    throw std::out_of_range("panel icon");
}

std::vector<QImage> busyAnimation(int scale) {
    std::vector<QImage> frames;
    for (int frame = 0; frame < kBusyFrameCount; ++frame) {
        QImage image = canvas(kIconSize * scale, kIconSize * scale);
        QPainter p;
        beginPainting(p, image, scale);
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