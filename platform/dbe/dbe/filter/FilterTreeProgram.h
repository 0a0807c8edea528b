#pragma once

#include <vector>

#include <QString>
#include <QStringView>
#include <QVariant>

#include "dbe/filter/FieldValues.h"
#include "dbe/filter/FilterTree.h"

namespace dbe::filter {

// The decoded tree of a filter expression: its evaluator and its translation into SQL read it.
struct FilterTree::Program {
    using Kind = values::Kind;
    struct Node {
        int nodeClass = 0;
        int op = 0;
        int left = -1; // child node indices (unary: left only)
        int right = -1;
        // Value nodes (field and constant):
        Kind kind = Kind::None;
        int fieldNo = 0;
        bool blank = false; // constant: the empty string
        double number = 0;
        QString text;
        // Binary comparisons: the kind both sides are compared in.
        Kind compareKind = Kind::None;
        // Compare nodes: which child is the field, the prefix to look for.
        int fieldChild = -1;
        bool ignoreCase = true;
        bool wholeText = false; // no partial length: the whole text must match
        QString prefix;         // upper-cased when ignoreCase
    };

    struct Operand {
        bool blank = true;
        double number = 0;
        QStringView text; // into holder's or a constant's characters
        QVariant holder;
        QString storage;
    };

    std::vector<Node> nodes; // nodes[0] is the root

    bool test(int index, const RecordAccessor &record) const;
    Operand read(int index, const RecordAccessor &record) const;
};

} // namespace dbe::filter
