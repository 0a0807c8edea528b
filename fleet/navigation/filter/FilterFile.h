#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include "navigation/filter/FilterTree.h"

// The filter-definition file "*.TFD": 14 magic bytes, a 141-byte header
// (table name, root, counts), the nodes and the operands as stored records.
namespace nav {

constexpr int kFilterFileMagicSize = 14;
constexpr int kFilterFileHeaderSize = 141;
constexpr int kFilterFileTableNameMax = 128;

struct FilterFileHeader {
    QString tableName;
    std::int32_t root = -1;
    std::int32_t nodeCount = 0;
    std::int32_t operandCount = 0;
};

QByteArray encodeFilterFile(const QString &tableName, const FilterTree &tree);

bool isFilterFileMagic(const QByteArray &bytes);
FilterFileHeader decodeFilterFileHeader(const QByteArray &bytes);

// The text that begins every message about a filter file that cannot be read.
extern const QString kReadPrefix;

// The tree of a filter file after its magic and header: counts, nodes and operands checked, every
// date and time constant in the range of its type. A damaged file raises EDBVFilter.
FilterTree readFilterFileTree(QIODevice &file, const FilterFileHeader &header);

// Reads exactly count bytes; a short read raises the stream's read error.
QByteArray readExactly(QIODevice &device, qint64 count);

} // namespace nav
