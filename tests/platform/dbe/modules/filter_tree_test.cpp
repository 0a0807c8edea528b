#include <functional>
#include <set>

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <gtest/gtest.h>

#include "dbe/filter/FilterError.h"
#include "dbe/filter/FilterTree.h"
#include "expression_builder.h"
#include "filter_tree_cases.h"
#include "memory_records.h"

using dbe::FieldType;
using dbe::filter::FilterError;
using dbe::filter::FilterTree;
namespace layout = dbe::filter::layout;

using namespace tree_cases;

namespace {

std::set<int> select(const QByteArray &buffer)
{
    MemoryRecords rows = records();
    const FilterTree tree = FilterTree::compile(buffer, rows);
    return rows.select([&](const MemoryRecords &r) { return tree.matches(r); });
}

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
    for (const Case &c : treeCases()) {
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
