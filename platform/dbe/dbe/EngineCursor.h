#pragma once

#include <memory>

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QVariant>

#include "dbe/BlobStream.h"
#include "dbe/Record.h"
#include "dbe/Schema.h"

namespace dbe {

class TTable;

// The validity checks of one field as the engine describes them.
struct TValidityCheck {
    int fieldNo = 0; // 1-based
    bool required = false;
    QVariant minValue, maxValue, defaultValue;
    int lookupType = 0; // 0: no table lookup
    QString lookupTable;
};

namespace detail {
class Cursor;
}

// The engine's cursor of an open table, as the navigation set reaches it:
// properties, read-only clones with their own position, reading neighbouring
// records, sequence numbers, index definitions and filter trees. The cursor
// of a table itself always stands on the table's current record; reading the
// next or prior record through it does not move the table. A clone moves.
class TEngineCursor {
public:
    // Of an open table (Handle()).
    explicit TEngineCursor(TTable *table);
    ~TEngineCursor();
    TEngineCursor(const TEngineCursor &) = delete;
    TEngineCursor &operator=(const TEngineCursor &) = delete;

    // A number of its own for every engine cursor of the process (never
    // reused), so that callers notice a reopened table.
    quint32 HandleId() const { return id_; }
    // "PARADOX" for stored tables, "ASCIIDRV" for text-file tables.
    QString DriverName() const;
    QString TableName() const;
    QString IndexName() const;
    int RecordSize() const;
    bool SeqNumsSupported() const;
    bool IsClone() const { return table_ == nullptr; }
    int FieldCount() const;

    // A read-only clone over the same table, order, range and filters,
    // positioned before the first row.
    std::unique_ptr<TEngineCursor> Clone() const;

    // Positioning: before the first / after the last row (clones), onto
    // another cursor's current record (8710 "Datensatz nicht gefunden" when
    // that record is not visible here). A table's own cursor moves the table
    // (data events, no scroll events: the caller fires them).
    void SetToBegin();
    void SetToEnd();
    void SetToCursor(const TEngineCursor &source);
    // Reads the next/prior record: a clone moves to it, a table's cursor reads
    // it without moving. 8706 at the end, 8705 at the beginning.
    void GetNextRecord();
    void GetPriorRecord();
    // The current record; 8706/8705 when positioned on a crack.
    void GetRecord();

    // Field values of the record read last, by 1-based field number, with the blank flag.
    QVariant FieldValue(int fieldNo, bool &blank) const;
    // A blob or memo field of the record read last, read-only.
    TBlobStream OpenBlob(int fieldNo) const;
    // 1-based position of the current record among the visible rows;
    // 12289 for text-file tables.
    int SequenceNumber() const;
    int RecordCount() const;
    // The primary index (empty name) first, then the named indexes.
    QList<IndexDef> IndexDefs() const;
    // The ordinal-th (1-based) field with validity checks, in field order;
    // OutOfRange past the last. Table lookups come from the catalogue.
    TValidityCheck ValidityCheck(int ordinal) const;

    // Filter trees (expression buffers); every active one must hold. Adding
    // refuses a buffer that does not fit the table (engine error).
    int AddFilter(QByteArrayView expression);
    void DropFilter(int handle);
    void ActivateFilter(int handle);
    void DeactivateFilter(int handle);

private:
    TEngineCursor() = default;
    detail::Cursor *cursor() const;
    const Record &current() const;
    void filtersChanged();

    static quint32 nextId();
    quint32 id_ = nextId();
    TTable *table_ = nullptr;
    std::unique_ptr<detail::Cursor> own_; // clones
    QString tableName_, indexName_;
    Record record_; // record read last
    bool onRecord_ = false;
    int crack_ = -1; // clones off a record: -1 before first, 1 after last
    bool hasRead_ = false;
};

} // namespace dbe
