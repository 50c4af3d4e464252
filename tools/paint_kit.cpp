#include "paint_kit.h"

#include <QLinearGradient>
#include <QPen>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace dz::pictures {

namespace {
const QColor kInk(18, 18, 22);
}

Lcg::Lcg(std::uint32_t seed) : state_(seed * 2654435761u + 0x6d2b79f5u) {
    // The first values after a small seed are poorly mixed; skip them.
    for (int i = 0; i < 4; ++i) next();
}

std::uint32_t Lcg::next() {
    state_ = state_ * 1664525u + 1013904223u;
    return state_ >> 8;
}

int Lcg::range(int lo, int hi) { return lo + static_cast<int>(next() % static_cast<std::uint32_t>(hi - lo + 1)); }

double Lcg::between(double lo, double hi) {
    return lo + (hi - lo) * (static_cast<double>(next()) / static_cast<double>(1u << 24));
}

QImage canvas(int width, int height, const QColor& fill) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

QFont pixelFont(int pixelSize, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setStyleStrategy(QFont::NoSubpixelAntialias);
    return font;
}

void beginPainting(QPainter& painter, QImage& image, int scale) {
    painter.begin(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    if (scale != 1) painter.scale(scale, scale);
}

QColor blend(const QColor& a, const QColor& b, double t) {
    auto mix = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
    return QColor(mix(a.red(), b.red()), mix(a.green(), b.green()), mix(a.blue(), b.blue()), mix(a.alpha(), b.alpha()));
}

QColor withAlpha(const QColor& c, int alpha) {
    QColor result = c;
    result.setAlpha(alpha);
    return result;
}

void grainyFill(QImage& image, const QColor& base, int amount, Lcg& rng, int scale) {
    for (int y = 0; y < image.height() / scale; ++y) {
        for (int x = 0; x < image.width() / scale; ++x) {
            const int d = amount > 0 ? rng.range(-amount, amount) : 0;
            const QRgb grain = qRgb(std::clamp(base.red() + d, 0, 255), std::clamp(base.green() + d, 0, 255),
                                    std::clamp(base.blue() + d, 0, 255));
            for (int dy = 0; dy < scale; ++dy)
                for (int dx = 0; dx < scale; ++dx) image.setPixel(x * scale + dx, y * scale + dy, grain);
        }
    }
}

QPainterPath polygonPath(std::initializer_list<QPointF> points) {
    QPainterPath path;
    bool first = true;
    for (const QPointF& p : points) {
        if (first)
            path.moveTo(p);
        else
            path.lineTo(p);
        first = false;
    }
    path.closeSubpath();
    return path;
}

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

QPainterPath rockOutline(QPointF centre, double radius, Lcg& rng, int corners) {
    QPainterPath path;
    const double start = rng.between(0, 2 * std::numbers::pi);
    for (int i = 0; i < corners; ++i) {
        const double angle = start + 2 * std::numbers::pi * i / corners;
        const double r = radius * rng.between(0.72, 1.05);
        const QPointF p = centre + QPointF(std::cos(angle) * r, std::sin(angle) * r);
        if (i == 0)
            path.moveTo(p);
        else
            path.lineTo(p);
    }
    path.closeSubpath();
    return path;
}

void drawRock(QPainter& painter, QPointF centre, double radius, const QColor& colour, Lcg& rng) {
    QRadialGradient light(centre - QPointF(radius * 0.45, radius * 0.45), radius * 1.6);
    light.setColorAt(0, colour.lighter(150));
    light.setColorAt(0.5, colour);
    light.setColorAt(1, colour.darker(200));
    painter.setPen(QPen(colour.darker(280), 0.7));
    painter.setBrush(light);
    painter.drawPath(rockOutline(centre, radius, rng));
}

void inkedShape(QPainter& painter, const QPainterPath& path, const QBrush& fill, double inkWidth) {
    painter.setPen(QPen(kInk, inkWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(fill);
    painter.drawPath(path);
}

void inkedLine(QPainter& painter, QPointF from, QPointF to, const QColor& colour, double width) {
    painter.setPen(QPen(kInk, width + 1.6, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(from, to);
    painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(from, to);
}

}  // namespace dz::pictures
