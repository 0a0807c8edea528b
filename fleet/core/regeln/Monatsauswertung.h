#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include <QString>

#include "base/Currency.h"
#include "base/DateTime.h"
#include "ui/Colors.h"

namespace fleet {

// The last monthly evaluation of one vehicle, whoever computed it: the page,
// or the evaluation of all vehicles once per vehicle. KfzNr and the period say
// what it was computed for, so that a save can tell a stale result.
struct TMonatsauswertungErgebnis {
    QString KfzNr;
    std::uint16_t AuswertungsJahr = 0;
    std::uint16_t AuswertungsMonat = 0;
    base::Currency VerbrauchKosten, ReparaturKosten, WartungKosten, UntersuchungKosten, ReifenKosten,
        PflegeKosten, SonstigeKosten, Sonstige2Kosten, Sonstige3Kosten, Sonstige4Kosten;
    base::Currency HaftPflNettoBetrag, KaskoNettoBetrag, Steuer, KfzSonstiges, AFA, Zinsen, VermoegensSteuer,
        GewKapSteuer, Restbuchwert;
    base::Currency VarKosten, FixKosten, GesamtKosten, GesamtKostenProKm, Ertrag;
    double VerbrauchLiter = 0;
    double VerbrauchLiterPro100Km = 0;
    double GefKilometer = 0;
};

extern TMonatsauswertungErgebnis MonatsauswertungErgebnis;

// The ten kinds of variable cost, in the order of the pie and of the labels.
inline constexpr int kKostenArten = 10;
// The nine annual master amounts, in the order of the result's members.
inline constexpr int kStammBetraege = 9;

// Field names of the cost records, in the order of KostenZeile::Betraege.
extern const std::array<const char *, kKostenArten> kKostenFelder;
// Field names of the master record, in the order of the Stammbetraege input.
extern const std::array<const char *, kStammBetraege> kStammFelder;

// One cost record as the cursor shows it; empty numbers read as 0.
struct KostenZeile {
    base::TDateTime BelegDatum = 0;
    double Mwst = 0; // odometer reading
    double Liter = 0;
    std::array<double, kKostenArten> Betraege{};
};

struct TourZeile {
    base::TDateTime Datum = 0;
    double GefahrenKm = 0;
    double Ertrag = 0;
};

struct MonatsauswertungEingabe {
    QString KfzNr;
    std::vector<KostenZeile> Kosten; // in cursor order
    std::vector<TourZeile> Touren;
    std::array<double, kStammBetraege> Stammbetraege{};
    bool TourenModus = false;
    std::uint16_t Jahr = 0;
    std::uint16_t Monat = 0; // 1..12; 0 matches nothing
};

struct Tortenstueck {
    int Art = 0; // 0..9 the cost kinds, 10 the fixed costs
    std::int64_t Wert = 0;
    ui::TColor Farbe = 0;
};

struct MonatsauswertungAusgang {
    TMonatsauswertungErgebnis Ergebnis;
    int Code = 0;
    bool GrafikSichtbar = false;
    std::vector<Tortenstueck> Torte;
};

// The odometer rule: A is the highest reading before the month's first record
// in cursor order, F that first record's reading, M the highest in the month.
struct KmStandAuswertung {
    std::int64_t A = 0, F = 0, M = 0;
    int ImMonat = 0;
    bool OhneKmStand = false; // a record of the month reads below 1
    double GefKilometer = 0;
};
KmStandAuswertung KmAusKmStaenden(const std::vector<KostenZeile> &kosten, int jahr, int monat);

// The reading as a whole number, ties to even; out-of-range values are clamped.
std::int64_t KmStandGanzzahl(double mwst);

bool ImMonat(base::TDateTime datum, int jahr, int monat);

MonatsauswertungAusgang MonatsauswertungBerechnen(const MonatsauswertungEingabe &eingabe);

// The revenue and surplus displays of tours mode.
struct ErtragAnzeige {
    QString ErtragText;
    ui::TColor ErtragFarbe = 0;
    QString UeberschussText;
    ui::TColor UeberschussFarbe = 0;
};
ErtragAnzeige ErtragAnzeigeBerechnen(base::Currency ertrag, base::Currency gesamtKosten);

// The label texts: money two decimals, kilometres none, decimal comma.
QString GeldText(base::Currency betrag);
QString KmText(double km);
QString LiterText(double liter);

} // namespace fleet
