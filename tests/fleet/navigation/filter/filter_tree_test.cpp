#include <gtest/gtest.h>

#include "fake_filter_data_set.h"
#include "filter_fixture.h"
#include "navigation/filter/DBVFilter.h"
#include "navigation/gemeinsam/NavExceptions.h"

using namespace nav;

namespace {

TFilterZeile row(const char *field, int op, const char *value, int link = 0)
{
    return TFilterZeile{QString::fromUtf8(field), op, QString::fromUtf8(value), link};
}

QByteArray nodeBytes(const TFilterNode &n)
{
    return QByteArray(reinterpret_cast<const char *>(n.raw.data()), 18);
}

struct Bound {
    FakeFilterDataSet ds;
    TDBVFilter filter;
    Bound() { filter.BindFilterDataSet(&ds); }
    void apply(std::initializer_list<TFilterZeile> rows, bool activate = true)
    {
        TFilterDefinition def;
        int i = 0;
        for (const TFilterZeile &r : rows)
            def[static_cast<std::size_t>(i++)] = r;
        filter.ApplyFilterDef(&def, i, activate);
    }
};

} // namespace

TEST(FilterTree, GleichWithWildcardMakesACompareNode)
{
    Bound b;
    b.apply({row("Gruppe", opEq, "Li..")});
    const FilterTree &tree = b.filter.Tree();
    ASSERT_EQ(tree.nodes.size(), 3u);
    ASSERT_EQ(tree.root, 2);
    const QList<QByteArray> expected = fixture::gruppeLiNodes();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(nodeBytes(tree.nodes[static_cast<std::size_t>(i)]), expected[i]) << i;
    ASSERT_EQ(tree.operands.size(), 2u);
    const QList<QByteArray> operands = fixture::gruppeLiOperands();
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(
            QByteArray(reinterpret_cast<const char *>(tree.operands[static_cast<std::size_t>(i)].raw.data()),
                       262),
            operands[i])
            << i;
}

TEST(FilterTree, WithoutWildcardOrOtherOperatorsABinaryNode)
{
    Bound plain;
    plain.apply({row("Gruppe", opEq, "Li")});
    EXPECT_EQ(nodeBytes(plain.filter.Tree().nodes[2]), fixture::node(2, 3, {{8, 1}, {10, 0}}));

    // "Größer als" with "Li..": compares with "Li"; the mark comes back in the row.
    Bound greater;
    greater.apply({row("Gruppe", opGt, "Li..")});
    EXPECT_EQ(nodeBytes(greater.filter.Tree().nodes[2]), fixture::node(2, 5, {{8, 1}, {10, 0}}));
    EXPECT_EQ(readShortString(greater.filter.Tree().operands[0].value()), QStringLiteral("Li"));
    TFilterDefinition def;
    int anzahl = -1;
    greater.filter.GetFilterDefinition(&def, anzahl);
    ASSERT_EQ(anzahl, 1);
    EXPECT_EQ(def[0].FeldName, QStringLiteral("Gruppe"));
    EXPECT_EQ(def[0].Operator, opGt);
    EXPECT_EQ(def[0].Wert, QStringLiteral("Li.."));
}

TEST(FilterTree, RowsLinkStrictlyLeftToRightAndComeBack)
{
    Bound b;
    b.apply(
        {row("Gruppe", opEq, "A", opAnd), row("Km", opGe, "100", opOr), row("Kennzeichen", opNotBlank, "")});
    const FilterTree &tree = b.filter.Tree();
    // Rows at nodes 2, 5, 8; and(row0,row1) = 9; or(9,row2) = 10.
    ASSERT_EQ(tree.nodes.size(), 11u);
    EXPECT_EQ(tree.root, 10);
    EXPECT_EQ(nodeBytes(tree.nodes[9]), fixture::node(2, opAnd, {{8, 2}, {10, 5}}));
    EXPECT_EQ(nodeBytes(tree.nodes[10]), fixture::node(2, opOr, {{8, 9}, {10, 8}}));
    EXPECT_EQ(nodeBytes(tree.nodes[8]), fixture::node(1, opNotBlank, {{8, 7}}));

    TFilterEditRows rows;
    int count = 0;
    b.filter.TreeToRows(rows, count);
    ASSERT_EQ(count, 3);
    EXPECT_EQ(rows[0].name, QStringLiteral("L_Gruppe"));
    EXPECT_EQ(rows[0].op, opEq);
    EXPECT_EQ(rows[0].valueText(), QStringLiteral("A"));
    EXPECT_EQ(rows[0].link, opAnd);
    EXPECT_EQ(rows[1].name, QStringLiteral("L_Km"));
    EXPECT_EQ(rows[1].dataType, static_cast<std::uint8_t>(ftInteger));
    EXPECT_EQ(rows[1].valueText(), QStringLiteral("100"));
    EXPECT_EQ(rows[1].link, opOr);
    EXPECT_EQ(rows[2].op, opNotBlank);
    EXPECT_EQ(rows[2].dataType, 0); // the orphaned constant is not visited

    TFilterDefinition def;
    int anzahl = 0;
    b.filter.GetFilterDefinition(&def, anzahl);
    ASSERT_EQ(anzahl, 3);
    EXPECT_EQ(def[2].FeldName, QStringLiteral("Kennzeichen"));
    EXPECT_EQ(def[2].Wert, QString());
    EXPECT_EQ(def[1].Verknuepfung, opOr);
}

TEST(FilterTree, TenRowsFitTheSlots)
{
    Bound b;
    TFilterDefinition def;
    for (auto &r : def)
        r = row("Km", opGt, "1", opAnd);
    b.filter.ApplyFilterDef(&def, 10, false);
    EXPECT_EQ(b.filter.Tree().nodes.size(), 39u);
    EXPECT_EQ(b.filter.Tree().operands.size(), 20u);
    EXPECT_THROW(b.filter.ApplyFilterDef(&def, 11, false), EDBVFilterDefError);
}

TEST(FilterTree, SlotLimitsRefuseFurtherNodes)
{
    Bound b;
    FieldValueBuffer value{};
    const FilterFieldInfo km = b.ds.fieldByName("Km");
    for (int i = 0; i < 35; ++i) {
        b.filter.AddConstNode(km, value, 0);
        b.filter.AddFieldNode("Km");
    }
    try {
        b.filter.AddConstNode(km, value, 0);
        FAIL();
    } catch (const EDBVFilter &e) {
        EXPECT_EQ(e.message(), QStringLiteral("Maximale Anzahl Operanden erreicht"));
    }
    try {
        b.filter.AddOperatorNode(opAnd, 0, 1);
        FAIL();
    } catch (const EDBVFilter &e) {
        EXPECT_EQ(e.message(), QStringLiteral("Maximale Anzahl Operatoren erreicht"));
    }
    EXPECT_EQ(b.filter.AddOperatorNode(12, 0, 1), -1);
    EXPECT_EQ(b.filter.AddOperatorNode(0, 0, 1), -1);
}

TEST(FilterExpression, ByteExactForTheOneRowFixture)
{
    Bound b;
    b.apply({row("Gruppe", opEq, "Li..")});
    ASSERT_EQ(b.ds.expressions.size(), 1u);
    // Pre-order from the root: compare in slot 0, field in 1, constant in 2.
    const QByteArray expected = fixture::expression(
        3,
        {fixture::node(3, 3, {{8, 0xFFFF}, {10, 2}, {12, 18}, {14, 36}}),
         fixture::node(4, 13, {{8, 7}, {10, 3}}), fixture::node(5, 14, {{8, 1}, {10, 3}, {12, 0}})},
        QByteArray("Li\0Gruppe\0", 10));
    EXPECT_EQ(expected.size(), 74);
    EXPECT_EQ(b.ds.expressions[0].toHex(' '), expected.toHex(' '));
}

TEST(FilterExpression, BlankTestCountsButDoesNotWriteItsConstant)
{
    Bound b;
    b.apply({row("Gruppe", opBlank, "")});
    ASSERT_EQ(b.ds.expressions.size(), 1u);
    // Three nodes counted; only unary and field written; the constant's operand
    // (an empty string, size 1) still sits in the literal area.
    const QByteArray expected =
        fixture::expression(3, {fixture::node(1, 1, {{8, 18}}), fixture::node(4, 13, {{8, 7}, {10, 1}})},
                            QByteArray("\0Gruppe\0", 8));
    EXPECT_EQ(b.ds.expressions[0].toHex(' '), expected.toHex(' '));
}

TEST(FilterExpression, TwoRowsWithALink)
{
    Bound b;
    b.apply({row("Achsen", opEq, "3", opOr), row("Gruppe", opNe, "X")});
    ASSERT_EQ(b.ds.expressions.size(), 1u);
    const QByteArray expected =
        fixture::expression(7,
                            {fixture::node(2, opOr, {{8, 18}, {10, 72}}),       // slot 0: or(slot 1, slot 4)
                             fixture::node(2, opEq, {{8, 36}, {10, 54}}),       // slot 1
                             fixture::node(4, 13, {{8, 3}, {10, 2}}),           // "Achsen" literal at 2
                             fixture::node(5, 14, {{8, 5}, {10, 2}, {12, 0}}),  // int16 literal at 0
                             fixture::node(2, opNe, {{8, 90}, {10, 108}}),      // slot 4
                             fixture::node(4, 13, {{8, 7}, {10, 11}}),          // "Gruppe" at 11
                             fixture::node(5, 14, {{8, 1}, {10, 2}, {12, 9}})}, // "X" at 9
                            QByteArray("\x03\x00"
                                       "Achsen\0"
                                       "X\0"
                                       "Gruppe\0",
                                       18));
    EXPECT_EQ(b.ds.expressions[0].toHex(' '), expected.toHex(' '));
}
