#pragma once

#include <memory>

#include <QByteArray>
#include <QByteArrayView>

#include "dbe/filter/RecordAccessor.h"

namespace dbe::filter {

// A filter tree handed to a cursor as a filter-expression buffer (layout in
// ExpressionLayout.h), evaluated per record.
//
// What the cursor calls:
//   FilterTree t = FilterTree::compile(buffer, fields);  // "add filter"
//   t.matches(record)                                     // per record while active
// compile() refuses (FilterError) a buffer whose header, sizes or references
// are out of range, an unknown node class, operator or constant type, a field
// node whose number or name does not fit the cursor's fields, and the "Wie"
// operator, which the set never produces. A FilterTree is immutable, cheap to
// copy and shared by clones.
//
// Semantics: blank is a null or empty field; "is blank" / "not blank" test
// it; = with an empty constant matches a blank field; a blank field fails
// every other comparison except <>, which holds against a non-empty constant.
// Strings compare case-sensitively in code-point order; a compare node tests
// whether the field's text begins with the constant's first n characters,
// ignoring case (German letters included). Constant strings and names are
// Windows-1252 bytes.
class FilterTree {
public:
    static FilterTree compile(QByteArrayView buffer, const RecordAccessor &fields);

    bool matches(const RecordAccessor &record) const;

    struct Program; // decoded tree, FilterTreeProgram.h
    const Program *program() const { return program_.get(); }

private:
    std::shared_ptr<const Program> program_;
};

} // namespace dbe::filter
