#pragma once

#include <QByteArray>
#include <QtGlobal>

#include "dbe/BlobStream.h"

namespace dbe {
class TEngineCursor;
}

namespace nav {

// A read-only stream over a blob field of the record an engine cursor read
// last. Reads report the engine's result: 0, or 8711 when the end of the
// blob was reached (the bytes up to it are still delivered).
class TDirectBlobReadStream {
public:
    // Opens the field's blob; an engine error raises.
    TDirectBlobReadStream(const dbe::TEngineCursor &cursor, bool transliterate, int fieldNumber);

    // Up to count bytes from the position into buffer; the bytes read.
    qint64 Read(char *buffer, qint64 count);
    // Refused: "No write access to TDirectBlobReadStream".
    [[noreturn]] qint64 Write(const char *buffer, qint64 count);
    // Origin 0 from the start, 1 from the position, 2 from the end.
    qint64 Seek(qint64 offset, int origin);
    qint64 GetSize() const;
    qint64 Position() const { return position_; }
    int LastResult() const { return lastResult_; }
    // The whole blob from the start.
    QByteArray ReadAll();

private:
    dbe::TBlobStream blob_;
    bool opened_ = false;
    bool transliterate_ = false;
    qint64 position_ = 0;
    int lastResult_ = 0;
};

} // namespace nav
