#pragma once

#include <cstdint>
#include <memory>

#include <QString>
#include <QStringList>

#include "dbe/DataSet.h"
#include "dbe/DataSource.h"
#include "navigation/BookMarks.h"
#include "navigation/DBVFilter.h"
#include "navigation/FilterRecords.h"
#include "navigation/SearchPattern.h"

namespace nav {

class TDBVexarion;

// The extender's companion of one data set: it listens to the data source,
// keeps the data set's bookmarks, filter, index list and last search, and
// tells the extender what changed.
class TTableDefs {
public:
    TTableDefs(TDBVexarion *extender, dbe::TDataSource *source, dbe::TDataSet *dataSet);
    ~TTableDefs();
    TTableDefs(const TTableDefs &) = delete;
    TTableDefs &operator=(const TTableDefs &) = delete;

    dbe::TDataSource *DataSource() const { return source_; }
    dbe::TDataSet *DataSet() const { return dataSet_; }
    // Binds the entry to another source of the same data set.
    void SetDataSource(dbe::TDataSource *source);
    void Detach() { extender_ = nullptr; }

    TBMManager &Bookmarks() { return *bookmarks_; }
    TDBVFilter &Filter() { return filter_; }
    std::uint8_t FilterState() const { return filter_.State(); }

    // Begin and end of the visible rows, tested on the record position
    // instead of the flags a move leaves behind.
    bool ExactAtBegin() const;
    bool ExactAtEnd() const;

    // Selectable indexes: captions and the index name behind each.
    void ReadDefinitions();
    const QStringList &IndexCaptions() const { return indexCaptions_; }
    const QStringList &IndexNames() const { return indexNames_; }
    int CurrentIndexEntry() const;
    void SetIndex(const QString &indexName);

    // Value search; the data set stays where it was when nothing is found.
    bool SearchValue(const QString &fieldName, const QString &text, bool down, bool ignoreCase,
                     bool fromStart, bool skipCurrent);
    bool SearchNext(bool reverse);
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

    void PostIfEditing();
    void SetBookmarkOptions(bool keepOnlyIndex, bool useNonVisFields, bool allowMasterMove,
                            bool allowUserAbort);

private:
    class Link;
    void bindDataSet(dbe::TDataSet *dataSet);
    void reportFilter();

    TDBVexarion *extender_;
    // Data-link events are ignored while the entry is being made.
    bool creating_ = true;
    dbe::TDataSource *source_ = nullptr;
    dbe::TDataSet *dataSet_ = nullptr;
    std::unique_ptr<Link> link_;
    std::unique_ptr<TBMManager> bookmarks_;
    TDBVFilter filter_;
    QStringList indexCaptions_, indexNames_;
    QString searchField_;
    SearchPattern pattern_;
    bool searchDown_ = true;
};

} // namespace nav
