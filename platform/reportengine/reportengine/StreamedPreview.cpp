#include "reportengine/StreamedPreview.h"

#include "reportengine/Engine.h"
#include "reportengine/Job.h"

namespace tb {

std::unique_ptr<StreamedPreview> StreamedPreview::forRun(Job &job)
{
    if (!job.run || job.run->started() || job.destination != TB_DEST_PREVIEW)
        return nullptr;
    const QString projectFile = job.run->model().projectFile;
    std::unique_ptr<StreamedPreview> preview(
        new StreamedPreview(job, Engine::previewFileName(projectFile, job.previewPath), projectFile));
    if (!preview->writer_.ok())
        return nullptr; // written whole at the end then
    return preview;
}

StreamedPreview::StreamedPreview(Job &job, const QString &file, const QString &projectFile)
    : job_(job), writer_(file, projectFile)
{
}

bool StreamedPreview::inRange(int page) const
{
    // The preview shows the chosen range only.
    const int firstOption = job_.printOptions[popt::FirstPage];
    const int first = firstOption == TB_PAGE_UNSET ? 1 : std::max(1, firstOption);
    return page >= first && page <= job_.printOptions[popt::LastPage];
}

void StreamedPreview::page(const Page &page)
{
    if (inRange(page.number))
        writer_.page(page);
}

void StreamedPreview::tableLine(const TableLineRecord &line)
{
    if (inRange(line.page))
        writer_.tableLine(line);
}

bool StreamedPreview::finish()
{
    return writer_.finish();
}

} // namespace tb
