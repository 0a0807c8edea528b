#include <gtest/gtest.h>

#include "fake_filter_data_set.h"
#include "navigation/filter/DBVFilter.h"
#include "navigation/gemeinsam/NavExceptions.h"

using namespace nav;

namespace {

using Calls = std::vector<QString>;

TFilterDefinition oneRow(const char *field = "Km", int op = opGt, const char *value = "5")
{
    TFilterDefinition def;
    def[0] = TFilterZeile{QString::fromUtf8(field), op, QString::fromUtf8(value), 0};
    return def;
}

QString messageOf(const std::function<void()> &fn)
{
    try {
        fn();
    } catch (const EDBVFilter &e) {
        return e.message();
    }
    return QString();
}

} // namespace

TEST(FilterState, RunsThroughItsStatesAndBack)
{
    FakeFilterDataSet ds;
    TDBVFilter filter;
    EXPECT_EQ(filter.State(), TDBVFilter::fsNoDataSet);
    EXPECT_EQ(messageOf([&] { filter.SetActive(true); }), QStringLiteral("Tabelle für Filter undefiniert."));
    filter.BindFilterDataSet(&ds);
    EXPECT_EQ(filter.State(), TDBVFilter::fsBound);

    const TFilterDefinition def = oneRow();
    filter.ApplyFilterDef(&def, 1, false);
    EXPECT_EQ(filter.State(), TDBVFilter::fsBound);
    EXPECT_TRUE(ds.calls.empty());

    std::vector<std::uint8_t> statusKinds;
    filter.OnStatus = [&](TDBVFilter &, std::uint8_t kind) {
        statusKinds.push_back(kind);
        EXPECT_EQ(ds.calls, Calls{"add 1"}); // fired before the switch-on
    };
    filter.SetAdded(true);
    EXPECT_EQ(filter.State(), TDBVFilter::fsAdded);
    filter.SetActive(true);
    EXPECT_EQ(filter.State(), TDBVFilter::fsActive);
    EXPECT_EQ(statusKinds, std::vector<std::uint8_t>{4});
    filter.SetActive(true); // no change, no call
    filter.SetActive(false);
    EXPECT_EQ(filter.State(), TDBVFilter::fsAdded);
    filter.SetAdded(false);
    EXPECT_EQ(filter.State(), TDBVFilter::fsBound);
    EXPECT_EQ(filter.Root(), -1); // dropping discards the tree
    filter.BindFilterDataSet(static_cast<FilterDataSet *>(nullptr));
    EXPECT_EQ(filter.State(), TDBVFilter::fsNoDataSet);
    EXPECT_EQ(ds.calls, (Calls{"add 1", "on 1", "off 1", "drop 1"}));
}

TEST(FilterState, FailedAddResetsToBound)
{
    FakeFilterDataSet ds;
    TDBVFilter filter;
    filter.BindFilterDataSet(&ds);
    ds.failAdd = true;
    const TFilterDefinition def = oneRow();
    const int resyncs = ds.resyncs;
    EXPECT_THROW(filter.ApplyFilterDef(&def, 1, true), std::runtime_error);
    EXPECT_EQ(filter.State(), TDBVFilter::fsBound);
    EXPECT_FALSE(filter.Added());
    EXPECT_EQ(filter.Root(), -1);
    EXPECT_EQ(ds.resyncs, resyncs + 1); // resynchronised even when it fails
}

TEST(FilterState, DataSetBeingDestroyedResetsWithoutEngineCalls)
{
    FakeFilterDataSet ds;
    TDBVFilter filter;
    filter.BindFilterDataSet(&ds);
    const TFilterDefinition def = oneRow();
    filter.ApplyFilterDef(&def, 1, true);
    ds.calls.clear();
    ds.destroying = true;
    filter.SetActive(false);
    EXPECT_EQ(filter.State(), TDBVFilter::fsBound);
    EXPECT_FALSE(filter.Added());
    EXPECT_TRUE(ds.calls.empty());
    EXPECT_EQ(messageOf([&] { filter.SetAdded(true); }), QStringLiteral("Tabelle für Filter undefiniert."));
    EXPECT_EQ(messageOf([&] { filter.ApplyFilterDef(&def, 1, true); }),
              QStringLiteral("Tabelle für Filter undefiniert."));
}

TEST(FilterState, RebindingFromADataSetBeingDestroyedDropsQuietly)
{
    FakeFilterDataSet ds;
    FakeFilterDataSet other;
    TDBVFilter filter;
    filter.BindFilterDataSet(&ds);
    const TFilterDefinition def = oneRow();
    filter.ApplyFilterDef(&def, 1, true);
    ds.destroying = true;
    filter.BindFilterDataSet(&other);
    EXPECT_EQ(ds.calls.back(), QStringLiteral("drop 1"));
    EXPECT_EQ(filter.FilterHandle(), 0u);
    EXPECT_EQ(filter.State(), TDBVFilter::fsBound);
    EXPECT_EQ(filter.Root(), -1);
    EXPECT_TRUE(other.calls.empty());
}

TEST(FilterState, NoRowsRemoveTheFilterWithoutActivatingGarbage)
{
    FakeFilterDataSet ds;
    TDBVFilter filter;
    filter.BindFilterDataSet(&ds);
    TFilterDefinition def = oneRow();
    filter.ApplyFilterDef(&def, 1, true);
    const int resyncs = ds.resyncs;
    filter.ApplyFilterDef(&def, 0, true);
    EXPECT_EQ(filter.State(), TDBVFilter::fsBound);
    EXPECT_EQ(filter.Root(), -1);
    EXPECT_EQ(ds.calls, (Calls{"add 1", "on 1", "drop 1"}));
    EXPECT_EQ(ds.resyncs, resyncs + 1);
    // Switching on with nothing defined is refused without an engine call.
    EXPECT_EQ(messageOf([&] { filter.SetActive(true); }), QStringLiteral("Kein Filter definiert"));
    EXPECT_EQ(ds.calls.size(), 3u);
    filter.ApplyFilterDef(nullptr, 1, true); // no definition: nothing happens
    EXPECT_EQ(ds.resyncs, resyncs + 1);
}

TEST(FilterState, TreesBuiltWithoutActivatingDoNotAccumulate)
{
    FakeFilterDataSet ds;
    TDBVFilter filter;
    filter.BindFilterDataSet(&ds);
    TFilterDefinition def;
    for (auto &r : def)
        r = TFilterZeile{QStringLiteral("Gruppe"), opEq, QStringLiteral("A.."), opOr};
    filter.ApplyFilterDef(&def, 10, false);
    filter.ApplyFilterDef(&def, 10, false);
    EXPECT_EQ(filter.Tree().nodes.size(), 39u);
    EXPECT_EQ(filter.Tree().operands.size(), 20u);
    filter.SetActive(true);
    ASSERT_EQ(ds.expressions.size(), 1u);
    EXPECT_EQ(ds.expressions[0].size(), 10 + 39 * 18 + 10 * (2 + 7));
}

TEST(FilterState, BadRowsAreRefused)
{
    FakeFilterDataSet ds;
    TDBVFilter filter;
    filter.BindFilterDataSet(&ds);
    TFilterDefinition def = oneRow("Km", opGt, "viel");
    EXPECT_EQ(messageOf([&] { filter.ApplyFilterDef(&def, 1, true); }),
              QStringLiteral("Eingabe nicht vom erwarteten Typ !"));
    def = oneRow("Km", 9, "1");
    EXPECT_FALSE(messageOf([&] { filter.ApplyFilterDef(&def, 1, true); }).isEmpty());
    def = oneRow("Km", opGt, "1");
    def[0].Verknuepfung = 3;
    def[1] = def[0];
    EXPECT_FALSE(messageOf([&] { filter.ApplyFilterDef(&def, 2, true); }).isEmpty());
    def = oneRow("Fehlt", opGt, "1");
    EXPECT_THROW(filter.ApplyFilterDef(&def, 1, true), std::runtime_error);
    EXPECT_TRUE(ds.calls.empty());
    EXPECT_EQ(filter.State(), TDBVFilter::fsBound);
}
