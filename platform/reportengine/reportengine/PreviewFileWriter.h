#pragma once

#include <vector>

#include <QDataStream>
#include <QTemporaryFile>

#include "reportengine/PageModel.h"
#include "reportengine/Spool.h"

namespace tb {

// Writes a preview file while a run goes on: each page as it is finished, the table lines into a
// spool until the end; so a run of any length holds one page at a time. The file takes its place
// only when finish() succeeds; an earlier file of that name stays until then. A preview is
// scratch: it is not forced to the disk.
class PreviewFileWriter {
public:
    PreviewFileWriter(const QString &file, const QString &projectFile);
    PreviewFileWriter(const PreviewFileWriter &) = delete;
    PreviewFileWriter &operator=(const PreviewFileWriter &) = delete;

    void page(const Page &page);
    void tableLine(const TableLineRecord &line);
    int pages() const { return int(offsets_.size()); }
    // False once the file or the spool could not be written.
    bool ok() const;
    // Adds the table lines and the index, fills in the page count and puts the file in place.
    bool finish();

private:
    QString target_;
    QTemporaryFile file_;
    QDataStream stream_;
    Spool table_;
    QDataStream tableStream_;
    quint32 tableLines_ = 0;
    qint64 countAt_ = 0;
    std::vector<qint64> offsets_;
    QByteArray buffer_; // a page's bytes
    bool ok_ = false;
};

} // namespace tb
