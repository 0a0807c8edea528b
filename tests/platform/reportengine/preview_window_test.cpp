// The preview window on a preview file, offscreen, and the preview file read a page at a time.
#include <QtEndian>

#include <QBuffer>
#include <QFile>
#include <QLabel>
#include <QTest>
#include <QToolButton>

#include "engine_fixture.h"
#include "reportengine/PreviewFileWriter.h"
#include "reportengine/PreviewPages.h"
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

// Everything of a page that the preview file keeps.
QStringList contentOf(const tb::Page &page)
{
    QStringList out{
        QStringLiteral("%1 %2x%3").arg(page.number).arg(page.sizePt.width()).arg(page.sizePt.height())};
    for (const auto &p : page.items) {
        out << QStringLiteral("%1|%2|%3|%4 %5 %6%7%8|%9,%10|%11")
                   .arg(int(p.kind))
                   .arg(p.object, p.text, p.font.family)
                   .arg(p.font.sizePt)
                   .arg(p.font.bold)
                   .arg(p.font.italic)
                   .arg(p.font.underline)
                   .arg(p.origin.x())
                   .arg(p.origin.y())
                   .arg(p.color.name(QColor::HexArgb))
            << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9")
                   .arg(p.clip.x())
                   .arg(p.clip.width())
                   .arg(p.p1.y())
                   .arg(p.p2.x())
                   .arg(p.rect.y())
                   .arg(p.rect.height())
                   .arg(p.penWidth)
                   .arg(p.fill.isValid() ? p.fill.name(QColor::HexArgb) : QStringLiteral("-"))
                   .arg(p.image.size());
    }
    return out;
}

QByteArray bytesOf(const QString &file)
{
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

void put(const QString &file, const QByteArray &bytes)
{
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes);
}

// Where each page begins, from the index at the file's end.
std::vector<qint64> pageOffsets(const QByteArray &bytes, int pages)
{
    const qint64 index = qFromBigEndian<qint64>(bytes.constData() + bytes.size() - 12);
    std::vector<qint64> offsets;
    for (int i = 0; i < pages; ++i)
        offsets.push_back(qFromBigEndian<qint64>(bytes.constData() + index + 8 + 8 * i));
    return offsets;
}

TEST(PreviewFile, WrittenAsTheRunGoesItIsTheFileOfTheWholeRun)
{
    testsupport::TempDir dir;
    tb::PageModel model;
    ASSERT_TRUE(tb::PageModel::readFile(writePreview(dir, 45), model));
    ASSERT_GE(model.pages.size(), 4u);
    ASSERT_FALSE(model.table.empty());
    const QString whole = QString::fromStdString((dir / "whole.tbpv").string());
    const QString streamed = QString::fromStdString((dir / "streamed.tbpv").string());
    ASSERT_TRUE(model.writeFile(whole));
    {
        tb::PreviewFileWriter writer(streamed, model.projectFile);
        for (const auto &page : model.pages) {
            for (const auto &line : model.table)
                if (line.page == page.number)
                    writer.tableLine(line);
            writer.page(page);
        }
        EXPECT_EQ(writer.pages(), int(model.pages.size()));
        ASSERT_TRUE(writer.finish());
    }
    EXPECT_EQ(bytesOf(streamed), bytesOf(whole));
}

TEST(PreviewFile, EveryKindOfValueIsReadBackAsItWasWritten)
{
    tb::PageModel model;
    model.projectFile = QStringLiteral("Übersicht.lst");
    tb::Page page;
    page.number = 7;
    page.sizePt = QSizeF(841.89, 595.28);
    struct Item {
        QString text;
        QColor color, fill;
        QByteArray image;
    } items[] = {
        {QString(), QColor(Qt::black), QColor(), QByteArray()},
        {QStringLiteral(""), QColor(0x12, 0x34, 0x56, 0x78), QColor::fromRgbF(0.1f, 0.2f, 0.3f),
         QByteArray("")},
        {QStringLiteral("Größe 𝄞 – ½"), QColor::fromHsv(200, 40, 90), QColor::fromCmyk(10, 20, 30, 40),
         QByteArray("\x89PNG\r\n\x1a\n", 8)},
        {QStringLiteral("Sommer:"), QColor(Qt::transparent), QColor(QStringLiteral("#F2F2F2")), QByteArray()},
    };
    for (const auto &item : items) {
        tb::Primitive p;
        p.kind = tb::Primitive::Kind(int(page.items.size()) % 4); // text, line, rectangle, picture
        p.object = item.text.isNull() ? QString() : QStringLiteral("Tabelle");
        p.text = item.text;
        p.font = {QStringLiteral("Liberation Sans"), 8.5, true, false, true};
        p.origin = QPointF(-1.5, 1e5);
        p.clip = QRectF(0.25, 0.5, 100.125, 12);
        p.color = item.color;
        p.fill = item.fill;
        p.p1 = QPointF(3, 4);
        p.p2 = QPointF(-0.0, 7.75);
        p.rect = QRectF(1, 2, 3, 4);
        p.penWidth = 0.3;
        p.image = item.image;
        p.keepAspect = page.items.size() % 2 == 0;
        page.items.push_back(p);
    }
    // The table's marks serve a run's painting notifications only; the preview keeps none.
    tb::Page withMarks = page;
    tb::Primitive mark;
    mark.kind = tb::Primitive::Kind::TableLine;
    withMarks.items.insert(withMarks.items.begin() + 1, mark);
    mark.kind = tb::Primitive::Kind::TableField;
    withMarks.items.push_back(mark);
    model.pages = {withMarks};
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    ASSERT_TRUE(model.write(buffer));
    buffer.seek(0);
    tb::PageModel read;
    ASSERT_TRUE(tb::PageModel::read(buffer, read));
    ASSERT_EQ(read.pages.size(), 1u);
    EXPECT_EQ(read.projectFile, model.projectFile);
    EXPECT_EQ(contentOf(read.pages[0]), contentOf(page));
    for (size_t i = 0; i < page.items.size(); ++i) {
        const tb::Primitive &a = read.pages[0].items[i], &b = page.items[i];
        EXPECT_EQ(a.color, b.color) << i;
        EXPECT_EQ(a.fill, b.fill) << i;
        EXPECT_EQ(a.text.isNull(), b.text.isNull()) << i;
        EXPECT_EQ(a.image, b.image) << i;
        EXPECT_EQ(a.image.isNull(), b.image.isNull()) << i;
        EXPECT_EQ(a.keepAspect, b.keepAspect) << i;
        EXPECT_EQ(a.kind, b.kind) << i;
    }
}

TEST(PreviewFile, PagesReadOneAtATimeAreThePagesOfTheWholeFile)
{
    testsupport::TempDir dir;
    const QString file = writePreview(dir, 45);
    tb::PageModel whole;
    ASSERT_TRUE(tb::PageModel::readFile(file, whole));
    const int count = int(whole.pages.size());
    ASSERT_GE(count, 4);
    tb::PreviewFilePages pages;
    ASSERT_TRUE(pages.open(file)); // by its index
    ASSERT_EQ(pages.count(), count);
    EXPECT_EQ(pages.projectFile(), whole.projectFile);
    for (const int index : {count - 1, 0, 2, 2, 1}) {
        const tb::Page *page = pages.page(index);
        ASSERT_TRUE(page) << index;
        EXPECT_EQ(contentOf(*page), contentOf(whole.pages[size_t(index)])) << index;
    }
    EXPECT_EQ(pages.page(count), nullptr);
    EXPECT_EQ(pages.page(-1), nullptr);
}

TEST(PreviewFile, DamageIsFoundWhereItLies)
{
    testsupport::TempDir dir;
    const QString file = writePreview(dir, 45);
    const QByteArray good = bytesOf(file);
    tb::PageModel whole;
    ASSERT_TRUE(tb::PageModel::readFile(file, whole));
    const int count = int(whole.pages.size());
    const std::vector<qint64> offsets = pageOffsets(good, count);
    ASSERT_EQ(offsets.size(), size_t(count));
    const qint64 index = qFromBigEndian<qint64>(good.constData() + good.size() - 12);
    struct Case {
        const char *what;
        std::function<void(QByteArray &)> damage;
        bool byIndex;        // read a page at a time
        int unreadable = -1; // the page that cannot be read
    } cases[] = {
        {"index cut off", [](QByteArray &b) { b.chop(12); }, false},
        {"index out of order",
         [&](QByteArray &b) {
             qToBigEndian<qint64>(offsets[2], b.data() + index + 8 + 8 * 1);
             qToBigEndian<qint64>(offsets[1], b.data() + index + 8 + 8 * 2);
         },
         false},
        {"index beyond the pages",
         [&](QByteArray &b) { qToBigEndian<qint64>(b.size(), b.data() + index + 8 + 8 * 3); }, false},
        {"index counting a page less",
         [&](QByteArray &b) { qToBigEndian<quint32>(count - 1, b.data() + index + 4); }, false},
        // The kind of the second page's first item: the whole file is refused, the page alone here.
        {"a page damaged", [&](QByteArray &b) { b[offsets[1] + 24] = char(99); }, true, 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QByteArray bytes = good;
        c.damage(bytes);
        const QString damaged = QString::fromStdString((dir / "damaged.tbpv").string());
        put(damaged, bytes);
        EXPECT_EQ(tb::PreviewFilePages().open(damaged), c.byIndex);
        std::unique_ptr<tb::PreviewPages> pages = tb::PreviewPages::open(damaged);
        if (c.unreadable >= 0 && !c.byIndex) {
            EXPECT_FALSE(pages);
            continue;
        }
        ASSERT_TRUE(pages);
        ASSERT_EQ(pages->count(), count);
        for (int i = 0; i < count; ++i) {
            const tb::Page *page = pages->page(i);
            if (i == c.unreadable) {
                EXPECT_EQ(page, nullptr);
                continue;
            }
            ASSERT_TRUE(page) << i;
            EXPECT_EQ(contentOf(*page), contentOf(whole.pages[size_t(i)])) << i;
        }
        if (c.unreadable < 0)
            continue;
        tb::PageModel model;
        EXPECT_FALSE(tb::PageModel::readFile(damaged, model));
        // The window shows the others and says which one it cannot show.
        tb::PreviewWindow window(nullptr, std::move(pages), {});
        window.show();
        auto *label = window.findChild<QLabel *>(QStringLiteral("SeitenAnzeige"));
        ASSERT_TRUE(label);
        window.showPage(c.unreadable);
        EXPECT_EQ(
            label->text(),
            QStringLiteral("Seite %1 von %2 kann nicht gelesen werden").arg(c.unreadable + 1).arg(count));
        EXPECT_TRUE(window.findChild<QToolButton *>(QStringLiteral("NaechsteSeite"))->isEnabled());
        window.showPage(c.unreadable + 1);
        EXPECT_EQ(label->text(), QStringLiteral("Seite %1 von %2").arg(c.unreadable + 2).arg(count));
    }
    put(QString::fromStdString((dir / "garbage.tbpv").string()), QByteArray("TBPV kaputt"));
    EXPECT_FALSE(tb::PreviewPages::open(QString::fromStdString((dir / "garbage.tbpv").string())));
}

} // namespace
