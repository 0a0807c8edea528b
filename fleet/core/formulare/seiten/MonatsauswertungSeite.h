#pragma once

#include "formulare/seiten/HauptSeite.h"

class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;

class QChartView;
class QPieSeries;

namespace ui {
class ComboBox;
}

namespace fleet {

class KostenSeite;
struct MonatsauswertungAusgang;

// The current vehicle's costs of one month, computed when the page is entered,
// on "Berechnen" and when the period changes; saved as a row of the monthly
// overview.
class MonatsauswertungSeite : public HauptSeite {
public:
    MonatsauswertungSeite(ui::TabSheet *tab, KostenSeite &kosten);
    void aufbauen() override;
    void anfangen() override;
    // The cost page back on all costs, the warning hidden, the month computed.
    void betreten() override;

    // Computes the month; a warning code above 0 is shown.
    void Berechnen();
    // Computes the current vehicle's month of the lists into
    // MonatsauswertungErgebnis, writes the labels and the pie; the result code.
    int MonatsauswertungBerechnen();
    void MonatsauswertungWarnung(int code);
    void TBtnMonatsauswertungSpeichernClick();
    // Print (kDrucken) or preview (kVorschau) of report 1 with the pie as "Monaus~.wmf": the result
    // last computed, not computed again.
    void MonatsauswertungDrucken(int modus);

    ui::ComboBox *CmbBoxMonatsauswertungMonat = nullptr, *CmbBoxMonatsauswertungJahr = nullptr;
    QPushButton *BtnMonatsauswertungAlleFahrzeuge = nullptr;
    QPushButton *TBtnMonatsauswertungBerechnen = nullptr, *TBtnMonatsauswertungSpeichern = nullptr,
                *TBitBtnMonatsauswertungDrucken = nullptr, *TBitBtnMonatsauswertungVorschau = nullptr;
    QLabel *LblWarnmeldung2 = nullptr, *LblFormularMonatsauswertung = nullptr;
    QGroupBox *PanMonatsauswertungVarKosten = nullptr, *PanMonatsauswertungErtrag = nullptr,
              *PanMonatsauswertungUeberschuss = nullptr;
    QFrame *BevErtrag = nullptr, *BevUeberschuss = nullptr;
    QLabel *TLblVerbrauchKostenMonat = nullptr, *TLblReparaturKostenMonat = nullptr,
           *TLblWartungKostenMonat = nullptr, *TLblUntersuchungKostenMonat = nullptr,
           *TLblReifenKostenMonat = nullptr, *TLblPflegeKostenMonat = nullptr,
           *TLblSonstigeKostenMonat = nullptr, *TlblSonstige2KostenMonat = nullptr,
           *TLblSonstige3KostenMonat = nullptr, *TLblSonstige4KostenMonat = nullptr,
           *TLblSummeVarKostenMonat = nullptr;
    QLabel *TLblHaftpflichtMonat = nullptr, *TLblKaskoMonat = nullptr, *TLblSteuerMonat = nullptr,
           *TLblSonstigesMonat = nullptr, *TLblAfaMonat = nullptr, *TLblZinsenMonat = nullptr,
           *TLblVermSteuerMonat = nullptr, *TLblGewKapSteuerMonat = nullptr, *TLblFahrerKostenMonat = nullptr,
           *TLblSummeFixKostenMonat = nullptr;
    QLabel *TLblSummeGesamtKostenMonat = nullptr, *TLblSummeGesKostenProKm = nullptr,
           *TLblSummeGefKmMonat = nullptr, *TLblSummeVerbrauchLiterMonat = nullptr,
           *TLblSummeVerbrauchPro100Km = nullptr, *LblSummeErtragMonat = nullptr,
           *LblSummeUeberschussMonat = nullptr;
    QChartView *ChartMonatsauswertung = nullptr;
    QPieSeries *Series10 = nullptr;

private:
    void kopfAufbauen();
    void wertSpalten();
    void grafikAufbauen();
    void tortenstueckeZeigen(const MonatsauswertungAusgang &aus);

    KostenSeite &kosten_;
};

} // namespace fleet
