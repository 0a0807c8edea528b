#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

#include "dbe/DataSource.h"
#include "dbe/Errors.h"
#include "dbe/Field.h"
#include "dbe/FieldTotals.h"
#include "dbe/Record.h"

namespace dbe {

class TSession;
namespace detail {
class Cursor;
struct RowClaim;
} // namespace detail
namespace filter {
class FilterText;
}

enum class TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert, dsSetKey, dsCalcFields, dsFilter };

// What an error handler (OnPostError, OnDeleteError, OnEditError) decides.
enum class TDataAction { daFail, daAbort, daRetry };

enum TLocateOption : unsigned { loCaseInsensitive = 1, loPartialKey = 2 };

// A position that can be returned to: the row's identity. Invalid when empty.
struct TBookmark {
    qint64 rowId = 0;
    bool IsNull() const { return rowId == 0; }
    bool operator==(const TBookmark &) const = default;
};

// The dataset: fields, states, navigation over the visible rows, editing with
// the class library's events, data sources and their links. TTable is the
// dataset over a stored table or a text file.
class TDataSet {
public:
    explicit TDataSet(TSession *session = nullptr);
    virtual ~TDataSet();
    TDataSet(const TDataSet &) = delete;
    TDataSet &operator=(const TDataSet &) = delete;

    using Event = std::function<void(TDataSet &)>;
    using ErrorEvent = std::function<void(TDataSet &, EDatabaseError &, TDataAction &)>;
    using FilterEvent = std::function<void(TDataSet &, bool &)>;

    // Component name (used in messages and captions).
    QString Name() const { return name_; }
    void SetName(const QString &name) { name_ = name; }
    TSession &Session() const { return *session_; }
    void SetSession(TSession *session);

    // Open/close.
    void Open();
    void Close();
    bool Active() const { return state_ != TDataSetState::dsInactive; }
    void SetActive(bool active);
    TDataSetState State() const { return state_; }

    // Fields. Without declared (persistent) fields, opening creates one field
    // per physical field; declared ones fix the subset and the order.
    int FieldCount() const { return static_cast<int>(fields_.size()); }
    TField *Fields(int index) const { return fields_.at(static_cast<size_t>(index)); }
    TField *FieldByName(const QString &name) const; // raises when there is none
    TField *FindField(const QString &name) const;   // any case; null when none
    TField *FieldByNumber(int fieldNo) const;       // physical number, 1-based
    // Declares a persistent data field (type and size come from the table).
    TField *AddField(const QString &name);
    TField *AddCalculatedField(const QString &name, TFieldType type, int size = 0);
    TField *AddLookupField(const QString &name, const QString &keyFields, TDataSet *lookupDataSet,
                           const QString &lookupKeyFields, const QString &lookupResultField,
                           TFieldType type = TFieldType::ftString, int size = 0);
    // Removes the declared fields (the dataset must be closed).
    void ClearFields();
    // The physical fields of the open table.
    QList<FieldDef> FieldDefs() const;
    // Moves a field within the field list (TField::SetIndex).
    void MoveField(TField *field, int newIndex);

    // Navigation over the visible rows (range, master link and filters applied).
    void First();
    void Last();
    void Next();
    void Prior();
    int MoveBy(int distance);
    bool Bof() const { return bof_; }
    bool Eof() const { return eof_; }
    bool IsEmpty() const;
    // 1-based number of the current row among the visible rows; 0 when none.
    int RecNo() const;
    void SetRecNo(int recNo);
    int RecordCount() const;

    // Editing.
    void Insert();
    void Append();
    void Edit();
    void Post();
    void Cancel();
    void Delete();
    void Refresh();
    // Re-reads the current row (or its nearest neighbour when it is no longer
    // visible) without events, e.g. after a filter of the engine cursor changed.
    void Resync();
    // Controls write their pending values into the fields.
    void UpdateRecord();
    // Posts a pending edit when modified, else cancels it.
    void CheckBrowseMode();
    bool CanModify() const;
    bool Modified() const { return modified_; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);

    // Bookmarks.
    TBookmark GetBookmark() const;
    void GotoBookmark(const TBookmark &bookmark); // engine error when gone or not visible
    void FreeBookmark(TBookmark &bookmark) { bookmark = TBookmark(); }
    bool BookmarkValid(const TBookmark &bookmark) const;
    int CompareBookmarks(const TBookmark &a, const TBookmark &b) const;

    // Search without an index: exact and case-sensitive unless options say
    // otherwise; field names separated by ';'.
    bool Locate(const QString &keyFields, const QVariantList &values, unsigned options = 0);
    bool Locate(const QString &keyField, const QVariant &value, unsigned options = 0);
    // Value(s) of resultFields of the first row whose keyFields equal values;
    // the cursor does not move. Blank when none (a list for several fields).
    QVariant Lookup(const QString &keyFields, const QVariantList &values, const QString &resultFields) const;

    // Totals of numeric physical fields over the stored rows this dataset shows (range, master link,
    // filter text, filter trees and OnFilterRecord applied), read with one statement that fetches only
    // these fields: what a loop First/Next adding up AsFloat (and AsCurrency) gives, without reading
    // the other fields. inOrder false lets the storage read in its own order: the currency amounts and
    // the count stay the same, the double sums may differ in the last bits. A field that is text or a
    // blob is refused (engine error).
    TFieldTotals SumFields(const QStringList &fields, bool inOrder = true) const;
    // SumFields in order followed by Last, with one read of the storage where it can: a pending
    // change is posted first, the dataset is left on its last row with the events of Last. Without
    // rows it stays where it is and no scroll event runs.
    TFieldTotals SumFieldsToLast(const QStringList &fields);

    // Controls (data links) are not told while disabled; data events still fire.
    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return disableCount_ > 0; }

    // Filter text and record filter; both apply while Filtered is on.
    QString Filter() const { return filterText_; }
    void SetFilter(const QString &text);
    bool Filtered() const { return filtered_; }
    void SetFiltered(bool filtered);

    // Rows on demand for grids: the values of the field list (calculated and
    // lookup fields included) of the recNo-th visible row; the cursor does not
    // move. False when there is no such row.
    bool ReadRecord(int recNo, QVariantList &values) const;
    QVariant RecordValue(int recNo, const TField *field) const;
    QString RecordText(int recNo, const TField *field, bool display = true) const;

    // Events, in the class library's order. A base::SilentAbort thrown from a
    // Before event cancels the operation quietly.
    Event BeforeOpen, AfterOpen, BeforeClose, AfterClose;
    Event BeforeInsert, OnNewRecord, AfterInsert;
    Event BeforeEdit, AfterEdit;
    Event BeforePost, AfterPost;
    Event BeforeCancel, AfterCancel;
    Event BeforeDelete, AfterDelete;
    Event BeforeScroll, AfterScroll;
    Event BeforeRefresh, AfterRefresh;
    Event OnCalcFields;
    ErrorEvent OnPostError, OnDeleteError, OnEditError;
    FilterEvent OnFilterRecord;

    // Internal: the session goes away before the dataset (program end).
    void detachSession() { session_ = nullptr; }
    // Internal: the record the fields read and write, data sources, row access.
    Record &activeRecord();
    const Record &activeRecord() const;
    bool hasCurrentRecord() const;
    void fieldChanged(TField *field);
    void dataEvent(TDataEvent event, long long info = 0);
    void addDataSource(TDataSource *source);
    void removeDataSource(TDataSource *source);
    const std::vector<TDataSource *> &dataSources() const { return dataSources_; }
    // Changes whenever this dataset's fields may be dropped or made anew (no two datasets share a
    // value): a field looked up while it stays the same may be kept.
    quint64 fieldsEpoch() const { return fieldsEpoch_; }
    int physicalFieldCount() const;
    detail::Cursor *cursor() const { return cursor_.get(); }
    // Calculated and lookup values of a record (OnCalcFields runs on it).
    void calculateFields(Record &record) const;
    // Whether the record passes the dataset's record filter (OnFilterRecord).
    bool acceptsRecord(const Record &record) const;
    // Makes the stored row with this identity current (data events, no scroll
    // events); engine error "Datensatz nicht gefunden" when it is not visible.
    void syncToRow(qint64 rowId);
    // Runs fn with the fields reading the given record.
    void withRecord(const Record &record, const std::function<void()> &fn) const;

protected:
    // Subclasses make the cursor when opening and drop it when closing.
    virtual std::unique_ptr<detail::Cursor> openCursor() = 0;
    virtual void closeCursor() {}
    // Fills linked fields of a new record (master link) before OnNewRecord.
    virtual void initNewRecord() {}
    // Called after the cursor opened and the fields were bound.
    virtual void afterCursorOpened() {}

    void checkActive() const;
    void checkBrowseModeForMove();
    void setState(TDataSetState state);
    void positionChanged(int distance);
    void moveToEnd(bool last);
    // Whether the dataset still stands where its last First left it (the first row of the view
    // then, or no row), nothing moved or written since.
    bool standsOnFirstRead() const;
    // The physical slots of fields to be added up; text and blob fields are refused.
    std::vector<int> totalSlots(const QStringList &fields) const;
    // Makes a fetched row current (calculated fields, flags cleared).
    void setCurrentRecord(const Record &record);
    TField *addPersistentField(std::unique_ptr<TField> field);
    void bindFields();
    void rebuildFilter();
    void applyFilterChange(const std::function<void()> &undo);
    void resyncAfterChange();
    void runEvent(const Event &event);
    void doPost();
    void checkOperation(const std::function<void()> &operation, const ErrorEvent &handler);

    TSession *session_;
    QString name_;
    TDataSetState state_ = TDataSetState::dsInactive;
    std::vector<TField *> fields_; // field list in display order
    std::vector<std::unique_ptr<TField>> ownedFields_;
    quint64 fieldsEpoch_;
    std::unique_ptr<detail::Cursor> cursor_;
    Record current_; // the current row (or the row being edited/inserted)
    Record saved_;   // the row before edit/insert (for Cancel)
    // The row being edited, claimed against other workstations from Edit to Post, Cancel or close.
    std::unique_ptr<detail::RowClaim> claim_;
    bool rereadOnCancel_ = false;        // the stored row differs from saved_: Cancel reads it again
    mutable Record *override_ = nullptr; // record the fields read meanwhile
    bool hasCurrent_ = false;
    bool bof_ = true, eof_ = true;
    bool modified_ = false;
    bool readOnly_ = false;
    int disableCount_ = 0;
    bool pendingChange_ = false;
    int reentry_ = 0;
    QString filterText_;
    bool filtered_ = false;
    std::function<bool(const Record &)> filterTextPredicate_;
    std::vector<TDataSource *> dataSources_;
    bool insertAppend_ = false;
    Record *stateRecord_ = nullptr; // key buffer while in dsSetKey
    bool savedHasCurrent_ = false;
    int recordWidth_ = 0;
    bool hasComputedFields_ = false;    // calculated or lookup fields
    std::vector<TField *> fieldOfSlot_; // data field of each physical field (null when not declared)
    int busy_ = 0;                      // guards against re-entering the dataset's own operations
    struct FirstRead {
        quint64 version = 0; // the view's version then; 0 when the last move to an end was no First
        qint64 rowId = 0;    // the row First made current; 0 when there was none
    } firstRead_;
    mutable int recNo_ = 0;
    mutable quint64 recNoVersion_ = 0;
    mutable int count_ = -1;
    mutable quint64 countVersion_ = 0;
    mutable std::vector<Record> window_; // rows read for grids
    mutable int windowStart_ = 0;
    mutable quint64 windowVersion_ = 0;
    std::shared_ptr<filter::FilterText> filterProgram_;
    // The slots of the fields last added up, for the cursor they were looked up in.
    mutable const detail::Cursor *totalsCursor_ = nullptr;
    mutable QStringList totalNames_;
    mutable std::vector<int> totalSlots_;
};

} // namespace dbe
