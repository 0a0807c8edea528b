#include "api_fixture.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

using testsupport::JobTest;

namespace {

class TypedValues : public JobTest {};

} // namespace

TEST_F(TypedValues, WrittenTexts)
{
    const ProfPoint point{-3, 4};
    const ProfRect rect{10, 20, 110, 70};
    ProfSetBoolA(job, nullptr, "bool", 5);
    ProfSetBoolA(job, nullptr, "false", 0);
    ProfSetIntA(job, nullptr, "int", 255);
    ProfSetIntHexA(job, nullptr, "inthex", 255);
    ProfSetIntHexA(job, nullptr, "inthexneg", -1);
    ProfSetLongA(job, nullptr, "long", -2147483647 - 1);
    ProfSetLongHexA(job, nullptr, "longhex", -1);
    ProfSetDoubleA(job, nullptr, "double", 1.5);
    ProfAppendDoubleA(job, nullptr, "double2", -0.0000004);
    ProfSetDoubleA(job, nullptr, "huge", 1e30);
    ProfSetPointA(job, nullptr, "point", &point);
    ProfSetRectA(job, nullptr, "rect", &rect);
    ProfSetRectLTWHA(job, nullptr, "ltwh", &rect);
    ProfSetColorrefA(job, nullptr, "color", 0x00332211);
    const std::pair<const char *, const char *> expected[] = {
        {"bool", "TRUE"},
        {"false", "FALSE"},
        {"int", "255"},
        {"inthex", "x00FF"},
        {"inthexneg", "xFFFFFFFF"},
        {"long", "-2147483648"},
        {"longhex", "xFFFFFFFF"},
        {"double", "1.500000"},
        {"double2", "-0.000000"},
        {"huge", "1000000000000000019884624838656.000000"},
        {"point", "(-3,4)"},
        {"rect", "(10,20,110,70)"},
        {"ltwh", "(10,20,100,50)"},
        {"color", "(17,34,51)"},
    };
    for (const auto &[path, text] : expected)
        EXPECT_EQ(get(path), text) << path;
}

TEST_F(TypedValues, IntegerAndLongParsing)
{
    struct Case {
        const char *text;
        int result;
        int value;
    };
    const Case cases[] = {
        {"255", 0, 255}, {"x00FF", 0, 255},      {"xFFFFFFFF", 0, -1},   {"-17", 0, -17},
        {" 42", 0, 42},  {"12abc", 0, 12},       {"x", -9, 99},          {"x ", -9, 99},
        {"abc", -9, 99}, {"x123456789", -9, 99}, {"2147483648", -9, 99}, {"-2147483648", 0, -2147483647 - 1},
        {"", -6, 7},     {"xg", -9, 99},
    };
    for (const Case &c : cases) {
        ProfSetStringA(job, nullptr, "v", c.text);
        int value = 99;
        EXPECT_EQ(ProfGetIntA(job, nullptr, "v", &value, 7), c.result) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
        int32_t longValue = 99;
        EXPECT_EQ(ProfGetLongA(job, nullptr, "v", &longValue, 7), c.result) << c.text;
        EXPECT_EQ(longValue, c.value) << c.text;
    }
    int missing = 0;
    EXPECT_EQ(ProfGetIntA(job, nullptr, "none", &missing, 5), -6);
    EXPECT_EQ(missing, 5);
}

TEST_F(TypedValues, BoolParsing)
{
    const std::pair<const char *, int> cases[] = {{"Yes", 1}, {"TRUE", 1}, {"T", 1},    {"true", 0},
                                                  {"yes", 0}, {"1", 0},    {"FALSE", 0}};
    for (const auto &[text, expected] : cases) {
        ProfSetStringA(job, nullptr, "b", text);
        int value = -1;
        EXPECT_EQ(ProfGetBoolA(job, nullptr, "b", &value, -1), 0) << text;
        EXPECT_EQ(value, expected) << text;
    }
}

TEST_F(TypedValues, DoubleParsing)
{
    const std::pair<const char *, double> good[] = {
        {"1.500000", 1.5}, {"-2.25", -2.25}, {"12abc", 12.0}, {"1e3", 1000.0}};
    for (const auto &[text, expected] : good) {
        ProfSetStringA(job, nullptr, "d", text);
        double value = 0;
        EXPECT_EQ(ProfGetDoubleA(job, nullptr, "d", &value, 0), 0) << text;
        EXPECT_EQ(value, expected) << text;
    }
    for (const char *bad : {"abc", "x", "-"}) {
        ProfSetStringA(job, nullptr, "d", bad);
        double value = 7.5;
        EXPECT_EQ(ProfGetDoubleA(job, nullptr, "d", &value, 0), -9) << bad;
        EXPECT_EQ(value, 7.5) << bad;
    }
    // values far beyond 31 characters are written and read whole
    ProfSetDoubleA(job, nullptr, "big", 1e300);
    double big = 0;
    EXPECT_EQ(get("big").size(), 308u);
    EXPECT_EQ(ProfGetDoubleA(job, nullptr, "big", &big, 0), 0);
    EXPECT_EQ(big, 1e300);
}

TEST_F(TypedValues, PointRectAndColour)
{
    ProfSetStringA(job, nullptr, "p", "(1,2)");
    ProfPoint point{9, 9};
    EXPECT_EQ(ProfGetPointA(job, nullptr, "p", &point, nullptr), 0);
    EXPECT_EQ(point.x, 1);
    EXPECT_EQ(point.y, 2);

    // a partial text leaves the out-parameter untouched
    ProfSetStringA(job, nullptr, "r", "(5,6,7)");
    ProfRect rect{1, 1, 1, 1};
    EXPECT_EQ(ProfGetRectA(job, nullptr, "r", &rect, nullptr), -9);
    EXPECT_EQ(rect.left, 1);
    EXPECT_EQ(rect.bottom, 1);

    ProfSetStringA(job, nullptr, "ltwh", "(10,20,100,50)");
    EXPECT_EQ(ProfGetRectLTWHA(job, nullptr, "ltwh", &rect, nullptr), 0);
    EXPECT_EQ(rect.right, 110);
    EXPECT_EQ(rect.bottom, 70);

    const ProfRect fallback{-1, -2, -3, -4};
    EXPECT_EQ(ProfGetRectA(job, nullptr, "missing", &rect, &fallback), -6);
    EXPECT_EQ(rect.top, -2);

    const std::pair<const char *, ProfColorref> colours[] = {
        {"(17,34,51)", 0x00332211}, {"x00332211", 0x00332211}, {"(300,0,0)", 44}, {"(-1,0,0)", 0xFF}};
    for (const auto &[text, expected] : colours) {
        ProfSetStringA(job, nullptr, "c", text);
        ProfColorref colour = 0;
        EXPECT_EQ(ProfGetColorrefA(job, nullptr, "c", &colour, 0), 0) << text;
        EXPECT_EQ(colour, expected) << text;
    }
    ProfSetStringA(job, nullptr, "c", "(1,2)");
    ProfColorref colour = 5;
    EXPECT_EQ(ProfGetColorrefA(job, nullptr, "c", &colour, 0), -9);
    EXPECT_EQ(colour, 5u);
}

TEST_F(TypedValues, TextToTypeWithoutAJob)
{
    int i = 0;
    ProfLPSTRtoINTA("x00FF", &i, 3);
    EXPECT_EQ(i, 3); // no hexadecimal form here
    ProfLPSTRtoINTA("-12", &i, 3);
    EXPECT_EQ(i, -12);
    ProfLPSTRtoINTA(nullptr, &i, 4);
    EXPECT_EQ(i, 4);
    int32_t l = 0;
    ProfLPSTRtoLONGW(u"77", &l, 0);
    EXPECT_EQ(l, 77);
    int b = 0;
    ProfLPSTRtoBOOLA("Yes", &b, 0);
    EXPECT_EQ(b, 1);
    ProfLPSTRtoBOOLW(u"no", &b, 1);
    EXPECT_EQ(b, 0);
    ProfRect rect{};
    const ProfRect fallback{1, 2, 3, 4};
    ProfLPSTRtoRECTA("(1,2,3)", &rect, &fallback);
    EXPECT_EQ(rect.bottom, 4);
    ProfLPSTRtoRECTA("(5,6,7,8)", &rect, &fallback);
    EXPECT_EQ(rect.left, 5);
    ProfColorref colour = 0;
    ProfLPSTRtoCOLORREFA("", &colour, 9);
    EXPECT_EQ(colour, 9u);
    ProfLPSTRtoCOLORREFA("x10", &colour, 9);
    EXPECT_EQ(colour, 16u);
    ProfLPSTRtoINTA("1", nullptr, 0); // a null out pointer is ignored
}

TEST_F(TypedValues, GermanLocaleDoesNotChangeNumbers)
{
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "de_DE.UTF-8 not installed";
    ProfSetDoubleA(job, nullptr, "d", 1.5);
    double value = 0;
    EXPECT_EQ(get("d"), "1.500000");
    EXPECT_EQ(ProfGetDoubleA(job, nullptr, "d", &value, 0), 0);
    EXPECT_EQ(value, 1.5);
    ProfSetStringA(job, nullptr, "comma", "1,5");
    EXPECT_EQ(ProfGetDoubleA(job, nullptr, "comma", &value, 0), 0);
    EXPECT_EQ(value, 1.0);
    std::setlocale(LC_ALL, "C");
}
