// The dispatch page's view modes (filter texts, labels, chart axes) and the
// utilisation figure, over a client's real booking table.
#include <gtest/gtest.h>

#include "base/DateTime.h"
#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "dbe/Table.h"
#include "detail_umgebung.h"
#include "regeln/DispoAuslastung.h"
#include "regeln/DispoSicht.h"
#include "regeln/FeldPositionen.h"

namespace {

using base::encodeDate;
using base::encodeTime;
using fleet::DispoSichtDaten;

DispoSichtDaten sicht(int modus, base::TDateTime von = encodeDate(2005, 2, 1),
                      base::TDateTime bis = encodeDate(2005, 2, 28), const QString &jahr = "2005",
                      const QString &monat = "Februar")
{
    // Today is the first day; the pickers carry a time of day, as they may.
    return DispoSichtDaten{modus, von + 0.25, bis + 0.75, encodeDate(2005, 2, 1) + 0.5, jahr, monat};
}

TEST(DispoSicht, FilterTextsAndLabelsPerMode)
{
    struct Fall {
        int modus;
        QString filter, beschriftung;
    };
    const Fall faelle[] = {
        {0, "", "Sichtbarer Zeitraum: ohne Einschränkung"},
        {1,
         "((DatumBis >=  '01.02.2005') and (DatumVon <= '01.02.2005'))or ((DatumBis >=  '28.02.2005') and "
         "(DatumVon <= '28.02.2005'))or ((DatumBis <=  '28.02.2005') and (DatumVon >= '01.02.2005'))",
         "Sichtbarer Zeitraum: 01.02.2005 bis 28.02.2005"},
        {2, "(DatumVon <= '28.02.2005') and (DatumBis >= '01.02.2005')", "Sichtbarer Zeitraum: Februar 2005"},
        {3, "(DatumVon <=  '01.02.2005') and (DatumBis >= '01.02.2005')", "Sichtbarer Zeitraum: 01.02.2005"},
        {4, "(DatumVon <=  '01.02.2005') and (DatumBis >= '01.02.2005')",
         "Sichtbarer Zeitraum: Heute (01.02.2005)"},
        {5, "(DatumVon >=  '01.02.2005')", "Sichtbarer Zeitraum: ab Heute (01.02.2005 bis ..)"},
    };
    for (const Fall &f : faelle) {
        EXPECT_EQ(fleet::DispoFilterText(sicht(f.modus)), f.filter) << f.modus;
        EXPECT_EQ(fleet::DispoSichtBeschriftung(sicht(f.modus)), f.beschriftung) << f.modus;
    }
    EXPECT_EQ(fleet::DispoFilterText(sicht(2, 0, 0, "2024")),
              QStringLiteral("(DatumVon <= '29.02.2024') and (DatumBis >= '01.02.2024')"));
}

TEST(DispoSicht, AxisRangePerMode)
{
    struct Fall {
        DispoSichtDaten sicht;
        bool automatisch;
        double min, max;
    };
    const double spaetester = encodeDate(2005, 3, 9) + 0.5;
    const Fall faelle[] = {
        {sicht(0), true, 0, 0},
        {sicht(1), false, encodeDate(2005, 2, 1), encodeDate(2005, 3, 1)},
        {sicht(2, 0, 0, "2024"), false, encodeDate(2024, 2, 1), encodeDate(2024, 3, 1)},
        {sicht(2, 0, 0, "2005"), false, encodeDate(2005, 2, 1), encodeDate(2005, 3, 1)},
        {sicht(3, encodeDate(2005, 2, 7)), false, encodeDate(2005, 2, 7), encodeDate(2005, 2, 8)},
        {sicht(4, encodeDate(2005, 2, 7)), false, encodeDate(2005, 2, 1), encodeDate(2005, 2, 2)},
        {sicht(5), false, encodeDate(2005, 2, 1), spaetester},
        {sicht(2, 0, 0, ""), true, 0, 0},
    };
    for (const Fall &f : faelle) {
        const fleet::DispoAchse a = fleet::DispoAchsenbereich(f.sicht, spaetester);
        EXPECT_EQ(a.automatisch, f.automatisch) << f.sicht.modus;
        if (!f.automatisch) {
            EXPECT_EQ(a.min, f.min) << f.sicht.modus;
            EXPECT_EQ(a.max, f.max) << f.sicht.modus;
        }
    }
}

TEST(DispoAuslastung, PeriodClipAndRounding)
{
    EXPECT_EQ(fleet::DispoZeitraum(sicht(2, 0, 0, "2024")).stunden, 696);
    EXPECT_EQ(fleet::DispoZeitraum(sicht(2, 0, 0, "2005")).stunden, 672);
    EXPECT_EQ(fleet::DispoZeitraum(sicht(2, 0, 0, "2005", "April")).stunden, 720);
    EXPECT_EQ(fleet::DispoZeitraum(sicht(1)).stunden, 28 * 24);
    EXPECT_EQ(fleet::DispoZeitraum(sicht(3)).stunden, 24);
    for (int modus : {0, 5})
        EXPECT_EQ(fleet::DispoZeitraum(sicht(modus)).stunden, -1);
    EXPECT_EQ(fleet::DispoZeitraum(sicht(2, 0, 0, "2005", "Brumaire")).stunden, -1);

    const base::TDateTime tag = encodeDate(2005, 2, 7);
    EXPECT_DOUBLE_EQ(fleet::DispoAnteil(tag - 1 + 0.5, tag + 0.5, tag, tag), 0.5);
    EXPECT_DOUBLE_EQ(fleet::DispoAnteil(tag + 0.75, tag + 0.25, tag, tag), 0.0);
    EXPECT_DOUBLE_EQ(fleet::DispoAnteil(tag - 3, tag + 5, tag, tag), 1.0);

    EXPECT_EQ(fleet::DispoProzentText(24, 8), QStringLiteral("33"));
    EXPECT_EQ(fleet::DispoProzentText(24, 3), QStringLiteral("12"));
    EXPECT_EQ(fleet::DispoProzentText(24, 9), QStringLiteral("38"));
    EXPECT_EQ(fleet::DispoProzentText(24, 36), QStringLiteral("150"));
}

class DispoAuslastungTabelle : public ::testing::Test {
protected:
    detailtest::Mandant m;
    const base::TDateTime tag = encodeDate(2024, 3, 4);

    void buchung(const QString &kfz, base::TDateTime von, base::TDateTime uhrVon, base::TDateTime bis,
                 base::TDateTime uhrBis)
    {
        kerntest::zeileAnfuegen(m.session(), fleet::kAliasFuhrpark, "KfzDispo.DB",
                                {"Kfznr", "DatumVon", "UhrzeitVon", "DatumBis", "UhrzeitBis"},
                                {kfz, von, uhrVon, bis, uhrBis});
        m.dm->TTblDispo.Refresh();
    }
    QString auslastung(int modus, int auswahl = 0, bool filterAktiv = false)
    {
        fleet::DispoAuslastungLage lage;
        lage.sicht = DispoSichtDaten{modus, tag, tag, tag, "2024", "April"};
        lage.fahrzeugAuswahl = auswahl;
        lage.fahrzeugFilterAktiv = filterAktiv;
        fleet::DispoAuslastungBerechnen(lage);
        EXPECT_FALSE(m.dm->TTblVar.Active());
        return fleet::DispoAuslastungText;
    }
};

TEST_F(DispoAuslastungTabelle, ShareOfTheVisiblePeriod)
{
    buchung("A-1", tag, encodeTime(8, 0), tag, encodeTime(16, 0));
    buchung("B-2", tag, encodeTime(0, 0), tag, encodeTime(23, 0)); // another vehicle
    EXPECT_EQ(auslastung(3), "33");
    // A booking ending before its start takes nothing from the others.
    buchung("A-1", tag, encodeTime(20, 0), tag, encodeTime(18, 0));
    EXPECT_EQ(auslastung(3), "33");
    // From noon of the day before until noon: 12 more hours.
    buchung("A-1", tag - 1, encodeTime(12, 0), tag, encodeTime(4, 0));
    EXPECT_EQ(auslastung(3), "50");
    for (int modus : {0, 5})
        EXPECT_EQ(auslastung(modus), "n.v.");
    EXPECT_EQ(auslastung(3, 1, true), "n.v.");
}

TEST_F(DispoAuslastungTabelle, AllVehiclesShareTheHoursOfTheFleet)
{
    for (int i = 3; i <= 10; ++i)
        kerntest::zeileAnfuegen(m.session(), fleet::kAliasFuhrpark, "KfzStamm.db", {"KfzNr"},
                                {QStringLiteral("C-%1").arg(i)});
    m.dm->TTblMain.Refresh();
    ASSERT_EQ(m.dm->TTblMain.RecordCount(), 10);
    m.dm->TTblDispo.SetMasterSource(nullptr);
    m.dm->TTblDispo.SetMasterFields(QString());
    m.dm->TTblDispo.Refresh();
    // 144 booked hours of 7200 (a 720-hour April, 10 vehicles): 2 %.
    buchung("A-1", encodeDate(2024, 4, 1), 0, encodeDate(2024, 4, 3), encodeTime(23, 59, 59) + 1.0 / 86400);
    buchung("C-7", encodeDate(2024, 4, 10), 0, encodeDate(2024, 4, 12), 1.0 - 1e-12);
    // Outside April: clipped away.
    buchung("B-2", encodeDate(2024, 3, 1), 0, encodeDate(2024, 3, 31), encodeTime(12, 0));
    EXPECT_EQ(auslastung(2, 1), "2");
    // The scratch table lent before over a range of other keys (a grid's column order).
    ASSERT_TRUE(fleet::FeldPositionenLaden(QStringLiteral("Dispo")));
    EXPECT_EQ(auslastung(2, 1), "2");
}

TEST_F(DispoAuslastungTabelle, ALentScratchTableGivesNoFigure)
{
    buchung("A-1", tag, encodeTime(8, 0), tag, encodeTime(16, 0));
    dbe::TTable &var = m.dm->TTblVar;
    var.SetTableName("KfzStamm.db");
    var.Open();
    fleet::DispoAuslastungLage lage;
    lage.sicht = DispoSichtDaten{3, tag, tag, tag, "2024", "März"};
    fleet::DispoAuslastungBerechnen(lage);
    EXPECT_EQ(fleet::DispoAuslastungText, "n.v.");
    EXPECT_TRUE(var.Active()); // left to its borrower
    var.Close();
}

} // namespace
