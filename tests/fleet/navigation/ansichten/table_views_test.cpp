// The table view and the single-record view: opening, the field list, OK and
// the back key, synchronised views over text tables and queries, the detail's
// master, the built controls and their layouts.
#include <QApplication>

#include "dbe/Errors.h"
#include "dbe/Field.h"
#include "dbe/Query.h"
#include "extender_fixture.h"
#include "modal_helper.h"
#include "navigation/ansichten/SingleRecViewForm.h"
#include "navigation/ansichten/TableViewForm.h"
#include "navigation/erweiterung/TableDefs.h"
#include "temp_dir.h"
#include "ui/DBCheckBox.h"
#include "ui/DBEdit.h"
#include "ui/DBImage.h"
#include "ui/DBMemo.h"

using namespace nav;

namespace {

constexpr int kF7 = vk::F1 + 6;

class TableViews : public ExtenderFixture {
protected:
    TableViews()
    {
        form->show();
        stamm->First();
    }
    TTableDefs &defs() { return *ext->TableDefsOf(stamm.get()); }
    static bool key(NavViewForm &view, int key, TShiftState shift = 0)
    {
        bool handled = false;
        view.Extender()->FormOnKeyPhysical(key, shift, handled);
        return handled;
    }
    static void settle()
    {
        for (int i = 0; i < 3; ++i) {
            QApplication::processEvents();
            QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
};

} // namespace

TEST_F(TableViews, TheFieldListShowsItsFieldsInOrderAndOKMovesTheForm)
{
    ext->OnSpecialForm = [](TDBVexarion &, TFormEventRec &r) {
        if (r.FormType != sfTableView)
            return;
        r.ShowFields = QStringLiteral("Gruppe;kfznr;Km");
        r.DisplayLabels = QStringLiteral("Gruppe der Fahrzeuge;Kennzeichen"); // two labels for three fields
        r.VisBtnsSearch = 223;
        r.VisBtnsMove = 45;
        r.VisBtnsExtend = 2;
    };
    ext->CheckPossibilities();
    ASSERT_TRUE(ext->Possible()[nbTableView]);
    QString title;
    QStringList titles;
    int selected = -1;
    NavButtonSet buttons;
    bool cancelShown = false;
    whenModal<TTableViewForm>(
        [&](TTableViewForm &v) {
            title = v.windowTitle();
            for (int c = 0; c < v.TblGrid->columnCount(); ++c)
                titles << v.TblGrid->columnTitle(c);
            selected = v.TblGrid->selectedIndex();
            buttons = v.TVNav->VisibleButtons();
            cancelShown = v.CancelBtn->isVisibleTo(&v);
            v.TblSource->DataSet()->Locate(QStringLiteral("KfzNr"), QStringLiteral("A3"));
            v.OKBtn->click();
        },
        "table_view_list");
    ext->HandleNBBtn(nbTableView, 0, 0);
    EXPECT_EQ(title, QStringLiteral("Tabellenansicht [Stamm.db]"));
    EXPECT_EQ(titles, (QStringList{"Gruppe", "KfzNr", "Km"}));
    EXPECT_EQ(selected, 1); // the focused control's field
    EXPECT_TRUE(cancelShown);
    // 223, 45 and 2: no table filter, no group moves, only the memo view.
    for (int b : {nbSearch, nbSearchInc, nbSearchNext, nbSetBookmark, nbGotoBookmark, nbActiveFilter,
                  nbIndexSelect, nbFirst, nbPrior, nbNext, nbLast, nbMemoView})
        EXPECT_TRUE(buttons.test(static_cast<std::size_t>(b))) << b;
    for (int b : {nbTblFilter, nbTableView, nbSingleRecView, nbPGroup, nbNGroup, nbInsert, nbEdit, nbLookUp,
                  nbGlobalEdit})
        EXPECT_FALSE(buttons.test(static_cast<std::size_t>(b))) << b;
    EXPECT_EQ(current(*stamm), QStringLiteral("A3"));
    EXPECT_EQ(defs().TableView(), nullptr); // freed after the modal view
    EXPECT_EQ(message->text(), QString());
}

TEST_F(TableViews, AnOpenViewComesForwardAndTheBackKeyMovesTheForm)
{
    ext->BorderStyleTblView = TFormBorderStyle::bsSizeable;
    ext->HandleNBBtn(nbTableView, 0, 0);
    QPointer<TTableViewForm> view = defs().TableView();
    ASSERT_TRUE(view);
    EXPECT_TRUE(view->isVisible());
    EXPECT_TRUE(view->Modeless());
    dbe::TDataSet *clone = view->TblSource->DataSet();
    ASSERT_NE(clone, stamm.get());
    EXPECT_EQ(current(*clone), QStringLiteral("A1"));
    // Columns as the form's data set has them, every field.
    EXPECT_EQ(view->TblGrid->columnCount(), stamm->FieldCount());

    stamm->Last();
    view->showMinimized();
    ext->HandleNBBtn(nbTableView, 0, 0);
    EXPECT_EQ(defs().TableView(), view.data());
    EXPECT_FALSE(view->isMinimized());
    EXPECT_EQ(current(*clone), QStringLiteral("B5"));

    clone->Locate(QStringLiteral("KfzNr"), QStringLiteral("A2"));
    EXPECT_FALSE(key(*view, kF7, ssShift)); // only with the shortcut's own shift state
    EXPECT_TRUE(key(*view, kF7));
    EXPECT_EQ(current(*stamm), QStringLiteral("A2"));
    EXPECT_TRUE(view->isVisible());

    EXPECT_TRUE(key(*view, vk::Escape));
    settle();
    EXPECT_FALSE(view); // closed and freed
    EXPECT_EQ(defs().TableView(), nullptr);
    EXPECT_EQ(current(*stamm), QStringLiteral("A2")); // Cancel moves nothing
}

TEST_F(TableViews, TextTablesAndQueriesAreShownSynchronised)
{
    testsupport::writeFile(dir / "TANK.SCH", "[TANK]\r\nFILETYPE = FIXED\r\nCHARSET = ascii\r\n"
                                             "Field1 = Satzart,CHAR,2,00,00\r\n");
    testsupport::writeFile(dir / "tank.txt", "01\r\n02\r\n03\r\n");
    dbe::TTable text(session.get());
    text.SetDatabaseName(QString::fromStdString(dir.str()));
    text.SetTableName(QStringLiteral("tank.txt"));
    text.Open();
    dbe::TQuery query(session.get());
    query.SetDatabaseName(QStringLiteral("Daten"));
    query.SetSQL({QStringLiteral("select KfzNr, Gruppe from Stamm where Km > 1000")});
    query.Open();
    for (dbe::TDataSet *shown : std::initializer_list<dbe::TDataSet *>{&text, &query}) {
        bool synchronised = false, cancelShown = true, okShown = false;
        dbe::TDataSet *viewed = nullptr;
        int rows = 0;
        whenModal<TTableViewForm>([&](TTableViewForm &v) {
            synchronised = v.Synchronised();
            cancelShown = v.CancelBtn->isVisibleTo(&v);
            okShown = v.OKBtn->isVisibleTo(&v);
            viewed = v.TblSource->DataSet();
            rows = v.TblGrid->model()->rowCount();
            v.OKBtn->click();
        });
        ext->ShowTableView(shown, nullptr, false);
        EXPECT_TRUE(synchronised);
        EXPECT_FALSE(cancelShown);
        EXPECT_TRUE(okShown);
        EXPECT_EQ(viewed, shown);
        EXPECT_EQ(rows, 3);
    }
}

TEST_F(TableViews, OKOnADetailOfAnotherMasterMovesTheMaster)
{
    auto tours = table("Tour.db");
    addTour(*tours, "A1", "01.01.2024", 1);
    addTour(*tours, "A3", "02.01.2024", 2);
    addTour(*tours, "ZZ", "03.01.2024", 3); // its master is missing
    // A one-field link over the three-field primary index.
    tours->SetMasterSource(source.get());
    tours->SetMasterFields(QStringLiteral("KfzNr"));
    ASSERT_EQ(tours->RecordCount(), 1);

    whenModal<TTableViewForm>([&](TTableViewForm &v) {
        v.TblSource->DataSet()->Locate(QStringLiteral("KfzNr"), QStringLiteral("A3"));
        v.OKBtn->click();
    });
    ext->ShowTableView(tours.get(), nullptr, false);
    EXPECT_EQ(current(*stamm), QStringLiteral("A3"));
    EXPECT_EQ(tours->FieldByName("Tour")->AsInteger(), 2);

    messages.expectError(
        QStringLiteral("Fehler in Referentieller Integrität!\nSchlüsselwerte in Haupttabelle "
                       "Stamm.db nicht gefunden."));
    bool stayedOpen = false;
    whenModal<TTableViewForm>([&](TTableViewForm &v) {
        v.TblSource->DataSet()->Locate(QStringLiteral("KfzNr"), QStringLiteral("ZZ"));
        v.OKBtn->click();
        stayedOpen = v.isVisible() && v.modalResult() == ui::mrNone;
        v.CancelBtn->click();
    });
    ext->ShowTableView(tours.get(), nullptr, false);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(current(*stamm), QStringLiteral("A3"));
}

TEST_F(TableViews, TheViewTellsARecordOutsideTheDetailRange)
{
    ext->BorderStyleTblView = TFormBorderStyle::bsSizeable;
    ext->HandleNBBtn(nbTableView, 0, 0);
    TTableViewForm *view = defs().TableView();
    ASSERT_TRUE(view);
    bool handled = false;
    view->TblDBVexarion->FormOnException(view, dbe::EDBEngineError(dbe::ErrorCode::EndOfTable, "x"), handled);
    EXPECT_TRUE(handled);
    EXPECT_EQ(view->TVStatusPanel->text(), QStringLiteral("Datensatz liegt außerhalb des Detailbereichs"));
    handled = false;
    view->TblDBVexarion->FormOnException(view, dbe::EDBEngineError(8705, "x"), handled);
    EXPECT_FALSE(handled);
}

TEST_F(TableViews, TheSingleRecordViewBuildsOneControlPerField)
{
    ext->HandleNBBtn(nbSingleRecView, 0, 0);
    QPointer<TSingleRecViewForm> view = defs().SingleRecView();
    ASSERT_TRUE(view);
    EXPECT_TRUE(view->Synchronised()); // SRVSynchronIsDefault
    EXPECT_EQ(view->windowTitle(), QStringLiteral("Einzeldatensatzansicht [Stamm.db]"));
    ASSERT_EQ(view->Controls.size(), stamm->FieldCount());
    auto controlOf = [&](const char *name) {
        return view->Controls[view->Fields.indexOf(stamm->FieldByName(name))];
    };
    EXPECT_TRUE(qobject_cast<ui::DBEdit *>(controlOf("KfzNr")));
    EXPECT_TRUE(qobject_cast<ui::DBEdit *>(controlOf("Stempel")));
    auto *aktiv = qobject_cast<ui::DBCheckBox *>(controlOf("Aktiv"));
    ASSERT_TRUE(aktiv);
    EXPECT_TRUE(aktiv->allowGrayed());
    EXPECT_EQ(aktiv->width(), aktiv->height());
    EXPECT_TRUE(qobject_cast<ui::DBMemo *>(controlOf("Bemerkung")));
    EXPECT_TRUE(qobject_cast<ui::DBImage *>(controlOf("Bild")));
    EXPECT_EQ(controlOf("KfzNr")->property("dataField").toString(), QStringLiteral("KfzNr"));
    // Every label has an accelerator, no two the same.
    QSet<QChar> taken;
    for (QLabel *label : view->Labels) {
        const qsizetype at = label->text().indexOf(QLatin1Char('&'));
        ASSERT_GE(at, 0) << label->text().toStdString();
        EXPECT_FALSE(taken.contains(label->text()[at + 1].toUpper()));
        taken.insert(label->text()[at + 1].toUpper());
    }

    settle(); // ready
    const int count = view->RebuildCount();
    view->resize(view->width() + 120, view->height());
    settle();
    EXPECT_EQ(view->RebuildCount(), count + 1);
    view->resize(view->width(), view->height() + 50); // same width
    settle();
    EXPECT_EQ(view->RebuildCount(), count + 1);
    view->LayoutItemClick(view->piVertLeftRight); // already checked
    settle();
    EXPECT_EQ(view->RebuildCount(), count + 1);
    view->Options.RebuildOnResize = false;
    view->resize(view->width() + 60, view->height());
    settle();
    EXPECT_EQ(view->RebuildCount(), count + 1);

    // Synchronised: the back key has nothing to move and keeps the view.
    EXPECT_TRUE(key(*view, kF7));
    EXPECT_TRUE(view->isVisible());
    stamm->Edit();
    EXPECT_FALSE(key(*view, vk::Escape)); // not while editing
    stamm->Cancel();
    EXPECT_TRUE(key(*view, vk::Escape));
    settle();
    EXPECT_FALSE(view);
}

TEST_F(TableViews, TheFourLayoutsPlaceLabelsBesideOrAboveTheirControls)
{
    ext->HandleNBBtn(nbSingleRecView, 0, 0);
    TSingleRecViewForm *view = defs().SingleRecView();
    ASSERT_TRUE(view);
    view->resize(640, 480);
    settle();
    struct Step {
        QAction *item;
        TSingleRecLayout layout;
        const char *shot;
    };
    for (const Step &s : {Step{view->piHoriz, TSingleRecLayout::srlHoriz, "srv_across"},
                          Step{view->piVertTop, TSingleRecLayout::srlVertTop, "srv_top"},
                          Step{view->piVertLeftLeft, TSingleRecLayout::srlVertLeftLeft, "srv_left"},
                          Step{view->piVertLeftRight, TSingleRecLayout::srlVertLeftRight, "srv_right"}}) {
        view->LayoutItemClick(s.item);
        settle();
        EXPECT_EQ(view->Options.Layout, s.layout);
        EXPECT_TRUE(s.item->isChecked());
        view->grab().save(QStringLiteral("/tmp/nav31_%1.png").arg(QLatin1String(s.shot)));
        for (int i = 0; i < view->Controls.size(); ++i) {
            const QRect label = view->Labels[i]->geometry();
            const QRect control = view->Controls[i]->geometry();
            if (s.layout == TSingleRecLayout::srlHoriz || s.layout == TSingleRecLayout::srlVertTop)
                EXPECT_LE(label.bottom(), control.top()) << i;
            else
                EXPECT_LE(label.right(), control.left()) << i;
            EXPECT_LE(control.right(), view->ScrollContent->width()) << i;
        }
    }
    EXPECT_FALSE(view->piHoriz->isChecked());
}

TEST_F(TableViews, ABuildErrorOfTheSingleRecordViewIsShown)
{
    ext->SRVInitControl = [](dbe::TField *field, QWidget *) {
        if (field->FieldName() == QLatin1String("Km"))
            throw dbe::EDatabaseError(QStringLiteral("Feld Km nicht darstellbar"));
    };
    ext->HandleNBBtn(nbSingleRecView, 0, 0);
    EXPECT_EQ(defs().SingleRecView(), nullptr);
    EXPECT_EQ(message->text(), QStringLiteral("Feld Km nicht darstellbar"));
}
