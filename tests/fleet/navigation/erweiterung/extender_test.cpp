// The extender on a form over a real table: hooks, commands, keys, global
// edit, status and messages.
#include <stdexcept>

#include <QSignalSpy>

#include "dbe/Errors.h"
#include "extender_fixture.h"
#include "navigation/erweiterung/TableDefs.h"
#include "navigation/gemeinsam/NavExceptions.h"
#include "ui/AppHooks.h"
#include "ui/DatePicker.h"
#include "ui/Guard.h"

#include <QLineEdit>

using namespace nav;

using ExtenderTest = ExtenderFixture;

TEST_F(ExtenderTest, OnlyOneExtenderPerForm)
{
    try {
        TDBVexarion second(form.get());
        FAIL() << "a second extender was accepted";
    } catch (const std::runtime_error &e) {
        EXPECT_STREQ(e.what(), "Ein TDBVexarion pro Formular reicht.");
    }
    try {
        TDBVexarion none(nullptr);
        FAIL() << "an extender without form was accepted";
    } catch (const std::runtime_error &e) {
        EXPECT_STREQ(e.what(), "TDBVexarion kann nur in ein Formular plaziert werden.");
    }
    // A control on the form finds the form too (and the form has one already).
    EXPECT_THROW(TDBVexarion onControl{editNr}, std::runtime_error);
}

TEST_F(ExtenderTest, HooksComeBackInReverseOrderOfActivation)
{
    ext->Deactivate(form.get());
    int before = 0;
    ui::ScopedHook<ui::MessageHandler> original(ui::hooks().message,
                                                [&](const ui::KeyMessage &, bool &) { ++before; });
    ui::FormBase other(QStringLiteral("Other"));
    TDBVexarion second(&other);

    ext->Activate(form.get());
    EXPECT_TRUE(ext->HooksInstalled());
    second.Activate(&other);
    second.Deactivate(&other);
    ext->Deactivate(form.get());

    bool handled = false;
    ui::hooks().message.current()(ui::KeyMessage{}, handled);
    EXPECT_EQ(before, 1);
    EXPECT_FALSE(ext->HooksInstalled());
}

TEST_F(ExtenderTest, KeysNotHandledReachThePreviousHandler)
{
    // A key of another form goes on to the handler installed before.
    ext->Deactivate(form.get());
    int chained = 0;
    ui::ScopedHook<ui::MessageHandler> original(ui::hooks().message,
                                                [&](const ui::KeyMessage &, bool &) { ++chained; });
    ext->Activate(form.get());
    EXPECT_FALSE(press(Qt::Key_A, Qt::NoModifier, QStringLiteral("a")));
    EXPECT_EQ(chained, 1);
    // Without ieShortCuts every key of the form is swallowed.
    ext->SetInterfacesNormal(ieNavbars | ieDisplay);
    EXPECT_TRUE(press(Qt::Key_A, Qt::NoModifier, QStringLiteral("a")));
    EXPECT_EQ(chained, 1);
    ext->Deactivate(form.get()); // before the handler it chains to goes
}

TEST_F(ExtenderTest, MoveCommandsAndTheirEvents)
{
    ext->HandleNBBtn(nbNext, 0, 0);
    EXPECT_EQ(current(*stamm), "A2");
    ext->HandleNBBtn(nbLast, 0, 0);
    EXPECT_EQ(current(*stamm), "B5");
    ext->MoveBy = 3;
    ext->HandleNBBtn(nbPGroup, 0, 0);
    EXPECT_EQ(current(*stamm), "A2");

    // The Before event may change the command; nbUserBtn has no After event.
    QList<int> after;
    ext->BeforeHandleNBBtn = [](TDBVexarion &, TDBVNavigateBtn &b, TShiftState &, int &) {
        if (b == nbPrior)
            b = nbFirst;
    };
    ext->AfterHandleNBBtn = [&](TDBVexarion &, TDBVNavigateBtn &b, TShiftState &, int &) { after << b; };
    ext->HandleNBBtn(nbPrior, 0, 0);
    EXPECT_EQ(current(*stamm), "A1");
    ext->HandleNBBtn(nbUserBtn, 0, 0);
    EXPECT_EQ(after, QList<int>({nbFirst}));

    // Possibilities follow: at the first record no backward move.
    EXPECT_FALSE(ext->Possible()[nbPrior]);
    EXPECT_TRUE(ext->Possible()[nbNext]);
    EXPECT_FALSE(bar->Button(nbPrior)->isEnabled());
    EXPECT_TRUE(bar->Button(nbNext)->isEnabled());
}

TEST_F(ExtenderTest, DeleteAsksUnlessConfirmDeleteIsOff)
{
    messages.expectConfirm(QStringLiteral("Datensatz wirklich löschen ?"), false);
    ext->HandleNBBtn(nbDelete, 0, 0);
    EXPECT_EQ(stamm->RecordCount(), 5);
    ext->ConfDelQuestion = QStringLiteral("Fahrzeug löschen?");
    messages.expectConfirm(QStringLiteral("Fahrzeug löschen?"), true);
    ext->HandleNBBtn(nbDelete, 0, 0);
    EXPECT_EQ(stamm->RecordCount(), 4);
    ext->ConfirmDelete = false;
    ext->HandleNBBtn(nbDelete, 0, 0);
    EXPECT_EQ(stamm->RecordCount(), 3);
    EXPECT_TRUE(messages.verifyDone());
}

TEST_F(ExtenderTest, DuplicateRecordFillsOnlyEmptyFields)
{
    // On the last record a new one is appended.
    stamm->Last();
    ext->HandleNBBtn(nbDupRecord, 0, 0);
    EXPECT_EQ(stamm->State(), dbe::TDataSetState::dsInsert);
    EXPECT_EQ(stamm->FieldByName("Gruppe")->AsString(), "Bus");
    stamm->FieldByName("KfzNr")->SetAsString(QStringLiteral("B6"));
    stamm->Post();
    EXPECT_EQ(vehicles(*stamm), QStringList({"A1", "A2", "A3", "A4", "B5", "B6"}));

    // Elsewhere it moves on and inserts there; a value the new record already
    // has is kept.
    stamm->First();
    stamm->OnNewRecord = [](dbe::TDataSet &ds) { ds.FieldByName("Km")->SetAsInteger(7); };
    ext->HandleNBBtn(nbDupRecord, 0, 0);
    EXPECT_EQ(stamm->State(), dbe::TDataSetState::dsInsert);
    EXPECT_EQ(stamm->FieldByName("Gruppe")->AsString(), "Lieferung");
    EXPECT_EQ(stamm->FieldByName("Km")->AsInteger(), 7);
    stamm->Cancel();
}

TEST_F(ExtenderTest, GlobalEditLocksExactlyTheWritableControls)
{
    editGruppe->setProperty("readOnly", true);
    ext->SetManageGlobalEdit(true);
    EXPECT_FALSE(ext->GlobalEdit());
    EXPECT_TRUE(editNr->property("readOnly").toBool());
    EXPECT_TRUE(grid->property("readOnly").toBool());
    EXPECT_FALSE(ext->Possible()[nbInsert]);
    EXPECT_TRUE(ext->Possible()[nbGlobalEdit]);
    EXPECT_TRUE(bar->Button(nbGlobalEdit)->isEnabled());
    EXPECT_FALSE(bar->Button(nbGlobalEdit)->isChecked());

    ext->HandleNBBtn(nbGlobalEdit, 0, 0);
    EXPECT_TRUE(ext->GlobalEdit());
    EXPECT_FALSE(editNr->property("readOnly").toBool());
    EXPECT_FALSE(grid->property("readOnly").toBool());
    EXPECT_TRUE(editGruppe->property("readOnly").toBool()); // was read-only before
    EXPECT_TRUE(bar->Button(nbGlobalEdit)->isChecked());

    // Going back to read mode posts a pending edit first.
    stamm->Edit();
    stamm->FieldByName("Gruppe")->SetAsString(QStringLiteral("Neu"));
    ext->OnEditChange = [](TDBVexarion &, bool, bool &) {};
    ext->SwitchGlobalEdit(false);
    EXPECT_EQ(stamm->State(), dbe::TDataSetState::dsBrowse);
    EXPECT_EQ(stamm->FieldByName("Gruppe")->AsString(), "Neu");

    ext->OnEditChange = [](TDBVexarion &, bool, bool &canChange) { canChange = false; };
    ext->SwitchGlobalEdit(true);
    EXPECT_FALSE(ext->GlobalEdit());
}

TEST_F(ExtenderTest, BookmarkShortcutTakesTheNextDigit)
{
    stamm->Next();
    EXPECT_TRUE(press(Qt::Key_K, Qt::ControlModifier));
    EXPECT_TRUE(ext->WaitingForSetBookmarkDigit());
    EXPECT_TRUE(press(Qt::Key_3, Qt::NoModifier, QStringLiteral("3")));
    TTableDefs *defs = ext->TableDefsOf(source.get());
    ASSERT_EQ(defs->Bookmarks().Count(), 1);
    EXPECT_GE(defs->Bookmarks().IndexOf(3), 0);

    // A letter after Ctrl+K sets nothing and reaches the control.
    EXPECT_TRUE(press(Qt::Key_K, Qt::ControlModifier));
    EXPECT_FALSE(press(Qt::Key_A, Qt::NoModifier, QStringLiteral("a")));
    EXPECT_FALSE(ext->WaitingForSetBookmarkDigit());
    EXPECT_EQ(defs->Bookmarks().Count(), 1);

    stamm->Last();
    EXPECT_TRUE(press(Qt::Key_Q, Qt::ControlModifier));
    EXPECT_TRUE(press(Qt::Key_3, Qt::NoModifier, QStringLiteral("3")));
    EXPECT_EQ(current(*stamm), "A2");

    // A bookmark whose record is gone gives the warning line.
    stamm->Delete();
    EXPECT_TRUE(press(Qt::Key_Q, Qt::ControlModifier));
    EXPECT_TRUE(press(Qt::Key_3, Qt::NoModifier, QStringLiteral("3")));
    EXPECT_TRUE(message->text().startsWith(QStringLiteral("Lesezeichen 3: ")))
        << message->text().toStdString();
}

TEST_F(ExtenderTest, MoveKeysKeepTheirMeaningInAGrid)
{
    EXPECT_TRUE(press(Qt::Key_PageDown));
    EXPECT_EQ(current(*stamm), "A2");
    focus(grid);
    EXPECT_FALSE(press(Qt::Key_PageDown));
    EXPECT_EQ(current(*stamm), "A2");
}

TEST_F(ExtenderTest, EnterMovesOnAndWrapsInTheGrid)
{
    form->show();
    editNr->setFocus();
    EXPECT_TRUE(press(Qt::Key_Return));
    EXPECT_TRUE(press(Qt::Key_Return, Qt::ControlModifier) == false);

    focus(grid);
    grid->setSelectedIndex(grid->columnCount() - 1);
    EXPECT_TRUE(press(Qt::Key_Return));
    EXPECT_EQ(grid->selectedIndex(), 0);
    EXPECT_EQ(current(*stamm), "A2");
    EXPECT_TRUE(press(Qt::Key_Return, Qt::ShiftModifier));
    EXPECT_EQ(grid->selectedIndex(), grid->columnCount() - 1);
    EXPECT_EQ(current(*stamm), "A1");
}

TEST_F(ExtenderTest, DownAtTheLastGridRowInReadModeIsSwallowed)
{
    ext->SetManageGlobalEdit(true);
    focus(grid);
    stamm->Last();
    EXPECT_TRUE(press(Qt::Key_Down));
    stamm->First();
    EXPECT_FALSE(press(Qt::Key_Down));
}

TEST_F(ExtenderTest, IncrementalSearchTakesOnlyTextsThatFind)
{
    focus(editGruppe);
    ext->HandleNBBtn(nbSearchInc, 0, 0);
    ASSERT_TRUE(ext->IncSearchOn());
    EXPECT_TRUE(press(Qt::Key_B, Qt::NoModifier, QStringLiteral("b")));
    EXPECT_EQ(current(*stamm), "B5");
    EXPECT_EQ(ext->IncSearchText(), "b");
    EXPECT_TRUE(press(Qt::Key_X, Qt::NoModifier, QStringLiteral("x")));
    EXPECT_EQ(ext->IncSearchText(), "b"); // "bx" finds nothing
    EXPECT_EQ(current(*stamm), "B5");
    EXPECT_TRUE(press(Qt::Key_Backspace));
    EXPECT_TRUE(press(Qt::Key_L, Qt::NoModifier, QStringLiteral("l")));
    EXPECT_TRUE(press(Qt::Key_I, Qt::NoModifier, QStringLiteral("i")));
    EXPECT_EQ(current(*stamm), "A1");
    EXPECT_TRUE(status->text().endsWith(QStringLiteral("Suche: \"li\""))) << status->text().toStdString();
    EXPECT_TRUE(press(Qt::Key_N, Qt::NoModifier, QStringLiteral("n")));
    EXPECT_EQ(current(*stamm), "A2"); // "Linie", after "Lieferung"
    EXPECT_TRUE(press(Qt::Key_Escape));
    EXPECT_FALSE(ext->IncSearchOn());
    EXPECT_FALSE(press(Qt::Key_A, Qt::NoModifier, QStringLiteral("a")));
}

TEST_F(ExtenderTest, SearchNextReportsTheEnd)
{
    TTableDefs *defs = ext->TableDefsOf(source.get());
    ASSERT_TRUE(
        defs->SearchValue(QStringLiteral("Gruppe"), QStringLiteral("L.."), false, true, false, true, true));
    EXPECT_EQ(current(*stamm), "A1");
    ext->HandleNBBtn(nbSearchNext, 0, 0);
    EXPECT_EQ(current(*stamm), "A2");
    ext->HandleNBBtn(nbSearchNext, 0, 0);
    EXPECT_EQ(current(*stamm), "A3");
    ext->HandleNBBtn(nbSearchNext, 0, 0);
    EXPECT_EQ(current(*stamm), "A3");
    EXPECT_EQ(message->text(), QStringLiteral("\"L..\" nicht weiter gefunden."));
    ext->HandleNBBtn(nbSearchNext, ssCtrl, 0); // Ctrl searches backwards
    EXPECT_EQ(current(*stamm), "A2");
}

TEST_F(ExtenderTest, StatusLineShowsPositionTableAndState)
{
    ext->HandleNBBtn(nbNext, 0, 0);
    EXPECT_EQ(status->text(), QStringLiteral("2 von 5 [Stamm.db]"));
    ext->GetTblDescription = [](const QString &, QString &d) { d = QStringLiteral("Stammdaten"); };
    stamm->Edit();
    EXPECT_EQ(status->text(), QStringLiteral("2 von 5 [Stammdaten] Editieren"));
    stamm->Cancel();
    stamm->Insert();
    EXPECT_EQ(status->text(), QStringLiteral("[Stammdaten] Neuer Datensatz"));
    stamm->Cancel();
}

TEST_F(ExtenderTest, DatabaseErrorsBecomeMessageLines)
{
    ui::guard(ext, [] {
        throw dbe::EDBEngineError({{1, QStringLiteral("Erster")}, {2, QStringLiteral("Zweiter")}});
    });
    EXPECT_EQ(message->text(), QStringLiteral("Erster"));
    ui::guard(ext, [] { throw EUserAbort(QStringLiteral("Operation abgebrochen")); });
    EXPECT_EQ(message->text(), QStringLiteral("Operation abgebrochen"));

    // Other errors, and all of them with HandleDBExceptions off, go to the
    // previous handler (here none: the standard box).
    messages.expectError(QStringLiteral("anders"));
    ui::guard(ext, [] { throw std::runtime_error("anders"); });
    ext->HandleDBExceptions = false;
    messages.expectError(QStringLiteral("Erster"));
    ui::guard(ext, [] { throw dbe::EDBEngineError(1, QStringLiteral("Erster")); });

    // Without a message panel warnings are boxes and information is dropped.
    ext->MessagePanel = nullptr;
    ext->ErrorBeep = false;
    ext->DisplayMessage(QStringLiteral("nur Info"), ui::MsgType::Information);
    messages.expectWarning(QStringLiteral("Achtung"));
    ext->DisplayMessage(QStringLiteral("Achtung"), ui::MsgType::Warning);
    EXPECT_TRUE(messages.verifyDone());
}

TEST_F(ExtenderTest, MasterSourceSettings)
{
    ext->SetStayOnMasterSource(TStayOnMasterSource::somAllFuncs);
    EXPECT_EQ(ext->StayOnMasterSource(), TStayOnMasterSource::somNo);
    ext->SetMasterSource(source.get());
    ext->SetStayOnMasterSource(TStayOnMasterSource::somOnlyMove);
    EXPECT_EQ(ext->StayOnMasterSource(), TStayOnMasterSource::somOnlyMove);
    ext->SetMasterSource(nullptr);
    EXPECT_EQ(ext->StayOnMasterSource(), TStayOnMasterSource::somNo);
}

TEST_F(ExtenderTest, OnlyMoveActsOnTheMasterFromADetailControl)
{
    auto tours = table("Tour.db");
    addTour(*tours, "A1", "01.01.2024", 1);
    addTour(*tours, "A1", "02.01.2024", 1);
    dbe::TDataSource tourSource(tours.get());
    auto *tourEdit = ui::make<ui::DBEdit>(form.get(), "EditTour", form.get());
    tourEdit->setDataSource(&tourSource);
    tourEdit->setDataField(QStringLiteral("Tour"));
    ext->SetMasterSource(source.get());
    ext->SetStayOnMasterSource(TStayOnMasterSource::somOnlyMove);
    focus(tourEdit);
    tours->First();
    ext->HandleNBBtn(nbNext, 0, 0);
    EXPECT_EQ(current(*stamm), "A2");
    EXPECT_EQ(tours->RecNo(), 1);
}

TEST_F(ExtenderTest, MinimisedFormKeepsOnlyTheDisplay)
{
    EXPECT_EQ(ext->CurrentInterfaces(), TInterfacesEnabledSet(ieShortCuts | ieNavbars | ieDisplay));
    form->setWindowState(Qt::WindowMinimized);
    QEvent change(QEvent::WindowStateChange);
    QCoreApplication::sendEvent(form.get(), &change);
    EXPECT_EQ(ext->CurrentInterfaces(), TInterfacesEnabledSet(ieDisplay));
    EXPECT_FALSE(bar->Button(nbNext)->isEnabled());
    EXPECT_TRUE(press(Qt::Key_PageDown)); // swallowed, not run
    EXPECT_EQ(current(*stamm), "A1");
    stamm->Next(); // status and messages are still written
    EXPECT_EQ(status->text(), QStringLiteral("2 von 5 [Stamm.db]"));

    form->setWindowState(Qt::WindowNoState);
    QCoreApplication::sendEvent(form.get(), &change);
    EXPECT_TRUE(bar->Button(nbNext)->isEnabled());
}

TEST_F(ExtenderTest, DuplicateFieldCopiesFromThePreviousRecord)
{
    focus(editGruppe);
    EXPECT_FALSE(ext->Possible()[nbDupField]); // nothing before the first record
    stamm->Next();
    focus(editGruppe);
    ASSERT_TRUE(ext->Possible()[nbDupField]);
    messages.expectQuestion(QStringLiteral("Wert des Feldes Gruppe überschreiben ?"), false);
    EXPECT_TRUE(press(Qt::Key_D, Qt::ControlModifier));
    EXPECT_EQ(stamm->FieldByName("Gruppe")->AsString(), "Linie");
    ext->ConfirmOverride = false;
    EXPECT_TRUE(press(Qt::Key_D, Qt::ControlModifier));
    EXPECT_EQ(stamm->State(), dbe::TDataSetState::dsEdit);
    EXPECT_EQ(stamm->FieldByName("Gruppe")->AsString(), "Lieferung");
    stamm->Cancel();
    EXPECT_TRUE(messages.verifyDone());
}

TEST_F(ExtenderTest, TableDefinitionsForgetADataSetThatGoes)
{
    auto tours = table("Tour.db");
    TTableDefs *defs = ext->TableDefsOf(tours.get());
    ASSERT_EQ(defs->DataSet(), tours.get());
    {
        dbe::TDataSource tourSource(tours.get());
        EXPECT_EQ(ext->TableDefsOf(&tourSource), defs); // re-bound to the source
    }
    EXPECT_EQ(defs->DataSource(), nullptr);
    EXPECT_EQ(defs->DataSet(), nullptr);
}

TEST_F(ExtenderTest, AReopenedTableLosesItsFilterAnIndexChangeKeepsIt)
{
    TFilterDefinition def;
    def[0] = TFilterZeile{QStringLiteral("KfzNr"), opGt, QStringLiteral("C"), 0};
    ext->ApplyTableFilterDef(stamm.get(), def, 1, true);
    ASSERT_EQ(ext->TableFilterState(stamm.get()), kFilterActive);
    const int gefiltert = stamm->RecordCount();
    ASSERT_LT(gefiltert, 5);
    int meldungen = 0;
    ext->OnFilterChanged = [&](TDBVexarion &, dbe::TDataSet *) { ++meldungen; };

    ext->SetTableIndex(stamm.get(), QStringLiteral("ByGruppe"));
    EXPECT_EQ(ext->TableFilterState(stamm.get()), kFilterActive);
    EXPECT_EQ(stamm->RecordCount(), gefiltert);
    ext->SetTableIndex(stamm.get(), QString());

    meldungen = 0;
    stamm->Close();
    stamm->Open();
    EXPECT_EQ(ext->TableFilterState(stamm.get()), 1);
    EXPECT_GT(meldungen, 0);
    EXPECT_FALSE(ext->Possible()[nbActiveFilter]);
    EXPECT_EQ(stamm->RecordCount(), 5);
    EXPECT_NO_THROW(ext->SetTableFilterActive(stamm.get(), 0));
    EXPECT_EQ(stamm->RecordCount(), 5);
    // A data set the extender never met reads 0.
    auto fremd = table("Stamm.db");
    EXPECT_EQ(ext->TableFilterState(fremd.get()), 0);
}

TEST_F(ExtenderTest, ReadModeLocksDataControlsAndTextEditsOnly)
{
    auto *datum = new ui::DatePicker(ui::DatePicker::Kind::Date, form.get());
    auto *text = new QLineEdit(form.get());
    ext->SetManageGlobalEdit(true);
    EXPECT_FALSE(ext->GlobalEdit());
    EXPECT_TRUE(editNr->isReadOnly());
    EXPECT_TRUE(text->isReadOnly());
    EXPECT_FALSE(datum->isReadOnly());
    ext->SwitchGlobalEdit(true);
    EXPECT_FALSE(editNr->isReadOnly());
    EXPECT_FALSE(text->isReadOnly());
    EXPECT_FALSE(datum->isReadOnly());
}
