#pragma once

#include <optional>

#include <QString>
#include <QStringList>

#include "reportengine/Value.h"
#include "reportengine/designer/DesignerSession.h"

// How the designer checks an expression as it is typed: the engine's parser, the functions this run
// prohibits, the names defined before the designer opened, and a live value from their samples.
namespace tb::designer {

struct ExpressionCheck {
    bool accepted = true;
    QString error;         // why it was refused
    int position = 0;      // 1-based character position of a syntax error, 0 = none
    QStringList undefined; // names neither defined nor sums: they print as empty text
    QString hint;          // what to tell about the undefined names
    QString value;         // the value with the sample values
};

// The function names an expression calls (outside texts and raw names).
QStringList calledFunctions(const QString &source);

// The sample value of a defined field or variable (fields first, as printing looks them up).
std::optional<Value> sampleValue(const DesignerSettings &settings, const QString &name);

ExpressionCheck checkExpression(const QString &source, const DesignerSettings &settings,
                                const Project &project, const QString &projectFile);

// The text a double click in the name browser inserts: translated under option 51, else in brackets
// when the name holds characters an expression name cannot.
QString insertableName(const QString &name, bool translate);

// Every expression of the project that does not parse or calls a prohibited function, as
// "expression: reason"; empty when the project may be saved.
QStringList faultyExpressions(const Project &project, const DesignerSettings &settings);

} // namespace tb::designer
