#include "reportengine/RunOutput.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>

#include "reportengine/Engine.h"
#include "reportengine/ExportWriter.h"
#include "reportengine/Job.h"
#include "reportengine/PagePainter.h"
#include "reportengine/StreamedPdf.h"

namespace tb {

PaintNotifier paintNotifier(Job &job)
{
    PaintNotifier notifier;
    const intptr_t mask = job.option(opt::CallbackMask);
    notifier.objects = mask & TB_MASK_OBJECT;
    notifier.pages = mask & TB_MASK_PAGE;
    notifier.project = mask & TB_MASK_PROJECT;
    notifier.tableLines = job.option(opt::TableColoring) == 1;
    notifier.raise = [&job](unsigned message, intptr_t parameter) { return job.raise(message, parameter); };
    return notifier;
}

int writeRunOutput(Job &job, EngineUi &ui)
{
    PageModel &model = job.run->model();
    const int firstOption = job.printOptions[popt::FirstPage];
    const int first = firstOption == TB_PAGE_UNSET ? 1 : std::max(1, firstOption);
    const int last = job.printOptions[popt::LastPage];
    const int copies = std::max(1, job.printOptions[popt::Copies]);
    PaintNotifier notifier = paintNotifier(job);
    // The progress box goes on to the last page written; Cancel there stops the writing.
    bool cancelled = false;
    notifier.pagePainted = [&ui, &cancelled](int painted, int total) {
        cancelled =
            !ui.updateProgress(QStringLiteral("Seite %1 von %2 wird ausgegeben").arg(painted).arg(total),
                               total > 0 ? painted * 100 / total : 100);
        return !cancelled;
    };

    if (job.destination == TB_DEST_PREVIEW && job.preview) {
        // Written as the run went on; its last page is still to come.
        job.run->finishPages();
        return job.preview->finish() ? TB_OK : TB_ERR_OUTPUT;
    }
    if (job.destination == TB_DEST_PREVIEW) {
        // The preview shows the chosen range only.
        PageModel shown;
        shown.projectFile = model.projectFile;
        for (const auto &page : model.pages)
            if (page.number >= first && page.number <= last)
                shown.pages.push_back(page);
        for (const auto &line : model.table)
            if (line.page >= first && line.page <= last)
                shown.table.push_back(line);
        const QString file = Engine::previewFileName(model.projectFile, job.previewPath);
        return shown.writeFile(file) ? TB_OK : TB_ERR_OUTPUT;
    }

    // A PDF painted as the run went on has its last page still to paint; the others are gone.
    StreamedPdf *const pdf = job.pdf.get();
    if (pdf)
        job.run->finishPages();
    if (pdf && pdf->failed())
        return job.aborted ? TB_ERR_USER_ABORTED : TB_ERR_OUTPUT; // Cancel came with the last page
    bool anyPage = pdf && pdf->pages() > 0;
    for (const auto &page : model.pages)
        anyPage = anyPage || (page.number >= first && page.number <= last);
    // What is left of a painted PDF is putting the file in place.
    auto finishPdf = [&](const QString &file) {
        cancelled =
            !ui.updateProgress(QStringLiteral("Seite %1 von %1 wird ausgegeben").arg(pdf->pages()), 100);
        return !cancelled && pdf->finish(file);
    };

    if (job.destination == TB_DEST_EXPORT) {
        const QString target = job.exportTarget();
        if (!isKnownExportTarget(target))
            return TB_ERR_OUTPUT;
        const QString directory = job.exportParameter(target, QStringLiteral("Export.Path"));
        QString name = job.exportParameter(target, QStringLiteral("Export.File"));
        if (name.isEmpty())
            name = QFileInfo(model.projectFile).completeBaseName() + u'.' + exportExtension(target);
        QString file = QDir(directory.isEmpty() ? QDir::currentPath() : directory).filePath(name);
        if (job.exportParameter(target, QStringLiteral("Export.Quiet")) != QLatin1String("1") &&
            !ui.selectFile(nullptr, QStringLiteral("Exportieren"), exportDialogFilter(target), true, file))
            return TB_ERR_USER_ABORTED;
        if (!anyPage)
            return TB_ERR_OUTPUT;
        bool written = false;
        if (pdf) {
            written = finishPdf(file);
        } else if (target == QLatin1String("PDF")) {
            written = PagePainter::writePdf(model, file, first, last, &notifier);
        } else if (job.stream) {
            // The lines are written already; what is left is putting the file together.
            ProgressNotification progress{nullptr, job.stream->rows(), 0, job.handle};
            job.raise(msg::Progress, intptr_t(&progress));
            cancelled =
                !ui.updateProgress(QStringLiteral("%1 Zeilen werden ausgegeben").arg(progress.total), 0);
            written = !cancelled && job.stream->finish(file);
            progress.current = progress.total;
            job.raise(msg::Progress, intptr_t(&progress));
        } else {
            // Files without pages (all but RTF) leave out what shows the page number.
            const Project &project = job.run->project();
            const ExportSource source{model, project.exportSettings.value(target).toObject(), first, last,
                                      target == QLatin1String("RTF") ? QStringList()
                                                                     : project.pageOnlyObjects()};
            // Progress of the writing (message 37): before and after, counted in data rows (headers
            // repeated on every page are written once and are no progress).
            int rows = 0;
            for (const auto &line : model.table)
                rows += line.kind == TableLineRecord::Kind::Row && line.page >= first && line.page <= last;
            ProgressNotification progress{nullptr, rows, 0, job.handle};
            job.raise(msg::Progress, intptr_t(&progress));
            cancelled = !ui.updateProgress(QStringLiteral("%1 Zeilen werden ausgegeben").arg(rows), 0);
            written = !cancelled && writeDataExport(target, source, file);
            progress.current = progress.total;
            job.raise(msg::Progress, intptr_t(&progress));
        }
        if (cancelled)
            return TB_ERR_USER_ABORTED;
        if (!written)
            return TB_ERR_OUTPUT;
        if (job.exportParameter(target, QStringLiteral("Export.ShowResult")) == QLatin1String("1"))
            ui.openDocument(file);
        return TB_OK;
    }

    if (!anyPage)
        return TB_OK; // nothing in the chosen range
    if (job.printer == pdfPseudoPrinterName()) {
        QString file = job.pdfFile;
        if (file.isEmpty() && !ui.selectFile(nullptr, QStringLiteral("Drucken in PDF-Datei"),
                                             QStringLiteral("PDF-Dateien (*.pdf)"), true, file))
            return TB_ERR_USER_ABORTED;
        if (pdf)
            return finishPdf(file) ? TB_OK : cancelled ? TB_ERR_USER_ABORTED : TB_ERR_OUTPUT;
        // Painted beside the target first: a failed run leaves an earlier file of that name.
        const bool ok = replaceOnSuccess(file, [&](const QString &neu) {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(neu);
            printer.setDocName(PagePainter::documentTitle(model));
            printer.setFullPage(true);
            // The file is whole when the painting ends; the author is added to it then.
            return PagePainter::paintPages(printer, model, first, last, copies, &notifier) &&
                   PagePainter::finishPdfInfo(model, neu);
        });
        return ok ? TB_OK : cancelled ? TB_ERR_USER_ABORTED : TB_ERR_OUTPUT;
    }
    const QPrinterInfo info = QPrinterInfo::printerInfo(job.printer);
    if (info.isNull())
        return TB_ERR_NO_PRINTER;
    QPrinter printer(info, QPrinter::HighResolution);
    if (!printer.isValid())
        return TB_ERR_NO_PRINTER;
    printer.setFullPage(true);
    printer.setDocName(QFileInfo(model.projectFile).completeBaseName());
    if (PagePainter::paintPages(printer, model, first, last, copies, &notifier))
        return TB_OK;
    if (!cancelled)
        return TB_ERR_NO_PRINTER;
    printer.abort();
    return TB_ERR_USER_ABORTED;
}

} // namespace tb
