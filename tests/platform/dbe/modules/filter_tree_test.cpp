#include <functional>
#include <set>

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <gtest/gtest.h>

#include "dbe/filter/FilterError.h"
#include "dbe/filter/FilterTree.h"
#include "expression_builder.h"
#include "memory_records.h"

using dbe::FieldType;
using dbe::filter::FilterError;
using dbe::filter::FilterTree;
namespace layout = dbe::filter::layout;

namespace {

constexpr std::int32_t kDay31Dec2024 = 739251; // proleptic Gregorian ordinal
constexpr std::int32_t kDay1Jan2024 = 738886;
constexpr std::int32_t kDay30Dec1899 = 693594;
constexpr double kMsPerDay = 86400000.0;

const QVariant blank;

// Fields 1..9; row 2 gives its date, time and date-time as base::TDateTime
// numbers, as a cursor may; row 3 is blank throughout.
MemoryRecords records()
{
    return MemoryRecords({{"Name", FieldType::String},
                          {"Gruppe", FieldType::String},
                          {"Anzahl", FieldType::SmallInt},
                          {"Menge", FieldType::Integer},
                          {"Preis", FieldType::Float},
                          {"Aktiv", FieldType::Boolean},
                          {"Datum", FieldType::Date},
                          {"Zeit", FieldType::Time},
                          {"Zeitpunkt", FieldType::DateTime}},
                         {{"Müller", "Lieferung", 5, 100000, 12.5, true, QDate(2024, 12, 31), QTime(8, 30),
                           QDateTime(QDate(2024, 12, 31), QTime(8, 30))},
                          {"meier", "lkw", -3, 7, 0.5, false, 45292.0, 17.0 / 24, 45292.0 + 17.0 / 24},
                          {"", blank, blank, blank, blank, blank, blank, blank, blank},
                          {"Straße", "ÄRGER", 5, 65535, 100.0, true, QDate(1899, 12, 30), QTime(0, 0),
                           QDateTime(QDate(1899, 12, 30), QTime(0, 0))}});
}

std::set<int> select(const QByteArray &buffer)
{
    MemoryRecords rows = records();
    const FilterTree tree = FilterTree::compile(buffer, rows);
    return rows.select([&](const MemoryRecords &r) { return tree.matches(r); });
}

// One row of a filter definition: field op constant, as the set builds it.
using Make = std::function<int(ExpressionBuilder &)>;

int row(ExpressionBuilder &b, int op, int fieldNo, const char *name, const Make &constant)
{
    const int c = constant(b);
    const int f = b.field(fieldNo, name);
    return b.binary(op, f, c);
}

struct Case {
    const char *what;
    std::function<int(ExpressionBuilder &)> tree;
    std::set<int> rows;
};

TEST(FilterTree, BuilderWritesTheDocumentedBuffer)
{
    ExpressionBuilder b;
    const int c = b.string("Li");
    const int f = b.field(7, "Gruppe");
    const QByteArray buffer = b.build(b.compare(f, c, 2));
    EXPECT_EQ(buffer.toHex(' '), QByteArray("02 00 4a 00 03 00 0a 00 40 00 "
                                            "03 00 00 00 03 00 00 00 ff ff 02 00 12 00 24 00 00 00 "
                                            "04 00 00 00 0d 00 00 00 07 00 03 00 00 00 00 00 00 00 "
                                            "05 00 00 00 0e 00 00 00 01 00 03 00 00 00 00 00 00 00 "
                                            "4c 69 00 47 72 75 70 70 65 00"));
    MemoryRecords rows({{"A", FieldType::String},
                        {"B", FieldType::String},
                        {"C", FieldType::String},
                        {"D", FieldType::String},
                        {"E", FieldType::String},
                        {"F", FieldType::String},
                        {"Gruppe", FieldType::String}},
                       {{"", "", "", "", "", "", "Lieferung"},
                        {"", "", "", "", "", "", "linienbus"},
                        {"", "", "", "", "", "", "Kleinbus"},
                        {"", "", "", "", "", "", blank}});
    const FilterTree tree = FilterTree::compile(buffer, rows);
    EXPECT_EQ(rows.select([&](const MemoryRecords &r) { return tree.matches(r); }), (std::set<int>{1, 2}));
}

TEST(FilterTree, NodeClassesAndConstantTypes)
{
    using L = ExpressionBuilder;
    const Case cases[] = {
        // Strings: case-sensitive, code-point order, blank rules.
        {"Name = Müller",
         [](L &b) { return row(b, layout::kEqual, 1, "Name", [](L &b) { return b.string("M\xFCller"); }); },
         {1}},
        {"Name = müller",
         [](L &b) { return row(b, layout::kEqual, 1, "Name", [](L &b) { return b.string("m\xFCller"); }); },
         {}},
        {"Name > M",
         [](L &b) { return row(b, layout::kGreater, 1, "Name", [](L &b) { return b.string("M"); }); },
         {1, 2, 4}},
        {"Name <> Müller",
         [](L &b) {
             return row(b, layout::kNotEqual, 1, "Name", [](L &b) { return b.string("M\xFCller"); });
         },
         {2, 3, 4}},
        {"Name = ''",
         [](L &b) { return row(b, layout::kEqual, 1, "Name", [](L &b) { return b.string(""); }); },
         {3}},
        {"Name <> ''",
         [](L &b) { return row(b, layout::kNotEqual, 1, "Name", [](L &b) { return b.string(""); }); },
         {1, 2, 4}},
        {"Name < ''",
         [](L &b) { return row(b, layout::kLess, 1, "Name", [](L &b) { return b.string(""); }); },
         {}},
        // Unary: blank tests with their orphaned constant, and not.
        {"Leer Name",
         [](L &b) {
             b.string("");
             return b.unary(layout::kIsBlank, b.field(1, "Name"));
         },
         {3}},
        {"Nicht leer Gruppe",
         [](L &b) {
             b.string("");
             return b.unary(layout::kNotBlank, b.field(2, "Gruppe"));
         },
         {1, 2, 4}},
        {"Leer Datum",
         [](L &b) {
             b.date(0);
             return b.unary(layout::kIsBlank, b.field(7, "Datum"));
         },
         {3}},
        {"Nicht (Anzahl = 5)",
         [](L &b) {
             return b.unary(layout::kNot,
                            row(b, layout::kEqual, 3, "Anzahl", [](L &b) { return b.int16(5); }));
         },
         {2, 3}},
        // Compare: prefix ignoring case, German letters included.
        {"Gruppe = Li..",
         [](L &b) {
             const int c = b.string("Li");
             return b.compare(b.field(2, "Gruppe"), c, 2);
         },
         {1}},
        {"Gruppe = l..",
         [](L &b) {
             const int c = b.string("l");
             return b.compare(b.field(2, "Gruppe"), c, 1);
         },
         {1, 2}},
        {"Gruppe = är..",
         [](L &b) {
             const int c = b.string("\xE4r");
             return b.compare(b.field(2, "Gruppe"), c, 2);
         },
         {4}},
        {"Name = STRASS..",
         [](L &b) {
             const int c = b.string("STRASS");
             return b.compare(b.field(1, "Name"), c, 6);
         },
         {4}},
        {"constant left",
         [](L &b) {
             const int c = b.string("ME");
             return b.compare(c, b.field(1, "Name"), 2);
         },
         {2}},
        // Numbers of each constant type.
        {"Anzahl = 5 (int16)",
         [](L &b) { return row(b, layout::kEqual, 3, "Anzahl", [](L &b) { return b.int16(5); }); },
         {1, 4}},
        {"Anzahl < 0",
         [](L &b) { return row(b, layout::kLess, 3, "Anzahl", [](L &b) { return b.int16(0); }); },
         {2}},
        {"Anzahl >= -3",
         [](L &b) { return row(b, layout::kGreaterEqual, 3, "Anzahl", [](L &b) { return b.int16(-3); }); },
         {1, 2, 4}},
        {"Menge > 65534 (int32)",
         [](L &b) { return row(b, layout::kGreater, 4, "Menge", [](L &b) { return b.int32(65534); }); },
         {1, 4}},
        {"Menge = 65535 (uint16)",
         [](L &b) { return row(b, layout::kEqual, 4, "Menge", [](L &b) { return b.uint16(65535); }); },
         {4}},
        {"Preis <= 12.5 (double)",
         [](L &b) { return row(b, layout::kLessEqual, 5, "Preis", [](L &b) { return b.real(12.5); }); },
         {1, 2}},
        {"Preis = 12.50 (bcd)",
         [](L &b) { return row(b, layout::kEqual, 5, "Preis", [](L &b) { return b.bcd("1250", 2); }); },
         {1}},
        {"Preis > -0.5 (bcd)",
         [](L &b) { return row(b, layout::kGreater, 5, "Preis", [](L &b) { return b.bcd("5", 1, true); }); },
         {1, 2, 4}},
        {"Aktiv = True",
         [](L &b) { return row(b, layout::kEqual, 6, "Aktiv", [](L &b) { return b.boolean(true); }); },
         {1, 4}},
        {"Aktiv = False",
         [](L &b) { return row(b, layout::kEqual, 6, "Aktiv", [](L &b) { return b.boolean(false); }); },
         {2}},
        {"Aktiv <> True",
         [](L &b) { return row(b, layout::kNotEqual, 6, "Aktiv", [](L &b) { return b.boolean(true); }); },
         {2, 3}},
        // Dates, times, date-times.
        {"Datum = 31.12.2024",
         [](L &b) { return row(b, layout::kEqual, 7, "Datum", [](L &b) { return b.date(kDay31Dec2024); }); },
         {1}},
        {"Datum = 1.1.2024",
         [](L &b) { return row(b, layout::kEqual, 7, "Datum", [](L &b) { return b.date(kDay1Jan2024); }); },
         {2}},
        {"Datum = 30.12.1899",
         [](L &b) { return row(b, layout::kEqual, 7, "Datum", [](L &b) { return b.date(kDay30Dec1899); }); },
         {4}},
        {"Datum < 31.12.2024",
         [](L &b) { return row(b, layout::kLess, 7, "Datum", [](L &b) { return b.date(kDay31Dec2024); }); },
         {2, 4}},
        {"Zeit >= 8:30",
         [](L &b) { return row(b, layout::kGreaterEqual, 8, "Zeit", [](L &b) { return b.time(30600000); }); },
         {1, 2}},
        {"Zeit = 17:00",
         [](L &b) { return row(b, layout::kEqual, 8, "Zeit", [](L &b) { return b.time(61200000); }); },
         {2}},
        {"Zeitpunkt > 31.12.2024 0:00",
         [](L &b) {
             return row(b, layout::kGreater, 9, "Zeitpunkt",
                        [](L &b) { return b.dateTime(kDay31Dec2024 * kMsPerDay); });
         },
         {1}},
        {"Zeitpunkt = 1.1.2024 17:00",
         [](L &b) {
             return row(b, layout::kEqual, 9, "Zeitpunkt",
                        [](L &b) { return b.dateTime(kDay1Jan2024 * kMsPerDay + 61200000); });
         },
         {2}},
        {"Zeitpunkt = 30.12.1899 0:00",
         [](L &b) {
             return row(b, layout::kEqual, 9, "Zeitpunkt",
                        [](L &b) { return b.dateTime(kDay30Dec1899 * kMsPerDay); });
         },
         {4}},
        {"Zeitpunkt >= date 31.12.2024",
         [](L &b) {
             return row(b, layout::kGreaterEqual, 9, "Zeitpunkt", [](L &b) { return b.date(kDay31Dec2024); });
         },
         {1}},
        // And / or, linked left to right as the set links rows.
        {"(Anzahl = 5 Und Aktiv = True) Oder Name = meier",
         [](L &b) {
             const int a = row(b, layout::kEqual, 3, "Anzahl", [](L &b) { return b.int16(5); });
             const int c = row(b, layout::kEqual, 6, "Aktiv", [](L &b) { return b.boolean(true); });
             const int d = row(b, layout::kEqual, 1, "Name", [](L &b) { return b.string("meier"); });
             return b.binary(layout::kOr, b.binary(layout::kAnd, a, c), d);
         },
         {1, 2, 4}},
        {"(Anzahl = 5 Oder Name = meier) Und Preis > 50",
         [](L &b) {
             const int a = row(b, layout::kEqual, 3, "Anzahl", [](L &b) { return b.int16(5); });
             const int c = row(b, layout::kEqual, 1, "Name", [](L &b) { return b.string("meier"); });
             const int d = row(b, layout::kGreater, 5, "Preis", [](L &b) { return b.real(50); });
             return b.binary(layout::kAnd, b.binary(layout::kOr, a, c), d);
         },
         {4}},
    };
    for (const Case &c : cases) {
        ExpressionBuilder b;
        const int root = c.tree(b);
        EXPECT_EQ(select(b.build(root)), c.rows) << c.what;
    }
}

void put16(QByteArray &buffer, int at, int value)
{
    buffer[at] = static_cast<char>(value & 0xFF);
    buffer[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

// "Anzahl = 5": slot 0 binary, slot 1 field, slot 2 constant; literals
// "Anzahl\0" at 0 (7 bytes), then the int16 at 7.
QByteArray anzahlIsFive()
{
    ExpressionBuilder b;
    return b.build(row(b, layout::kEqual, 3, "Anzahl", [](ExpressionBuilder &b) { return b.int16(5); }));
}

constexpr int kSlot0 = 10, kSlot1 = 28, kSlot2 = 46;

TEST(FilterTree, BadTreesAreRefused)
{
    using Mutate = std::function<void(QByteArray &)>;
    const std::pair<const char *, Mutate> cases[] = {
        {"version 1", [](QByteArray &x) { put16(x, 0, 1); }},
        {"total larger than the buffer", [](QByteArray &x) { put16(x, 2, x.size() + 1); }},
        {"no nodes", [](QByteArray &x) { put16(x, 4, 0); }},
        {"literal start off", [](QByteArray &x) { put16(x, 8, 60); }},
        {"short buffer", [](QByteArray &x) { x.truncate(8); }},
        {"unknown field number", [](QByteArray &x) { put16(x, kSlot1 + 8, 99); }},
        {"field number of another field", [](QByteArray &x) { put16(x, kSlot1 + 8, 1); }},
        {"unknown constant type", [](QByteArray &x) { put16(x, kSlot2 + 8, 3); }},
        {"field name as constant", [](QByteArray &x) { put16(x, kSlot2 + 8, 254); }},
        {"constant size off", [](QByteArray &x) { put16(x, kSlot2 + 10, 4); }},
        {"constant outside the literals", [](QByteArray &x) { put16(x, kSlot2 + 12, 200); }},
        {"name outside the literals", [](QByteArray &x) { put16(x, kSlot1 + 10, 300); }},
        {"unknown node class", [](QByteArray &x) { x[kSlot1] = 6; }},
        {"class and operator do not fit", [](QByteArray &x) { x[kSlot0 + 4] = 9; }},
        {"field operator", [](QByteArray &x) { x[kSlot1 + 4] = 14; }},
        {"Wie",
         [](QByteArray &x) {
             x[kSlot0] = layout::kCompare;
             x[kSlot0 + 4] = layout::kLike;
             put16(x, kSlot0 + 12, 18);
             put16(x, kSlot0 + 14, 36);
         }},
        {"cycle to the root", [](QByteArray &x) { put16(x, kSlot0 + 10, 0); }},
        {"shared child", [](QByteArray &x) { put16(x, kSlot0 + 10, 18); }},
        {"child out of range", [](QByteArray &x) { put16(x, kSlot0 + 10, 54); }},
        {"child not on a slot", [](QByteArray &x) { put16(x, kSlot0 + 10, 20); }},
        {"and over values", [](QByteArray &x) { x[kSlot0 + 4] = layout::kAnd; }},
        {"root is a value", [](QByteArray &x) { x.replace(kSlot0, 18, x.mid(kSlot2, 18)); }},
    };
    MemoryRecords rows = records();
    for (const auto &[what, mutate] : cases) {
        QByteArray buffer = anzahlIsFive();
        ASSERT_NO_THROW(FilterTree::compile(buffer, rows));
        mutate(buffer);
        EXPECT_THROW(FilterTree::compile(buffer, rows), FilterError) << what;
    }
}

TEST(FilterTree, TypesThatDoNotFitAreRefused)
{
    using L = ExpressionBuilder;
    const std::pair<const char *, std::function<int(L &)>> cases[] = {
        {"text field against a number",
         [](L &b) { return row(b, layout::kEqual, 1, "Name", [](L &b) { return b.int16(5); }); }},
        {"date field against text",
         [](L &b) { return row(b, layout::kEqual, 7, "Datum", [](L &b) { return b.string("1.1.2024"); }); }},
        {"time field against a date",
         [](L &b) { return row(b, layout::kEqual, 8, "Zeit", [](L &b) { return b.date(1); }); }},
        {"prefix on a number field",
         [](L &b) {
             const int c = b.string("5");
             return b.compare(b.field(3, "Anzahl"), c, 1);
         }},
        {"prefix without a field",
         [](L &b) {
             const int c = b.string("a");
             return b.compare(b.string("b"), c, 1);
         }},
        {"string without its zero",
         [](L &b) {
             return row(b, layout::kEqual, 1, "Name", [](L &b) { return b.constant(layout::kString, "ab"); });
         }},
    };
    MemoryRecords rows = records();
    for (const auto &[what, make] : cases) {
        ExpressionBuilder b;
        const QByteArray buffer = b.build(make(b));
        EXPECT_THROW(FilterTree::compile(buffer, rows), FilterError) << what;
    }
}

TEST(FilterTree, FieldNamesInWindows1252AndAnyCase)
{
    MemoryRecords rows({{"Größe", FieldType::SmallInt}}, {{1}, {2}});
    ExpressionBuilder b;
    const QByteArray buffer = b.build(row(b, layout::kEqual, 1,
                                          "GR\xD6\xDF"
                                          "E",
                                          [](ExpressionBuilder &b) { return b.int16(2); }));
    const FilterTree tree = FilterTree::compile(buffer, rows);
    EXPECT_EQ(rows.select([&](const MemoryRecords &r) { return tree.matches(r); }), (std::set<int>{2}));
}

} // namespace
