// The extender's settings, references and notifications, and the table
// definitions' index, sharing and table lookups.
#include <QApplication>
#include <QPlainTextEdit>
#include <QTimer>

#include "daten/schema/Katalog.h"
#include "dbe/EngineCursor.h"
#include "dbe/Query.h"
#include "extender_fixture.h"
#include "navigation/dialoge/MemoDialog.h"
#include "navigation/erweiterung/TableDefs.h"

using fleet::SchemaKatalog;

using namespace nav;

namespace {

using ExtenderCompletion = ExtenderFixture;

struct FilterRow {
    const char *field;
    int op;
    const char *value;
};

TFilterDefinition oneRow(const FilterRow &r, int &count)
{
    TFilterDefinition def;
    def[0] = TFilterZeile{QString::fromUtf8(r.field), r.op, QString::fromUtf8(r.value), 0};
    count = 1;
    return def;
}

constexpr int kOpEqual = opEq;

// A control the extender knows only through the application's events.
class ForeignControl : public QWidget {
public:
    using QWidget::QWidget;
    bool locked = false;
};

} // namespace

TEST_F(ExtenderCompletion, CopySettingsTakesExactlyTheListedSettings)
{
    ui::FormBase otherForm(QStringLiteral("Other"));
    TDBVexarion from(&otherForm);
    TDBVexarion &to = *ext;
    ui::FormBase defaultsForm(QStringLiteral("Defaults"));
    const TDBVexarion defaults(&defaultsForm);

    // Every property away from its default.
    from.ErrorBeep = false;
    from.MoveBy = 9;
    from.ConfirmDelete = false;
    from.ConfDelQuestion = QStringLiteral("Weg?");
    from.ConfirmOverride = false;
    from.ConfOverQuestion = QStringLiteral("Über?");
    from.DBGridComponents = QStringList{QStringLiteral("TGitter")};
    from.TVReadonly = false;
    from.TVAutoEdit = true;
    from.HandleDBExceptions = false;
    from.SetShowStatusOptions(ssRecNo);
    QLabel panel;
    from.SetStatusPanel(&panel);
    from.MessagePanel = &panel;
    dbe::TDataSource otherSource(stamm.get());
    from.SetMasterSource(&otherSource);
    from.SetStayOnMasterSource(TStayOnMasterSource::somAllFuncs);
    from.SetManageGlobalEdit(true);
    from.SetUseNonVisFields(false);
    from.SetUseTextIncSrchBtn(true);
    from.SetFlatNavBtns(true);
    from.SetIncSrchOnlyIfIndexed(true);
    from.IncSrchAutoDisable = true;
    from.ShowSearchClock = false;
    from.SetBMKeepOnlyIndex(false);
    from.UseIndexPopup = true;
    from.AutoRefresh = TAutoRefreshMode::armAll;
    from.SetAllowUserAbort(false);
    from.TVSynchronIsDefault = true;
    from.TVShowSRVBtn = true;
    from.SetAllowMasterMove(false);
    from.BorderStyleTblView = TFormBorderStyle::bsSizeable;
    from.BorderStyleLookUp = TFormBorderStyle::bsSizeable;
    from.BorderStyleBookmark = TFormBorderStyle::bsSizeable;
    from.BorderStyleMemo = TFormBorderStyle::bsSizeable;
    from.BorderStyleGraphic = TFormBorderStyle::bsDialog;
    from.BorderStyleSingleRec = TFormBorderStyle::bsDialog;
    TDBVShortCuts keys;
    keys.SetShortCut(nbSearch, 0);
    from.SetShortCuts(keys);
    from.MatchSelect = false;
    from.SetInterfacesNormal(ieDisplay);
    from.SetInterfacesMinimized(0);
    from.NoSelectNext = QStringList{QStringLiteral("TMemo")};
    from.IncSrchCharCase = TEditCharCase::ecUpperCase;
    from.HideBtnGlyphs = true;
    from.LUAutoIncSrch = false;
    from.LUReadOnly = false;
    from.LUAutoEdit = true;
    from.LUManageGlobalEdit = true;
    from.TVManageGlobalEdit = true;
    from.SRVLayout = TSingleRecLayout::srlHoriz;
    from.SRVUseCBOnBoolean = false;
    from.SRVUseDBLUComboBox = false;
    from.SRVRebuildOnResize = false;
    from.SRVMemoMaxWidth = true;
    from.SRVReadOnly = true;
    from.SRVAutoEdit = false;
    from.SRVManageGlobalEdit = true;
    from.SRVSynchronIsDefault = false;
    from.SRVGenAccelChars = false;
    from.IndexNamesAs = TDefaultIndexLabels::dilFldNames;
    from.ExactBOF_EOF = false;

    // Every event set.
    from.AppOnMessage = [](const ui::KeyMessage &, bool &) {};
    from.FormOnActivate = from.FormOnDeactivate = [](QObject *) {};
    from.FormOnKeyPhysical = [](int, TShiftState, bool &) {};
    from.FormOnFocusControl = [](QWidget *) {};
    from.FormOnException = [](QObject *, const std::exception &, bool &) {};
    from.OnActiveChanged = from.OnDataSetChanged = from.OnDataSetScrolled = from.OnEditingChanged =
        from.OnNewDataSource = [](TDBVexarion &, dbe::TDataSource *) {};
    from.OnEditChange = [](TDBVexarion &, bool, bool &) {};
    from.BeforeHandleNBBtn =
        from.AfterHandleNBBtn = [](TDBVexarion &, TDBVNavigateBtn &, TShiftState &, int &) {};
    from.GetTblDescription = [](const QString &, QString &d) { d = QStringLiteral("Tabelle"); };
    from.GetIdxDescription = [](dbe::TTable &, const QString &, QString &, bool &) {};
    from.OnShowStatus = [](TDBVexarion &, TStatusRec &, bool &) {};
    from.OnShowMessage = [](TDBVexarion &, QString &, ui::MsgType, bool &) {};
    from.OnChangePoss = [](TDBVexarion &) {};
    from.OnTblIndexChanged = from.OnFilterChanged = [](TDBVexarion &, dbe::TDataSet *) {};
    from.BeforeCheckPoss = [](QWidget *, dbe::TField *) {};
    from.OnSpecialForm = [](TDBVexarion &, TFormEventRec &) {};
    from.OnSpecialFormShow = [](QWidget *, int) {};
    from.OnSpecialFormCloseQuery = [](QWidget *, int, bool &) {};
    from.GetLookupDef = [](TDBVexarion &, dbe::TField *, TLookupDefinition &) {};
    from.GetExtLookupDef = [](TDBVexarion &, dbe::TField *, bool, TLookupDefinition &) {};
    from.BeforeAssignFromLookup =
        from.AfterAssignFromLookup = [](TDBVexarion &, dbe::TField *, dbe::TDataSet *) {};
    from.BeforeAssignFromLUField = [](TDBVexarion &, dbe::TField *, dbe::TField *, bool &) {};
    from.AfterAssignFromLUField = [](TDBVexarion &, dbe::TField *, dbe::TField *) {};
    from.ComponentDS = [](QWidget *, dbe::TDataSource *&, bool) {};
    from.ComponentFld = [](QWidget *, dbe::TField *&, bool) {};
    from.ComponentRO = [](QWidget *, bool &, bool) {};
    from.SRVClassForField = [](dbe::TField *, const QMetaObject *&) {};
    from.SRVInitControl = [](dbe::TField *, QWidget *) {};
    from.SRVSetControlSize = [](dbe::TField *, QWidget *, int, bool &) {};

    to.CopySettingsFrom(from);

    // Taken over.
    EXPECT_EQ(to.ErrorBeep, from.ErrorBeep);
    EXPECT_EQ(to.MoveBy, 9);
    EXPECT_EQ(to.ShowStatusOptions(), from.ShowStatusOptions());
    EXPECT_EQ(to.UseNonVisFields, false);
    EXPECT_EQ(to.UseTextIncSrchBtn(), true);
    EXPECT_EQ(to.FlatNavBtns(), true);
    EXPECT_EQ(to.IncSrchOnlyIfIndexed(), true);
    EXPECT_EQ(to.IncSrchAutoDisable, true);
    EXPECT_EQ(to.ShowSearchClock, false);
    EXPECT_EQ(to.BMKeepOnlyIndex, false);
    EXPECT_EQ(to.UseIndexPopup, true);
    EXPECT_EQ(to.AutoRefresh, TAutoRefreshMode::armAll);
    EXPECT_EQ(to.AllowUserAbort, false);
    EXPECT_EQ(to.TVSynchronIsDefault, true);
    EXPECT_EQ(to.TVShowSRVBtn, true);
    EXPECT_EQ(to.AllowMasterMove, false);
    EXPECT_EQ(to.BorderStyleTblView, TFormBorderStyle::bsSizeable);
    EXPECT_EQ(to.BorderStyleLookUp, TFormBorderStyle::bsSizeable);
    EXPECT_EQ(to.BorderStyleBookmark, TFormBorderStyle::bsSizeable);
    EXPECT_EQ(to.BorderStyleMemo, TFormBorderStyle::bsSizeable);
    EXPECT_EQ(to.BorderStyleGraphic, TFormBorderStyle::bsDialog);
    EXPECT_EQ(to.BorderStyleSingleRec, TFormBorderStyle::bsDialog);
    EXPECT_EQ(to.ShortCuts().ShortCut(nbSearch), 0);
    EXPECT_EQ(to.InterfacesNormal(), ieDisplay);
    EXPECT_EQ(to.InterfacesMinimized(), 0u);
    EXPECT_EQ(to.NoSelectNext, from.NoSelectNext);
    EXPECT_EQ(to.IncSrchCharCase, TEditCharCase::ecUpperCase);
    EXPECT_EQ(to.HideBtnGlyphs, true);
    EXPECT_EQ(to.LUAutoIncSrch, false);
    EXPECT_EQ(to.LUReadOnly, false);
    EXPECT_EQ(to.LUAutoEdit, true);
    EXPECT_EQ(to.LUManageGlobalEdit, true);
    EXPECT_EQ(to.TVManageGlobalEdit, true);
    EXPECT_EQ(to.SRVLayout, TSingleRecLayout::srlHoriz);
    EXPECT_EQ(to.SRVUseCBOnBoolean, false);
    EXPECT_EQ(to.SRVUseDBLUComboBox, false);
    EXPECT_EQ(to.SRVRebuildOnResize, false);
    EXPECT_EQ(to.SRVMemoMaxWidth, true);
    EXPECT_EQ(to.SRVReadOnly, true);
    EXPECT_EQ(to.SRVAutoEdit, false);
    EXPECT_EQ(to.SRVManageGlobalEdit, true);
    EXPECT_EQ(to.SRVSynchronIsDefault, false);
    EXPECT_EQ(to.SRVGenAccelChars, false);
    EXPECT_EQ(to.IndexNamesAs, TDefaultIndexLabels::dilFldNames);
    EXPECT_EQ(to.ExactBOF_EOF, false);
    for (bool set :
         {bool(to.GetTblDescription), bool(to.GetIdxDescription), bool(to.OnSpecialForm),
          bool(to.OnSpecialFormShow), bool(to.OnSpecialFormCloseQuery), bool(to.GetLookupDef),
          bool(to.GetExtLookupDef), bool(to.BeforeAssignFromLookup), bool(to.AfterAssignFromLookup),
          bool(to.BeforeAssignFromLUField), bool(to.AfterAssignFromLUField), bool(to.ComponentDS),
          bool(to.ComponentFld), bool(to.ComponentRO), bool(to.SRVClassForField), bool(to.SRVInitControl),
          bool(to.SRVSetControlSize)})
        EXPECT_TRUE(set);

    // Left as they were.
    EXPECT_EQ(to.ConfirmDelete, defaults.ConfirmDelete);
    EXPECT_EQ(to.ConfDelQuestion, defaults.ConfDelQuestion);
    EXPECT_EQ(to.ConfirmOverride, defaults.ConfirmOverride);
    EXPECT_EQ(to.ConfOverQuestion, defaults.ConfOverQuestion);
    EXPECT_EQ(to.DBGridComponents, defaults.DBGridComponents);
    EXPECT_EQ(to.TVReadonly, defaults.TVReadonly);
    EXPECT_EQ(to.TVAutoEdit, defaults.TVAutoEdit);
    EXPECT_EQ(to.HandleDBExceptions, defaults.HandleDBExceptions);
    EXPECT_EQ(to.StatusPanel(), status);
    EXPECT_EQ(to.MessagePanel.data(), message);
    EXPECT_EQ(to.MasterSource(), nullptr);
    EXPECT_EQ(to.StayOnMasterSource(), TStayOnMasterSource::somNo);
    EXPECT_EQ(to.ManageGlobalEdit(), false);
    EXPECT_EQ(to.MatchSelect, defaults.MatchSelect);
    EXPECT_EQ(to.AllowKeys(), defaults.AllowKeys());
    for (bool set :
         {bool(to.FormOnActivate), bool(to.FormOnDeactivate), bool(to.FormOnKeyPhysical),
          bool(to.FormOnFocusControl), bool(to.FormOnException), bool(to.OnActiveChanged),
          bool(to.OnDataSetChanged), bool(to.OnDataSetScrolled), bool(to.OnEditingChanged),
          bool(to.OnNewDataSource), bool(to.OnEditChange), bool(to.BeforeHandleNBBtn),
          bool(to.AfterHandleNBBtn), bool(to.OnShowStatus), bool(to.OnShowMessage), bool(to.OnChangePoss),
          bool(to.OnTblIndexChanged), bool(to.OnFilterChanged), bool(to.BeforeCheckPoss)})
        EXPECT_FALSE(set);
}

TEST_F(ExtenderCompletion, SwitchingAFilterOnSaysSoWithOrWithoutTheCaption)
{
    QStringList said;
    ext->OnShowMessage = [&](TDBVexarion &, QString &text, ui::MsgType type, bool &) {
        if (!text.isEmpty())
            said << text + (type == ui::MsgType::Information ? QString() : QStringLiteral(" (!)"));
    };
    ext->GetTblDescription = [](const QString &, QString &d) { d = QStringLiteral("Stammdaten"); };
    int count = 0;
    const TFilterDefinition def = oneRow({"Achsen", kOpEqual, "2"}, count);
    ext->ApplyTableFilterDef(stamm.get(), def, count, true);
    EXPECT_EQ(said, QStringList{QStringLiteral("[Stammdaten] Aktiviere Filter...")});
    EXPECT_EQ(vehicles(*stamm), QStringList({"A1", "A3"}));

    said.clear();
    ext->SetTableFilterActive(stamm.get(), 0);
    EXPECT_TRUE(said.isEmpty()); // switching off says nothing
    ext->SetShowStatusOptions(ssRecNo | ssRecCount);
    ext->SetTableFilterActive(stamm.get(), 1);
    EXPECT_EQ(said, QStringList{QStringLiteral("Aktiviere Filter...")});
}

TEST_F(ExtenderCompletion, DestroyedPanelsAndMasterAreLetGo)
{
    auto *ownStatus = new QLabel(form.get());
    auto *ownMessage = new QLabel(form.get());
    ext->SetStatusPanel(ownStatus);
    ext->MessagePanel = ownMessage;
    delete ownStatus;
    delete ownMessage;
    EXPECT_EQ(ext->StatusPanel(), nullptr);
    EXPECT_TRUE(ext->MessagePanel.isNull());
    ext->HandleNBBtn(nbNext, 0, 0); // writes status and clears messages
    ext->DisplayMessage(QStringLiteral("Hinweis"), ui::MsgType::Information);

    for (bool open : {true, false}) {
        auto master = std::make_unique<dbe::TDataSource>(stamm.get());
        ext->SetMasterSource(master.get());
        ext->SetStayOnMasterSource(TStayOnMasterSource::somAllFuncs);
        ASSERT_EQ(ext->StayOnMasterSource(), TStayOnMasterSource::somAllFuncs);
        if (!open)
            stamm->Close();
        master.reset();
        EXPECT_EQ(ext->MasterSource(), nullptr) << open;
        EXPECT_EQ(ext->StayOnMasterSource(), TStayOnMasterSource::somNo) << open;
        focus(status); // no data-aware control: the master would be asked
        ext->CheckPossibilities();
        ext->HandleNBBtn(nbNext, 0, 0);
        stamm->Open();
        focus(editNr);
    }
}

TEST_F(ExtenderCompletion, SetIndexKeepsFilterAndBookmarksAndTellsOnce)
{
    TTableDefs *defs = ext->TableDefsOf(stamm.get());
    int count = 0;
    const TFilterDefinition def = oneRow({"Achsen", kOpEqual, "2"}, count);
    ext->ApplyTableFilterDef(stamm.get(), def, count, true);
    ASSERT_EQ(defs->FilterState(), kFilterActive);
    defs->Bookmarks().AddBookmark();
    stamm->Next();
    defs->Bookmarks().AddBookmark();
    int changes = 0;
    ext->OnDataSetChanged = [&](TDBVexarion &, dbe::TDataSource *) { ++changes; };
    int indexEvents = 0;
    ext->OnTblIndexChanged = [&](TDBVexarion &, dbe::TDataSet *) { ++indexEvents; };

    ext->SetTableIndex(stamm.get(), QStringLiteral("ByGruppe"));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(indexEvents, 1);
    EXPECT_EQ(defs->FilterState(), kFilterActive);
    EXPECT_EQ(vehicles(*stamm), QStringList({"A1", "A3"})); // "Lieferung", "lkw"
    EXPECT_EQ(defs->Bookmarks().Count(), 2);
    EXPECT_EQ(defs->CursorHandle(), stamm->Handle()->HandleId());

    // A failing index change still tells, then reports the error.
    changes = 0;
    EXPECT_THROW(defs->SetIndex(QStringLiteral("GibtEsNicht")), dbe::EDatabaseError);
    EXPECT_EQ(changes, 1);
}

TEST_F(ExtenderCompletion, ExactEndsCountTheVisibleRowsUnderAFilter)
{
    TTableDefs *defs = ext->TableDefsOf(stamm.get());
    int count = 0;
    const TFilterDefinition def = oneRow({"Achsen", kOpEqual, "2"}, count);
    ext->ApplyTableFilterDef(stamm.get(), def, count, true);
    stamm->First();
    EXPECT_TRUE(defs->ExactAtBegin());
    EXPECT_FALSE(defs->ExactAtEnd());
    stamm->Next(); // A3, the last visible row: the flags do not know yet
    EXPECT_FALSE(stamm->Eof());
    EXPECT_FALSE(defs->ExactAtBegin());
    EXPECT_TRUE(defs->ExactAtEnd());
}

TEST_F(ExtenderCompletion, SharingTakesTheOtherManagerAndFilterOnce)
{
    auto tours = table("Tour.db");
    TTableDefs *first = ext->TableDefsOf(stamm.get());
    TTableDefs *second = ext->TableDefsOf(tours.get());
    first->Bookmarks().AddBookmark();
    second->ShareWith(*first);
    EXPECT_TRUE(second->Shared());
    EXPECT_EQ(&second->Bookmarks(), &first->Bookmarks());
    EXPECT_EQ(&second->Filter(), &first->Filter());

    auto pos = table("TourPos.db");
    TTableDefs *third = ext->TableDefsOf(pos.get());
    second->ShareWith(*third); // once only
    EXPECT_EQ(&second->Bookmarks(), &first->Bookmarks());
    EXPECT_EQ(&second->Filter(), &first->Filter());
    EXPECT_EQ(second->Bookmarks().Count(), 1);
}

TEST_F(ExtenderCompletion, AReplacedEntryHandsOverItsState)
{
    dbe::TDataSource viewSource(stamm.get());
    auto *viewEntry = new TTableDefs(ext, nullptr, stamm.get());
    std::unique_ptr<TTableDefs> old(viewEntry);
    old->Bookmarks().AddBookmark();
    ASSERT_TRUE(old->SearchValue("Gruppe", "Bus", true, true, false, true, true));
    int changes = 0;
    ext->OnDataSetChanged = [&](TDBVexarion &, dbe::TDataSource *) { ++changes; };
    ext->TableDefsReplaced(*old, &viewSource);
    TTableDefs *entry = ext->TableDefsOf(stamm.get());
    EXPECT_EQ(entry->Bookmarks().Count(), 1);
    EXPECT_EQ(entry->SearchField(), "Gruppe");
    EXPECT_EQ(entry->Pattern().text(), "Bus");
    EXPECT_GE(changes, 1);
    old.reset();
    EXPECT_EQ(entry->Bookmarks().Count(), 1); // still there once the old one is gone
}

TEST_F(ExtenderCompletion, TableLookupsComeFromTheCatalogue)
{
    dbe::TableDef fahrt;
    fahrt.name = QStringLiteral("Fahrt.db");
    dbe::FieldDef nr;
    nr.name = QStringLiteral("Nr");
    nr.type = dbe::FieldType::Integer;
    dbe::FieldDef fahrer;
    fahrer.name = QStringLiteral("Fahrer");
    fahrer.size = 20;
    fahrer.lookupType = 1;
    fahrer.lookupTable = QStringLiteral("Personal.db");
    dbe::FieldDef ziel;
    ziel.name = QStringLiteral("Ziel");
    ziel.size = 20;
    ziel.required = true; // a check, but no lookup
    fahrt.fields = {nr, fahrer, ziel};
    fahrt.primaryKey = {QStringLiteral("Nr")};
    session->RegisterTable(fahrt);
    auto t = table("Fahrt.db");
    TTableDefs *defs = ext->TableDefsOf(t.get());
    int type = -1;
    QString name;
    EXPECT_TRUE(defs->LookupDef(2, type, name));
    EXPECT_EQ(type, 1);
    EXPECT_EQ(name, "Personal.db");
    EXPECT_FALSE(defs->LookupDef(3, type, name));
    EXPECT_EQ(type, 0);
    EXPECT_TRUE(name.isEmpty());
    EXPECT_THROW(t->Handle()->ValidityCheck(3), dbe::EDBEngineError);

    for (const dbe::TableDef &def : SchemaKatalog())
        for (const dbe::FieldDef &f : def.fields)
            EXPECT_EQ(f.lookupType, 0) << def.name.toStdString() << "." << f.name.toStdString();
}

TEST_F(ExtenderCompletion, ForeignControlsAnswerThroughTheApplication)
{
    auto *foreign = new ForeignControl(form.get());
    foreign->setFocusPolicy(Qt::StrongFocus);
    ext->ComponentDS = [&](QWidget *c, dbe::TDataSource *&ds, bool) {
        if (c == foreign)
            ds = source.get();
    };
    ext->ComponentFld = [&](QWidget *c, dbe::TField *&f, bool) {
        if (c == foreign)
            f = stamm->FieldByName("Gruppe");
    };
    ext->ComponentRO = [&](QWidget *c, bool &readOnly, bool getValue) {
        if (c != foreign)
            return;
        if (getValue)
            readOnly = foreign->locked;
        else
            foreign->locked = readOnly;
    };
    ControlField cf;
    ASSERT_TRUE(ext->GetControlField(foreign, cf));
    EXPECT_EQ(cf.source, source.get());
    EXPECT_EQ(cf.field, stamm->FieldByName("Gruppe"));
    EXPECT_FALSE(cf.readOnly);

    ext->SetManageGlobalEdit(true);
    EXPECT_TRUE(foreign->locked);
    ASSERT_TRUE(ext->GetControlField(foreign, cf));
    EXPECT_TRUE(cf.readOnly);
    ext->SwitchGlobalEdit(true);
    EXPECT_FALSE(foreign->locked);
}

TEST_F(ExtenderCompletion, DialogsTakeTheirBorderFromTheRecord)
{
    focus(editNr);
    stamm->Last();
    auto *memo = ui::make<ui::DBEdit>(form.get(), "EditBemerkung", form.get());
    memo->setDataSource(source.get());
    memo->setDataField(QStringLiteral("Bemerkung"));
    focus(memo);
    QList<bool> resizable;
    ext->OnSpecialFormShow = [&](QWidget *dialog, int) {
        resizable << (dialog->minimumSize() != dialog->maximumSize());
        QTimer::singleShot(0, dialog,
                           [dialog] { static_cast<ui::FormBase *>(dialog)->setModalResult(ui::mrCancel); });
    };
    ext->HandleNBBtn(nbMemoView, 0, 0);
    ext->BorderStyleMemo = TFormBorderStyle::bsSizeable;
    ext->HandleNBBtn(nbMemoView, 0, 0);
    ext->OnSpecialForm = [](TDBVexarion &, TFormEventRec &r) { r.BorderStyle = TFormBorderStyle::bsDialog; };
    ext->HandleNBBtn(nbMemoView, 0, 0);
    EXPECT_EQ(resizable, QList<bool>({false, true, false}));
}

TEST_F(ExtenderCompletion, AQueryIsBrowsedSearchedAndNeverWritten)
{
    dbe::TQuery query(session.get());
    query.SetDatabaseName(QStringLiteral("Daten"));
    query.SetSQL({QStringLiteral("SELECT KfzNr, Gruppe, Km, Datum, Km * 2 AS Doppelt"),
                  QStringLiteral("FROM stamm WHERE Km > 0 ORDER BY Km DESC")});
    query.SetRequestLive(true);
    query.Open();
    ASSERT_EQ(query.RecordCount(), 4);
    EXPECT_EQ(query.FieldByName("Datum")->AsString(), "31.12.2024"); // a date field, German form
    EXPECT_EQ(query.FieldByName("Doppelt")->AsInteger(), 40000);
    EXPECT_FALSE(query.CanModify());

    dbe::TDataSource querySource(&query);
    auto *queryGrid = ui::make<ui::DBGrid>(form.get(), "QueryGrid", form.get());
    queryGrid->setDataSource(&querySource);
    focus(queryGrid);
    ext->CheckPossibilities();
    EXPECT_TRUE(ext->Possible()[nbNext]);
    EXPECT_FALSE(ext->Possible()[nbRefresh]);
    EXPECT_FALSE(ext->Possible()[nbIndexSelect]);
    EXPECT_FALSE(ext->Possible()[nbInsert]);
    EXPECT_FALSE(ext->Possible()[nbEdit]);
    EXPECT_TRUE(ext->Possible()[nbSearch]);

    ext->HandleNBBtn(nbNext, 0, 0);
    EXPECT_EQ(query.FieldByName("KfzNr")->AsString(), "B5");
    ext->HandleNBBtn(nbIndexSelect, 0, 0); // nothing for a query
    ASSERT_TRUE(ext->SearchInDataSet(&query, "Gruppe", true, true, true, "li.."));
    EXPECT_EQ(query.FieldByName("KfzNr")->AsString(), "A2");
    ext->HandleNBBtn(nbEdit, 0, 0);
    EXPECT_EQ(query.State(), dbe::TDataSetState::dsBrowse);
    EXPECT_EQ(message->text(), QStringLiteral("Datenmenge kann nicht geändert werden"));

    dbe::TQuery wrong(session.get());
    wrong.SetDatabaseName(QStringLiteral("Daten"));
    for (const char *sql : {"DELETE FROM stamm", "SELECT 1; SELECT 2", "", "SELECT * FROM gibtsnicht"}) {
        wrong.SetSQL({QString::fromUtf8(sql)});
        EXPECT_THROW(wrong.Open(), dbe::EDatabaseError) << sql;
        EXPECT_FALSE(wrong.Active());
    }
    auto check = table("Stamm.db");
    EXPECT_EQ(check->RecordCount(), 5);
}

TEST_F(ExtenderCompletion, ASwitchBetweenSourcesOfOneDataSetIsNoActiveChange)
{
    focus(status); // no control asks for the fixture's source meanwhile
    TTableDefs *defs = ext->TableDefsOf(source.get());
    dbe::TDataSource disabled(stamm.get());
    disabled.SetEnabled(false); // its links see a closed data set
    auto tours = table("Tour.db", false);
    dbe::TDataSource closed(tours.get());
    int activeChanges = 0;
    ext->OnActiveChanged = [&](TDBVexarion &, dbe::TDataSource *) { ++activeChanges; };
    defs->SetSource(&disabled);
    EXPECT_EQ(activeChanges, 0);
    defs->SetSource(source.get());
    EXPECT_EQ(activeChanges, 0);
    EXPECT_EQ(defs->DataSource(), source.get());
    defs->SetSource(&closed);
    EXPECT_EQ(activeChanges, 1);
    EXPECT_EQ(defs->DataSet(), tours.get());
}
