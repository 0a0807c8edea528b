#pragma once

#include <memory>

#include "reportengine/PreviewFileWriter.h"
#include "reportengine/PrintRun.h"

namespace tb {

class Job;

// A preview file written while the run goes on: each page of the chosen range as soon as it is
// finished, with its table lines, so that the run holds one page at a time and the preview can
// read its first page without the others.
class StreamedPreview : public PageSink {
public:
    // The preview of the job's run, or null when the job does not go to the preview. Call before
    // the run's first page.
    static std::unique_ptr<StreamedPreview> forRun(Job &job);

    void page(const Page &page) override;
    void tableLine(const TableLineRecord &line) override;
    // Puts the preview file in place; false when it could not be written.
    bool finish();

private:
    StreamedPreview(Job &job, const QString &file, const QString &projectFile);
    bool inRange(int page) const;

    Job &job_;
    PreviewFileWriter writer_;
};

} // namespace tb
