#include "navigation/filter/FilterFile.h"

#include <cstring>

#include "navigation/filter/FilterRecords.h"
#include "navigation/filter/FilterValues.h"
#include "navigation/gemeinsam/NavExceptions.h"

namespace nav {

namespace {

const QByteArray kMagic = QByteArrayLiteral("\x0b"
                                            "DBVexFilter"
                                            "\x00\x5c");

void appendI32(QByteArray &out, std::int32_t value)
{
    auto v = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i, v >>= 8)
        out.append(static_cast<char>(v & 0xFF));
}

std::int32_t i32At(const QByteArray &bytes, int at)
{
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<std::uint8_t>(bytes[at + i]);
    return static_cast<std::int32_t>(v);
}

} // namespace

QByteArray encodeFilterFile(const QString &tableName, const FilterTree &tree)
{
    QByteArray out = kMagic;
    const QByteArray name = toShortStringBytes(tableName, kFilterFileTableNameMax);
    out.append(static_cast<char>(name.size()));
    out.append(name.leftJustified(kFilterFileTableNameMax, '\0'));
    appendI32(out, tree.root);
    appendI32(out, static_cast<std::int32_t>(tree.nodes.size()));
    appendI32(out, static_cast<std::int32_t>(tree.operands.size()));
    for (const TFilterNode &node : tree.nodes)
        out.append(reinterpret_cast<const char *>(node.raw.data()), TFilterNode::kSize);
    for (const TFilterOperand &operand : tree.operands)
        out.append(reinterpret_cast<const char *>(operand.raw.data()), TFilterOperand::kSize);
    return out;
}

bool isFilterFileMagic(const QByteArray &bytes)
{
    // The two bytes after the magic text are not checked.
    return bytes.size() >= 12 && bytes.left(12) == kMagic.left(12);
}

FilterFileHeader decodeFilterFileHeader(const QByteArray &bytes)
{
    FilterFileHeader header;
    const int length = std::min<int>(static_cast<std::uint8_t>(bytes[0]), kFilterFileTableNameMax);
    header.tableName = QString::fromLatin1(bytes.constData() + 1, length);
    header.root = i32At(bytes, 129);
    header.nodeCount = i32At(bytes, 133);
    header.operandCount = i32At(bytes, 137);
    return header;
}

QByteArray readExactly(QIODevice &device, qint64 count)
{
    QByteArray bytes = device.read(count);
    if (bytes.size() != count)
        throw EStreamError(QStringLiteral("Stream-Lesefehler"));
    return bytes;
}

const QString kReadPrefix = QStringLiteral("Fehler beim Lesen der Filterdefinition.\r\n");

FilterTree readFilterFileTree(QIODevice &file, const FilterFileHeader &header)
{
    const QString corrupt = kReadPrefix + QStringLiteral("Datei ist beschädigt.");
    if (header.nodeCount < 0 || header.nodeCount > kMaxFilterNodes || header.operandCount < 0 ||
        header.operandCount > kMaxFilterOperands || header.root < 0 || header.root >= header.nodeCount)
        throw EDBVFilter(corrupt);
    FilterTree loaded;
    loaded.root = header.root;
    for (int i = 0; i < header.nodeCount; ++i) {
        const QByteArray bytes = readExactly(file, TFilterNode::kSize);
        TFilterNode node;
        std::memcpy(node.raw.data(), bytes.constData(), TFilterNode::kSize);
        loaded.nodes.push_back(node);
    }
    for (int i = 0; i < header.operandCount; ++i) {
        const QByteArray bytes = readExactly(file, TFilterOperand::kSize);
        TFilterOperand operand;
        std::memcpy(operand.raw.data(), bytes.constData(), TFilterOperand::kSize);
        loaded.operands.push_back(operand);
    }
    switch (checkTreeStructure(loaded)) {
    case TreeCheck::ok:
        break;
    case TreeCheck::unknownNodeClass:
        throw EDBVFilter(kReadPrefix + QStringLiteral("Ungültiger Knotentyp"));
    case TreeCheck::damaged:
        throw EDBVFilter(corrupt);
    }
    // Constants the value types cannot hold (dates out of range, NaN stamps) are damage.
    for (const TFilterOperand &operand : loaded.operands) {
        const auto kind = operand.type();
        if (kind != etDate && kind != etTime && kind != etTimeStamp)
            continue;
        TFieldType type = ftUnknown;
        QString text;
        std::uint8_t mark = 0;
        if (!OperandToText(operand, type, text, mark))
            throw EDBVFilter(corrupt);
    }
    return loaded;
}

} // namespace nav
