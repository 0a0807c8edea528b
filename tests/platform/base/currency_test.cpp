#include <cfenv>
#include <cmath>
#include <functional>
#include <random>
#include <vector>

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
        {1.0, 10000},
        {0.03125, 312},
        {0.09375, 938},
        {-0.09375, -938},
        {1.03125, 10312},
        {0.12344, 1234},
        {1234.5678, 12345678},
        {-2.5, -25000},
        {0.0, 0},
        // 0.00015 is stored just below the half, so it rounds down as the value it is.
        {0.00015, 1},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Currency::fromDouble(c.value).units(), c.units) << c.value;
}

// The conversion agrees with rounding the scaled value (the product as the caller's rounding mode
// gives it) to the nearest whole number in the floating-point unit's ties-to-even mode, whatever
// rounding mode the caller has set.
TEST(Currency, ConversionFromDoubleIsNearbyIntTiesToEvenInEveryRoundingMode)
{
    std::vector<double> values;
    std::mt19937_64 random(44);
    std::uniform_real_distribution<double> amount(-1e6, 1e6);
    std::uniform_int_distribution<int64_t> units(-4000000000000LL, 4000000000000LL);
    for (int i = 0; i < 200000; ++i) {
        values.push_back(amount(random));
        // Halves of a unit, exact in binary only where the scaling leaves them so.
        values.push_back((static_cast<double>(units(random)) + 0.5) / 10000);
        values.push_back(static_cast<double>(units(random)) / 10000);
    }
    for (double edge : {0.0, -0.0, 0.00005, -0.00005, 0.00015, -0.00025, 0.5, -0.5, 1.5, -1.5, 2.5, -2.5,
                        450359962737.0496, -450359962737.0496, 922337203685.4775, 1e-300, -1e-300})
        values.push_back(edge);
    auto reference = [](double v) {
        volatile double scaled = v * Currency::kScale; // in the caller's mode, not moved past the switch
        const int saved = std::fegetround();
        std::fesetround(FE_TONEAREST);
        const double r = std::nearbyint(scaled);
        std::fesetround(saved);
        return static_cast<int64_t>(r);
    };
    for (int mode : {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
        int differ = 0;
        for (double v : values) {
            std::fesetround(mode);
            const int64_t expected = reference(v);
            const int64_t got = Currency::fromDouble(v).units();
            std::fesetround(FE_TONEAREST);
            if (got != expected && ++differ <= 5)
                ADD_FAILURE() << "mode " << mode << ": " << v << " gives " << got << ", not " << expected;
        }
        EXPECT_EQ(differ, 0) << "mode " << mode;
    }
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
        {10000, 3, 3333}, {20000, 3, 6667}, {5, 2, 2},   {7, 2, 4}, {-5, 2, -2},
        {-7, 2, -4},      {15, 10, 2},      {25, 10, 2}, {1, 0, 0}, {100, -3, -33},
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
    EXPECT_EQ(Currency::fromUnits(125).toString(), "0,01"); // 0.0125 -> 0.01 (even)
    EXPECT_EQ(Currency::fromUnits(135).toString(), "0,01"); // 0.0135 -> 0.01 (not half)
    EXPECT_EQ(Currency::fromUnits(150).toString(), "0,02"); // 0.015 -> 0.02 (even)
    EXPECT_EQ(Currency::fromUnits(-150).toString(), "-0,02");
    EXPECT_EQ(Currency::fromInt(750).toString(0), "750");
}

// Amounts and sums beyond ±922337203685477,5807 are refused in German instead of wrapping to the
// other end of the 64-bit range.
TEST(Currency, LeavingTheRangeFailsInsteadOfWrapping)
{
    const Currency max = Currency::max();
    const Currency one = Currency::fromInt(1);
    struct Case {
        const char *what;
        std::function<Currency()> run;
    } cases[] = {
        {"sum above", [&] { return max + one; }},
        {"sum below", [&] { return Currency::min() - one; }},
        {"adding up",
         [&] {
             Currency total = Currency::fromDouble(9e14);
             total += 9e14;
             return total;
         }},
        {"1e15 as a double", [] { return Currency::fromDouble(1e15); }},
        {"-1e15 as a double", [] { return Currency::fromDouble(-1e15); }},
        {"not a number", [] { return Currency::fromDouble(std::nan("")); }},
        {"infinity", [] { return Currency::fromDouble(HUGE_VAL); }},
        {"whole units", [] { return Currency::fromInt(1000000000000000); }},
        {"product", [&] { return max * 2.0; }},
        {"ratio", [&] { return max.dividedBy(Currency::fromUnits(1)); }},
    };
    for (const auto &c : cases) {
        try {
            const Currency wrapped = c.run();
            ADD_FAILURE() << c.what << " gave " << wrapped.toString(4).toStdString();
        } catch (const base::CurrencyRangeError &e) {
            EXPECT_STREQ(e.what(), "Der Betrag liegt außerhalb des erlaubten Bereichs von "
                                   "-922337203685477,5807 bis 922337203685477,5807")
                << c.what;
        }
    }
    // The ends themselves and what lies close to them still work.
    EXPECT_EQ((max - one + one).units(), INT64_MAX);
    EXPECT_EQ((-max).units(), -INT64_MAX);
    EXPECT_EQ(Currency::fromDouble(9e14).units(), 9000000000000000000);
    EXPECT_FALSE(Currency::tryFromDouble(1e15));
    EXPECT_EQ(Currency::tryFromDouble(-12.5)->units(), -125000);
}
