#include "reportengine/StreamedPdf.h"

#include <QFile>
#include <QPdfWriter>

#include "reportengine/EngineUi.h"
#include "reportengine/Job.h"
#include "reportengine/RunOutput.h"

namespace tb {

std::unique_ptr<StreamedPdf> StreamedPdf::forRun(Job &job, EngineUi &ui)
{
    if (!job.run || job.run->started())
        return nullptr;
    const bool exportToPdf = job.destination == TB_DEST_EXPORT && job.exportTarget() == QLatin1String("PDF");
    const bool pdfPrinter = job.destination == TB_DEST_PRINTER && job.printer == pdfPseudoPrinterName() &&
                            std::max(1, job.printOptions[popt::Copies]) == 1;
    if (!exportToPdf && !pdfPrinter)
        return nullptr;
    std::unique_ptr<StreamedPdf> pdf(new StreamedPdf(job, ui, job.run->model().projectFile));
    if (!pdf->spool_.ok())
        return nullptr; // painted at the end as a whole then
    return pdf;
}

StreamedPdf::StreamedPdf(Job &job, EngineUi &ui, QString projectFile)
    : job_(job), projectFile_(std::move(projectFile)), notifier_(paintNotifier(job))
{
    // The box keeps what the loop shows in it; after each page Cancel is heard.
    notifier_.pagePainted = [&job, &ui](int painted, int) {
        const QString text = job.progressText.isEmpty()
                                 ? QStringLiteral("Seite %1 wird ausgegeben").arg(painted)
                                 : job.progressText;
        if (ui.updateProgress(text, job.progressPercent))
            return true;
        job.aborted = true;
        return false;
    };
}

StreamedPdf::~StreamedPdf() = default;

int StreamedPdf::pages() const
{
    return sequence_ ? sequence_->painted() : 0;
}

bool StreamedPdf::failed() const
{
    return inRange_ && (!sequence_ || sequence_->failed() || !spool_.ok());
}

void StreamedPdf::page(const Page &page)
{
    if (!titled_) {
        // The document's title and author come from the run's first page, painted or not.
        titled_ = true;
        title_ = PagePainter::documentTitle(&page, projectFile_);
        author_ = PagePainter::documentAuthor(&page);
    }
    const int firstOption = job_.printOptions[popt::FirstPage];
    const int first = firstOption == TB_PAGE_UNSET ? 1 : std::max(1, firstOption);
    if (page.number < first || page.number > job_.printOptions[popt::LastPage])
        return;
    inRange_ = true;
    if (!spool_.ok())
        return;
    if (!writer_) {
        writer_ = std::make_unique<QPdfWriter>(&spool_.device());
        writer_->setResolution(1200);
        writer_->setCreator(QStringLiteral("karvenfp"));
        writer_->setTitle(title_);
        sequence_ = std::make_unique<PageSequence>(*writer_, &notifier_);
    }
    sequence_->add(page);
}

bool StreamedPdf::finish(const QString &file)
{
    if (!sequence_ || !sequence_->finish() || !spool_.ok())
        return false;
    return replaceOnSuccess(file, [&](const QString &neu) {
        QFile out(neu);
        return out.open(QIODevice::WriteOnly) && spool_.copyTo(out) && out.flush() &&
               (out.close(), PagePainter::finishPdfInfo(title_, author_, neu));
    });
}

} // namespace tb
