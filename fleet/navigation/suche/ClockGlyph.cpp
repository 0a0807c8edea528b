#include "navigation/suche/ClockGlyph.h"

#include <QColor>
#include <QPainter>
#include <QPen>
#include <QPointF>
#include <QRectF>

namespace nav {

QPixmap clockGlyph(int phase)
{
    constexpr int size = 32;
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(size / 2.0, size / 2.0);
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(Qt::white);
    p.drawEllipse(centre, 13, 13);
    // Ticks at the twelve hours, the top one thicker.
    for (int hour = 0; hour < 12; ++hour) {
        p.save();
        p.translate(centre);
        p.rotate(hour * 30.0);
        p.setPen(QPen(Qt::black, hour == 0 ? 2.0 : 1.0));
        p.drawLine(QPointF(0, -12), QPointF(0, -9.5));
        p.restore();
    }
    // The hand, and the part of the face it has passed in grey.
    const int step = ((phase % 13) + 13) % 13;
    if (step > 0) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(200, 200, 200));
        p.drawPie(QRectF(centre.x() - 8, centre.y() - 8, 16, 16), 90 * 16, -step * 30 * 16);
    }
    p.save();
    p.translate(centre);
    p.rotate(step * 30.0);
    p.setPen(QPen(Qt::black, 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(0, 0), QPointF(0, -10));
    p.restore();
    p.setBrush(Qt::black);
    p.drawEllipse(centre, 1.5, 1.5);
    return pixmap;
}

} // namespace nav
