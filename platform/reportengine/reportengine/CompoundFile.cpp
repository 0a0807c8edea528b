#include "reportengine/CompoundFile.h"

#include <algorithm>
#include <cstring>

#include <QBuffer>
#include <QtEndian>

namespace tb {

namespace {

constexpr int kSector = 512;
constexpr quint32 kFreeSect = 0xFFFFFFFF;
constexpr quint32 kEndOfChain = 0xFFFFFFFE;
constexpr quint32 kFatSect = 0xFFFFFFFD;
constexpr quint32 kDifSect = 0xFFFFFFFC;
constexpr quint32 kNoStream = 0xFFFFFFFF;
constexpr int kHeaderFatEntries = 109;
constexpr int kMiniStreamCutoff = 4096;

void put16(QByteArray &b, int at, quint16 v)
{
    qToLittleEndian(v, b.data() + at);
}
void put32(QByteArray &b, int at, quint32 v)
{
    qToLittleEndian(v, b.data() + at);
}

// One 128-byte directory entry.
QByteArray directoryEntry(const QString &name, quint8 type, quint32 child, quint32 start, quint32 size)
{
    QByteArray e(128, '\0');
    if (type != 0) {
        for (int i = 0; i < name.size() && i < 31; ++i)
            put16(e, i * 2, name.at(i).unicode());
        put16(e, 64, quint16((std::min<qsizetype>(name.size(), 31) + 1) * 2));
    }
    e[66] = char(type);
    e[67] = 1; // black
    put32(e, 68, kNoStream);
    put32(e, 72, kNoStream);
    put32(e, 76, child);
    put32(e, 116, start);
    put32(e, 120, size);
    return e;
}

} // namespace

bool writeCompoundFile(QIODevice &out, const QString &streamName, qint64 size,
                       const std::function<bool(QIODevice &stream)> &writeStream)
{
    // Streams below the cut-off are padded to it: the container then needs no mini stream.
    const qint64 padded = std::max<qint64>(size, kMiniStreamCutoff);
    const qint64 streamSectors64 = (padded + kSector - 1) / kSector;
    if (size < 0 || streamSectors64 > 0x7FFFFFF0 / 2)
        return false;
    const int streamSectors = int(streamSectors64);
    const int entriesPerFatSector = kSector / 4;
    const int entriesPerDifatSector = entriesPerFatSector - 1; // the last one chains to the next
    // Sectors of the sector table and, beyond what the header lists, of its extension blocks.
    int fatSectors = 1, difatSectors = 0;
    for (;;) {
        const int total = streamSectors + 1 + fatSectors + difatSectors;
        const int needFat = (total + entriesPerFatSector - 1) / entriesPerFatSector;
        const int needDifat =
            needFat > kHeaderFatEntries
                ? (needFat - kHeaderFatEntries + entriesPerDifatSector - 1) / entriesPerDifatSector
                : 0;
        if (needFat == fatSectors && needDifat == difatSectors)
            break;
        fatSectors = std::max(fatSectors, needFat);
        difatSectors = std::max(difatSectors, needDifat);
    }
    const quint32 dirSector = quint32(streamSectors);
    const quint32 firstFat = dirSector + 1;
    const quint32 firstDifat = firstFat + quint32(fatSectors);

    QByteArray header(kSector, '\0');
    const unsigned char signature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    memcpy(header.data(), signature, 8);
    put16(header, 24, 0x003E); // minor version
    put16(header, 26, 0x0003); // major version 3
    put16(header, 28, 0xFFFE); // little-endian
    put16(header, 30, 9);      // 512-byte sectors
    put16(header, 32, 6);      // 64-byte mini sectors
    put32(header, 44, quint32(fatSectors));
    put32(header, 48, dirSector);
    put32(header, 56, kMiniStreamCutoff);
    put32(header, 60, kEndOfChain); // no mini sector table
    put32(header, 64, 0);
    put32(header, 68, difatSectors > 0 ? firstDifat : kEndOfChain);
    put32(header, 72, quint32(difatSectors));
    for (int i = 0; i < kHeaderFatEntries; ++i)
        put32(header, 76 + i * 4, i < fatSectors ? firstFat + quint32(i) : kFreeSect);
    if (out.write(header) != header.size())
        return false;

    const qint64 before = out.pos();
    if (!writeStream(out) || (!out.isSequential() && out.pos() - before != size))
        return false;
    const QByteArray padding(streamSectors * qint64(kSector) - size, '\0');
    if (out.write(padding) != padding.size())
        return false;

    QByteArray tail;
    tail += directoryEntry(QStringLiteral("Root Entry"), 5, 1, kEndOfChain, 0);
    tail += directoryEntry(streamName, 2, kNoStream, 0, quint32(padded));
    tail += directoryEntry(QString(), 0, kNoStream, 0, 0);
    tail += directoryEntry(QString(), 0, kNoStream, 0, 0);

    QByteArray fat(fatSectors * kSector, '\xFF');
    for (int i = 0; i < streamSectors; ++i)
        put32(fat, i * 4, i + 1 < streamSectors ? quint32(i + 1) : kEndOfChain);
    put32(fat, int(dirSector) * 4, kEndOfChain);
    for (int i = 0; i < fatSectors; ++i)
        put32(fat, int(firstFat + quint32(i)) * 4, kFatSect);
    for (int i = 0; i < difatSectors; ++i)
        put32(fat, int(firstDifat + quint32(i)) * 4, kDifSect);
    tail += fat;

    // Extension blocks: the sector table's sectors beyond the first 109, 127 to a block.
    for (int block = 0; block < difatSectors; ++block) {
        QByteArray difat(kSector, '\xFF');
        for (int i = 0; i < entriesPerDifatSector; ++i) {
            const int fatIndex = kHeaderFatEntries + block * entriesPerDifatSector + i;
            if (fatIndex < fatSectors)
                put32(difat, i * 4, firstFat + quint32(fatIndex));
        }
        put32(difat, entriesPerDifatSector * 4,
              block + 1 < difatSectors ? firstDifat + quint32(block + 1) : kEndOfChain);
        tail += difat;
    }
    return out.write(tail) == tail.size();
}

QByteArray compoundFileWithStream(const QString &streamName, QByteArray stream)
{
    QByteArray file;
    QBuffer buffer(&file);
    buffer.open(QIODevice::WriteOnly);
    const bool ok = writeCompoundFile(buffer, streamName, stream.size(), [&stream](QIODevice &out) {
        return out.write(stream) == stream.size();
    });
    return ok ? file : QByteArray();
}

} // namespace tb
