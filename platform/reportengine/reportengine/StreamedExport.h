#pragma once

#include <memory>

#include <QJsonObject>
#include <QString>
#include <QStringList>

#include "reportengine/PrintRun.h"

namespace tb {

class Job;
class LineExport;

// A data export written while the run goes on: the table lines pass from the run straight to the
// target's writer, no page is laid out and no line is kept. What stands above the table comes from
// the run's first page, laid out as usual.
class StreamedExport : public TableLineSink {
public:
    // The export of the job's run when it can go as a stream, else null: a data format (not PDF), the
    // whole run (no page range), and a table whose lines do not depend on the page they fall on.
    // Call before the run's first page.
    static std::unique_ptr<StreamedExport> forRun(Job &job);

    ~StreamedExport() override;
    void line(const TableLineRecord &line) override;
    // Data rows passed so far (headers and footers are no progress).
    int rows() const { return rows_; }
    // Writes the file (and what goes beside it); false when it cannot be written or the data does not
    // fit the format.
    bool finish(const QString &file);

private:
    StreamedExport(QString target, QJsonObject settings, QStringList pageOnly, const PageModel &model);
    LineExport &writer();

    QString target_;
    QJsonObject settings_;
    QStringList pageOnly_;
    const PageModel &model_;
    std::unique_ptr<LineExport> writer_;
    int rows_ = 0;
};

} // namespace tb
