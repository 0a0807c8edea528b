#pragma once

#include <QByteArray>
#include <QTemporaryFile>

class QIODevice;

namespace tb {

// Bytes written while a run goes on and read back once at its end: a temporary file, so that a
// long run holds no more than the file system's buffers. Removed with the object.
class Spool {
public:
    Spool();

    void write(const QByteArray &bytes);
    void write(const char *bytes, qint64 size);
    qint64 size() { return file_.size(); }
    // The file itself, for writers that write to a device; written at its end.
    QIODevice &device() { return file_; }
    // Copies the bytes from `begin` to `end` (the whole spool by default) to `out`; false when the
    // spool could not be written or read, or `out` refuses them.
    bool copyTo(QIODevice &out, qint64 begin = 0, qint64 end = -1);
    // False once the file could not be made or written, also by a writer of device().
    bool ok() const { return ok_ && file_.error() == QFileDevice::NoError; }

private:
    QTemporaryFile file_;
    bool ok_ = false;
};

} // namespace tb
