// The preview window on a preview file, offscreen.
#include <QFile>
#include <QLabel>
#include <QTest>
#include <QToolButton>

#include "engine_fixture.h"
#include "reportengine/PreviewWindow.h"
#include "temp_dir.h"

using namespace enginetest;

namespace {

// A preview run of `rows` rows; returns the preview file it leaves in `dir`.
QString writePreview(const testsupport::TempDir &dir, int rows)
{
    tb::Engine engine(std::make_unique<tb::ScriptedEngineUi>());
    const int job = engine.TbJobOpen(-1);
    const QString project =
        saveProject(listProject(60), QString::fromStdString((dir / "Liste.lst").string()));
    const QString path = QString::fromStdString(dir.str());
    EXPECT_EQ(engine.TbPrintWithBoxStartA(job, 2, project, tb::TB_PRINT_PREVIEW, 1, nullptr, QString()), 0);
    engine.TbPreviewSetTempPathA(job, path);
    engine.TbDefineVariableA(job, QStringLiteral("Firma"), QStringLiteral("Muster GmbH"));
    for (int row = 0; row < rows; ++row) {
        engine.TbDefineFieldA(job, QStringLiteral("Nr"), QString::number(row + 1));
        engine.TbDefineFieldA(job, QStringLiteral("Name"), QStringLiteral("Zeile %1").arg(row + 1));
        engine.TbDefineFieldA(job, QStringLiteral("Betrag"), QStringLiteral("2"));
        if (engine.TbPrintFields(job) == tb::TB_WRN_REPEAT_DATA) {
            engine.TbPrint(job);
            engine.TbPrintFields(job);
        }
    }
    while (engine.TbPrintFieldsEnd(job) == tb::TB_WRN_REPEAT_DATA) {
    }
    EXPECT_EQ(engine.TbPrintEnd(job, 0), 0);
    return tb::Engine::previewFileName(project, path);
}

TEST(PreviewWindow, OpensOnAPreviewFileAndPagesThroughIt)
{
    testsupport::TempDir dir;
    const QString file = writePreview(dir, 30);
    ASSERT_TRUE(QFile::exists(file));
    tb::PageModel model;
    ASSERT_TRUE(tb::PreviewWindow::load(file, model));
    const int pages = int(model.pages.size());
    ASSERT_GE(pages, 3);

    std::vector<std::pair<unsigned, intptr_t>> messages;
    tb::PreviewGeometry geometry;
    geometry.zoomPercent = 75;
    geometry.width = 820;
    geometry.height = 640;
    tb::PreviewWindow window(nullptr, std::move(model), geometry, [&](unsigned message, intptr_t parameter) {
        messages.emplace_back(message, parameter);
        return intptr_t(0);
    });
    window.show();
    EXPECT_EQ(window.size(), QSize(820, 640));
    EXPECT_EQ(window.zoomPercent(), 75);
    auto *label = window.findChild<QLabel *>(QStringLiteral("SeitenAnzeige"));
    auto *next = window.findChild<QToolButton *>(QStringLiteral("NaechsteSeite"));
    auto *previous = window.findChild<QToolButton *>(QStringLiteral("VorigeSeite"));
    auto *last = window.findChild<QToolButton *>(QStringLiteral("LetzteSeite"));
    auto *first = window.findChild<QToolButton *>(QStringLiteral("ErsteSeite"));
    ASSERT_TRUE(label && next && previous && last && first);
    EXPECT_EQ(label->text(), QStringLiteral("Seite 1 von %1").arg(pages));
    EXPECT_FALSE(previous->isEnabled());

    QTest::mouseClick(next, Qt::LeftButton);
    EXPECT_EQ(window.currentIndex(), 1);
    EXPECT_EQ(label->text(), QStringLiteral("Seite 2 von %1").arg(pages));
    QTest::mouseClick(last, Qt::LeftButton);
    EXPECT_EQ(window.currentIndex(), pages - 1);
    EXPECT_FALSE(next->isEnabled());
    QTest::mouseClick(previous, Qt::LeftButton);
    EXPECT_EQ(window.currentIndex(), pages - 2);
    QTest::mouseClick(first, Qt::LeftButton);
    EXPECT_EQ(window.currentIndex(), 0);

    QTest::mouseClick(window.findChild<QToolButton *>(QStringLiteral("Vergroessern")), Qt::LeftButton);
    EXPECT_GT(window.zoomPercent(), 75);
    QTest::mouseClick(window.findChild<QToolButton *>(QStringLiteral("GanzeSeite")), Qt::LeftButton);
    EXPECT_LT(window.zoomPercent(), 75);

    // Each click was announced with its button id (message 38).
    const auto clicked =
        std::count_if(messages.begin(), messages.end(), [](const auto &m) { return m.first == 38; });
    EXPECT_EQ(clicked, 6);
    EXPECT_NE(
        std::find(messages.begin(), messages.end(), std::pair<unsigned, intptr_t>(38, tb::viewer::LastPage)),
        messages.end());

    if (const QByteArray shot = qgetenv("KARVENFP_PREVIEW_SHOT"); !shot.isEmpty())
        window.grab().save(QString::fromLocal8Bit(shot));

    QTest::mouseClick(window.findChild<QToolButton *>(QStringLiteral("Schliessen")), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
}

TEST(PreviewWindow, ACallbackCanTakeOverAButton)
{
    testsupport::TempDir dir;
    tb::PageModel model;
    ASSERT_TRUE(tb::PreviewWindow::load(writePreview(dir, 30), model));
    tb::PreviewWindow window(nullptr, std::move(model), {},
                             [](unsigned message, intptr_t parameter) -> intptr_t {
                                 if (message == 38 && parameter == tb::viewer::NextPage)
                                     return 1; // handled
                                 if (message == 34 && (parameter >> 16) == tb::viewer::SavePdf)
                                     return -1; // disabled
                                 return 0;
                             });
    window.show();
    QTest::mouseClick(window.findChild<QToolButton *>(QStringLiteral("NaechsteSeite")), Qt::LeftButton);
    EXPECT_EQ(window.currentIndex(), 0);
    EXPECT_FALSE(window.findChild<QToolButton *>(QStringLiteral("AlsPdfSpeichern"))->isEnabled());
}

} // namespace
