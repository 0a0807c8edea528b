// Time of a long report through the report engine against painting the same pages without it.
// The report is the shipped tyre list, N vehicles (default 10,000) of two table lines each; every
// way runs in a process of its own started from this one:
//   floor    the run's pages, laid out beforehand and not timed, painted by a QPdfWriter with plain
//            drawText, drawLine and fillRect: what any PDF of these pages costs
//   pdf      the engine's run to a PDF file, from the first record defined to the file in place
//   preview  the engine's run to the preview, until the preview window shows its first page
// Printed as CPU seconds (user and system), wall seconds, peak resident megabytes and the CPU ratio
// to the floor, measured in one run.
//   print_bench [--rows=N] [--project=FILE]            all three, with the ratios
//   print_bench --way=pdf --rows=N [--project=FILE]    one way (what the parent starts)
//   print_bench --text=DIR --rows=N                    writes DIR/engine.pdf, DIR/floor.pdf and the
//                                                      first page as the preview paints it, DIR/seite1.png
#include <chrono>
#include <cstdio>
#include <memory>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>

#include "process_usage.h"
#include "reportengine/Engine.h"
#include "reportengine/PageModel.h"
#include "reportengine/PagePainter.h"
#include "reportengine/PreviewPages.h"
#include "reportengine/PreviewWindow.h"
#include "reportengine/ScriptedEngineUi.h"

using testsupport::cpuSeconds;
using testsupport::peakMegabytes;

namespace {

const char *const kTyres[] = {"Sommer 205 Eco", "Allwetter 4S",  "Winter Alpin 6",
                              "Sommer Sport 5", "Winter TS 870", "Transporter Van"};
const char *const kSizes[] = {"205/55 R16 91V", "225/45 R17 94W", "195/65 R15 91H", "215/65 R16C 109T"};

QString vehicleNumber(int i)
{
    return QStringLiteral("%1-%2 %3")
        .arg(QString::fromUtf8(i % 3 == 0   ? "HH"
                               : i % 3 == 1 ? "M"
                                            : "KÖ"))
        .arg(QChar(u'A' + i % 26))
        .arg(100 + i % 9900);
}

// The fields of one vehicle's tyres as the program defines them (texts; the project converts).
void defineRecord(tb::Engine &e, int job, int i)
{
    auto field = [&](const QString &name, const QString &value) {
        e.TbDefineFieldExtA(job, name, value, tb::TB_FIELD_TEXT, 0);
    };
    field(QStringLiteral("KfzNr"), vehicleNumber(i));
    field(QStringLiteral("Info"), i % 4 == 0 ? QStringLiteral("Räder im Lager Süd") : QString());
    field(QStringLiteral("Reifengroesse"), QString::fromUtf8(kSizes[i % 4]));
    field(QStringLiteral("Reifenpreis"), QStringLiteral("%1,90").arg(79 + i % 120));
    field(QStringLiteral("Reserve1"), QString::fromUtf8(kSizes[(i + 1) % 4]));
    field(QStringLiteral("Reserve2"), QStringLiteral("%1,50").arg(89 + i % 140));
    for (int axle = 1; axle <= 4; ++axle) {
        const bool fitted = axle <= 2 || i % 7 == 0;
        for (const char *season : {"So", "Wi"}) {
            const QString s = QString::fromLatin1(season);
            field(QStringLiteral("Achse%1Reifentyp%2").arg(axle).arg(s),
                  fitted ? QString::fromUtf8(kTyres[(i + axle + (s == u"Wi")) % 6]) : QString());
            field(QStringLiteral("Achse%1ReifenProfilMM%2").arg(axle).arg(s),
                  fitted ? QStringLiteral("%1,%2").arg(3 + (i + axle) % 6).arg(i % 10) : QString());
        }
    }
}

// One run of the tyre list through the engine to `destination` (TB_PRINT_PREVIEW or TB_PRINT_EXPORT
// with a PDF file). The preview file lies in `directory`.
bool engineRun(const QString &projectFile, int rows, int destination, const QString &directory,
               const QString &pdfFile)
{
    tb::Engine e(std::make_unique<tb::ScriptedEngineUi>());
    const int job = e.TbJobOpen(-1);
    e.TbPreviewSetTempPathA(job, directory);
    e.TbDefineVariableA(job, QStringLiteral("AktMandantName1"), QStringLiteral("Spedition Müller GmbH"));
    const int box = destination == tb::TB_PRINT_EXPORT ? tb::TB_BOX_EXPORT : tb::TB_BOX_PROGRESS;
    if (e.TbPrintWithBoxStartA(job, tb::TB_OBJECT_LIST, projectFile, destination, box, nullptr,
                               QStringLiteral("Drucke...")) != 0)
        return false;
    if (destination == tb::TB_PRINT_EXPORT) {
        const QString target = QStringLiteral("PDF");
        e.TbPrintSetOptionStringA(job, tb::TB_PRNOPTSTR_EXPORT_TARGET, target);
        e.TbXSetParameterA(job, 1, target, QStringLiteral("Export.Path"), QFileInfo(pdfFile).path());
        e.TbXSetParameterA(job, 1, target, QStringLiteral("Export.File"), QFileInfo(pdfFile).fileName());
        e.TbXSetParameterA(job, 1, target, QStringLiteral("Export.Quiet"), QStringLiteral("1"));
    }
    e.TbPrint(job);
    for (int i = 0; i < rows; ++i) {
        defineRecord(e, job, i);
        if (e.TbPrintFields(job) == tb::TB_WRN_REPEAT_DATA) {
            e.TbPrint(job);
            e.TbPrintFields(job);
        }
    }
    while (e.TbPrintFieldsEnd(job) == tb::TB_WRN_REPEAT_DATA)
        e.TbPrint(job);
    const bool ok = e.TbPrintEnd(job, 0) == 0;
    e.TbJobClose(job);
    return ok;
}

QString previewFile(const QString &projectFile, const QString &directory)
{
    return tb::Engine::previewFileName(projectFile, directory);
}

// The pages painted the plain way: device coordinates, the font at its size, one drawText per line.
bool floorPaint(const tb::PageModel &model, const QString &file)
{
    constexpr int kDpi = 1200;
    constexpr double kScale = kDpi / 72.0;
    QPdfWriter writer(file);
    writer.setResolution(kDpi);
    QPainter painter;
    // A font is made and set only when it changes, as any careful painting does.
    tb::RunFont current;
    bool anyFont = false;
    for (size_t n = 0; n < model.pages.size(); ++n) {
        const tb::Page &page = model.pages[n];
        const bool landscape = page.sizePt.width() > page.sizePt.height();
        writer.setPageLayout(
            QPageLayout(QPageSize(landscape ? page.sizePt.transposed() : page.sizePt, QPageSize::Point),
                        landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF()));
        if (n == 0 ? !painter.begin(&writer) : !writer.newPage())
            return false;
        for (const tb::Primitive &p : page.items) {
            switch (p.kind) {
            case tb::Primitive::Kind::Text: {
                const tb::RunFont &f = p.font;
                if (!anyFont || f.family != current.family || f.sizePt != current.sizePt ||
                    f.bold != current.bold || f.italic != current.italic) {
                    QFont font(f.family);
                    font.setPointSizeF(f.sizePt);
                    font.setBold(f.bold);
                    font.setItalic(f.italic);
                    painter.setFont(font);
                    current = f;
                    anyFont = true;
                }
                if (painter.pen().color() != p.color || painter.pen().widthF() != 0)
                    painter.setPen(p.color);
                painter.drawText(p.origin * kScale, p.text);
                break;
            }
            case tb::Primitive::Kind::Line:
                painter.setPen(QPen(p.color, p.penWidth * kScale));
                painter.drawLine(p.p1 * kScale, p.p2 * kScale);
                break;
            case tb::Primitive::Kind::Rect: {
                const QRectF r(p.rect.topLeft() * kScale, p.rect.size() * kScale);
                if (p.fill.isValid())
                    painter.fillRect(r, p.fill);
                if (p.penWidth > 0) {
                    painter.setPen(QPen(p.color, p.penWidth * kScale));
                    painter.setBrush(Qt::NoBrush);
                    painter.drawRect(r);
                }
                break;
            }
            default:
                break;
            }
        }
    }
    return painter.end();
}

struct Figure {
    double cpu = 0, wall = 0, megabytes = 0;
    int pages = 0;
    bool ok = false;
};

// One way in this process; what it measured goes to standard output.
int runWay(const QString &way, const QString &projectFile, int rows)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("liste.pdf"));
    Figure f;
    if (way == QLatin1String("floor")) {
        tb::PageModel model;
        if (!engineRun(projectFile, rows, tb::TB_PRINT_PREVIEW, dir.path(), pdf) ||
            !tb::PageModel::readFile(previewFile(projectFile, dir.path()), model))
            return 1;
        const double cpu = cpuSeconds();
        QElapsedTimer wall;
        wall.start();
        f.ok = floorPaint(model, pdf);
        f.cpu = cpuSeconds() - cpu;
        f.wall = wall.nsecsElapsed() / 1e9;
        f.pages = int(model.pages.size());
    } else if (way == QLatin1String("pdf")) {
        const double cpu = cpuSeconds();
        QElapsedTimer wall;
        wall.start();
        f.ok = engineRun(projectFile, rows, tb::TB_PRINT_EXPORT, dir.path(), pdf) && QFile::exists(pdf);
        f.cpu = cpuSeconds() - cpu;
        f.wall = wall.nsecsElapsed() / 1e9;
    } else if (way == QLatin1String("preview")) {
        const double cpu = cpuSeconds();
        QElapsedTimer wall;
        wall.start();
        // As the program's preview opens it: the window reads the pages it shows.
        std::unique_ptr<tb::PreviewPages> pages;
        f.ok = engineRun(projectFile, rows, tb::TB_PRINT_PREVIEW, dir.path(), pdf) &&
               (pages = tb::PreviewPages::open(previewFile(projectFile, dir.path())));
        if (f.ok) {
            f.pages = pages->count();
            tb::PreviewWindow window(nullptr, std::move(pages), tb::PreviewGeometry{});
            window.show();
            QCoreApplication::processEvents();
            f.ok = window.isVisible() && window.pageCount() == f.pages;
        }
        f.cpu = cpuSeconds() - cpu;
        f.wall = wall.nsecsElapsed() / 1e9;
    } else {
        return 2;
    }
    std::printf("%.3f %.3f %.1f %d\n", f.cpu, f.wall, peakMegabytes(), f.pages);
    return f.ok ? 0 : 1;
}

QString argument(const QStringList &args, const QString &name, const QString &fallback)
{
    for (const QString &a : args)
        if (a.startsWith(name + u'='))
            return a.mid(name.size() + 1);
    return fallback;
}

Figure measure(const QString &way, int rows, const QString &projectFile)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--way=") + way, QStringLiteral("--rows=%1").arg(rows),
                 QStringLiteral("--project=") + projectFile});
    child.waitForFinished(-1);
    Figure f;
    f.ok = std::sscanf(child.readAllStandardOutput().constData(), "%lf %lf %lf %d", &f.cpu, &f.wall,
                       &f.megabytes, &f.pages) == 4 &&
           child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0;
    return f;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    bool numeric = false;
    const int rows = argument(args, QStringLiteral("--rows"), QStringLiteral("10000")).toInt(&numeric);
    if (!numeric || rows < 1 || rows > 1'000'000) {
        std::fprintf(stderr, "--rows: a number from 1 to 1000000\n");
        return 2;
    }
    const QString projectFile =
        argument(args, QStringLiteral("--project"), QStringLiteral(KARVENFP_TYRE_LIST));
    if (!QFile::exists(projectFile)) {
        std::fprintf(stderr, "no project %s\n", qPrintable(projectFile));
        return 2;
    }
    const QString textDir = argument(args, QStringLiteral("--text"), QString());
    if (!textDir.isEmpty()) {
        // Both files of one run side by side, to compare their text layers.
        QDir().mkpath(textDir);
        tb::PageModel model;
        const bool ok = engineRun(projectFile, rows, tb::TB_PRINT_EXPORT, textDir,
                                  QDir(textDir).filePath("engine.pdf")) &&
                        engineRun(projectFile, rows, tb::TB_PRINT_PREVIEW, textDir, QString()) &&
                        tb::PageModel::readFile(previewFile(projectFile, textDir), model) &&
                        floorPaint(model, QDir(textDir).filePath(QStringLiteral("floor.pdf"))) &&
                        tb::PagePainter::render(model.pages.front(), 96)
                            .save(QDir(textDir).filePath(QStringLiteral("seite1.png")));
        QFile::remove(previewFile(projectFile, textDir));
        return ok ? 0 : 1;
    }
    const QString way = argument(args, QStringLiteral("--way"), QString());
    if (!way.isEmpty())
        return runWay(way, projectFile, rows);

    const Figure floor = measure(QStringLiteral("floor"), rows, projectFile);
    std::printf("%d vehicles of the tyre list, %d pages; each way in a process of its own\n", rows,
                floor.pages);
    std::printf("%-22s %8s %8s %9s %10s\n", "way", "CPU s", "wall s", "peak MB", "CPU/floor");
    bool allOk = floor.ok;
    for (const char *w : {"floor", "pdf", "preview"}) {
        const QString name = QString::fromLatin1(w);
        const Figure f = name == QLatin1String("floor") ? floor : measure(name, rows, projectFile);
        allOk = allOk && f.ok;
        const char *label = name == QLatin1String("preview") ? "preview (first page)" : w;
        std::printf("%-22s %8.2f %8.2f %9.1f %10.2f%s\n", label, f.cpu, f.wall, f.megabytes,
                    floor.cpu > 0 ? f.cpu / floor.cpu : 0.0, f.ok ? "" : "   (failed)");
    }
    return allOk ? 0 : 1;
}
