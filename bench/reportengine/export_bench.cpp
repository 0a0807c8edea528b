// Time and peak memory of a data export of N rows (default 50,000), each way in a process of its
// own started from this one:
//   floor  the same cells written straight into a workbook, no engine in between
//   xls    the engine's XLS export of a six-column list
//   pdf    the engine's PDF of the same list
// Printed as CPU seconds (user and system), peak resident megabytes and the ratios to the floor,
// measured in one run. The PDF goes once more with a tenth of the rows: pages are painted as they
// are finished, so its peak memory should hardly grow with the rows.
//   export_bench [--rows=N]           all three, with the ratios
//   export_bench --way=xls --rows=N   one way (what the parent starts)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>

#include "process_usage.h"
#include "reportengine/Engine.h"
#include "reportengine/ProjectStore.h"
#include "reportengine/ScriptedEngineUi.h"
#include "reportengine/XlsWorkbook.h"

namespace {

tb::CellDef cell(const char *expr, double widthMm, const char *format = "")
{
    tb::CellDef c;
    c.expr = QString::fromUtf8(expr);
    c.widthMm = widthMm;
    c.format = QString::fromUtf8(format);
    return c;
}

tb::Project listProject()
{
    tb::Project p;
    p.kind = tb::ProjectKind::List;
    p.page.landscape = true;
    p.sums.push_back({QStringLiteral("SumKosten"), QStringLiteral("Kosten"), false, {}});
    tb::PageObject table;
    table.type = tb::PageObject::Type::Table;
    table.name = QStringLiteral("Tabelle");
    table.rectMm = QRectF(15, 20, 260, 170);
    tb::LineDef header;
    header.cells = {cell("\"Kfz-Nr.\"", 30), cell("\"Datum\"", 30),  cell("\"Km-Stand\"", 30),
                    cell("\"Kosten\"", 35),  cell("\"Fahrer\"", 60), cell("\"Bemerkung\"", 75)};
    tb::LineDef row;
    row.cells = {cell("KfzNr", 30),
                 cell("Datum", 30, "dd.MM.yyyy"),
                 cell("KmStand", 30, "#,##0"),
                 cell("Kosten", 35, "#,##0.00"),
                 cell("Fahrer", 60),
                 cell("Bemerkung", 75)};
    tb::LineDef footer;
    footer.cells = {cell("\"Summe\"", 30), cell("\"\"", 30),
                    cell("\"\"", 30),      cell("SumKosten", 35, "#,##0.00"),
                    cell("\"\"", 60),      cell("\"\"", 75)};
    table.table.header.push_back(header);
    table.table.rows.push_back(row);
    table.table.footer.push_back(footer);
    p.objects.push_back(table);
    return p;
}

struct Row {
    QString kfz, fahrer, bemerkung;
    double datum, km, kosten;
};

Row rowOf(int i)
{
    return {QStringLiteral("HH-AB %1").arg(1000 + i % 900),
            QStringLiteral("Jürgen Müßig"),
            QStringLiteral("Ölwechsel und Prüfung, Rechnung %1").arg(i),
            45000.0 + i % 700,
            120000.0 + i * 13,
            1000.0 + (i % 977) * 3.17};
}

bool floorRun(int rows, const QString &file)
{
    tb::XlsWorkbook book(QStringLiteral("Export"));
    const QStringList captions = {QStringLiteral("Kfz-Nr."),  QStringLiteral("Datum"),
                                  QStringLiteral("Km-Stand"), QStringLiteral("Kosten"),
                                  QStringLiteral("Fahrer"),   QStringLiteral("Bemerkung")};
    int line = 0;
    int sheet = 1;
    auto header = [&] {
        for (int c = 0; c < captions.size(); ++c)
            book.setText(line, c, captions[c], true);
        ++line;
    };
    header();
    double sum = 0;
    for (int i = 0; i < rows; ++i) {
        if (line >= tb::XlsWorkbook::kMaxRows) {
            book.addSheet(QStringLiteral("Export (%1)").arg(++sheet));
            line = 0;
            header();
        }
        const Row r = rowOf(i);
        book.setText(line, 0, r.kfz);
        book.setDate(line, 1, r.datum, QStringLiteral("DD.MM.YYYY"));
        book.setNumber(line, 2, r.km, QStringLiteral("#,##0"));
        book.setNumber(line, 3, r.kosten, QStringLiteral("#,##0.00"));
        book.setText(line, 4, r.fahrer);
        book.setText(line, 5, r.bemerkung);
        sum += r.kosten;
        ++line;
    }
    book.setText(line, 0, QStringLiteral("Summe"), true);
    book.setNumber(line, 3, sum, QStringLiteral("#,##0.00"), true);
    const QByteArray bytes = book.bytes();
    QFile out(file);
    return !bytes.isEmpty() && out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size();
}

bool engineRun(int rows, const QString &target, const QString &directory, const QString &file)
{
    const QString projectFile = QDir(directory).filePath(QStringLiteral("Export.lst"));
    QString error;
    if (!tb::JsonProjectStore().save(projectFile, listProject(), &error))
        return false;
    tb::Engine e(std::make_unique<tb::ScriptedEngineUi>());
    const int job = e.TbJobOpen(-1);
    if (e.TbPrintWithBoxStartA(job, tb::TB_OBJECT_LIST, projectFile, tb::TB_PRINT_EXPORT, tb::TB_BOX_EXPORT,
                               nullptr, QStringLiteral("Exportiere...")) != 0)
        return false;
    e.TbPrintSetOptionStringA(job, tb::TB_PRNOPTSTR_EXPORT_TARGET, target);
    e.TbXSetParameterA(job, 1, target, QStringLiteral("Export.Path"), directory);
    e.TbXSetParameterA(job, 1, target, QStringLiteral("Export.File"), QFileInfo(file).fileName());
    e.TbXSetParameterA(job, 1, target, QStringLiteral("Export.Quiet"), QStringLiteral("1"));
    e.TbPrint(job);
    for (int i = 0; i < rows; ++i) {
        const Row r = rowOf(i);
        e.TbDefineFieldExtA(job, QStringLiteral("KfzNr"), r.kfz, tb::TB_FIELD_TEXT, 0);
        e.TbDefineFieldExtA(job, QStringLiteral("Datum"), QString::number(r.datum), tb::TB_FIELD_DATE, 0);
        e.TbDefineFieldExtA(job, QStringLiteral("KmStand"), QString::number(r.km), tb::TB_FIELD_NUMBER, 0);
        e.TbDefineFieldExtA(job, QStringLiteral("Kosten"),
                            QString::number(r.kosten, 'f', 2).replace(u'.', u','), tb::TB_FIELD_NUMBER, 0);
        e.TbDefineFieldExtA(job, QStringLiteral("Fahrer"), r.fahrer, tb::TB_FIELD_TEXT, 0);
        e.TbDefineFieldExtA(job, QStringLiteral("Bemerkung"), r.bemerkung, tb::TB_FIELD_TEXT, 0);
        if (e.TbPrintFields(job) == tb::TB_WRN_REPEAT_DATA) {
            e.TbPrint(job);
            e.TbPrintFields(job);
        }
    }
    while (e.TbPrintFieldsEnd(job) == tb::TB_WRN_REPEAT_DATA)
        e.TbPrint(job);
    return e.TbPrintEnd(job, 0) == 0 && QFile::exists(file);
}

QString argument(const QStringList &args, const QString &name, const QString &fallback)
{
    for (const QString &a : args)
        if (a.startsWith(name + u'='))
            return a.mid(name.size() + 1);
    return fallback;
}

struct Figure {
    double seconds = 0, megabytes = 0; // CPU time
    bool ok = false;
};

Figure measure(const QString &way, int rows)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--way=") + way, QStringLiteral("--rows=%1").arg(rows)});
    child.waitForFinished(-1);
    Figure f;
    f.ok = std::sscanf(child.readAllStandardOutput().constData(), "%lf %lf", &f.seconds, &f.megabytes) == 2 &&
           child.exitCode() == 0;
    return f;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    bool numeric = false;
    const int rows = argument(args, QStringLiteral("--rows"), QStringLiteral("50000")).toInt(&numeric);
    if (!numeric || rows < 1 || rows > 10'000'000) {
        std::fprintf(stderr, "--rows: a number from 1 to 10000000\n");
        return 2;
    }
    const QString way = argument(args, QStringLiteral("--way"), QString());
    if (!way.isEmpty()) {
        QTemporaryDir dir;
        const double before = testsupport::cpuSeconds();
        const QString file =
            dir.filePath(QStringLiteral("export.") + (way == QLatin1String("pdf") ? "pdf" : "xls"));
        const bool ok = way == QLatin1String("floor") ? floorRun(rows, file)
                                                      : engineRun(rows, way.toUpper(), dir.path(), file);
        const double seconds = testsupport::cpuSeconds() - before;
        std::printf("%.3f %.1f\n", seconds, testsupport::peakMegabytes());
        return ok ? 0 : 1;
    }
    std::printf("%d rows, six columns; each way in a process of its own\n", rows);
    std::printf("%-6s %10s %12s %12s %12s\n", "way", "CPU s", "peak MB", "time/floor", "memory/floor");
    const Figure floor = measure(QStringLiteral("floor"), rows);
    bool allOk = floor.ok;
    Figure many;
    for (const char *w : {"floor", "xls", "pdf"}) {
        const Figure f =
            QLatin1String(w) == QLatin1String("floor") ? floor : measure(QString::fromLatin1(w), rows);
        if (QLatin1String(w) == QLatin1String("pdf"))
            many = f;
        allOk = allOk && f.ok;
        std::printf("%-6s %10.2f %12.1f %12.2f %12.2f%s\n", w, f.seconds, f.megabytes,
                    floor.seconds > 0 ? f.seconds / floor.seconds : 0.0,
                    floor.megabytes > 0 ? f.megabytes / floor.megabytes : 0.0, f.ok ? "" : "   (failed)");
    }
    const int fewer = std::max(1, rows / 10);
    const Figure few = measure(QStringLiteral("pdf"), fewer);
    allOk = allOk && many.ok && few.ok;
    std::printf("pdf steady: %d rows %.1f MB, %d rows %.1f MB, memory %d/%d rows %.2f, time %.2f%s\n", rows,
                many.megabytes, fewer, few.megabytes, rows, fewer,
                few.megabytes > 0 ? many.megabytes / few.megabytes : 0.0,
                few.seconds > 0 ? many.seconds / few.seconds : 0.0, many.ok && few.ok ? "" : "   (failed)");
    return allOk ? 0 : 1;
}
