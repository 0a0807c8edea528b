#include <cstring>

#include <gtest/gtest.h>

#include "fake_filter_data_set.h"
#include "navigation/filter/FilterValues.h"
#include "navigation/gemeinsam/NavExceptions.h"

using namespace nav;

namespace {

FilterFieldInfo fieldOf(const char *name)
{
    FakeFilterDataSet ds;
    return ds.fieldByName(QString::fromUtf8(name));
}

template <typename T> T valueAs(const FieldValueBuffer &buffer)
{
    T v;
    std::memcpy(&v, buffer.data(), sizeof v);
    return v;
}

} // namespace

TEST(TextToFieldValue, StringWildcards)
{
    struct Case {
        const char *text;
        bool ok;
        const char *value;
        std::uint8_t mark;
    };
    const Case cases[] = {
        {"Li..", true, "Li", markTrailing},
        {"Li", true, "Li", markExact},
        {"ab..cd..", true, "ab..cd..", markExact}, // first ".." not at the end: literal
        {"..", false, "", 0},
        {"...", true, "...", markExact},
        {"Müller..", true, "Müller", markTrailing},
        {"", true, "", markExact},
    };
    const FilterFieldInfo field = fieldOf("Gruppe");
    for (const Case &c : cases) {
        TFieldType type{};
        std::uint8_t mark = 9;
        FieldValueBuffer value{};
        const bool ok = TextToFieldValue(field, QString::fromUtf8(c.text), type, mark, value);
        EXPECT_EQ(ok, c.ok) << c.text;
        if (!c.ok)
            continue;
        EXPECT_EQ(type, ftString);
        EXPECT_EQ(readShortString(value.data()), QString::fromUtf8(c.value)) << c.text;
        EXPECT_EQ(mark, c.mark) << c.text;
    }
}

TEST(TextToFieldValue, NumbersBooleansAndDates)
{
    FieldValueBuffer value{};
    TFieldType type{};
    std::uint8_t mark = 0;

    ASSERT_TRUE(TextToFieldValue(fieldOf("Km"), "120000", type, mark, value));
    EXPECT_EQ(valueAs<std::int32_t>(value), 120000);
    ASSERT_TRUE(TextToFieldValue(fieldOf("Km"), "", type, mark, value));
    EXPECT_EQ(valueAs<std::int32_t>(value), 0);
    EXPECT_FALSE(TextToFieldValue(fieldOf("Km"), "x", type, mark, value));
    EXPECT_FALSE(TextToFieldValue(fieldOf("Achsen"), "40000", type, mark, value));
    ASSERT_TRUE(TextToFieldValue(fieldOf("Achsen"), "-3", type, mark, value));
    EXPECT_EQ(valueAs<std::int16_t>(value), -3);
    EXPECT_FALSE(TextToFieldValue(fieldOf("Wort"), "-1", type, mark, value));

    // DisplayValues "Ja;Nein": the false text is compared first, by the typed length.
    ASSERT_TRUE(TextToFieldValue(fieldOf("Aktiv"), "n", type, mark, value));
    EXPECT_EQ(valueAs<std::int16_t>(value), 0);
    ASSERT_TRUE(TextToFieldValue(fieldOf("Aktiv"), "J", type, mark, value));
    EXPECT_EQ(valueAs<std::int16_t>(value), -1);
    EXPECT_FALSE(TextToFieldValue(fieldOf("Aktiv"), "Jaa", type, mark, value));
    FilterFieldInfo plain = fieldOf("Aktiv");
    plain.displayValues.clear();
    EXPECT_FALSE(TextToFieldValue(plain, "Wahr", type, mark, value));
    ASSERT_TRUE(TextToFieldValue(plain, "true", type, mark, value));
    EXPECT_EQ(valueAs<std::int16_t>(value), -1);

    ASSERT_TRUE(TextToFieldValue(fieldOf("Preis"), "12,5", type, mark, value));
    EXPECT_DOUBLE_EQ(valueAs<double>(value), 12.5);
    EXPECT_FALSE(TextToFieldValue(fieldOf("Preis"), "zwölf", type, mark, value));

    ASSERT_TRUE(TextToFieldValue(fieldOf("Datum"), "31.12.2024", type, mark, value));
    EXPECT_EQ(type, ftDate);
    EXPECT_EQ(timeStampDate(valueAs<double>(value)), 739251); // proleptic Gregorian ordinal
    EXPECT_FALSE(TextToFieldValue(fieldOf("Datum"), "31.02.2024", type, mark, value));
    ASSERT_TRUE(TextToFieldValue(fieldOf("Datum"), "", type, mark, value));
    EXPECT_EQ(valueAs<double>(value), 0.0);

    EXPECT_FALSE(TextToFieldValue(fieldOf("Bemerkung"), "x", type, mark, value));
}

TEST(FilterOperands, ConstantsEncodeAsTheEngineReadsThem)
{
    struct Case {
        const char *field;
        const char *text;
        std::uint8_t engineType;
        std::uint16_t size;
        QByteArray bytes; // expected leading value bytes
    };
    auto le32 = [](std::int32_t v) { return QByteArray(reinterpret_cast<const char *>(&v), 4); };
    auto dbl = [](double v) { return QByteArray(reinterpret_cast<const char *>(&v), 8); };
    const Case cases[] = {
        {"Gruppe", "Li..", etString, 3, QByteArray("\x02Li", 3)},
        {"Achsen", "3", etInt16, 2, QByteArray("\x03\x00", 2)},
        {"Km", "70000", etInt32, 4, le32(70000)},
        {"Wort", "65535", etUInt16, 2, QByteArray("\xff\xff", 2)},
        {"Aktiv", "Ja", etBoolean, 2, QByteArray("\xff\xff", 2)},
        {"Preis", "1,25", etFloat, 8, dbl(1.25)},
        {"Datum", "31.12.2024", etDate, 8, le32(739251) + QByteArray(4, '\0')},
        {"Zeit", "08:30:15", etTime, 4, le32((8 * 3600 + 30 * 60 + 15) * 1000)},
        // Time-stamp milliseconds: day number × 86 400 000 + ms of day.
        {"Stempel", "01.01.0001 00:00:01", etTimeStamp, 8, dbl(86400000.0 + 1000.0)},
        {"Stempel", "31.12.2024 12:00:00", etTimeStamp, 8, dbl(739251.0 * 86400000.0 + 43200000.0)},
        // BCD: precision 32, sign|decimals, digits right-aligned.
        {"Betrag", "-12,5", etBCD, 18,
         QByteArray("\x20\x82", 2) + QByteArray(14, '\0') + QByteArray("\x12\x50", 2)},
    };
    for (const Case &c : cases) {
        const FilterFieldInfo field = fieldOf(c.field);
        FieldValueBuffer value{};
        TFieldType type{};
        std::uint8_t mark = 0;
        ASSERT_TRUE(TextToFieldValue(field, QString::fromUtf8(c.text), type, mark, value)) << c.text;
        const auto operand = NewConstOperand(field, value, mark);
        ASSERT_TRUE(operand.has_value()) << c.text;
        EXPECT_EQ(operand->type(), c.engineType) << c.text;
        EXPECT_EQ(operand->size(), c.size) << c.text;
        EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(operand->value()), c.bytes.size()), c.bytes)
            << c.text;

        // And back to the text the dialog shows.
        TFieldType back{};
        QString text;
        std::uint8_t backMark = 0;
        ASSERT_TRUE(OperandToText(*operand, back, text, backMark)) << c.text;
        EXPECT_EQ(backMark, mark);
    }
    EXPECT_FALSE(NewConstOperand(fieldOf("Bemerkung"), FieldValueBuffer{}, 0).has_value());
    EXPECT_THROW(EngineFieldType(ftMemo), EDBVFilter);
}

TEST(FilterOperands, TextsShownForStoredConstants)
{
    auto textOf = [](const char *field, const char *input) {
        const FilterFieldInfo f = fieldOf(field);
        FieldValueBuffer value{};
        TFieldType type{};
        std::uint8_t mark = 0;
        EXPECT_TRUE(TextToFieldValue(f, QString::fromUtf8(input), type, mark, value));
        TFieldType back{};
        QString text;
        EXPECT_TRUE(OperandToText(*NewConstOperand(f, value, mark), back, text, mark));
        EXPECT_EQ(back, f.dataType == ftAutoInc ? ftInteger : f.dataType);
        return text;
    };
    EXPECT_EQ(textOf("Datum", "1.2.2024"), QStringLiteral("01.02.2024"));
    EXPECT_EQ(textOf("Zeit", "8:05"), QStringLiteral("08:05:00"));
    EXPECT_EQ(textOf("Stempel", "31.12.2024 12:00:00"), QStringLiteral("31.12.2024 12:00:00"));
    EXPECT_EQ(textOf("Stempel", "31.12.2024"), QStringLiteral("31.12.2024"));
    EXPECT_EQ(textOf("Preis", "0,1"), QStringLiteral("0,1"));
    EXPECT_EQ(textOf("Aktiv", "n"), QStringLiteral("False"));
    EXPECT_EQ(textOf("Betrag", "-12,5"), QStringLiteral("-12,5"));
    EXPECT_EQ(textOf("Wort", "7"), QStringLiteral("7"));

    TFilterOperand unknown;
    unknown.setType(3);
    TFieldType type{};
    QString text;
    std::uint8_t mark = 0;
    EXPECT_FALSE(OperandToText(unknown, type, text, mark));
}
