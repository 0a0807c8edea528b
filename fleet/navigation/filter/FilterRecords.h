#pragma once

#include <array>
#include <cstdint>
#include <cstring>

#include <QByteArray>
#include <QString>

#include "navigation/filter/FilterField.h"

// The records of a filter-expression tree, kept byte for byte as the engine
// buffer and the ".TFD" file hold them (little-endian).
namespace nav {

constexpr int kMaxFilterNodes = 70;
constexpr int kMaxFilterOperands = 70;
constexpr int kMaxFilterRows = 10;

// Node classes.
enum FilterNodeClass : std::int32_t {
    nodeUnary = 1,
    nodeBinary = 2,
    nodeCompare = 3,
    nodeField = 4,
    nodeConst = 5,
};

// Engine operator codes.
enum FilterOperator : std::int32_t {
    opBlank = 1,
    opNotBlank = 2,
    opEq = 3,
    opNe = 4,
    opGt = 5,
    opLt = 6,
    opGe = 7,
    opLe = 8,
    opNot = 9,
    opAnd = 10,
    opOr = 11,
    opField = 13,
    opConst = 14,
    opLike = 30,
};

// Engine data types of operands.
enum EngineType : std::uint8_t {
    etString = 1,
    etDate = 2,
    etBoolean = 4,
    etInt16 = 5,
    etInt32 = 6,
    etFloat = 7,
    etBCD = 8,
    etTime = 10,
    etTimeStamp = 11,
    etUInt16 = 12,
    etFieldName = 254,
};

// Match marks of a constant.
enum MatchMark : std::uint8_t { markExact = 0, markTrailing = 1, markLeading = 2 };

// Little-endian access to fixed-size byte records.
template <std::size_t N> struct ByteRecord {
    std::array<std::uint8_t, N> raw{};

    std::uint16_t u16(std::size_t at) const
    {
        return static_cast<std::uint16_t>(raw[at] | (raw[at + 1] << 8));
    }
    void setU16(std::size_t at, std::uint16_t v)
    {
        raw[at] = static_cast<std::uint8_t>(v & 0xFF);
        raw[at + 1] = static_cast<std::uint8_t>(v >> 8);
    }
    std::int32_t i32(std::size_t at) const
    {
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i)
            v = (v << 8) | raw[at + i];
        return static_cast<std::int32_t>(v);
    }
    void setI32(std::size_t at, std::int32_t value)
    {
        auto v = static_cast<std::uint32_t>(value);
        for (int i = 0; i < 4; ++i, v >>= 8)
            raw[at + i] = static_cast<std::uint8_t>(v & 0xFF);
    }
    bool operator==(const ByteRecord &) const = default;
};

// One node: class int32 @0, operator int32 @4, payload by class from @8.
struct TFilterNode : ByteRecord<18> {
    static constexpr std::size_t kSize = 18;

    std::int32_t nodeClass() const { return i32(0); }
    std::int32_t op() const { return i32(4); }

    static TFilterNode unary(std::int32_t op, std::uint16_t operand);
    static TFilterNode binary(std::int32_t op, std::uint16_t left, std::uint16_t right);
    static TFilterNode compare(std::int32_t op, std::uint16_t partialLength, std::uint16_t left,
                               std::uint16_t right);
    static TFilterNode field(std::uint16_t fieldNo, std::uint16_t nameOperand);
    static TFilterNode constant(std::uint16_t engineType, std::uint16_t size, std::uint16_t operand);
};

// One operand: size u16 @0, offset u16 @2, mark u8 @4, type u8 @5, value 256 bytes @6.
struct TFilterOperand : ByteRecord<262> {
    static constexpr std::size_t kSize = 262;
    static constexpr std::size_t kValueAt = 6;
    static constexpr std::size_t kValueSize = 256;

    std::uint16_t size() const { return u16(0); }
    void setSize(std::uint16_t v) { setU16(0, v); }
    std::uint16_t offset() const { return u16(2); }
    void setOffset(std::uint16_t v) { setU16(2, v); }
    std::uint8_t mark() const { return raw[4]; }
    void setMark(std::uint8_t v) { raw[4] = v; }
    std::uint8_t type() const { return raw[5]; }
    void setType(std::uint8_t v) { raw[5] = v; }
    std::uint8_t *value() { return raw.data() + kValueAt; }
    const std::uint8_t *value() const { return raw.data() + kValueAt; }
};

// Short strings (length byte + characters) in the single-byte encoding of stored files.
QByteArray toShortStringBytes(const QString &text, int maxLength = 255);
void writeShortString(std::uint8_t *target, const QString &text, int maxLength = 255);
QString readShortString(const std::uint8_t *source);

// One filter row as callers pass it.
struct TFilterZeile {
    QString FeldName;              // at most 63 characters
    std::int32_t Operator = 0;     // 1..8
    QString Wert;                  // at most 255 characters; a trailing ".." marks a prefix match
    std::int32_t Verknuepfung = 0; // link to the next row: 10 "Und", 11 "Oder"
};

using TFilterDefinition = std::array<TFilterZeile, kMaxFilterRows>;

// One row as the filter dialog holds it and as a tree is turned back into rows.
struct TFilterEditRow {
    QString name;              // the field's DisplayLabel
    std::uint8_t dataType = 0; // field type code of the operand
    std::int32_t op = 0;
    std::array<std::uint8_t, 256> value{}; // operand text as short string, or native value
    std::uint8_t mark = 0;
    std::int32_t link = 0;

    QString valueText() const { return readShortString(value.data()); }
};

using TFilterEditRows = std::array<TFilterEditRow, kMaxFilterRows>;

} // namespace nav
