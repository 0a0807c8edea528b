#pragma once

#include <set>
#include <vector>

#include <QDate>

#include "memory_records.h"

// Every filter text the program builds, over small record sets, with the rows each selects.
namespace text_cases {

using dbe::FieldType;

inline QVariant d(int day, int month, int year)
{
    return QDate(year, month, day);
}

inline const QVariant blank;

inline MemoryRecords tours()
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

inline MemoryRecords drivers()
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

inline MemoryRecords months()
{
    return MemoryRecords({{"AuswJahr", FieldType::String}, {"AuswMonatText", FieldType::String}},
                         {{"2005", "Januar"}, {"2005", "März"}, {"2004", "März"}, {blank, "März"}});
}

// Bookings around February 2005: 1 covers the first day, 2 the last, 3 lies
// inside, 4 spans the month, 5 and 6 lie outside, 7 is February 2006.
inline MemoryRecords bookings()
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

inline MemoryRecords damages()
{
    return MemoryRecords({{"Bearbeitungsnummer", FieldType::String}, {"KfzNr", FieldType::String}},
                         {{"4711", "AB-123"}, {"4712", "AB-1234"}, {blank, "ab-123"}, {"AB-1", "XY-9"}});
}

inline MemoryRecords clients()
{
    return MemoryRecords({{"Mandant", FieldType::String}, {"Filter", FieldType::Integer}},
                         {{"Haupt", 1}, {"Neben", 0}, {"Leer", blank}});
}

struct Case {
    MemoryRecords (*records)();
    const char *text;
    std::set<int> rows;
};

inline const std::vector<Case> &textCases()
{
    static const std::vector<Case> cases = {
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
    return cases;
}

} // namespace text_cases
