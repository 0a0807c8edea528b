#include "engine_fixture.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include "reportengine/ProjectStore.h"

namespace enginetest {

namespace {
// Every test binary with this fixture gets its application object.
::testing::Environment *const qtEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);
} // namespace

void QtEnvironment::SetUp()
{
    static int argc = 1;
    static char name[] = "reportengine_test";
    static char *argv[] = {name, nullptr};
    if (!QApplication::instance())
        app_ = new QApplication(argc, argv);
}

namespace {

tb::CellDef cell(const QString &expr, double widthMm = 0, tb::Align align = tb::Align::Left)
{
    tb::CellDef c;
    c.expr = expr;
    c.widthMm = widthMm;
    c.align = align;
    return c;
}

tb::PageObject text(const QRectF &rectMm, const QString &expr, double sizePt, bool bold, tb::Align align)
{
    tb::PageObject o;
    o.type = tb::PageObject::Type::Text;
    o.rectMm = rectMm;
    tb::Paragraph p;
    p.expr = expr;
    p.font.sizePt = sizePt;
    p.font.bold = bold;
    p.align = align;
    o.paragraphs.push_back(p);
    return o;
}

} // namespace

tb::Project listProject(double tableHeightMm)
{
    tb::Project p;
    p.kind = tb::ProjectKind::List;
    p.page.landscape = false;
    p.font.family = QStringLiteral("Liberation Sans");
    p.font.sizePt = 9;
    p.sums.push_back({QStringLiteral("SumBetrag"), QStringLiteral("Val(Betrag)"), false, {}});
    p.sums.push_back({QStringLiteral("Anzahl"), QStringLiteral("1"), false, {}});
    p.objects.push_back(text(QRectF(15, 12, 120, 6), QStringLiteral("Firma"), 9, false, tb::Align::Left));
    p.objects.push_back(
        text(QRectF(15, 18, 180, 8), QStringLiteral("\"Testliste\""), 14, true, tb::Align::Left));
    p.objects.push_back(text(QRectF(135, 12, 60, 10),
                             QStringLiteral("Date$(Today()) + \"\n\" + \"Seite \" + Str$(Page(), 0)"), 9,
                             false, tb::Align::Right));
    tb::PageObject rule;
    rule.type = tb::PageObject::Type::Line;
    rule.rectMm = QRectF(15, 28, 180, 0);
    rule.lineWidthPt = 0.8;
    p.objects.push_back(rule);

    tb::PageObject table;
    table.type = tb::PageObject::Type::Table;
    table.name = QStringLiteral("Tabelle");
    table.rectMm = QRectF(15, 32, 180, tableHeightMm);
    table.table.zebra = QColor(0xF2, 0xF2, 0xF2);
    tb::LineDef header;
    header.font.bold = true;
    header.ruleBelowPt = 0.8;
    header.cells = {cell(QStringLiteral("\"Nr.\""), 15), cell(QStringLiteral("\"Name\""), 60),
                    cell(QStringLiteral("\"Bemerkung\"")),
                    cell(QStringLiteral("\"Betrag\""), 30, tb::Align::Right)};
    table.table.header.push_back(header);
    tb::LineDef row;
    row.cells = {cell(QStringLiteral("Nr"), 15), cell(QStringLiteral("Name"), 60),
                 cell(QStringLiteral("Memo")),
                 cell(QStringLiteral("FStr$(Val(Betrag), \"#,##0.00\")"), 30, tb::Align::Right)};
    table.table.rows.push_back(row);
    tb::LineDef footer;
    footer.font.bold = true;
    footer.ruleAbovePt = 0.8;
    footer.cells = {cell(QStringLiteral("\"Summe\""), 15),
                    cell(QStringLiteral("Str$(Anzahl, 0) + \" Posten\""), 60), cell(QStringLiteral("\"\"")),
                    cell(QStringLiteral("FStr$(SumBetrag, \"#,##0.00\")"), 30, tb::Align::Right)};
    table.table.footer.push_back(footer);
    p.objects.push_back(table);
    return p;
}

tb::Project cardProject()
{
    tb::Project p;
    p.kind = tb::ProjectKind::Card;
    p.objects.push_back(
        text(QRectF(15, 15, 180, 10), QStringLiteral("\"Fahrzeug-Stammdaten\""), 14, true, tb::Align::Left));
    p.objects.push_back(text(QRectF(15, 30, 180, 10), QStringLiteral("\"Kennzeichen: \" + KfzNr"), 10, false,
                             tb::Align::Left));
    tb::PageObject memo = text(QRectF(15, 45, 180, 30), QStringLiteral("Memo"), 10, false, tb::Align::Left);
    p.objects.push_back(memo);
    return p;
}

QString saveProject(const tb::Project &project, const QString &file)
{
    QString error;
    EXPECT_TRUE(tb::JsonProjectStore().save(file, project, &error)) << error.toStdString();
    return file;
}

QStringList pdfPages(const QString &file)
{
    if (!QFile::exists(file))
        return {};
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
    process.waitForFinished(10000);
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

std::vector<PdfWord> pdfWords(const QString &file, int page)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-bbox"), QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                   QString::number(page), file, QStringLiteral("-")});
    process.waitForFinished(30000);
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
    std::vector<PdfWord> words;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        QString text = m.captured(5);
        text.replace(QLatin1String("&lt;"), QLatin1String("<"))
            .replace(QLatin1String("&gt;"), QLatin1String(">"))
            .replace(QLatin1String("&quot;"), QLatin1String("\""))
            .replace(QLatin1String("&amp;"), QLatin1String("&"));
        words.push_back({text, m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                         m.captured(4).toDouble()});
    }
    return words;
}

int pdfPageCount(const QString &file)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return 0;
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![s\\w])"));
    return int(QString::fromLatin1(in.readAll()).count(page));
}

LoopResult runListLoop(tb::IEngine &engine, int job, const QString &project, int flags, int rows,
                       const std::function<void(int row)> &defineRow)
{
    LoopResult r;
    const bool preview = flags & tb::TB_PRINT_PREVIEW;
    r.start = engine.TbPrintWithBoxStartA(
        job, tb::TB_OBJECT_LIST, project, flags, tb::TB_BOX_PROGRESS, nullptr,
        preview ? QStringLiteral("Drucke in Vorschau...") : QStringLiteral("Drucke..."));
    if (preview)
        engine.TbPreviewSetTempPathA(job, QString());
    if (r.start != 0) {
        engine.TbPrintEnd(job, 0);
        return r;
    }
    const int perTable = engine.TbPrintGetItemsPerTable(job);
    const int estimate = (perTable > 0 ? rows / perTable : 0) + 1;
    r.options =
        engine.TbPrintOptionsDialogA(job, nullptr, QStringLiteral("Drucke\nCa. %1 Seite(n)").arg(estimate));
    if (r.options != 0) {
        r.end = engine.TbPrintEnd(job, 0);
        return r;
    }
    int row = 0;
    int result = 0;
    while (row < rows && (result == 0 || result == tb::TB_WRN_REPEAT_DATA) &&
           engine.TbPrintGetOption(job, tb::popt::LastPage) >= engine.TbPrintGetCurrentPage(job)) {
        result = engine.TbPrint(job);
        ++r.pagesBegun;
        while (row < rows && result == 0 &&
               engine.TbPrintGetOption(job, tb::popt::LastPage) >= engine.TbPrintGetCurrentPage(job)) {
            engine.TbPrintSetBoxTextA(job, QStringLiteral("Drucke auf PDF"),
                                      (row + 1) * 100 / std::max(1, rows));
            defineRow(row);
            result = engine.TbPrintFields(job);
            if (result == 0) {
                ++row;
                ++r.rowsPrinted;
            } else if (result == tb::TB_WRN_REPEAT_DATA) {
                r.repeatedRows.push_back(row);
            }
        }
    }
    r.lastResult = result;
    r.footer = engine.TbPrintFieldsEnd(job);
    if (r.footer == tb::TB_WRN_REPEAT_DATA)
        r.footerRetry = engine.TbPrintFieldsEnd(job);
    r.end = engine.TbPrintEnd(job, 0);
    if (preview) {
        engine.TbPreviewDisplayA(job, project, QString(), nullptr);
        engine.TbPreviewDeleteFilesA(job, project, QString());
    }
    return r;
}

} // namespace enginetest
