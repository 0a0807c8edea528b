#pragma once

#include <QStringList>

#include "ui/FormBase.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace ui {
class GanttChart;
}

namespace fleet {

// The dispatch bookings that the dispatch page shows, as a Gantt chart: one
// row per vehicle, one bar per booking; a click on a bar shows the booking in
// the information line, which can scroll like a ticker.
class TGrafikFormular : public ui::FormBase {
public:
    explicit TGrafikFormular(QWidget *parent = nullptr);

    // Handlers.
    void FormActivate();
    void FormClose(ui::CloseAction &action);
    void DispoChartZoom();
    void DispoChartUndoZoom();
    void Series1Click(int balken, Qt::MouseButton knopf);
    void PanMessagesDblClick();
    void TimerGrafikTimer();
    void SpeedBtnHilfeClick();
    void BitBtnDispoGrafikDruckenClick();

    bool DispoGrafikAufbauen();
    bool DispoGrafikAchsenSetzen();

    QStringList GrafikFahrzeugListe;
    QString GrafikInfoZeile;

    ui::GanttChart *DispoChart;
    QLabel *PanStatus, *PanMessages;
    QProgressBar *ProgBarGrafik;
    QPushButton *BitBtnDispoGrafikDrucken, *SpeedBtnHilfe, *BitBtnSchliessen;
    QTimer *TimerGrafik;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void titelZeile(const QString &erste);
};

} // namespace fleet
