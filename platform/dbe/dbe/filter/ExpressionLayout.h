#pragma once

#include <cstdint>

// Byte layout of a filter-expression buffer, as the navigation set's filter
// writes it and FilterTree reads it. All values little-endian.
//
//   header   u16 version (2), u16 total size, u16 node count N,
//            u16 node area start (10), u16 literal area start (10 + 18 N)
//   nodes    N slots of 18 bytes, the tree in pre-order from slot 0; child
//            references are byte offsets 18 k into the node area, name and
//            value references are byte offsets into the literal area
//   literals strings and names zero-terminated, other values raw
namespace dbe::filter::layout {

constexpr int kHeaderSize = 10;
constexpr int kNodeSize = 18;
constexpr std::uint16_t kVersion = 2;

enum NodeClass : std::int32_t {
    kUnary = 1,   // operator @4, operand @8
    kBinary = 2,  // operator @4, left @8, right @10
    kCompare = 3, // operator @4, case-insensitive i16 @8, partial length @10, left @12, right @14
    kField = 4,   // operator 13, field number @8 (1-based), name literal @10
    kConstant = 5 // operator 14, engine type @8, size @10, value literal @12
};

enum Operator : std::int32_t {
    kIsBlank = 1,
    kNotBlank = 2,
    kEqual = 3,
    kNotEqual = 4,
    kGreater = 5,
    kLess = 6,
    kGreaterEqual = 7,
    kLessEqual = 8,
    kNot = 9,
    kAnd = 10,
    kOr = 11,
    kFieldOp = 13,
    kConstantOp = 14,
    kLike = 30
};

enum EngineType : std::uint16_t {
    kString = 1,
    kDate = 2,    // i32 day number, 1 Jan 0001 = 1; size 8
    kBoolean = 4, // i16 0 / -1
    kInt16 = 5,
    kInt32 = 6,
    kDouble = 7,
    kBcd = 8,       // 18 bytes: precision, sign|decimals, 16 bytes packed digits
    kTime = 10,     // i32 ms since midnight
    kDateTime = 11, // double, day number * 86 400 000 + ms of day
    kUInt16 = 12,
    kFieldName = 254
};

// The comparison with its sides swapped ("5 < x" is "x > 5"); other
// operators are their own mirror.
constexpr int mirrored(int op)
{
    switch (op) {
    case kGreater:
        return kLess;
    case kLess:
        return kGreater;
    case kGreaterEqual:
        return kLessEqual;
    case kLessEqual:
        return kGreaterEqual;
    default:
        return op;
    }
}

// Day number of 30 Dec 1899 (base::TDateTime 0).
constexpr std::int32_t kDayNumberOfTDateTimeZero = 693594;

} // namespace dbe::filter::layout
