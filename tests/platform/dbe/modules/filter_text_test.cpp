#include <set>

#include <QDate>

#include <gtest/gtest.h>

#include "dbe/filter/FilterError.h"
#include "dbe/filter/FilterText.h"
#include "memory_records.h"

using dbe::FieldType;
using dbe::filter::FilterError;
using dbe::filter::FilterText;

namespace {

QVariant d(int day, int month, int year)
{
    return QDate(year, month, day);
}

const QVariant blank;

std::set<int> select(MemoryRecords &records, const QString &text)
{
    FilterText filter = FilterText::parse(text);
    filter.bind(records);
    return records.select([&](const MemoryRecords &r) { return filter.matches(r); });
}

MemoryRecords tours()
{
    return MemoryRecords({{"FahrerName", FieldType::String}, {"Datum", FieldType::Date}},
                         {{"Müller", d(15, 3, 2024)},
                          {"Müller", d(1, 1, 2024)},
                          {"Müller", d(31, 12, 2024)},
                          {"Müller", d(1, 1, 2025)},
                          {"Meier", d(10, 6, 2024)},
                          {"Müller", blank},
                          {"O'Neill", d(2, 2, 2024)},
                          {blank, d(3, 3, 2024)}});
}

MemoryRecords drivers()
{
    return MemoryRecords(
        {{"Name", FieldType::String}, {"GueltigBis1", FieldType::Date}, {"GueltigBis2", FieldType::Date}},
        {{"A", d(1, 3, 2024), blank},
         {"B", blank, blank},
         {"C", d(1, 1, 2025), d(10, 3, 2024)},
         {"D", d(1, 1, 1899), blank},
         {"E", d(16, 3, 2024), blank},
         {"F", d(15, 3, 2024), blank}});
}

MemoryRecords months()
{
    return MemoryRecords({{"AuswJahr", FieldType::String}, {"AuswMonatText", FieldType::String}},
                         {{"2005", "Januar"}, {"2005", "März"}, {"2004", "März"}, {blank, "März"}});
}

// Bookings around February 2005: 1 covers the first day, 2 the last, 3 lies
// inside, 4 spans the month, 5 and 6 lie outside, 7 is February 2006.
MemoryRecords bookings()
{
    return MemoryRecords({{"DatumVon", FieldType::Date},
                          {"DatumBis", FieldType::Date},
                          {"JahrVon", FieldType::String},
                          {"MonatVon", FieldType::String},
                          {"JahrBis", FieldType::String},
                          {"MonatBis", FieldType::String}},
                         {{d(25, 1, 2005), d(2, 2, 2005), "2005", "Januar", "2005", "Februar"},
                          {d(27, 2, 2005), d(3, 3, 2005), "2005", "Februar", "2005", "März"},
                          {d(10, 2, 2005), d(12, 2, 2005), "2005", "Februar", "2005", "Februar"},
                          {d(1, 1, 2005), d(31, 3, 2005), "2005", "Januar", "2005", "März"},
                          {d(1, 3, 2005), d(5, 3, 2005), "2005", "März", "2005", "März"},
                          {d(20, 1, 2005), d(31, 1, 2005), "2005", "Januar", "2005", "Januar"},
                          {d(1, 2, 2006), d(2, 2, 2006), "2006", "Februar", "2006", "Februar"}});
}

MemoryRecords damages()
{
    return MemoryRecords({{"Bearbeitungsnummer", FieldType::String}, {"KfzNr", FieldType::String}},
                         {{"4711", "AB-123"}, {"4712", "AB-1234"}, {blank, "ab-123"}, {"AB-1", "XY-9"}});
}

MemoryRecords clients()
{
    return MemoryRecords({{"Mandant", FieldType::String}, {"Filter", FieldType::Integer}},
                         {{"Haupt", 1}, {"Neben", 0}, {"Leer", blank}});
}

struct Case {
    MemoryRecords (*records)();
    const char *text;
    std::set<int> rows;
};

// Every filter text the program builds, with the rows each selects.
TEST(FilterText, StringsOfTheProgramSelectTheirRows)
{
    const Case cases[] = {
        {tours, "FahrerName ='Müller'", {1, 2, 3, 4, 6}},
        {tours, "(FahrerName ='Müller')", {1, 2, 3, 4, 6}},
        {tours, "FahrerName ='müller'", {}},
        {tours, "(FahrerName ='Müller') and ((Datum >= '1.1.2024') and (Datum <= '31.12.2024'))", {1, 2, 3}},
        {tours,
         "(FahrerName ='Müller') and ((Datum >= '01.01.2024') and (Datum <= '31.12.2024'))",
         {1, 2, 3}},
        {tours, "(FahrerName ='Müller') and ((Datum >= '1.3.2024') and (Datum <= '31.3.2024'))", {1}},
        {tours, "FahrerName = 'O''Neill'", {7}},
        {tours, "FahrerName = ''", {8}},
        {tours, "FahrerName <> 'Müller'", {5, 7, 8}},
        {tours, "Datum <> '15.03.2024'", {2, 3, 4, 5, 6, 7, 8}},
        {tours, "not (FahrerName = 'Müller')", {5, 7, 8}},
        {tours, "'31.12.2024' <= Datum", {3, 4}},
        {drivers,
         "((GueltigBis1 <= '15.03.2024') and (GueltigBis1 > '01.01.1899')) or "
         "((GueltigBis2 <= '15.03.2024') and (GueltigBis2 > '01.01.1899'))",
         {1, 3, 6}},
        {months, "AuswJahr = 2005", {1, 2}},
        {months, "AuswJahr <> 2005", {3, 4}},
        {months, "(AuswJahr = '2005') and (AuswMonatText = 'März')", {2}},
        {bookings,
         "((DatumBis >=  '1.2.2005') and (DatumVon <= '1.2.2005'))"
         "or ((DatumBis >=  '28.2.2005') and (DatumVon <= '28.2.2005'))"
         "or ((DatumBis <=  '28.2.2005') and (DatumVon >= '1.2.2005'))",
         {1, 2, 3, 4}},
        {bookings,
         "(JahrVon = '2005') and (MonatVon = 'Februar') or"
         "(JahrBis = '2005') and (MonatBis = 'Februar')",
         {1, 2, 3}},
        {bookings, "(DatumVon <=  '10.2.2005') and (DatumBis >= '10.2.2005')", {3, 4}},
        {bookings, "(DatumVon >=  '1.3.2005')", {5, 7}},
        {damages, "Bearbeitungsnummer=4711", {1}},
        {damages, "KfzNr = 'AB-123'", {1}},
        {damages, "KFZNR='AB-123' OR kfznr='XY-9'", {1, 4}},
        {clients, "Filter = 1", {1}},
        {clients, "Filter = '0'", {2}},
    };
    for (const Case &c : cases) {
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
