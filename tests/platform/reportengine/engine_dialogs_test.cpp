// The Qt side of the engine's dialogs, offscreen.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "engine_fixture.h"
#include "reportengine/PrintOptionsDialog.h"
#include "reportengine/QtEngineUi.h"
#include "temp_dir.h"

using namespace enginetest;

namespace {

tb::PrintOptionsRequest printerRequest()
{
    tb::PrintOptionsRequest request;
    request.text = QStringLiteral("Drucke\nCa. 3 Seite(n)");
    request.printerRun = true;
    request.showRange = true;
    request.printers = {QStringLiteral("Buero"), tb::pdfPseudoPrinterName()};
    request.printer = QStringLiteral("Buero");
    return request;
}

TEST(PrintOptionsDialog, ReturnsTheChosenRangeCopiesAndPrinter)
{
    tb::PrintOptionsDialog dialog(nullptr, printerRequest());
    EXPECT_EQ(dialog.findChild<QLabel *>(QStringLiteral("Hinweis"))->text(),
              QStringLiteral("Drucke\nCa. 3 Seite(n)"));
    auto *all = dialog.findChild<QCheckBox *>(QStringLiteral("AlleSeiten"));
    ASSERT_TRUE(all->isChecked());
    EXPECT_EQ(dialog.choice().lastPage, tb::TB_PAGE_OPEN);
    all->setChecked(false);
    dialog.findChild<QSpinBox *>(QStringLiteral("VonSeite"))->setValue(2);
    dialog.findChild<QSpinBox *>(QStringLiteral("BisSeite"))->setValue(3);
    dialog.findChild<QSpinBox *>(QStringLiteral("Kopien"))->setValue(2);
    const tb::PrintOptionsRequest r = dialog.choice();
    EXPECT_EQ(r.firstPage, 2);
    EXPECT_EQ(r.lastPage, 3);
    EXPECT_EQ(r.copies, 2);
    EXPECT_EQ(r.printer, QStringLiteral("Buero"));
}

TEST(PrintOptionsDialog, PdfPseudoPrinterNeedsAFile)
{
    tb::PrintOptionsDialog dialog(nullptr, printerRequest());
    dialog.show();
    dialog.findChild<QComboBox *>(QStringLiteral("Drucker"))->setCurrentText(tb::pdfPseudoPrinterName());
    QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("OK")), Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.findChild<QLabel *>(QStringLiteral("Fehlerhinweis"))->text(),
              QStringLiteral("Bitte eine PDF-Datei angeben."));
    dialog.findChild<QLineEdit *>(QStringLiteral("PdfDatei"))->setText(QStringLiteral("/tmp/x.pdf"));
    QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("OK")), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.choice().pdfFile, QStringLiteral("/tmp/x.pdf"));
}

TEST(QtEngineUi, CancelInTheProgressBoxIsReported)
{
    tb::QtEngineUi ui;
    ui.openProgress(nullptr, QStringLiteral("Drucke..."), tb::TB_BOX_PROGRESS);
    EXPECT_TRUE(ui.updateProgress(QStringLiteral("Drucke auf PDF"), 10));
    auto *box = qobject_cast<QProgressDialog *>(QApplication::activeModalWidget());
    if (!box)
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("TbProgressBox"))
                box = qobject_cast<QProgressDialog *>(w);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->labelText(), QStringLiteral("Drucke auf PDF"));
    EXPECT_EQ(box->value(), 10);
    box->cancel();
    EXPECT_FALSE(ui.updateProgress(QStringLiteral("Drucke auf PDF"), 20));
    ui.closeProgress();
}

class EngineEntryPoints : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto ui = std::make_unique<tb::ScriptedEngineUi>();
        ui_ = ui.get();
        engine_ = std::make_unique<tb::Engine>(std::move(ui));
        job_ = engine_->TbJobOpen(-1);
    }
    testsupport::TempDir dir_;
    tb::ScriptedEngineUi *ui_ = nullptr;
    std::unique_ptr<tb::Engine> engine_;
    int job_ = -1;
};

TEST_F(EngineEntryPoints, DesignerSaysWhatItCannotDo)
{
    const QString good = saveProject(listProject(), QString::fromStdString((dir_ / "Liste.lst").string()));
    const QString faulty =
        QString::fromStdString(testsupport::writeFile(dir_ / "Kaputt.lst", "{ kaputt").string());
    const QString missing = QString::fromStdString((dir_ / "Neu.lst").string());
    struct Case {
        const char *what;
        QString file;
        int type;
        int expected;
        const char *message;
    };
    const Case cases[] = {
        {"faulty", faulty, 2, tb::TB_ERR_BAD_PROJECT, "Fehlerhaftes Projekt"},
        {"wrong kind", good, 3, tb::TB_ERR_BAD_PROJECT, "Fehlerhaftes Projekt"},
        {"missing, not new", missing, 2, tb::TB_ERR_BAD_PROJECT, "nicht gefunden"},
    };
    for (const auto &c : cases) {
        ui_->record.messages.clear();
        EXPECT_EQ(engine_->TbDefineLayoutA(job_, nullptr, QStringLiteral("Design"), c.type, c.file),
                  c.expected)
            << c.what;
        ASSERT_EQ(ui_->record.messages.size(), 1) << c.what;
        EXPECT_TRUE(ui_->record.messages[0].contains(QString::fromUtf8(c.message))) << c.what;
    }
}

TEST_F(EngineEntryPoints, FileSelection)
{
    QString file = QStringLiteral("Touren.lst");
    EXPECT_EQ(engine_->TbSelectFileDlgTitleExA(job_, nullptr, QString(), 2, file, 1023, 0),
              tb::TB_ERR_USER_ABORTED);
    EXPECT_EQ(file, QStringLiteral("Touren.lst"));
    ui_->script.fileAnswer = QStringLiteral("/daten/Karte.crd");
    EXPECT_EQ(engine_->TbSelectFileDlgTitleExA(job_, nullptr, QString(), 3 | 0x8000, file, 1023, 0), 0);
    EXPECT_EQ(file, QStringLiteral("/daten/Karte.crd"));
    EXPECT_EQ(engine_->TbSelectFileDlgTitleExA(job_, nullptr, QString(), 3, file, 5, 0), 0);
    EXPECT_EQ(file, QStringLiteral("/date"));
    EXPECT_EQ(ui_->record.fileDialogs.value(0), QStringLiteral("Listen-Projekte (*.lst)"));
    EXPECT_EQ(ui_->record.fileDialogs.value(1), QStringLiteral("Karten-Projekte (*.crd)"));
}

} // namespace
