#include "reportengine/StreamedExport.h"

#include "reportengine/ExportWriter.h"
#include "reportengine/Exporters.h"
#include "reportengine/Job.h"

namespace tb {

std::unique_ptr<StreamedExport> StreamedExport::forRun(Job &job)
{
    if (!job.run || job.run->started() || job.destination != TB_DEST_EXPORT)
        return nullptr;
    const QString target = job.exportTarget();
    if (target == QLatin1String("PDF") || !isKnownExportTarget(target))
        return nullptr;
    const auto first = job.printOptions.find(popt::FirstPage);
    const auto last = job.printOptions.find(popt::LastPage);
    const bool wholeRun = (first == job.printOptions.end() || first->second <= 1) &&
                          (last == job.printOptions.end() || last->second == TB_PAGE_OPEN);
    const Project &project = job.run->project();
    if (!wholeRun || !project.table() || project.tableDependsOnPage())
        return nullptr;
    // Files without pages (all but RTF) leave out what shows the page number.
    return std::unique_ptr<StreamedExport>(new StreamedExport(
        target, project.exportSettings.value(target).toObject(),
        target == QLatin1String("RTF") ? QStringList() : project.pageOnlyObjects(), job.run->model()));
}

StreamedExport::StreamedExport(QString target, QJsonObject settings, QStringList pageOnly,
                               const PageModel &model)
    : target_(std::move(target)), settings_(std::move(settings)), pageOnly_(std::move(pageOnly)),
      model_(model)
{
}

StreamedExport::~StreamedExport() = default;

LineExport &StreamedExport::writer()
{
    // Made with the first line, when the first page's objects stand.
    if (!writer_)
        writer_ = makeLineExport(target_, ExportSource{model_, settings_, 1, TB_PAGE_OPEN, pageOnly_});
    return *writer_;
}

void StreamedExport::line(const TableLineRecord &line)
{
    rows_ += line.kind == TableLineRecord::Kind::Row;
    writer().line(line);
}

bool StreamedExport::finish(const QString &file)
{
    return finishDataExport(writer(), file);
}

} // namespace tb
