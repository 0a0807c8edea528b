#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <QByteArray>

#include "dbe/filter/ExpressionLayout.h"

// Writes filter-expression buffers for the tests the way the navigation set's
// filter does: nodes and operands are made in the order of the calls; the
// buffer holds the tree in pre-order from the root, then every operand.
class ExpressionBuilder {
public:
    int field(int fieldNo, const std::string &name)
    {
        Node n{dbe::filter::layout::kField, dbe::filter::layout::kFieldOp};
        n.a = fieldNo;
        n.operand = addOperand(name + '\0');
        return add(n);
    }
    int string(const std::string &latin1) { return constant(dbe::filter::layout::kString, latin1 + '\0'); }
    int int16(std::int16_t v) { return constant(dbe::filter::layout::kInt16, raw(v)); }
    int uint16(std::uint16_t v) { return constant(dbe::filter::layout::kUInt16, raw(v)); }
    int boolean(bool v) { return constant(dbe::filter::layout::kBoolean, raw<std::int16_t>(v ? -1 : 0)); }
    int int32(std::int32_t v) { return constant(dbe::filter::layout::kInt32, raw(v)); }
    int real(double v) { return constant(dbe::filter::layout::kDouble, raw(v)); }
    int date(std::int32_t dayNumber)
    {
        return constant(dbe::filter::layout::kDate, raw(dayNumber) + std::string(4, '\0'));
    }
    int time(std::int32_t ms) { return constant(dbe::filter::layout::kTime, raw(ms)); }
    int dateTime(double ms) { return constant(dbe::filter::layout::kDateTime, raw(ms)); }
    // Packed decimal with the given digits (right-aligned) and decimals.
    int bcd(const std::string &digits, int decimals, bool negative = false)
    {
        std::string value(18, '\0');
        value[0] = 32;
        value[1] = static_cast<char>((negative ? 0x80 : 0) | decimals);
        std::string all = std::string(32 - digits.size(), '0') + digits;
        for (int i = 0; i < 16; ++i)
            value[2 + i] = static_cast<char>(((all[2 * i] - '0') << 4) | (all[2 * i + 1] - '0'));
        return constant(dbe::filter::layout::kBcd, value);
    }
    int constant(int type, const std::string &value)
    {
        Node n{dbe::filter::layout::kConstant, dbe::filter::layout::kConstantOp};
        n.a = type;
        n.b = static_cast<int>(value.size());
        n.operand = addOperand(value);
        return add(n);
    }

    int unary(int op, int operand)
    {
        Node n{dbe::filter::layout::kUnary, op};
        n.left = operand;
        return add(n);
    }
    int binary(int op, int left, int right)
    {
        Node n{dbe::filter::layout::kBinary, op};
        n.left = left;
        n.right = right;
        return add(n);
    }
    int compare(int left, int right, int partialLength, int op = dbe::filter::layout::kEqual)
    {
        Node n{dbe::filter::layout::kCompare, op};
        n.a = partialLength;
        n.left = left;
        n.right = right;
        return add(n);
    }

    QByteArray build(int root) const
    {
        const int count = static_cast<int>(nodes_.size());
        const int literalStart = 10 + 18 * count;
        std::string buffer(literalStart, '\0');
        std::vector<int> order; // pre-order
        preorder(root, order);
        std::vector<int> slotOf(nodes_.size(), -1);
        for (size_t k = 0; k < order.size(); ++k)
            slotOf[order[k]] = static_cast<int>(k);
        for (size_t k = 0; k < order.size(); ++k) {
            const Node &n = nodes_[order[k]];
            const size_t at = 10 + 18 * k;
            put32(buffer, at, n.nodeClass);
            put32(buffer, at + 4, n.op);
            switch (n.nodeClass) {
            case dbe::filter::layout::kUnary:
                put16(buffer, at + 8, 18 * slotOf[n.left]);
                break;
            case dbe::filter::layout::kBinary:
                put16(buffer, at + 8, 18 * slotOf[n.left]);
                put16(buffer, at + 10, 18 * slotOf[n.right]);
                break;
            case dbe::filter::layout::kCompare:
                put16(buffer, at + 8, 0xFFFF);
                put16(buffer, at + 10, n.a);
                put16(buffer, at + 12, 18 * slotOf[n.left]);
                put16(buffer, at + 14, 18 * slotOf[n.right]);
                break;
            case dbe::filter::layout::kField:
                put16(buffer, at + 8, n.a);
                put16(buffer, at + 10, offsets_[n.operand]);
                break;
            case dbe::filter::layout::kConstant:
                put16(buffer, at + 8, n.a);
                put16(buffer, at + 10, n.b);
                put16(buffer, at + 12, offsets_[n.operand]);
                break;
            }
        }
        for (const std::string &operand : operands_)
            buffer += operand;
        put16(buffer, 0, 2);
        put16(buffer, 2, static_cast<int>(buffer.size()));
        put16(buffer, 4, count);
        put16(buffer, 6, 10);
        put16(buffer, 8, literalStart);
        return QByteArray(buffer.data(), static_cast<qsizetype>(buffer.size()));
    }

private:
    struct Node {
        int nodeClass;
        int op;
        int a = 0; // field number, constant type, partial length
        int b = 0; // constant size
        int left = -1;
        int right = -1;
        int operand = -1;
    };

    template <typename T> static std::string raw(T v)
    {
        std::string s(sizeof v, '\0');
        std::memcpy(s.data(), &v, sizeof v); // the test machines are little-endian
        return s;
    }
    static void put16(std::string &b, size_t at, int v)
    {
        b[at] = static_cast<char>(v & 0xFF);
        b[at + 1] = static_cast<char>((v >> 8) & 0xFF);
    }
    static void put32(std::string &b, size_t at, int v)
    {
        put16(b, at, v & 0xFFFF);
        put16(b, at + 2, (v >> 16) & 0xFFFF);
    }

    int add(const Node &n)
    {
        nodes_.push_back(n);
        return static_cast<int>(nodes_.size()) - 1;
    }
    int addOperand(const std::string &bytes)
    {
        offsets_.push_back(operands_.empty() ? 0
                                             : offsets_.back() + static_cast<int>(operands_.back().size()));
        operands_.push_back(bytes);
        return static_cast<int>(operands_.size()) - 1;
    }
    void preorder(int index, std::vector<int> &order) const
    {
        order.push_back(index);
        const Node &n = nodes_[index];
        if (n.left >= 0)
            preorder(n.left, order);
        if (n.right >= 0)
            preorder(n.right, order);
    }

    std::vector<Node> nodes_;
    std::vector<std::string> operands_;
    std::vector<int> offsets_;
};
