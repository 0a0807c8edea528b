#include <gtest/gtest.h>

#include "base/DateTime.h"
#include "dbe/Errors.h"
#include "dbe/Table.h"
#include "kern_umgebung.h"
#include "regeln/DispoKollision.h"

namespace {

using base::encodeDate;
using base::encodeTime;
using fleet::DispoBuchung;

const base::TDateTime kTag = encodeDate(2024, 3, 4);

DispoBuchung buchung(qint64 zeile, int tagVon, int stundeVon, int tagBis, int stundeBis)
{
    return {zeile, kTag + tagVon, kTag + tagBis, encodeTime(stundeVon, 0), encodeTime(stundeBis, 0)};
}

TEST(DispoKollisionSuchen, OverlapsCollideAndTouchingPeriodsDoNot)
{
    const QList<DispoBuchung> bestehend{buchung(1, 0, 8, 0, 12)};
    struct Fall {
        const char *name;
        DispoBuchung neu;
        bool kollision;
    };
    const Fall faelle[] = {
        {"after, touching the end", buchung(0, 0, 12, 0, 14), false},
        {"before, touching the start", buchung(0, 0, 6, 0, 8), false},
        {"begins inside", buchung(0, 0, 11, 0, 14), true},
        {"ends inside", buchung(0, 0, 7, 0, 9), true},
        {"encloses", buchung(0, 0, 7, 0, 13), true},
        {"the same period", buchung(0, 0, 8, 0, 12), true},
        {"lies inside", buchung(0, 0, 9, 0, 10), true},
        {"over the night around it", buchung(0, -1, 20, 1, 6), true},
        {"next day", buchung(0, 1, 8, 1, 12), false},
        {"the stored booking itself, changed", buchung(1, 0, 9, 0, 13), false},
        {"another stored booking", buchung(2, 0, 9, 0, 13), true},
    };
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(fleet::DispoKollisionSuchen(f.neu, bestehend).has_value(), f.kollision);
    }
}

TEST(DispoKollisionSuchen, ClockTimesComparedToTheMillisecondAndTheFirstCollisionReported)
{
    // 12:00 reached by two different sums still only touches.
    DispoBuchung frueh = buchung(1, 0, 8, 0, 12);
    frueh.UhrzeitBis = 0.1 + 0.2 + 0.2; // not exactly 0.5 in binary
    DispoBuchung neu = buchung(0, 0, 12, 0, 14);
    EXPECT_FALSE(fleet::DispoKollisionSuchen(neu, {frueh}).has_value());

    const QList<DispoBuchung> bestehend{buchung(1, 1, 8, 1, 12), buchung(2, 0, 10, 0, 11),
                                        buchung(3, 0, 12, 0, 13)};
    const auto gefunden = fleet::DispoKollisionSuchen(buchung(0, 0, 9, 0, 14), bestehend);
    ASSERT_TRUE(gefunden.has_value());
    EXPECT_EQ(gefunden->zeile, 2);
}

TEST(DispoKollisionPruefen, ReadsOnlyTheVehiclesBookingsAndReturnsTheColliding)
{
    kerntest::Umgebung u;
    const QStringList felder{"Kfznr", "DatumVon", "DatumBis", "UhrzeitVon", "UhrzeitBis"};
    kerntest::zeileAnfuegen(u.session(), "Fuhrpark", "KfzDispo.DB", felder,
                            {"A-1", kTag, kTag, encodeTime(8, 0), encodeTime(12, 0)});
    kerntest::zeileAnfuegen(u.session(), "Fuhrpark", "KfzDispo.DB", felder,
                            {"B-2", kTag, kTag, encodeTime(13, 0), encodeTime(15, 0)});
    dbe::TTable dispo(&u.session());
    dispo.SetDatabaseName("Fuhrpark");
    dispo.SetTableName("KfzDispo.DB");

    base::TDateTime von = kTag, bis = kTag, uhrBis = encodeTime(14, 0), uhrVon = encodeTime(11, 0);
    ASSERT_TRUE(fleet::DispoKollisionPruefen(dispo, "A-1", 0, von, bis, uhrBis, uhrVon));
    EXPECT_EQ(von, kTag);
    EXPECT_EQ(bis, kTag);
    EXPECT_DOUBLE_EQ(uhrVon, encodeTime(8, 0));
    EXPECT_DOUBLE_EQ(uhrBis, encodeTime(12, 0));

    base::TDateTime v = kTag, b = kTag, ub = encodeTime(14, 0), uv = encodeTime(12, 0);
    EXPECT_FALSE(fleet::DispoKollisionPruefen(dispo, "A-1", 0, v, b, ub, uv)) << "B-2's booking is not A-1's";
    EXPECT_FALSE(fleet::DispoKollisionPruefen(dispo, "a-1", 0, v, b, ub, uv));

    // A test that cannot read the bookings does not answer "no collision".
    dbe::TTable fehlt(&u.session());
    fehlt.SetDatabaseName("Fuhrpark");
    fehlt.SetTableName("GibtEsNicht.db");
    EXPECT_THROW(fleet::DispoKollisionPruefen(fehlt, "A-1", 0, v, b, ub, uv), dbe::EDatabaseError);
}

} // namespace
