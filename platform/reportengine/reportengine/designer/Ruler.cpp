#include "reportengine/designer/Ruler.h"

#include <cmath>

#include <QPainter>

#include "reportengine/designer/CanvasItem.h"
#include "reportengine/designer/DesignerCanvas.h"

namespace tb {

namespace designer {

std::vector<RulerTick> rulerTicks(int unit, double fromMm, double toMm)
{
    // Step between marks in mm, marks per labelled one, and the label of the n-th labelled mark.
    double stepMm = 1;
    int perMajor = 10;
    double labelPerMajor = 1; // cm for millimetres
    switch (unit) {
    case 1: // inch: eighths
        stepMm = 25.4 / 8;
        perMajor = 8;
        labelPerMajor = 1;
        break;
    case 2: // 1/100 inch: a mark every 10, labelled every 100
        stepMm = 25.4 / 10;
        perMajor = 10;
        labelPerMajor = 100;
        break;
    case 5: // 1/100 mm: labelled every 1000 (1 cm)
        labelPerMajor = 1000;
        break;
    default:
        break;
    }
    std::vector<RulerTick> ticks;
    if (!(toMm > fromMm) || toMm - fromMm > 100000)
        return ticks;
    const long first = long(std::ceil(fromMm / stepMm));
    const long last = long(std::floor(toMm / stepMm));
    for (long i = first; i <= last; ++i) {
        RulerTick tick;
        tick.mm = i * stepMm;
        tick.major = i % perMajor == 0;
        if (tick.major)
            tick.label = QString::number(long(i / perMajor * labelPerMajor));
        ticks.push_back(tick);
    }
    return ticks;
}

} // namespace designer

namespace {
constexpr int kThickness = 20;
}

Ruler::Ruler(Qt::Orientation orientation, int unit, DesignerCanvas *canvas, QWidget *parent)
    : QWidget(parent), orientation_(orientation), unit_(unit), canvas_(canvas)
{
    if (orientation == Qt::Horizontal)
        setFixedHeight(kThickness);
    else
        setFixedWidth(kThickness);
}

QSize Ruler::sizeHint() const
{
    return QSize(kThickness, kThickness);
}

void Ruler::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(240, 240, 240));
    painter.setPen(QColor(120, 120, 120));
    QFont font = painter.font();
    font.setPixelSize(9);
    painter.setFont(font);
    const bool horizontal = orientation_ == Qt::Horizontal;
    QWidget *viewport = canvas_->viewport();
    // Where the viewport's edges are on the paper, and where a paper place is on this ruler.
    const QPointF topLeft = canvas_->mapToScene(QPoint(0, 0)) / kPointsPerMm;
    const QPointF bottomRight =
        canvas_->mapToScene(QPoint(viewport->width(), viewport->height())) / kPointsPerMm;
    const QPoint offset = viewport->mapTo(parentWidget(), QPoint(0, 0)) - mapTo(parentWidget(), QPoint(0, 0));
    const double from = horizontal ? topLeft.x() : topLeft.y();
    const double to = horizontal ? bottomRight.x() : bottomRight.y();
    for (const auto &tick : designer::rulerTicks(unit_, from, to)) {
        const QPoint at = canvas_->mapFromScene(QPointF(tick.mm, tick.mm) * kPointsPerMm) + offset;
        const int length = tick.major ? kThickness : kThickness / 4;
        if (horizontal) {
            painter.drawLine(at.x(), kThickness - length, at.x(), kThickness);
            if (!tick.label.isEmpty())
                painter.drawText(at.x() + 2, 10, tick.label);
        } else {
            painter.drawLine(kThickness - length, at.y(), kThickness, at.y());
            if (!tick.label.isEmpty())
                painter.drawText(1, at.y() + 10, tick.label);
        }
    }
}

} // namespace tb
