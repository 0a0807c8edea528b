#include "nav_db_fixture.h"
#include "navigation/filter/DBVFilter.h"
#include "navigation/gemeinsam/NavExceptions.h"
#include "ui/testing/ScriptedMessages.h"

using namespace nav;

namespace {

struct Row {
    const char *field;
    int op;
    const char *value;
    int link;
};

TFilterDefinition definitionOf(std::initializer_list<Row> rows, int &count)
{
    TFilterDefinition def;
    count = 0;
    for (const Row &r : rows)
        def[static_cast<std::size_t>(count++)] =
            TFilterZeile{QString::fromUtf8(r.field), r.op, QString::fromUtf8(r.value), r.link};
    return def;
}

QStringList list(const char *text)
{
    return QString::fromUtf8(text).split(' ', Qt::SkipEmptyParts);
}

class FilterEngine : public NavDbFixture {};

} // namespace

TEST_F(FilterEngine, EachOperatorAndConstantTypeSelectsTheRightRows)
{
    struct Case {
        std::initializer_list<Row> rows;
        const char *expected;
    };
    const Case cases[] = {
        {{{"Gruppe", opEq, "Li..", 0}}, "A1 A2"},
        {{{"Gruppe", opEq, "lI..", 0}}, "A1 A2"}, // the wildcard ignores case
        {{{"Gruppe", opEq, "Linie", 0}}, "A2"},
        {{{"Gruppe", opEq, "linie", 0}}, ""}, // plain comparisons respect case
        {{{"Gruppe", opGt, "Li..", 0}}, "A1 A2 A3"},
        {{{"Gruppe", opBlank, "", 0}}, "A4"},
        {{{"Gruppe", opNotBlank, "", 0}}, "A1 A2 A3 B5"},
        {{{"Gruppe", opNe, "Bus", 0}}, "A1 A2 A3 A4"},
        {{{"Gruppe", opEq, "", 0}}, "A4"},
        {{{"Achsen", opEq, "2", 0}}, "A1 A3"},
        {{{"Km", opGe, "5000", 0}}, "A2 A3 B5"},
        {{{"Km", opLt, "5000", 0}}, "A1 A4"},
        {{{"Aktiv", opEq, "Ja", 0}}, "A1 A3"},
        {{{"Aktiv", opEq, "n", 0}}, "A2 B5"},
        {{{"Preis", opLe, "2,5", 0}}, "A1 A2"},
        {{{"Datum", opGt, "30.06.2024", 0}}, "A3 B5"},
        {{{"Zeit", opLt, "12:00:00", 0}}, "A1 B5"},
        {{{"Stempel", opGe, "15.06.2024 12:30:00", 0}}, "A2 A3 B5"},
        {{{"Gruppe", opEq, "Li..", opOr}, {"Km", opGt, "15000", 0}}, "A1 A2 A3"},
        // Left to right, no precedence: (Achsen = 2 and Aktiv) or Gruppe = Bus.
        {{{"Achsen", opEq, "2", opAnd}, {"Aktiv", opEq, "Ja", opOr}, {"Gruppe", opEq, "Bus", 0}}, "A1 A3 B5"},
        {{{"Gruppe", opEq, "Bus", opOr}, {"Achsen", opEq, "2", opAnd}, {"Aktiv", opEq, "Ja", 0}}, "A1 A3"},
    };
    auto t = table("Stamm.db");
    for (const Case &c : cases) {
        TDBVFilter filter;
        filter.BindFilterDataSet(t.get());
        int count = 0;
        const TFilterDefinition def = definitionOf(c.rows, count);
        filter.ApplyFilterDef(&def, count, true);
        EXPECT_EQ(vehicles(*t), list(c.expected)) << c.rows.begin()->field << " " << c.rows.begin()->value;
        filter.SetAdded(false);
        EXPECT_EQ(vehicles(*t).size(), 5);
    }
}

TEST_F(FilterEngine, SwitchingAndTwoFiltersOnOneCursor)
{
    auto t = table("Stamm.db");
    TDBVFilter axles;
    TDBVFilter distance;
    axles.BindFilterDataSet(t.get());
    distance.BindFilterDataSet(t.get());
    int count = 0;
    const TFilterDefinition two = definitionOf({{"Achsen", opEq, "2", 0}}, count);
    axles.ApplyFilterDef(&two, count, true);
    const TFilterDefinition far = definitionOf({{"Km", opGt, "5000", 0}}, count);
    distance.ApplyFilterDef(&far, count, true);
    EXPECT_EQ(vehicles(*t), list("A3"));
    axles.SetActive(false);
    t->Resync();
    EXPECT_EQ(vehicles(*t), list("A3 B5"));
    axles.SetActive(true);
    distance.SetAdded(false);
    t->Resync();
    EXPECT_EQ(vehicles(*t), list("A1 A3"));
    EXPECT_EQ(axles.State(), TDBVFilter::fsActive);
    EXPECT_EQ(distance.State(), TDBVFilter::fsBound);
    axles.BindFilterDataSet(t.get()); // the bound table again: no change
    EXPECT_EQ(axles.State(), TDBVFilter::fsActive);
    EXPECT_EQ(vehicles(*t), list("A1 A3"));
    axles.BindFilterDataSet(static_cast<dbe::TDataSet *>(nullptr));
    EXPECT_EQ(axles.State(), TDBVFilter::fsNoDataSet);
}

TEST_F(FilterEngine, NoRowsLeaveTheTableUnfiltered)
{
    auto t = table("Stamm.db");
    TDBVFilter filter;
    filter.BindFilterDataSet(t.get());
    int count = 0;
    const TFilterDefinition def = definitionOf({{"Achsen", opEq, "2", 0}}, count);
    filter.ApplyFilterDef(&def, count, true);
    filter.ApplyFilterDef(&def, 0, true);
    EXPECT_EQ(filter.State(), TDBVFilter::fsBound);
    EXPECT_EQ(vehicles(*t).size(), 5);
}

TEST_F(FilterEngine, FilesSaveAndLoadAcrossTables)
{
    auto t = table("Stamm.db");
    TDBVFilter filter;
    filter.BindFilterDataSet(t.get());
    int count = 0;
    const TFilterDefinition def = definitionOf({{"Gruppe", opEq, "Li..", 0}}, count);
    filter.ApplyFilterDef(&def, count, true);
    const QString file = QString::fromStdString((dir / "gruppe.TFD").string());
    filter.SaveToFile(file);

    // A second table object on the same file takes the filter.
    auto other = table("Stamm.db");
    TDBVFilter loaded;
    loaded.BindFilterDataSet(other.get());
    loaded.LoadFromFile(file);
    EXPECT_EQ(vehicles(*other), list("A1 A2"));

    // A table of another name asks first; No leaves it unfiltered.
    auto tours = table("Tour.db");
    TDBVFilter foreign;
    foreign.BindFilterDataSet(tours.get());
    {
        ui::testing::ScriptedMessages boxes(
            [](const QString &reason) { ADD_FAILURE() << reason.toStdString(); });
        boxes.expectQuestion(
            QStringLiteral("Filter wurde für Tabelle Stamm.db definiert!\r\nTrotzdem Anwendung auf "
                           "Tabelle Tour.db versuchen ?"),
            false);
        foreign.LoadFromFile(file);
        EXPECT_TRUE(boxes.verifyDone());
    }
    EXPECT_EQ(foreign.State(), TDBVFilter::fsBound);
    // Yes: the tree check finds the table's structure differs.
    {
        ui::testing::ScriptedMessages boxes(
            [](const QString &reason) { ADD_FAILURE() << reason.toStdString(); });
        boxes.expectQuestion(
            QStringLiteral("Filter wurde für Tabelle Stamm.db definiert!\r\nTrotzdem Anwendung auf "
                           "Tabelle Tour.db versuchen ?"),
            true);
        try {
            foreign.LoadFromFile(file);
            ADD_FAILURE() << "loaded";
        } catch (const EDBVFilter &e) {
            EXPECT_EQ(e.message(),
                      QStringLiteral("Fehler beim Lesen der Filterdefinition.\r\nTabellenstruktur wurde "
                                     "geändert:\r\nFeldname: Gruppe, Feldnummer: 2\r\nFeld nicht "
                                     "gefunden."));
        }
        EXPECT_TRUE(boxes.verifyDone());
    }
}
