// The dispatch chart's fill, axes, captions, information line and ticker.
#include <gtest/gtest.h>

#include "base/DateTime.h"
#include "daten/Aliase.h"
#include "dbe/Field.h"
#include "dbe/Session.h"
#include "dbe/Table.h"
#include "logik/DispoGrafikDaten.h"
#include "termin_umgebung.h"

using namespace fleet::dispo;
using base::encodeDate;
using base::encodeTime;

namespace {

void buchungen(dbe::TSession &s, const QString &kfz, int anzahl, base::TDateTime ab = encodeDate(2024, 3, 1))
{
    dbe::TTable t(&s);
    t.SetDatabaseName(fleet::kAliasFuhrpark);
    t.SetTableName("KfzDispo.DB");
    t.Open();
    dbe::TTransaction tr(s, fleet::kAliasFuhrpark);
    for (int i = 0; i < anzahl; ++i) {
        const auto von = ab + i, bis = ab + i;
        t.Append();
        t.FieldByName("Kfznr")->SetAsString(kfz);
        t.FieldByName("DatumVon")->SetAsDateTime(von);
        t.FieldByName("DatumBis")->SetAsDateTime(bis);
        t.FieldByName("UhrzeitVon")->SetAsDateTime(encodeTime(8, 5));
        t.FieldByName("UhrzeitBis")->SetAsDateTime(encodeTime(17, 30));
        t.FieldByName("DatumUhrzeitVon")->SetAsDateTime(von + encodeTime(8, 5));
        t.FieldByName("DatumUhrzeitBis")->SetAsDateTime(bis + encodeTime(17, 30));
        t.Post();
    }
    tr.Commit();
}

GrafikFuellung fuellen(dbe::TSession &s)
{
    dbe::TTable t(&s);
    t.SetDatabaseName(fleet::kAliasFuhrpark);
    t.SetTableName("KfzDispo.DB");
    t.Open();
    return GrafikFuellen(t);
}

TEST(DispoGrafik, TwoThousandBookingsAreAllDrawnOneMoreIsTooMany)
{
    termintest::TerminUmgebung u;
    EXPECT_EQ(fuellen(u.session()).zeilen(), 0);
    EXPECT_EQ(GrafikStatus(0, 0), "Fahrzeuge: 0   Dispositionen: 0");
    buchungen(u.session(), "AB-1", 1000);
    buchungen(u.session(), "ab-1", 999); // another vehicle: letter case counts
    buchungen(u.session(), "ZZ-9", 1, encodeDate(2030, 1, 1));
    GrafikFuellung f = fuellen(u.session());
    EXPECT_FALSE(f.zuViele);
    EXPECT_EQ(f.balken.size(), 2000);
    EXPECT_EQ(f.fahrzeuge, QStringList({"AB-1", "ZZ-9", "ab-1"}));
    EXPECT_EQ(f.balken.last().zeile, 2);
    EXPECT_EQ(f.balken.last().kfzNr, "ab-1");
    EXPECT_DOUBLE_EQ(f.balken.first().von, encodeDate(2024, 3, 1) + encodeTime(8, 5));
    buchungen(u.session(), "ZZ-9", 1, encodeDate(2031, 1, 1));
    f = fuellen(u.session());
    EXPECT_TRUE(f.zuViele);
    EXPECT_EQ(f.balken.size(), 2000);
}

TEST(DispoGrafik, TimeAxisOfEveryView)
{
    AchsenVorgaben v;
    v.ersterTag = encodeDate(2024, 3, 5) + 0.5;
    v.letzterTag = encodeDate(2024, 3, 9) + 0.25;
    v.heute = encodeDate(2024, 3, 7) + 0.3;
    v.spaetestesEnde = encodeDate(2024, 4, 2) + 0.5;
    v.monat = "Februar";
    v.jahr = "2024";
    bool fehler = true;
    const auto achse = [&](int sicht) {
        v.sicht = sicht;
        return GrafikZeitachse(v, fehler);
    };
    EXPECT_FALSE(achse(0));
    EXPECT_FALSE(fehler);
    auto a = achse(1);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->von, encodeDate(2024, 3, 5));
    EXPECT_EQ(a->bis, encodeDate(2024, 3, 10));
    a = achse(2);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->von, encodeDate(2024, 2, 1));
    EXPECT_EQ(a->bis, encodeDate(2024, 3, 1)); // 29 February plus one day
    v.jahr = "2023";
    EXPECT_EQ(achse(2)->bis, encodeDate(2023, 3, 1));
    a = achse(3);
    EXPECT_EQ(a->von, encodeDate(2024, 3, 5));
    EXPECT_EQ(a->bis, encodeDate(2024, 3, 6));
    a = achse(4);
    EXPECT_EQ(a->von, encodeDate(2024, 3, 7));
    EXPECT_EQ(a->bis, encodeDate(2024, 3, 8));
    a = achse(5);
    EXPECT_EQ(a->von, encodeDate(2024, 3, 7));
    EXPECT_EQ(a->bis, v.spaetestesEnde);
    EXPECT_FALSE(fehler);
    v.monat = "Brumaire";
    EXPECT_FALSE(achse(2));
    EXPECT_TRUE(fehler);
    v.monat = "März";
    v.jahr = "zwanzig";
    EXPECT_FALSE(achse(2));
    EXPECT_TRUE(fehler);
}

TEST(DispoGrafik, CaptionsByChoiceAndFilter)
{
    EXPECT_EQ(*GrafikTitel(0, false, "M-A 1", false, ""),
              "Fuhrpark Fahrzeug-Disposition (Aktuelles Fahrzeug = M-A 1)");
    EXPECT_EQ(*GrafikTitel(1, false, "", true, "DatumVon > 1"),
              "Fuhrpark Fahrzeug-Disposition (Alle Fahrzeuge , Sichtb. Zeitraum: eingeschränkt)");
    EXPECT_EQ(*GrafikTitel(2, true, "", false, ""),
              "Fuhrpark Fahrzeug-Disposition (Fahrzg. Stammdaten-Filter)");
    EXPECT_FALSE(GrafikTitel(2, false, "", false, ""));
    // Filtered with an empty text: no closing bracket.
    EXPECT_EQ(*GrafikTitel(1, false, "", true, ""), "Fuhrpark Fahrzeug-Disposition (Alle Fahrzeuge");
}

TEST(DispoGrafik, InformationLineAndTicker)
{
    const QString zeile = GrafikInfoZeile("M-KV 1000", encodeDate(2024, 3, 5) + encodeTime(8, 5) - 1e-9,
                                          encodeDate(2024, 3, 6) + encodeTime(17, 30), "Jürgen Größ");
    EXPECT_EQ(zeile, "Kennzeichen: M-KV 1000, Datum von: 5.3.2024, 8:5 Uhr, Datum bis: 6.3.2024, 17:30 Uhr, "
                     "Fahrer: Jürgen Größ * * * ");
    EXPECT_TRUE(GrafikInfoZeile("X", 0, 0, "").endsWith("Fahrer: ?  * * * "));
    const QString t85(85, 'a');
    EXPECT_EQ(TickerSchritt(t85), t85);
    const QString t86 = "b" + QString(85, 'a');
    EXPECT_EQ(TickerSchritt(t86), QString(85, 'a') + "b");
}

} // namespace
