#pragma once

#include <functional>

#include <QChartView>
#include <QList>
#include <QStringList>

class QGraphicsSimpleTextItem;

namespace fleet {

// A bar chart of one value per named item: one colour per bar, a mark over
// each bar with its name and share of the total, zoom by a rectangle drawn
// with the left button, horizontal panning with the right button.
class TBalkenDiagramm : public QChartView {
public:
    explicit TBalkenDiagramm(QWidget *parent = nullptr);

    void setDaten(const QStringList &namen, const QList<double> &werte);
    void setTitel(const QString &titel);
    QString titel() const;
    // The marks as shown ("M-KV 100 25 %").
    QStringList marken() const;
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
    void markenSetzen();

    QStringList namen_;
    QList<double> werte_;
    QList<QGraphicsSimpleTextItem *> markenTexte_;
    bool verschieben_ = false;
    QPoint letztePosition_;
};

} // namespace fleet
