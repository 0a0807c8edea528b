#include <gtest/gtest.h>

#include "base/DateTime.h"

using namespace base;

TEST(DateTime, EpochIs30December1899)
{
    struct Case {
        int y, m, d;
        double value;
    } cases[] = {
        {1899, 12, 30, 0}, {1899, 12, 31, 1}, {1900, 1, 1, 2}, {1899, 12, 29, -1},
        {2000, 1, 1, 36526}, {2024, 2, 29, 45351}, {2024, 12, 31, 45657},
    };
    for (const auto &c : cases) {
        EXPECT_DOUBLE_EQ(encodeDate(c.y, c.m, c.d), c.value) << c.y << "-" << c.m << "-" << c.d;
        int y, m, d;
        decodeDate(c.value, y, m, d);
        EXPECT_EQ(y, c.y);
        EXPECT_EQ(m, c.m);
        EXPECT_EQ(d, c.d);
    }
}

TEST(DateTime, TimeIsTheFraction)
{
    EXPECT_DOUBLE_EQ(encodeTime(12, 0), 0.5);
    EXPECT_DOUBLE_EQ(encodeDateTime(1899, 12, 30, 6, 0), 0.25);
    int h, mi, s, ms;
    decodeTime(encodeDateTime(2024, 3, 5, 23, 59, 59), h, mi, s, ms);
    EXPECT_EQ(h, 23);
    EXPECT_EQ(mi, 59);
    EXPECT_EQ(s, 59);
    // Before the epoch the fraction still is the time of day.
    decodeTime(encodeDateTime(1899, 12, 29, 18, 0), h, mi, s, ms);
    EXPECT_EQ(h, 18);
    EXPECT_DOUBLE_EQ(encodeDateTime(1899, 12, 29, 18, 0), -1.75);
}

TEST(DateTime, DayOfWeekSundayIsOne)
{
    EXPECT_EQ(dayOfWeek(encodeDate(1899, 12, 30)), 7); // Saturday
    EXPECT_EQ(dayOfWeek(encodeDate(2024, 3, 10)), 1);  // Sunday
    EXPECT_EQ(dayOfWeek(encodeDate(2024, 3, 11)), 2);  // Monday
    EXPECT_EQ(dayOfWeek(encodeDate(1899, 12, 24)), 1); // Sunday, before the epoch
}

TEST(DateTime, IncMonthClampsDayAndKeepsTime)
{
    struct Case {
        int y, m, d, months, ey, em, ed;
    } cases[] = {
        {2024, 1, 31, 1, 2024, 2, 29},  {2023, 1, 31, 1, 2023, 2, 28}, {2024, 3, 31, -1, 2024, 2, 29},
        {2024, 12, 15, 1, 2025, 1, 15}, {2024, 1, 15, -1, 2023, 12, 15}, {2024, 2, 29, 12, 2025, 2, 28},
        {2020, 2, 29, 48, 2024, 2, 29}, {2024, 5, 31, 24, 2026, 5, 31},  {2024, 8, 31, 1, 2024, 9, 30},
    };
    for (const auto &c : cases) {
        double r = incMonth(encodeDateTime(c.y, c.m, c.d, 8, 30), c.months);
        int y, m, d, h, mi, s, ms;
        decodeDate(r, y, m, d);
        decodeTime(r, h, mi, s, ms);
        EXPECT_EQ(y, c.ey) << c.y << "-" << c.m << "-" << c.d << " + " << c.months;
        EXPECT_EQ(m, c.em);
        EXPECT_EQ(d, c.ed);
        EXPECT_EQ(h, 8);
        EXPECT_EQ(mi, 30);
    }
}

TEST(DateTime, QtRoundTrip)
{
    QDateTime dt(QDate(2024, 3, 5), QTime(14, 15, 16));
    EXPECT_EQ(toQDateTime(fromQDateTime(dt)), dt);
    EXPECT_EQ(toQDate(45351), QDate(2024, 2, 29));
}
