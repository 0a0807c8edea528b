#include "reportengine/Expression.h"

#include <vector>

#include "reportengine/ExpressionFunctions.h"

namespace tb {

struct Expression::Node {
    enum class Type { Literal, Name, Unary, Binary, Call };
    Type type = Type::Literal;
    Value literal;
    QString name; // name, operator or function
    const detail::FunctionInfo *function = nullptr;
    std::vector<std::shared_ptr<const Node>> args;
    int depth = 1; // levels of the tree below and including this node
};

namespace {

using NodePtr = std::shared_ptr<const Expression::Node>;
using Node = Expression::Node;

struct Token {
    enum class Type { End, Number, String, Name, RawName, Op, LParen, RParen, Comma };
    Type type = Type::End;
    QString text;
    int pos = 0;
};

struct SyntaxError {
    QString text;
    int position = 0; // 1-based character position of the fault
};

// Far beyond any real formula or filter; it keeps parsing and evaluation off the end of the stack.
constexpr int kMaxNesting = 200;
constexpr int kMaxTreeDepth = 400;

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'.' || c == u'$';
}

std::vector<Token> tokenize(const QString &s)
{
    std::vector<Token> tokens;
    int i = 0;
    const int n = int(s.size());
    while (i < n) {
        const QChar c = s[i];
        if (c.isSpace()) {
            ++i;
            continue;
        }
        Token t;
        t.pos = i;
        if (c.isDigit()) {
            int j = i;
            while (j < n && (s[j].isDigit() || s[j] == u'.'))
                ++j;
            t.type = Token::Type::Number;
            t.text = s.mid(i, j - i);
            i = j;
        } else if (c == u'"') {
            QString text;
            int j = i + 1;
            bool closed = false;
            while (j < n) {
                if (s[j] == u'"') {
                    if (j + 1 < n && s[j + 1] == u'"') {
                        text += u'"';
                        j += 2;
                        continue;
                    }
                    closed = true;
                    ++j;
                    break;
                }
                text += s[j++];
            }
            if (!closed)
                throw SyntaxError{QStringLiteral("Zeichenkette ohne Ende an Position %1").arg(i + 1), i + 1};
            t.type = Token::Type::String;
            t.text = text;
            i = j;
        } else if (c == u'[') {
            const qsizetype close = s.indexOf(u']', i + 1);
            if (close < 0)
                throw SyntaxError{QStringLiteral("\"]\" fehlt nach Position %1").arg(i + 1), i + 1};
            t.type = Token::Type::RawName;
            t.text = s.mid(i + 1, close - i - 1);
            if (t.text.isEmpty())
                throw SyntaxError{QStringLiteral("Leerer Name an Position %1").arg(i + 1), i + 1};
            i = int(close) + 1;
        } else if (c.isLetter() || c == u'_') {
            int j = i;
            while (j < n && isNameChar(s[j]))
                ++j;
            t.type = Token::Type::Name;
            t.text = s.mid(i, j - i);
            i = j;
        } else if (c == u'(' || c == u')' || c == u',') {
            t.type = c == u'(' ? Token::Type::LParen : c == u')' ? Token::Type::RParen : Token::Type::Comma;
            t.text = c;
            ++i;
        } else if (c == u'<' || c == u'>') {
            t.type = Token::Type::Op;
            if (i + 1 < n && (s[i + 1] == u'=' || (c == u'<' && s[i + 1] == u'>'))) {
                t.text = s.mid(i, 2);
                i += 2;
            } else {
                t.text = c;
                ++i;
            }
        } else if (QStringLiteral("+-*/=").contains(c)) {
            t.type = Token::Type::Op;
            t.text = c;
            ++i;
        } else {
            throw SyntaxError{QStringLiteral("Unerwartetes Zeichen \"%1\" an Position %2").arg(c).arg(i + 1),
                              i + 1};
        }
        tokens.push_back(t);
    }
    Token end;
    end.pos = n;
    tokens.push_back(end);
    return tokens;
}

class Parser {
public:
    Parser(std::vector<Token> tokens, QStringList &names) : tokens_(std::move(tokens)), names_(names) {}

    NodePtr parseAll()
    {
        NodePtr root = parseOr();
        if (peek().type != Token::Type::End)
            fail(QStringLiteral("Unerwartetes \"%1\"").arg(peek().text));
        return root;
    }

private:
    const Token &peek() const { return tokens_[pos_]; }
    Token take() { return tokens_[pos_++]; }
    [[noreturn]] void fail(const QString &what) const
    {
        throw SyntaxError{QStringLiteral("%1 an Position %2").arg(what).arg(peek().pos + 1), peek().pos + 1};
    }
    bool isKeyword(const char *word) const
    {
        return peek().type == Token::Type::Name &&
               peek().text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }
    bool isOp(const char *op) const
    {
        return peek().type == Token::Type::Op && peek().text == QLatin1String(op);
    }

    // Counts the open levels of the recursive descent; too many is a syntax error, not a crash.
    struct Level {
        explicit Level(Parser &parser) : parser_(parser)
        {
            if (++parser_.nesting_ > kMaxNesting)
                parser_.fail(QStringLiteral("Zu tief verschachtelt"));
        }
        ~Level() { --parser_.nesting_; }
        Parser &parser_;
    };

    // A node with its children: its depth bounds how deep evaluation recurses.
    NodePtr finish(std::shared_ptr<Node> node) const
    {
        for (const auto &arg : node->args)
            node->depth = std::max(node->depth, arg->depth + 1);
        if (node->depth > kMaxTreeDepth)
            fail(QStringLiteral("Ausdruck zu tief verschachtelt"));
        return node;
    }

    NodePtr binary(const QString &op, NodePtr a, NodePtr b) const
    {
        auto node = std::make_shared<Node>();
        node->type = Node::Type::Binary;
        node->name = op;
        node->args = {std::move(a), std::move(b)};
        return finish(std::move(node));
    }

    NodePtr parseOr()
    {
        const Level level(*this);
        NodePtr left = parseAnd();
        while (isKeyword("or")) {
            take();
            left = binary(QStringLiteral("or"), left, parseAnd());
        }
        return left;
    }
    NodePtr parseAnd()
    {
        NodePtr left = parseNot();
        while (isKeyword("and")) {
            take();
            left = binary(QStringLiteral("and"), left, parseNot());
        }
        return left;
    }
    NodePtr parseNot()
    {
        const Level level(*this);
        if (isKeyword("not")) {
            take();
            auto node = std::make_shared<Node>();
            node->type = Node::Type::Unary;
            node->name = QStringLiteral("not");
            node->args = {parseNot()};
            return finish(std::move(node));
        }
        return parseComparison();
    }
    NodePtr parseComparison()
    {
        NodePtr left = parseAdditive();
        for (const char *op : {"=", "<>", "<", "<=", ">", ">="}) {
            if (isOp(op)) {
                take();
                return binary(QLatin1String(op), left, parseAdditive());
            }
        }
        return left;
    }
    NodePtr parseAdditive()
    {
        NodePtr left = parseMultiplicative();
        while (isOp("+") || isOp("-")) {
            const QString op = take().text;
            left = binary(op, left, parseMultiplicative());
        }
        return left;
    }
    NodePtr parseMultiplicative()
    {
        NodePtr left = parseUnary();
        while (isOp("*") || isOp("/")) {
            const QString op = take().text;
            left = binary(op, left, parseUnary());
        }
        return left;
    }
    NodePtr parseUnary()
    {
        const Level level(*this);
        if (isOp("-")) {
            take();
            auto node = std::make_shared<Node>();
            node->type = Node::Type::Unary;
            node->name = QStringLiteral("-");
            node->args = {parseUnary()};
            return finish(std::move(node));
        }
        return parsePrimary();
    }
    NodePtr parsePrimary()
    {
        const Token t = peek();
        auto node = std::make_shared<Node>();
        switch (t.type) {
        case Token::Type::Number: {
            take();
            bool ok = false;
            const double number = t.text.toDouble(&ok);
            if (!ok)
                fail(QStringLiteral("Ungültige Zahl \"%1\"").arg(t.text));
            node->literal = Value::ofNumber(number);
            return node;
        }
        case Token::Type::String:
            take();
            node->literal = Value::ofText(t.text);
            return node;
        case Token::Type::RawName:
            take();
            node->type = Node::Type::Name;
            node->name = t.text;
            names_.append(t.text);
            return node;
        case Token::Type::Name: {
            take();
            if (peek().type == Token::Type::LParen) {
                const detail::FunctionInfo *function = detail::findFunction(t.text);
                if (!function)
                    throw SyntaxError{QStringLiteral("Unbekannte Funktion \"%1\" an Position %2")
                                          .arg(t.text)
                                          .arg(t.pos + 1),
                                      t.pos + 1};
                take();
                node->type = Node::Type::Call;
                node->function = function;
                node->name = QLatin1String(function->name);
                if (peek().type != Token::Type::RParen) {
                    node->args.push_back(parseOr());
                    while (peek().type == Token::Type::Comma) {
                        take();
                        node->args.push_back(parseOr());
                    }
                }
                if (peek().type != Token::Type::RParen)
                    fail(QStringLiteral("\")\" erwartet"));
                take();
                const int count = int(node->args.size());
                if (count < function->minArgs || (function->maxArgs >= 0 && count > function->maxArgs))
                    throw SyntaxError{QStringLiteral("Falsche Zahl von Argumenten für \"%1\" an Position %2")
                                          .arg(t.text)
                                          .arg(t.pos + 1),
                                      t.pos + 1};
                return finish(std::move(node));
            }
            if (t.text.compare(QLatin1String("and"), Qt::CaseInsensitive) == 0 ||
                t.text.compare(QLatin1String("or"), Qt::CaseInsensitive) == 0 ||
                t.text.compare(QLatin1String("not"), Qt::CaseInsensitive) == 0)
                fail(QStringLiteral("Operand erwartet"));
            node->type = Node::Type::Name;
            node->name = t.text;
            names_.append(t.text);
            return node;
        }
        case Token::Type::LParen: {
            take();
            NodePtr inner = parseOr();
            if (peek().type != Token::Type::RParen)
                fail(QStringLiteral("\")\" erwartet"));
            take();
            return inner;
        }
        default:
            fail(t.type == Token::Type::End ? QStringLiteral("Unerwartetes Ende")
                                            : QStringLiteral("Unerwartetes \"%1\"").arg(t.text));
        }
    }

    std::vector<Token> tokens_;
    size_t pos_ = 0;
    int nesting_ = 0;
    QStringList &names_;
};

int compareValues(const Value &a, const Value &b)
{
    if ((a.isNumeric() || a.kind == Value::Kind::Bool) && (b.isNumeric() || b.kind == Value::Kind::Bool)) {
        const double x = a.toNumber();
        const double y = b.toNumber();
        return x < y ? -1 : x > y ? 1 : 0;
    }
    if (a.isNumeric() && b.kind == Value::Kind::Text)
        return compareValues(a, Value::ofNumber(b.toNumber()));
    if (b.isNumeric() && a.kind == Value::Kind::Text)
        return compareValues(Value::ofNumber(a.toNumber()), b);
    return a.toText().compare(b.toText());
}

Value evaluateNode(const Node &node, const EvalContext &context)
{
    switch (node.type) {
    case Node::Type::Literal:
        return node.literal;
    case Node::Type::Name: {
        if (context.lookup) {
            if (auto value = context.lookup(node.name))
                return *value;
        }
        if (context.onError)
            context.onError(QStringLiteral("Unbekannter Name \"%1\"").arg(node.name));
        return Value::ofText(QString());
    }
    case Node::Type::Unary: {
        const Value operand = evaluateNode(*node.args[0], context);
        if (node.name == QLatin1String("not"))
            return Value::ofBool(!operand.toBool());
        return Value::ofNumber(-operand.toNumber());
    }
    case Node::Type::Binary: {
        const QString &op = node.name;
        if (op == QLatin1String("and"))
            return Value::ofBool(evaluateNode(*node.args[0], context).toBool() &&
                                 evaluateNode(*node.args[1], context).toBool());
        if (op == QLatin1String("or"))
            return Value::ofBool(evaluateNode(*node.args[0], context).toBool() ||
                                 evaluateNode(*node.args[1], context).toBool());
        const Value a = evaluateNode(*node.args[0], context);
        const Value b = evaluateNode(*node.args[1], context);
        if (op == QLatin1String("+")) {
            if (a.isNumeric() && b.isNumeric()) {
                // A date plus days stays a date.
                const double sum = a.number + b.number;
                return a.kind == Value::Kind::Date || b.kind == Value::Kind::Date ? Value::ofDate(sum)
                                                                                  : Value::ofNumber(sum);
            }
            return Value::ofText(a.toText() + b.toText());
        }
        if (op == QLatin1String("-"))
            return Value::ofNumber(a.toNumber() - b.toNumber());
        if (op == QLatin1String("*"))
            return Value::ofNumber(a.toNumber() * b.toNumber());
        if (op == QLatin1String("/")) {
            const double divisor = b.toNumber();
            if (divisor == 0) {
                if (context.onError)
                    context.onError(QStringLiteral("Division durch 0"));
                return Value::ofText(QString());
            }
            return Value::ofNumber(a.toNumber() / divisor);
        }
        const int c = compareValues(a, b);
        if (op == QLatin1String("="))
            return Value::ofBool(c == 0);
        if (op == QLatin1String("<>"))
            return Value::ofBool(c != 0);
        if (op == QLatin1String("<"))
            return Value::ofBool(c < 0);
        if (op == QLatin1String("<="))
            return Value::ofBool(c <= 0);
        if (op == QLatin1String(">"))
            return Value::ofBool(c > 0);
        return Value::ofBool(c >= 0);
    }
    case Node::Type::Call: {
        // If evaluates only the branch it takes, so an undefined name there raises nothing.
        if (node.name == QLatin1String("If")) {
            const bool condition = evaluateNode(*node.args[0], context).toBool();
            if (condition)
                return evaluateNode(*node.args[1], context);
            return node.args.size() > 2 ? evaluateNode(*node.args[2], context) : Value::ofText(QString());
        }
        std::vector<Value> args;
        args.reserve(node.args.size());
        for (const auto &arg : node.args)
            args.push_back(evaluateNode(*arg, context));
        return detail::callFunction(*node.function, args, context);
    }
    }
    return Value::ofText(QString());
}

} // namespace

Expression::Expression() = default;

std::optional<Expression> Expression::parse(const QString &source, QString *error, int *position)
{
    Expression expression;
    expression.source_ = source;
    if (source.trimmed().isEmpty())
        return expression;
    try {
        Parser parser(tokenize(source), expression.names_);
        expression.root_ = parser.parseAll();
    } catch (const SyntaxError &e) {
        if (error)
            *error = e.text;
        if (position)
            *position = e.position;
        return std::nullopt;
    }
    expression.names_.removeDuplicates();
    return expression;
}

Value Expression::evaluate(const EvalContext &context) const
{
    if (!root_)
        return Value::ofText(QString());
    return evaluateNode(*root_, context);
}

bool Expression::holds(const EvalContext &context) const
{
    return !root_ || evaluate(context).toBool();
}

QStringList expressionFunctionNames()
{
    QStringList names;
    for (const auto &f : detail::functionTable())
        names.append(QLatin1String(f.name));
    return names;
}

} // namespace tb
