#include "gui/decoration.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cstdint>

namespace dz {

QPixmap drawDecoration(int width, int height) {
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::black);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);

    // Stars at fixed pseudo-random places, so the picture is always the same.
    std::uint32_t seed = 20261209u;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    for (int i = 0; i < 90; ++i) {
        const int x = int(next() % std::uint32_t(width));
        const int y = int(next() % std::uint32_t(height));
        const int shade = 110 + int(next() % 146u);
        p.setPen(QColor(shade, shade, shade));
        p.drawPoint(x, y);
    }

    // A planet with a colony light and a ring around it.
    const QPointF centre(width * 0.32, height * 0.40);
    const qreal radius = height * 0.25;
    QRadialGradient surface(centre - QPointF(radius * 0.4, radius * 0.4), radius * 1.6);
    surface.setColorAt(0.0, QColor(120, 190, 120));
    surface.setColorAt(0.5, QColor(40, 110, 90));
    surface.setColorAt(1.0, QColor(5, 20, 25));

    QPainterPath backRing;
    backRing.addEllipse(centre, radius * 1.75, radius * 0.42);
    p.setPen(QPen(QColor(200, 170, 110, 160), 3));
    p.setBrush(Qt::NoBrush);
    p.save();
    p.setClipRect(QRectF(0, 0, width, centre.y()));
    p.drawPath(backRing);
    p.restore();

    p.setPen(Qt::NoPen);
    p.setBrush(surface);
    p.drawEllipse(centre, radius, radius);

    p.setPen(QPen(QColor(220, 190, 120), 3));
    p.setBrush(Qt::NoBrush);
    p.save();
    p.setClipRect(QRectF(0, centre.y(), width, height));
    p.drawPath(backRing);
    p.restore();

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 230, 140));
    p.drawEllipse(centre + QPointF(radius * 0.25, -radius * 0.1), 2.5, 2.5);
    p.drawEllipse(centre + QPointF(radius * 0.05, radius * 0.3), 2.0, 2.0);

    QFont title(QStringLiteral("DejaVu Sans"));
    title.setPixelSize(22);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(230, 230, 230));
    const QRectF textArea(width * 0.40, height * 0.70, width * 0.56, height * 0.14);
    p.drawText(textArea, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Dizozodidu"));
    QFont subtitle(QStringLiteral("DejaVu Sans"));
    subtitle.setPixelSize(11);
    p.setFont(subtitle);
    p.setPen(QColor(160, 200, 160));
    p.drawText(textArea.translated(0, height * 0.13), Qt::AlignRight | Qt::AlignTop,
               QStringLiteral("Kolonieplaner"));
    return pixmap;
}

}  // namespace dz
