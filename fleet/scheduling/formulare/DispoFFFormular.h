#pragma once

#include "ui/FormBase.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace ui {
class ComboBox;
class RadioGroup;
} // namespace ui

namespace fleet {

// The vehicles without a dispatch booking in the period the dispatch page
// shows, or every vehicle with the free ones on green; a row leads back to its
// vehicle in the main window. Shown beside the main window while its dispatch
// page is open.
class TDispoFFFormular : public ui::FormBase {
public:
    explicit TDispoFFFormular(QWidget *parent = nullptr);

    // Handlers.
    void FormActivate();
    bool SteuerungInit();
    void RadioGrpFahrzeugeClick();
    void CmbBoxSortChange();
    void SortStringGrid(QTableWidget *grid, int spalte);
    void BtnBerechnenClick();
    void BtnZeigenClick();
    void StrGridFreieFahrzeugeDblClick();

    void FreieFahrzeugeErmitteln();
    void AlleFahrzeugeErmitteln();

    QTableWidget *StrGridFreieFahrzeuge;
    ui::RadioGroup *RadioGrpFahrzeuge;
    ui::ComboBox *CmbBoxSort;
    QPushButton *BtnZeigen, *BtnBerechnen, *BtnSchliessen;
    QLabel *TPanelStatus;
    QProgressBar *ProgBarFF;

private:
    void ermitteln(int modus);
    void rasterFuellen(int modus, const QList<QStringList> &zeilen);

    int anzahl_ = 0;
};

} // namespace fleet
