#include "reportengine/PreviewFileWriter.h"

#include <filesystem>

#include "reportengine/PreviewFormat.h"

namespace tb {

PreviewFileWriter::PreviewFileWriter(const QString &file, const QString &projectFile)
    : target_(file),
      file_(file + QStringLiteral(".XXXXXX")) // beside it, so the rename stays on its file system
{
    ok_ = file_.open() && table_.ok();
    stream_.setDevice(&file_);
    preview::prepare(stream_);
    tableStream_.setDevice(&table_.device());
    preview::prepare(tableStream_);
    // The count is known at the end; it stands where the header ends.
    preview::writeHeader(stream_, projectFile, 0);
    countAt_ = file_.pos() - qint64(sizeof(quint32));
}

bool PreviewFileWriter::ok() const
{
    return ok_ && stream_.status() == QDataStream::Ok && tableStream_.status() == QDataStream::Ok &&
           table_.ok() && file_.error() == QFileDevice::NoError;
}

void PreviewFileWriter::page(const Page &page)
{
    if (!ok())
        return;
    offsets_.push_back(file_.pos());
    buffer_.clear();
    preview::appendPage(buffer_, page);
    ok_ = ok_ && file_.write(buffer_) == buffer_.size();
}

void PreviewFileWriter::tableLine(const TableLineRecord &line)
{
    if (!ok())
        return;
    preview::writeTableLine(tableStream_, line);
    ++tableLines_;
}

bool PreviewFileWriter::finish()
{
    if (!ok())
        return false;
    stream_ << tableLines_;
    if (!table_.copyTo(file_))
        return false;
    preview::writeIndex(stream_, offsets_, file_.pos());
    if (!ok() || !file_.seek(countAt_))
        return false;
    stream_ << quint32(offsets_.size());
    if (!ok() || !file_.flush())
        return false;
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(file_.fileName()).toStdString(),
                            QFile::encodeName(target_).toStdString(), error);
    if (error)
        return false;
    file_.setAutoRemove(false); // its name is the target's now
    return true;
}

} // namespace tb
