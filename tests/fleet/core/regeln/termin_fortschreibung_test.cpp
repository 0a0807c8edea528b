// The arithmetic of rolling an appointment forward.
#include <gtest/gtest.h>

#include "regeln/TerminFortschreibung.h"
#include "regeln/Terminarten.h"

namespace {

using base::encodeDate;

struct Monate {
    base::TDateTime von;
    int intervall;
    base::TDateTime erwartet;
};

TEST(TerminFortschreibung, MonthKindsMoveByTheirIntervalWithTheDayFittedToTheMonth)
{
    const Monate faelle[] = {
        {encodeDate(2005, 3, 15), 24, encodeDate(2007, 3, 15)},
        {encodeDate(2005, 11, 15), 3, encodeDate(2006, 2, 15)},
        {encodeDate(2005, 3, 15), 12, encodeDate(2006, 3, 15)},
        {encodeDate(2005, 3, 15), 13, encodeDate(2006, 4, 15)},
        {encodeDate(2005, 3, 15), 0, encodeDate(2005, 3, 15)},
        {encodeDate(2005, 1, 31), 1, encodeDate(2005, 2, 28)},
        {encodeDate(2008, 1, 31), 1, encodeDate(2008, 2, 29)},
        {encodeDate(2008, 2, 29), 12, encodeDate(2009, 2, 28)},
        {encodeDate(2005, 1, 15), -1, encodeDate(2004, 12, 15)},
    };
    for (const Monate &f : faelle)
        EXPECT_EQ(fleet::TerminDatumWeiter(f.von, f.intervall), f.erwartet) << f.von << " + " << f.intervall;
}

TEST(TerminFortschreibung, KilometreKindsAddIn64BitsAndRefuseWhatLeaves32Bits)
{
    EXPECT_EQ(fleet::TerminKmWeiter(45000, 15000), 60000);
    EXPECT_EQ(fleet::TerminKmWeiter(2147470000, 10000), 2147480000);
    EXPECT_FALSE(fleet::TerminKmWeiter(2147480000, 10000).has_value());
    EXPECT_FALSE(fleet::TerminKmWeiter(-2147480000, -10000).has_value());
}

TEST(TerminFortschreibung, IntervalNamesAreExactAndCaseSensitive)
{
    EXPECT_EQ(fleet::TerminIntervallFeld(QStringLiteral("TÜV")), QStringLiteral("TUEVTIntervall"));
    EXPECT_EQ(fleet::TerminIntervallFeld(QStringLiteral("InspektionDatum")),
              QStringLiteral("InspektionTDatumIntervall"));
    EXPECT_EQ(fleet::TerminIntervallFeld(QStringLiteral("FreierTermin12")),
              QStringLiteral("FrTermin12TIntervall"));
    for (const char *fremd : {"TUEV", "tüv", "FreierTermin3", "FreierTermin13", ""})
        EXPECT_TRUE(fleet::TerminIntervallFeld(QString::fromUtf8(fremd)).isEmpty()) << fremd;
}

TEST(TerminFortschreibung, MessagesNameTheKindOrTheUsersCaption)
{
    const fleet::Terminart *hu = fleet::TerminartZuEdit(QStringLiteral("EditTUEVTermin"));
    const fleet::Terminart *frei = fleet::TerminartZuEdit(QStringLiteral("EditFreierTermin7"));
    ASSERT_TRUE(hu && frei);
    EXPECT_EQ(fleet::TerminFortschreibungErfolgText(*hu, QStringLiteral("egal")),
              QStringLiteral("HU-Termin erfolgreich fortgeschrieben."));
    EXPECT_EQ(fleet::TerminFortschreibungFehlerText(*frei, QStringLiteral("Ölwechsel")),
              QStringLiteral("Terminfortschreibung nicht möglich - Sie haben entweder keinen Ölwechsel "
                             "eingetragen oder kein entsprechendes Terminintervall im Einstellungen-Formular "
                             "definiert."));
    EXPECT_EQ(frei->stammFeld, QStringLiteral("FreierTermin7"));
    EXPECT_EQ(fleet::TerminartZuEdit(QStringLiteral("EditFreierTermin3"))->stammFeld,
              QStringLiteral("KfzFreierTermin3"));
    EXPECT_EQ(fleet::TerminartZuEdit(QStringLiteral("EditKfzNr")), nullptr);
}

} // namespace
