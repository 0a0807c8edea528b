#include "regeln/Monatsauswertung.h"

#include <cmath>

#include "base/GermanFormat.h"

namespace fleet {

TMonatsauswertungErgebnis MonatsauswertungErgebnis;

const std::array<const char *, kKostenArten> kKostenFelder{
    "Benzin/Preis", "ReparaturKosten", "WartungKosten",   "UntersuchungKosten", "ReifenKosten",
    "PflegeKosten", "SonstigeKosten",  "Sonstige2Kosten", "Sonstige3Kosten",    "Sonstige4Kosten"};

const std::array<const char *, kStammBetraege> kStammFelder{
    "HaftPflNettoBetrag", "KaskoNettoBetrag", "Steuer",      "KfzSonstiges", "AFA", "Zinsen",
    "VermoegensSteuer",   "GewKapSteuer",     "Restbuchwert"};

namespace {

using E = TMonatsauswertungErgebnis;

constexpr std::array<base::Currency E::*, kKostenArten> kKostenSummen{
    &E::VerbrauchKosten, &E::ReparaturKosten, &E::WartungKosten,  &E::UntersuchungKosten,
    &E::ReifenKosten,    &E::PflegeKosten,    &E::SonstigeKosten, &E::Sonstige2Kosten,
    &E::Sonstige3Kosten, &E::Sonstige4Kosten};

constexpr std::array<base::Currency E::*, kStammBetraege> kFixAnteile{
    &E::HaftPflNettoBetrag, &E::KaskoNettoBetrag, &E::Steuer,      &E::KfzSonstiges, &E::AFA, &E::Zinsen,
    &E::VermoegensSteuer,   &E::GewKapSteuer,     &E::Restbuchwert};

// Pie colours as platform values (blue first: the values are BGR).
constexpr std::array<ui::TColor, kKostenArten + 1> kTortenFarben{
    0xFF0000, 0x800000, 0x8000, 0x808080, 0xFFFF, 0x808000, 0xFF00FF, 0x800080, 0xFF, 0xFF00, 0xFFFFFF};

std::int64_t GanzeEinheiten(base::Currency betrag)
{
    return base::divideRoundHalfEven(betrag.units(), base::Currency::kScale);
}

} // namespace

std::int64_t KmStandGanzzahl(double mwst)
{
    // Beyond this no reading is meaningful, and the conversion stays defined.
    constexpr double kGrenze = 1e15;
    if (std::isnan(mwst))
        return 0;
    if (mwst > kGrenze)
        return static_cast<std::int64_t>(kGrenze);
    if (mwst < -kGrenze)
        return -static_cast<std::int64_t>(kGrenze);
    return static_cast<std::int64_t>(std::nearbyint(mwst)); // default rounding: ties to even
}

bool ImMonat(base::TDateTime datum, int jahr, int monat)
{
    int j = 0, m = 0, t = 0;
    base::decodeDate(datum, j, m, t);
    return j == jahr && m == monat;
}

KmStandAuswertung KmAusKmStaenden(const std::vector<KostenZeile> &kosten, int jahr, int monat)
{
    KmStandAuswertung r;
    bool ersterNochOffen = true;
    for (const KostenZeile &z : kosten) {
        const std::int64_t stand = KmStandGanzzahl(z.Mwst);
        if (ImMonat(z.BelegDatum, jahr, monat)) {
            ++r.ImMonat;
            if (stand < 1)
                r.OhneKmStand = true;
            if (ersterNochOffen && stand > r.F)
                r.F = stand;
            ersterNochOffen = false;
            if (stand > r.M)
                r.M = stand;
        } else if (ersterNochOffen && stand > r.A) {
            r.A = stand;
        }
    }
    std::int64_t km = 0;
    if (r.M > 0 && r.A > 0)
        km = r.M - r.A;
    else if (r.M > 0 && r.F > 0)
        km = r.M - r.F;
    r.GefKilometer = km > 0 ? static_cast<double>(km) : 0.0;
    return r;
}

MonatsauswertungAusgang MonatsauswertungBerechnen(const MonatsauswertungEingabe &eingabe)
{
    MonatsauswertungAusgang aus;
    E &e = aus.Ergebnis;
    e.KfzNr = eingabe.KfzNr;
    e.AuswertungsJahr = eingabe.Jahr;
    e.AuswertungsMonat = eingabe.Monat;

    for (const KostenZeile &z : eingabe.Kosten) {
        if (!ImMonat(z.BelegDatum, eingabe.Jahr, eingabe.Monat))
            continue;
        for (int i = 0; i < kKostenArten; ++i)
            e.*kKostenSummen[i] += z.Betraege[i];
        e.VerbrauchLiter += z.Liter;
    }
    for (int i = 0; i < kKostenArten; ++i)
        e.VarKosten += e.*kKostenSummen[i];

    for (int i = 0; i < kStammBetraege; ++i) {
        if (eingabe.Stammbetraege[i] > 0)
            e.*kFixAnteile[i] = base::Currency::fromDouble(eingabe.Stammbetraege[i]) / 12;
        e.FixKosten += e.*kFixAnteile[i];
    }
    e.GesamtKosten = e.VarKosten + e.FixKosten;

    if (eingabe.TourenModus) {
        int touren = 0;
        for (const TourZeile &t : eingabe.Touren) {
            if (!ImMonat(t.Datum, eingabe.Jahr, eingabe.Monat))
                continue;
            ++touren;
            if (t.GefahrenKm == 0)
                aus.Code = 3;
            e.GefKilometer += t.GefahrenKm;
            e.Ertrag += t.Ertrag;
        }
        if (touren == 0)
            aus.Code = 4;
    } else {
        const KmStandAuswertung km = KmAusKmStaenden(eingabe.Kosten, eingabe.Jahr, eingabe.Monat);
        if (km.OhneKmStand)
            aus.Code = 1;
        if (km.ImMonat == 0)
            aus.Code = 2;
        e.GefKilometer = km.GefKilometer;
    }

    if (e.GefKilometer > 0) {
        e.GesamtKostenProKm = base::Currency::fromDouble(e.GesamtKosten.toDouble() / e.GefKilometer);
        e.VerbrauchLiterPro100Km = e.VerbrauchLiter / e.GefKilometer * 100;
    }

    bool kosten = false;
    for (int i = 0; i < kKostenArten; ++i)
        kosten = kosten || e.*kKostenSummen[i] > base::Currency();
    if (!kosten) {
        if (eingabe.TourenModus)
            aus.Code = aus.Code == 4 ? 41 : 42;
        return aus;
    }
    aus.GrafikSichtbar = true;
    for (int i = 0; i < kKostenArten; ++i)
        aus.Torte.push_back({i, GanzeEinheiten(e.*kKostenSummen[i]), kTortenFarben[i]});
    if (e.FixKosten > base::Currency())
        aus.Torte.push_back({kKostenArten, GanzeEinheiten(e.FixKosten), kTortenFarben[kKostenArten]});
    return aus;
}

QString GeldText(base::Currency betrag)
{
    return betrag.toString(2);
}

QString KmText(double km)
{
    return base::de::formatFixed(km, 0);
}

QString LiterText(double liter)
{
    return base::de::formatFixed(liter, 2);
}

ErtragAnzeige ErtragAnzeigeBerechnen(base::Currency ertrag, base::Currency gesamtKosten)
{
    ErtragAnzeige a;
    a.ErtragText = GeldText(ertrag);
    if (ertrag <= base::Currency()) {
        a.ErtragFarbe = ui::color::Aqua;
        a.UeberschussText = GeldText(base::Currency());
        a.UeberschussFarbe = ui::color::Aqua;
        return a;
    }
    a.ErtragFarbe = ertrag >= gesamtKosten ? ui::color::Lime : ui::color::Red;
    const base::Currency ueberschuss = ertrag - gesamtKosten;
    a.UeberschussText = GeldText(ueberschuss);
    // The colour follows what the label shows: a surplus that rounds to zero is zero.
    const std::int64_t angezeigt =
        base::divideRoundHalfEven(ueberschuss.units(), base::Currency::kScale / 100);
    a.UeberschussFarbe = angezeigt > 0 ? ui::color::Lime : angezeigt < 0 ? ui::color::Red : ui::color::Aqua;
    return a;
}

} // namespace fleet
