// The Gantt chart widget: ranges, row window, hit test, zoom and pan.
#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "base/DateTime.h"
#include "ui/GanttChart.h"
#include "ui_test_main.h"

using ui::GanttChart;

namespace {

const double kTag = base::encodeDate(2024, 3, 5);

void fuellen(GanttChart &c, int zeilen)
{
    for (int r = 0; r < zeilen; ++r)
        c.addBar(
            {kTag + r * 0.25, kTag + r * 0.25 + 0.5, r, QColor(Qt::blue), QStringLiteral("K-%1").arg(r)});
}

} // namespace

class GanttChartTest : public QObject {
    Q_OBJECT
private slots:
    void axisRangesSetAndAutomatic()
    {
        GanttChart c;
        fuellen(c, 3);
        QVERIFY(c.timeAutomatic());
        QCOMPARE(c.timeMinimum(), kTag);
        QCOMPARE(c.timeMaximum(), kTag + 1.0);
        c.setTimeRange(kTag - 1, kTag + 2);
        QCOMPARE(c.timeMinimum(), kTag - 1);
        QCOMPARE(c.timeMaximum(), kTag + 2);
        c.scrollTime(1);
        QCOMPARE(c.timeMinimum(), kTag);
        QCOMPARE(c.timeMaximum(), kTag + 3);
        c.setTimeAutomatic();
        QCOMPARE(c.timeMinimum(), kTag);
        QCOMPARE(c.rowLabel(2), QString("K-2"));
        c.setRowLabels({"A", "B"});
        QCOMPARE(c.rowLabel(1), QString("B"));
        QCOMPARE(c.rowLabel(2), QString("K-2"));
    }

    void rowWindowScrolls()
    {
        GanttChart c;
        fuellen(c, 20);
        QCOMPARE(c.lastRow(), 19);
        c.setRowsAutomatic(false);
        QCOMPARE(c.visibleRows(), 15);
        QCOMPARE(c.firstRow(), 0);
        QCOMPARE(c.lastRow(), 14);
        c.scrollRows(3);
        QCOMPARE(c.firstRow(), 3);
        c.scrollRows(10); // not past the last row
        QCOMPARE(c.firstRow(), 5);
        QCOMPARE(c.lastRow(), 19);
        c.scrollRows(-9);
        QCOMPARE(c.firstRow(), 0);
    }

    void hitTestAndClicksReportTheBarAndButton()
    {
        GanttChart c;
        c.resize(900, 500);
        fuellen(c, 4);
        c.show();
        QVERIFY(QTest::qWaitForWindowExposed(&c));
        const QPoint mitte = c.pointAt(kTag + 0.25 + 0.25, 1);
        QCOMPARE(c.hitTest(mitte), 1);
        QCOMPARE(c.hitTest(c.pointAt(kTag + 0.9, 0)), -1);
        QCOMPARE(c.hitTest(QPoint(2, 2)), -1);
        QSignalSpy klicks(&c, &GanttChart::barClicked);
        QTest::mouseClick(&c, Qt::LeftButton, {}, mitte);
        QTest::mouseClick(&c, Qt::RightButton, {}, c.pointAt(kTag + 0.8, 2));
        QCOMPARE(klicks.count(), 2);
        QCOMPARE(klicks[0][0].toInt(), 1);
        QCOMPARE(klicks[0][1].value<Qt::MouseButton>(), Qt::LeftButton);
        QCOMPARE(klicks[1][0].toInt(), 2);
        QCOMPARE(klicks[1][1].value<Qt::MouseButton>(), Qt::RightButton);
    }

    void rubberBandZoomsAndUndoes()
    {
        GanttChart c;
        c.resize(900, 500);
        fuellen(c, 4);
        c.show();
        QVERIFY(QTest::qWaitForWindowExposed(&c));
        QSignalSpy zoom(&c, &GanttChart::zoomed), zurueck(&c, &GanttChart::zoomUndone);
        const QPoint von = c.pointAt(kTag + 0.1, 0), bis = c.pointAt(kTag + 0.4, 1);
        QTest::mousePress(&c, Qt::LeftButton, {}, von);
        QTest::mouseMove(&c, (von + bis) / 2);
        QTest::mouseMove(&c, bis);
        QTest::mouseRelease(&c, Qt::LeftButton, {}, bis);
        QCOMPARE(zoom.count(), 1);
        QVERIFY(c.isZoomed());
        // Zoomed, the bar of row 1 fills more of the width.
        QCOMPARE(c.hitTest(c.pointAt(kTag + 0.3, 1)), 1);
        QTest::mousePress(&c, Qt::LeftButton, {}, bis);
        QTest::mouseMove(&c, (von + bis) / 2);
        QTest::mouseMove(&c, von);
        QTest::mouseRelease(&c, Qt::LeftButton, {}, von);
        QCOMPARE(zurueck.count(), 1);
        QVERIFY(!c.isZoomed());
        // Panning with the right button moves the view, no click.
        QSignalSpy klicks(&c, &GanttChart::barClicked);
        const double vorher = c.pointAt(kTag, 0).x();
        const QPoint start = c.pointAt(kTag + 0.6, 2);
        QTest::mousePress(&c, Qt::RightButton, {}, start);
        QTest::mouseMove(&c, start + QPoint(30, 0));
        QTest::mouseMove(&c, start + QPoint(100, 0));
        QTest::mouseRelease(&c, Qt::RightButton, {}, start + QPoint(100, 0));
        QCOMPARE(klicks.count(), 0);
        QVERIFY(std::abs(c.pointAt(kTag, 0).x() - vorher - 100) <= 2);
    }

    // Printed, the chart keeps its proportions: the title is as high against the page as it is
    // against the chart on screen.
    void printKeepsTheTextInProportion()
    {
        if (QProcess::execute(QStringLiteral("pdftotext"), {QStringLiteral("-v")}) < 0)
            QSKIP("pdftotext is not installed");
        GanttChart c;
        c.resize(1000, 600);
        fuellen(c, 20);
        c.setTitle(QStringLiteral("Wochenplan"));
        c.setTimeRange(kTag, kTag + 7);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("gantt.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageOrientation(QPageLayout::Landscape);
        c.print(printer);
        if (const QByteArray keep = qgetenv("KARVEN_RENDER_DIR"); !keep.isEmpty()) // to look at it
            QFile::copy(pdf, QDir(QString::fromLocal8Bit(keep)).filePath(QStringLiteral("gantt.pdf")));
        QProcess words;
        words.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
        QVERIFY(words.waitForFinished(20000));
        const QString html = QString::fromUtf8(words.readAllStandardOutput());
        const auto page =
            QRegularExpression(QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\"")).match(html);
        const auto title = QRegularExpression(QStringLiteral("yMin=\"([\\d.]+)\" xMax=\"[\\d.]+\" "
                                                             "yMax=\"([\\d.]+)\">Wochenplan<"))
                               .match(html);
        QVERIFY2(page.hasMatch() && title.hasMatch(), qPrintable(html.left(2000)));
        const double pageWidth = page.captured(1).toDouble(), pageHeight = page.captured(2).toDouble();
        const double printed = title.captured(2).toDouble() - title.captured(1).toDouble();
        const double scale = std::min(pageWidth / c.width(), pageHeight / c.height());
        const double onScreen = QFontMetricsF(c.font()).height() * scale;
        QVERIFY2(printed > 0.5 * onScreen && printed < 1.5 * onScreen,
                 qPrintable(QStringLiteral("%1 pt printed, %2 pt expected").arg(printed).arg(onScreen)));
    }
};

UI_TEST_MAIN(GanttChartTest)
#include "gantt_chart_test.moc"
