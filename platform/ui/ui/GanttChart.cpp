#include "ui/GanttChart.h"

#include <algorithm>
#include <cmath>

#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>

#include "base/DateTime.h"

namespace ui {

namespace {

constexpr int kDragThreshold = 4;
constexpr int kTop = 90;    // title and turned date labels
constexpr int kBottom = 40; // hour labels and title
constexpr int kLeft = 110;  // row labels
constexpr int kRight = 50;

} // namespace

GanttChart::GanttChart(QWidget *parent) : QWidget(parent)
{
    setMinimumSize(400, 250);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    setMouseTracking(false);
}

void GanttChart::clear()
{
    bars_.clear();
    rowLabels_.clear();
    update();
}

int GanttChart::addBar(const Bar &bar)
{
    bars_.append(bar);
    update();
    return int(bars_.size()) - 1;
}

int GanttChart::rowCount() const
{
    int rows = 0;
    for (const Bar &b : bars_)
        rows = std::max(rows, b.row + 1);
    return std::max(rows, int(rowLabels_.size()));
}

void GanttChart::setRowLabels(const QStringList &labels)
{
    rowLabels_ = labels;
    update();
}

QString GanttChart::rowLabel(int row) const
{
    if (row >= 0 && row < rowLabels_.size())
        return rowLabels_[row];
    for (const Bar &b : bars_)
        if (b.row == row)
            return b.label;
    return {};
}

void GanttChart::setTitle(const QString &title)
{
    title_ = title;
    update();
}

void GanttChart::setAxisTitles(const QString &top, const QString &bottom, const QString &rows)
{
    topTitle_ = top;
    bottomTitle_ = bottom;
    rowTitle_ = rows;
    update();
}

void GanttChart::setTimeRange(double from, double to)
{
    timeAutomatic_ = false;
    timeFrom_ = from;
    timeTo_ = to > from ? to : from + 1;
    timeShift_ = 0;
    update();
}

void GanttChart::setTimeAutomatic()
{
    timeAutomatic_ = true;
    timeShift_ = 0;
    update();
}

double GanttChart::timeMinimum() const
{
    if (!timeAutomatic_)
        return timeFrom_;
    if (bars_.isEmpty())
        return timeShift_;
    double t = bars_.first().start;
    for (const Bar &b : bars_)
        t = std::min(t, b.start);
    return t + timeShift_;
}

double GanttChart::timeMaximum() const
{
    if (!timeAutomatic_)
        return timeTo_;
    if (bars_.isEmpty())
        return 1 + timeShift_;
    double t = bars_.first().end;
    for (const Bar &b : bars_)
        t = std::max(t, b.end);
    return std::max(t + timeShift_, timeMinimum() + 1.0 / 24.0);
}

void GanttChart::setRowsAutomatic(bool automatic)
{
    rowsAutomatic_ = automatic;
    if (automatic)
        firstRow_ = 0;
    update();
}

void GanttChart::setVisibleRows(int rows)
{
    visibleRows_ = std::max(1, rows);
    update();
}

int GanttChart::lastRow() const
{
    if (rowsAutomatic_)
        return std::max(0, rowCount() - 1);
    return firstRow_ + visibleRows_ - 1;
}

void GanttChart::setFirstRow(int row)
{
    firstRow_ = std::clamp(row, 0, std::max(0, rowCount() - visibleRows_));
    update();
}

void GanttChart::scrollTime(double days)
{
    if (timeAutomatic_) {
        timeShift_ += days;
    } else {
        timeFrom_ += days;
        timeTo_ += days;
    }
    if (zoomed_) {
        zoom_.t0 += days;
        zoom_.t1 += days;
    }
    update();
    emit timeScrolled();
}

void GanttChart::scrollRows(int rows)
{
    if (zoomed_) {
        zoom_.r0 += rows;
        zoom_.r1 += rows;
        update();
        return;
    }
    if (!rowsAutomatic_)
        setFirstRow(firstRow_ + rows);
}

void GanttChart::zoomTo(double fromTime, double toTime, double fromRow, double toRow)
{
    if (toTime <= fromTime || toRow <= fromRow)
        return;
    zoom_ = {fromTime, toTime, fromRow, toRow};
    zoomed_ = true;
    update();
    emit zoomed();
}

void GanttChart::undoZoom()
{
    zoomed_ = false;
    update();
    emit zoomUndone();
}

void GanttChart::setThreeD(bool threeD)
{
    threeD_ = threeD;
    update();
}

GanttChart::View GanttChart::view() const
{
    View v = zoomed_ ? zoom_ : View{0, 0, 0, 0};
    if (!zoomed_) {
        const double r0 = rowsAutomatic_ ? 0 : firstRow_;
        const double r1 = rowsAutomatic_ ? std::max(1, rowCount()) : firstRow_ + visibleRows_;
        v = {timeMinimum(), timeMaximum(), r0, r1};
    }
    // Values from outside may be anything: keep the range finite and non-empty.
    if (!std::isfinite(v.t0) || std::abs(v.t0) > 3e6)
        v.t0 = 0;
    if (!std::isfinite(v.t1) || std::abs(v.t1) > 3e6 || v.t1 <= v.t0)
        v.t1 = v.t0 + 1;
    return v;
}

QRect GanttChart::plotRect(const QRect &area) const
{
    return area.adjusted(kLeft, kTop, -kRight, -kBottom);
}

double GanttChart::xOf(double time, const QRect &plot, const View &v) const
{
    return plot.left() + (time - v.t0) / (v.t1 - v.t0) * plot.width();
}

double GanttChart::yOf(double row, const QRect &plot, const View &v) const
{
    return plot.top() + (row - v.r0) / (v.r1 - v.r0) * plot.height();
}

QPoint GanttChart::pointAt(double time, double row) const
{
    const View v = view();
    const QRect plot = plotRect(rect());
    return QPoint(int(std::lround(xOf(time, plot, v))), int(std::lround(yOf(row + 0.5, plot, v))));
}

int GanttChart::hitTest(const QPoint &p) const
{
    const View v = view();
    const QRect plot = plotRect(rect());
    if (!plot.contains(p))
        return -1;
    // The last bar drawn lies on top.
    for (int i = int(bars_.size()) - 1; i >= 0; --i) {
        const Bar &b = bars_[i];
        const double y = yOf(b.row + 0.5, plot, v);
        const double h = std::max(4.0, plot.height() / (v.r1 - v.r0) * 0.6);
        const double x0 = xOf(b.start, plot, v), x1 = std::max(xOf(b.end, plot, v), x0 + 2);
        if (p.x() >= x0 - 3 && p.x() <= x1 + 3 && std::abs(p.y() - y) <= h / 2 + 3)
            return i;
    }
    return -1;
}

void GanttChart::render(QPainter &painter, const QRect &area) const
{
    const View v = view();
    const QRect plot = plotRect(area);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(area, Qt::white);
    QFont font = painter.font();
    QFont bold = font;
    bold.setBold(true);
    const QFontMetrics fm(font);

    // Title.
    painter.setFont(bold);
    painter.setPen(Qt::black);
    painter.drawText(QRect(area.left(), area.top() + 2, area.width(), fm.height() + 4), Qt::AlignCenter,
                     title_);
    painter.setFont(font);

    painter.setClipRect(plot.adjusted(0, 0, 1, 1));
    painter.setPen(QColor(225, 225, 225));
    // Day lines and, when there is room, hour lines.
    const double pxPerDay = plot.width() / (v.t1 - v.t0);
    int hourStep = 1;
    while (pxPerDay / 24.0 * hourStep < fm.horizontalAdvance(QStringLiteral("00")) + 6 && hourStep < 24)
        hourStep = hourStep < 3 ? hourStep + 1 : (hourStep < 6 ? 6 : (hourStep < 12 ? 12 : 24));
    const double firstDay = std::floor(v.t0);
    // Over long ranges only every n-th day gets its line and label.
    const double dayStep = std::max(1.0, std::ceil((v.t1 - v.t0) / std::max(1, plot.width() / 3)));
    for (double d = firstDay; d <= v.t1; d += dayStep) {
        for (int h = 0; h < 24 && dayStep == 1; h += hourStep) {
            const double x = xOf(d + h / 24.0, plot, v);
            painter.setPen(h == 0 ? QColor(170, 170, 170) : QColor(230, 230, 230));
            painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        }
    }
    // Row lines.
    for (int r = int(std::floor(v.r0)); r <= int(std::ceil(v.r1)); ++r) {
        painter.setPen(QColor(230, 230, 230));
        const double y = yOf(r, plot, v);
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    }
    // Bars, their ends as small squares.
    const double barHeight = std::max(4.0, plot.height() / (v.r1 - v.r0) * 0.6);
    for (const Bar &b : bars_) {
        const double x0 = xOf(b.start, plot, v), x1 = std::max(xOf(b.end, plot, v), x0 + 2);
        const double y = yOf(b.row + 0.5, plot, v);
        const QRectF r(x0, y - barHeight / 2, x1 - x0, barHeight);
        const QColor c = b.color.isValid() ? b.color : QColor(Qt::red);
        if (threeD_) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(c.darker(160));
            painter.drawRect(r.translated(4, -4).adjusted(0, 0, 0, 0));
        }
        painter.setPen(QPen(c.darker(170), 1));
        painter.setBrush(c);
        painter.drawRect(r);
        // The label inside the bar, where it fits.
        if (!b.label.isEmpty() && painter.fontMetrics().horizontalAdvance(b.label) + 10 < r.width()) {
            painter.setPen(Qt::black);
            painter.drawText(r, Qt::AlignCenter, b.label);
        }
        painter.setPen(QPen(Qt::black, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(x0 - 3, y - 3, 6, 6));
        painter.drawRect(QRectF(x1 - 3, y - 3, 6, 6));
    }
    painter.setClipping(false);

    // Frame and axes.
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot);
    // Top: one date per day, turned by 90 degrees; an automatic axis without
    // bars has no days to name (its range is a placeholder).
    const int labelWidth = fm.height() + 2;
    double lastLabel = -1e9;
    const bool datesShown = !timeAutomatic_ || !bars_.isEmpty() || zoomed_;
    for (double d = firstDay; datesShown && d <= v.t1; d += dayStep) {
        const double x = xOf(d, plot, v);
        if (x < plot.left() - 0.5 || x > plot.right() + 0.5 || x - lastLabel < labelWidth)
            continue;
        lastLabel = x;
        painter.save();
        painter.translate(x + fm.ascent() / 2.0, plot.top() - 4);
        painter.rotate(-90);
        painter.drawText(0, 0, base::toQDate(d).toString(QStringLiteral("dd.MM.yy")));
        painter.restore();
    }
    painter.drawText(QRect(area.left(), plot.top() - kTop + fm.height() + 6, kLeft - 8, fm.height()),
                     Qt::AlignRight, topTitle_);
    // Bottom: hours.
    for (double d = firstDay; d <= v.t1; d += dayStep)
        for (int h = 0; h < 24 && dayStep == 1; h += hourStep) {
            const double x = xOf(d + h / 24.0, plot, v);
            if (x < plot.left() - 0.5 || x > plot.right() + 0.5)
                continue;
            const QString text = QStringLiteral("%1").arg(h, 2, 10, QLatin1Char('0'));
            painter.drawText(QRectF(x - 20, plot.bottom() + 3, 40, fm.height()), Qt::AlignHCenter, text);
        }
    painter.drawText(QRect(plot.left(), plot.bottom() + fm.height() + 4, plot.width(), fm.height()),
                     Qt::AlignHCenter, bottomTitle_);
    // Left and right: row labels and numbers.
    for (int r = int(std::ceil(v.r0 - 0.5)); r < v.r1; ++r) {
        const double y = yOf(r + 0.5, plot, v);
        if (y < plot.top() || y > plot.bottom())
            continue;
        painter.drawText(QRectF(area.left() + 4, y - fm.height() / 2.0, kLeft - 10, fm.height()),
                         Qt::AlignRight | Qt::AlignVCenter,
                         fm.elidedText(rowLabel(r), Qt::ElideRight, kLeft - 12));
        painter.drawText(QRectF(plot.right() + 4, y - fm.height() / 2.0, kRight - 6, fm.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, QString::number(r));
    }
    painter.save();
    painter.translate(area.left() + fm.height(), plot.center().y());
    painter.rotate(-90);
    painter.drawText(QRect(-plot.height() / 2, -fm.height(), plot.height(), fm.height() + 2), Qt::AlignCenter,
                     rowTitle_);
    painter.restore();

    // The rubber band while dragging.
    if (dragging_ && pressButton_ == Qt::LeftButton) {
        painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
        painter.drawRect(QRect(pressAt_, dragAt_).normalized());
    }
    painter.restore();
}

void GanttChart::print(QPrinter &printer) const
{
    QPainter painter(&printer);
    const QRect page = painter.viewport();
    // The chart at its on-screen proportions, scaled to the page.
    const QSize size = this->size().isEmpty() ? QSize(1000, 600) : this->size();
    const double scale = std::min(page.width() / double(size.width()), page.height() / double(size.height()));
    painter.scale(scale, scale);
    // The text at its on-screen size in the chart's own pixels, scaled with the rest: a font in points
    // would be set at the printer's resolution and then scaled once more.
    QFont text = font();
    text.setPixelSize(std::max(1, QFontInfo(font()).pixelSize()));
    painter.setFont(text);
    render(painter, QRect(QPoint(0, 0), size));
}

void GanttChart::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    render(painter, rect());
}

void GanttChart::mousePressEvent(QMouseEvent *event)
{
    pressAt_ = dragAt_ = event->position().toPoint();
    pressButton_ = event->button();
    dragging_ = false;
}

void GanttChart::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    if (!dragging_ && (at - pressAt_).manhattanLength() < kDragThreshold)
        return;
    dragging_ = true;
    if (pressButton_ == Qt::RightButton) {
        // Panning: the chart follows the mouse.
        const View v = view();
        const QRect plot = plotRect(rect());
        const double days = -(at.x() - dragAt_.x()) * (v.t1 - v.t0) / std::max(1, plot.width());
        const double rows = -(at.y() - dragAt_.y()) * (v.r1 - v.r0) / std::max(1, plot.height());
        if (!zoomed_)
            zoom_ = v;
        zoomed_ = true;
        zoom_.t0 += days;
        zoom_.t1 += days;
        zoom_.r0 += rows;
        zoom_.r1 += rows;
    }
    dragAt_ = at;
    update();
}

void GanttChart::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    const Qt::MouseButton button = pressButton_;
    pressButton_ = Qt::NoButton;
    if (!dragging_) {
        const int bar = hitTest(at);
        if (bar >= 0)
            emit barClicked(bar, button);
        return;
    }
    dragging_ = false;
    if (button != Qt::LeftButton) {
        update();
        if (button == Qt::RightButton)
            emit timeScrolled();
        return;
    }
    // Towards the lower right: zoom in; any other direction: back.
    if (at.x() > pressAt_.x() && at.y() > pressAt_.y()) {
        const View v = view();
        const QRect plot = plotRect(rect());
        const auto timeAt = [&](int x) { return v.t0 + (x - plot.left()) * (v.t1 - v.t0) / plot.width(); };
        const auto rowAt = [&](int y) { return v.r0 + (y - plot.top()) * (v.r1 - v.r0) / plot.height(); };
        zoomTo(timeAt(pressAt_.x()), timeAt(at.x()), rowAt(pressAt_.y()), rowAt(at.y()));
    } else {
        undoZoom();
    }
}

} // namespace ui
