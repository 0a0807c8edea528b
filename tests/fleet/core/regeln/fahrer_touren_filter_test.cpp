// The driver form's filter texts, month bounds, warning time and sums.
#include <gtest/gtest.h>

#include "regeln/FahrerTourenFilter.h"

using namespace fleet;

TEST(FahrerTourenFilter, MonthBounds)
{
    struct {
        const char *monat, *jahr, *m, *d;
    } faelle[] = {
        {"Februar", "2024", "2", "29"},   {"Februar", "2023", "2", "28"},
        {"April", "2023", "4", "30"},     {"Januar", "2023", "1", "31"},
        {"März", "2023", "3", "31"},      {"September", "2023", "9", "30"},
        {"November", "2023", "11", "30"}, {"Dezember", "2023", "12", "31"},
        {"Unsinn", "x", "12", "31"},      {"Februar", "kein Jahr", "2", "28"},
    };
    for (const auto &f : faelle) {
        const MonatsGrenze g = MonatsGrenzen(QString::fromUtf8(f.monat), QString::fromUtf8(f.jahr));
        EXPECT_EQ(g.monat, QString::fromUtf8(f.m)) << f.monat << " " << f.jahr;
        EXPECT_EQ(g.letzterTag, QString::fromUtf8(f.d)) << f.monat << " " << f.jahr;
    }
}

TEST(FahrerTourenFilter, FilterTexts)
{
    EXPECT_EQ(FahrerTourenFilterBasis("Meier") + MonatsZeitraum("Februar", "2024"),
              QString("(FahrerName ='Meier') and ((Datum >= '1.2.2024') and (Datum <= '29.2.2024'))"));
    EXPECT_EQ(JahresZeitraum("2023"), QString(" and ((Datum >= '1.1.2023') and (Datum <= '31.12.2023'))"));
    EXPECT_EQ(FahrerTourenFilterBasis("D'Angelo"), QString("(FahrerName ='D''Angelo')"));
}

TEST(FahrerTourenFilter, ExpiryFilterCoversTenRowsAndLeavesBlankDatesOut)
{
    const QString f = FuehrerscheinFaelligFilter(QDate(2024, 3, 5));
    EXPECT_TRUE(f.startsWith("((GueltigBis1 <= '05.03.2024') and (GueltigBis1 > '01.01.1899'))"));
    EXPECT_TRUE(f.endsWith(" or ((GueltigBis10 <= '05.03.2024') and (GueltigBis10 > '01.01.1899'))"));
    EXPECT_EQ(f.count(" or "), 9);
}

TEST(FahrerTourenFilter, WarningTimeAndSums)
{
    EXPECT_EQ(VorwarnzeitText(0), QString("0"));
    EXPECT_EQ(VorwarnzeitText(99), QString("99"));
    EXPECT_EQ(VorwarnzeitText(120), QString("30"));
    EXPECT_EQ(VorwarnzeitText(-1), QString("30"));
    EXPECT_EQ(KmSummeText(12345.6), QString("12346"));
    EXPECT_EQ(ErtragSummeText(1234.5), QString("1234,50"));
}
