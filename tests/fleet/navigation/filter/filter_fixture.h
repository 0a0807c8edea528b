#pragma once

#include <initializer_list>
#include <utility>

#include <QByteArray>
#include <QList>
#include <QString>

// Builders of filter records, engine buffers and ".TFD" files from small
// tables of values, so that fixtures are written from their meaning and not
// typed as hex.
namespace fixture {

// One 18-byte node: class, operator and (offset, u16 value) pairs.
QByteArray node(int nodeClass, int op, std::initializer_list<std::pair<int, int>> u16s);
// One 262-byte operand.
QByteArray operand(int size, int offset, int mark, int type, const QByteArray &value);
QByteArray shortString(const QByteArray &text);
// An engine buffer: header computed from the nodeSlots and literals.
QByteArray expression(int nodeCount, const QList<QByteArray> &nodeSlots, const QByteArray &literals);
QByteArray tfdFile(const QByteArray &tableName, int root, const QList<QByteArray> &nodes,
                   const QList<QByteArray> &operands);

// The one-row filter Gruppe (field 7) "Gleich" "Li..": nodes in index order
// (constant, field, compare) and operands ("Li", "Gruppe").
QList<QByteArray> gruppeLiNodes();
QList<QByteArray> gruppeLiOperands();
QByteArray gruppeLiFile(const QByteArray &tableName = "KfzStamm.db");

} // namespace fixture
