// Print runs of the real engine, headless, driven the way the print loops drive it.
#include <map>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>

#include "engine_fixture.h"
#include "reportengine/Layouter.h"
#include "reportengine/PageModel.h"
#include "reportengine/PagePainter.h"
#include "reportengine/TextFit.h"
#include "reportengine/TextMeasurer.h"
#include "temp_dir.h"

using namespace enginetest;

namespace {

class EngineContract : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto ui = std::make_unique<tb::ScriptedEngineUi>();
        ui_ = ui.get();
        engine_ = std::make_unique<tb::Engine>(std::move(ui));
        engine_->setNow(45292); // 01.01.2024
        job_ = engine_->TbJobOpen(-1);
        ASSERT_GE(job_, 0);
        pdf_ = QString::fromStdString((dir_ / "out.pdf").string());
        ui_->script.printer = tb::pdfPseudoPrinterName();
        ui_->script.pdfFile = pdf_;
        engine_->TbDefineVariableA(job_, QStringLiteral("Firma"), QStringLiteral("Muster GmbH"));
    }

    QString project(const tb::Project &p, const char *name = "Liste.lst")
    {
        return saveProject(p, QString::fromStdString((dir_ / name).string()));
    }

    std::function<void(int)> rowDefiner(const QString &memo = QString())
    {
        return [this, memo](int row) {
            engine_->TbDefineFieldA(job_, QStringLiteral("Nr"), QString::number(row + 1));
            engine_->TbDefineFieldA(job_, QStringLiteral("Name"), QStringLiteral("Zeile %1").arg(row + 1));
            engine_->TbDefineFieldA(job_, QStringLiteral("Betrag"), QStringLiteral("1,50"));
            engine_->TbDefineFieldA(job_, QStringLiteral("Memo"), memo);
        };
    }

    static int count(const QString &text, const QString &what)
    {
        return int(
            text.count(QRegularExpression(QStringLiteral("\\b%1\\b").arg(QRegularExpression::escape(what)))));
    }

    testsupport::TempDir dir_;
    tb::ScriptedEngineUi *ui_ = nullptr;
    std::unique_ptr<tb::Engine> engine_;
    int job_ = -1;
    QString pdf_;
};

TEST_F(EngineContract, ListToPdfBreaksPagesAndRepeatsTheRowThatDidNotFit)
{
    const auto r =
        runListLoop(*engine_, job_, project(listProject(60)), tb::TB_PRINT_PRINTER, 40, rowDefiner());
    ASSERT_EQ(r.start, 0);
    EXPECT_EQ(r.end, 0);
    EXPECT_EQ(r.rowsPrinted, 40);
    const QStringList pages = pdfPages(pdf_);
    ASSERT_GT(pages.size(), 1);
    EXPECT_EQ(pdfPageCount(pdf_), pages.size());
    EXPECT_EQ(int(pages.size()), r.pagesBegun);
    ASSERT_EQ(r.repeatedRows.size(), size_t(pages.size() - 1));
    // Every row once, and each row that hit a full page opens the next page.
    const QString all = pages.join(QString());
    for (int row = 1; row <= 40; ++row)
        EXPECT_EQ(count(all, QStringLiteral("Zeile %1").arg(row)), 1) << row;
    for (size_t i = 0; i < r.repeatedRows.size(); ++i) {
        const QString repeated = QStringLiteral("Zeile %1").arg(r.repeatedRows[i] + 1);
        EXPECT_EQ(count(pages[int(i)], repeated), 0);
        EXPECT_EQ(count(pages[int(i) + 1], repeated), 1);
    }
    // Page objects on every page, the footer with the sums on the last.
    for (int i = 0; i < pages.size(); ++i) {
        EXPECT_TRUE(pages[i].contains(QStringLiteral("Seite %1").arg(i + 1)));
        EXPECT_TRUE(pages[i].contains(QStringLiteral("Muster GmbH")));
        EXPECT_TRUE(pages[i].contains(QStringLiteral("01.01.2024")));
    }
    EXPECT_TRUE(pages.last().contains(QStringLiteral("40 Posten")));
    EXPECT_TRUE(pages.last().contains(QStringLiteral("60,00")));
    EXPECT_EQ(ui_->record.progressOpened, 1);
    EXPECT_EQ(ui_->record.progressClosed, 1);
    EXPECT_EQ(ui_->record.optionsTexts.value(0).left(11), QStringLiteral("Drucke\nCa. "));
}

TEST_F(EngineContract, PageRangeOneToThreeOfFivePagesGivesThreePages)
{
    // First a full run to know the rows that make five pages.
    const QString file = project(listProject(60));
    const auto full = runListLoop(*engine_, job_, file, tb::TB_PRINT_PREVIEW, 200, rowDefiner());
    ASSERT_EQ(full.start, 0);
    const int perPage = 200 / std::max(1, full.pagesBegun - 1);
    const int rows = perPage * 4 + perPage / 2; // 5 pages
    QFile::remove(pdf_);
    const auto five = runListLoop(*engine_, job_, file, tb::TB_PRINT_PRINTER, rows, rowDefiner());
    ASSERT_EQ(pdfPageCount(pdf_), 5);
    ASSERT_EQ(five.pagesBegun, 5);

    QFile::remove(pdf_);
    ui_->script.firstPage = 1;
    ui_->script.lastPage = 3;
    const auto r = runListLoop(*engine_, job_, file, tb::TB_PRINT_PRINTER, rows, rowDefiner());
    EXPECT_EQ(r.end, 0);
    const QStringList pages = pdfPages(pdf_);
    ASSERT_EQ(pages.size(), 3);
    EXPECT_TRUE(pages[2].contains(QStringLiteral("Seite 3")));
    EXPECT_LT(r.rowsPrinted, rows); // the loop stopped before page 4
}

TEST_F(EngineContract, PreviewOfAPageRangeHoldsThosePagesWithTheirLines)
{
    const QString file = project(listProject(60));
    tb::PageModel model;
    ui_->script.onPreview = [&](const QString &previewFile, const tb::PreviewNotifier &) {
        ASSERT_TRUE(tb::PageModel::readFile(previewFile, model));
    };
    ui_->script.firstPage = 2;
    ui_->script.lastPage = 3;
    const auto r = runListLoop(*engine_, job_, file, tb::TB_PRINT_PREVIEW, 200, rowDefiner());
    EXPECT_EQ(r.end, 0);
    ASSERT_EQ(model.pages.size(), 2u);
    EXPECT_EQ(model.pages[0].number, 2);
    EXPECT_EQ(model.pages[1].number, 3);
    std::map<int, int> rows; // per page
    for (const auto &line : model.table)
        rows[line.page] += line.kind == tb::TableLineRecord::Kind::Row;
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_GT(rows[2], 0);
    EXPECT_GT(rows[3], 0);
}

TEST_F(EngineContract, EmptyTableGivesOnePageWithTheFooter)
{
    const auto r = runListLoop(*engine_, job_, project(listProject()), tb::TB_PRINT_PRINTER, 0, rowDefiner());
    EXPECT_EQ(r.footer, 0);
    const QStringList pages = pdfPages(pdf_);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Summe")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("0 Posten")));
    EXPECT_FALSE(pages[0].contains(QStringLiteral("Zeile")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Bemerkung"))); // header
}

TEST_F(EngineContract, CancelAtRowKEndsTheRunWithoutAFile)
{
    ui_->script.cancelAtProgress = 5;
    const auto r =
        runListLoop(*engine_, job_, project(listProject(60)), tb::TB_PRINT_PRINTER, 40, rowDefiner());
    EXPECT_EQ(r.rowsPrinted, 4);
    EXPECT_EQ(r.lastResult, tb::TB_ERR_USER_ABORTED);
    EXPECT_EQ(r.footer, tb::TB_ERR_USER_ABORTED); // sticky until the end of the run
    EXPECT_FALSE(QFile::exists(pdf_));
    EXPECT_EQ(ui_->record.progressClosed, 1);
    // The next run starts clean.
    ui_->script.cancelAtProgress = 0;
    const auto again =
        runListLoop(*engine_, job_, project(listProject(60)), tb::TB_PRINT_PRINTER, 3, rowDefiner());
    EXPECT_EQ(again.rowsPrinted, 3);
    EXPECT_EQ(pdfPageCount(pdf_), 1);
}

TEST_F(EngineContract, RowTallerThanThePageTerminatesWithOneRowPerPage)
{
    QString memo;
    for (int i = 0; i < 120; ++i)
        memo += QStringLiteral("Lange Bemerkung %1\n").arg(i);
    const auto r =
        runListLoop(*engine_, job_, project(listProject(60)), tb::TB_PRINT_PRINTER, 3, rowDefiner(memo));
    EXPECT_EQ(r.rowsPrinted, 3);
    const QStringList pages = pdfPages(pdf_);
    // Three rows on three pages; the footer follows on a fourth.
    ASSERT_EQ(pages.size(), 4);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(count(pages[i], QStringLiteral("Zeile %1").arg(i + 1)), 1);
    EXPECT_EQ(r.footer, tb::TB_WRN_REPEAT_DATA);
    EXPECT_EQ(r.footerRetry, 0);
    EXPECT_TRUE(pages[3].contains(QStringLiteral("3 Posten")));
}

TEST_F(EngineContract, FooterThatDoesNotFitMovesToTheNextPage)
{
    const QString file = project(listProject(60));
    // Find how many rows fill the first page exactly, then print that many.
    const auto probe = runListLoop(*engine_, job_, file, tb::TB_PRINT_PREVIEW, 100, rowDefiner());
    ASSERT_FALSE(probe.repeatedRows.empty());
    const int perPage = probe.repeatedRows.front();
    QFile::remove(pdf_);
    const auto r = runListLoop(*engine_, job_, file, tb::TB_PRINT_PRINTER, perPage, rowDefiner());
    EXPECT_EQ(r.footer, tb::TB_WRN_REPEAT_DATA);
    EXPECT_EQ(r.footerRetry, 0);
    const QStringList pages = pdfPages(pdf_);
    ASSERT_EQ(pages.size(), 2);
    EXPECT_FALSE(pages[0].contains(QStringLiteral("Posten")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("Posten")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("Bemerkung"))); // the new page has its header
}

TEST_F(EngineContract, PreviewRunWritesThePreviewFileTheWindowShows)
{
    int shownPages = 0;
    ui_->script.onPreview = [&](const QString &file, const tb::PreviewNotifier &) {
        tb::PageModel model;
        ASSERT_TRUE(tb::PageModel::readFile(file, model));
        shownPages = int(model.pages.size());
        EXPECT_FALSE(model.table.empty());
    };
    engine_->TbSetOption(job_, tb::opt::PreviewZoom, 80);
    const QString file = project(listProject(60));
    const auto r = runListLoop(*engine_, job_, file, tb::TB_PRINT_PREVIEW, 30, rowDefiner());
    EXPECT_EQ(r.end, 0);
    ASSERT_EQ(ui_->record.previews.size(), 1);
    EXPECT_EQ(shownPages, r.pagesBegun);
    EXPECT_EQ(ui_->record.lastGeometry.zoomPercent, 80);
    EXPECT_TRUE(ui_->record.previews[0].startsWith(QDir::tempPath()));
    EXPECT_FALSE(QFile::exists(ui_->record.previews[0])); // deleted after display
    EXPECT_EQ(engine_->TbPreviewDisplayA(job_, file, QString(), nullptr), tb::TB_ERR_NO_PREVIEW);
    QString name, port;
    engine_->TbPrintWithBoxStartA(job_, 2, file, tb::TB_PRINT_PREVIEW, 1, nullptr, QString());
    engine_->TbPrintGetPrinterInfoA(job_, name, 256, port, 81);
    EXPECT_EQ(name, QStringLiteral("Vorschau"));
    // An aborted preview run leaves no preview behind.
    ui_->script.cancelAtProgress = 1;
    engine_->TbPrintSetBoxTextA(job_, QStringLiteral("x"), 10);
    engine_->TbPrintEnd(job_, 0);
    EXPECT_EQ(engine_->TbPreviewDisplayA(job_, file, QString(), nullptr), tb::TB_ERR_NO_PREVIEW);
}

TEST_F(EngineContract, CardProjectPrintsOnePagePerPrintCall)
{
    const QString file = project(cardProject(), "Karte.crd");
    engine_->TbDefineVariableA(job_, QStringLiteral("KfzNr"), QStringLiteral("HH-AB 123"));
    engine_->TbDefineVariableA(job_, QStringLiteral("Memo"), QStringLiteral("Erste Zeile\r\nZweite Zeile"));
    ASSERT_EQ(engine_->TbPrintWithBoxStartA(job_, tb::TB_OBJECT_CARD, file, tb::TB_PRINT_PRINTER, 1, nullptr,
                                            QStringLiteral("Drucke...")),
              0);
    ASSERT_EQ(engine_->TbPrintOptionsDialogA(job_, nullptr, QStringLiteral("Drucke\nCa. 1 Seite(n)")), 0);
    EXPECT_EQ(engine_->TbPrint(job_), 0);
    EXPECT_EQ(engine_->TbPrintGetCurrentPage(job_), 1);
    EXPECT_EQ(engine_->TbPrintEnd(job_, 0), 0);
    const QStringList pages = pdfPages(pdf_);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Kennzeichen: HH-AB 123")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Erste Zeile")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Zweite Zeile")));
    EXPECT_FALSE(pages[0].contains(QStringLiteral("Erste Zeile Zweite")));
}

TEST_F(EngineContract, ExportToPdfWritesTheNamedFile)
{
    const QString file = project(listProject());
    engine_->TbXSetParameterA(job_, 1, QStringLiteral("PDF"), QStringLiteral("Export.Path"),
                              QString::fromStdString(dir_.str()));
    engine_->TbXSetParameterA(job_, 1, QStringLiteral("PDF"), QStringLiteral("Export.File"),
                              QStringLiteral("x.pdf"));
    engine_->TbXSetParameterA(job_, 1, QStringLiteral("PDF"), QStringLiteral("Export.Quiet"),
                              QStringLiteral("1"));
    engine_->TbXSetParameterA(job_, 1, QStringLiteral("PDF"), QStringLiteral("Export.ShowResult"),
                              QStringLiteral("1"));
    ASSERT_EQ(engine_->TbPrintWithBoxStartA(job_, 2, file, tb::TB_PRINT_EXPORT, tb::TB_BOX_EXPORT, nullptr,
                                            QStringLiteral("Exportiere...")),
              0);
    EXPECT_EQ(engine_->TbPrintSetOptionStringA(job_, tb::TB_PRNOPTSTR_EXPORT_TARGET, QStringLiteral("PDF")),
              0);
    rowDefiner()(0);
    EXPECT_EQ(engine_->TbPrintFields(job_), 0); // begins page 1 itself
    EXPECT_EQ(engine_->TbPrintSetOptionStringA(job_, tb::TB_PRNOPTSTR_EXPORT_TARGET, QStringLiteral("XLS")),
              tb::TB_ERR_BUSY);
    EXPECT_EQ(engine_->TbPrintFieldsEnd(job_), 0);
    EXPECT_EQ(engine_->TbPrintEnd(job_, 0), 0);
    const QString out = QString::fromStdString((dir_ / "x.pdf").string());
    EXPECT_EQ(pdfPageCount(out), 1);
    EXPECT_EQ(ui_->record.opened, QStringList{out});
}

TEST_F(EngineContract, StartFailuresAndStateErrors)
{
    const QString list = project(listProject());
    const QString card = project(cardProject(), "Karte.crd");
    struct Case {
        const char *what;
        int objectType;
        QString file;
        int expected;
    };
    tb::Project noTable = listProject();
    noTable.objects.pop_back();
    tb::Project badExpr = listProject();
    badExpr.filter = QStringLiteral("Nr = ");
    const std::vector<Case> cases = {
        {"missing file", 2, QString::fromStdString((dir_ / "fehlt.lst").string()), tb::TB_ERR_BAD_PROJECT},
        {"card as list", 2, card, tb::TB_ERR_BAD_PROJECT},
        {"list as card", 3, list, tb::TB_ERR_BAD_PROJECT},
        {"list without table", 2, project(noTable, "OhneTabelle.lst"), tb::TB_ERR_BAD_PROJECT},
        {"syntax error", 2, project(badExpr, "Fehler.lst"), tb::TB_ERR_BAD_PROJECT},
        {"good list", 2, list, tb::TB_OK},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(engine_->TbPrintWithBoxStartA(job_, c.objectType, c.file, tb::TB_PRINT_PRINTER, 1, nullptr,
                                                QString()),
                  c.expected)
            << c.what;
    }
    // A run is in progress now.
    EXPECT_EQ(engine_->TbPrintWithBoxStartA(job_, 2, list, tb::TB_PRINT_PRINTER, 1, nullptr, QString()),
              tb::TB_ERR_BUSY);
    EXPECT_EQ(engine_->TbDefineLayoutA(job_, nullptr, QString(), 2, list), tb::TB_ERR_BUSY);
    engine_->TbPrintEnd(job_, 0);
    EXPECT_EQ(engine_->TbPrintFields(job_), tb::TB_ERR_BUSY);
    // Option 33 allows a list without a table.
    engine_->TbSetOption(job_, tb::opt::NoTableAllowed, 1);
    EXPECT_EQ(engine_->TbPrintWithBoxStartA(job_, 2, project(noTable, "OhneTabelle.lst"), 256, 1, nullptr,
                                            QString()),
              0);
    EXPECT_EQ(engine_->TbPrintGetItemsPerPage(job_), 0);
    engine_->TbPrintEnd(job_, 0);
    // Bad handles never crash.
    for (int handle : {-1, -2, 999}) {
        EXPECT_EQ(engine_->TbPrint(handle), tb::TB_ERR_BAD_JOB);
        EXPECT_EQ(engine_->TbDefineFieldA(handle, QStringLiteral("a"), QStringLiteral("b")),
                  tb::TB_ERR_BAD_JOB);
        EXPECT_EQ(engine_->TbPrintEnd(handle, 0), tb::TB_ERR_BAD_JOB);
    }
}

TEST_F(EngineContract, FilterSkipsRowsAndReportsThem)
{
    tb::Project p = listProject();
    p.filter = QStringLiteral("Val(Nr) <> 2");
    const QString file = project(p);
    static int failsFilter = 0;
    failsFilter = 0;
    engine_->TbSetNotificationCallback(job_, [](unsigned message, intptr_t, intptr_t) -> intptr_t {
        if (message == tb::msg::FailsFilter)
            ++failsFilter;
        return 0;
    });
    ASSERT_EQ(engine_->TbPrintWithBoxStartA(job_, 2, file, 256, 1, nullptr, QString()), 0);
    ASSERT_EQ(engine_->TbPrintOptionsDialogA(job_, nullptr, QString()), 0);
    int matched = 0;
    for (int row = 0; row < 3; ++row) {
        rowDefiner()(row);
        EXPECT_EQ(engine_->TbPrintFields(job_), 0);
        matched += engine_->TbPrintDidMatchFilter(job_);
    }
    EXPECT_EQ(matched, 2);
    EXPECT_EQ(failsFilter, 1);
    EXPECT_EQ(engine_->TbPrintFieldsEnd(job_), 0);
    EXPECT_EQ(engine_->TbPrintEnd(job_, 0), 0);
    const QStringList pages = pdfPages(pdf_);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_FALSE(pages[0].contains(QStringLiteral("Zeile 2")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("2 Posten")));
}

TEST_F(EngineContract, FieldUseAndNameTranslation)
{
    tb::Project p = listProject();
    p.objects[0].paragraphs[0].expr = QStringLiteral("Firma + [Datum von] + KfzKW_PS");
    const QString file = project(p);
    ASSERT_EQ(engine_->TbPrintWithBoxStartA(job_, 2, file, 256, 1, nullptr, QString()), 0);
    struct Case {
        const char *name;
        int used;
    };
    for (const auto &c : std::vector<Case>{{"Name", 1},
                                           {"Betrag", 1},
                                           {"SumBetrag", 1},
                                           {"Firma", 1},
                                           {"Datum von", 1},
                                           {"Datum_von", 1},
                                           {"KfzKW/PS", 1},
                                           {"name", 0},
                                           {"Unbenutzt", 0}})
        EXPECT_EQ(engine_->TbPrintIsFieldUsedA(job_, QString::fromUtf8(c.name)), c.used) << c.name;
    engine_->TbPrintEnd(job_, 0);
    // Without case sensitivity "name" is "Name".
    engine_->TbSetOption(job_, tb::opt::VarsCaseSensitive, 0);
    ASSERT_EQ(engine_->TbPrintWithBoxStartA(job_, 2, file, 256, 1, nullptr, QString()), 0);
    EXPECT_EQ(engine_->TbPrintIsFieldUsedA(job_, QStringLiteral("name")), 1);
    engine_->TbPrintEnd(job_, 0);
}

TEST_F(EngineContract, OptionsJobsAndPrintOptions)
{
    // Defaults equal the components' creation values; anything set reads back exactly.
    EXPECT_EQ(engine_->TbGetOption(job_, tb::opt::VarsCaseSensitive), 1);
    EXPECT_EQ(engine_->TbGetOption(job_, 999), 0);
    engine_->TbSetOption(job_, 999, -7);
    EXPECT_EQ(engine_->TbGetOption(job_, 999), -7);
    engine_->TbSetOption(-1, 44, 1025);
    EXPECT_EQ(engine_->TbGetOption(-1, 44), 1025);
    EXPECT_EQ(engine_->TbJobOpen(42), tb::TB_ERR_NO_LANGUAGE);

    engine_->TbDefineFieldA(job_, QStringLiteral("A"), QStringLiteral("1"));
    const int copy = engine_->TbJobOpenCopy(job_);
    ASSERT_GE(copy, 0);
    EXPECT_EQ(engine_->TbGetOption(copy, 999), -7);
    engine_->TbSetOption(copy, 999, 3);
    EXPECT_EQ(engine_->TbGetOption(job_, 999), -7); // independent afterwards
    EXPECT_EQ(engine_->TbJobClose(copy), 0);
    EXPECT_EQ(engine_->TbJobClose(copy), tb::TB_ERR_BAD_JOB);

    const QString file = project(listProject());
    ASSERT_EQ(engine_->TbPrintWithBoxStartA(job_, 2, file, tb::TB_PRINT_PRINTER, 1, nullptr, QString()), 0);
    EXPECT_EQ(engine_->TbPrintGetOption(job_, tb::popt::Copies), 1);
    EXPECT_EQ(engine_->TbPrintGetOption(job_, tb::popt::FirstPage), 1);
    EXPECT_EQ(engine_->TbPrintGetOption(job_, tb::popt::LastPage), 32767);
    EXPECT_EQ(engine_->TbPrintGetOption(job_, tb::popt::Destination), tb::TB_DEST_PRINTER);
    EXPECT_EQ(engine_->TbPrintGetOption(job_, tb::popt::EngineCopies), 1);
    EXPECT_EQ(engine_->TbPrintGetOption(job_, tb::popt::CurrentPage), 0);
    EXPECT_GE(engine_->TbPrintGetItemsPerPage(job_), 1);
    // Cancel in the options dialog.
    ui_->script.acceptOptions = false;
    EXPECT_EQ(engine_->TbPrintOptionsDialogA(job_, nullptr, QStringLiteral("Drucke")),
              tb::TB_ERR_USER_ABORTED);
    EXPECT_TRUE(ui_->record.lastOptions.printers.contains(tb::pdfPseudoPrinterName()));
    EXPECT_EQ(engine_->TbPrintEnd(job_, 0), 0);
    EXPECT_FALSE(QFile::exists(pdf_));
}

} // namespace

namespace {

TEST_F(EngineContract, PaintNotificationsFollowTheMask)
{
    static std::vector<std::pair<unsigned, QString>> seen;
    seen.clear();
    engine_->TbSetNotificationCallback(job_, [](unsigned message, intptr_t parameter, intptr_t) -> intptr_t {
        if (message == tb::msg::Object) {
            const auto *record = reinterpret_cast<const tb::ObjectNotification *>(parameter);
            seen.emplace_back(message, record->name + (record->preDraw ? u'+' : u'-'));
            return record->name == QLatin1String("Titel") && record->preDraw ? 1 : 0; // skip the title
        }
        if (message == tb::msg::Page || message == tb::msg::Project) {
            const auto *record = reinterpret_cast<const tb::PageNotification *>(parameter);
            seen.emplace_back(message, record->preDraw ? QStringLiteral("+") : QStringLiteral("-"));
        }
        return 0;
    });
    tb::Project p = listProject();
    p.objects[1].name = QStringLiteral("Titel");
    const QString file = project(p);
    engine_->TbSetOption(job_, tb::opt::CallbackMask,
                         tb::TB_MASK_OBJECT | tb::TB_MASK_PAGE | tb::TB_MASK_PROJECT);
    const auto r = runListLoop(*engine_, job_, file, tb::TB_PRINT_PRINTER, 2, rowDefiner());
    EXPECT_EQ(r.end, 0);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front(), std::make_pair(tb::msg::Project, QStringLiteral("+")));
    EXPECT_EQ(seen[1], std::make_pair(tb::msg::Page, QStringLiteral("+")));
    EXPECT_EQ(seen.back(), std::make_pair(tb::msg::Project, QStringLiteral("-")));
    const auto has = [](unsigned m, const QString &t) {
        return std::find(seen.begin(), seen.end(), std::make_pair(m, t)) != seen.end();
    };
    EXPECT_TRUE(has(tb::msg::Object, QStringLiteral("Tabelle+")));
    EXPECT_TRUE(has(tb::msg::Object, QStringLiteral("Tabelle-")));
    EXPECT_FALSE(has(tb::msg::Object, QStringLiteral("Titel-"))); // skipped objects get no post-draw
    const QStringList pages = pdfPages(pdf_);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_FALSE(pages[0].contains(QStringLiteral("Testliste")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Zeile 2")));

    // Without the mask bits nothing is raised.
    seen.clear();
    engine_->TbSetOption(job_, tb::opt::CallbackMask, 0);
    runListLoop(*engine_, job_, file, tb::TB_PRINT_PRINTER, 2, rowDefiner());
    EXPECT_TRUE(seen.empty());
    EXPECT_TRUE(pdfPages(pdf_).value(0).contains(QStringLiteral("Testliste")));
}

TEST_F(EngineContract, DelayedHeaderWaitsForTheFirstTableLine)
{
    const QString file = project(listProject());
    for (int delayed : {0, 1}) {
        engine_->TbSetOption(job_, tb::opt::DelayTableHeader, delayed);
        ASSERT_EQ(engine_->TbPrintWithBoxStartA(job_, 2, file, 256, 1, nullptr, QString()), 0);
        ASSERT_EQ(engine_->TbPrintOptionsDialogA(job_, nullptr, QString()), 0);
        EXPECT_EQ(engine_->TbPrint(job_), 0);
        EXPECT_EQ(engine_->TbPrint(job_), 0);
        rowDefiner()(0);
        EXPECT_EQ(engine_->TbPrintFields(job_), 0);
        EXPECT_EQ(engine_->TbPrintEnd(job_, 0), 0);
        const QStringList pages = pdfPages(pdf_);
        ASSERT_EQ(pages.size(), 2);
        EXPECT_EQ(pages[0].contains(QStringLiteral("Bemerkung")), delayed == 0) << delayed;
        EXPECT_TRUE(pages[1].contains(QStringLiteral("Bemerkung"))) << delayed;
        EXPECT_LT(pages[1].indexOf(QStringLiteral("Bemerkung")), pages[1].indexOf(QStringLiteral("Zeile 1")));
    }
}

TEST_F(EngineContract, TypedFieldsReachTheTableStream)
{
    tb::Project p = listProject();
    auto &row = p.objects.back().table.rows[0];
    row.cells[2].expr = QStringLiteral("Datum");
    row.cells[2].format = QStringLiteral("dd.MM.yyyy");
    row.cells[3].expr = QStringLiteral("Menge");
    row.cells[3].format = QStringLiteral("#,##0.00");
    row.cells.push_back(row.cells[0]);
    row.cells.back().expr = QStringLiteral("If(Gebucht, \"ja\", \"nein\")");
    const QString file = project(p);
    tb::PageModel model;
    ui_->script.onPreview = [&](const QString &previewFile, const tb::PreviewNotifier &) {
        ASSERT_TRUE(tb::PageModel::readFile(previewFile, model));
    };
    runListLoop(*engine_, job_, file, tb::TB_PRINT_PREVIEW, 2, [this](int row) {
        engine_->TbDefineFieldExtA(job_, QStringLiteral("Nr"), QString::number(row + 1), tb::TB_FIELD_NUMBER,
                                   0);
        engine_->TbDefineFieldExtA(job_, QStringLiteral("Name"),
                                   row ? QStringLiteral("(NULL)") : QStringLiteral("A"), tb::TB_FIELD_TEXT,
                                   0);
        engine_->TbDefineFieldExtA(job_, QStringLiteral("Datum"), QStringLiteral("45292.5"),
                                   tb::TB_FIELD_DATE, 0);
        engine_->TbDefineFieldExtA(job_, QStringLiteral("Menge"),
                                   row ? QStringLiteral("1234.5") : QStringLiteral("2,25"),
                                   tb::TB_FIELD_NUMBER, 0);
        engine_->TbDefineFieldExtA(job_, QStringLiteral("Gebucht"),
                                   row ? QStringLiteral("Wahr") : QStringLiteral("0"), tb::TB_FIELD_BOOLEAN,
                                   0);
    });
    std::vector<tb::TableLineRecord> rows;
    for (const auto &line : model.table)
        if (line.kind == tb::TableLineRecord::Kind::Row)
            rows.push_back(line);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].cells[0].type, tb::Value::Kind::Number);
    EXPECT_EQ(rows[0].cells[1].text, QStringLiteral("A"));
    EXPECT_EQ(rows[1].cells[1].type, tb::Value::Kind::Null);
    EXPECT_EQ(rows[1].cells[1].text, QString());
    EXPECT_EQ(rows[0].cells[2].type, tb::Value::Kind::Date);
    EXPECT_EQ(rows[0].cells[2].text, QStringLiteral("01.01.2024"));
    EXPECT_EQ(rows[0].cells[3].text, QStringLiteral("2,25"));
    EXPECT_EQ(rows[1].cells[3].text, QStringLiteral("1.234,50"));
    EXPECT_DOUBLE_EQ(rows[1].cells[3].number, 1234.5);
    EXPECT_EQ(rows[0].cells[4].text, QStringLiteral("nein"));
    EXPECT_EQ(rows[1].cells[4].text, QStringLiteral("ja"));
}

} // namespace

namespace {

TEST_F(EngineContract, PageObjectsFollowLayersConditionsAndPictureContents)
{
    const QByteArray svg = "<?xml version=\"1.0\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"40\" "
                           "height=\"20\"><rect width=\"40\" height=\"20\" fill=\"#4a7ab5\"/></svg>";
    testsupport::writeFile(dir_ / "Chart~.wmf", svg.toStdString());
    testsupport::writeFile(dir_ / "Kaputt~.wmf", "EMF kein Bild");
    QImage photo(8, 8, QImage::Format_RGB32);
    photo.fill(Qt::red);
    ASSERT_TRUE(photo.save(QString::fromStdString((dir_ / "Foto~.wmf").string()), "JPEG"));
    tb::Project p = listProject(60);
    auto image = [](const char *name, const char *file, tb::Layer layer) {
        tb::PageObject o;
        o.type = tb::PageObject::Type::Image;
        o.name = QString::fromLatin1(name);
        o.rectMm = QRectF(15, 200, 40, 20);
        o.file = QString::fromLatin1(file);
        o.layer = layer;
        return o;
    };
    p.objects.push_back(image("Diagramm", "Chart~.wmf", tb::Layer::First));
    p.objects.push_back(image("Kaputt", "Kaputt~.wmf", tb::Layer::All));
    p.objects.push_back(image("Fehlt", "Fehlt~.wmf", tb::Layer::All));
    p.objects.push_back(image("Foto", "Foto~.wmf", tb::Layer::All));
    tb::PageObject later = p.objects[1];
    later.name = QStringLiteral("Folgeseiten");
    later.layer = tb::Layer::Following;
    later.paragraphs[0].expr = QStringLiteral("\"Fortsetzung\"");
    p.objects.push_back(later);
    tb::PageObject hidden = later;
    hidden.name = QStringLiteral("Versteckt");
    hidden.layer = tb::Layer::All;
    hidden.condition = QStringLiteral("Page() > 5");
    p.objects.push_back(hidden);
    tb::PageObject block = later;
    block.name = QStringLiteral("Block");
    block.layer = tb::Layer::All;
    block.rectMm = QRectF(100, 200, 80, 30);
    block.paragraphs = {later.paragraphs[0], later.paragraphs[0], later.paragraphs[0]};
    block.paragraphs[0].expr = QStringLiteral("\"Oben\"");
    block.paragraphs[1].expr = QStringLiteral("Leer");
    block.paragraphs[1].suppressIfEmpty = true;
    block.paragraphs[2].expr = QStringLiteral("\"Unten\"");
    p.objects.push_back(block);
    const QString file = project(p);

    double lineGap = 0;
    for (int optimise : {1, 0}) {
        engine_->TbSetOption(job_, tb::opt::SpaceOptimization, optimise);
        engine_->TbDefineVariableA(job_, QStringLiteral("Leer"), QString());
        tb::PageModel model;
        ui_->script.onPreview = [&](const QString &previewFile, const tb::PreviewNotifier &) {
            ASSERT_TRUE(tb::PageModel::readFile(previewFile, model));
        };
        runListLoop(*engine_, job_, file, tb::TB_PRINT_PREVIEW, 40, rowDefiner());
        ASSERT_GE(model.pages.size(), 2u);
        auto items = [&](size_t page, const char *object) {
            std::vector<tb::Primitive> found;
            for (const auto &item : model.pages[page].items)
                if (item.object == QLatin1String(object))
                    found.push_back(item);
            return found;
        };
        const auto chart = items(0, "Diagramm");
        ASSERT_EQ(chart.size(), 1u);
        EXPECT_EQ(chart[0].kind, tb::Primitive::Kind::Image);
        EXPECT_EQ(chart[0].image, svg);
        EXPECT_TRUE(items(1, "Diagramm").empty());
        // A picture that cannot be read: a thin frame with the file name, no picture; one that is
        // missing: the frame with a note.
        for (const auto &[object, name] :
             {std::pair{"Kaputt", "Kaputt~.wmf"}, std::pair{"Fehlt", "Keine Grafik vorhanden"}}) {
            const auto found = items(0, object);
            ASSERT_EQ(found.size(), 2u) << object;
            EXPECT_EQ(found[0].kind, tb::Primitive::Kind::Rect);
            EXPECT_GT(found[0].penWidth, 0);
            EXPECT_EQ(found[1].kind, tb::Primitive::Kind::Text);
            EXPECT_EQ(found[1].text, QLatin1String(name));
            EXPECT_LT(found[1].font.sizePt, 9);
        }
        ASSERT_EQ(items(0, "Foto").size(), 1u);
        EXPECT_EQ(tb::sniffImage(items(0, "Foto")[0].image), QStringLiteral("jpeg"));
        EXPECT_TRUE(items(0, "Folgeseiten").empty());
        EXPECT_EQ(items(1, "Folgeseiten").size(), 1u);
        EXPECT_TRUE(items(0, "Versteckt").empty());
        const auto lines = items(0, "Block");
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[1].text, QStringLiteral("Unten"));
        // With space optimisation the empty paragraph takes no room; without, one line.
        const double gap = lines[1].origin.y() - lines[0].origin.y();
        if (optimise)
            lineGap = gap;
        else
            EXPECT_NEAR(gap, 2 * lineGap, 0.01);
    }
}

TEST_F(EngineContract, SecondRowDefinitionOnlyWithMultipleTableLines)
{
    tb::Project p = listProject();
    tb::LineDef second = p.objects.back().table.rows[0];
    second.condition = QStringLiteral("Val(Nr) = 2");
    second.cells[1].expr = QStringLiteral("\"Zusatz \" + Name");
    p.objects.back().table.rows.push_back(second);
    const QString file = project(p);
    for (int multiple : {0, 1}) {
        engine_->TbSetOption(job_, tb::opt::MultipleTableLines, multiple);
        runListLoop(*engine_, job_, file, tb::TB_PRINT_PRINTER, 3, rowDefiner());
        const QString page = pdfPages(pdf_).value(0);
        EXPECT_EQ(page.contains(QStringLiteral("Zusatz Zeile 2")), multiple == 1);
        EXPECT_FALSE(page.contains(QStringLiteral("Zusatz Zeile 1")));
    }
}

} // namespace

namespace {

TEST_F(EngineContract, UserDefinedColouringAnnouncesLinesAndCells)
{
    static std::vector<tb::TableLineNotification> lines;
    static std::vector<tb::TableFieldNotification> fields;
    lines.clear();
    fields.clear();
    engine_->TbSetNotificationCallback(job_, [](unsigned message, intptr_t parameter, intptr_t) -> intptr_t {
        if (message == tb::msg::TableLine) {
            const auto *line = reinterpret_cast<const tb::TableLineNotification *>(parameter);
            EXPECT_NE(line->painter, nullptr);
            line->painter->fillRect(line->rect, QColor(0xFF, 0xEE, 0xCC)); // paints under the line
            lines.push_back(*line);
        }
        if (message == tb::msg::TableField)
            fields.push_back(*reinterpret_cast<const tb::TableFieldNotification *>(parameter));
        return 0;
    });
    const QString file = project(listProject());
    runListLoop(*engine_, job_, file, tb::TB_PRINT_PRINTER, 3, rowDefiner());
    EXPECT_TRUE(lines.empty()); // normal colouring

    engine_->TbSetOption(job_, tb::opt::TableColoring, 1);
    const auto r = runListLoop(*engine_, job_, file, tb::TB_PRINT_PRINTER, 3, rowDefiner());
    EXPECT_EQ(r.end, 0);
    // Header, three rows, footer; four cells each.
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0].lineType, 0);
    EXPECT_EQ(lines[1].lineType, 1);
    EXPECT_FALSE(lines[1].zebra);
    EXPECT_TRUE(lines[2].zebra);
    EXPECT_EQ(lines[4].lineType, 2);
    for (size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i].pageLine, int(i));
    EXPECT_LT(lines[0].rect.bottom(), lines[1].rect.top() + 0.01);
    ASSERT_EQ(fields.size(), 20u);
    EXPECT_EQ(fields[5].index, 1);
    EXPECT_EQ(fields[5].fieldType, 1);
    EXPECT_TRUE(pdfPages(pdf_).value(0).contains(QStringLiteral("Zeile 3")));
}

} // namespace

namespace {

TEST_F(EngineContract, PreviewAndPdfBreakPagesAlike)
{
    const QString file = project(listProject(60));
    auto definer = [this](int row) {
        rowDefiner(row % 4 == 0
                       ? QStringLiteral("Eine längere Bemerkung, die in der Spalte umbricht und zwei "
                                        "oder drei Zeilen braucht, je nach Breite.")
                       : QString())(row);
    };
    tb::PageModel model;
    ui_->script.onPreview = [&](const QString &previewFile, const tb::PreviewNotifier &) {
        ASSERT_TRUE(tb::PageModel::readFile(previewFile, model));
    };
    runListLoop(*engine_, job_, file, tb::TB_PRINT_PREVIEW, 30, definer);
    runListLoop(*engine_, job_, file, tb::TB_PRINT_PRINTER, 30, definer);
    const QStringList pages = pdfPages(pdf_);
    ASSERT_EQ(int(model.pages.size()), int(pages.size()));
    // Each row stands on the same page in both.
    int row = 0;
    for (const auto &line : model.table) {
        if (line.kind != tb::TableLineRecord::Kind::Row)
            continue;
        ++row;
        EXPECT_EQ(count(pages[line.page - 1], QStringLiteral("Zeile %1").arg(row)), 1) << row;
    }
    EXPECT_EQ(row, 30);
}

} // namespace

namespace {

TEST_F(EngineContract, TextPaintedFromItsKeptLayoutStandsWhereDrawnTextStands)
{
    // A page whose texts repeat, in several fonts: painted by the engine (each distinct text laid out
    // once) and by plain drawText, the words of both files stand in the same places.
    tb::Page page;
    page.number = 1;
    page.sizePt = QSizeF(595, 842);
    const tb::RunFont fonts[] = {{QStringLiteral("Liberation Sans"), 9, false, false, false},
                                 {QStringLiteral("Liberation Sans"), 14, true, false, false},
                                 {QStringLiteral("Liberation Serif"), 11, false, true, true}};
    const QString texts[] = {QStringLiteral("Größe 205/55 R16"), QStringLiteral("1.234.567,89"),
                             QStringLiteral("Müßig Jürgen")};
    for (int row = 0; row < 12; ++row) {
        tb::Primitive p;
        p.kind = tb::Primitive::Kind::Text;
        p.font = fonts[row % 3];
        p.text = texts[(row / 3) % 3];
        p.origin = QPointF(40 + 30 * (row % 4), 60 + 40 * row);
        page.items.push_back(p);
    }
    tb::PageModel model;
    model.pages.push_back(page);
    const QString engine = QString::fromStdString((dir_ / "engine.pdf").string());
    ASSERT_TRUE(tb::PagePainter::writePdf(model, engine, 1, 1));

    const QString plain = QString::fromStdString((dir_ / "plain.pdf").string());
    {
        QPdfWriter writer(plain);
        writer.setResolution(1200);
        writer.setPageSize(QPageSize(page.sizePt, QPageSize::Point));
        writer.setPageMargins(QMarginsF());
        QPainter painter(&writer);
        painter.scale(1200 / 72.0, 1200 / 72.0);
        for (const auto &p : page.items) {
            tb::RunFont font = p.font;
            font.sizePt *= 72.0 / writer.logicalDpiY();
            painter.setFont(tb::TextMeasurer::qfont(font));
            painter.drawText(p.origin, p.text);
        }
    }
    const auto ours = pdfWords(engine), theirs = pdfWords(plain);
    ASSERT_EQ(ours.size(), theirs.size());
    ASSERT_EQ(ours.size(), size_t(2 * 3 * 3 + 3 * 1 + 3 * 2)); // the words of the twelve texts
    for (size_t i = 0; i < ours.size(); ++i) {
        EXPECT_EQ(ours[i].text, theirs[i].text) << i;
        EXPECT_NEAR(ours[i].xMin, theirs[i].xMin, 0.01) << i;
        EXPECT_NEAR(ours[i].yMin, theirs[i].yMin, 0.01) << i;
        EXPECT_NEAR(ours[i].xMax, theirs[i].xMax, 0.01) << i;
        EXPECT_NEAR(ours[i].yMax, theirs[i].yMax, 0.01) << i;
    }
}

TEST_F(EngineContract, TextCutByItsCellIsCutInTheTextLayerToo)
{
    // Letters of a fixed pitch (six tenths of the size), so the text layer's boxes tell which letters
    // stand in the cell: those that show at least in part, and no other.
    // The text is too long for its cell even at the smallest size: it is set at that size, then cut.
    constexpr double kSize = 10;
    constexpr double kAdvance = 0.6 * tb::kMinFitPt;
    tb::FontSpec mono;
    mono.family = QStringLiteral("Liberation Mono");
    mono.sizePt = kSize;
    auto cellOf = [&](const char *field, tb::Align align, bool wrap) {
        tb::CellDef c;
        c.expr = QString::fromLatin1(field);
        c.widthMm = 30;
        c.align = align;
        c.wrap = wrap;
        c.font = mono;
        return c;
    };
    tb::Project p = listProject();
    tb::PageObject &table = p.objects.back();
    ASSERT_EQ(table.type, tb::PageObject::Type::Table);
    table.table.rows.front().cells = {cellOf("Links", tb::Align::Left, false),
                                      cellOf("Rechts", tb::Align::Right, false),
                                      cellOf("Umbruch", tb::Align::Left, true)};
    tb::PageObject free;
    free.type = tb::PageObject::Type::Text;
    free.rectMm = QRectF(15, 250, 30, 8);
    tb::Paragraph paragraph;
    paragraph.expr = QStringLiteral("Frei");
    paragraph.wrap = false;
    paragraph.font = mono;
    free.paragraphs.push_back(paragraph);
    p.objects.push_back(free);

    const QString tail = QStringLiteral("ennzeichenverwaltungsvorgangsnummer");
    const QString file = project(p);
    engine_->TbDefineVariableA(job_, QStringLiteral("Frei"), QStringLiteral("F") + tail);
    runListLoop(*engine_, job_, file, tb::TB_PRINT_PRINTER, 1, [&](int) {
        for (const char *field : {"Links", "Rechts", "Umbruch"})
            engine_->TbDefineFieldA(job_, QString::fromLatin1(field), QChar::fromLatin1(field[0]) + tail);
    });
    const auto words = pdfWords(pdf_);
    ASSERT_FALSE(words.empty());
    const double cellLeft = tb::mmToPt(15);
    const double cellWidth = tb::mmToPt(30);
    struct Case {
        QChar initial;
        double textLeft, clipRight; // where the text starts and where it is clipped
    } cases[] = {
        {u'L', cellLeft + 2.5, cellLeft + cellWidth - 0.5},
        {u'R', cellLeft + cellWidth + 2.5, cellLeft + 2 * cellWidth - 0.5}, // a cut line starts left
        {u'U', cellLeft + 2 * cellWidth + 2.5, cellLeft + 3 * cellWidth - 0.5},
        {u'F', cellLeft, cellLeft + cellWidth},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(QString(c.initial).toStdString());
        const QString full = c.initial + tail;
        const auto word = std::find_if(words.begin(), words.end(), [&](const PdfWord &w) {
            return w.text.startsWith(c.initial + tail.left(4));
        });
        ASSERT_NE(word, words.end());
        EXPECT_TRUE(full.startsWith(word->text)) << word->text.toStdString();
        EXPECT_LT(word->text.size(), full.size());
        EXPECT_NEAR(word->xMin, c.textLeft, 0.2);
        EXPECT_NEAR((word->xMax - word->xMin) / kAdvance, double(word->text.size()), 0.1);
        // The last letter reaches the edge, and it begins before it.
        EXPECT_GE(word->xMax, c.clipRight - 0.01);
        EXPECT_LT(word->xMax - kAdvance, c.clipRight);
    }
    // What lies beyond the edges is nowhere in the text layer.
    EXPECT_EQ(std::count_if(words.begin(), words.end(),
                            [&](const PdfWord &w) { return w.text.contains(tail.right(6)); }),
              0);
}

} // namespace

namespace {

// One copy is painted as the run goes, more are painted from the kept pages at its end: the copies
// read as the single one, one after the other.
TEST_F(EngineContract, PdfPrinterGivesEveryCopyOfTheRun)
{
    const QString file = project(listProject(60));
    std::vector<QStringList> runs;
    for (int copies : {1, 2}) {
        ui_->script.copies = copies;
        QFile::remove(pdf_);
        const auto r = runListLoop(*engine_, job_, file, tb::TB_PRINT_PRINTER, 20, rowDefiner());
        EXPECT_EQ(r.end, 0) << copies;
        runs.push_back(pdfPages(pdf_));
    }
    ASSERT_GT(runs[0].size(), 1);
    EXPECT_EQ(runs[1], runs[0] + runs[0]);
}

} // namespace

namespace {

// Where no spool file can be made, the PDF is painted whole at the end of the run, as before.
TEST_F(EngineContract, PdfWithoutRoomForItsSpoolIsPaintedAtTheEnd)
{
    const QString file = project(listProject(60));
    // A file where the temporary folder should be: nothing can be made in it.
    const QString notAFolder = QString::fromStdString((dir_ / "kein-ordner").string());
    QFile blocker(notAFolder);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QByteArray temp = qgetenv("TMPDIR");
    qputenv("TMPDIR", notAFolder.toLocal8Bit());
    const auto r = runListLoop(*engine_, job_, file, tb::TB_PRINT_PRINTER, 20, rowDefiner());
    if (temp.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", temp);
    EXPECT_EQ(r.end, 0);
    const QStringList pages = pdfPages(pdf_);
    ASSERT_GT(pages.size(), 1);
    EXPECT_TRUE(pages.last().contains(QStringLiteral("20 Posten")));
}

} // namespace
