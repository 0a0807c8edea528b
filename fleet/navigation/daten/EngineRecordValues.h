#pragma once

#include <QString>
#include <QVariant>

#include "dbe/EngineCursor.h"
#include "dbe/Field.h"

// Field values read straight from an engine cursor's record, without moving
// the data set.
namespace nav {

// Blob texts are read up to this many bytes.
constexpr int kMaxBlobTextBytes = 64000;

// The value in the form the field takes (date and time values as date-time numbers).
QVariant RecordValueToVariant(const QVariant &value, const dbe::TField &field);
// Copies field target's value of the cursor's record into target (blank clears it).
void ReadRecordFieldValue(const dbe::TEngineCursor &cursor, dbe::TField &target);
// Display text of a value for a field (logical values by DisplayValues,
// numbers with up to 15 digits, German dates and times).
QString FieldBufferToText(const QVariant &value, const dbe::TField &field);
// The part of a memo's text a search compares: its first 64000 bytes.
QString BlobSearchText(const QVariant &value);
// Text of a memo or blob field of the cursor's record: its first 64000 bytes.
QString ReadBlobText(const dbe::TEngineCursor &cursor, int fieldNo);

} // namespace nav
