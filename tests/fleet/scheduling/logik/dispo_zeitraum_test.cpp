// The stepping table and the same-day rule of the period dialog.
#include <gtest/gtest.h>

#include "base/DateTime.h"
#include "logik/DispoZeitraumRegeln.h"

using namespace fleet::dispo;
using base::encodeDate;
using base::encodeTime;

namespace {

TEST(DispoStepping, TheTableOfModesAndButtons)
{
    struct Fall {
        Modus modus;
        Schritt schritt;
        Daten vorher, nachher;
    } const faelle[] = {
        {Modus::Enddatum,
         Schritt::Monat,
         {encodeDate(2023, 1, 1), encodeDate(2023, 1, 31)},
         {encodeDate(2023, 1, 1), encodeDate(2023, 3, 2)}},
        {Modus::Enddatum,
         Schritt::Monat,
         {encodeDate(2024, 1, 1), encodeDate(2024, 1, 31)},
         {encodeDate(2024, 1, 1), encodeDate(2024, 3, 1)}},
        {Modus::Beide,
         Schritt::Monat,
         {encodeDate(2023, 1, 31), encodeDate(2023, 1, 31)},
         {encodeDate(2023, 2, 28), encodeDate(2023, 2, 28)}},
        {Modus::Beide,
         Schritt::Monat,
         {encodeDate(2024, 1, 31), encodeDate(2024, 1, 31)},
         {encodeDate(2024, 2, 29), encodeDate(2024, 2, 29)}},
        {Modus::Enddatum,
         Schritt::Jahr,
         {encodeDate(2024, 1, 1), encodeDate(2024, 1, 31)},
         {encodeDate(2024, 1, 1), encodeDate(2025, 1, 30)}},
        {Modus::Beide,
         Schritt::Jahr,
         {encodeDate(2024, 1, 31), encodeDate(2024, 1, 31)},
         {encodeDate(2025, 1, 31), encodeDate(2025, 1, 31)}},
        {Modus::Anfangsdatum,
         Schritt::Woche,
         {encodeDate(2024, 3, 10), encodeDate(2024, 3, 12)},
         {encodeDate(2024, 3, 17), encodeDate(2024, 3, 17)}},
        {Modus::Anfangsdatum,
         Schritt::Woche,
         {encodeDate(2024, 3, 10), encodeDate(2024, 3, 20)},
         {encodeDate(2024, 3, 17), encodeDate(2024, 3, 20)}},
        {Modus::Anfangsdatum,
         Schritt::Tag,
         {encodeDate(2024, 3, 10), encodeDate(2024, 3, 10)},
         {encodeDate(2024, 3, 11), encodeDate(2024, 3, 11)}},
        {Modus::Beide,
         Schritt::Tag,
         {encodeDate(2024, 2, 28), encodeDate(2024, 3, 1)},
         {encodeDate(2024, 2, 29), encodeDate(2024, 3, 2)}},
    };
    for (const Fall &f : faelle) {
        const Daten d = Erhoehen(f.modus, f.schritt, f.vorher);
        EXPECT_EQ(d.von, f.nachher.von) << int(f.modus) << "/" << int(f.schritt) << " von " << f.vorher.von;
        EXPECT_EQ(d.bis, f.nachher.bis) << int(f.modus) << "/" << int(f.schritt) << " bis " << f.vorher.bis;
    }
}

TEST(DispoSameDay, EndTimeMovesOneHourPastTheStartAndOverMidnight)
{
    const auto tag = encodeDate(2024, 3, 10);
    auto e = GleicherTagKorrektur(tag, tag, encodeTime(10, 0), encodeTime(10, 0));
    ASSERT_TRUE(e);
    EXPECT_EQ(e->datum, tag);
    EXPECT_NEAR(e->uhrzeit, encodeTime(11, 0), 1e-9);
    e = GleicherTagKorrektur(tag, tag, encodeTime(23, 30), encodeTime(23, 30));
    ASSERT_TRUE(e);
    EXPECT_EQ(e->datum, tag + 1);
    EXPECT_NEAR(e->uhrzeit, encodeTime(0, 30), 1e-9);
    e = GleicherTagKorrektur(tag, tag, encodeTime(23, 0), encodeTime(8, 0));
    ASSERT_TRUE(e);
    EXPECT_EQ(e->datum, tag + 1);
    EXPECT_NEAR(e->uhrzeit, 0, 1e-9);
    EXPECT_FALSE(GleicherTagKorrektur(tag, tag, encodeTime(10, 0), encodeTime(10, 1)));
    EXPECT_FALSE(GleicherTagKorrektur(tag, tag + 1, encodeTime(10, 0), encodeTime(8, 0)));
    // Picker values carry a date part of their own; only the time of day counts.
    EXPECT_FALSE(GleicherTagKorrektur(tag, tag, tag + encodeTime(10, 0), encodeTime(12, 0)));
}

} // namespace
