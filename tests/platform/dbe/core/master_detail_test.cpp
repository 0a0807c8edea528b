#include "fixture.h"

#include <functional>
#include <utility>

#include "base/Abort.h"
#include "dbe/EngineCursor.h"

using namespace dbe;

namespace {

class MasterDetailTest : public DbeFixture {
protected:
    void SetUp() override
    {
        master = table(QStringLiteral("Kfz.db"));
        master->Open();
        addVehicles(*master, {{"A", ""}, {"B", ""}, {"C", ""}});
        detail = table(QStringLiteral("Kosten.db"));
        detail->SetIndexFieldNames(QStringLiteral("KfzNr"));
        detail->Open();
        const std::vector<std::pair<QString, double>> rows = {
            {"A", 1}, {"B", 2}, {"A", 3}, {"B", 4}, {"B", 5}};
        for (const auto &[nr, betrag] : rows) {
            detail->Append();
            detail->FieldByName(QStringLiteral("KfzNr"))->SetAsString(nr);
            detail->FieldByName(QStringLiteral("Betrag"))->SetAsFloat(betrag);
            detail->Post();
        }
        master->First();
        src = std::make_unique<TDataSource>(master.get());
        detail->SetMasterSource(src.get());
        detail->SetMasterFields(QStringLiteral("KfzNr"));
    }
    std::unique_ptr<TTable> master, detail;
    std::unique_ptr<TDataSource> src;
};

TEST_F(MasterDetailTest, DetailIsRerangedBeforeTheMastersAfterScroll)
{
    QStringList log;
    detail->AfterScroll = [&](TDataSet &) { log << QStringLiteral("detail AfterScroll"); };
    master->AfterScroll = [&](TDataSet &m) {
        log << QStringLiteral("master AfterScroll %1: %2 rows, first %3")
                   .arg(m.FieldByName(QStringLiteral("KfzNr"))->AsString())
                   .arg(detail->RecordCount())
                   .arg(detail->FieldByName(QStringLiteral("Betrag"))->AsString());
    };
    EXPECT_EQ(detail->RecordCount(), 2);
    master->Next();
    master->Next();
    master->First();
    EXPECT_EQ(log, QStringList({"detail AfterScroll", "master AfterScroll B: 3 rows, first 2",
                                "detail AfterScroll", "master AfterScroll C: 0 rows, first ",
                                "detail AfterScroll", "master AfterScroll A: 2 rows, first 1"}));
}

// The detail reads ahead only as far as it was walked after the last moves; whatever it read, a
// walk, a step back from its end and a count show every row of the vehicle in order.
TEST_F(MasterDetailTest, DetailsWalkedOrNotShowEveryRowOfTheirVehicle)
{
    auto more = table(QStringLiteral("Kosten.db"));
    more->Open();
    for (int i = 0; i < 40; ++i) {
        more->Append();
        more->FieldByName(QStringLiteral("KfzNr"))->SetAsString(QStringLiteral("C"));
        more->FieldByName(QStringLiteral("Betrag"))->SetAsFloat(100 + i);
        more->Post();
    }
    const QStringList a{"1", "3"}, b{"2", "4", "5"};
    QStringList c;
    for (int i = 0; i < 40; ++i)
        c << QString::number(100 + i);
    struct Step {
        int move; // master rows to move by
        bool walk;
        QStringList rows;
    };
    const Step steps[] = {{0, true, a},   {1, false, b}, {1, false, c}, {-2, true, a}, {2, true, c},
                          {-1, false, b}, {-1, true, a}, {2, false, c}, {0, true, c}};
    for (const Step &s : steps) {
        master->MoveBy(s.move);
        const std::string vehicle = master->FieldByName(QStringLiteral("KfzNr"))->AsString().toStdString();
        EXPECT_EQ(detail->FieldByName(QStringLiteral("Betrag"))->AsString(), s.rows.first()) << vehicle;
        if (s.walk) {
            EXPECT_EQ(column(*detail, QStringLiteral("Betrag")), s.rows) << vehicle;
        }
        EXPECT_EQ(detail->RecordCount(), s.rows.size()) << vehicle;
    }
    detail->Last();
    detail->Prior();
    EXPECT_EQ(detail->FieldByName(QStringLiteral("Betrag"))->AsString(), "138");
}

TEST_F(MasterDetailTest, InsertFillsLinkedFieldsAndAnUnchangedMasterKeyKeepsTheDetail)
{
    master->Next(); // B
    detail->Insert();
    EXPECT_EQ(detail->FieldByName(QStringLiteral("KfzNr"))->AsString(), "B");
    detail->FieldByName(QStringLiteral("Betrag"))->SetAsFloat(6);
    // A detail's AfterPost posts its master: the detail must stay where it is.
    detail->AfterPost = [&](TDataSet &) {
        master->Edit();
        master->FieldByName(QStringLiteral("Info"))->SetAsString(QStringLiteral("geändert"));
        master->Post();
    };
    int detailScrolls = 0;
    detail->BeforeScroll = [&](TDataSet &) { ++detailScrolls; };
    detail->Post();
    EXPECT_EQ(detailScrolls, 0);
    EXPECT_EQ(detail->FieldByName(QStringLiteral("Betrag"))->AsFloat(), 6.0);
    EXPECT_EQ(detail->RecordCount(), 4);
    EXPECT_EQ(detail->RecNo(), 4);
}

TEST_F(MasterDetailTest, DetailsWaitWhileTheMastersControlsAreDisabled)
{
    master->DisableControls();
    master->Next();                      // B
    EXPECT_EQ(detail->RecordCount(), 2); // still A's rows
    master->First();
    master->EnableControls();
    EXPECT_EQ(detail->FieldByName(QStringLiteral("Betrag"))->AsFloat(), 1.0);
    master->DisableControls();
    master->Next();
    master->EnableControls(); // follows now
    EXPECT_EQ(detail->RecordCount(), 3);
}

TEST_F(MasterDetailTest, LinkSetAndClearedAtRunTime)
{
    detail->SetMasterSource(nullptr);
    detail->SetMasterFields(QString());
    EXPECT_EQ(detail->RecordCount(), 5);
    detail->SetFilter(QStringLiteral("Betrag >= 3"));
    detail->SetFiltered(true);
    EXPECT_EQ(detail->RecordCount(), 3);
    detail->SetMasterSource(src.get());
    detail->SetMasterFields(QStringLiteral("KfzNr"));
    EXPECT_EQ(detail->RecordCount(), 1); // master A, filter applied too
    EXPECT_EQ(column(*detail, QStringLiteral("Betrag")), QStringList({"3"}));
    // Clearing only the fields lifts the link as well; linking again follows once.
    detail->SetMasterFields(QString());
    EXPECT_EQ(detail->RecordCount(), 3);
    int scrolls = 0;
    detail->AfterScroll = [&](TDataSet &) { ++scrolls; };
    detail->SetMasterFields(QStringLiteral("KfzNr"));
    EXPECT_EQ(detail->RecordCount(), 1);
    EXPECT_EQ(scrolls, 1);
}

// A detail opening on its master goes to the first of the master's rows with the events of First,
// then those of opening; whatever a handler does meanwhile, it opens on that first row.
TEST_F(MasterDetailTest, ADetailOpensOnTheFirstOfItsMastersRows)
{
    const QString betrag = QStringLiteral("Betrag");
    auto openAndWalk = [&](QStringList &log) {
        log.clear();
        detail->Open();
        EXPECT_TRUE(detail->Bof());
        QStringList walked;
        for (int guard = 0; !detail->Eof() && guard < 10; ++guard) {
            walked << detail->FieldByName(betrag)->AsString();
            detail->Next();
        }
        return walked;
    };
    QStringList log;
    detail->Close();
    detail->BeforeOpen = [&](TDataSet &) { log << QStringLiteral("BeforeOpen"); };
    detail->BeforeScroll = [&](TDataSet &) { log << QStringLiteral("BeforeScroll"); };
    detail->AfterScroll = [&](TDataSet &d) {
        log << QStringLiteral("AfterScroll ") + d.FieldByName(betrag)->AsString();
    };
    detail->AfterOpen = [&](TDataSet &d) {
        log << QStringLiteral("AfterOpen %1 %2").arg(d.RecNo()).arg(d.FieldByName(betrag)->AsString());
    };
    master->Next(); // B: 2, 4, 5
    EXPECT_EQ(openAndWalk(log), QStringList({"2", "4", "5"}));
    EXPECT_EQ(log.mid(0, 5),
              QStringList({"BeforeOpen", "BeforeScroll", "AfterScroll 2", "AfterOpen 1 2", "AfterScroll 2"}));

    detail->Close();
    master->Next(); // C: none
    EXPECT_EQ(openAndWalk(log), QStringList());
    EXPECT_TRUE(detail->Eof());
    EXPECT_EQ(detail->RecordCount(), 0);
    EXPECT_EQ(log, QStringList({"BeforeOpen", "BeforeScroll", "AfterScroll ", "AfterOpen 0 "}));

    // A handler stepping on while the detail goes to its first row.
    detail->Close();
    master->First(); // A: 1, 3
    bool stepped = false;
    detail->AfterScroll = [&](TDataSet &d) {
        if (!std::exchange(stepped, true))
            d.Next();
    };
    detail->AfterOpen = nullptr;
    detail->Open();
    EXPECT_TRUE(stepped);
    EXPECT_TRUE(detail->Bof());
    EXPECT_EQ(detail->RecNo(), 1);
    EXPECT_EQ(detail->FieldByName(betrag)->AsString(), "1");
}

// The master's fields are made anew when it opens again (here in another order, as declared
// fields): the detail follows the new master's link field, not the one it found before.
TEST_F(MasterDetailTest, AMasterOpenedAgainWithOtherFieldsIsFollowedByItsLinkField)
{
    master->Next(); // B
    EXPECT_EQ(column(*detail, QStringLiteral("Betrag")), QStringList({"2", "4", "5"}));
    master->Close();
    master->AddField(QStringLiteral("Info"));
    master->AddField(QStringLiteral("KfzNr"));
    master->Open();
    EXPECT_EQ(column(*detail, QStringLiteral("Betrag")), QStringList({"1", "3"}));
    master->Next();
    EXPECT_EQ(column(*detail, QStringLiteral("Betrag")), QStringList({"2", "4", "5"}));
    master->Next();
    EXPECT_TRUE(detail->IsEmpty());
}

// A handler of one detail may change another detail's order while the master moves: that detail
// still shows the new vehicle's rows, in its new order.
TEST_F(MasterDetailTest, ADetailsOrderChangedByAnotherDetailWhileTheMasterMovesShowsTheNewRows)
{
    auto first = table(QStringLiteral("Kosten.db"));
    first->SetIndexFieldNames(QStringLiteral("KfzNr"));
    first->Open();
    // The detail linked first is told first.
    detail->SetMasterSource(nullptr);
    first->SetMasterSource(src.get());
    first->SetMasterFields(QStringLiteral("KfzNr"));
    detail->SetMasterSource(src.get());
    bool reorder = false;
    first->AfterScroll = [&](TDataSet &) {
        if (std::exchange(reorder, false))
            detail->SetIndexFieldNames(QStringLiteral("KfzNr;Betrag"));
    };
    reorder = true;
    master->Next(); // B
    EXPECT_EQ(detail->IndexFieldNames(), "KfzNr;Betrag");
    EXPECT_EQ(detail->FieldByName(QStringLiteral("KfzNr"))->AsString(), "B");
    EXPECT_EQ(column(*detail, QStringLiteral("Betrag")), QStringList({"2", "4", "5"}));
    EXPECT_EQ(column(*first, QStringLiteral("Betrag")), QStringList({"2", "4", "5"}));
    master->First();
    EXPECT_EQ(column(*detail, QStringLiteral("Betrag")), QStringList({"1", "3"}));
}

TEST_F(MasterDetailTest, ClonesFollowTheSameViewAndSetToAnotherCursorsRecord)
{
    TEngineCursor *h = detail->Handle();
    EXPECT_EQ(h->DriverName(), "PARADOX");
    EXPECT_TRUE(h->SeqNumsSupported());
    EXPECT_EQ(h->TableName(), "Kosten.db");
    EXPECT_GT(h->RecordSize(), 0);
    master->Next(); // B: 2, 4, 5
    detail->Next();
    EXPECT_EQ(h->SequenceNumber(), 2);
    // The table's own cursor reads neighbours without moving.
    h->GetNextRecord();
    bool blank = true;
    EXPECT_EQ(h->FieldValue(3, blank).toDouble(), 5.0);
    EXPECT_FALSE(blank);
    EXPECT_EQ(detail->FieldByName(QStringLiteral("Betrag"))->AsFloat(), 4.0);

    auto clone = h->Clone();
    clone->SetToCursor(*h);
    clone->GetRecord();
    EXPECT_EQ(clone->FieldValue(3, blank).toDouble(), 4.0);
    clone->GetNextRecord();
    try {
        clone->GetNextRecord();
        FAIL();
    } catch (const EDBEngineError &e) {
        EXPECT_EQ(e.ErrorCode(), ErrorCode::EndOfTable);
    }
    clone->SetToBegin();
    clone->GetNextRecord();
    EXPECT_EQ(clone->FieldValue(3, blank).toDouble(), 2.0);
    try {
        clone->GetPriorRecord();
        FAIL();
    } catch (const EDBEngineError &e) {
        EXPECT_EQ(e.ErrorCode(), ErrorCode::BeginningOfTable);
    }
    // A record outside the clone's range is not found.
    auto all = table(QStringLiteral("Kosten.db"));
    all->Open();
    EXPECT_EQ(all->FieldByName(QStringLiteral("KfzNr"))->AsString(), "A");
    try {
        clone->SetToCursor(*all->Handle());
        FAIL();
    } catch (const EDBEngineError &e) {
        EXPECT_EQ(e.Message(), "Datensatz nicht gefunden");
    }
    // Any table's cursor set to a clone's record moves the table.
    clone->SetToBegin();
    clone->GetNextRecord(); // Betrag 2
    h->SetToCursor(*clone);
    EXPECT_EQ(detail->FieldByName(QStringLiteral("Betrag"))->AsFloat(), 2.0);
    detail->Next();
    // GotoCurrent puts a table on another table's row.
    all->GotoCurrent(*detail);
    EXPECT_EQ(all->FieldByName(QStringLiteral("Betrag"))->AsFloat(), 4.0);
    all->First(); // A is not among the detail's rows of B
    EXPECT_THROW(detail->GotoCurrent(*all), EDatabaseError);
    // A reopened table has a new engine cursor.
    const quint32 before = master->Handle()->HandleId();
    master->Close();
    master->Open();
    EXPECT_NE(master->Handle()->HandleId(), before);
    EXPECT_NE(clone->HandleId(), before);
    // Index definitions: the primary index without a name first.
    const QList<IndexDef> defs = master->Handle()->IndexDefs();
    ASSERT_EQ(defs.size(), 2);
    EXPECT_EQ(defs[0].name, QString());
    EXPECT_EQ(defs[0].fields, QStringList({"KfzNr"}));
    EXPECT_EQ(defs[1].name, "ByInfo");
}

// A detail row still pending when the master is asked to move is posted (or
// its post fails) while the master stands on the record it belongs to.
class PendingDetailTest : public MasterDetailTest {
protected:
    QString masterKey() const { return master->FieldByName(QStringLiteral("KfzNr"))->AsString(); }
    // Starts a case afresh: both tables emptied and filled as SetUp fills them.
    void restart()
    {
        src.reset();
        detail.reset();
        master.reset();
        table(QStringLiteral("Kfz.db"))->EmptyTable();
        table(QStringLiteral("Kosten.db"))->EmptyTable();
        SetUp();
    }
    // Betrag values of one vehicle's stored rows, whatever the link shows.
    QStringList storedAmounts(const char *kfzNr)
    {
        auto all = table(QStringLiteral("Kosten.db"));
        all->Open();
        QStringList out;
        for (all->First(); !all->Eof(); all->Next())
            if (all->FieldByName(QStringLiteral("KfzNr"))->AsString() == QLatin1String(kfzNr))
                out << all->FieldByName(QStringLiteral("Betrag"))->AsString();
        return out;
    }
};

TEST_F(PendingDetailTest, EveryMasterChangeOfViewPostsTheDetailWhileTheMasterStandsStill)
{
    // Each operation on the master that leaves its record (or drops its view).
    const std::vector<std::pair<const char *, std::function<void()>>> operations = {
        {"First", [&] { master->First(); }},
        {"Next", [&] { master->Next(); }},
        {"Last", [&] { master->Last(); }},
        {"MoveBy", [&] { master->MoveBy(-1); }},
        {"RecNo", [&] { master->SetRecNo(3); }},
        {"Locate", [&] { master->Locate(QStringLiteral("KfzNr"), QStringLiteral("C")); }},
        {"FindKey", [&] { master->FindKey({QStringLiteral("A")}); }},
        {"Refresh", [&] { master->Refresh(); }},
        {"Filter",
         [&] {
             master->SetFilter(QStringLiteral("KfzNr <> 'B'"));
             master->SetFiltered(true);
         }},
        {"Range", [&] { master->SetRange({QStringLiteral("A")}, {QStringLiteral("A")}); }},
        {"ApplyRange",
         [&] {
             master->SetRangeStart();
             master->FieldByName(QStringLiteral("KfzNr"))->SetAsString(QStringLiteral("C"));
             master->ApplyRange();
         }},
        {"Order", [&] { master->SetIndexName(QStringLiteral("ByInfo")); }},
        {"Insert", [&] { master->Insert(); }},
        {"Close", [&] { master->Close(); }},
    };
    for (const auto &[name, operation] : operations) {
        SCOPED_TRACE(name);
        restart();
        master->Next(); // B
        QStringList seen;
        detail->BeforePost = [&](TDataSet &) { seen << QStringLiteral("BeforePost ") + masterKey(); };
        detail->AfterPost = [&](TDataSet &) { seen << QStringLiteral("AfterPost ") + masterKey(); };
        detail->Insert();
        detail->FieldByName(QStringLiteral("Betrag"))->SetAsFloat(60000);
        operation();
        EXPECT_EQ(seen.join(QStringLiteral(", ")).toStdString(), "BeforePost B, AfterPost B");
        EXPECT_EQ(detail->State(), TDataSetState::dsBrowse);
        EXPECT_EQ(storedAmounts("B"), QStringList({"2", "4", "5", "60000"}));
        EXPECT_EQ(storedAmounts("A"), QStringList({"1", "3"}));
        detail->BeforePost = nullptr;
        detail->AfterPost = nullptr;
    }
}

TEST_F(PendingDetailTest, AnEditedDetailRowIsPostedBeforeTheMasterMoves)
{
    master->Next(); // B: 2, 4, 5
    detail->Next();
    detail->Edit();
    detail->FieldByName(QStringLiteral("Betrag"))->SetAsFloat(40);
    QString masterAtPost;
    detail->AfterPost = [&](TDataSet &) { masterAtPost = masterKey(); };
    master->Prior();
    EXPECT_EQ(masterAtPost, "B");
    EXPECT_EQ(masterKey(), "A");
    EXPECT_EQ(storedAmounts("B"), QStringList({"2", "40", "5"}));
    // An edit that changed nothing is cancelled, without a post.
    detail->Edit();
    masterAtPost.clear();
    master->Next();
    EXPECT_EQ(masterAtPost, QString());
    EXPECT_EQ(detail->State(), TDataSetState::dsBrowse);
}

TEST_F(PendingDetailTest, AFailedDetailPostKeepsTheMasterWhereItWas)
{
    // BeforePost refusing quietly, BeforePost raising an error, the storage refusing.
    const std::vector<std::pair<const char *, std::function<void(TDataSet &)>>> refusals = {
        {"silent abort", [](TDataSet &) { base::abortSilently(); }},
        {"error", [](TDataSet &) { databaseError(QStringLiteral("Kein Beleg ohne Betrag")); }},
    };
    for (const auto &[name, refusal] : refusals) {
        SCOPED_TRACE(name);
        restart();
        master->Next(); // B
        detail->BeforePost = refusal;
        int masterScrolls = 0;
        master->BeforeScroll = [&](TDataSet &) { ++masterScrolls; };
        detail->Insert();
        detail->FieldByName(QStringLiteral("Betrag"))->SetAsFloat(60000);
        EXPECT_ANY_THROW(master->First());
        EXPECT_ANY_THROW(master->Close());
        EXPECT_TRUE(master->Active());
        EXPECT_EQ(masterKey(), "B");
        EXPECT_EQ(masterScrolls, 0);
        // The typed row is still there to be corrected.
        EXPECT_EQ(detail->State(), TDataSetState::dsInsert);
        EXPECT_EQ(detail->FieldByName(QStringLiteral("Betrag"))->AsFloat(), 60000.0);
        EXPECT_EQ(detail->FieldByName(QStringLiteral("KfzNr"))->AsString(), "B");
        detail->BeforePost = nullptr;
        master->First();
        EXPECT_EQ(storedAmounts("B"), QStringList({"2", "4", "5", "60000"}));
        EXPECT_EQ(masterKey(), "A");
    }
}

TEST_F(PendingDetailTest, ADetailRuleEditingTheMasterDuringThePostKeepsBothConsistent)
{
    // As the cost rules raise the vehicle's odometer from the posted receipt.
    master->Next(); // B
    detail->AfterPost = [&](TDataSet &d) {
        master->Edit();
        master->FieldByName(QStringLiteral("Km"))
            ->SetAsFloat(d.FieldByName(QStringLiteral("Betrag"))->AsFloat());
        master->Post();
    };
    detail->BeforePost = [&](TDataSet &) {
        // The master is asked to edit while the detail itself is posting.
        master->Edit();
        master->Cancel();
    };
    detail->Insert();
    detail->FieldByName(QStringLiteral("Betrag"))->SetAsFloat(60000);
    master->First();
    EXPECT_EQ(masterKey(), "A");
    EXPECT_EQ(master->FieldByName(QStringLiteral("Km"))->AsFloat(), 0.0);
    master->Next();
    EXPECT_EQ(master->FieldByName(QStringLiteral("Km"))->AsFloat(), 60000.0);
}

} // namespace
