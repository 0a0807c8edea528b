#pragma once

#include <vector>

#include <QByteArray>

#include "navigation/filter/FilterRecords.h"

namespace nav {

// The nodes and operands of one filter tree, in index order, and its root.
struct FilterTree {
    std::vector<TFilterNode> nodes;
    std::vector<TFilterOperand> operands;
    int root = -1;

    void clear()
    {
        nodes.clear();
        operands.clear();
        root = -1;
    }
    bool isEmpty() const { return nodes.empty() && operands.empty(); }
    // Offset of the next operand in the literal area.
    std::uint16_t nextOperandOffset() const
    {
        return operands.empty()
                   ? 0
                   : static_cast<std::uint16_t>(operands.back().offset() + operands.back().size());
    }
};

// Node indices a node refers to (its children), in walking order.
std::vector<int> childNodes(const TFilterNode &node);

// Whether a tree read from a file can be walked safely: counts and root within
// the limits, every operand sized as its type says and laid out in sequence,
// every node of a known class with a fitting operator and references in
// range, and no node reached twice from the root (no sharing, no cycles).
enum class TreeCheck { ok, unknownNodeClass, damaged };
TreeCheck checkTreeStructure(const FilterTree &tree);

// The engine's filter-expression buffer of a tree: header, the nodes in
// pre-order from the root, the literals.
QByteArray BuildExpression(const FilterTree &tree);

} // namespace nav
