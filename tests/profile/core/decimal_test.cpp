#include "core/decimal.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstring>

using namespace tbpr;

namespace {

struct Case {
    const char *text;
    double expected;
    int consumed; // characters read, -1 to skip the check
};

} // namespace

TEST(Decimal, ConversionTable)
{
    const Case cases[] = {
        {"1.500000", 1.5, 8},   {"12abc", 12.0, 2},
        {"abc", 0.0, 0},        {"", 0.0, 0},
        {"1e400", HUGE_VAL, 5}, {"1e-400", 0.0, 6},
        {"INF", HUGE_VAL, 3},   {"Infinity", HUGE_VAL, 8},
        {"-inf", -HUGE_VAL, 4}, {"0.1", 0.1, 3},
        {"1,5", 1.0, 1},        {" 1.5", 1.5, 4},
        {"0x10", 0.0, 1},       {"-0x1p3", -0.0, 2},
        {"+2.5E+2", 250.0, 7},  {"4.9406564584124654e-324", 4.9406564584124654e-324, -1},
    };
    for (const Case &c : cases) {
        const char *end = nullptr;
        EXPECT_EQ(decimalToDouble(c.text, &end), c.expected) << c.text;
        if (c.consumed >= 0) {
            EXPECT_EQ(end - c.text, c.consumed) << c.text;
        }
    }
}

TEST(Decimal, SpecialValues)
{
    const double negativeZero = decimalToDouble("-0");
    EXPECT_EQ(negativeZero, 0.0);
    EXPECT_TRUE(std::signbit(negativeZero));
    EXPECT_TRUE(std::isnan(decimalToDouble("nan")));
    // correctly rounded: the nearest double to this text is the one below it
    EXPECT_EQ(decimalToDouble("2.2250738585072011e-308"), 2.2250738585072009e-308);
    EXPECT_EQ(decimalToDouble(nullptr), 0.0);
}

TEST(Decimal, IgnoresTheProcessLocale)
{
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "de_DE.UTF-8 not installed";
    EXPECT_EQ(decimalToDouble("1.5"), 1.5);
    EXPECT_EQ(decimalToDouble("1,5"), 1.0);
    std::setlocale(LC_ALL, "C");
}
