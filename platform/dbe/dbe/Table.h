#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include "dbe/DataSet.h"
#include "dbe/Schema.h"

namespace dbe {

class TEngineCursor;

// A stored table (or a text file described by a ".SCH" schema beside it) as
// a dataset: ordered by its primary key, a named index or IndexFieldNames,
// with key search, ranges, master-detail links and whole-table locks.
class TTable : public TDataSet {
public:
    explicit TTable(TSession *session = nullptr);
    ~TTable() override;

    // Alias or directory path; table file name with or without extension, any case.
    QString DatabaseName() const { return databaseName_; }
    void SetDatabaseName(const QString &name);
    QString TableName() const { return tableName_; }
    void SetTableName(const QString &name);
    // True when the table exists (or is in the catalogue and can be created).
    bool Exists() const;
    // Creates the table from a definition (or from the catalogue when def is null).
    void CreateTable(const TableDef *def = nullptr);

    // Order: a named index ("" = primary key) or a list of fields ("A;B").
    QString IndexName() const { return indexName_; }
    void SetIndexName(const QString &name);
    QString IndexFieldNames() const { return indexFieldNames_; }
    void SetIndexFieldNames(const QString &names);
    // The primary index (empty name) first, then the named indexes.
    QList<IndexDef> IndexDefs() const;
    QStringList GetIndexNames() const;
    // Fields of the active order without the tie-break.
    QStringList IndexFields() const;
    int IndexFieldCount() const { return static_cast<int>(IndexFields().size()); }

    // Master-detail: the detail shows the rows whose leading index fields
    // equal the master's MasterFields ("KfzNr" or "A;B").
    TDataSource *MasterSource() const { return masterSource_; }
    void SetMasterSource(TDataSource *source);
    QString MasterFields() const { return masterFields_; }
    void SetMasterFields(const QString &fields);

    // The tables that follow this dataset as details, through any of its data sources.
    static std::vector<TTable *> DetailsOf(const TDataSet &master);

    // Key search on the active index. Values compare field by field; fewer
    // values than index fields search the leading part; blank equals blank.
    bool FindKey(const QVariantList &values);
    void FindNearest(const QVariantList &values);
    void SetKey();
    void EditKey();
    bool GotoKey();
    void GotoNearest();
    // Number of key fields GotoKey/GotoNearest use (0 = all that were set).
    int KeyFieldCount() const { return keyFieldCount_; }
    void SetKeyFieldCount(int count) { keyFieldCount_ = count; }

    // Ranges on the active index.
    void SetRangeStart();
    void SetRangeEnd();
    void EditRangeStart();
    void EditRangeEnd();
    void ApplyRange();
    void CancelRange();
    void SetRange(const QVariantList &startValues, const QVariantList &endValues);
    bool KeyExclusive() const { return keyExclusive_; }
    void SetKeyExclusive(bool exclusive) { keyExclusive_ = exclusive; }

    // Deletes with one statement every stored row whose leading fields of the active index lie
    // between low and high (inclusive, as SetRange), whatever this table's range, master link and
    // filters show. No per-row events run: rules that must see each row read it first. Takes the
    // table's write lock as a post does; inside a transaction of the session the deletion is part of
    // it. The table then stands on the nearest remaining row. Returns the number of rows deleted.
    int DeleteRange(const QVariantList &low, const QVariantList &high);
    // As DeleteRange, without reading this table's rows again: until the caller refreshes the table
    // or its master moves, it may still stand on a row that is gone. For a deletion that such a move
    // follows at once, as a master row's deletion that its details' rows precede.
    int DeleteRangeUnread(const QVariantList &low, const QVariantList &high);

    // Positions this table on the current row of another table on the same table file.
    void GotoCurrent(TTable &other);

    // Whole-table write lock between processes; fails at once when held elsewhere.
    void LockTable();
    void UnlockTable();
    bool Exclusive() const { return exclusive_; }
    void SetExclusive(bool exclusive);
    // Removes every row; the table must be closed or opened exclusively.
    void EmptyTable();
    // Rows are committed at Post already; kept for callers that write through.
    void FlushBuffers() {}

    // The engine cursor of the open table; a new object each time it opens.
    TEngineCursor *Handle() const { return engineCursor_.get(); }

    // Internal.
    QString tableKey() const; // canonical directory + table name
    bool isTextTable() const;

protected:
    std::unique_ptr<detail::Cursor> openCursor() override;
    void closeCursor() override;
    void initNewRecord() override;
    void afterCursorOpened() override;

private:
    friend class MasterLink;
    void masterChanged(bool force);
    void prefetchForMaster(std::vector<detail::Database *> &held);
    void masterFieldValues(QVariantList &values);
    bool typeLinkValues(QVariantList &values);
    bool masterStillAt(const QVariantList &values) const;
    void applyOrder();
    void changeOrder(const std::function<void()> &change);
    void setKeyState(int which, bool clear);
    bool seekKey(const QVariantList &values, bool nearest, int fieldCount);
    QVariantList keyValues(const Record &keyRecord, int count) const;

    QString databaseName_, tableName_, indexName_, indexFieldNames_, masterFields_;
    struct FieldList {
        mutable QString from;
        mutable QStringList names;
        mutable bool blank = true; // the text holds no name
        const QStringList &of(const QString &text) const;
    };
    FieldList indexFieldList_, masterFieldList_;
    TDataSource *masterSource_ = nullptr;
    std::unique_ptr<TDataLink> masterLink_;
    QVariantList masterValues_;
    bool masterValuesSet_ = false;
    // The master's fields of MasterFields, found once while the master's fields stay the same.
    struct MasterFieldsFound {
        const TDataSet *master = nullptr;
        quint64 epoch = 0;
        std::vector<TField *> fields;
    } masterFieldsFound_;
    // The key fields that give the master's values this table's types, found once per open
    // cursor and order (names: the index fields they were found for; null: not declared).
    struct LinkTyping {
        QStringList names;
        std::vector<TField *> fields;
    } linkTyping_;
    // What the read-ahead of a master's move made of the master's values, taken up by the move
    // itself while the cursor's view has not changed since (version).
    struct ReadAhead {
        bool set = false;
        QVariantList from, typed;
        quint64 version = 0;
    } readAhead_;
    int keyFieldCount_ = 0;
    bool keyExclusive_ = false;
    bool exclusive_ = false;
    bool locked_ = false;
    // Key buffers: 0 search key, 1 range start, 2 range end.
    Record keyBuffers_[3];
    int keyFieldsSet_[3] = {0, 0, 0};
    int keyBufferInUse_ = -1;
    QVariantList rangeStart_, rangeEnd_;
    bool rangeActive_ = false;
    std::unique_ptr<TEngineCursor> engineCursor_;
    std::unique_ptr<class TableLockHolder> lockHolder_;
};

} // namespace dbe
