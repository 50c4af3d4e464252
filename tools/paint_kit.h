// Small drawing helpers shared by every kind of picture of make_pictures.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <cstdint>
#include <initializer_list>

namespace dz::pictures {

// Linear congruential generator. Every picture seeds its own with a fixed
// number, so scattered details (stars, grass, rocks) land on the same pixels
// in every run and the generated files never change by themselves.
class Lcg {
public:
    explicit Lcg(std::uint32_t seed);
    std::uint32_t next();                  // 24 random bits
    int range(int lo, int hi);             // lo..hi, both included
    double between(double lo, double hi);  // [lo, hi)

private:
    std::uint32_t state_;
};

// Opaque canvas filled with one colour.
QImage canvas(int width, int height, const QColor& fill = Qt::black);

// The one font of the picture set, set by family and pixel size so that the
// text does not depend on the screen or the desktop settings.
QFont pixelFont(int pixelSize, bool bold);

// Painter on `image` with anti-aliasing switched on. With `scale` above 1 the
// painter is scaled by it: the drawing code keeps its coordinates of the plain
// picture and fills a canvas `scale` times as large.
void beginPainting(QPainter& painter, QImage& image, int scale = 1);

// Linear blend: t = 0 gives a, t = 1 gives b (alpha included).
QColor blend(const QColor& a, const QColor& b, double t);
QColor withAlpha(const QColor& c, int alpha);

// Fills the whole image with `base`, every pixel brightened or darkened by up
// to `amount`: a grainy ground instead of a flat colour. With `scale` above 1
// a grain is a block of `scale` x `scale` pixels, so the larger picture takes
// the same numbers from `rng` and shows the same grain.
void grainyFill(QImage& image, const QColor& base, int amount, Lcg& rng, int scale = 1);

QPainterPath polygonPath(std::initializer_list<QPointF> points);
QPainterPath ellipsePath(const QRectF& r);
QPainterPath rectPath(const QRectF& r);

// A lumpy, roughly round outline around `centre`.
QPainterPath rockOutline(QPointF centre, double radius, Lcg& rng, int corners = 7);

// A rock lit from the top left, with a dark outline.
void drawRock(QPainter& painter, QPointF centre, double radius, const QColor& colour, Lcg& rng);

// Fills `path` and outlines it with a thin dark line, so the shape stands out
// on any ground.
void inkedShape(QPainter& painter, const QPainterPath& path, const QBrush& fill, double inkWidth = 1.0);

// A line drawn twice: wide and dark underneath, narrower in `colour` on top.
void inkedLine(QPainter& painter, QPointF from, QPointF to, const QColor& colour, double width);

}  // namespace dz::pictures
