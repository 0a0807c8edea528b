#include "dbe/filter/FilterTree.h"

#include <cstring>
#include <vector>

#include <QtEndian>

#include "dbe/filter/ExpressionLayout.h"
#include "dbe/filter/FieldValues.h"
#include "dbe/filter/FilterError.h"
#include "dbe/filter/FilterTreeProgram.h"
#include "dbe/textfile/CodePage.h"

namespace dbe::filter {

using values::Kind;

namespace {

using Node = FilterTree::Program::Node;

[[noreturn]] void refuse(const QString &what)
{
    throw FilterError(QStringLiteral("Ungültiger Filterausdruck: %1").arg(what));
}

bool isCondition(int nodeClass)
{
    return nodeClass == layout::kUnary || nodeClass == layout::kBinary || nodeClass == layout::kCompare;
}

bool isValue(int nodeClass)
{
    return nodeClass == layout::kField || nodeClass == layout::kConstant;
}

int engineValueSize(int type)
{
    switch (type) {
    case layout::kBoolean:
    case layout::kInt16:
    case layout::kUInt16:
        return 2;
    case layout::kInt32:
    case layout::kTime:
        return 4;
    case layout::kDate:
    case layout::kDouble:
    case layout::kDateTime:
        return 8;
    case layout::kBcd:
        return 18;
    default:
        return -1;
    }
}

Kind kindOfEngineType(int type)
{
    switch (type) {
    case layout::kString:
        return Kind::Text;
    case layout::kDate:
        return Kind::Date;
    case layout::kTime:
        return Kind::Time;
    case layout::kDateTime:
        return Kind::DateTime;
    default:
        return Kind::Number;
    }
}

// Packed decimal: precision, sign bit 0x80 | decimals, 32 digits right-aligned.
double bcdValue(const unsigned char *p)
{
    const int decimals = p[1] & 0x3F;
    double value = 0;
    for (int i = 0; i < 16; ++i) {
        value = value * 10 + (p[2 + i] >> 4);
        value = value * 10 + (p[2 + i] & 0x0F);
    }
    for (int i = 0; i < decimals; ++i)
        value /= 10;
    return (p[1] & 0x80) ? -value : value;
}

class BufferReader {
public:
    explicit BufferReader(QByteArrayView buffer, const RecordAccessor &fields)
        : buffer_(buffer), fields_(fields)
    {
    }

    std::vector<Node> read()
    {
        if (buffer_.size() < layout::kHeaderSize)
            refuse(QStringLiteral("Puffer kürzer als der Kopf"));
        const int version = u16(0);
        total_ = u16(2);
        nodeCount_ = u16(4);
        const int nodeStart = u16(6);
        literalStart_ = u16(8);
        if (version != layout::kVersion)
            refuse(QStringLiteral("Version %1").arg(version));
        if (total_ > buffer_.size())
            refuse(
                QStringLiteral("Gesamtgröße %1 größer als der Puffer (%2)").arg(total_).arg(buffer_.size()));
        if (nodeStart != layout::kHeaderSize || nodeCount_ == 0 ||
            literalStart_ != layout::kHeaderSize + layout::kNodeSize * nodeCount_ || literalStart_ > total_)
            refuse(QStringLiteral("Knotenbereich passt nicht zum Kopf"));
        visited_.assign(static_cast<size_t>(nodeCount_), false);
        const int root = readNode(0);
        if (!isCondition(nodes_[static_cast<size_t>(root)].nodeClass))
            refuse(QStringLiteral("die Wurzel ist keine Bedingung"));
        return std::move(nodes_);
    }

private:
    int u16(int at) const { return qFromLittleEndian<quint16>(buffer_.data() + at); }
    int i16(int at) const { return qFromLittleEndian<qint16>(buffer_.data() + at); }
    int i32(int at) const { return qFromLittleEndian<qint32>(buffer_.data() + at); }
    double f64(int at) const
    {
        const quint64 bits = qFromLittleEndian<quint64>(buffer_.data() + at);
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    // Byte position of a literal of size bytes at offset in the literal area.
    int literal(int offset, int size) const
    {
        if (offset < 0 || size < 0 || literalStart_ + offset + size > total_)
            refuse(QStringLiteral("Literal %1 außerhalb des Puffers").arg(offset));
        return literalStart_ + offset;
    }

    QString zeroTerminated(int at, int limit) const
    {
        const char *begin = buffer_.data() + at;
        const void *zero = std::memchr(begin, 0, static_cast<size_t>(limit));
        if (!zero)
            refuse(QStringLiteral("Text ohne Abschluss"));
        return textfile::decode(QByteArrayView(begin, static_cast<const char *>(zero) - begin),
                                textfile::CodePage::Windows1252);
    }

    // Reads the node whose slot starts at byte offset `offset` of the node
    // area, with its subtree; returns its index.
    int readNode(int offset)
    {
        if (offset % layout::kNodeSize != 0 || offset / layout::kNodeSize >= nodeCount_)
            refuse(QStringLiteral("Knotenverweis %1 außerhalb des Knotenbereichs").arg(offset));
        const int slot = offset / layout::kNodeSize;
        if (visited_[static_cast<size_t>(slot)])
            refuse(QStringLiteral("Knoten %1 mehrfach verwendet").arg(slot));
        visited_[static_cast<size_t>(slot)] = true;
        const int at = layout::kHeaderSize + offset;
        Node node;
        node.nodeClass = i32(at);
        node.op = i32(at + 4);
        const int index = static_cast<int>(nodes_.size());
        nodes_.emplace_back();
        switch (node.nodeClass) {
        case layout::kUnary:
            if (node.op != layout::kIsBlank && node.op != layout::kNotBlank && node.op != layout::kNot)
                refuse(QStringLiteral("Operator %1 in einem einstelligen Knoten").arg(node.op));
            node.left = child(offset, u16(at + 8));
            if (node.op == layout::kNot ? !isCondition(classOf(node.left)) : !isValue(classOf(node.left)))
                refuse(QStringLiteral("unpassender Operand"));
            break;
        case layout::kBinary:
            if (node.op < layout::kEqual || node.op > layout::kOr || node.op == layout::kNot)
                refuse(QStringLiteral("Operator %1 in einem zweistelligen Knoten").arg(node.op));
            node.left = child(offset, u16(at + 8));
            node.right = child(offset, u16(at + 10));
            if (node.op == layout::kAnd || node.op == layout::kOr) {
                if (!isCondition(classOf(node.left)) || !isCondition(classOf(node.right)))
                    refuse(QStringLiteral("und/oder über einem Wert"));
            } else {
                node.compareKind = comparisonKind(node.left, node.right);
            }
            break;
        case layout::kCompare:
            if (node.op == layout::kLike)
                refuse(QStringLiteral("der Operator \"Wie\" wird nicht unterstützt"));
            if (node.op != layout::kEqual)
                refuse(QStringLiteral("Operator %1 in einem Mustervergleich").arg(node.op));
            node.ignoreCase = i16(at + 8) != 0;
            node.left = child(offset, u16(at + 12));
            node.right = child(offset, u16(at + 14));
            preparePrefix(node, u16(at + 10));
            break;
        case layout::kField:
            if (node.op != layout::kFieldOp)
                refuse(QStringLiteral("Feldknoten mit Operator %1").arg(node.op));
            readField(node, at);
            break;
        case layout::kConstant:
            if (node.op != layout::kConstantOp)
                refuse(QStringLiteral("Konstante mit Operator %1").arg(node.op));
            readConstant(node, at);
            break;
        default:
            refuse(QStringLiteral("unbekannte Knotenklasse %1").arg(node.nodeClass));
        }
        nodes_[static_cast<size_t>(index)] = std::move(node);
        return index;
    }

    // Children follow their parent in pre-order, so a reference must point
    // behind it; with the visited check this rules out cycles.
    int child(int parentOffset, int offset)
    {
        if (offset <= parentOffset)
            refuse(QStringLiteral("Knotenverweis %1 zeigt zurück").arg(offset));
        return readNode(offset);
    }

    int classOf(int index) const { return nodes_[static_cast<size_t>(index)].nodeClass; }

    Kind comparisonKind(int left, int right) const
    {
        const Node &a = nodes_[static_cast<size_t>(left)];
        const Node &b = nodes_[static_cast<size_t>(right)];
        if (!isValue(a.nodeClass) || !isValue(b.nodeClass))
            refuse(QStringLiteral("Vergleich ohne Feld oder Wert"));
        if (!values::comparable(a.kind, b.kind))
            refuse(QStringLiteral("Typen des Vergleichs passen nicht zusammen"));
        return a.kind == b.kind ? a.kind : Kind::DateTime;
    }

    void preparePrefix(Node &node, int partialLength)
    {
        const Node &left = nodes_[static_cast<size_t>(node.left)];
        const Node &right = nodes_[static_cast<size_t>(node.right)];
        const Node *constant = nullptr;
        if (left.nodeClass == layout::kField && right.nodeClass == layout::kConstant) {
            node.fieldChild = node.left;
            constant = &right;
        } else if (right.nodeClass == layout::kField && left.nodeClass == layout::kConstant) {
            node.fieldChild = node.right;
            constant = &left;
        } else {
            refuse(QStringLiteral("Mustervergleich braucht ein Feld und einen Text"));
        }
        if (constant->kind != Kind::Text || nodes_[static_cast<size_t>(node.fieldChild)].kind != Kind::Text)
            refuse(QStringLiteral("Mustervergleich auf einem Feld, das kein Text ist"));
        node.prefix = partialLength > 0 ? constant->text.left(partialLength) : constant->text;
        if (node.ignoreCase)
            node.prefix = node.prefix.toUpper();
        node.wholeText = partialLength == 0;
    }

    void readField(Node &node, int at)
    {
        node.fieldNo = u16(at + 8);
        if (node.fieldNo < 1 || node.fieldNo > fields_.fieldCount())
            refuse(QStringLiteral("Feldnummer %1 unbekannt").arg(node.fieldNo));
        const int nameAt = literal(u16(at + 10), 0);
        const QString name = zeroTerminated(nameAt, total_ - nameAt);
        if (name.compare(fields_.fieldName(node.fieldNo), Qt::CaseInsensitive) != 0)
            refuse(QStringLiteral("Feld %1 hat nicht die Nummer %2").arg(name).arg(node.fieldNo));
        node.kind = values::kindOf(fields_.fieldType(node.fieldNo));
        if (node.kind == Kind::None)
            refuse(QStringLiteral("Feld %1 kann nicht gefiltert werden").arg(name));
    }

    void readConstant(Node &node, int at)
    {
        const int type = u16(at + 8);
        const int size = u16(at + 10);
        const int valueAt = literal(u16(at + 12), size);
        if (type == layout::kString) {
            if (size < 1)
                refuse(QStringLiteral("Textkonstante ohne Größe"));
            node.text = zeroTerminated(valueAt, size);
            node.blank = node.text.isEmpty();
            node.kind = Kind::Text;
            return;
        }
        const int expected = engineValueSize(type);
        if (expected < 0)
            refuse(QStringLiteral("unbekannter Konstantentyp %1").arg(type));
        if (size != expected)
            refuse(QStringLiteral("Konstante vom Typ %1 mit Größe %2").arg(type).arg(size));
        node.kind = kindOfEngineType(type);
        switch (type) {
        case layout::kBoolean:
            node.number = i16(valueAt) != 0 ? 1 : 0;
            break;
        case layout::kInt16:
            node.number = i16(valueAt);
            break;
        case layout::kUInt16:
            node.number = u16(valueAt);
            break;
        case layout::kInt32:
        case layout::kDate:
        case layout::kTime:
            node.number = i32(valueAt);
            break;
        case layout::kDouble:
        case layout::kDateTime:
            node.number = f64(valueAt);
            break;
        case layout::kBcd:
            node.number = bcdValue(reinterpret_cast<const unsigned char *>(buffer_.data() + valueAt));
            break;
        }
    }

    QByteArrayView buffer_;
    const RecordAccessor &fields_;
    int total_ = 0;
    int nodeCount_ = 0;
    int literalStart_ = 0;
    std::vector<bool> visited_;
    std::vector<Node> nodes_;
};

} // namespace

FilterTree::Program::Operand FilterTree::Program::read(int index, const RecordAccessor &record) const
{
    const Node &node = nodes[static_cast<size_t>(index)];
    Operand result;
    if (node.nodeClass == layout::kConstant) {
        result.blank = node.blank;
        result.number = node.number;
        result.text = node.text;
        return result;
    }
    result.holder = record.value(node.fieldNo);
    if (values::isBlank(result.holder))
        return result;
    if (node.kind == Kind::Text) {
        // The view points at the characters, which stay where they are when
        // the holder moves with the operand.
        result.text = values::textOf(result.holder, result.storage);
        result.blank = false;
    } else {
        result.blank = !values::readNumber(result.holder, node.kind, result.number);
    }
    return result;
}

bool FilterTree::Program::test(int index, const RecordAccessor &record) const
{
    const Node &node = nodes[static_cast<size_t>(index)];
    switch (node.nodeClass) {
    case layout::kUnary:
        if (node.op == layout::kNot)
            return !test(node.left, record);
        if (nodes[static_cast<size_t>(node.left)].nodeClass == layout::kField)
            return record.isBlank(nodes[static_cast<size_t>(node.left)].fieldNo) ==
                   (node.op == layout::kIsBlank);
        return read(node.left, record).blank == (node.op == layout::kIsBlank);
    case layout::kBinary: {
        if (node.op == layout::kAnd)
            return test(node.left, record) && test(node.right, record);
        if (node.op == layout::kOr)
            return test(node.left, record) || test(node.right, record);
        const Operand a = read(node.left, record);
        const Operand b = read(node.right, record);
        if (a.blank || b.blank)
            return values::blankOutcome(node.op, a.blank, b.blank);
        if (node.compareKind == Kind::Text)
            return values::outcome(node.op, a.text.compare(b.text, Qt::CaseSensitive));
        const Kind leftKind = nodes[static_cast<size_t>(node.left)].kind;
        const Kind rightKind = nodes[static_cast<size_t>(node.right)].kind;
        const double x = values::toUnit(a.number, leftKind, node.compareKind);
        const double y = values::toUnit(b.number, rightKind, node.compareKind);
        return values::outcome(node.op, x < y ? -1 : x > y ? 1 : 0);
    }
    case layout::kCompare: {
        const Node &field = nodes[static_cast<size_t>(node.fieldChild)];
        const QVariant value = record.value(field.fieldNo);
        if (values::isBlank(value))
            return node.prefix.isEmpty();
        QString storage;
        const QStringView text = values::textOf(value, storage);
        if (node.wholeText)
            return text.compare(QStringView(node.prefix),
                                node.ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive) == 0;
        if (node.ignoreCase)
            return values::startsWithIgnoringCase(text, node.prefix);
        return text.startsWith(QStringView(node.prefix));
    }
    default:
        return false;
    }
}

FilterTree FilterTree::compile(QByteArrayView buffer, const RecordAccessor &fields)
{
    auto program = std::make_shared<Program>();
    program->nodes = BufferReader(buffer, fields).read();
    FilterTree tree;
    tree.program_ = std::move(program);
    return tree;
}

bool FilterTree::matches(const RecordAccessor &record) const
{
    return program_ && program_->test(0, record);
}

} // namespace dbe::filter
