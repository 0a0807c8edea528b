#pragma once

#include <functional>
#include <set>
#include <vector>

#include <QDate>
#include <QDateTime>
#include <QTime>

#include "expression_builder.h"
#include "memory_records.h"

// Filter trees of every node class and constant type over one record set, with the rows each selects.
namespace tree_cases {

using dbe::FieldType;
namespace layout = dbe::filter::layout;

constexpr std::int32_t kDay31Dec2024 = 739251; // proleptic Gregorian ordinal
constexpr std::int32_t kDay1Jan2024 = 738886;
constexpr std::int32_t kDay30Dec1899 = 693594;
constexpr double kMsPerDay = 86400000.0;

inline const QVariant blank;

// Fields 1..9; row 2 gives its date, time and date-time as base::TDateTime
// numbers, as a cursor may; row 3 is blank throughout.
inline MemoryRecords records()
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

// One row of a filter definition: field op constant, as the set builds it.
using Make = std::function<int(ExpressionBuilder &)>;

inline int row(ExpressionBuilder &b, int op, int fieldNo, const char *name, const Make &constant)
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

inline const std::vector<Case> &treeCases()
{
    using L = ExpressionBuilder;
    static const std::vector<Case> cases = {
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
    return cases;
}

} // namespace tree_cases
