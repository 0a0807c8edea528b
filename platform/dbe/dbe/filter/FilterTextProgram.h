#pragma once

#include <vector>

#include <QString>

#include "dbe/filter/FieldValues.h"
#include "dbe/filter/FilterText.h"

namespace dbe::filter {

// The parsed form of a filter text: its evaluator and its translation into SQL read it.
struct FilterText::Program {
    using Kind = values::Kind;
    enum class NodeKind { And, Or, Not, Comparison };
    enum class Literal { Text, Number };

    struct Node {
        NodeKind kind = NodeKind::Comparison;
        int left = -1;
        int right = -1;
        // Comparison: field op literal (a literal on the left is mirrored).
        int op = 0;
        QString fieldName;
        Literal literal = Literal::Text;
        QString literalText;
        // Bound to the fields:
        int fieldNo = 0;
        Kind valueKind = Kind::Text;
        bool literalBlank = false;
        bool textAsNumber = false; // an unquoted number against a text field
        double number = 0;         // the literal in the field's unit
    };

    std::vector<Node> nodes;
    int root = -1;
    bool bound = false;

    bool evaluate(int index, const RecordAccessor &record) const;
    bool compare(const Node &node, const RecordAccessor &record) const;
};

} // namespace dbe::filter
