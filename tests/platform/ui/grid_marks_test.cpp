// The grid's row marking, writable titles with their click, the cell painter
// and the double click.
#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

#include "db_fixture.h"
#include "dbe/Field.h"
#include "ui/DBGrid.h"
#include "ui_test_main.h"

using namespace ui;

namespace {

struct Grid {
    Grid() : vehicles(db)
    {
        DbFixture::addVehicles(*vehicles.table,
                               {{"A-1", "Kombi", 1000}, {"B-2", "Bus", 2500}, {"C-3", "Lkw", 0}});
        for (const char *hidden : {"Datum", "Leasing", "Art", "Gruppe", "Bild"})
            vehicles.table->FieldByName(QString::fromLatin1(hidden))->SetVisible(false);
        grid.setReadOnly(true);
        grid.setDataSource(&vehicles.source);
        grid.resize(500, 200);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
    }
    QPoint cell(int row, int column) { return grid.visualRect(grid.model()->index(row, column)).center(); }
    void click(int row, Qt::KeyboardModifiers mods = {})
    {
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, mods, cell(row, 0));
    }
    QString kfz() { return vehicles.table->FieldByName("KfzNr")->AsString(); }

    DbFixture db;
    VehicleTable vehicles;
    DBGrid grid;
};

} // namespace

class GridMarksTest : public QObject {
    Q_OBJECT
private slots:
    void marksKeepTheirOrderAndPlainClicksDropThem()
    {
        Grid g;
        g.click(2, Qt::ControlModifier); // not marking yet: only moves
        QCOMPARE(g.grid.markedCount(), 0);
        g.grid.setMultiSelect(true);
        g.click(2, Qt::ControlModifier);
        g.click(0, Qt::ControlModifier);
        g.click(1, Qt::ControlModifier);
        g.click(0, Qt::ControlModifier); // unmarks A-1
        QCOMPARE(g.grid.markedCount(), 2);
        QVERIFY(g.grid.isRowMarked(2) && g.grid.isRowMarked(1) && !g.grid.isRowMarked(0));
        QStringList order;
        for (int i = 0; i < g.grid.markedCount(); ++i) {
            g.grid.gotoMark(i);
            order << g.kfz();
        }
        QCOMPARE(order, QStringList({"C-3", "B-2"}));
        g.click(0);
        QCOMPARE(g.grid.markedCount(), 0);
        g.click(1, Qt::ControlModifier);
        g.grid.setMultiSelect(false);
        QCOMPARE(g.grid.markedCount(), 0);
    }

    void titlesAreWritableAndClicksAreReported()
    {
        Grid g;
        QSignalSpy clicks(&g.grid, &DBGrid::onTitleClick);
        g.grid.setColumnTitle(1, "* Info");
        QCOMPARE(g.grid.columnTitle(1), QString("* Info"));
        QCOMPARE(g.grid.model()->headerData(1, Qt::Horizontal).toString(), QString("* Info"));
        QHeaderView *header = g.grid.horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(2) + 12, 5));
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(clicks.first().first().toInt(), 2);
    }

    void cellPainterSeesEveryCellAndItsRow()
    {
        Grid g;
        QStringList seen;
        g.grid.setCellPainter([&](DBGrid::CellStyle &s) {
            if (s.column == 2) {
                seen << s.text + "/" + g.grid.rowValue(s.row, "KfzNr").toString();
                if (g.grid.rowValue(s.row, "Km").toDouble() > 2000) {
                    s.background = Qt::yellow;
                    s.underline = true;
                }
            }
        });
        g.grid.viewport()->repaint();
        QVERIFY(seen.contains("2500/B-2"));
        QVERIFY(seen.contains("1000/A-1"));
        DBGrid::CellStyle s;
        s.row = 1;
        s.column = 2;
        g.grid.styleCell(s);
        QCOMPARE(s.background, QColor(Qt::yellow));
        QVERIFY(s.underline);
        const QImage bild = g.grid.viewport()->grab().toImage();
        QCOMPARE(QColor(bild.pixel(g.cell(1, 2) - QPoint(20, 0))), QColor(Qt::yellow));
    }

    void doubleClickIsReported()
    {
        Grid g;
        QSignalSpy dbl(&g.grid, &DBGrid::onDblClick);
        QTest::mouseDClick(g.grid.viewport(), Qt::LeftButton, {}, g.cell(1, 1));
        QCOMPARE(dbl.count(), 1);
        QCOMPARE(g.kfz(), QString("B-2"));
    }
};

UI_TEST_MAIN(GridMarksTest)
#include "grid_marks_test.moc"
