#pragma once

#include <functional>
#include <memory>
#include <optional>

#include <QString>
#include <QStringList>

#include "reportengine/Value.h"

namespace tb {

// What an expression sees while it is evaluated.
struct EvalContext {
    // A defined name (as written in the project; the resolver translates and folds it), or nothing.
    std::function<std::optional<Value>(const QString &name)> lookup;
    int page = 0;
    QString projectFile;
    double now = 0; // day count with time
    // Run-time errors (an undefined name, a bad argument); the value becomes empty text.
    std::function<void(const QString &error)> onError;
};

// One parsed expression of the report language: literals "text" and decimal numbers, names of
// letters, digits, "_" and "." or [raw name], + - * / = <> < <= > >= and or not, and the function
// library (If, Choose, Empty, Val, Str$, FStr$, Date$, Upper$, Lower$, Trim$, Left$, Mid$, Right$,
// Len, Page, Today, Now, ProjectFile$). An empty source evaluates to empty text.
class Expression {
public:
    struct Node;

    Expression();
    // Parses the source; on a syntax error (also an unknown function or a wrong argument count)
    // returns nothing and sets the error text and its 1-based character position.
    static std::optional<Expression> parse(const QString &source, QString *error = nullptr,
                                           int *position = nullptr);

    Value evaluate(const EvalContext &context) const;
    // Truth of a condition; an empty condition holds.
    bool holds(const EvalContext &context) const;
    bool isEmpty() const { return root_ == nullptr; }
    const QString &source() const { return source_; }
    // Every name the expression refers to, as written (raw names without brackets).
    const QStringList &names() const { return names_; }

private:
    QString source_;
    std::shared_ptr<const Node> root_;
    QStringList names_;
};

// The names of the function library (for the designer and for checks).
QStringList expressionFunctionNames();

} // namespace tb
