#include <gtest/gtest.h>

#include "base/Currency.h"

using base::Currency;

TEST(Currency, ConversionFromDoubleRoundsHalfToEven)
{
    struct Case {
        double value;
        int64_t units;
    } cases[] = {
        // Halves that are exact in binary: 0.03125 = 312.5 units, 0.09375 = 937.5 units.
        {1.0, 10000},        {0.03125, 312},     {0.09375, 938},     {-0.09375, -938},
        {1.03125, 10312},    {0.12344, 1234},    {1234.5678, 12345678},
        {-2.5, -25000},      {0.0, 0},
        // 0.00015 is stored just below the half, so it rounds down as the value it is.
        {0.00015, 1},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Currency::fromDouble(c.value).units(), c.units) << c.value;
}

TEST(Currency, AdditionOfFieldsIsRoundedPerValue)
{
    Currency sum;
    sum += 0.03125; // 312.5 units -> 312 (even)
    sum += 0.09375; // 937.5 units -> 938 (even)
    sum += 0.1;
    EXPECT_EQ(sum.units(), 2250);
    EXPECT_EQ((Currency::fromInt(3) - Currency::fromDouble(0.5)).units(), 25000);
}

TEST(Currency, DivisionRoundsHalfToEven)
{
    struct Case {
        int64_t units;
        int64_t divisor;
        int64_t expected;
    } cases[] = {
        {10000, 3, 3333},  {20000, 3, 6667}, {5, 2, 2},   {7, 2, 4},   {-5, 2, -2},
        {-7, 2, -4},       {15, 10, 2},      {25, 10, 2}, {1, 0, 0},   {100, -3, -33},
    };
    for (const auto &c : cases)
        EXPECT_EQ((Currency::fromUnits(c.units) / c.divisor).units(), c.expected)
            << c.units << "/" << c.divisor;
}

TEST(Currency, RatioOfAmounts)
{
    // 80 l over 1500 km -> 0.0533 l/km; 2 / 3 -> 0.6667; x / 0 -> 0
    EXPECT_EQ(Currency::fromInt(80).dividedBy(Currency::fromInt(1500)).units(), 533);
    EXPECT_EQ(Currency::fromInt(2).dividedBy(Currency::fromInt(3)).units(), 6667);
    EXPECT_EQ(Currency::fromInt(2).dividedBy(Currency()).units(), 0);
    EXPECT_EQ(Currency::fromUnits(1).dividedBy(Currency::fromUnits(20000)).units(), 0); // 0.5 -> 0
    EXPECT_EQ(Currency::fromUnits(3).dividedBy(Currency::fromUnits(20000)).units(), 2); // 1.5 -> 2
}

TEST(Currency, TextHasTwoDecimalsAndComma)
{
    EXPECT_EQ(Currency::fromDouble(1234.5).toString(), "1234,50");
    EXPECT_EQ(Currency::fromUnits(125).toString(), "0,01");   // 0.0125 -> 0.01 (even)
    EXPECT_EQ(Currency::fromUnits(135).toString(), "0,01");   // 0.0135 -> 0.01 (not half)
    EXPECT_EQ(Currency::fromUnits(150).toString(), "0,02");   // 0.015 -> 0.02 (even)
    EXPECT_EQ(Currency::fromUnits(-150).toString(), "-0,02");
    EXPECT_EQ(Currency::fromInt(750).toString(0), "750");
}
