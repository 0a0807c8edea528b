#include "fixture.h"

#include "base/Abort.h"

using namespace dbe;

namespace {

// Records every event of a dataset and the link notifications of a data source.
class Recorder : public TDataLink {
public:
    explicit Recorder(TTable &t, TDataSource &src)
    {
        auto rec = [this](const char *name) {
            return [this, name](TDataSet &) { log << QString::fromLatin1(name); };
        };
        t.BeforeInsert = rec("BeforeInsert");
        t.OnNewRecord = rec("OnNewRecord");
        t.AfterInsert = rec("AfterInsert");
        t.BeforeEdit = rec("BeforeEdit");
        t.AfterEdit = rec("AfterEdit");
        t.BeforePost = rec("BeforePost");
        t.AfterPost = rec("AfterPost");
        t.BeforeCancel = rec("BeforeCancel");
        t.AfterCancel = rec("AfterCancel");
        t.BeforeDelete = rec("BeforeDelete");
        t.AfterDelete = rec("AfterDelete");
        t.BeforeScroll = rec("BeforeScroll");
        t.AfterScroll = rec("AfterScroll");
        t.BeforeRefresh = rec("BeforeRefresh");
        t.AfterRefresh = rec("AfterRefresh");
        SetDataSource(&src);
    }
    QStringList take()
    {
        QStringList out = log;
        log.clear();
        return out;
    }
    QStringList log;
    QStringList links;

protected:
    void ActiveChanged() override { links << QStringLiteral("active"); }
    void DataSetChanged() override { links << QStringLiteral("changed"); }
    void DataSetScrolled(int d) override { links << QStringLiteral("scrolled %1").arg(d); }
    void EditingChanged() override { links << QStringLiteral("editing"); }
    void RecordChanged(TField *f) override
    {
        links << QStringLiteral("record ") + (f ? f->FieldName() : QString());
    }
};

class EventsTest : public DbeFixture {
protected:
    void SetUp() override
    {
        t = table(QStringLiteral("Kfz.db"));
        t->Open();
        addVehicles(*t, {{"A", "1"}, {"B", "2"}});
        t->First();
        src = std::make_unique<TDataSource>(t.get());
        rec = std::make_unique<Recorder>(*t, *src);
    }
    std::unique_ptr<TTable> t;
    std::unique_ptr<TDataSource> src;
    std::unique_ptr<Recorder> rec;
};

TEST_F(EventsTest, OperationsFireTheirEventsInTheClassLibraryOrder)
{
    struct Case {
        const char *what;
        std::function<void()> act;
        QStringList events;
    };
    auto f = [&](const char *n) { return t->FieldByName(QString::fromLatin1(n)); };
    const std::vector<Case> cases = {
        {"insert",
         [&] { t->Insert(); },
         {"BeforeInsert", "BeforeScroll", "OnNewRecord", "AfterInsert", "AfterScroll"}},
        {"post insert",
         [&] {
             f("KfzNr")->SetAsString(QStringLiteral("C"));
             t->Post();
         },
         {"BeforePost", "AfterPost"}},
        {"edit", [&] { t->Edit(); }, {"BeforeEdit", "AfterEdit"}},
        {"cancel", [&] { t->Cancel(); }, {"BeforeCancel", "AfterCancel"}},
        {"next while editing posts first",
         [&] {
             t->Edit();
             f("Info")->SetAsString(QStringLiteral("neu"));
             t->Next();
         },
         {"BeforeEdit", "AfterEdit", "BeforePost", "AfterPost", "BeforeScroll", "AfterScroll"}},
        {"delete", [&] { t->Delete(); }, {"BeforeDelete", "BeforeScroll", "AfterDelete", "AfterScroll"}},
        {"refresh while inserting cancels first",
         [&] {
             t->Insert();
             rec->take();
             t->Refresh();
         },
         {"BeforeRefresh", "BeforeCancel", "AfterCancel", "AfterRefresh"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        c.act();
        EXPECT_EQ(rec->take(), c.events);
    }
}

TEST_F(EventsTest, SilentAbortFromBeforePostKeepsTheRowInEdit)
{
    t->BeforePost = [](TDataSet &ds) {
        if (ds.FieldByName(QStringLiteral("Info"))->IsNull())
            base::abortSilently();
    };
    t->Edit();
    t->FieldByName(QStringLiteral("Info"))->Clear();
    EXPECT_THROW(t->Post(), base::SilentAbort);
    EXPECT_EQ(t->State(), TDataSetState::dsEdit);
    t->FieldByName(QStringLiteral("Info"))->SetAsString(QStringLiteral("ok"));
    t->Post();
    EXPECT_EQ(t->State(), TDataSetState::dsBrowse);
    // From BeforeInsert nothing happens at all; from AfterInsert the row stays inserted.
    t->BeforeInsert = [](TDataSet &) { base::abortSilently(); };
    EXPECT_THROW(t->Insert(), base::SilentAbort);
    EXPECT_EQ(t->State(), TDataSetState::dsBrowse);
    t->BeforeInsert = nullptr;
    t->AfterInsert = [](TDataSet &) { base::abortSilently(); };
    EXPECT_THROW(t->Insert(), base::SilentAbort);
    EXPECT_EQ(t->State(), TDataSetState::dsInsert);
}

TEST_F(EventsTest, PostErrorHandlerDecidesFailAbortOrRetry)
{
    t->Insert();
    t->FieldByName(QStringLiteral("KfzNr"))->SetAsString(QStringLiteral("A")); // duplicate
    QString seen;
    TDataAction answer = TDataAction::daAbort;
    t->OnPostError = [&](TDataSet &, EDatabaseError &e, TDataAction &action) {
        seen = e.Message();
        action = answer;
        if (answer == TDataAction::daRetry) {
            t->FieldByName(QStringLiteral("KfzNr"))->SetAsString(QStringLiteral("Z"));
            answer = TDataAction::daFail;
        }
    };
    EXPECT_THROW(t->Post(), base::SilentAbort);
    EXPECT_EQ(seen, "Indexfehler");
    EXPECT_EQ(t->State(), TDataSetState::dsInsert);
    answer = TDataAction::daFail;
    EXPECT_THROW(t->Post(), EDBEngineError);
    answer = TDataAction::daRetry;
    t->Post();
    EXPECT_EQ(t->FieldByName(QStringLiteral("KfzNr"))->AsString(), "Z");
    EXPECT_EQ(t->State(), TDataSetState::dsBrowse);
}

TEST_F(EventsTest, DisabledControlsHearNothingButEventsStillFire)
{
    rec->links.clear();
    t->DisableControls();
    t->DisableControls();
    t->Next();
    t->First();
    t->EnableControls();
    EXPECT_TRUE(rec->links.isEmpty());
    EXPECT_EQ(rec->take(), QStringList({"BeforeScroll", "AfterScroll", "BeforeScroll", "AfterScroll"}));
    t->EnableControls();
    EXPECT_EQ(rec->links, QStringList({"changed"}));
    rec->links.clear();
    t->Next();
    EXPECT_EQ(rec->links, QStringList({"scrolled 1"}));
    rec->links.clear();
    t->Edit();
    t->FieldByName(QStringLiteral("Info"))->SetAsString(QStringLiteral("q"));
    EXPECT_EQ(rec->links, QStringList({"editing", "record ", "record Info"}));
}

TEST_F(EventsTest, ReadOnlyLinkChangesItsEditingStateAtOnce)
{
    rec->SetReadOnly(true);
    t->Insert();
    EXPECT_FALSE(rec->Editing());
    rec->links.clear();
    rec->SetReadOnly(false);
    EXPECT_TRUE(rec->Editing());
    EXPECT_EQ(rec->links, QStringList({"editing"}));
    rec->SetReadOnly(true);
    EXPECT_FALSE(rec->Editing());
    t->Cancel();
}

TEST_F(EventsTest, HandlersMayUseOtherCursorsButNotReenterTheirOwn)
{
    auto other = table(QStringLiteral("Codes.db"));
    other->Open();
    t->AfterPost = [&](TDataSet &) {
        other->Append();
        other->FieldByName(QStringLiteral("Code"))->SetAsString(QStringLiteral("X"));
        other->Post();
    };
    t->BeforePost = [&](TDataSet &ds) { EXPECT_THROW(ds.Post(), EDatabaseError); };
    t->Edit();
    t->FieldByName(QStringLiteral("Info"))->SetAsString(QStringLiteral("q"));
    t->Post();
    EXPECT_EQ(other->RecordCount(), 1);
}

} // namespace
