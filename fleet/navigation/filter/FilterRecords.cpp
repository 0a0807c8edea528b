#include "navigation/filter/FilterRecords.h"

namespace nav {

TFilterNode TFilterNode::unary(std::int32_t op, std::uint16_t operand)
{
    TFilterNode n;
    n.setI32(0, nodeUnary);
    n.setI32(4, op);
    n.setU16(8, operand);
    return n;
}

TFilterNode TFilterNode::binary(std::int32_t op, std::uint16_t left, std::uint16_t right)
{
    TFilterNode n;
    n.setI32(0, nodeBinary);
    n.setI32(4, op);
    n.setU16(8, left);
    n.setU16(10, right);
    return n;
}

TFilterNode TFilterNode::compare(std::int32_t op, std::uint16_t partialLength, std::uint16_t left,
                                 std::uint16_t right)
{
    TFilterNode n;
    n.setI32(0, nodeCompare);
    n.setI32(4, op);
    n.setU16(8, 0xFFFF); // case-insensitive, always
    n.setU16(10, partialLength);
    n.setU16(12, left);
    n.setU16(14, right);
    return n;
}

TFilterNode TFilterNode::field(std::uint16_t fieldNo, std::uint16_t nameOperand)
{
    TFilterNode n;
    n.setI32(0, nodeField);
    n.setI32(4, opField);
    n.setU16(8, fieldNo);
    n.setU16(10, nameOperand);
    return n;
}

TFilterNode TFilterNode::constant(std::uint16_t engineType, std::uint16_t size, std::uint16_t operand)
{
    TFilterNode n;
    n.setI32(0, nodeConst);
    n.setI32(4, opConst);
    n.setU16(8, engineType);
    n.setU16(10, size);
    n.setU16(12, operand);
    return n;
}

QByteArray toShortStringBytes(const QString &text, int maxLength)
{
    return text.toLatin1().left(maxLength);
}

void writeShortString(std::uint8_t *target, const QString &text, int maxLength)
{
    const QByteArray bytes = toShortStringBytes(text, maxLength);
    target[0] = static_cast<std::uint8_t>(bytes.size());
    std::memcpy(target + 1, bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString readShortString(const std::uint8_t *source)
{
    return QString::fromLatin1(reinterpret_cast<const char *>(source + 1), source[0]);
}

} // namespace nav
