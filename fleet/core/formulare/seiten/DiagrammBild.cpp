#include "formulare/seiten/DiagrammBild.h"

#include <QChart>
#include <QChartView>
#include <QFileInfo>
#include <QGraphicsScene>
#include <QPainter>
#include <QSvgGenerator>

namespace fleet {

namespace {

// Lays the chart out at the picture's size for one drawing and gives it its
// own geometry back afterwards.
void zeichnen(QChartView *ansicht, QPainter &maler, QSize groesse)
{
    QChart *chart = ansicht->chart();
    const QRectF vorher = chart->geometry();
    const QRectF bild(QPointF(0, 0), QSizeF(groesse));
    chart->setGeometry(bild);
    ansicht->scene()->render(&maler, bild, bild);
    chart->setGeometry(vorher);
}

} // namespace

bool DiagrammBildSchreiben(QChartView *ansicht, const QString &datei, QSize groesse)
{
    // The generator does not tell a failed write: check the place first.
    const QFileInfo ziel(datei);
    if (ziel.isDir() || (ziel.exists() && !ziel.isWritable()))
        return false;
    QSvgGenerator svg;
    svg.setFileName(datei);
    svg.setSize(groesse);
    svg.setViewBox(QRect(QPoint(0, 0), groesse));
    svg.setTitle(ansicht->chart()->title());
    QPainter maler;
    if (!maler.begin(&svg))
        return false;
    zeichnen(ansicht, maler, groesse);
    return maler.end() && QFileInfo(datei).size() > 0;
}

QImage DiagrammBitmap(QChartView *ansicht, QSize groesse)
{
    QImage bild(groesse, QImage::Format_ARGB32_Premultiplied);
    bild.fill(Qt::white);
    QPainter maler(&bild);
    maler.setRenderHint(QPainter::Antialiasing);
    zeichnen(ansicht, maler, groesse);
    maler.end();
    return bild;
}

} // namespace fleet
