#include <clocale>
#include <locale>
#include <optional>

#include <gtest/gtest.h>

#include "base/DateTime.h"
#include "base/GermanFormat.h"

using namespace base;
namespace de = base::de;

namespace {

// Runs the same checks under the C locale and under a German one (when the
// machine has it), since the texts must not depend on the system locale.
class GermanFormat : public ::testing::TestWithParam<const char *> {
protected:
    void SetUp() override
    {
        saved_ = std::setlocale(LC_ALL, nullptr);
        if (!std::setlocale(LC_ALL, GetParam()))
            GTEST_SKIP() << "locale " << GetParam() << " not installed";
    }
    void TearDown() override { std::setlocale(LC_ALL, saved_.c_str()); }
    std::string saved_;
};

} // namespace

TEST_P(GermanFormat, DatesAndTimes)
{
    EXPECT_EQ(de::formatDate(encodeDate(2024, 3, 5)), "05.03.2024");
    EXPECT_EQ(de::formatTime(encodeTime(8, 5, 9)), "08:05:09");
    EXPECT_EQ(de::formatDateTime(encodeDateTime(2024, 3, 5, 8, 5, 9)), "05.03.2024 08:05:09");
    EXPECT_EQ(de::formatDateTime(encodeDate(2024, 3, 5)), "05.03.2024");

    struct Case {
        const char *text;
        double expected; // -1e9: refused
    } cases[] = {
        {"05.03.2024", encodeDate(2024, 3, 5)},
        {"5.3.2024", encodeDate(2024, 3, 5)},
        {" 1.2.2005 ", encodeDate(2005, 2, 1)},
        {"31.12.99", encodeDate(1999, 12, 31)},
        {"1.1.24", encodeDate(2024, 1, 1)},
        {"29.02.2023", -1e9},
        {"2024-03-05", -1e9},
        {"", -1e9},
        {"32.1.2024", -1e9},
    };
    for (const auto &c : cases) {
        auto v = de::parseDate(QString::fromUtf8(c.text));
        if (c.expected == -1e9)
            EXPECT_FALSE(v.has_value()) << c.text;
        else
            EXPECT_EQ(v.value_or(-1), c.expected) << c.text;
    }
    EXPECT_EQ(de::parseTime("8:30").value_or(-1), encodeTime(8, 30));
    EXPECT_FALSE(de::parseTime("24:00").has_value());
    EXPECT_EQ(de::parseDateTime("05.03.2024 12:00:00").value_or(-1), encodeDate(2024, 3, 5) + 0.5);
}

TEST_P(GermanFormat, Numbers)
{
    struct Case {
        double value;
        const char *mask;
        const char *text;
    } cases[] = {
        {1234.5, "#####0.00", "1234,50"},
        {0.0, "#####0.00", "0,00"},
        {-3.456, "########0.00", "-3,46"},
        {1234567.891, "#,##0.00", "1.234.567,89"},
        {0.5, "#.##", ",5"},
        {42.0, "0", "42"},
        {-0.001, "0.00", "0,00"},
        // "#" is an optional digit on both sides of the comma, "0" a required one.
        {120000.0, "#,##0.##", "120.000"},
        {9.0, "#,##0.##", "9"},
        {9.5, "#,##0.##", "9,5"},
        {1234.567, "#,##0.##", "1.234,57"},
        {9.0, "0.0#", "9,0"},
        {9.25, "0.0#", "9,25"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(de::formatMask(c.value, c.mask), QString::fromUtf8(c.text)) << c.mask;

    // Halves are rounded away from zero, as German commercial rounding does,
    // also where the value is stored a hair below the half (1,005).
    const struct {
        double value;
        int decimals;
        const char *text;
    } halves[] = {
        {1622.5, 0, "1623"}, {2.5, 0, "3"},        {-2.5, 0, "-3"},
        {0.125, 2, "0,13"},  {-0.125, 2, "-0,13"}, {1.005, 2, "1,01"},
        {40.25, 1, "40,3"},  {1.0049, 2, "1,00"},  {1234567.885, 2, "1234567,89"},
    };
    for (const auto &h : halves)
        EXPECT_EQ(de::formatFixed(h.value, h.decimals), QString::fromUtf8(h.text)) << h.value;
    EXPECT_EQ(de::formatMask(1622.5, "#,##0"), "1.623");

    EXPECT_EQ(de::formatMoney(1500), "1500,00");
    EXPECT_EQ(de::formatKm(1499.6), "1500");
    EXPECT_EQ(de::formatLitres(8.333333), "8,33");
    EXPECT_EQ(de::formatGeneral(1.5), "1,5");
    EXPECT_EQ(de::formatGeneral(2.0), "2");
}

TEST_P(GermanFormat, TypedNumbersTakeTheDotAsThousandsSeparatorOnly)
{
    // Text, value as a float, value as an integer; nullopt: refused.
    struct Case {
        const char *text;
        std::optional<double> asFloat;
        std::optional<qint64> asInt;
    };
    const Case cases[] = {
        {"1,5", 1.5, std::nullopt},
        {" -12,25 ", -12.25, std::nullopt},
        {"1.150", 1150, 1150},
        {"112.500", 112500, 112500},
        {"34.500,50", 34500.5, std::nullopt},
        {"-1.000.000", -1000000, -1000000},
        {"+1.000", 1000, 1000},
        {"999.999.999.999", 999999999999.0, 999999999999},
        {"1150", 1150, 1150},
        {" 42 ", 42, 42},
        {"5,", 5, std::nullopt},
        {",5", 0.5, std::nullopt},
        {"1,5e3", 1500, std::nullopt},
        {"1.15", std::nullopt, std::nullopt},
        {"1.5", std::nullopt, std::nullopt},
        {"1.1500", std::nullopt, std::nullopt},
        {"1..150", std::nullopt, std::nullopt},
        {"1.150.", std::nullopt, std::nullopt},
        {".150", std::nullopt, std::nullopt},
        {"0.150", std::nullopt, std::nullopt},
        {"1234.567", std::nullopt, std::nullopt},
        {"1.150,5.0", std::nullopt, std::nullopt},
        {"1,150,5", std::nullopt, std::nullopt},
        {"4,2", 4.2, std::nullopt},
        {"", std::nullopt, std::nullopt},
        {",", std::nullopt, std::nullopt},
        {"-", std::nullopt, std::nullopt},
        {"1,5x", std::nullopt, std::nullopt},
        {"1 150", std::nullopt, std::nullopt},
        {"1e400", std::nullopt, std::nullopt},
        {"99999999999999999999", 1e20, std::nullopt}, // beyond 64 bits
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(de::parseFloat(QString::fromUtf8(c.text)), c.asFloat);
        EXPECT_EQ(de::parseInt(QString::fromUtf8(c.text)), c.asInt);
    }
}

TEST_P(GermanFormat, ValueTextsKeepTheirPointOrComma)
{
    // What the program and its files write: a point is a decimal point where no comma is.
    EXPECT_EQ(de::parseValueFloat("1.5"), 1.5);
    EXPECT_EQ(de::parseValueFloat("1.150"), 1.15);
    EXPECT_EQ(de::parseValueFloat("1,150"), 1.15);
    EXPECT_EQ(de::parseValueFloat(" -12,25 "), -12.25);
    EXPECT_EQ(de::parseValueFloat("45000"), 45000.0);
    EXPECT_FALSE(de::parseValueFloat("1.000,5").has_value());
    EXPECT_FALSE(de::parseValueFloat("").has_value());
    EXPECT_FALSE(de::parseValueFloat("1,5x").has_value());
}

TEST_P(GermanFormat, MonthNamesAndLogicalTexts)
{
    EXPECT_EQ(de::monthName(1), "Januar");
    EXPECT_EQ(de::monthName(3), QString::fromUtf8("März"));
    EXPECT_EQ(de::monthName(12), "Dezember");
    EXPECT_EQ(de::monthName(13), "");
    EXPECT_EQ(de::monthFromName(QString::fromUtf8("März")), 3);
    EXPECT_EQ(de::monthFromName("Maerz"), 0);
    EXPECT_EQ(de::boolText(true), "Wahr");
    EXPECT_EQ(de::boolText(false), "Falsch");
    EXPECT_EQ(de::parseBool("wahr").value_or(false), true);
    EXPECT_EQ(de::parseBool("Falsch").value_or(true), false);
    EXPECT_FALSE(de::parseBool("vielleicht").has_value());
    EXPECT_EQ(de::kDayNames[dayOfWeek(encodeDate(2024, 3, 11)) - 1], "Montag");
}

INSTANTIATE_TEST_SUITE_P(Locales, GermanFormat, ::testing::Values("C", "de_DE.UTF-8"));
