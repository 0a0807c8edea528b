#pragma once

#include <QImage>
#include <QSize>
#include <QString>

class QChartView;

namespace fleet {

// A chart drawn at a fixed size, whether or not its view is shown or laid
// out: into an SVG file (the pictures the reports read), or into a bitmap.
// False when the file could not be written.
bool DiagrammBildSchreiben(QChartView *ansicht, const QString &datei, QSize groesse);
QImage DiagrammBitmap(QChartView *ansicht, QSize groesse);

} // namespace fleet
