#pragma once

#include <memory>

#include <QString>

#include "dbe/filter/RecordAccessor.h"

namespace dbe::filter {

// The filter text of a dataset's Filter property, e.g.
//   (FahrerName ='X') and ((Datum >= '1.1.2024') and (Datum <= '31.12.2024'))
// Comparisons (= <> < > <= >=) of a field name with a quoted literal ('' for
// a quote inside) or an unquoted number, combined with not, and, or (and binds
// tighter than or) and parentheses; keywords and field names in any case.
//
// What the cursor calls:
//   FilterText f = FilterText::parse(text);   // when Filter is assigned
//   f.bind(fields);                            // when the cursor is (re)opened
//   f.matches(record)                          // per record, while Filtered
// parse() and bind() throw FilterError. matches() does not allocate when the
// cursor hands out text values as QString.
//
// Comparison rules: a literal is converted once to the field's type (German
// dates d.M.yyyy or dd.MM.yyyy for date fields, numbers for numeric fields);
// a blank field fails every comparison except <> against a non-blank literal,
// and = '' matches a blank field. An unquoted number against a text field
// compares with the field's text read as a number (a text that is no number
// fails). Text comparisons are case-sensitive in code-point order.
class FilterText {
public:
    FilterText(); // the empty filter: every record matches

    static FilterText parse(const QString &text);

    bool isEmpty() const;
    const QString &text() const;

    void bind(const RecordAccessor &fields);
    bool isBound() const;

    bool matches(const RecordAccessor &record) const;

    struct Program; // parsed form, FilterTextProgram.h
    // The parsed (and, once bound, bound) form; null for the empty filter.
    const Program *program() const { return program_.get(); }

private:
    QString text_;
    std::shared_ptr<const Program> program_;
};

} // namespace dbe::filter
