#pragma once

#include "formulare/seiten/HauptSeite.h"

namespace ui {
class DBRadioGroup;
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

    ui::DBRadioGroup *DBRadioGrpReifen = nullptr;
    ui::PageControl *PageCtrlReifen = nullptr;
    ui::TabSheet *TabSheetSommerReifen = nullptr, *TabSheetWinterReifen = nullptr;

private:
    void innenseiteAufbauen(ui::TabSheet *seite, const QString &saison);
};

} // namespace fleet
