#pragma once

#include <QByteArray>
#include <QString>

namespace tb {

// A compound document (version 3, 512-byte sectors) holding one stream under the root, as the
// spreadsheet format wants its "Workbook". Streams below 4096 bytes are padded to that size, so the
// container needs no mini stream. Large streams get extension blocks of the sector table.
QByteArray compoundFileWithStream(const QString &streamName, QByteArray stream);

} // namespace tb
