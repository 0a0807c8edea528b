#include <stdexcept>

#include <QStringList>

#include "DruckSchleifen.h"
#include "Tb6.h"
#include "fake_engine_fixture.h"
#include "reportengine/EngineTypes.h"

using reporting::DruckLauf;
using ui::Answer;
using ui::MsgButtons;
using ui::MsgType;

namespace {

class DruckSchleifenTest : public FakeEngineTest {
protected:
    void SetUp() override
    {
        FakeEngineTest::SetUp();
        tb_ = std::make_unique<reporting::TTb6_>();
        job_ = tb_->hTbJob();
        fake_->printOptions[{job_, tb::popt::LastPage}] = tb::TB_PAGE_OPEN;
        fake_->printOptions[{job_, tb::popt::FirstPage}] = 1;
        fake_->results[QStringLiteral("TbPrintGetItemsPerTable")] = {2};
        fake_->clearCalls();
    }
    DruckLauf lauf(bool vorschau = false)
    {
        return DruckLauf{*tb_, QStringLiteral("Touren.lst"), nullptr, vorschau};
    }
    void script(const char *function, std::deque<int> answers)
    {
        fake_->results[QString::fromLatin1(function)] = std::move(answers);
    }
    // The loop's calls without the option and box-text traffic, shortened to the function names.
    QStringList ablauf() const
    {
        QStringList out;
        for (const QString &call : fake_->calls) {
            const QString name = call.left(call.indexOf(u'('));
            if (name == QLatin1String("TbPrintGetOption") || name == QLatin1String("TbPrintGetCurrentPage") ||
                name == QLatin1String("TbPrintSetBoxTextA") ||
                name == QLatin1String("TbPrintGetItemsPerTable") ||
                name == QLatin1String("TbPrintGetItemsPerPage") ||
                name == QLatin1String("TbPrintGetPrinterInfoA"))
                continue;
            out << (name == QLatin1String("TbDefineFieldA") ? call : name);
        }
        return out;
    }
    std::function<void(int)> zeilen()
    {
        return [this](int i) { tb_->DefineField(QStringLiteral("Nr"), QString::number(i + 1)); };
    }

    std::unique_ptr<reporting::TTb6_> tb_;
    int job_ = -1;
};

TEST_F(DruckSchleifenTest, RowThatDoesNotFitIsPrintedAgainOnTheNextPage)
{
    script("TbPrintFields", {0, tb::TB_WRN_REPEAT_DATA, 0, 0});
    reporting::PrintSelectedRows(lauf(), 3, zeilen());
    const QStringList erwartet = {"TbPrintWithBoxStartA",
                                  "TbPrintOptionsDialogA",
                                  "TbPrint",
                                  QStringLiteral("TbDefineFieldA(%1, Nr, 1)").arg(job_),
                                  "TbPrintFields",
                                  QStringLiteral("TbDefineFieldA(%1, Nr, 2)").arg(job_),
                                  "TbPrintFields",
                                  "TbPrint",
                                  QStringLiteral("TbDefineFieldA(%1, Nr, 2)").arg(job_),
                                  "TbPrintFields",
                                  QStringLiteral("TbDefineFieldA(%1, Nr, 3)").arg(job_),
                                  "TbPrintFields",
                                  "TbPrintFieldsEnd",
                                  "TbPrintEnd"};
    EXPECT_EQ(ablauf(), erwartet);
    EXPECT_EQ(fake_->callsStartingWith("TbPrintWithBoxStartA").value(0),
              QStringLiteral("TbPrintWithBoxStartA(%1, 2, Touren.lst, 256, 1, Drucke...)").arg(job_));
    // Page estimate: 3 rows / 2 per table + 1.
    EXPECT_EQ(fake_->callsStartingWith("TbPrintOptionsDialogA").value(0),
              QStringLiteral("TbPrintOptionsDialogA(%1, Drucke\nCa. 2 Seite(n))").arg(job_));
    EXPECT_EQ(fake_->callsStartingWith("TbPrintSetBoxTextA").value(3),
              QStringLiteral("TbPrintSetBoxTextA(%1, Drucke auf Fake, 100)").arg(job_));
}

TEST_F(DruckSchleifenTest, StartFailureEndsTheRunWithItsMessage)
{
    const struct {
        int code;
        const char *meldung;
    } faelle[] = {{tb::TB_ERR_BAD_PROJECT, "Fehlerhafter Report"},
                  {tb::TB_ERR_NO_PRINTER, "Fehler beim drucken..."},
                  {tb::TB_ERR_BAD_JOB, "Fehler beim drucken..."}};
    for (const auto &fall : faelle) {
        fake_->clearCalls();
        script("TbPrintWithBoxStartA", {fall.code});
        messages_.expect(MsgType::Error, QString::fromUtf8(fall.meldung), MsgButtons::Ok, Answer::Ok);
        reporting::PrintSelectedRows(lauf(true), 3, zeilen());
        EXPECT_EQ(ablauf(), (QStringList{"TbPrintWithBoxStartA", "TbPreviewSetTempPathA", "TbPrintEnd"}))
            << fall.code;
    }
}

TEST_F(DruckSchleifenTest, CancelledOptionsDialogEndsSilentlyWithoutPreview)
{
    script("TbPrintOptionsDialogA", {tb::TB_ERR_USER_ABORTED});
    reporting::PrintSelectedRows(lauf(true), 3, zeilen());
    EXPECT_EQ(ablauf(), (QStringList{"TbPrintWithBoxStartA", "TbPreviewSetTempPathA", "TbPrintOptionsDialogA",
                                     "TbPrintEnd"}));
}

TEST_F(DruckSchleifenTest, EmptyListPrintsTheFooterAndShowsThePreview)
{
    reporting::PrintSelectedRows(lauf(true), 0, zeilen());
    EXPECT_EQ(ablauf(),
              (QStringList{"TbPrintWithBoxStartA", "TbPreviewSetTempPathA", "TbPrintOptionsDialogA",
                           "TbPrintFieldsEnd", "TbPrintEnd", "TbPreviewDisplayA", "TbPreviewDeleteFilesA"}));
    EXPECT_EQ(fake_->callsStartingWith("TbPrintOptionsDialogA").value(0),
              QStringLiteral("TbPrintOptionsDialogA(%1, Drucke in Vorschau\nCa. 1 Seite(n))").arg(job_));
}

TEST_F(DruckSchleifenTest, FooterThatFitsNowhereIsReportedAndTheRunStillEnds)
{
    script("TbPrintFieldsEnd", {tb::TB_WRN_REPEAT_DATA, tb::TB_WRN_REPEAT_DATA});
    messages_.expect(MsgType::Warning, QStringLiteral("Error because table is too small for footer!"),
                     MsgButtons::Ok, Answer::Ok);
    reporting::PrintSelectedRows(lauf(true), 1, zeilen());
    const QStringList a = ablauf();
    EXPECT_EQ(a.count(QStringLiteral("TbPrintFieldsEnd")), 2);
    EXPECT_TRUE(a.endsWith(QStringLiteral("TbPreviewDeleteFilesA")));
    EXPECT_EQ(messages_.titles(), QStringList{QStringLiteral("Tabulon Sample App")});
}

TEST_F(DruckSchleifenTest, AFailedRowOrEndIsReportedAndNotPreviewed)
{
    const struct {
        const char *funktion;
        int code;
    } faelle[] = {{"TbPrintFields", -5}, {"TbPrint", -5}, {"TbPrintFieldsEnd", -5}, {"TbPrintEnd", -5}};
    for (const auto &fall : faelle) {
        SCOPED_TRACE(fall.funktion);
        fake_->clearCalls();
        fake_->results.clear();
        fake_->results[QStringLiteral("TbPrintGetItemsPerTable")] = {2};
        script(fall.funktion, {fall.code});
        messages_.expectError(QStringLiteral("Fehler beim drucken..."));
        reporting::PrintSelectedRows(lauf(true), 3, zeilen());
        const QStringList a = ablauf();
        EXPECT_EQ(a.count(QStringLiteral("TbPrintEnd")), 1);
        EXPECT_FALSE(a.contains(QStringLiteral("TbPreviewDisplayA")));
    }
}

TEST_F(DruckSchleifenTest, ARowDefinerThatThrowsStillEndsTheRun)
{
    EXPECT_THROW(reporting::PrintSelectedRows(lauf(), 3,
                                              [](int i) {
                                                  if (i == 1)
                                                      throw std::runtime_error("Feld nicht lesbar");
                                              }),
                 std::runtime_error);
    EXPECT_EQ(ablauf().count(QStringLiteral("TbPrintEnd")), 1);
    EXPECT_EQ(ablauf().count(QStringLiteral("TbPrintFields")), 1);
}

TEST_F(DruckSchleifenTest, StopsAfterTheLastPageTheUserChose)
{
    fake_->onPrintOptionsDialog = [this](int job) { fake_->printOptions[{job, tb::popt::LastPage}] = 1; };
    fake_->results[QStringLiteral("TbPrintGetItemsPerPage")] = {2};
    // Every second row fills the page.
    script("TbPrintFields",
           {0, tb::TB_WRN_REPEAT_DATA, 0, tb::TB_WRN_REPEAT_DATA, 0, tb::TB_WRN_REPEAT_DATA});
    reporting::PrintSelectedRows(lauf(), 10, zeilen());
    const QStringList a = ablauf();
    // Page 2 is begun (the engine leaves it out of the output), but no row is printed on it.
    EXPECT_EQ(a.count(QStringLiteral("TbPrint")), 2);
    EXPECT_EQ(a.count(QStringLiteral("TbPrintFields")), 2);
    EXPECT_TRUE(a.endsWith(QStringLiteral("TbPrintEnd")));
    // Total for the percentage: (last 1 − first 1 + 1) × 2 rows per page.
    EXPECT_EQ(fake_->callsStartingWith("TbPrintSetBoxTextA").value(1),
              QStringLiteral("TbPrintSetBoxTextA(%1, Drucke auf Fake, 100)").arg(job_));
}

TEST_F(DruckSchleifenTest, CancelInTheProgressBoxEndsTheRun)
{
    script("TbPrintFields", {0, tb::TB_ERR_USER_ABORTED});
    reporting::PrintSelectedRows(lauf(), 5, zeilen());
    const QStringList a = ablauf();
    EXPECT_EQ(a.count(QStringLiteral("TbPrintFields")), 2);
    EXPECT_EQ(a.count(QStringLiteral("TbPrint")), 1);
    EXPECT_TRUE(a.endsWith(QStringLiteral("TbPrintEnd")));
}

TEST_F(DruckSchleifenTest, CardDefinesItsVariablesBeforeThePageAndPreviewsOnlyASuccessfulRun)
{
    int definiert = 0;
    reporting::PrintCardReport(DruckLauf{*tb_, QStringLiteral("Mandant.crd"), nullptr, true}, [&] {
        ++definiert;
        tb_->DefineVariable(QStringLiteral("Mandant"), QStringLiteral("M01"));
    });
    EXPECT_EQ(definiert, 1);
    EXPECT_EQ(ablauf(), (QStringList{"TbPrintWithBoxStartA", "TbPreviewSetTempPathA", "TbPrintOptionsDialogA",
                                     "TbDefineVariableA", "TbPrint", "TbPrintEnd", "TbPreviewDisplayA",
                                     "TbPreviewDeleteFilesA"}));
    EXPECT_EQ(
        fake_->callsStartingWith("TbPrintWithBoxStartA").value(0),
        QStringLiteral("TbPrintWithBoxStartA(%1, 3, Mandant.crd, 512, 1, Drucke in Vorschau...)").arg(job_));

    fake_->clearCalls();
    script("TbPrint", {tb::TB_ERR_NO_PRINTER});
    messages_.expectError(QStringLiteral("Fehler beim drucken..."));
    reporting::PrintCardReport(DruckLauf{*tb_, QStringLiteral("Mandant.crd"), nullptr, true}, {});
    EXPECT_EQ(ablauf(), (QStringList{"TbPrintWithBoxStartA", "TbPreviewSetTempPathA", "TbPrintOptionsDialogA",
                                     "TbPrint", "TbPrintEnd"}));
}

} // namespace
