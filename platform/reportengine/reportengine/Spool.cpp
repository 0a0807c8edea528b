#include "reportengine/Spool.h"

#include <QDir>

namespace tb {

Spool::Spool() : file_(QDir(QDir::tempPath()).filePath(QStringLiteral("karvenfp-spool.XXXXXX")))
{
    ok_ = file_.open();
}

void Spool::write(const QByteArray &bytes)
{
    write(bytes.constData(), bytes.size());
}

void Spool::write(const char *bytes, qint64 size)
{
    if (!ok_ || size <= 0)
        return;
    ok_ = file_.write(bytes, size) == size;
}

bool Spool::copyTo(QIODevice &out, qint64 begin, qint64 end)
{
    const qint64 size = file_.size();
    if (end < 0)
        end = size;
    if (!ok() || !file_.seek(begin))
        return false;
    constexpr qint64 kChunk = 1 << 20;
    QByteArray buffer(kChunk, Qt::Uninitialized);
    for (qint64 at = begin; at < end;) {
        const qint64 want = std::min(kChunk, end - at);
        const qint64 got = file_.read(buffer.data(), want);
        if (got <= 0 || out.write(buffer.constData(), got) != got)
            return false;
        at += got;
    }
    // Later writes go on at the end.
    return file_.seek(size);
}

} // namespace tb
