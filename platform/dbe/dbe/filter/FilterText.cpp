#include "dbe/filter/FilterText.h"

#include <cmath>
#include <optional>
#include <vector>

#include "base/GermanFormat.h"
#include "dbe/filter/ExpressionLayout.h"
#include "dbe/filter/FieldValues.h"
#include "dbe/filter/FilterError.h"
#include "dbe/filter/FilterTextProgram.h"

namespace dbe::filter {

namespace {

using values::Kind;

enum class Token { Name, Text, Number, Operator, Open, Close, And, Or, Not, End };

struct Lexeme {
    Token token = Token::End;
    QString text; // name, literal (quotes removed) or number as written
    int op = 0;   // comparison operator code
    qsizetype position = 0;
};

QList<Lexeme> tokenize(const QString &text)
{
    QList<Lexeme> result;
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto fail = [&](const QString &what) {
        throw FilterError(QStringLiteral("Fehler im Filterausdruck \"%1\" an Stelle %2: %3")
                              .arg(text)
                              .arg(i + 1)
                              .arg(what));
    };
    while (i < n) {
        const QChar c = text[i];
        if (c.isSpace()) {
            ++i;
            continue;
        }
        Lexeme lex;
        lex.position = i;
        if (c == QLatin1Char('(') || c == QLatin1Char(')')) {
            lex.token = c == QLatin1Char('(') ? Token::Open : Token::Close;
            ++i;
        } else if (c == QLatin1Char('\'')) {
            lex.token = Token::Text;
            ++i;
            for (;;) {
                if (i >= n)
                    fail(QStringLiteral("Text ohne schließendes Hochkomma"));
                if (text[i] == QLatin1Char('\'')) {
                    if (i + 1 < n && text[i + 1] == QLatin1Char('\'')) {
                        lex.text += QLatin1Char('\'');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                lex.text += text[i++];
            }
        } else if (c == QLatin1Char('=') || c == QLatin1Char('<') || c == QLatin1Char('>')) {
            lex.token = Token::Operator;
            const QChar next = i + 1 < n ? text[i + 1] : QChar();
            if (c == QLatin1Char('<') && next == QLatin1Char('>')) {
                lex.op = layout::kNotEqual;
                i += 2;
            } else if (c != QLatin1Char('=') && next == QLatin1Char('=')) {
                lex.op = c == QLatin1Char('<') ? layout::kLessEqual : layout::kGreaterEqual;
                i += 2;
            } else {
                lex.op = c == QLatin1Char('=')   ? layout::kEqual
                         : c == QLatin1Char('<') ? layout::kLess
                                                 : layout::kGreater;
                ++i;
            }
        } else if (c.isDigit() || ((c == QLatin1Char('-') || c == QLatin1Char('+')) && i + 1 < n &&
                                   (text[i + 1].isDigit() || text[i + 1] == QLatin1Char('.')))) {
            lex.token = Token::Number;
            const qsizetype start = i++;
            while (i < n && (text[i].isDigit() || text[i] == QLatin1Char('.')))
                ++i;
            lex.text = text.mid(start, i - start);
            if (i < n && (text[i].isLetter() || text[i] == QLatin1Char('_')))
                fail(QStringLiteral("ungültige Zahl"));
        } else if (c.isLetter() || c == QLatin1Char('_')) {
            const qsizetype start = i;
            while (i < n && (text[i].isLetterOrNumber() || text[i] == QLatin1Char('_')))
                ++i;
            lex.text = text.mid(start, i - start);
            const QString lower = lex.text.toLower();
            lex.token = lower == QLatin1String("and")   ? Token::And
                        : lower == QLatin1String("or")  ? Token::Or
                        : lower == QLatin1String("not") ? Token::Not
                                                        : Token::Name;
        } else {
            fail(QStringLiteral("unerwartetes Zeichen \"%1\"").arg(c));
        }
        result.append(lex);
    }
    Lexeme end;
    end.position = n;
    result.append(end);
    return result;
}

} // namespace

namespace {

class Parser {
public:
    Parser(const QString &text, FilterText::Program &program)
        : text_(text), lexemes_(tokenize(text)), program_(program)
    {
    }

    int parse()
    {
        const int root = orExpression();
        if (peek().token != Token::End)
            fail(QStringLiteral("unerwartetes \"%1\"").arg(describe(peek())));
        return root;
    }

private:
    using Node = FilterText::Program::Node;
    using NodeKind = FilterText::Program::NodeKind;

    const Lexeme &peek() const { return lexemes_[pos_]; }
    const Lexeme &take() { return lexemes_[pos_++]; }

    [[noreturn]] void fail(const QString &what) const
    {
        throw FilterError(QStringLiteral("Fehler im Filterausdruck \"%1\" an Stelle %2: %3")
                              .arg(text_)
                              .arg(peek().position + 1)
                              .arg(what));
    }

    static QString describe(const Lexeme &lex)
    {
        switch (lex.token) {
        case Token::End:
            return QStringLiteral("Ende");
        case Token::Open:
            return QStringLiteral("(");
        case Token::Close:
            return QStringLiteral(")");
        case Token::Text:
            return QLatin1Char('\'') + lex.text + QLatin1Char('\'');
        case Token::Operator:
            return QStringLiteral("Vergleich");
        default:
            return lex.text;
        }
    }

    int add(Node node)
    {
        program_.nodes.push_back(std::move(node));
        return static_cast<int>(program_.nodes.size()) - 1;
    }

    int orExpression()
    {
        int left = andExpression();
        while (peek().token == Token::Or) {
            take();
            Node node;
            node.kind = NodeKind::Or;
            node.left = left;
            node.right = andExpression();
            left = add(std::move(node));
        }
        return left;
    }

    int andExpression()
    {
        int left = unary();
        while (peek().token == Token::And) {
            take();
            Node node;
            node.kind = NodeKind::And;
            node.left = left;
            node.right = unary();
            left = add(std::move(node));
        }
        return left;
    }

    int unary()
    {
        // Parentheses and "not" nest by recursion: bounded far beyond any real filter, so that no
        // text can run the stack out.
        struct Level {
            int &depth;
            ~Level() { --depth; }
        } level{++depth_};
        if (depth_ > kMaxNesting)
            fail(QStringLiteral("zu tief verschachtelt (mehr als %1 Ebenen)").arg(kMaxNesting));
        if (peek().token == Token::Not) {
            take();
            Node node;
            node.kind = NodeKind::Not;
            node.left = unary();
            return add(std::move(node));
        }
        if (peek().token == Token::Open) {
            take();
            const int inner = orExpression();
            if (peek().token != Token::Close)
                fail(QStringLiteral("\")\" erwartet statt \"%1\"").arg(describe(peek())));
            take();
            return inner;
        }
        return comparison();
    }

    int comparison()
    {
        Node node;
        const Lexeme first = take();
        const bool fieldFirst = first.token == Token::Name;
        if (!fieldFirst && first.token != Token::Text && first.token != Token::Number) {
            --pos_;
            fail(QStringLiteral("Feldname erwartet statt \"%1\"").arg(describe(first)));
        }
        if (peek().token != Token::Operator)
            fail(QStringLiteral("Vergleich erwartet statt \"%1\"").arg(describe(peek())));
        node.op = take().op;
        const Lexeme second = take();
        const Lexeme &literal = fieldFirst ? second : first;
        const Lexeme &field = fieldFirst ? first : second;
        if (field.token != Token::Name) {
            --pos_;
            fail(QStringLiteral("Feldname erwartet statt \"%1\"").arg(describe(second)));
        }
        if (literal.token != Token::Text && literal.token != Token::Number) {
            --pos_;
            fail(QStringLiteral("Wert erwartet statt \"%1\"").arg(describe(second)));
        }
        if (!fieldFirst)
            node.op = layout::mirrored(node.op);
        node.fieldName = field.text;
        node.literal = literal.token == Token::Text ? FilterText::Program::Literal::Text
                                                    : FilterText::Program::Literal::Number;
        node.literalText = literal.text;
        return add(std::move(node));
    }

    static constexpr int kMaxNesting = 256;

    QString text_;
    QList<Lexeme> lexemes_;
    qsizetype pos_ = 0;
    int depth_ = 0;
    FilterText::Program &program_;
};

[[noreturn]] void literalDoesNotFit(const QString &field, const QString &literal)
{
    throw FilterError(QStringLiteral("Wert \"%1\" passt nicht zum Feld %2").arg(literal, field));
}

void bindComparison(FilterText::Program::Node &node, const RecordAccessor &fields)
{
    node.fieldNo = fields.fieldNumber(node.fieldName);
    if (node.fieldNo == 0)
        throw FilterError(QStringLiteral("Feld %1 nicht gefunden").arg(node.fieldName));
    node.valueKind = values::kindOf(fields.fieldType(node.fieldNo));
    node.literalBlank = false;
    node.textAsNumber = false;
    const bool quoted = node.literal == FilterText::Program::Literal::Text;
    if (quoted && node.literalText.isEmpty()) {
        node.literalBlank = true;
        return;
    }
    std::optional<double> value;
    switch (node.valueKind) {
    case Kind::Text:
        if (!quoted) {
            node.textAsNumber = true;
            value = values::numberOfText(node.literalText);
        } else {
            return; // compared as text
        }
        break;
    case Kind::Number:
        if (fields.fieldType(node.fieldNo) == FieldType::Boolean && quoted) {
            if (auto b = base::de::parseBool(node.literalText))
                value = *b ? 1 : 0;
        } else {
            value = values::numberOfText(node.literalText);
        }
        break;
    case Kind::Date:
        if (quoted)
            if (auto d = base::de::parseDate(node.literalText))
                value = base::datePart(*d) + layout::kDayNumberOfTDateTimeZero;
        break;
    case Kind::Time:
        if (quoted)
            if (auto t = base::de::parseTime(node.literalText))
                value = std::round(base::timePart(*t) * base::kMsPerDay);
        break;
    case Kind::DateTime:
        if (quoted)
            if (auto dt = base::de::parseDateTime(node.literalText))
                value = (base::datePart(*dt) + layout::kDayNumberOfTDateTimeZero) * base::kMsPerDay +
                        std::round(base::timePart(*dt) * base::kMsPerDay);
        break;
    case Kind::None:
        throw FilterError(QStringLiteral("Feld %1 kann nicht gefiltert werden").arg(node.fieldName));
    }
    if (!value)
        literalDoesNotFit(node.fieldName, node.literalText);
    node.number = *value;
}

} // namespace

bool FilterText::Program::compare(const Node &node, const RecordAccessor &record) const
{
    // One read per comparison: the blank test comes from the value itself.
    const QVariant value = record.value(node.fieldNo);
    const bool blank = values::isBlank(value);
    if (node.literalBlank || blank)
        return values::blankOutcome(node.op, blank, node.literalBlank);
    if (node.valueKind == Kind::Text) {
        QString storage;
        const QStringView text = values::textOf(value, storage);
        if (node.textAsNumber) {
            const auto number = values::numberOfText(text);
            if (!number) // a text that is no number is unequal to every number
                return node.op == layout::kNotEqual;
            return values::outcome(node.op, *number < node.number ? -1 : *number > node.number ? 1 : 0);
        }
        return values::outcome(node.op, text.compare(QStringView(node.literalText), Qt::CaseSensitive));
    }
    double number = 0;
    if (!values::readNumber(value, node.valueKind, number))
        return values::blankOutcome(node.op, true, false);
    return values::outcome(node.op, number < node.number ? -1 : number > node.number ? 1 : 0);
}

bool FilterText::Program::evaluate(int index, const RecordAccessor &record) const
{
    // "a and b and c ..." parses into a tree leaning left as deep as the chain is long: its spine is
    // walked in a loop, so evaluation recurses only as deep as the parser let parentheses and "not"
    // nest.
    for (;;) {
        const Node &node = nodes[static_cast<size_t>(index)];
        switch (node.kind) {
        case NodeKind::And:
            if (!evaluate(node.right, record))
                return false;
            index = node.left;
            continue;
        case NodeKind::Or:
            if (evaluate(node.right, record))
                return true;
            index = node.left;
            continue;
        case NodeKind::Not:
            return !evaluate(node.left, record);
        case NodeKind::Comparison:
            return compare(node, record);
        }
        return false;
    }
}

FilterText::FilterText() = default;

FilterText FilterText::parse(const QString &text)
{
    FilterText result;
    result.text_ = text;
    if (text.trimmed().isEmpty())
        return result;
    auto program = std::make_shared<Program>();
    program->root = Parser(text, *program).parse();
    result.program_ = std::move(program);
    return result;
}

bool FilterText::isEmpty() const
{
    return program_ == nullptr;
}

const QString &FilterText::text() const
{
    return text_;
}

void FilterText::bind(const RecordAccessor &fields)
{
    if (!program_)
        return;
    auto bound = std::make_shared<Program>(*program_);
    for (Program::Node &node : bound->nodes)
        if (node.kind == Program::NodeKind::Comparison)
            bindComparison(node, fields);
    bound->bound = true;
    program_ = std::move(bound);
}

bool FilterText::isBound() const
{
    return !program_ || program_->bound;
}

bool FilterText::matches(const RecordAccessor &record) const
{
    if (!program_)
        return true;
    if (!program_->bound)
        throw FilterError(QStringLiteral("Filter \"%1\" ist keiner Tabelle zugeordnet").arg(text_));
    return program_->evaluate(program_->root, record);
}

} // namespace dbe::filter
