#include "navigation/leiste/NavGlyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <QTransform>

#include "ui/DeferredIcon.h"

namespace nav {

namespace {

constexpr int kSize = 16;

void triangle(QPainter &p, qreal x, bool left)
{
    QPolygonF poly;
    if (left)
        poly << QPointF(x + 5, 3) << QPointF(x + 5, 13) << QPointF(x, 8);
    else
        poly << QPointF(x, 3) << QPointF(x, 13) << QPointF(x + 5, 8);
    p.drawPolygon(poly);
}

void bar(QPainter &p, qreal x)
{
    p.drawRect(QRectF(x, 3, 2, 10));
}

void magnifier(QPainter &p)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::black, 1.6));
    p.drawEllipse(QRectF(2, 2, 8, 8));
    p.setPen(QPen(Qt::black, 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9.5, 9.5), QPointF(14, 14));
}

void bookmarkRibbon(QPainter &p, const QColor &color)
{
    QPolygonF poly;
    poly << QPointF(4, 1) << QPointF(12, 1) << QPointF(12, 15) << QPointF(8, 11) << QPointF(4, 15);
    p.setBrush(color);
    p.setPen(QPen(Qt::black, 1));
    p.drawPolygon(poly);
}

void funnel(QPainter &p, const QColor &color)
{
    QPolygonF poly;
    poly << QPointF(1, 2) << QPointF(15, 2) << QPointF(10, 8) << QPointF(10, 14) << QPointF(6, 12)
         << QPointF(6, 8);
    p.setBrush(color);
    p.setPen(QPen(Qt::black, 1));
    p.drawPolygon(poly);
}

void grid(QPainter &p, int rows)
{
    p.setBrush(Qt::white);
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(QRectF(1.5, 2.5, 13, 11));
    for (int r = 1; r < rows; ++r)
        p.drawLine(QPointF(1.5, 2.5 + r * 11.0 / rows), QPointF(14.5, 2.5 + r * 11.0 / rows));
    p.drawLine(QPointF(6, 2.5), QPointF(6, 13.5));
}

void drawGlyph(QPainter &p, const QString &name)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    const QColor blue(0, 0, 160), green(0, 128, 0), red(192, 0, 0);
    if (name == QLatin1String("FIRST")) {
        bar(p, 3);
        triangle(p, 6, true);
    } else if (name == QLatin1String("PGROUP")) {
        triangle(p, 2, true);
        triangle(p, 8, true);
    } else if (name == QLatin1String("PRIOR") || name == QLatin1String("LSCROLL")) {
        triangle(p, 5, true);
    } else if (name == QLatin1String("NEXT") || name == QLatin1String("RSCROLL")) {
        triangle(p, 6, false);
    } else if (name == QLatin1String("NGROUP")) {
        triangle(p, 3, false);
        triangle(p, 9, false);
    } else if (name == QLatin1String("LAST")) {
        triangle(p, 5, false);
        bar(p, 11);
    } else if (name == QLatin1String("INSERT")) {
        p.setBrush(blue);
        p.drawRect(QRectF(7, 2, 2, 12));
        p.drawRect(QRectF(2, 7, 12, 2));
    } else if (name == QLatin1String("DELETE")) {
        p.setBrush(blue);
        p.drawRect(QRectF(2, 7, 12, 2));
    } else if (name == QLatin1String("EDIT")) {
        p.setPen(QPen(blue, 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(3, 13), QPointF(13, 3));
        p.setPen(QPen(Qt::black, 1));
        p.drawLine(QPointF(2, 14), QPointF(4, 14));
    } else if (name == QLatin1String("POST")) {
        p.setPen(QPen(green, 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawPolyline(QPolygonF() << QPointF(3, 8) << QPointF(7, 12) << QPointF(13, 4));
    } else if (name == QLatin1String("CANCEL")) {
        p.setPen(QPen(red, 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
    } else if (name == QLatin1String("REFRESH")) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(blue, 1.8));
        p.drawArc(QRectF(3, 3, 10, 10), 60 * 16, 280 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(blue);
        p.drawPolygon(QPolygonF() << QPointF(9, 0.5) << QPointF(13, 3.5) << QPointF(9, 6));
    } else if (name == QLatin1String("SEARCH")) {
        magnifier(p);
    } else if (name == QLatin1String("SEARCHNEXT")) {
        magnifier(p);
        p.setPen(Qt::NoPen);
        p.setBrush(blue);
        p.drawPolygon(QPolygonF() << QPointF(11, 1) << QPointF(16, 4) << QPointF(11, 7));
    } else if (name == QLatin1String("INCSEARCH")) {
        magnifier(p);
        p.setPen(QPen(blue, 1));
        p.setFont(QFont(QStringLiteral("Sans Serif"), 5));
        p.drawText(QRectF(0, 10, 8, 6), Qt::AlignCenter, QStringLiteral("ab"));
    } else if (name == QLatin1String("SETBOOKMARK")) {
        bookmarkRibbon(p, QColor(230, 180, 0));
    } else if (name == QLatin1String("GOTOBOOKMARK")) {
        bookmarkRibbon(p, QColor(230, 180, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(blue);
        p.drawPolygon(QPolygonF() << QPointF(9, 5) << QPointF(15, 9) << QPointF(9, 13));
    } else if (name == QLatin1String("GLOBFILTER")) {
        funnel(p, QColor(200, 200, 200));
    } else if (name == QLatin1String("ACTIVEFILTER")) {
        funnel(p, QColor(255, 210, 0));
    } else if (name == QLatin1String("INDEX")) {
        p.setPen(QPen(Qt::black, 1));
        p.setFont(QFont(QStringLiteral("Sans Serif"), 6, QFont::Bold));
        p.drawText(QRectF(0, 0, 10, 8), Qt::AlignCenter, QStringLiteral("A"));
        p.drawText(QRectF(0, 8, 10, 8), Qt::AlignCenter, QStringLiteral("Z"));
        p.setPen(Qt::NoPen);
        p.setBrush(blue);
        p.drawRect(QRectF(11.5, 2, 1.5, 9));
        p.drawPolygon(QPolygonF() << QPointF(9.5, 10) << QPointF(15, 10) << QPointF(12.25, 14.5));
    } else if (name == QLatin1String("TABLEVIEW")) {
        grid(p, 4);
    } else if (name == QLatin1String("SINGLERECVIEW")) {
        grid(p, 1);
        p.setPen(QPen(Qt::black, 1));
        p.drawLine(QPointF(8, 6), QPointF(13, 6));
        p.drawLine(QPointF(8, 9), QPointF(13, 9));
    } else if (name == QLatin1String("MEMOVIEW")) {
        p.setBrush(Qt::white);
        p.setPen(QPen(Qt::black, 1));
        p.drawRect(QRectF(3.5, 1.5, 9, 13));
        for (int y = 4; y <= 12; y += 3)
            p.drawLine(QPointF(5, y), QPointF(11, y));
    } else if (name == QLatin1String("DUPFIELD") || name == QLatin1String("DUPRECORD")) {
        p.setBrush(Qt::white);
        p.setPen(QPen(Qt::black, 1));
        const qreal h = name == QLatin1String("DUPFIELD") ? 5 : 8;
        p.drawRect(QRectF(1.5, 1.5, 9, h));
        p.setBrush(QColor(200, 220, 255));
        p.drawRect(QRectF(5.5, 14.5 - h, 9, h));
    } else if (name == QLatin1String("LOOKUP")) {
        p.setBrush(Qt::white);
        p.setPen(QPen(Qt::black, 1));
        p.drawRect(QRectF(1.5, 3.5, 13, 9));
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawPolygon(QPolygonF() << QPointF(9, 6) << QPointF(13, 6) << QPointF(11, 10));
    } else if (name == QLatin1String("GLOBALEDIT")) {
        p.setBrush(QColor(255, 240, 200));
        p.setPen(QPen(Qt::black, 1));
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.setPen(QPen(red, 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(4, 12), QPointF(12, 4));
    } else if (name == QLatin1String("USERBTN")) {
        p.setBrush(QColor(120, 120, 120));
        p.drawEllipse(QRectF(5, 5, 6, 6));
    }
}

} // namespace

QIcon navGlyph(const QString &name, bool vertical)
{
    // Drawn when first shown: most bars hide some of their buttons.
    return ui::deferredIcon([glyph = name.toUpper(), vertical] {
        QPixmap pixmap(kSize, kSize);
        pixmap.fill(Qt::transparent);
        {
            QPainter painter(&pixmap);
            drawGlyph(painter, glyph);
        }
        static const QStringList turned = {QStringLiteral("FIRST"),   QStringLiteral("PGROUP"),
                                           QStringLiteral("PRIOR"),   QStringLiteral("NEXT"),
                                           QStringLiteral("NGROUP"),  QStringLiteral("LAST"),
                                           QStringLiteral("LSCROLL"), QStringLiteral("RSCROLL")};
        if (vertical && turned.contains(glyph))
            pixmap = pixmap.transformed(QTransform().rotate(90));
        return QIcon(pixmap);
    });
}

} // namespace nav
