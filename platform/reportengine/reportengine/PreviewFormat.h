#pragma once

#include <QtGlobal>

#include "reportengine/PageModel.h"

class QDataStream;
class QIODevice;

namespace tb::preview {

// The preview file: magic, version, project file, page count, the pages, the table lines, and
// after them an index of where each page begins, so that a page can be read without those before
// it. Readers that read the whole file stop before the index.
constexpr quint32 kMagic = 0x54425056; // "TBPV"
constexpr quint16 kVersion = 1;
constexpr quint32 kIndexMagic = 0x54425049; // "TBPI"

// A stream over `device` as the file is written and read.
void prepare(QDataStream &stream);

void writeHeader(QDataStream &stream, const QString &projectFile, quint32 pages);
// A page's bytes, appended to `out`; the table's line and cell marks are left out.
void appendPage(QByteArray &out, const Page &page);
void writeTableLine(QDataStream &stream, const TableLineRecord &line);
// The index: where each page begins (from the file's start), then where the index begins.
void writeIndex(QDataStream &stream, const std::vector<qint64> &pageOffsets, qint64 indexOffset);

// Readers; every count, colour, size and kind is checked, and false means the record is damaged.
// `device` is the stream's device, for the plausibility of counts against the bytes left.
bool readHeader(QDataStream &stream, QString &projectFile, quint32 &pages);
bool readPage(QDataStream &stream, const QIODevice &device, Page &page);
bool readTableLine(QDataStream &stream, const QIODevice &device, TableLineRecord &line);
// A count of records of at least `minBytes` each that the rest of the device can hold.
bool plausibleCount(const QIODevice &device, quint32 count, qint64 minBytes);
// The page offsets of the index at the device's end; false when there is none or it does not
// fit a file of `pages` pages whose first page begins at `firstPage`.
bool readIndex(QIODevice &device, quint32 pages, qint64 firstPage, std::vector<qint64> &offsets);

} // namespace tb::preview
