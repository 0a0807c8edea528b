#include "nav_db_fixture.h"
#include "navigation/daten/BookMarks.h"
#include "navigation/daten/BookmarkNumbering.h"
#include "navigation/daten/MasterRecord.h"
#include "navigation/gemeinsam/NavExceptions.h"
#include "ui/testing/ScriptedMessages.h"

using namespace nav;

namespace {

using Entry = std::pair<int, char>; // number, identity

std::vector<Entry> renumbered(std::vector<Entry> items, int from, int to)
{
    renumberSorted(items, from, to, [](Entry &e) -> int & { return e.first; });
    return items;
}

class BookMarks : public NavDbFixture {
protected:
    // Any box nobody expected fails the test.
    ui::testing::ScriptedMessages boxes{[](const QString &reason) { ADD_FAILURE() << reason.toStdString(); }};

    void gotoVehicle(dbe::TTable &t, const char *nr)
    {
        ASSERT_TRUE(t.Locate("KfzNr", QString::fromUtf8(nr)));
    }
};

} // namespace

TEST(BookmarkNumbering, RenumberClosesGapsAndShiftsRuns)
{
    struct Case {
        std::vector<Entry> before;
        int from, to;
        std::vector<Entry> after;
    };
    const Case cases[] = {
        {{{1, 'a'}, {2, 'b'}, {3, 'c'}}, 1, 3, {{1, 'b'}, {2, 'c'}, {3, 'a'}}},
        {{{1, 'a'}, {2, 'b'}, {3, 'c'}}, 3, 1, {{1, 'c'}, {2, 'a'}, {3, 'b'}}},
        {{{1, 'a'}, {5, 'b'}}, 1, 3, {{3, 'a'}, {5, 'b'}}},
        {{{1, 'a'}, {2, 'b'}}, 1, 9, {{2, 'b'}, {9, 'a'}}},
        {{{4, 'a'}, {5, 'b'}, {9, 'c'}}, 9, 4, {{4, 'c'}, {5, 'a'}, {6, 'b'}}},
        {{{1, 'a'}, {2, 'b'}}, 2, 2, {{1, 'a'}, {2, 'b'}}},
        {{{1, 'a'}, {2, 'b'}}, 7, 1, {{1, 'a'}, {2, 'b'}}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(renumbered(c.before, c.from, c.to), c.after) << c.from << "->" << c.to;
}

TEST(BookmarkNumbering, DialogRowMovesMapToRenumbering)
{
    const std::vector<int> numbers = {1, 2, 5};
    struct Case {
        int fromRow, toRow, oldNumber, newNumber;
    };
    const Case cases[] = {
        {1, 3, 1, 5}, // down to the last row
        {1, 2, 1, 4}, // down: just before the next row's number
        {3, 1, 5, 1}, // up to the first row
        {3, 2, 5, 2}, // up: just after the row above
    };
    for (const Case &c : cases) {
        const RowMoveNumbers r = bookmarkRowMove(numbers, c.fromRow, c.toRow);
        EXPECT_EQ(r.oldNumber, c.oldNumber);
        EXPECT_EQ(r.newNumber, c.newNumber) << c.fromRow << "->" << c.toRow;
        // The moved bookmark ends up in the target row.
        std::vector<Entry> items = {{1, 'a'}, {2, 'b'}, {5, 'c'}};
        const char moved = items[static_cast<std::size_t>(c.fromRow - 1)].second;
        items = renumbered(items, r.oldNumber, r.newNumber);
        EXPECT_EQ(items[static_cast<std::size_t>(c.toRow - 1)].second, moved);
    }
}

TEST_F(BookMarks, SetAddReplaceAndOrder)
{
    auto t = table("Stamm.db");
    TBMManager bm(t.get(), false, true, false, false);
    gotoVehicle(*t, "A1");
    bm.SetBookmark(2);
    gotoVehicle(*t, "A2");
    bm.SetBookmark(7);
    gotoVehicle(*t, "A3");
    EXPECT_EQ(bm.AddBookmark(), 8);
    bm.SetBookmark(3);
    ASSERT_EQ(bm.Count(), 4);
    std::vector<int> numbers;
    for (int i = 0; i < bm.Count(); ++i)
        numbers.push_back(bm.Items(i).Number);
    EXPECT_EQ(numbers, (std::vector<int>{2, 3, 7, 8}));

    gotoVehicle(*t, "B5");
    bm.SetBookmark(7); // replaces with the current record
    EXPECT_EQ(bm.Count(), 4);
    gotoVehicle(*t, "A1");
    ASSERT_TRUE(bm.GotoBookmark(7, true));
    EXPECT_EQ(current(*t), QStringLiteral("B5"));
    bm.DeleteBookmark(7);
    EXPECT_EQ(bm.IndexOf(7), -1);
    EXPECT_FALSE(bm.GotoBookmark(7, true));

    bm.Renumber(2, 8);
    TBMItem *item = nullptr;
    ASSERT_EQ(bm.Find(8, item), 2);
    EXPECT_EQ(item->Values.first(), QStringLiteral("A1"));
    EXPECT_EQ(bm.Items(1).Number, 7); // the old 8 moved down
}

TEST_F(BookMarks, ValuesKeptFollowTheOptions)
{
    auto t = table("Stamm.db");
    t->FieldByName("Bild")->SetVisible(false);
    const int dataFields = t->FieldCount();
    TBMManager bm(t.get(), false, true, false, false);
    QStringList names;
    bm.GetFieldNames(names);
    EXPECT_EQ(names.size(), dataFields - 1);
    bm.AddBookmark();
    EXPECT_EQ(bm.Items(0).Values.size(), dataFields - 1);
    EXPECT_EQ(bm.Items(0).Values.at(1), QStringLiteral("Lieferung"));

    bm.SetUseNonVisFields(true); // a change clears the bookmarks
    EXPECT_EQ(bm.Count(), 0);
    bm.AddBookmark();
    EXPECT_EQ(bm.Items(0).Values.size(), dataFields);

    bm.SetKeepOnlyIndex(true);
    EXPECT_EQ(bm.Count(), 0);
    bm.AddBookmark();
    EXPECT_EQ(bm.Items(0).Values, QStringList{QStringLiteral("A1")});
    bm.GetFieldNames(names);
    EXPECT_EQ(names, QStringList{QStringLiteral("KfzNr")});

    auto other = table("Stamm.db");
    bm.SetDataSet(other.get());
    EXPECT_EQ(bm.Count(), 0);
    EXPECT_THROW(TBMItem(nullptr, false, false, 1), EDBVBookMarks);
}

TEST_F(BookMarks, DeletedRecordRaisesOrAnswersFalse)
{
    auto t = table("Stamm.db");
    TBMManager bm(t.get(), false, true, false, false);
    gotoVehicle(*t, "B5");
    bm.SetBookmark(1);
    t->Delete();
    EXPECT_THROW(bm.GotoBookmark(1, true), dbe::EDatabaseError);
    EXPECT_FALSE(bm.GotoBookmark(1, false));
}

TEST_F(BookMarks, RecordOutsideTheMasterRangeMovesTheMaster)
{
    auto tours = table("Tour.db");
    addTour(*tours, "A1", "01.01.2024", 1);
    addTour(*tours, "A1", "02.01.2024", 1);
    addTour(*tours, "A2", "01.01.2024", 1);
    tours->Close();

    auto stamm = table("Stamm.db");
    dbe::TDataSource source(stamm.get());
    tours->SetMasterSource(&source);
    tours->SetMasterFields(QStringLiteral("KfzNr"));
    tours->Open();
    gotoVehicle(*stamm, "A1");
    tours->Last();
    ASSERT_EQ(tours->FieldByName("Datum")->AsString(), QStringLiteral("02.01.2024"));

    TBMManager bm(tours.get(), false, true, false, false);
    bm.SetBookmark(1);
    gotoVehicle(*stamm, "A2");
    ASSERT_EQ(tours->RecordCount(), 1);

    bm.AllowMasterMove = false;
    EXPECT_FALSE(bm.GotoBookmark(1, false));
    EXPECT_EQ(current(*stamm), QStringLiteral("A2"));

    // The detail's index has three fields against one master field: the
    // leading index field pairs with the master's.
    bm.AllowMasterMove = true;
    ASSERT_TRUE(bm.GotoBookmark(1, true));
    EXPECT_EQ(current(*stamm), QStringLiteral("A1"));
    EXPECT_EQ(tours->FieldByName("Datum")->AsString(), QStringLiteral("02.01.2024"));
}

TEST_F(BookMarks, MastersMoveRecursively)
{
    auto tours = table("Tour.db");
    addTour(*tours, "A1", "01.01.2024", 1);
    addTour(*tours, "A1", "02.01.2024", 1);
    addTour(*tours, "A2", "01.01.2024", 1);
    tours->Close();
    auto positions = table("TourPos.db");
    for (int p = 1; p <= 2; ++p) {
        positions->Append();
        positions->FieldByName("KfzNr")->SetAsString(QStringLiteral("A1"));
        positions->FieldByName("Datum")->SetAsString(QStringLiteral("02.01.2024"));
        positions->FieldByName("Tour")->SetAsInteger(1);
        positions->FieldByName("Pos")->SetAsInteger(p);
        positions->Post();
    }
    positions->Close();

    auto stamm = table("Stamm.db");
    dbe::TDataSource stammSource(stamm.get());
    tours->SetMasterSource(&stammSource);
    tours->SetMasterFields(QStringLiteral("KfzNr"));
    tours->Open();
    dbe::TDataSource tourSource(tours.get());
    positions->SetMasterSource(&tourSource);
    positions->SetMasterFields(QStringLiteral("KfzNr;Datum;Tour"));
    positions->Open();

    gotoVehicle(*stamm, "A1");
    tours->Last();
    positions->Last();
    TBMManager bm(positions.get(), false, true, false, false);
    bm.SetBookmark(1);
    gotoVehicle(*stamm, "A2");
    ASSERT_TRUE(positions->IsEmpty());

    ASSERT_TRUE(bm.GotoBookmark(1, true));
    EXPECT_EQ(current(*stamm), QStringLiteral("A1"));
    EXPECT_EQ(tours->FieldByName("Datum")->AsString(), QStringLiteral("02.01.2024"));
    EXPECT_EQ(positions->FieldByName("Pos")->AsInteger(), 2);
}

TEST_F(BookMarks, MissingMasterKeyShowsTheIntegrityBox)
{
    auto plain = table("Tour.db");
    addTour(*plain, "X9", "01.01.2024", 1);
    auto stamm = table("Stamm.db");
    dbe::TDataSource source(stamm.get());
    auto tours = table("Tour.db", false);
    tours->SetMasterSource(&source);
    tours->SetMasterFields(QStringLiteral("KfzNr"));
    tours->Open();

    boxes.expectError(QStringLiteral(
        "Fehler in Referentieller Integrität!\nSchlüsselwerte in Haupttabelle Stamm.db nicht gefunden."));
    int afterScroll = 0;
    tours->AfterScroll = [&](dbe::TDataSet &) { ++afterScroll; };
    EXPECT_FALSE(FindMasterRecord(tours.get(), plain.get(), false));
    EXPECT_TRUE(boxes.verifyDone());
    EXPECT_EQ(afterScroll, 1);
    EXPECT_EQ(current(*stamm), QStringLiteral("A1"));
}
