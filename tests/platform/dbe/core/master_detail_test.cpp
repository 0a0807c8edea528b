#include "fixture.h"

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

} // namespace
