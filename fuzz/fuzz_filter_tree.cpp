// Filter trees: any nodes and operands checked by the tree validator; a tree it accepts is walked
// into the engine's expression buffer.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "navigation/filter/FilterRecords.h"
#include "navigation/filter/FilterTree.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 3)
        return 0;
    nav::FilterTree tree;
    tree.root = int(int8_t(data[0]));
    const size_t nodes = data[1] % (nav::kMaxFilterNodes + 2);
    const size_t operands = data[2] % (nav::kMaxFilterOperands + 2);
    size_t at = 3;
    for (size_t i = 0; i < nodes && at + nav::TFilterNode::kSize <= size;
         ++i, at += nav::TFilterNode::kSize) {
        nav::TFilterNode node;
        std::memcpy(node.raw.data(), data + at, nav::TFilterNode::kSize);
        tree.nodes.push_back(node);
    }
    for (size_t i = 0; i < operands && at + nav::TFilterOperand::kSize <= size;
         ++i, at += nav::TFilterOperand::kSize) {
        nav::TFilterOperand operand;
        std::memcpy(operand.raw.data(), data + at, nav::TFilterOperand::kSize);
        tree.operands.push_back(operand);
    }
    if (nav::checkTreeStructure(tree) == nav::TreeCheck::ok)
        nav::BuildExpression(tree);
    return 0;
}
