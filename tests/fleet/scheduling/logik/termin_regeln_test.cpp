// The due-list rules without tables or windows.
#include <gtest/gtest.h>

#include "base/DateTime.h"
#include "logik/TerminRegeln.h"
#include "regeln/Terminarten.h"

using namespace fleet::termine;
using base::encodeDate;

namespace {

struct DatumFall {
    base::TDateTime faellig;
    int vorwarnTage;
    bool gelistet;
};

TEST(DueRule, DateKindIsListedWhenItsWarningDayFallsInsideThePeriod)
{
    const auto von = encodeDate(2024, 1, 1), bis = encodeDate(2024, 12, 31);
    const DatumFall faelle[] = {
        {encodeDate(2024, 1, 31), 30, true},   {encodeDate(2025, 1, 30), 30, true},
        {encodeDate(2024, 1, 30), 30, false},  {encodeDate(2025, 1, 31), 30, false},
        {encodeDate(2024, 1, 1), -5, true},    {encodeDate(2023, 12, 31), -5, false},
        {encodeDate(2024, 12, 31), -30, true}, {encodeDate(2025, 1, 1), 0, false},
    };
    for (const DatumFall &f : faelle)
        EXPECT_EQ(DatumFaellig(f.faellig, von, bis, f.vorwarnTage), f.gelistet)
            << f.faellig << " / " << f.vorwarnTage;
}

TEST(DueRule, OdometerKindIsListedFromItsWarningReadingWhateverThePeriod)
{
    EXPECT_FALSE(KmFaellig(30000, 28999, 1000));
    EXPECT_TRUE(KmFaellig(30000, 29000, 1000));
    EXPECT_TRUE(KmFaellig(30000, 45000, 1000));
    EXPECT_FALSE(KmFaellig(30000, 29999, -1000)); // a negative threshold reads as 0
    // Halves round away from zero: 28999.5 km is 29000 km.
    EXPECT_TRUE(KmFaellig(30000, 28999.5, 1000));
    EXPECT_FALSE(KmFaellig(30000, 28999.4, 1000));
}

TEST(CellState, DateCellsByTheirDistanceFromTheEndOfThePeriod)
{
    const auto bis = encodeDate(2024, 3, 15);
    struct {
        base::TDateTime d;
        Zellzustand z;
    } const faelle[] = {
        {encodeDate(2024, 3, 16), Zellzustand::Vorwarnzeit},
        {encodeDate(2024, 3, 15), Zellzustand::Normal},
        {encodeDate(2024, 3, 5), Zellzustand::Normal},
        {encodeDate(2024, 3, 4), Zellzustand::Warnung},
    };
    for (const auto &f : faelle)
        EXPECT_EQ(DatumZustand(f.d, bis, 10), f.z) << f.d;
    EXPECT_EQ(DatumZustand(encodeDate(2024, 3, 14), bis, -3), Zellzustand::Warnung);
}

TEST(CellState, OdometerCellsComparedInWholeKilometres)
{
    EXPECT_EQ(KmZustand(50001, 50000, 500), Zellzustand::Vorwarnzeit);
    EXPECT_EQ(KmZustand(49600, 50000, 500), Zellzustand::Normal);
    EXPECT_EQ(KmZustand(49500, 50000, 500), Zellzustand::Normal);
    EXPECT_EQ(KmZustand(49400, 50000, 500), Zellzustand::Warnung);
    // 50000.4 km reads as 50000: the due reading is reached, not ahead.
    EXPECT_EQ(KmZustand(50000, 50000.4, 500), Zellzustand::Normal);
}

TEST(CellState, NamesCarryTheNoteSuffix)
{
    EXPECT_EQ(ZustandName(Zellzustand::Normal, false), "");
    EXPECT_EQ(ZustandName(Zellzustand::Normal, true), "MitInfo");
    EXPECT_EQ(ZustandName(Zellzustand::Vorwarnzeit, true), "VorwarnzeitMitInfo");
    EXPECT_EQ(ZustandName(Zellzustand::Warnung, true), "WarnungMitInfo");
    EXPECT_EQ(ZustandName(Zellzustand::Warnung, false), "Warnung");
}

TEST(TitleClick, SortIndexByTheClickedField)
{
    EXPECT_FALSE(SortIndexFuerFeld("Info", "x"));
    EXPECT_FALSE(SortIndexFuerFeld("KfzKmStand", "x"));
    EXPECT_EQ(SortIndexFuerFeld("KfzNr", "x"), QString());
    EXPECT_EQ(SortIndexFuerFeld("TUEVTermin", "Tuev"), QString("Tuev"));
    EXPECT_EQ(SortIndexFuerFeld("FreierTermin3", ""), QString()); // no vehicle listed: primary order
    EXPECT_EQ(TitelMitMarke("HU"), "* HU");
    EXPECT_EQ(TitelMitMarke("* HU"), "* HU");
    EXPECT_EQ(TitelOhneMarke("* HU"), "HU");
    EXPECT_EQ(TitelOhneMarke("HU"), "HU");
}

TEST(NoteCleanup, OnlyAListedDifferentValueMakesANoteStale)
{
    EXPECT_FALSE(NotizVeraltet(QString("01.03.2024"), "01.03.2024"));
    EXPECT_TRUE(NotizVeraltet(QString("01.03.2025"), "01.03.2024"));
    EXPECT_FALSE(NotizVeraltet(QString(), "01.03.2024"));    // empty cell or unwatched kind
    EXPECT_FALSE(NotizVeraltet(std::nullopt, "01.03.2024")); // vehicle without a row
}

TEST(WorkshopDate, NearFromTodayToThreeDaysAhead)
{
    const auto heute = encodeDate(2024, 5, 10);
    EXPECT_TRUE(WerkstattTerminNah(heute, heute + 0.75));
    EXPECT_TRUE(WerkstattTerminNah(heute + 3, heute));
    EXPECT_FALSE(WerkstattTerminNah(heute + 4, heute));
    EXPECT_FALSE(WerkstattTerminNah(heute - 1, heute));
}

TEST(Terminarten, TwentyOneKindsWithTheirNamesAndTheScanOrder)
{
    const auto &arten = fleet::Terminarten();
    ASSERT_EQ(arten.size(), 21);
    EXPECT_EQ(arten[0].terminName(), "TTblTermineTUEVTermin");
    EXPECT_EQ(arten[1].einstellung, "AUTerminZeigen");
    EXPECT_EQ(arten[10].stammFeld, "FreierTermin4");
    EXPECT_EQ(arten[9].stammFeld, "KfzFreierTermin3");
    int km = 0;
    for (const auto &a : arten)
        km += a.km;
    EXPECT_EQ(km, 7);
    QStringList scan;
    for (int i : fleet::TerminartenPruefReihenfolge())
        scan << arten[i].feld;
    EXPECT_EQ(scan.mid(0, 4), QStringList({"TUEVTermin", "ASUTermin", "InspektionTermin", "FreierTermin1"}));
    EXPECT_EQ(scan.mid(15), QStringList({"Vignette1Termin", "Vignette2Termin", "KlInspektionTermin",
                                         "GrInspektionTermin", "FreierTermin13", "FreierTermin14"}));
}

} // namespace
