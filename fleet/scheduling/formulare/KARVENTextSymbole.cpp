#include "formulare/KARVENTextSymbole.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace fleet::briefsymbole {

namespace {

constexpr int kGroesse = 20;

QPixmap leer()
{
    QPixmap bild(kGroesse, kGroesse);
    bild.fill(Qt::transparent);
    return bild;
}

void zeilen(QPainter &p, Qt::Alignment ausrichtung)
{
    p.setPen(QPen(QColor(40, 40, 40), 2));
    const int breiten[] = {14, 9, 14, 7};
    for (int i = 0; i < 4; ++i) {
        const int b = breiten[i];
        const int x = ausrichtung == Qt::AlignLeft    ? 3
                      : ausrichtung == Qt::AlignRight ? 17 - b
                                                      : (kGroesse - b) / 2;
        p.drawLine(x, 4 + 4 * i, x + b, 4 + 4 * i);
    }
}

} // namespace

QIcon symbol(Symbol welches)
{
    QPixmap bild = leer();
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor tinte(40, 40, 40);
    p.setPen(QPen(tinte, 1.2));
    switch (welches) {
    case Symbol::Oeffnen: {
        p.setBrush(QColor(240, 200, 90));
        QPainterPath mappe;
        mappe.moveTo(2, 5);
        mappe.lineTo(8, 5);
        mappe.lineTo(10, 7);
        mappe.lineTo(17, 7);
        mappe.lineTo(17, 16);
        mappe.lineTo(2, 16);
        mappe.closeSubpath();
        p.drawPath(mappe);
        break;
    }
    case Symbol::Speichern:
        p.setBrush(QColor(70, 110, 180));
        p.drawRect(QRectF(3, 3, 14, 14));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(6, 3, 8, 5));
        p.drawRect(QRectF(5, 11, 10, 6));
        break;
    case Symbol::Drucken:
        p.setBrush(Qt::white);
        p.drawRect(QRectF(6, 2, 8, 6));
        p.setBrush(QColor(150, 150, 150));
        p.drawRoundedRect(QRectF(2, 8, 16, 7), 1.5, 1.5);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(6, 12, 8, 6));
        break;
    case Symbol::Zurueck: {
        p.setPen(QPen(QColor(30, 90, 170), 2));
        QPainterPath bogen;
        bogen.moveTo(5, 8);
        bogen.cubicTo(9, 3, 17, 5, 16, 12);
        p.drawPath(bogen);
        p.setBrush(QColor(30, 90, 170));
        p.drawPolygon(QPolygonF({QPointF(2, 8), QPointF(8, 4), QPointF(8, 12)}));
        break;
    }
    case Symbol::Ausschneiden:
        p.drawLine(QPointF(6, 2), QPointF(13, 12));
        p.drawLine(QPointF(14, 2), QPointF(7, 12));
        p.drawEllipse(QPointF(6, 15), 3, 3);
        p.drawEllipse(QPointF(14, 15), 3, 3);
        break;
    case Symbol::Kopieren:
        p.setBrush(Qt::white);
        p.drawRect(QRectF(3, 3, 9, 11));
        p.drawRect(QRectF(8, 7, 9, 11));
        break;
    case Symbol::Einfuegen:
        p.setBrush(QColor(190, 140, 80));
        p.drawRoundedRect(QRectF(3, 4, 12, 14), 1.5, 1.5);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(8, 8, 9, 10));
        p.setBrush(QColor(120, 120, 120));
        p.drawRect(QRectF(6, 2, 6, 4));
        break;
    case Symbol::Links:
        zeilen(p, Qt::AlignLeft);
        break;
    case Symbol::Mitte:
        zeilen(p, Qt::AlignHCenter);
        break;
    case Symbol::Rechts:
        zeilen(p, Qt::AlignRight);
        break;
    case Symbol::Aufzaehlung:
        p.setBrush(tinte);
        for (int i = 0; i < 3; ++i) {
            p.drawEllipse(QPointF(4, 5 + 5 * i), 1.5, 1.5);
            p.drawLine(8, 5 + 5 * i, 17, 5 + 5 * i);
        }
        break;
    }
    p.end();
    return QIcon(bild);
}

QIcon buchstabe(const QString &text, bool fett, bool kursiv, bool unterstrichen)
{
    QPixmap bild = leer();
    QPainter p(&bild);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont schrift(QStringLiteral("Liberation Serif"));
    schrift.setPixelSize(15);
    schrift.setBold(fett);
    schrift.setItalic(kursiv);
    schrift.setUnderline(unterstrichen);
    p.setFont(schrift);
    p.setPen(QColor(20, 20, 20));
    p.drawText(QRect(0, 0, kGroesse, kGroesse), Qt::AlignCenter, text);
    p.end();
    return QIcon(bild);
}

} // namespace fleet::briefsymbole
