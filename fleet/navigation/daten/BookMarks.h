#pragma once

#include <memory>
#include <vector>

#include <QStringList>

#include "dbe/DataSet.h"

// Numbered bookmarks of one data set, with the field texts of their records.
namespace nav {

class TBMItem {
public:
    // Bookmarks the data set's current record.
    TBMItem(dbe::TDataSet *dataSet, bool useNonVisFields, bool keepOnlyIndex, int number);
    ~TBMItem();
    TBMItem(const TBMItem &) = delete;
    TBMItem &operator=(const TBMItem &) = delete;

    void RefreshValues();
    // Goes to the bookmarked record; when the data set cannot show it, a
    // clone finds it and the masters are moved there (AllowMasterMove).
    bool GotoItem(bool raiseErrors, bool allowMasterMove, bool allowUserAbort);

    dbe::TDataSet *DataSet = nullptr;
    int Number = 0;
    dbe::TBookmark Bookmark;
    QStringList Values;
    int MaxFields = 5;
    bool KeepOnlyIndex = false;
    bool UseNonVisFields = false;
};

// The bookmarks of one data set, sorted by ascending, unique number.
class TBMManager {
public:
    TBMManager(dbe::TDataSet *dataSet, bool allowUserAbort, bool allowMasterMove, bool useNonVisFields,
               bool keepOnlyIndex);
    ~TBMManager();

    int Count() const { return static_cast<int>(items_.size()); }
    TBMItem &Items(int index) const { return *items_.at(static_cast<std::size_t>(index)); }

    dbe::TDataSet *DataSet() const { return dataSet_; }
    void SetDataSet(dbe::TDataSet *dataSet);
    bool KeepOnlyIndex() const { return keepOnlyIndex_; }
    void SetKeepOnlyIndex(bool value);
    bool UseNonVisFields() const { return useNonVisFields_; }
    void SetUseNonVisFields(bool value);

    void Clear();
    int IndexOf(int number) const;
    int Find(int number, TBMItem *&item) const;
    void SetBookmark(int number);
    int AddBookmark();
    void DeleteBookmark(int number);
    bool GotoBookmark(int number, bool raiseErrors);
    void Renumber(int from, int to);
    // Names of the fields whose texts the bookmarks keep.
    void GetFieldNames(QStringList &list) const;

    bool AllowMasterMove = true;
    bool AllowUserAbort = true;

private:
    dbe::TDataSet *dataSet_;
    bool useNonVisFields_;
    bool keepOnlyIndex_;
    std::vector<std::unique_ptr<TBMItem>> items_;
};

} // namespace nav
