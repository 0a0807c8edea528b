#pragma once

#include <QString>

namespace tb {

// A value of the expression language. Variables and fields are text unless a field was defined with
// a type; Null is the "(NULL)" contents of a typed field and shows as an empty cell.
struct Value {
    enum class Kind { Null, Text, Number, Date, Bool };

    Kind kind = Kind::Text;
    QString text;
    double number = 0; // Number, and Date as day count since 1899-12-30
    bool flag = false;

    static Value ofText(const QString &text);
    static Value ofNumber(double number);
    static Value ofDate(double dayCount);
    static Value ofBool(bool flag);
    static Value null();

    bool isNumeric() const { return kind == Kind::Number || kind == Kind::Date; }
    // Text form as a cell shows it: German decimals, dates dd.MM.yyyy, "Wahr"/"Falsch", null empty.
    QString toText() const;
    // Numbers as they are; text through the tolerant reading of Val.
    double toNumber() const;
    // Bool as it is, numbers non-zero, text "Wahr"/"True"/"1"... or else non-empty.
    bool toBool() const;
};

// Reads a number from text the tolerant way: German or C decimals, thousands separators, leading
// blanks, trailing rubbish ignored; no digits gives 0.
double tolerantNumber(const QString &text);

} // namespace tb
