#include <functional>
#include <stdexcept>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include "base/Abort.h"
#include "db_fixture.h"
#include "dbe/Field.h"
#include "ui/AppHooks.h"
#include "ui/Connect.h"
#include "ui/DBGrid.h"
#include "ui/DataSetModel.h"
#include "ui_test_main.h"

using namespace ui;

namespace {

QString cell(DBGrid &grid, int row, int column)
{
    return grid.model()->data(grid.model()->index(row, column)).toString();
}

// Typing into a grid: the first key opens the in-place editor, the rest goes
// to the editor, as the focus moves there; Return writes the cell.
void typeIntoCell(DBGrid &grid, const QString &text)
{
    QTest::keyClicks(&grid, text.left(1));
    QWidget *editor = grid.viewport()->focusWidget();
    QVERIFY(editor && editor != &grid);
    QTest::keyClicks(editor, text.mid(1));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the delegate commits in a queued call
}

QStringList headers(DBGrid &grid)
{
    QStringList out;
    for (int c = 0; c < grid.model()->columnCount(); ++c)
        out << grid.model()->headerData(c, Qt::Horizontal).toString();
    return out;
}

// A grid over three vehicles, shown, with only KfzNr, Info and Km visible.
struct GridOverVehicles {
    GridOverVehicles() : vehicles(db)
    {
        DbFixture::addVehicles(*vehicles.table,
                               {{"A-1", "Kombi", 1000}, {"B-2", "Transporter", 2500.5}, {"C-3", "Bus", 0}});
        for (const char *hidden : {"Datum", "Leasing", "Art", "Gruppe", "Bild"})
            vehicles.table->FieldByName(QString::fromLatin1(hidden))->SetVisible(false);
        grid.setObjectName(QStringLiteral("TDBGridTouren"));
        grid.setDataSource(&vehicles.source);
        grid.resize(500, 200);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        grid.activateWindow();
        grid.setFocus();
    }
    dbe::TField *field(const char *name) { return vehicles.table->FieldByName(QString::fromLatin1(name)); }

    DbFixture db;
    VehicleTable vehicles;
    DBGrid grid;
};

} // namespace

class GridTest : public QObject {
    Q_OBJECT
private slots:
    // A column is as wide as its title or its field's digits, whichever is
    // wider, in the fonts the grid has when its rows are laid out anew.
    void columnWidthsFollowTitlesDigitsAndFonts()
    {
        GridOverVehicles g;
        const auto breite = [&g](const QFont &zeilen, const QFont &titel, int spalte) {
            const dbe::TField *f = g.grid.columnField(spalte);
            return qMax(
                       QFontMetrics(zeilen).horizontalAdvance(QString(qBound(3, f->DisplayWidth(), 40), '0')),
                       QFontMetrics(titel).horizontalAdvance(f->DisplayLabel())) +
                   14;
        };
        g.field("Info")->SetDisplayLabel(QStringLiteral("Eine recht lange Überschrift der Spalte"));
        g.vehicles.table->Close();
        g.vehicles.table->Open();
        for (int c = 0; c < g.grid.model()->columnCount(); ++c)
            QCOMPARE(g.grid.columnWidth(c), breite(g.grid.font(), g.grid.horizontalHeader()->font(), c));
        const int vorher = g.grid.columnWidth(1);
        QFont gross = g.grid.font();
        gross.setPointSizeF(gross.pointSizeF() * 2);
        g.grid.setFont(gross);
        g.vehicles.table->Close();
        g.vehicles.table->Open();
        QVERIFY(g.grid.columnWidth(1) > vorher);
        for (int c = 0; c < g.grid.model()->columnCount(); ++c)
            QCOMPARE(g.grid.columnWidth(c), breite(gross, g.grid.horizontalHeader()->font(), c));
    }

    // The grid follows the cursor, moves it, edits in place, posts and cancels.
    void gridFollowsTheCursorEditsPostsAndCancels()
    {
        GridOverVehicles g;
        DBGrid &grid = g.grid;
        dbe::TTable &table = *g.vehicles.table;
        QCOMPARE(grid.currentIndex().row(), 0);
        table.Last();
        QCOMPARE(grid.currentIndex().row(), 2);
        table.Prior();
        QCOMPARE(grid.currentIndex().row(), 1);

        // Moving in the grid moves the cursor.
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {},
                          grid.visualRect(grid.model()->index(0, 1)).center());
        QCOMPARE(table.RecNo(), 1);
        QCOMPARE(grid.selectedField(), g.field("Info"));
        QTest::keyClick(&grid, Qt::Key_Down);
        QCOMPARE(table.RecNo(), 2);

        // Typing opens the in-place editor; Enter writes the field.
        typeIntoCell(grid, QStringLiteral("Pritsche"));
        QCOMPARE(table.State(), dbe::TDataSetState::dsEdit);
        QCOMPARE(g.field("Info")->AsString(), QStringLiteral("Pritsche"));
        QCOMPARE(cell(grid, 1, 1), QStringLiteral("Pritsche"));
        table.Post();
        QCOMPARE(cell(grid, 1, 1), QStringLiteral("Pritsche"));

        typeIntoCell(grid, QStringLiteral("Verworfen"));
        QCOMPARE(cell(grid, 1, 1), QStringLiteral("Verworfen"));
        table.Cancel();
        QCOMPARE(cell(grid, 1, 1), QStringLiteral("Pritsche"));

        // Leaving an edited row posts it.
        typeIntoCell(grid, QStringLiteral("Lkw"));
        QTest::keyClick(&grid, Qt::Key_Up);
        QCOMPARE(table.State(), dbe::TDataSetState::dsBrowse);
        QCOMPARE(table.RecNo(), 1);
        QCOMPARE(cell(grid, 1, 1), QStringLiteral("Lkw"));

        // The editor takes no more than the field holds: the user sees the
        // limit while typing instead of losing the rest on posting.
        const int size = g.field("Info")->Size();
        QVERIFY(size > 0);
        QTest::keyClicks(&grid, QStringLiteral("x"));
        auto *editor = qobject_cast<QLineEdit *>(grid.viewport()->focusWidget());
        QVERIFY(editor);
        QTest::keyClicks(editor, QString(size + 2, QLatin1Char('x')));
        QCOMPARE(editor->text(), QString(size, QLatin1Char('x')));
        QTest::keyClick(editor, Qt::Key_Escape);
    }

    // The indicator shows the state and is repainted when it changes: a
    // posted new row loses its "*" at once.
    void theIndicatorFollowsTheStateOnScreen()
    {
        GridOverVehicles g;
        DBGrid &grid = g.grid;
        dbe::TTable &table = *g.vehicles.table;
        QSignalSpy kopf(grid.model(), &QAbstractItemModel::headerDataChanged);
        table.Append();
        QCOMPARE(grid.model()->headerData(grid.currentIndex().row(), Qt::Vertical).toString(), QString("*"));
        g.field("KfzNr")->SetAsString(QStringLiteral("D-4"));
        kopf.clear();
        table.Post();
        const int zeile = grid.currentIndex().row();
        QCOMPARE(grid.model()->headerData(zeile, Qt::Vertical).toString(), QString("▶"));
        bool neuGemalt = false;
        for (const QList<QVariant> &signal : kopf)
            neuGemalt |= signal.at(0).toInt() == Qt::Vertical && signal.at(1).toInt() <= zeile &&
                         signal.at(2).toInt() >= zeile;
        QVERIFY(neuGemalt);
    }

    // A record that may not be left keeps the grid on its row; a text the
    // field refuses ends in the exception handling, not in Qt.
    void refusedMovesAndRefusedTexts()
    {
        GridOverVehicles g;
        DBGrid &grid = g.grid;
        dbe::TTable &table = *g.vehicles.table;
        QStringList caught;
        ScopedHook<ExceptionHandler> hook(hooks().exception, [&](QObject *, const std::exception &error) {
            caught << QString::fromUtf8(error.what());
        });
        grid.setSelectedField(g.field("Km"));
        typeIntoCell(grid, QStringLiteral("viel"));
        QCOMPARE(caught.size(), 1);
        QCOMPARE(g.field("Km")->AsFloat(), 1000.0);
        QTest::keyClick(grid.viewport()->focusWidget(), Qt::Key_Escape); // given up

        table.BeforePost = [](dbe::TDataSet &) { base::abortSilently(); };
        grid.setSelectedField(g.field("Info"));
        typeIntoCell(grid, QStringLiteral("Gesperrt"));
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {},
                          grid.visualRect(grid.model()->index(2, 1)).center());
        QCOMPARE(table.State(), dbe::TDataSetState::dsEdit);
        QCOMPARE(grid.currentIndex().row(), 0);
        QCOMPARE(caught.size(), 1); // the silent abort shows nothing
        table.BeforePost = nullptr;
        table.Cancel();
    }

    // A text the field refuses stays in its cell, in edit, and the selection
    // does not move on: Tab, Return and a click elsewhere alike. The refusal
    // is shown once, also when its box takes the focus from the editor.
    void refusedTextStaysInTheCellToBeCorrected()
    {
        GridOverVehicles g;
        DBGrid &grid = g.grid;
        dbe::TTable &table = *g.vehicles.table;
        QStringList caught;
        // As the program shows it: a box takes the focus away and gives it back.
        QLineEdit box(&grid);
        box.setGeometry(0, 0, 2, 2);
        box.show();
        ScopedHook<ExceptionHandler> hook(hooks().exception, [&](QObject *, const std::exception &error) {
            caught << QString::fromUtf8(error.what());
            QPointer<QWidget> had = QApplication::focusWidget();
            box.setFocus();
            QCoreApplication::processEvents();
            if (had)
                had->setFocus();
        });
        const auto editor = [&]() -> QLineEdit * {
            return qobject_cast<QLineEdit *>(grid.viewport()->focusWidget());
        };
        struct Leave {
            const char *how;
            std::function<void()> leave;
        };
        const std::vector<Leave> ways = {
            {"Tab", [&] { QTest::keyClick(editor(), Qt::Key_Tab); }},
            {"Return", [&] { QTest::keyClick(editor(), Qt::Key_Return); }},
            {"click on the next row",
             [&] {
                 QTest::mouseClick(grid.viewport(), Qt::LeftButton, {},
                                   grid.visualRect(grid.model()->index(1, 1)).center());
             }},
        };
        for (const Leave &way : ways) {
            caught.clear();
            grid.setSelectedField(g.field("Km"));
            QTest::keyClicks(&grid, QStringLiteral("a"));
            QVERIFY2(editor(), way.how);
            QTest::keyClicks(editor(), QStringLiteral("bc"));
            way.leave();
            QCoreApplication::processEvents();
            QCOMPARE(caught,
                     QStringList{QStringLiteral(
                         "Km: 'abc' ist keine gültige Zahl. Bitte eine Zahl eingeben (z. B. 1.234,50).")});
            QVERIFY2(editor(), way.how);
            QCOMPARE(editor()->text(), QStringLiteral("abc"));
            QCOMPARE(grid.indexWidget(grid.model()->index(0, 2)), editor());
            QCOMPARE(grid.currentIndex().row(), 0);
            QCOMPARE(grid.selectedField(), g.field("Km"));
            QCOMPARE(table.RecNo(), 1);
            QCOMPARE(g.field("Km")->AsFloat(), 1000.0);
            // Corrected, the value goes in and the grid goes on as asked.
            editor()->setText(QStringLiteral("1.500"));
            way.leave();
            QCoreApplication::processEvents();
            QCOMPARE(caught.size(), 1);
            table.First();
            QCOMPARE(g.field("Km")->AsFloat(), 1500.0);
            QCOMPARE(table.State(), dbe::TDataSetState::dsBrowse);
            table.Edit();
            g.field("Km")->SetAsFloat(1000);
            table.Post();
        }
        // Escape gives the refused text up.
        grid.setSelectedField(g.field("Km"));
        QTest::keyClicks(&grid, QStringLiteral("x"));
        QTest::keyClick(editor(), Qt::Key_Tab);
        QCoreApplication::processEvents();
        QTest::keyClick(editor(), Qt::Key_Escape);
        QCOMPARE(grid.indexWidget(grid.model()->index(0, 2)), nullptr);
        QCOMPARE(cell(grid, 0, 2), QStringLiteral("1000"));
        table.Cancel();
    }

    void columnsFollowTheFieldList()
    {
        GridOverVehicles g;
        g.field("KfzNr")->SetDisplayLabel(QStringLiteral("Kennzeichen"));
        g.field("Km")->SetDisplayFormat(QStringLiteral("#,##0.00"));
        g.vehicles.table->MoveField(g.field("Km"), 0);
        QCOMPARE(headers(g.grid), (QStringList{"Km", "Kennzeichen", "Info"}));
        QCOMPARE(cell(g.grid, 1, 0), QStringLiteral("2.500,50"));
        QCOMPARE(cell(g.grid, 2, 1), QStringLiteral("C-3"));
        g.field("Info")->SetVisible(false);
        g.vehicles.table->MoveField(g.field("Km"), 0); // a layout change reads the columns again
        QCOMPARE(headers(g.grid), (QStringList{"Km", "Kennzeichen"}));
    }

    // Fields shown and hidden together make one new column set, read once;
    // a grid put on an open dataset reads its columns once as well.
    void fieldsChangedTogetherAreReadOnce()
    {
        GridOverVehicles g;
        int resets = 0;
        QObject::connect(g.grid.model(), &QAbstractItemModel::modelReset, [&] { ++resets; });
        g.grid.dataModel()->changeFields([&] {
            g.field("Info")->SetVisible(false);
            g.field("Gruppe")->SetVisible(true);
            g.field("Art")->SetVisible(true);
        });
        QCOMPARE(resets, 1);
        QCOMPARE(headers(g.grid), (QStringList{"KfzNr", "Km", "Art", "Gruppe"}));
        // What was changed before a failure is shown all the same.
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, g.grid.dataModel()->changeFields([&] {
            g.field("Art")->SetVisible(false);
            throw std::runtime_error("abgebrochen");
        }));
        QCOMPARE(resets, 2);
        QCOMPARE(headers(g.grid), (QStringList{"KfzNr", "Km", "Gruppe"}));
        // Nothing changed, nothing read.
        g.grid.dataModel()->changeFields([] {});
        QCOMPARE(resets, 2);

        DBGrid other;
        QObject::connect(other.model(), &QAbstractItemModel::modelReset, [&] { ++resets; });
        other.setDataSource(&g.vehicles.source);
        QCOMPARE(resets, 3);
        QCOMPARE(headers(other), (QStringList{"KfzNr", "Km", "Gruppe"}));
        other.setDataSource(nullptr);
        QCOMPARE(resets, 4);
        QCOMPARE(other.columnCount(), 0);
    }

    // Dragging a column reorders the dataset's field list (the stored column
    // order is kept as field positions) and reports the move.
    void userMovesAColumn()
    {
        GridOverVehicles g;
        QList<std::pair<int, int>> moves;
        on(&g.grid, &DBGrid::onColumnMoved, &g.grid, [&](int from, int to) { moves.append({from, to}); });
        g.grid.horizontalHeader()->moveSection(0, 2); // what a drag does
        QCOMPARE(moves, (QList<std::pair<int, int>>{{0, 2}}));
        QCOMPARE(headers(g.grid), (QStringList{"Info", "Km", "KfzNr"}));
        QCOMPARE(g.field("KfzNr")->Index(), 2);
        QCOMPARE(g.field("Info")->Index(), 0);
        QCOMPARE(g.grid.horizontalHeader()->visualIndex(2), 2); // the header shows the model's order
        QCOMPARE(cell(g.grid, 0, 2), QStringLiteral("A-1"));

        g.grid.horizontalHeader()->moveSection(2, 1);
        QCOMPARE(headers(g.grid), (QStringList{"Info", "KfzNr", "Km"}));
        QCOMPARE(moves.last(), (std::pair<int, int>{2, 1}));
    }

    // Selected field and column by code and by the user; column enter lets
    // a form make single columns read-only.
    void selectedColumnColumnEnterAndReadOnlyColumns()
    {
        GridOverVehicles g;
        QStringList entered;
        on(&g.grid, &DBGrid::onColEnter, &g.grid, [&] {
            entered << g.grid.selectedField()->FieldName();
            g.grid.setReadOnly(g.grid.selectedField()->FieldName() == QLatin1String("KfzNr"));
        });
        g.grid.setSelectedIndex(1);
        g.grid.setSelectedIndex(0); // selected column set to 1 and back to 0: two column enters
        QCOMPARE(entered, (QStringList{"Info", "KfzNr"}));
        QVERIFY(g.grid.readOnly());
        QTest::keyClicks(&g.grid, QStringLiteral("X"));
        QCOMPARE(g.vehicles.table->State(), dbe::TDataSetState::dsBrowse);

        g.grid.setSelectedField(g.field("Km"));
        QCOMPARE(g.grid.selectedIndex(), 2);
        QCOMPARE(entered.last(), QStringLiteral("Km"));
        g.grid.setColumnReadOnly(QStringLiteral("Km"), true);
        QTest::keyClicks(&g.grid, QStringLiteral("5"));
        QCOMPARE(g.vehicles.table->State(), dbe::TDataSetState::dsBrowse);

        QTest::keyClick(&g.grid, Qt::Key_Left); // the user: Info is writable
        QCOMPARE(entered.last(), QStringLiteral("Info"));
        QTest::keyClicks(&g.grid, QStringLiteral("Y"));
        QCOMPARE(g.vehicles.table->State(), dbe::TDataSetState::dsEdit);
        g.vehicles.table->Cancel();
    }

    void rowSelectKeyInterceptionAndAppendAtTheEnd()
    {
        GridOverVehicles g;
        DBGrid &grid = g.grid;
        int swallowed = 0;
        on(&grid, &DBGrid::onKeyDown, &grid, [&](int &key, Qt::KeyboardModifiers modifiers) {
            if (key == Qt::Key_Delete && modifiers == Qt::ControlModifier) {
                key = 0;
                ++swallowed;
            }
        });
        QTest::keyClick(&grid, Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(swallowed, 1);

        g.vehicles.table->Last();
        QTest::keyClick(&grid, Qt::Key_Down); // at the last row: a new record
        QCOMPARE(g.vehicles.table->State(), dbe::TDataSetState::dsInsert);
        QCOMPARE(grid.model()->rowCount(), 4);
        QCOMPARE(grid.currentIndex().row(), 3);
        QCOMPARE(cell(grid, 3, 0), QString());
        g.vehicles.table->Cancel();
        QCOMPARE(grid.model()->rowCount(), 3);
        QCOMPARE(grid.currentIndex().row(), 2);

        grid.setRowSelect(true);
        QCOMPARE(grid.selectionBehavior(), QAbstractItemView::SelectRows);
        QTest::keyClicks(&grid, QStringLiteral("Z")); // no editing in row select
        QTest::keyClick(&grid, Qt::Key_Down);         // and no new record
        QCOMPARE(g.vehicles.table->State(), dbe::TDataSetState::dsBrowse);
    }

    // The model passes Qt's model checks while the cursor moves, the rows
    // change and a record is inserted; 10,000 rows are read only as far as
    // they are shown.
    void modelPassesQtsChecksOnTenThousandRows()
    {
        DbFixture db;
        VehicleTable vehicles(db);
        DbFixture::addNumberedVehicles(*vehicles.table, 10000);
        DataSetModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QElapsedTimer timer;
        timer.start();
        DBGrid grid;
        grid.setDataSource(&vehicles.source);
        grid.resize(600, 400);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        const qint64 openLarge = timer.nsecsElapsed();

        model.setDataSource(&vehicles.source);
        QCOMPARE(model.rowCount(), 10000);
        vehicles.table->MoveBy(5000);
        QCOMPARE(model.currentRow(), 5000);
        QCOMPARE(grid.currentIndex().row(), 5000);
        QCOMPARE(model.data(model.index(9999, 0)).toString(), QStringLiteral("K10000"));
        vehicles.table->Insert();
        QCOMPARE(model.rowCount(), 10001);
        vehicles.table->FieldByName(QStringLiteral("KfzNr"))->SetAsString(QStringLiteral("K05000a"));
        vehicles.table->Post();
        QCOMPARE(model.rowCount(), 10001);
        vehicles.table->Delete();
        QCOMPARE(model.rowCount(), 10000);
        vehicles.table->Close();
        QCOMPARE(model.rowCount(), 0);

        DbFixture smallDb;
        VehicleTable small(smallDb);
        DbFixture::addNumberedVehicles(*small.table, 10);
        timer.restart();
        DBGrid smallGrid;
        smallGrid.setDataSource(&small.source);
        smallGrid.resize(600, 400);
        smallGrid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&smallGrid));
        const qint64 openSmall = timer.nsecsElapsed();
        qInfo("grid opened over 10000 rows in %.2f ms, over 10 rows in %.2f ms", openLarge / 1e6,
              openSmall / 1e6);
    }
};

UI_TEST_MAIN(GridTest)
#include "grid_test.moc"
