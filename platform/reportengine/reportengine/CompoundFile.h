#pragma once

#include <functional>

#include <QByteArray>
#include <QString>

class QIODevice;

namespace tb {

// A compound document (version 3, 512-byte sectors) holding one stream under the root, as the
// spreadsheet format wants its "Workbook". Streams below 4096 bytes are padded to that size, so the
// container needs no mini stream. Large streams get extension blocks of the sector table.
QByteArray compoundFileWithStream(const QString &streamName, QByteArray stream);
// The same written to `out` as it goes: `writeStream` writes the stream's `size` bytes to the device it
// is given. False when it fails, writes another number of bytes, or `out` refuses them.
bool writeCompoundFile(QIODevice &out, const QString &streamName, qint64 size,
                       const std::function<bool(QIODevice &stream)> &writeStream);

} // namespace tb
