#pragma once

#include <memory>

#include <QString>

#include "reportengine/PagePainter.h"
#include "reportengine/PrintRun.h"
#include "reportengine/Spool.h"

class QPdfWriter;

namespace tb {

class EngineUi;
class Job;

// A PDF painted while the run goes on: each page as soon as it is finished, into a spool file, so
// that a run of any length holds one page at a time. The pages outside the chosen range are dropped
// unpainted. At the end of the run the file goes to its place, titled from the run's first page.
class StreamedPdf : public PageSink {
public:
    // The PDF of the job's run when it can be painted as it goes, else null: an export to PDF, or the
    // PDF printer with one copy, when a spool file can be made. Call before the run's first page. Cancel in
    // the progress box while a page is painted cancels the run.
    static std::unique_ptr<StreamedPdf> forRun(Job &job, EngineUi &ui);

    ~StreamedPdf() override;
    void page(const Page &page) override;
    // Pages painted so far (those in the range).
    int pages() const;
    // A page of the range could not be painted or the file not be written.
    bool failed() const;
    // Ends the painting and puts the file in place; an earlier file of that name stays when this
    // fails. False when no page was painted or the file cannot be written.
    bool finish(const QString &file);

private:
    StreamedPdf(Job &job, EngineUi &ui, QString projectFile);

    Job &job_;
    QString projectFile_;
    PaintNotifier notifier_;
    Spool spool_;
    std::unique_ptr<QPdfWriter> writer_;
    std::unique_ptr<PageSequence> sequence_;
    QString title_, author_;
    bool titled_ = false;
    bool inRange_ = false; // a page of the range came
};

} // namespace tb
