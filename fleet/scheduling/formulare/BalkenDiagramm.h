#pragma once

#include <functional>

#include <QChartView>
#include <QList>
#include <QStringList>

class QBarSeries;

namespace fleet {

class BalkenZeichnung;

// A bar chart of one value per named item: one series with a bar per item, a
// colour of its own per bar, a mark over each bar with its name and share of
// the total and the names under the bars, zoom by a rectangle drawn with the
// left button, horizontal panning with the right button. Where the bars are
// too narrow for every text, only every k-th bar is named, so that no two
// texts overlap; zooming in names them all.
class TBalkenDiagramm : public QChartView {
public:
    explicit TBalkenDiagramm(QWidget *parent = nullptr);
    ~TBalkenDiagramm() override;

    void setDaten(const QStringList &namen, const QList<double> &werte);
    void setTitel(const QString &titel);
    QString titel() const;
    // The marks as shown ("M-KV 100 25 %").
    QStringList marken() const;
    // The marks and names drawn as the chart stands now (zoom, pan, size).
    QStringList sichtbareMarken() const;
    QStringList sichtbareNamen() const;
    void zoomZuruecksetzen();
    // Writes the chart as an SVG picture; false when it cannot be written.
    bool bildSpeichern(const QString &datei);

    // Called on a double click (the owner undoes the zoom).
    std::function<void()> beimDoppelklick;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void neuZeichnen();

    QBarSeries *reihe_ = nullptr;
    BalkenZeichnung *zeichnung_ = nullptr;
    bool verschieben_ = false;
    QPoint letztePosition_;
};

} // namespace fleet
