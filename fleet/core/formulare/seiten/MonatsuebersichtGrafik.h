#pragma once

#include <array>
#include <vector>

#include <QChartView>

#include "regeln/MonatsuebersichtReihen.h"

class QAbstractSeries;
class QCategoryAxis;
class QValueAxis;

namespace fleet {

// The monthly cost development of the saved months: two area series
// ("Ertrag", "Mittelwert" over a zero baseline) and eleven lines, one point
// per month in the cursor's order. A click on a series or its legend entry
// switches it off (its entry goes with it); a double click shows them all.
// The series and axes exist from the start (the settings switch series on by
// name), but join the chart only when it first gets data or shows: laying
// out thirteen series, their legend and three axes is a good part of the
// program's start, and the chart is switched off until the user wants it.
class MonatsuebersichtGrafik : public QChartView {
public:
    explicit MonatsuebersichtGrafik(QWidget *parent);

    void fuellen(const std::vector<MonatsuebersichtPunkt> &punkte);
    QAbstractSeries *reihe(int nr) const { return reihen_[nr]; }
    // The series the settings switch on at start-up use their object names.
    QAbstractSeries *reihe(const QString &objectName) const;

    void ReiheUmschalten(QAbstractSeries *reihe);
    void AlleZeigen();

    // The size the chart is printed and pictured at, whether shown or not.
    static QSize bildGroesse() { return {1000, 500}; }

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void einhaengen();

    bool eingehaengt_ = false;
    std::array<QAbstractSeries *, kMonatsuebersichtReihen> reihen_{};
    QCategoryAxis *unten_ = nullptr, *oben_ = nullptr;
    QValueAxis *links_ = nullptr;
};

} // namespace fleet
