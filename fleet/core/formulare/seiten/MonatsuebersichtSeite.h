#pragma once

#include <functional>

#include "formulare/seiten/HauptSeite.h"

class QAbstractSeries;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QVBoxLayout;

namespace ui {
class CheckBox;
class ComboBox;
class RadioGroup;
} // namespace ui

namespace fleet {

class KostenSeite;
class MonatsuebersichtGrafik;

// The current vehicle's saved months side by side, all of them or one year's,
// with their totals and per-month averages.
class MonatsuebersichtSeite : public HauptSeite {
public:
    // `kostenSeiteZeigen` makes the cost page the active one, as a page
    // change by the user would.
    MonatsuebersichtSeite(ui::TabSheet *tab, KostenSeite &kosten, std::function<void()> kostenSeiteZeigen);
    void aufbauen() override;
    void anfangen() override;
    void betreten() override;

    // Totals and averages of the rows the grid shows, into the labels.
    void MonatsuebersichtAnzeigen();
    void RadioGrpSichtClick();
    void ComboBoxJahrChange();
    void RadioGrpMonatsuebersichtTabelleClick();
    void TBtnLoeschenClick();
    // The cost page filtered to the selected row's month.
    void TBtnZeigMonatsauswertungClick();
    void CheckBoxGrafikClick();
    void DBChartMonatsuebersichtClickSeries(QAbstractSeries *reihe);
    void DBChartMonatsuebersichtDblClick();
    void BitBtnMonatsuebersichtGrafikDruckenClick();
    void BitBtnMonatsuebersichtGrafikKopierenClick();
    // The chart's data again from the rows the grid shows.
    void GrafikAktualisieren();
    // Print (kDrucken) or preview (kVorschau) of report 10 ("Kosten" columns) or 0 with the chart as
    // "MonUeb~.wmf".
    void MonatsuebersichtDrucken(int modus);

    ui::RadioGroup *RadioGrpSicht = nullptr, *RadioGrpMonatsuebersichtTabelle = nullptr;
    ui::ComboBox *ComboBoxJahr = nullptr;
    ui::CheckBox *CheckBoxGrafik = nullptr;
    QPushButton *TBitBtnMonatsuebersichtDrucken = nullptr, *TBitBtnMonatsuebersichtVorschau = nullptr;
    ui::DBGrid *DBGridMonatsuebersicht = nullptr;
    QGroupBox *PanMonatsuebersichtStandard = nullptr, *PanMonatsuebersichtKosten = nullptr;
    QPushButton *TBtnLoeschen = nullptr, *TBtnZeigMonatsauswertung = nullptr,
                *BitBtnMonatsuebersichtGrafikDrucken = nullptr,
                *BitBtnMonatsuebersichtGrafikKopieren = nullptr;
    QWidget *Panel4 = nullptr;
    MonatsuebersichtGrafik *DBChartMonatsuebersicht = nullptr;
    QLabel *LblSummeSchadstoff = nullptr, *TLblErtragMonatsuebersichtUeberschrift = nullptr,
           *TLblSummeErtragMonat = nullptr, *TLblDErtragMonat = nullptr;

private:
    void panelsAufbauen(QHBoxLayout *zeile);
    void jahrFilter(bool jahr);
    void sichtbareGrafikAktualisieren();
    void grafikAufbauen(QVBoxLayout *seite);

    KostenSeite &kosten_;
    std::function<void()> kostenSeiteZeigen_;
};

} // namespace fleet
