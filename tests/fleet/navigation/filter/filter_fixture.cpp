#include "filter_fixture.h"

namespace fixture {

namespace {
void put16(QByteArray &bytes, int at, int value)
{
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}
void put32(QByteArray &bytes, int at, int value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>((static_cast<unsigned>(value) >> (8 * i)) & 0xFF);
}
QByteArray int32(int value)
{
    QByteArray bytes(4, '\0');
    put32(bytes, 0, value);
    return bytes;
}
} // namespace

QByteArray node(int nodeClass, int op, std::initializer_list<std::pair<int, int>> u16s)
{
    QByteArray bytes(18, '\0');
    put32(bytes, 0, nodeClass);
    put32(bytes, 4, op);
    for (const auto &[at, value] : u16s)
        put16(bytes, at, value);
    return bytes;
}

QByteArray operand(int size, int offset, int mark, int type, const QByteArray &value)
{
    QByteArray bytes(262, '\0');
    put16(bytes, 0, size);
    put16(bytes, 2, offset);
    bytes[4] = static_cast<char>(mark);
    bytes[5] = static_cast<char>(type);
    bytes.replace(6, value.size(), value);
    return bytes;
}

QByteArray shortString(const QByteArray &text)
{
    return char(text.size()) + text;
}

QByteArray expression(int nodeCount, const QList<QByteArray> &nodeSlots, const QByteArray &literals)
{
    QByteArray nodes = nodeSlots.join();
    nodes = nodes.leftJustified(18 * nodeCount, '\0');
    const int total = 10 + nodes.size() + literals.size();
    QByteArray header(10, '\0');
    put16(header, 0, 2);
    put16(header, 2, total);
    put16(header, 4, nodeCount);
    put16(header, 6, 10);
    put16(header, 8, 10 + 18 * nodeCount);
    return header + nodes + literals;
}

QByteArray tfdFile(const QByteArray &tableName, int root, const QList<QByteArray> &nodes,
                   const QList<QByteArray> &operands)
{
    QByteArray bytes = shortString("DBVexFilter");
    bytes += QByteArray("\x00\x5c", 2);
    bytes += shortString(tableName).leftJustified(129, '\0');
    bytes += int32(root) + int32(static_cast<int>(nodes.size())) + int32(static_cast<int>(operands.size()));
    return bytes + nodes.join() + operands.join();
}

QList<QByteArray> gruppeLiNodes()
{
    return {node(5, 14, {{8, 1}, {10, 3}, {12, 0}}), node(4, 13, {{8, 7}, {10, 1}}),
            node(3, 3, {{8, 0xFFFF}, {10, 2}, {12, 1}, {14, 0}})};
}

QList<QByteArray> gruppeLiOperands()
{
    return {operand(3, 0, 1, 1, shortString("Li")), operand(7, 3, 0, 254, shortString("Gruppe"))};
}

QByteArray gruppeLiFile(const QByteArray &tableName)
{
    return tfdFile(tableName, 2, gruppeLiNodes(), gruppeLiOperands());
}

} // namespace fixture
