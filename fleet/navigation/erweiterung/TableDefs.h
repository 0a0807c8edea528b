#pragma once

#include <cstdint>
#include <memory>

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>

#include "dbe/DataSet.h"
#include "dbe/DataSource.h"
#include "navigation/daten/BookMarks.h"
#include "navigation/erweiterung/TableDefsHost.h"
#include "navigation/filter/DBVFilter.h"
#include "navigation/filter/FilterRecords.h"
#include "navigation/suche/SearchPattern.h"

namespace dbe {
class TField;
class TTable;
} // namespace dbe

namespace nav {

class NavViewForm;
class TTableViewForm;
class TSingleRecViewForm;

// A table lookup a table declares for one of its fields.
struct TLookupDefEntry {
    int fieldNo = 0;
    int type = 0;
    QString tableName;
};

// The extender's companion of one data set: it listens to the data source,
// keeps the data set's bookmarks, filter, index list, table lookups, last
// search and views, runs the value search and tells its host what changed.
class TTableDefs {
public:
    TTableDefs(TableDefsHost *host, dbe::TDataSource *source, dbe::TDataSet *dataSet);
    ~TTableDefs();
    TTableDefs(const TTableDefs &) = delete;
    TTableDefs &operator=(const TTableDefs &) = delete;

    // The source goes out of reach as soon as it is destroyed.
    dbe::TDataSource *DataSource() const;
    dbe::TDataSet *DataSet() const { return dataSet_; }
    // Binds the entry to another source; a switch between sources of the same
    // data set does not count as an active change.
    void SetSource(dbe::TDataSource *source);
    void Detach() { host_ = nullptr; }
    TableDefsHost *Host() const { return host_; }

    TBMManager &Bookmarks() { return *bookmarks_; }
    TDBVFilter &Filter() { return *filter_; }
    std::uint8_t FilterState() const { return filter_->State(); }
    // Once only: uses other's bookmark manager and filter instead of its own.
    void ShareWith(TTableDefs &other);
    bool Shared() const { return shared_; }
    // Takes over bookmarks, filter and search state of an entry that is replaced.
    void TakeOverState(TTableDefs &old);

    // Begin and end of the visible rows, tested on the record position
    // instead of the flags a move leaves behind.
    bool ExactAtBegin() const;
    bool ExactAtEnd() const;

    // Selectable indexes (captions and the index name behind each) and the
    // table lookups the table declares.
    void ReadDefinitions();
    const QStringList &IndexCaptions() const { return indexCaptions_; }
    const QStringList &IndexNames() const { return indexNames_; }
    int CurrentIndexEntry() const;
    void SetIndex(const QString &indexName);
    bool LookupDef(int fieldNo, int &type, QString &tableName) const;
    // The engine cursor identity when the entry last read the data set.
    quint32 CursorHandle() const { return cursorHandle_; }

    // Value search: an exact key seek, an indexed seek or a scan, whichever
    // fits. A miss leaves the data set where it was; Escape during a scan of
    // the data set leaves it where it stopped (EUserAbort propagates).
    bool SearchValue(const QString &fieldName, const QString &text, bool skipCurrent, bool fromStart,
                     bool incremental, bool down, bool ignoreCase);
    bool SearchNext();
    // SearchNext once in the given direction; the direction stays as it was.
    bool SearchNextReverse(bool down);
    const QString &SearchField() const { return searchField_; }
    const SearchPattern &Pattern() const { return pattern_; }
    bool SearchDown() const { return searchDown_; }
    void ClearSearch();

    void SetFilterActive(bool active);
    void ClearFilter();
    void ReadFilterDef(TFilterDefinition &rows, int &count) const;
    void InstallFilterDef(const TFilterDefinition &rows, int count, bool activate);
    void SaveFilterToFile(const QString &name) const;
    void LoadFilterFromFile(const QString &name);

    // The table view and the single-record view of the data set, each with
    // the clone it shows (none when it shows the data set itself); busy while
    // it is being opened. The views and their clones are owned here.
    struct ViewSlot {
        QPointer<NavViewForm> view;
        std::unique_ptr<dbe::TTable> data;
        bool busy = false;
    };
    ViewSlot &TableViewSlot() { return tableView_; }
    ViewSlot &SingleRecViewSlot() { return singleRecView_; }
    // Closes and deletes the slot's view and frees its clone.
    void FreeView(ViewSlot &slot);
    // A modeless view closed: forget it and free its clone.
    void ViewClosed(NavViewForm *view);
    // The extender's form back from minimised and to the front.
    void ActivateOwnerForm();
    TTableViewForm *TableView() const;
    TSingleRecViewForm *SingleRecView() const;

    void PostIfEditing();
    void SetBookmarkOptions(bool keepOnlyIndex, bool useNonVisFields, bool allowMasterMove,
                            bool allowUserAbort);

private:
    class Link;
    void bindDataSet(dbe::TDataSet *dataSet);
    void bindFilterEvents();
    void reportFilter();
    bool exactSeek(dbe::TTable &table, const QString &text);
    bool indexedSeek(dbe::TTable &table, const dbe::TField &field, QString text);
    bool scanForValue(bool fromStart, bool skipCurrent);
    bool scanDataSet(const dbe::TField &field, bool fromStart, bool skipCurrent);
    void afterSearch(bool found);
    TTableDefsSettings settings() const;

    TableDefsHost *host_;
    // Data-link events are ignored while the entry is being made and while
    // an index is set.
    bool creating_ = true;
    bool ignoreEvents_ = false;
    bool notifyActive_ = true;
    dbe::TDataSet *dataSet_ = nullptr;
    quint32 cursorHandle_ = 0;
    std::unique_ptr<Link> link_;
    std::shared_ptr<TBMManager> bookmarks_;
    std::shared_ptr<TDBVFilter> filter_;
    bool shared_ = false;
    QStringList indexCaptions_, indexNames_;
    QList<TLookupDefEntry> lookupDefs_;
    QString searchField_;
    SearchPattern pattern_;
    bool searchDown_ = true;
    ViewSlot tableView_, singleRecView_;
};

} // namespace nav
