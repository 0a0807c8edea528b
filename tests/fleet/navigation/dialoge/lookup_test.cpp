// The lookup: which source a field's lookup draws on, the dialog, and the
// values it takes over.
#include <functional>
#include <memory>

#include <QApplication>
#include <QHeaderView>
#include <QTimer>

#include "dbe/EngineCursor.h"
#include "dbe/Field.h"
#include "extender_fixture.h"
#include "navigation/dialoge/LookupDialog.h"
#include "navigation/erweiterung/TableDefs.h"
#include "ui/AppHooks.h"

using namespace nav;

namespace {

dbe::FieldDef textField(const char *name, int size = 20)
{
    dbe::FieldDef f;
    f.name = QString::fromUtf8(name);
    f.size = size;
    return f;
}

// Runs act on the next lookup dialog once it is shown, as the active form.
void whenLookup(ui::testing::FakeScreen &screen, std::function<void(TLUDlg &)> act,
                const char *shot = nullptr)
{
    auto *poll = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, [poll, tries, act, shot, &screen] {
        auto *dialog = qobject_cast<TLUDlg *>(QApplication::activeModalWidget());
        if (!dialog) {
            if (++*tries > 200) {
                ADD_FAILURE() << "no lookup dialog";
                poll->stop();
                poll->deleteLater();
            }
            return;
        }
        poll->stop();
        poll->deleteLater();
        QWidget *before = screen.activeForm();
        screen.setActive(dialog, dialog->LUGrid);
        dialog->DBVexarion1->Activate(dialog);
        if (shot)
            dialog->grab().save(QStringLiteral("/tmp/nav30_%1.png").arg(QLatin1String(shot)));
        act(*dialog);
        if (dialog->isVisible()) {
            dialog->DBVexarion1->Deactivate(dialog);
            dialog->setModalResult(ui::mrCancel);
        }
        screen.setActive(before, nullptr);
    });
    poll->start(1);
}

// A key as the application's message hook of the active form sees it.
bool key(QWidget *target, int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
         const QString &text = QString())
{
    ui::KeyMessage message;
    message.target = target;
    message.key = qtKey;
    message.modifiers = modifiers;
    message.text = text;
    bool handled = false;
    if (const auto &hook = ui::hooks().message.current())
        hook(message, handled);
    return handled;
}

// Personal.db (Name, Ort, Telefon) with three people; Tour.db rows of A1 and
// A2 with a lookup field FahrerDummy (Fahrer into Personal.Name).
class Lookup : public ExtenderFixture {
protected:
    Lookup()
    {
        dbe::TableDef personal;
        personal.name = QStringLiteral("Personal.db");
        personal.fields = {textField("Name"), textField("Ort"), textField("Telefon"), textField("Fahrer")};
        personal.primaryKey = {QStringLiteral("Name")};
        session->RegisterTable(personal);
        people = table("Personal.db");
        for (auto [name, ort, tel] :
             {std::tuple{"Berger", "Köln", "0221 1"}, std::tuple{"Müller", "Bonn", "0228 2"},
              std::tuple{"Schmidt", "Aachen", "0241 3"}}) {
            people->Append();
            people->FieldByName("Name")->SetAsString(QString::fromUtf8(name));
            people->FieldByName("Ort")->SetAsString(QString::fromUtf8(ort));
            people->FieldByName("Telefon")->SetAsString(QString::fromUtf8(tel));
            people->Post();
        }
        tours = table("Tour.db", false);
        tours->AddField(QStringLiteral("KfzNr"));
        tours->AddField(QStringLiteral("Datum"));
        tours->AddField(QStringLiteral("Tour"));
        tours->AddField(QStringLiteral("Fahrer"));
        dummy = tours->AddLookupField(QStringLiteral("FahrerDummy"), QStringLiteral("Fahrer"), people.get(),
                                      QStringLiteral("Name"), QStringLiteral("Name"));
        tours->SetMasterSource(source.get());
        tours->SetMasterFields(QStringLiteral("KfzNr"));
        tours->Open();
        stamm->First();
        addTour(*tours, "A1", "01.02.2024", 1);
        tourSource = std::make_unique<dbe::TDataSource>(tours.get());
        tourGrid = ui::make<ui::DBGrid>(form.get(), "TourGrid", form.get());
        tourGrid->setDataSource(tourSource.get());
    }
    ~Lookup() override
    {
        tourGrid->setDataSource(nullptr);
        tourSource.reset();
        tours.reset();
    }

    std::unique_ptr<dbe::TTable> people;
    std::unique_ptr<dbe::TTable> tours;
    std::unique_ptr<dbe::TDataSource> tourSource;
    ui::DBGrid *tourGrid = nullptr;
    dbe::TField *dummy = nullptr;
};

} // namespace

TEST_F(Lookup, DefinitionsByKind)
{
    TLookupDefinition def;
    TTableDefs *tourDefs = ext->TableDefsOf(tours.get());
    EXPECT_EQ(ext->GetLookupDefinition(tourDefs, dummy, false, def), lkDataSet);
    EXPECT_EQ(def.LookupDataSet, people.get());
    EXPECT_EQ(def.CopyFields, "Name;Fahrer");
    EXPECT_EQ(def.LocateFields, "Name;Fahrer");
    EXPECT_EQ(def.Description, "Personal.db");

    // A plain field: nothing, unless the application names a table.
    dbe::TField *gruppe = stamm->FieldByName("Gruppe");
    TTableDefs *defs = ext->TableDefsOf(stamm.get());
    EXPECT_EQ(ext->GetLookupDefinition(defs, gruppe, false, def), lkNone);
    ext->GetLookupDef = [](TDBVexarion &, dbe::TField *f, TLookupDefinition &d) {
        if (f->FieldName() == QLatin1String("Gruppe"))
            d.TableName = QStringLiteral("Personal.db");
    };
    EXPECT_EQ(ext->GetLookupDefinition(defs, gruppe, false, def), lkTable);
    EXPECT_EQ(def.TableName, "Personal.db");
    ext->GetLookupDef = nullptr;

    // A data set or a query from the application counts only with something to take over.
    bool askedOnlyQuery = false;
    ext->GetExtLookupDef = [&](TDBVexarion &, dbe::TField *, bool onlyQuery, TLookupDefinition &d) {
        askedOnlyQuery = onlyQuery;
        d.LookupDataSet = people.get();
    };
    EXPECT_EQ(ext->GetLookupDefinition(defs, gruppe, true, def), lkNone);
    EXPECT_TRUE(askedOnlyQuery);
    ext->GetExtLookupDef = [&](TDBVexarion &, dbe::TField *, bool, TLookupDefinition &d) {
        d.LookupDataSet = people.get();
        d.CopyFields = QStringLiteral("Ort;Gruppe");
    };
    EXPECT_EQ(ext->GetLookupDefinition(defs, gruppe, false, def), lkDataSet);
    ext->GetExtLookupDef = [&](TDBVexarion &, dbe::TField *, bool, TLookupDefinition &d) {
        d.QueryText = {QStringLiteral("SELECT Ort FROM personal")};
        d.AllCorresponding = true;
    };
    EXPECT_EQ(ext->GetLookupDefinition(defs, gruppe, false, def), lkQuery);
}

TEST_F(Lookup, ADeclaredTableLookupNamesItsTable)
{
    dbe::TableDef fahrt;
    fahrt.name = QStringLiteral("Fahrt.db");
    dbe::FieldDef wer = textField("Wer");
    wer.lookupType = 4;
    wer.lookupTable = QStringLiteral("Personal.db");
    fahrt.fields = {textField("Nr"), wer, textField("Ort")};
    fahrt.primaryKey = {QStringLiteral("Nr")};
    session->RegisterTable(fahrt);
    auto t = table("Fahrt.db");
    t->Append();
    t->FieldByName("Nr")->SetAsString(QStringLiteral("1"));
    t->FieldByName("Wer")->SetAsString(QStringLiteral("Müller"));
    t->Post();
    TLookupDefinition def;
    dbe::TField *field = t->FieldByName("Wer");
    ASSERT_EQ(ext->GetLookupDefinition(ext->TableDefsOf(t.get()), field, false, def), lkTable);
    EXPECT_EQ(def.TableName, "Personal.db");
    EXPECT_TRUE(def.AllCorresponding);

    // Kind 1 opens the table, stands on the field's value and takes the key and every same-named field.
    QString title, shownRow;
    whenLookup(screen, [&](TLUDlg &d) {
        title = d.windowTitle();
        shownRow = d.LUTbl->FieldByName("Name")->AsString();
        d.LUTbl->Last();
        d.OkBtn->click();
    });
    ext->GetTblDescription = [](const QString &name, QString &d) {
        d = QStringLiteral("Fahrer (%1)").arg(name);
    };
    EXPECT_TRUE(ext->RunLookup(lkTable, field, def, false));
    EXPECT_EQ(title, "Nachschlagen [Fahrer (Personal.db)]");
    EXPECT_EQ(shownRow, "Müller");
    EXPECT_EQ(t->State(), dbe::TDataSetState::dsEdit);
    EXPECT_EQ(field->AsString(), "Schmidt");
    EXPECT_EQ(t->FieldByName("Ort")->AsString(), "Aachen");
}

TEST_F(Lookup, TheDialogTakesOverWhatItIsToldAndNothingOnCancel)
{
    dbe::TField *gruppe = stamm->FieldByName("Gruppe");
    dbe::TField *bemerkung = stamm->FieldByName("Bemerkung");
    const QString before = gruppe->AsString();
    TLookupDefinition def;
    def.LookupDataSet = people.get();
    def.CopyFields = QStringLiteral("Ort;Gruppe;Telefon;Bemerkung;Name;GibtEsNicht");
    def.LocateFields = QStringLiteral("Name;KfzNr");

    whenLookup(screen, [](TLUDlg &d) { d.CancelBtn->click(); });
    EXPECT_FALSE(ext->RunLookup(lkDataSet, gruppe, def, false));
    EXPECT_EQ(stamm->State(), dbe::TDataSetState::dsBrowse);
    EXPECT_EQ(gruppe->AsString(), before);

    QStringList assigned, skippedByHandler;
    int after = 0;
    ext->BeforeAssignFromLUField = [&](TDBVexarion &, dbe::TField *to, dbe::TField *, bool &doAssign) {
        doAssign = to->FieldName() != QLatin1String("Bemerkung");
        if (!doAssign)
            skippedByHandler << to->FieldName();
    };
    ext->AfterAssignFromLUField = [&](TDBVexarion &, dbe::TField *to, dbe::TField *) {
        assigned << to->FieldName();
    };
    ext->AfterAssignFromLookup = [&](TDBVexarion &, dbe::TField *, dbe::TDataSet *) { ++after; };
    whenLookup(screen, [](TLUDlg &d) {
        d.LUSource->DataSet()->Last();
        d.OkBtn->click();
    });
    EXPECT_TRUE(ext->RunLookup(lkDataSet, gruppe, def, false));
    EXPECT_EQ(gruppe->AsString(), "Aachen");
    EXPECT_EQ(assigned, QStringList({"Gruppe", "Bemerkung"}));
    EXPECT_EQ(skippedByHandler, QStringList{"Bemerkung"});
    EXPECT_EQ(bemerkung->AsString(), "Notiz Lieferung"); // the handler kept it
    EXPECT_EQ(after, 1);                                 // also with the failed assignment to "GibtEsNicht"
    stamm->Cancel();

    // An odd list takes nothing over.
    def.CopyFields = QStringLiteral("Ort;Gruppe;Telefon");
    assigned.clear();
    whenLookup(screen, [](TLUDlg &d) { d.OkBtn->click(); });
    EXPECT_TRUE(ext->RunLookup(lkDataSet, gruppe, def, false));
    EXPECT_TRUE(assigned.isEmpty());
    EXPECT_EQ(after, 2);
    stamm->Cancel();
}

TEST_F(Lookup, AllCorrespondingCopiesEverySameNamedField)
{
    TLookupDefinition def;
    def.LookupDataSet = people.get();
    def.AllCorresponding = true;
    dbe::TField *fahrer = tours->FieldByName("Fahrer");
    tours->Edit();
    fahrer->SetAsString(QStringLiteral("Müller"));
    tours->Post();
    people->First();
    whenLookup(screen, [](TLUDlg &d) {
        d.LUSource->DataSet()->Last(); // Schmidt
        d.OkBtn->click();
    });
    ASSERT_TRUE(ext->RunLookup(lkDataSet, fahrer, def, false));
    EXPECT_EQ(fahrer->AsString(), ""); // Personal's own, empty "Fahrer"
    tours->Cancel();
}

TEST_F(Lookup, ShownFieldsKeepTheirOwnLabelsWhenTheCountsDiffer)
{
    TLookupDefinition def;
    def.LookupDataSet = people.get();
    def.CopyFields = QStringLiteral("Name;Gruppe");
    def.ShowFields = QStringLiteral("telefon;NAME;Ort");
    def.DisplayLabels = QStringLiteral("Ruf;Person");
    QStringList headers;
    whenLookup(
        screen,
        [&](TLUDlg &d) {
            for (int c = 0; c < d.LUGrid->columnCount(); ++c)
                headers << d.LUGrid->model()->headerData(c, Qt::Horizontal).toString();
        },
        "lookup_dialog");
    EXPECT_FALSE(ext->RunLookup(lkDataSet, stamm->FieldByName("Gruppe"), def, false));
    EXPECT_EQ(headers, QStringList({"Telefon", "Name", "Ort"}));
    // The application's data set gets its layout back.
    EXPECT_TRUE(people->FieldByName("Fahrer")->Visible());
    EXPECT_EQ(people->Fields(0)->FieldName(), "Name");

    def.DisplayLabels = QStringLiteral("Ruf;Person;Wohnort");
    headers.clear();
    whenLookup(screen, [&](TLUDlg &d) {
        for (int c = 0; c < d.LUGrid->columnCount(); ++c)
            headers << d.LUGrid->model()->headerData(c, Qt::Horizontal).toString();
    });
    ext->RunLookup(lkDataSet, stamm->FieldByName("Gruppe"), def, false);
    EXPECT_EQ(headers, QStringList({"Ruf", "Person", "Wohnort"}));
}

TEST_F(Lookup, TheLookupFieldOfADetailGridSetsTheDetailNotTheMaster)
{
    ext->SetMasterSource(source.get());
    ext->SetStayOnMasterSource(TStayOnMasterSource::somAllFuncs);
    tourGrid->setSelectedField(dummy);
    focus(tourGrid);
    ext->CheckPossibilities();
    EXPECT_TRUE(ext->Possible()[nbLookUp]);
    EXPECT_EQ(message->text(), QStringLiteral("Nachschlagen mittels Strg+Leer"));

    whenLookup(screen, [](TLUDlg &d) {
        EXPECT_FALSE(d.ViewOnly());
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Nachschlagen [Personal.db]"));
        d.LUSource->DataSet()->Locate("Name", QStringLiteral("Müller"));
        d.OkBtn->click();
    });
    EXPECT_TRUE(press(Qt::Key_Space, Qt::ControlModifier, QStringLiteral(" ")));
    EXPECT_EQ(tours->FieldByName("Fahrer")->AsString(), "Müller");
    EXPECT_EQ(dummy->AsString(), "Müller");
    EXPECT_EQ(tours->State(), dbe::TDataSetState::dsEdit);
    EXPECT_EQ(stamm->State(), dbe::TDataSetState::dsBrowse);
    tours->Post();
}

TEST_F(Lookup, CalculatedFieldsAreNeverOffered)
{
    ext->GetLookupDef = [](TDBVexarion &, dbe::TField *, TLookupDefinition &d) {
        d.TableName = QStringLiteral("Personal.db");
    };
    focus(editGruppe);
    ext->CheckPossibilities();
    EXPECT_TRUE(ext->Possible()[nbLookUp]);
    auto calc = table("Stamm.db", false);
    calc->AddField(QStringLiteral("KfzNr"));
    calc->AddCalculatedField(QStringLiteral("Doppelt"), dbe::TFieldType::ftString, 20);
    calc->Open();
    dbe::TDataSource calcSource(calc.get());
    auto *calcEdit = ui::make<ui::DBEdit>(form.get(), "EditDoppelt", form.get());
    calcEdit->setDataSource(&calcSource);
    calcEdit->setDataField(QStringLiteral("Doppelt"));
    focus(calcEdit);
    ext->CheckPossibilities();
    EXPECT_FALSE(ext->Possible()[nbLookUp]);
    calcEdit->setDataSource(nullptr);
}

TEST_F(Lookup, ViewOnlyShowsWithoutOkAndEscapeEndsUnlessSearching)
{
    TLookupDefinition def;
    def.LookupDataSet = people.get();
    def.CopyFields = QStringLiteral("Name;Gruppe");
    bool enterHandled = true, stillOpen = false, escapeDuringSearch = true, closedByEscape = false;
    whenLookup(screen, [&](TLUDlg &d) {
        EXPECT_TRUE(d.OkBtn->isHidden());
        enterHandled = key(d.LUGrid, Qt::Key_Return);
        stillOpen = d.isVisible() && d.modalResult() == ui::mrNone;
        EXPECT_TRUE(d.DBVexarion1->IncSearchOn()); // LUAutoIncSrch
        key(d.LUGrid, Qt::Key_Escape);             // ends the search only
        escapeDuringSearch = d.modalResult() != ui::mrNone;
        EXPECT_FALSE(d.DBVexarion1->IncSearchOn());
        key(d.LUGrid, Qt::Key_Escape);
        closedByEscape = d.modalResult() == ui::mrCancel;
    });
    EXPECT_FALSE(ext->RunLookup(lkDataSet, stamm->FieldByName("Gruppe"), def, true));
    EXPECT_FALSE(enterHandled);
    EXPECT_TRUE(stillOpen);
    EXPECT_FALSE(escapeDuringSearch);
    EXPECT_TRUE(closedByEscape);
    EXPECT_EQ(stamm->State(), dbe::TDataSetState::dsBrowse);
}

TEST_F(Lookup, EnterTakesTheRowAndTheDialogSearchesAsItsCallerDoes)
{
    TLookupDefinition def;
    def.LookupDataSet = people.get();
    def.CopyFields = QStringLiteral("Ort;Gruppe");
    ext->LUAutoIncSrch = true;
    ext->SetShowStatusOptions(ssRecNo | ssRecCount | ssTblName);
    QString status;
    whenLookup(screen, [&](TLUDlg &d) {
        EXPECT_EQ(d.DBVexarion1->AllowKeys() & allowKey(akInsert), 0);
        EXPECT_FALSE(d.DBVexarion1->ShowStatusOptions() & ssTblName);
        d.LUGrid->setSelectedField(d.LUSource->DataSet()->FieldByName("Name"));
        key(d.LUGrid, Qt::Key_S, Qt::NoModifier, QStringLiteral("s"));
        status = d.LUPanel->text();
        key(d.LUGrid, Qt::Key_Return);
    });
    EXPECT_TRUE(ext->RunLookup(lkDataSet, stamm->FieldByName("Gruppe"), def, false));
    EXPECT_EQ(stamm->FieldByName("Gruppe")->AsString(), "Aachen");
    EXPECT_TRUE(status.startsWith(QStringLiteral("3 von 3"))) << status.toStdString();
    stamm->Cancel();
}

TEST_F(Lookup, AQueryTextIsASource)
{
    ext->GetExtLookupDef = [](TDBVexarion &, dbe::TField *, bool, TLookupDefinition &d) {
        d.QueryText = {QStringLiteral("SELECT Name, Ort AS Gruppe FROM personal"),
                       QStringLiteral("ORDER BY Ort")};
        d.DatabaseName = QStringLiteral("Daten");
        d.AllCorresponding = true;
        d.Description = QStringLiteral("Orte");
    };
    focus(editGruppe);
    ext->CheckPossibilities();
    ASSERT_TRUE(ext->Possible()[nbLookUp]);
    bool live = false;
    whenLookup(screen, [&](TLUDlg &d) {
        live = d.LUQuery->RequestLive();
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Nachschlagen [Orte]"));
        d.LUSource->DataSet()->Next(); // Bonn
        d.OkBtn->click();
    });
    ext->LUReadOnly = false;
    ext->HandleNBBtn(nbLookUp, 0, 0);
    EXPECT_TRUE(live);
    EXPECT_EQ(stamm->FieldByName("Gruppe")->AsString(), "Bonn");
    stamm->Cancel();
}
