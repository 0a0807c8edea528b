#include "navigation/filter/FilterTree.h"

#include <cstring>
#include <functional>

#include "navigation/filter/FilterValues.h"
#include "navigation/gemeinsam/NavExceptions.h"

namespace nav {

namespace {

constexpr int kHeaderSize = 10;

bool operatorFitsClass(std::int32_t nodeClass, std::int32_t op)
{
    switch (nodeClass) {
    case nodeUnary:
        return op == opBlank || op == opNotBlank || op == opNot;
    case nodeBinary:
        return (op >= opEq && op <= opLe) || op == opAnd || op == opOr;
    case nodeCompare:
        return op == opEq || op == opLike;
    case nodeField:
        return op == opField;
    case nodeConst:
        return op == opConst;
    default:
        return false;
    }
}

bool operandWellFormed(const TFilterOperand &operand)
{
    const std::uint8_t type = operand.type();
    if (operand.size() > TFilterOperand::kValueSize)
        return false;
    if (type == etString || type == etFieldName)
        return operand.size() == operand.value()[0] + 1;
    const std::uint16_t size = EngineTypeSize(type);
    return size != 0 && operand.size() == size;
}

// The operand a field or constant node refers to.
int operandOf(const TFilterNode &node)
{
    if (node.nodeClass() == nodeField)
        return node.u16(10);
    if (node.nodeClass() == nodeConst)
        return node.u16(12);
    return -1;
}

bool nodeWellFormed(const FilterTree &tree, const TFilterNode &node)
{
    if (!operatorFitsClass(node.nodeClass(), node.op()))
        return false;
    for (int child : childNodes(node))
        if (child >= static_cast<int>(tree.nodes.size()))
            return false;
    const int operand = operandOf(node);
    if (operand < 0)
        return true;
    if (operand >= static_cast<int>(tree.operands.size()))
        return false;
    const TFilterOperand &o = tree.operands[static_cast<std::size_t>(operand)];
    if (node.nodeClass() == nodeField)
        return o.type() == etFieldName;
    return o.type() != etFieldName && node.u16(8) == o.type() && node.u16(10) == o.size();
}

} // namespace

std::vector<int> childNodes(const TFilterNode &node)
{
    switch (node.nodeClass()) {
    case nodeUnary:
        return {node.u16(8)};
    case nodeBinary:
        return {node.u16(8), node.u16(10)};
    case nodeCompare:
        return {node.u16(12), node.u16(14)};
    default:
        return {};
    }
}

TreeCheck checkTreeStructure(const FilterTree &tree)
{
    const int n = static_cast<int>(tree.nodes.size());
    if (n > kMaxFilterNodes || tree.operands.size() > kMaxFilterOperands || tree.root < 0 || tree.root >= n)
        return TreeCheck::damaged;
    std::size_t total = kHeaderSize + TFilterNode::kSize * tree.nodes.size();
    for (const TFilterOperand &o : tree.operands) {
        if (!operandWellFormed(o) ||
            o.offset() != total - kHeaderSize - TFilterNode::kSize * tree.nodes.size())
            return TreeCheck::damaged;
        total += o.size();
    }
    if (total > 0xFFFF)
        return TreeCheck::damaged;
    for (const TFilterNode &node : tree.nodes)
        if (node.nodeClass() < nodeUnary || node.nodeClass() > nodeConst)
            return TreeCheck::unknownNodeClass;
    for (const TFilterNode &node : tree.nodes)
        if (!nodeWellFormed(tree, node))
            return TreeCheck::damaged;
    // Every node reached at most once from the root.
    std::vector<bool> seen(static_cast<std::size_t>(n), false);
    std::vector<int> pending{tree.root};
    while (!pending.empty()) {
        const int index = pending.back();
        pending.pop_back();
        if (seen[static_cast<std::size_t>(index)])
            return TreeCheck::damaged;
        seen[static_cast<std::size_t>(index)] = true;
        for (int child : childNodes(tree.nodes[static_cast<std::size_t>(index)]))
            pending.push_back(child);
    }
    return TreeCheck::ok;
}

QByteArray BuildExpression(const FilterTree &tree)
{
    const std::size_t nodeCount = tree.nodes.size();
    std::size_t literalSize = 0;
    for (const TFilterOperand &o : tree.operands)
        literalSize += o.size();
    const std::size_t total = kHeaderSize + TFilterNode::kSize * nodeCount + literalSize;
    if (total > 0xFFFF || tree.root < 0 || tree.root >= static_cast<int>(nodeCount))
        throw EDBVFilter(QStringLiteral("Kein Filter definiert"));

    QByteArray buffer(static_cast<qsizetype>(total), '\0');
    auto *bytes = reinterpret_cast<std::uint8_t *>(buffer.data());
    auto put16 = [&](std::size_t at, std::size_t v) {
        bytes[at] = static_cast<std::uint8_t>(v & 0xFF);
        bytes[at + 1] = static_cast<std::uint8_t>((v >> 8) & 0xFF);
    };
    const std::size_t literalStart = kHeaderSize + TFilterNode::kSize * nodeCount;
    put16(0, 2);
    put16(2, total);
    put16(4, nodeCount);
    put16(6, kHeaderSize);
    put16(8, literalStart);

    std::size_t nextSlot = 0;
    std::function<std::size_t(int)> write = [&](int index) -> std::size_t {
        if (nextSlot >= nodeCount) // only a shared or cyclic tree gets here
            throw EDBVFilter(QStringLiteral("Aktueller Filter nicht darstellbar"));
        const std::size_t slot = nextSlot++;
        TFilterNode copy = tree.nodes[static_cast<std::size_t>(index)];
        switch (copy.nodeClass()) {
        case nodeUnary:
            copy.setU16(8, static_cast<std::uint16_t>(TFilterNode::kSize * write(copy.u16(8))));
            break;
        case nodeBinary: {
            const std::size_t left = write(copy.u16(8));
            const std::size_t right = write(copy.u16(10));
            copy.setU16(8, static_cast<std::uint16_t>(TFilterNode::kSize * left));
            copy.setU16(10, static_cast<std::uint16_t>(TFilterNode::kSize * right));
            break;
        }
        case nodeCompare: {
            const std::size_t left = write(copy.u16(12));
            const std::size_t right = write(copy.u16(14));
            copy.setU16(12, static_cast<std::uint16_t>(TFilterNode::kSize * left));
            copy.setU16(14, static_cast<std::uint16_t>(TFilterNode::kSize * right));
            break;
        }
        case nodeField:
            copy.setU16(10, tree.operands.at(copy.u16(10)).offset());
            break;
        case nodeConst:
            copy.setU16(12, tree.operands.at(copy.u16(12)).offset());
            break;
        default:
            break;
        }
        std::memcpy(bytes + kHeaderSize + TFilterNode::kSize * slot, copy.raw.data(), TFilterNode::kSize);
        return slot;
    };
    write(tree.root);

    std::uint8_t *literal = bytes + literalStart;
    for (const TFilterOperand &o : tree.operands) {
        if (o.type() == etString || o.type() == etFieldName) {
            // Characters plus the terminating zero (the buffer is zero already).
            std::memcpy(literal, o.value() + 1, o.size() > 0 ? o.size() - 1u : 0u);
        } else {
            std::memcpy(literal, o.value(), o.size());
        }
        literal += o.size();
    }
    return buffer;
}

} // namespace nav
