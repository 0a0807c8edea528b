#include <algorithm>

#include "fixture.h"

using namespace dbe;

namespace {

class CursorTest : public DbeFixture {};

TEST_F(CursorTest, BofAndEofFollowTheClassLibrary)
{
    auto t = table(QStringLiteral("Kfz.db"));
    t->Open();
    // Empty set: both after opening.
    EXPECT_TRUE(t->Bof());
    EXPECT_TRUE(t->Eof());
    EXPECT_TRUE(t->IsEmpty());
    addVehicles(*t, {{"A", "1"}, {"B", "2"}, {"C", "3"}});
    t->Close();
    t->Open();

    struct Step {
        const char *what;
        std::function<void()> act;
        const char *nr;
        bool bof, eof;
    };
    const std::vector<Step> steps = {
        {"open", [] {}, "A", true, false},
        {"next", [&] { t->Next(); }, "B", false, false},
        {"next", [&] { t->Next(); }, "C", false, false},
        {"next at last row", [&] { t->Next(); }, "C", false, true},
        {"prior", [&] { t->Prior(); }, "B", false, false},
        {"first", [&] { t->First(); }, "A", true, false},
        {"prior at first row", [&] { t->Prior(); }, "A", true, false},
        {"last", [&] { t->Last(); }, "C", false, true},
        {"moveby -5", [&] { EXPECT_EQ(t->MoveBy(-5), -2); }, "A", true, false},
        {"moveby 1", [&] { EXPECT_EQ(t->MoveBy(1), 1); }, "B", false, false},
    };
    for (const Step &s : steps) {
        s.act();
        SCOPED_TRACE(s.what);
        EXPECT_EQ(t->FieldByName(QStringLiteral("KfzNr"))->AsString(), QString::fromLatin1(s.nr));
        EXPECT_EQ(t->Bof(), s.bof);
        EXPECT_EQ(t->Eof(), s.eof);
    }
}

// A table just opened stands on its first row; walking on from there, without First, and back shows
// every visible row in order, whatever the size of the table and with a record filter too.
TEST_F(CursorTest, AnOpenedTableWalksOnFromItsFirstRow)
{
    auto t = table(QStringLiteral("Kfz.db"));
    t->Open();
    QStringList all;
    for (int i = 0; i < 40; ++i) {
        const QString nr = QStringLiteral("K%1").arg(i, 2, 10, QLatin1Char('0'));
        all << nr;
        addVehicles(*t, {{nr, QString::number(i % 3)}});
        for (const bool filtered : {false, true}) {
            if (!(i == 0 || i == 1 || i == 15 || i == 16 || i == 39))
                continue;
            SCOPED_TRACE(QStringLiteral("%1 rows, filtered %2").arg(i + 1).arg(filtered).toStdString());
            t->Close();
            t->OnFilterRecord = [](TDataSet &d, bool &accept) {
                accept = d.FieldByName(QStringLiteral("Info"))->AsString() != QLatin1String("1");
            };
            t->SetFiltered(filtered);
            QStringList expected;
            for (int k = 0; k <= i; ++k)
                if (!filtered || k % 3 != 1)
                    expected << all[k];
            t->Open();
            EXPECT_TRUE(t->Bof());
            EXPECT_EQ(t->RecNo(), 1);
            QStringList forward, backward;
            while (!t->Eof()) {
                forward << t->FieldByName(QStringLiteral("KfzNr"))->AsString();
                t->Next();
            }
            EXPECT_EQ(forward, expected);
            while (!t->Bof()) {
                backward.prepend(t->FieldByName(QStringLiteral("KfzNr"))->AsString());
                t->Prior();
            }
            EXPECT_EQ(backward, expected);
            t->Close();
            t->Open();
            t->Prior();
            EXPECT_TRUE(t->Bof());
            EXPECT_EQ(t->FieldByName(QStringLiteral("KfzNr"))->AsString(), expected.first());
            EXPECT_EQ(t->MoveBy(100), static_cast<int>(expected.size()) - 1);
            EXPECT_TRUE(t->Eof());
            EXPECT_EQ(t->FieldByName(QStringLiteral("KfzNr"))->AsString(), expected.last());
            EXPECT_EQ(t->RecordCount(), expected.size());
            t->SetFiltered(false);
            t->OnFilterRecord = nullptr;
        }
    }
}

TEST_F(CursorTest, OrderBreaksTiesByPrimaryKeyAndPutsBlanksFirst)
{
    auto t = table(QStringLiteral("Kfz.db"));
    t->Open();
    addVehicles(*t, {{"D", "b"}, {"C", "a"}, {"B", ""}, {"A", "b"}, {"E", "B"}, {"F", ""}});
    EXPECT_EQ(column(*t, QStringLiteral("KfzNr")), QStringList({"A", "B", "C", "D", "E", "F"}));
    t->SetIndexName(QStringLiteral("ByInfo"));
    // Blank first, then code-point order ("B" before "a" before "b"), ties by KfzNr.
    EXPECT_EQ(column(*t, QStringLiteral("KfzNr")), QStringList({"B", "F", "E", "C", "A", "D"}));
    t->SetIndexFieldNames(QStringLiteral("Info;KfzNr"));
    EXPECT_EQ(column(*t, QStringLiteral("KfzNr")), QStringList({"B", "F", "E", "C", "A", "D"}));
    // Walking backwards gives the same order reversed.
    QStringList back;
    t->Last();
    while (!t->Bof()) {
        back.prepend(t->FieldByName(QStringLiteral("KfzNr"))->AsString());
        t->Prior();
    }
    EXPECT_EQ(back, QStringList({"B", "F", "E", "C", "A", "D"}));
}

// An order naming an unknown field is refused each time it is asked for; the table keeps reading
// in the order it had, and the orders asked for before still apply.
TEST_F(CursorTest, AnUnknownOrderFieldIsRefusedEachTimeAndTheOrderStays)
{
    auto t = table(QStringLiteral("Kfz.db"));
    t->SetIndexFieldNames(QStringLiteral("Info"));
    t->Open();
    addVehicles(*t, {{"A", "c"}, {"B", "a"}, {"C", "b"}});
    const QStringList byInfo{"B", "C", "A"};
    for (int attempt = 0; attempt < 2; ++attempt) {
        EXPECT_THROW(t->SetIndexFieldNames(QStringLiteral("Gibtsnicht")), EDatabaseError) << attempt;
        EXPECT_EQ(t->IndexFieldNames(), "Info");
        EXPECT_EQ(column(*t, QStringLiteral("KfzNr")), byInfo) << attempt;
    }
    t->SetIndexFieldNames(QString());
    EXPECT_EQ(column(*t, QStringLiteral("KfzNr")), QStringList({"A", "B", "C"}));
    t->SetIndexFieldNames(QStringLiteral("Info"));
    EXPECT_EQ(column(*t, QStringLiteral("KfzNr")), byInfo);
}

TEST_F(CursorTest, RowsWithoutPrimaryKeyKeepInsertionOrderWithinAnIndexField)
{
    auto t = table(QStringLiteral("Kosten.db"));
    t->SetIndexFieldNames(QStringLiteral("KfzNr"));
    t->Open();
    const std::vector<std::pair<QString, double>> rows = {{"B", 1}, {"A", 2}, {"B", 3}, {"", 4}, {"A", 5}};
    for (const auto &[nr, betrag] : rows) {
        t->Insert();
        t->FieldByName(QStringLiteral("KfzNr"))->SetAsString(nr);
        t->FieldByName(QStringLiteral("Betrag"))->SetAsFloat(betrag);
        t->Post();
    }
    EXPECT_EQ(column(*t, QStringLiteral("Betrag")), QStringList({"4", "2", "5", "1", "3"}));
}

TEST_F(CursorTest, RecNoAndRecordCountCountVisibleRows)
{
    auto t = table(QStringLiteral("Kfz.db"));
    t->Open();
    addVehicles(*t, {{"A", "x"}, {"B", "y"}, {"C", "x"}, {"D", "y"}, {"E", "x"}});
    EXPECT_EQ(t->RecordCount(), 5);
    t->First();
    t->MoveBy(3);
    EXPECT_EQ(t->RecNo(), 4);
    t->SetRecNo(2);
    EXPECT_EQ(t->FieldByName(QStringLiteral("KfzNr"))->AsString(), "B");
    t->SetFilter(QStringLiteral("Info = 'x'"));
    t->SetFiltered(true);
    EXPECT_EQ(t->RecordCount(), 3);
    t->Last();
    EXPECT_EQ(t->RecNo(), 3);
    EXPECT_EQ(t->FieldByName(QStringLiteral("KfzNr"))->AsString(), "E");
    QVariantList values;
    ASSERT_TRUE(t->ReadRecord(2, values));
    EXPECT_EQ(values.value(0).toString(), "C");
    EXPECT_FALSE(t->ReadRecord(4, values));
    EXPECT_EQ(t->FieldByName(QStringLiteral("KfzNr"))->AsString(), "E"); // did not move
}

TEST_F(CursorTest, TableAndFieldNamesMatchInAnyCase)
{
    auto t = table(QStringLiteral("Kfz.db"));
    t->Open();
    addVehicles(*t, {{"A", "x"}});
    t->Close();
    for (const QString &name : {QStringLiteral("KFZ.DB"), QStringLiteral("kfz"), QStringLiteral("Kfz.Db")}) {
        auto u = table(name);
        u->Open();
        EXPECT_EQ(u->RecordCount(), 1) << name.toStdString();
        EXPECT_EQ(u->FieldByName(QStringLiteral("kfznr"))->AsString(), "A");
        EXPECT_EQ(u->FieldByName(QStringLiteral("INFO"))->FieldName(), "Info");
    }
    EXPECT_EQ(t->FindField(QStringLiteral("Missing")), nullptr);
}

TEST_F(CursorTest, BookmarksReturnAndFailForRowsGoneOrHidden)
{
    auto t = table(QStringLiteral("Kfz.db"));
    t->Open();
    addVehicles(*t, {{"A", "x"}, {"B", "y"}, {"C", "x"}});
    t->First();
    t->Next();
    const TBookmark b = t->GetBookmark();
    t->Last();
    t->GotoBookmark(b);
    EXPECT_EQ(t->FieldByName(QStringLiteral("KfzNr"))->AsString(), "B");
    EXPECT_TRUE(t->BookmarkValid(b));
    t->SetFilter(QStringLiteral("Info = 'x'"));
    t->SetFiltered(true);
    EXPECT_FALSE(t->BookmarkValid(b));
    try {
        t->GotoBookmark(b);
        FAIL() << "no error";
    } catch (const EDBEngineError &e) {
        EXPECT_EQ(e.Message(), "Datensatz nicht gefunden");
    }
    t->SetFiltered(false);
    t->GotoBookmark(b);
    t->Delete();
    EXPECT_EQ(t->FieldByName(QStringLiteral("KfzNr"))->AsString(), "C");
    EXPECT_THROW(t->GotoBookmark(b), EDBEngineError);
}

TEST_F(CursorTest, DeleteMovesToTheNextRowOrThePriorAtTheEnd)
{
    auto t = table(QStringLiteral("Kfz.db"));
    t->Open();
    addVehicles(*t, {{"A", ""}, {"B", ""}, {"C", ""}});
    t->First();
    t->Next();
    t->Delete();
    EXPECT_EQ(t->FieldByName(QStringLiteral("KfzNr"))->AsString(), "C");
    t->Delete();
    EXPECT_EQ(t->FieldByName(QStringLiteral("KfzNr"))->AsString(), "A");
    t->Delete();
    EXPECT_TRUE(t->IsEmpty());
    EXPECT_TRUE(t->Bof() && t->Eof());
}

TEST_F(CursorTest, EditRereadsTheRowAndRefreshFollowsChangesOfOtherCursors)
{
    auto a = table(QStringLiteral("Kfz.db"));
    auto b = table(QStringLiteral("Kfz.db"));
    a->Open();
    addVehicles(*a, {{"A", "alt"}, {"B", "alt"}, {"C", "alt"}});
    b->Open();
    a->FindKey({"B"});
    b->FindKey({"B"});
    b->Edit();
    b->FieldByName(QStringLiteral("Info"))->SetAsString(QStringLiteral("neu"));
    b->Post();
    EXPECT_EQ(a->FieldByName(QStringLiteral("Info"))->AsString(), "alt"); // not read again yet
    a->Edit();
    EXPECT_EQ(a->FieldByName(QStringLiteral("Info"))->AsString(), "neu");
    a->Cancel();
    b->Delete();
    a->Refresh();
    EXPECT_EQ(a->FieldByName(QStringLiteral("KfzNr"))->AsString(), "C");
    EXPECT_EQ(a->RecordCount(), 2);
    // Far jumps by record number and back.
    addVehicles(*a, {{"D", ""}, {"E", ""}});
    a->SetRecNo(4);
    EXPECT_EQ(a->FieldByName(QStringLiteral("KfzNr"))->AsString(), "E");
    a->SetRecNo(1);
    EXPECT_EQ(a->FieldByName(QStringLiteral("KfzNr"))->AsString(), "A");
}

// Many rows, duplicates and blanks across page boundaries: walking both ways,
// record numbers and counts agree with the order computed here.
TEST_F(CursorTest, LongWalksAgreeWithTheExpectedOrder)
{
    auto t = table(QStringLiteral("Kosten.db"));
    t->SetIndexFieldNames(QStringLiteral("Art;KfzNr"));
    t->Open();
    struct Row {
        QString art, nr;
        int id;
    };
    std::vector<Row> rows;
    {
        TTransaction tx(*session, QStringLiteral("Daten"));
        for (int i = 0; i < 700; ++i) {
            const QString art = i % 7 == 0 ? QString() : QString::number(i % 5);
            const QString nr = i % 11 == 0 ? QString() : QStringLiteral("K%1").arg(i % 13);
            t->Append();
            t->FieldByName(QStringLiteral("Art"))->SetAsString(art);
            t->FieldByName(QStringLiteral("KfzNr"))->SetAsString(nr);
            t->FieldByName(QStringLiteral("Betrag"))->SetAsInteger(i);
            t->Post();
            rows.push_back({art, nr, i});
        }
        tx.Commit();
    }
    // Blank first, code-point order, then insertion order (no primary key).
    std::stable_sort(rows.begin(), rows.end(), [](const Row &a, const Row &b) {
        if (a.art != b.art)
            return a.art < b.art;
        return a.nr < b.nr;
    });
    auto expected = [&](const std::function<bool(const Row &)> &keep) {
        QStringList ids;
        for (const Row &r : rows)
            if (keep(r))
                ids << QString::number(r.id);
        return ids;
    };
    auto backwards = [&] {
        QStringList ids;
        t->Last();
        while (!t->Bof()) {
            ids.prepend(t->FieldByName(QStringLiteral("Betrag"))->AsString());
            t->Prior();
        }
        return ids;
    };
    const QStringList all = expected([](const Row &) { return true; });
    EXPECT_EQ(column(*t, QStringLiteral("Betrag")), all);
    EXPECT_EQ(backwards(), all);
    t->SetRecNo(350);
    EXPECT_EQ(t->FieldByName(QStringLiteral("Betrag"))->AsString(), all[349]);
    t->MoveBy(-200);
    EXPECT_EQ(t->RecNo(), 150);
    EXPECT_EQ(t->FieldByName(QStringLiteral("Betrag"))->AsString(), all[149]);

    t->SetFilter(QStringLiteral("Betrag >= 100"));
    t->SetFiltered(true);
    const QStringList filtered = expected([](const Row &r) { return r.id >= 100; });
    EXPECT_EQ(column(*t, QStringLiteral("Betrag")), filtered);
    EXPECT_EQ(backwards(), filtered);
    EXPECT_EQ(t->RecordCount(), filtered.size());
    t->SetFiltered(false);

    t->SetRange({"2"}, {"3"});
    const QStringList ranged = expected([](const Row &r) { return r.art == "2" || r.art == "3"; });
    EXPECT_EQ(column(*t, QStringLiteral("Betrag")), ranged);
    EXPECT_EQ(backwards(), ranged);
    t->Last();
    EXPECT_EQ(t->RecNo(), ranged.size());
}

TEST_F(CursorTest, ClosedDatasetRefusesWithTheClassLibraryText)
{
    auto t = table(QStringLiteral("Kfz.db"));
    try {
        t->First();
        FAIL();
    } catch (const EDatabaseError &e) {
        EXPECT_EQ(e.Message(), "Operation bei geschlossener Datenmenge nicht ausführbar");
    }
    auto missing = table(QStringLiteral("Nirgends.db"));
    EXPECT_THROW(missing->Open(), EDBEngineError);
}

} // namespace
