#pragma once

#include "formulare/seiten/HauptSeite.h"

class QPushButton;

namespace ui {
class DBRadioGroup;
class DBLookupComboBox;
class PageControl;
} // namespace ui

namespace fleet {

// The vehicle's summer and winter tyres per axle, with the distance each set has run.
class ReifenSeite : public HauptSeite {
public:
    using HauptSeite::HauptSeite;
    void aufbauen() override;
    void betreten() override;

    // The item of "Zur Zeit montiert.." (-1 none); the inner page shown (0 summer, 1 winter).
    int MontierteReifen() const;
    void ReifenSeiteZeigen(int saison);
    // The run distances cleared, and shown from the odometer and the mounting kilometres.
    void ReifenLaufleistungLoeschen();
    void ReifenLaufleistungAnzeigen();
    void anfangen() override;

    // "&Speichern": the tyre record posted; a vehicle without one gets one.
    void TBtnReifenSpeichernClick();
    void BitBtnReifenDruckenClick();
    void BitBtnReifenVorschauClick();

    ui::DBRadioGroup *DBRadioGrpReifen = nullptr;
    ui::PageControl *PageCtrlReifen = nullptr;
    ui::TabSheet *TabSheetSommerReifen = nullptr, *TabSheetWinterReifen = nullptr;
    QPushButton *TBtnReifenSpeichern = nullptr, *BitBtnReifenDrucken = nullptr,
                *BitBtnReifenVorschau = nullptr;

private:
    void innenseiteAufbauen(ui::TabSheet *seite, const QString &saison);
};

} // namespace fleet
