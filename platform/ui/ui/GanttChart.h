#pragma once

#include <QColor>
#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QWidget>

class QPainter;
class QPrinter;

namespace ui {

// A Gantt chart: rows of bars over time. Times are the system's date-time
// values (days, fraction = time of day). The top axis labels each day (turned
// by 90 degrees), the bottom axis the hours; both share one range, set or
// automatic. The row axes (left and right) show a fixed window of rows, the
// rest by scrolling, or every row (automatic).
// Mouse: dragging a rectangle with the left button towards the lower right
// zooms into it, towards the upper left undoes the zoom; dragging with the
// right button pans; a click reports the bar under the mouse and the button.
class GanttChart : public QWidget {
    Q_OBJECT
public:
    struct Bar {
        double start = 0;
        double end = 0;
        int row = 0;
        QColor color;
        QString label;
    };

    explicit GanttChart(QWidget *parent = nullptr);

    // Bars.
    void clear();
    int addBar(const Bar &bar);
    const QList<Bar> &bars() const { return bars_; }
    int rowCount() const; // highest row with a bar + 1
    // The label of a row on the row axes (the label of its first bar unless set).
    void setRowLabels(const QStringList &labels);
    QString rowLabel(int row) const;

    // Titles.
    void setTitle(const QString &title);
    QString title() const { return title_; }
    void setAxisTitles(const QString &top, const QString &bottom, const QString &rows);

    // Time axes: a set range, or the range of the bars.
    void setTimeRange(double from, double to);
    void setTimeAutomatic();
    bool timeAutomatic() const { return timeAutomatic_; }
    double timeMinimum() const;
    double timeMaximum() const;
    // The time range on screen: the axes' range, or the zoomed or panned one.
    double visibleTimeFrom() const { return view().t0; }
    double visibleTimeTo() const { return view().t1; }

    // Row axes: every row (automatic) or a window of `visibleRows` rows from firstRow.
    void setRowsAutomatic(bool automatic);
    bool rowsAutomatic() const { return rowsAutomatic_; }
    void setVisibleRows(int rows);
    int visibleRows() const { return visibleRows_; }
    int firstRow() const { return firstRow_; }
    int lastRow() const; // the last row shown
    void setFirstRow(int row);

    // Scrolling from code: the time axes by a number of days, the rows by rows.
    void scrollTime(double days);
    void scrollRows(int rows);

    // Zoom into a time and row range; undo returns to the axes as set.
    void zoomTo(double fromTime, double toTime, double fromRow, double toRow);
    void undoZoom();
    bool isZoomed() const { return zoomed_; }

    void setThreeD(bool threeD);
    bool threeD() const { return threeD_; }

    // The bar at a point of the widget, or -1.
    int hitTest(const QPoint &position) const;
    // The point of the widget at a time and row (centre of the row).
    QPoint pointAt(double time, double row) const;

    // Paints the chart into a rectangle of any device (printing, pictures).
    void render(QPainter &painter, const QRect &area) const;
    // Paints the chart onto the printer's page.
    void print(QPrinter &printer) const;

signals:
    void zoomed();
    void zoomUndone();
    // The time range on screen moved: scrolled from code or panned with the mouse.
    void timeScrolled();
    void barClicked(int bar, Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    struct View {
        double t0, t1, r0, r1; // time range, row range (rows r0 .. r1 - 1 in full)
    };
    View view() const;
    QRect plotRect(const QRect &area) const;
    double xOf(double time, const QRect &plot, const View &v) const;
    double yOf(double row, const QRect &plot, const View &v) const;

    QList<Bar> bars_;
    QStringList rowLabels_;
    QString title_, topTitle_, bottomTitle_, rowTitle_;
    bool timeAutomatic_ = true;
    double timeFrom_ = 0, timeTo_ = 1;
    bool rowsAutomatic_ = true;
    int visibleRows_ = 15;
    int firstRow_ = 0;
    double timeShift_ = 0; // panning of an automatic range
    bool zoomed_ = false;
    View zoom_{0, 1, 0, 1};
    bool threeD_ = false;

    QPoint pressAt_, dragAt_;
    Qt::MouseButton pressButton_ = Qt::NoButton;
    bool dragging_ = false;
};

} // namespace ui
