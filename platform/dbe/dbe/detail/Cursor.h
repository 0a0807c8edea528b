#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <QString>
#include <QStringList>
#include <QVariantList>

#include "dbe/FieldTotals.h"
#include "dbe/Record.h"
#include "dbe/Schema.h"
#include "dbe/filter/FilterText.h"
#include "dbe/filter/FilterTree.h"
#include "dbe/lock/TableLocks.h"

namespace dbe::detail {

class Database;
struct TableInfo;

// A range on the leading order fields: rows whose key prefix lies between
// low and high (each compared over its own length; blank sorts first).
struct KeyRange {
    bool active = false;
    QVariantList low, high;
    bool lowExclusive = false, highExclusive = false;
};

// A row claimed for editing: its record lock between workstations, and what the storage said of
// other workstations' commits when it was claimed.
struct RowClaim {
    lock::LockHandle lock;
    bool claimed = false;
    qint64 externalCommits = 0;
};

// A filter tree added to a cursor, switched by its handle.
struct TreeFilter {
    int handle = 0;
    bool active = false;
    filter::FilterTree tree;
};

// The rows a dataset sees: a table in an order (fields, then the primary key,
// then the storage's row identity as the last tie-break), restricted by a
// key range and by filters. Navigation is by key: every move asks for the
// rows after or before a record, a page at a time, so the cursor never holds
// more than one page however large the table is.
class Cursor {
public:
    virtual ~Cursor() = default;

    virtual const TableDef &def() const = 0;
    virtual QString driverName() const = 0;
    virtual bool readOnly() const = 0;
    virtual std::unique_ptr<Cursor> clone() const = 0;
    virtual bool canWrite() const { return !readOnly(); }
    // Why the rows cannot be changed, in German (for a cursor that is read-only).
    virtual QString readOnlyText() const { return QStringLiteral("Datenmenge kann nicht geändert werden"); }
    // Changes whenever the rows the view shows may have changed (writes of
    // this or another process, filters, order, range).
    virtual quint64 version() = 0;
    // The same without asking the storage about other processes (cheap).
    virtual quint64 localVersion() const = 0;

    // View definition.
    virtual void setOrder(const QStringList &fields) = 0;
    const QStringList &orderFields() const { return orderFields_; }
    virtual void setRange(const KeyRange &range) = 0;
    const KeyRange &range() const { return range_; }
    // The dataset's filter text (bound to the table's fields; null = none)
    // and record filter (null = none).
    void setFilterText(std::shared_ptr<const filter::FilterText> text);
    void setPredicate(std::function<bool(const Record &)> predicate);
    std::vector<TreeFilter> &trees() { return trees_; }
    void filtersChanged();
    bool filtered() const;
    bool accepts(const Record &record) const;
    // Filter trees and filter text on any view of a row (no record filter).
    bool acceptsView(const filter::RecordAccessor &row) const;

    // Rows of the view in order.
    virtual bool first(Record &out) = 0;
    // The first row as a dataset opening asks for it: a cursor may leave the rows after it to be
    // read at the first step.
    virtual bool openFirst(Record &out) { return first(out); }
    virtual bool last(Record &out) = 0;
    virtual bool next(const Record &from, Record &out) = 0;
    virtual bool prior(const Record &from, Record &out) = 0;
    // First row whose leading key fields equal (exact) or are not below
    // (nearest) the given values.
    virtual bool seek(const QVariantList &key, bool nearest, Record &out) = 0;
    // A row by identity; false when it no longer exists.
    virtual bool fetch(qint64 rowId, Record &out) = 0;
    // Whether a stored row lies within the view (range and filters).
    virtual bool visible(const Record &record) = 0;
    virtual int count() = 0;
    // 1-based position of a visible row.
    virtual int position(const Record &record) = 0;
    // Rows from the recNo-th on (at most n).
    virtual void rowsAt(int recNo, int n, std::vector<Record> &out) = 0;
    // First row (in order) whose given fields equal the values; compare is
    // used instead of equality when set.
    virtual bool locate(const std::vector<int> &fields, const QVariantList &values,
                        const std::function<bool(const Record &)> &compare, Record &out) = 0;

    // Writing (SQL cursors only).
    virtual void insert(Record &record) = 0;
    virtual void update(const Record &record) = 0;
    // Claims a row for editing before it is read (refused when another workstation has claimed it);
    // cursors that cannot write claim nothing.
    virtual RowClaim claimRow(qint64 rowId)
    {
        (void)rowId;
        return {};
    }
    // The update of a claimed row; refused, the stored row left as it is, when another workstation
    // has changed or deleted the row since it was read (readAtClaim) under the claim.
    virtual void updateClaimed(const Record &record, const Record &readAtClaim, const RowClaim &claim)
    {
        (void)readAtClaim;
        (void)claim;
        update(record);
    }
    // Deletes a row; refused while another workstation has claimed it.
    virtual void remove(qint64 rowId) = 0;
    virtual void empty() = 0;
    // Deletes every stored row whose key in the order lies within range, whatever the view (range,
    // filters) shows; returns how many went. Refused, with nothing deleted, while another workstation
    // has claimed one of them.
    virtual int removeRange(const KeyRange &range);

    // Totals of the given fields (indexes) over the visible rows, in order or, when inOrder is false,
    // in whatever order the storage reads them fastest.
    virtual void totals(const std::vector<int> &fields, bool inOrder, TFieldTotals &out);
    // The totals in order and the last visible row (false when there is none), as totals and last()
    // one after the other give them.
    virtual bool totalsToLast(const std::vector<int> &fields, TFieldTotals &out, Record &lastRow);

    // Reads the first page of the view ahead, so that the next first() needs no statement; reads
    // of several cursors share one read transaction of each storage (held lists the storages whose
    // reads were entered; the caller leaves them).
    virtual void prefetchFirst(std::vector<Database *> &held) { (void)held; }

    // Key of a record in the order (order fields, primary key).
    QVariantList keyOf(const Record &record) const;

protected:
    QStringList orderFields_;
    std::vector<int> keyColumns_; // order fields then primary key fields (field indexes)
    KeyRange range_;
    std::function<bool(const Record &)> predicate_;
    std::shared_ptr<const filter::FilterText> filterText_;
    std::vector<TreeFilter> trees_;
    quint64 filterEpoch_ = 0;
};

std::unique_ptr<Cursor> makeSqlCursor(Database &db, std::shared_ptr<TableInfo> info,
                                      const QString &lockTable);
std::unique_ptr<Cursor> makeTextCursor(const QString &directory, const QString &fileName);
// The texts a read-only cursor over rows in memory answers with.
struct RowsCursorTexts {
    QString driverName;
    QString noIndex;  // an order or a key search was asked for
    QString readOnly; // a write was asked for
};
// Rows in memory (row identities 1, 2, ... in the given order), read-only.
std::unique_ptr<Cursor> makeRowsCursor(TableDef def, std::vector<Record> rows, RowsCursorTexts texts);

// A value as a total counts it (TField::AsFloat): blank is 0.
double totalValue(const QVariant &value);

// Three-way comparison of field values with blank first; texts in code-point order.
int compareValues(const QVariant &a, const QVariant &b);

} // namespace dbe::detail
