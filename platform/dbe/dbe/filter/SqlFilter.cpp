#include "dbe/filter/SqlFilter.h"

#include <sqlite3.h>

#include "base/DateTime.h"
#include "dbe/filter/ExpressionLayout.h"
#include "dbe/filter/FieldValues.h"
#include "dbe/filter/FilterText.h"
#include "dbe/filter/FilterTextProgram.h"
#include "dbe/filter/FilterTree.h"
#include "dbe/filter/FilterTreeProgram.h"

namespace dbe::filter {

namespace {

using values::Kind;

// Larger filters stay with the evaluator: SQLite limits the depth of an expression.
constexpr int kMaxNodes = 400;

// Part of a condition. Every exact part is null only where the filter's outcome is false, so that
// and/or keep their meaning; a negation turns null into false first.
struct Part {
    QString sql; // empty: unknown (keeps every row)
    QVariantList values;
    bool exact = true;
};

Part unknown()
{
    return {QString(), {}, false};
}

Part constant(bool holds)
{
    return {holds ? QStringLiteral("1") : QStringLiteral("0"), {}, true};
}

Part andOf(const Part &a, const Part &b)
{
    Part r;
    r.exact = a.exact && b.exact;
    if (a.sql.isEmpty() || b.sql.isEmpty()) {
        const Part &known = a.sql.isEmpty() ? b : a;
        r.sql = known.sql;
        r.values = known.values;
        return r;
    }
    r.sql = QStringLiteral("(%1 AND %2)").arg(a.sql, b.sql);
    r.values = a.values + b.values;
    return r;
}

Part orOf(const Part &a, const Part &b)
{
    if (a.sql.isEmpty() || b.sql.isEmpty())
        return unknown();
    return {QStringLiteral("(%1 OR %2)").arg(a.sql, b.sql), a.values + b.values, a.exact && b.exact};
}

Part notOf(const Part &a)
{
    if (!a.exact || a.sql.isEmpty())
        return unknown();
    return {QStringLiteral("NOT coalesce(%1, 0)").arg(a.sql), a.values, true};
}

QString sqlOperator(int op)
{
    switch (op) {
    case layout::kEqual:
        return QStringLiteral("=");
    case layout::kNotEqual:
        return QStringLiteral("<>");
    case layout::kGreater:
        return QStringLiteral(">");
    case layout::kLess:
        return QStringLiteral("<");
    case layout::kGreaterEqual:
        return QStringLiteral(">=");
    default:
        return QStringLiteral("<=");
    }
}

bool isComparison(int op)
{
    return op >= layout::kEqual && op <= layout::kLessEqual;
}

// Blank: null, or for text also the empty text.
Part blankTest(const QString &col, bool text, bool blank)
{
    if (text)
        return {blank ? QStringLiteral("(%1 IS NULL OR %1 = '')").arg(col)
                      : QStringLiteral("%1 <> ''").arg(col),
                {},
                true};
    return {QStringLiteral("%1 IS %2NULL").arg(col, blank ? QString() : QStringLiteral("NOT ")), {}, true};
}

// The field against a blank literal: = holds for a blank field, <> for any other, the rest never.
Part againstBlank(const QString &col, bool text, int op)
{
    if (op == layout::kEqual || op == layout::kNotEqual)
        return blankTest(col, text, op == layout::kEqual);
    return constant(false);
}

// Text against a non-blank literal, case-sensitive. SQLite compares UTF-8 bytes (code points); the
// evaluator compares UTF-16 units: the two orders agree unless the literal holds a character at or
// above U+D800, which stays with the evaluator.
Part textAgainst(const QString &col, int op, const QString &literal)
{
    for (QChar c : literal)
        if (c.unicode() >= 0xD800)
            return unknown();
    QString sql;
    switch (op) {
    case layout::kNotEqual:
        sql = QStringLiteral("(%1 IS NULL OR %1 <> ?)").arg(col);
        break;
    case layout::kLess:
    case layout::kLessEqual:
        sql = QStringLiteral("(%1 <> '' AND %1 %2 ?)").arg(col, sqlOperator(op));
        break;
    default:
        sql = QStringLiteral("%1 %2 ?").arg(col, sqlOperator(op));
    }
    return {sql, {literal}, true};
}

// A number field (a boolean one as 1 or 0) against a number.
Part numberAgainst(const QString &col, FieldType type, int op, double number)
{
    const QString value = type == FieldType::Boolean ? QStringLiteral("(%1 <> 0)").arg(col) : col;
    if (op == layout::kNotEqual)
        return {QStringLiteral("(%1 IS NULL OR %2 <> ?)").arg(col, value), {number}, true};
    return {QStringLiteral("%1 %2 ?").arg(value, sqlOperator(op)), {number}, true};
}

// The text of a field read as a number against a number; a blank text or one that is no number
// is unequal to every number.
Part textNumberAgainst(const QString &col, int op, double number)
{
    if (op == layout::kNotEqual)
        return {QStringLiteral("coalesce(dbe_number(%1) <> ?, 1)").arg(col), {number}, true};
    return {QStringLiteral("dbe_number(%1) %2 ?").arg(col, sqlOperator(op)), {number}, true};
}

// A date field (stored as days since 30.12.1899, a fraction for the time) against day k of the
// same count: the evaluator compares the whole days, cut towards zero, and takes a value the
// date type cannot hold as day 0. Said as bounds on the stored value, so that an index serves.
Part dateAgainst(const QString &col, int op, double k)
{
    static const QString valid =
        QStringLiteral("(%1 > %2 AND %1 < %3)")
            .arg(QStringLiteral("%1"), QString::number(base::kMinDateTime - 1.0, 'g', 17),
                 QString::number(base::kMaxDateTime + 1e-5, 'g', 17));
    QStringList terms;
    QVariantList values;
    auto atLeast = [&](double day) { // whole day >= day
        terms << (day > 0 ? QStringLiteral("%1 >= ?") : QStringLiteral("%1 > ?")).arg(col);
        values << (day > 0 ? day : day - 1);
    };
    auto atMost = [&](double day) { // whole day <= day
        terms << (day >= 0 ? QStringLiteral("%1 < ?") : QStringLiteral("%1 <= ?")).arg(col);
        values << (day >= 0 ? day + 1 : day);
    };
    const int equalOp = op == layout::kNotEqual ? layout::kEqual : op;
    switch (equalOp) {
    case layout::kEqual:
        atLeast(k);
        atMost(k);
        break;
    case layout::kGreater:
        atLeast(k + 1);
        break;
    case layout::kGreaterEqual:
        atLeast(k);
        break;
    case layout::kLess:
        atMost(k - 1);
        break;
    default:
        atMost(k);
    }
    const QString inRange =
        QStringLiteral("(%1 AND %2)").arg(valid.arg(col), terms.join(QStringLiteral(" AND ")));
    const bool dayZero = values::outcome(equalOp, 0 < k ? -1 : 0 > k ? 1 : 0);
    QString held = inRange;
    if (dayZero)
        held = QStringLiteral("(%1 OR NOT %2)").arg(inRange, valid.arg(col));
    if (op == layout::kNotEqual)
        return {QStringLiteral("(%1 IS NULL OR NOT %2)").arg(col, held), values, true};
    return {QStringLiteral("(%1 IS NOT NULL AND %2)").arg(col, held), values, true};
}

class TextTranslator {
public:
    TextTranslator(const FilterText::Program &program, const TableDef &def, const QStringList &columns)
        : program_(program), def_(def), columns_(columns)
    {
    }

    Part translate(int index) const
    {
        using NodeKind = FilterText::Program::NodeKind;
        const auto &node = program_.nodes[static_cast<size_t>(index)];
        switch (node.kind) {
        case NodeKind::And:
            return andOf(translate(node.left), translate(node.right));
        case NodeKind::Or:
            return orOf(translate(node.left), translate(node.right));
        case NodeKind::Not:
            return notOf(translate(node.left));
        case NodeKind::Comparison:
            return comparison(node);
        }
        return unknown();
    }

private:
    Part comparison(const FilterText::Program::Node &node) const
    {
        if (node.fieldNo < 1 || node.fieldNo > columns_.size() || !isComparison(node.op))
            return unknown();
        const QString &col = columns_[node.fieldNo - 1];
        if (node.literalBlank)
            return againstBlank(col, node.valueKind == Kind::Text, node.op);
        switch (node.valueKind) {
        case Kind::Text:
            return node.textAsNumber ? textNumberAgainst(col, node.op, node.number)
                                     : textAgainst(col, node.op, node.literalText);
        case Kind::Number:
            return numberAgainst(col, def_.fields[node.fieldNo - 1].type, node.op, node.number);
        case Kind::Date:
            return dateAgainst(col, node.op, node.number - layout::kDayNumberOfTDateTimeZero);
        default:
            return unknown(); // times and date-times stay with the evaluator
        }
    }

    const FilterText::Program &program_;
    const TableDef &def_;
    const QStringList &columns_;
};

class TreeTranslator {
public:
    TreeTranslator(const FilterTree::Program &program, const TableDef &def, const QStringList &columns)
        : program_(program), def_(def), columns_(columns)
    {
    }

    Part translate(int index) const
    {
        const auto &node = program_.nodes[static_cast<size_t>(index)];
        switch (node.nodeClass) {
        case layout::kUnary: {
            if (node.op == layout::kNot)
                return notOf(translate(node.left));
            const auto &operand = program_.nodes[static_cast<size_t>(node.left)];
            const bool blank = node.op == layout::kIsBlank;
            if (operand.nodeClass == layout::kConstant)
                return constant(operand.blank == blank);
            const QString *col = column(operand);
            return col ? blankTest(*col, operand.kind == Kind::Text, blank) : unknown();
        }
        case layout::kBinary:
            if (node.op == layout::kAnd)
                return andOf(translate(node.left), translate(node.right));
            if (node.op == layout::kOr)
                return orOf(translate(node.left), translate(node.right));
            return comparison(node);
        case layout::kCompare: {
            const auto &field = program_.nodes[static_cast<size_t>(node.fieldChild)];
            const QString *col = column(field);
            if (!col)
                return unknown();
            const int mode = (node.ignoreCase ? 1 : 0) | (node.wholeText ? 2 : 0);
            return {QStringLiteral("dbe_prefix(%1, ?, %2)").arg(*col).arg(mode), {node.prefix}, true};
        }
        default:
            return unknown();
        }
    }

private:
    const QString *column(const FilterTree::Program::Node &field) const
    {
        if (field.nodeClass != layout::kField || field.fieldNo < 1 || field.fieldNo > columns_.size())
            return nullptr;
        return &columns_[field.fieldNo - 1];
    }

    Part comparison(const FilterTree::Program::Node &node) const
    {
        if (!isComparison(node.op))
            return unknown();
        const auto *left = &program_.nodes[static_cast<size_t>(node.left)];
        const auto *right = &program_.nodes[static_cast<size_t>(node.right)];
        int op = node.op;
        if (left->nodeClass == layout::kConstant && right->nodeClass == layout::kField) {
            std::swap(left, right);
            op = layout::mirrored(op);
        }
        const QString *col = column(*left);
        if (!col || right->nodeClass != layout::kConstant || left->kind != right->kind)
            return unknown(); // two fields, two constants, a date against a date-time
        if (right->blank)
            return againstBlank(*col, left->kind == Kind::Text, op);
        switch (left->kind) {
        case Kind::Text:
            return textAgainst(*col, op, right->text);
        case Kind::Number:
            return numberAgainst(*col, def_.fields[left->fieldNo - 1].type, op, right->number);
        case Kind::Date:
            return dateAgainst(*col, op, right->number - layout::kDayNumberOfTDateTimeZero);
        default:
            return unknown();
        }
    }

    const FilterTree::Program &program_;
    const TableDef &def_;
    const QStringList &columns_;
};

SqlCondition conditionOf(const Part &p)
{
    return {p.sql, p.values, p.exact};
}

void numberFunction(sqlite3_context *context, int, sqlite3_value **argv)
{
    const int bytes = sqlite3_value_bytes(argv[0]);
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(argv[0]));
    if (!text || bytes == 0) {
        sqlite3_result_null(context);
        return;
    }
    const auto number = values::numberOfText(QString::fromUtf8(text, bytes));
    if (number)
        sqlite3_result_double(context, *number);
    else
        sqlite3_result_null(context);
}

void prefixFunction(sqlite3_context *context, int, sqlite3_value **argv)
{
    const auto *p = reinterpret_cast<const char *>(sqlite3_value_text(argv[1]));
    const QString prefix = p ? QString::fromUtf8(p, sqlite3_value_bytes(argv[1])) : QString();
    const int mode = sqlite3_value_int(argv[2]);
    const int bytes = sqlite3_value_bytes(argv[0]);
    const auto *t = reinterpret_cast<const char *>(sqlite3_value_text(argv[0]));
    if (!t || bytes == 0) {
        sqlite3_result_int(context, prefix.isEmpty() ? 1 : 0);
        return;
    }
    const QString text = QString::fromUtf8(t, bytes);
    const bool ignoreCase = mode & 1;
    bool holds;
    if (mode & 2)
        holds = text.compare(prefix, ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive) == 0;
    else if (ignoreCase)
        holds = values::startsWithIgnoringCase(text, prefix);
    else
        holds = text.startsWith(prefix);
    sqlite3_result_int(context, holds ? 1 : 0);
}

} // namespace

SqlCondition toSql(const FilterText &filter, const TableDef &def, const QStringList &columns)
{
    const FilterText::Program *program = filter.program();
    if (!program)
        return {};
    if (!program->bound || program->nodes.size() > static_cast<size_t>(kMaxNodes))
        return conditionOf(unknown());
    return conditionOf(TextTranslator(*program, def, columns).translate(program->root));
}

SqlCondition toSql(const FilterTree &tree, const TableDef &def, const QStringList &columns)
{
    const FilterTree::Program *program = tree.program();
    if (!program)
        return conditionOf(constant(false));
    if (program->nodes.empty() || program->nodes.size() > static_cast<size_t>(kMaxNodes))
        return conditionOf(unknown());
    return conditionOf(TreeTranslator(*program, def, columns).translate(0));
}

void conjoin(SqlCondition &into, const SqlCondition &more)
{
    const Part joined = andOf({into.sql, into.values, into.exact}, {more.sql, more.values, more.exact});
    into = conditionOf(joined);
}

void registerSqlFunctions(sqlite3 *db)
{
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    sqlite3_create_function_v2(db, "dbe_number", 1, flags, nullptr, &numberFunction, nullptr, nullptr,
                               nullptr);
    sqlite3_create_function_v2(db, "dbe_prefix", 3, flags, nullptr, &prefixFunction, nullptr, nullptr,
                               nullptr);
}

} // namespace dbe::filter
