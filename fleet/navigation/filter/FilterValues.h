#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include <QString>

#include "navigation/filter/FilterField.h"
#include "navigation/filter/FilterRecords.h"

// Conversion between operand texts, native field values and filter operands.
namespace nav {

// A field value in its native form, as a filter row carries it.
using FieldValueBuffer = std::array<std::uint8_t, 256>;

// Day number of 30.12.1899 in the time-stamp counting (1 Jan 0001 = day 1).
constexpr std::int32_t kTimeStampDateDelta = 693594;
constexpr double kMsPerDay = 86400000.0;

// Engine data type of a field type; raises EDBVFilter for types a filter cannot take.
std::uint8_t EngineFieldType(TFieldType type);
// Value size of an engine type; 0 for strings (sized by their length) and unknown types.
std::uint16_t EngineTypeSize(std::uint8_t engineType);

// Reads the operand text typed for a field into its native value. The mark
// tells whether a trailing (1) or leading (2) ".." was taken off a string.
bool TextToFieldValue(const FilterFieldInfo &field, const QString &text, TFieldType &type, std::uint8_t &mark,
                      FieldValueBuffer &value);

// Constant operand from a native value; empty for field types a filter cannot take.
std::optional<TFilterOperand> NewConstOperand(const FilterFieldInfo &field, const FieldValueBuffer &value,
                                              std::uint8_t mark);
TFilterOperand NewNameOperand(const QString &name);

// Constant operand back to its field type, display text and mark; false for
// engine types without a text form.
bool OperandToText(const TFilterOperand &operand, TFieldType &type, QString &text, std::uint8_t &mark);

// The engine's BCD record: precision, sign bit | decimals, 32 packed digits.
std::array<std::uint8_t, 18> encodeBcd(const QString &decimalText, int decimals);
double bcdToDouble(const std::uint8_t *bcd);

// Time-stamp conversions of the date-time values.
std::int32_t timeStampDate(double dateTime);
std::int32_t timeStampTime(double dateTime);
double dateTimeFromTimeStamp(std::int32_t date, double msOfDay);

} // namespace nav
