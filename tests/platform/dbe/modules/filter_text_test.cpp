#include <set>

#include <QDate>

#include <gtest/gtest.h>

#include "dbe/filter/FilterError.h"
#include "dbe/filter/FilterText.h"
#include "filter_text_cases.h"
#include "memory_records.h"

using dbe::FieldType;
using dbe::filter::FilterError;
using dbe::filter::FilterText;

using namespace text_cases;

namespace {

std::set<int> select(MemoryRecords &records, const QString &text)
{
    FilterText filter = FilterText::parse(text);
    filter.bind(records);
    return records.select([&](const MemoryRecords &r) { return filter.matches(r); });
}

// Every filter text the program builds, with the rows each selects.
TEST(FilterText, StringsOfTheProgramSelectTheirRows)
{
    for (const Case &c : textCases()) {
        MemoryRecords records = c.records();
        EXPECT_EQ(select(records, QString::fromUtf8(c.text)), c.rows) << c.text;
    }
}

TEST(FilterText, AndBindsTighterThanOr)
{
    MemoryRecords records = bookings();
    // As written: (a and b) or (c and d); read with or first, row 2 would drop out.
    EXPECT_EQ(select(records, "JahrVon = '2005' and MonatVon = 'Februar' or JahrBis = '2005' and MonatBis = "
                              "'Februar'"),
              (std::set<int>{1, 2, 3}));
    EXPECT_EQ(select(records,
                     "JahrVon = '2005' and (MonatVon = 'Februar' or JahrBis = '2005') and MonatBis = "
                     "'Februar'"),
              (std::set<int>{1, 3}));
}

TEST(FilterText, MalformedTextsRaise)
{
    const char *texts[] = {
        "Bearbeitungsnummer=",
        "Bearbeitungsnummer=AB-1",
        "(FahrerName = 'X'",
        "FahrerName = 'X')",
        "FahrerName = 'X",
        "FahrerName 'X'",
        "FahrerName = Meier",
        "and FahrerName = 'X'",
        "FahrerName = 'X' or",
        "FahrerName = 'X' and and Datum = '1.1.2024'",
        "= 'X'",
        "FahrerName == 'X'",
        "()",
    };
    for (const char *text : texts)
        EXPECT_THROW(FilterText::parse(text), FilterError) << text;
}

// A pasted or hand-edited filter cannot run the stack out: nesting deeper than any real filter is
// refused with the ordinary parse error, and a long chain of conditions is evaluated without
// recursing along it.
TEST(FilterText, DeepNestingIsRefusedAndLongChainsEvaluate)
{
    const QString condition = QStringLiteral("FahrerName = 'Meier'");
    const QString tooDeep[] = {QString(9000, u'(') + condition + QString(9000, u')'),
                               QStringLiteral("not ").repeated(20000) + condition};
    for (const QString &text : tooDeep) {
        try {
            FilterText::parse(text);
            FAIL() << "accepted";
        } catch (const FilterError &e) {
            EXPECT_TRUE(e.message().contains(QStringLiteral("zu tief verschachtelt")))
                << e.message().toStdString();
        }
    }
    MemoryRecords records = tours();
    EXPECT_EQ(select(records, QString(100, u'(') + condition + QString(100, u')')), (std::set<int>{5}));
    EXPECT_EQ(select(records, QStringLiteral("not ").repeated(100) + condition), (std::set<int>{5}));
    QStringList ands(20000, condition);
    EXPECT_EQ(select(records, ands.join(QStringLiteral(" and "))), (std::set<int>{5}));
    QStringList ors(20000, QStringLiteral("FahrerName = 'Niemand'"));
    ors.append(condition);
    EXPECT_EQ(select(records, ors.join(QStringLiteral(" or "))), (std::set<int>{5}));
}

TEST(FilterText, BindRefusesUnknownFieldsAndLiteralsThatDoNotFit)
{
    MemoryRecords records = tours();
    const char *texts[] = {"Fahrer = 'X'", "Datum = 'gestern'", "Datum = 2024", "Datum >= '31.2.2024'"};
    for (const char *text : texts) {
        FilterText filter = FilterText::parse(text);
        EXPECT_THROW(filter.bind(records), FilterError) << text;
    }
    MemoryRecords numbers = clients();
    FilterText filter = FilterText::parse("Filter = 'eins'");
    EXPECT_THROW(filter.bind(numbers), FilterError);
}

TEST(FilterText, EmptyTextMatchesEverythingAndUnboundRaises)
{
    MemoryRecords records = tours();
    FilterText empty = FilterText::parse("  ");
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_EQ(records.select([&](const MemoryRecords &r) { return empty.matches(r); }).size(), 8u);

    const FilterText unbound = FilterText::parse("FahrerName = 'Meier'");
    EXPECT_FALSE(unbound.isBound());
    EXPECT_THROW(unbound.matches(records), FilterError);
}

TEST(FilterText, DatesStoredAsDateTimeValuesCompareByDay)
{
    // A cursor may hand dates over as base::TDateTime (days since 30.12.1899).
    MemoryRecords records({{"Datum", FieldType::Date}, {"Zeitpunkt", FieldType::DateTime}},
                          {{45383.0, 45383.75}, {45382.0, 45382.25}});
    // 45383 = 1.4.2024
    EXPECT_EQ(select(records, "Datum = '1.4.2024'"), (std::set<int>{1}));
    EXPECT_EQ(select(records, "Zeitpunkt >= '1.4.2024'"), (std::set<int>{1}));
    EXPECT_EQ(select(records, "Zeitpunkt < '31.3.2024 12:00'"), (std::set<int>{2}));
}

} // namespace
