#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <string>

#include "regeln/Monatsauswertung.h"

namespace {

using fleet::KostenZeile;
using fleet::TourZeile;

KostenZeile kosten(int tag, int monat, double kmStand, double benzinPreis = 0)
{
    KostenZeile z;
    z.BelegDatum = base::encodeDate(2024, monat, tag);
    z.Mwst = kmStand;
    z.Betraege[0] = benzinPreis;
    return z;
}

TourZeile tour(int tag, int monat, double km, double ertrag = 0)
{
    return {base::encodeDate(2024, monat, tag), km, ertrag};
}

struct Fall {
    const char *name;
    bool tourenModus;
    std::vector<KostenZeile> kosten;
    std::vector<TourZeile> touren;
    double km;
    int code;
    bool grafik;
};

fleet::MonatsauswertungAusgang rechnen(const Fall &f)
{
    fleet::MonatsauswertungEingabe e;
    e.KfzNr = QStringLiteral("K-1");
    e.Kosten = f.kosten;
    e.Touren = f.touren;
    e.TourenModus = f.tourenModus;
    e.Jahr = 2024;
    e.Monat = 4;
    return fleet::MonatsauswertungBerechnen(e);
}

TEST(MonatsauswertungBerechnen, KilometresAndCodesPerMode)
{
    const Fall faelle[] = {
        {"odometer: reading before, first, highest",
         false,
         {kosten(10, 3, 10200, 50), kosten(5, 4, 10500, 60), kosten(20, 4, 10350, 70),
          kosten(3, 5, 11000, 80)},
         {},
         300,
         0,
         true},
        {"odometer: no earlier record, M - F",
         false,
         {kosten(5, 4, 10200, 1), kosten(20, 4, 10500)},
         {},
         300,
         0,
         true},
        {"odometer: a single record of the month", false, {kosten(5, 4, 10500, 1)}, {}, 0, 0, true},
        {"odometer: readings before the month higher",
         false,
         {kosten(10, 3, 12000), kosten(5, 4, 10500, 1)},
         {},
         0,
         0,
         true},
        {"odometer: a record without reading",
         false,
         {kosten(10, 3, 10000), kosten(5, 4, 0, 1), kosten(20, 4, 10500)},
         {},
         500,
         1,
         true},
        {"odometer: no record of the month",
         false,
         {kosten(10, 3, 10000, 5), kosten(3, 5, 11000, 5)},
         {},
         0,
         2,
         false},
        {"odometer: all-zero costs keep the code",
         false,
         {kosten(5, 4, 10000), kosten(20, 4, 10100)},
         {},
         100,
         0,
         false},
        {"tours: tours, no cost", true, {kosten(5, 4, 10000)}, {tour(3, 4, 120, 10)}, 120, 42, false},
        {"tours: tour of 0 km, no cost", true, {}, {tour(3, 4, 0)}, 0, 42, false},
        {"tours: no tour, no cost", true, {}, {tour(3, 5, 100)}, 0, 41, false},
        {"tours: no tour, costs", true, {kosten(5, 4, 0, 30)}, {}, 0, 4, true},
        {"tours: a tour of 0 km", true, {kosten(5, 4, 0, 30)}, {tour(3, 4, 0), tour(9, 4, 80)}, 80, 3, true},
    };
    for (const Fall &f : faelle) {
        const auto aus = rechnen(f);
        EXPECT_DOUBLE_EQ(aus.Ergebnis.GefKilometer, f.km) << f.name;
        EXPECT_EQ(aus.Code, f.code) << f.name;
        EXPECT_EQ(aus.GrafikSichtbar, f.grafik) << f.name;
        EXPECT_EQ(aus.Torte.empty(), !f.grafik) << f.name;
    }

    // The rows reach the rule in date order however they were stored: the
    // result depends on the order given, and the order by date gives the above.
    const auto r = fleet::KmAusKmStaenden(faelle[0].kosten, 2024, 4);
    EXPECT_EQ(r.A, 10200);
    EXPECT_EQ(r.F, 10500);
    EXPECT_EQ(r.M, 10500);
    EXPECT_EQ(r.ImMonat, 2);
}

TEST(MonatsauswertungBerechnen, MonthZeroMatchesNothing)
{
    fleet::MonatsauswertungEingabe e;
    e.Kosten = {kosten(5, 4, 10000, 10)};
    e.Jahr = 2024;
    e.Monat = 0;
    EXPECT_EQ(fleet::MonatsauswertungBerechnen(e).Code, 2);
    e.TourenModus = true;
    EXPECT_EQ(fleet::MonatsauswertungBerechnen(e).Code, 41);
}

TEST(MonatsauswertungBerechnen, SumsAndPerKilometreValues)
{
    fleet::MonatsauswertungEingabe e;
    e.KfzNr = QStringLiteral("K-1");
    e.Jahr = 2024;
    e.Monat = 4;
    KostenZeile a = kosten(1, 4, 10000, 80.5);
    a.Liter = 50;
    a.Betraege[1] = 1200; // Reparatur
    KostenZeile b = kosten(30, 4, 11000, 19.5);
    b.Liter = 30;
    b.Betraege[9] = 0.00005; // Sonstige4, rounds to 0,0000 (ties to even)
    KostenZeile fremd = kosten(1, 4, 0, 999);
    fremd.BelegDatum = base::encodeDate(2023, 4, 1); // same month, other year
    e.Kosten = {a, fremd, b};
    e.Stammbetraege[0] = 1200; // Haftpflicht: 100 a month
    e.Stammbetraege[2] = -50;  // negative: nothing
    const auto aus = fleet::MonatsauswertungBerechnen(e);
    const auto &r = aus.Ergebnis;
    EXPECT_EQ(r.KfzNr, QStringLiteral("K-1"));
    EXPECT_EQ(r.AuswertungsJahr, 2024);
    EXPECT_EQ(r.AuswertungsMonat, 4);
    EXPECT_EQ(r.VerbrauchKosten, base::Currency::fromInt(100));
    EXPECT_EQ(r.ReparaturKosten, base::Currency::fromInt(1200));
    EXPECT_EQ(r.Sonstige4Kosten, base::Currency());
    EXPECT_EQ(r.VarKosten, base::Currency::fromInt(1300));
    EXPECT_EQ(r.HaftPflNettoBetrag, base::Currency::fromInt(100));
    EXPECT_EQ(r.Steuer, base::Currency());
    EXPECT_EQ(r.FixKosten, base::Currency::fromInt(100));
    EXPECT_EQ(r.GesamtKosten, base::Currency::fromInt(1400));
    EXPECT_DOUBLE_EQ(r.GefKilometer, 1000);
    EXPECT_EQ(r.GesamtKostenProKm, base::Currency::fromUnits(14000));
    EXPECT_DOUBLE_EQ(r.VerbrauchLiter, 80);
    EXPECT_DOUBLE_EQ(r.VerbrauchLiterPro100Km, 8);
    EXPECT_EQ(r.Ertrag, base::Currency());
    // Eleven slices with the fixed costs, zero values included, in their colours.
    ASSERT_EQ(aus.Torte.size(), 11u);
    EXPECT_EQ(aus.Torte[0].Wert, 100);
    EXPECT_EQ(aus.Torte[0].Farbe, 0xFF0000);
    EXPECT_EQ(aus.Torte[2].Wert, 0);
    EXPECT_EQ(aus.Torte[10].Art, 10);
    EXPECT_EQ(aus.Torte[10].Wert, 100);
    EXPECT_EQ(aus.Torte[10].Farbe, 0xFFFFFF);

    // Without fixed costs the pie has ten slices.
    e.Stammbetraege = {};
    EXPECT_EQ(fleet::MonatsauswertungBerechnen(e).Torte.size(), 10u);
}

TEST(MonatsauswertungBerechnen, MoneyRounding)
{
    struct Geld {
        double stamm;
        const char *monat;
    };
    const Geld stamm[] = {{1200, "100,00"}, {-1200, "0,00"}, {0.0018, "0,0002"}, {0.0006, "0,0000"}};
    for (const Geld &g : stamm) {
        fleet::MonatsauswertungEingabe e;
        e.Stammbetraege[4] = g.stamm; // AFA
        const auto r = fleet::MonatsauswertungBerechnen(e).Ergebnis;
        const int stellen = std::string(g.monat).size() - std::string(g.monat).find(',') - 1;
        EXPECT_EQ(r.AFA.toString(stellen), QString::fromUtf8(g.monat)) << g.stamm;
        EXPECT_EQ(r.FixKosten, r.AFA) << g.stamm;
    }

    struct Torte {
        double betrag;
        std::int64_t wert;
    };
    const Torte torte[] = {{2.5, 2}, {3.5, 4}, {1234.49, 1234}, {0.5, 0}};
    for (const Torte &t : torte) {
        fleet::MonatsauswertungEingabe e;
        e.Jahr = 2024;
        e.Monat = 4;
        e.Kosten = {kosten(5, 4, 100, t.betrag)};
        const auto aus = fleet::MonatsauswertungBerechnen(e);
        ASSERT_FALSE(aus.Torte.empty()) << t.betrag;
        EXPECT_EQ(aus.Torte[0].Wert, t.wert) << t.betrag;
    }

    // Tour revenue is rounded to 1/10000 on each addition, not summed first.
    fleet::MonatsauswertungEingabe e;
    e.TourenModus = true;
    e.Jahr = 2024;
    e.Monat = 4;
    e.Touren = {tour(1, 4, 10, 0.00004), tour(2, 4, 10, 0.00004)};
    EXPECT_EQ(fleet::MonatsauswertungBerechnen(e).Ergebnis.Ertrag, base::Currency());
}

TEST(ErtragAnzeigeBerechnen, ColoursFollowTheShownValues)
{
    namespace c = ui::color;
    struct Fall {
        const char *name;
        std::int64_t ertrag, gesamt; // in 1/10000
        const char *ertragText;
        ui::TColor ertragFarbe;
        const char *ueberschuss;
        ui::TColor ueberschussFarbe;
    };
    const Fall faelle[] = {
        {"no revenue", 0, 5000000, "0,00", c::Aqua, "0,00", c::Aqua},
        {"negative revenue", -10000, 0, "-1,00", c::Aqua, "0,00", c::Aqua},
        {"revenue equals cost", 12345000, 12345000, "1234,50", c::Lime, "0,00", c::Aqua},
        {"surplus of 0,004", 12345040, 12345000, "1234,50", c::Lime, "0,00", c::Aqua},
        {"surplus", 22345000, 12345000, "2234,50", c::Lime, "1000,00", c::Lime},
        {"below cost", 10000000, 12345000, "1000,00", c::Red, "-234,50", c::Red},
    };
    for (const Fall &f : faelle) {
        const auto a = fleet::ErtragAnzeigeBerechnen(base::Currency::fromUnits(f.ertrag),
                                                     base::Currency::fromUnits(f.gesamt));
        EXPECT_EQ(a.ErtragText, QString::fromUtf8(f.ertragText)) << f.name;
        EXPECT_EQ(a.ErtragFarbe, f.ertragFarbe) << f.name;
        EXPECT_EQ(a.UeberschussText, QString::fromUtf8(f.ueberschuss)) << f.name;
        EXPECT_EQ(a.UeberschussFarbe, f.ueberschussFarbe) << f.name;
    }
}

TEST(MonatsauswertungTexte, SameUnderEveryLocale)
{
    for (const char *locale : {"C", "de_DE.UTF-8"}) {
        std::setlocale(LC_ALL, locale);
        EXPECT_EQ(fleet::GeldText(base::Currency::fromUnits(12345000)), QStringLiteral("1234,50")) << locale;
        EXPECT_EQ(fleet::KmText(12345), QStringLiteral("12345")) << locale;
        EXPECT_EQ(fleet::LiterText(8.333333), QStringLiteral("8,33")) << locale;
    }
    std::setlocale(LC_ALL, "C");
}

TEST(KmStandGanzzahl, RoundsHalfToEvenAndClamps)
{
    EXPECT_EQ(fleet::KmStandGanzzahl(10500.5), 10500);
    EXPECT_EQ(fleet::KmStandGanzzahl(10501.5), 10502);
    EXPECT_EQ(fleet::KmStandGanzzahl(0.4), 0);
    EXPECT_EQ(fleet::KmStandGanzzahl(1e300), 1000000000000000);
    EXPECT_EQ(fleet::KmStandGanzzahl(std::nan("")), 0);
}

} // namespace
