#include "navigation/daten/BookMarks.h"

#include "dbe/Table.h"
#include "navigation/daten/BookmarkNumbering.h"
#include "navigation/daten/DataSetHelpers.h"
#include "navigation/daten/MasterRecord.h"
#include "navigation/gemeinsam/NavExceptions.h"

namespace nav {

namespace {

// Which fields a bookmark keeps: every (visible) data field, the index
// fields, or the first maxFields fields.
std::vector<dbe::TField *> keptFields(const dbe::TDataSet &dataSet, bool keepOnlyIndex, bool useNonVisFields,
                                      int maxFields)
{
    std::vector<dbe::TField *> fields;
    if (!keepOnlyIndex) {
        for (int i = 0; i < dataSet.FieldCount(); ++i) {
            dbe::TField *f = dataSet.Fields(i);
            if (f->FieldKind() == dbe::TFieldKind::fkData && (useNonVisFields || f->Visible()))
                fields.push_back(f);
        }
        return fields;
    }
    const auto *table = dynamic_cast<const dbe::TTable *>(&dataSet);
    const QStringList indexFields = table ? table->IndexFields() : QStringList();
    if (!indexFields.isEmpty()) {
        for (const QString &name : indexFields)
            if (dbe::TField *f = dataSet.FindField(name))
                fields.push_back(f);
        return fields;
    }
    for (int i = 0; i < std::min(maxFields, dataSet.FieldCount()); ++i)
        fields.push_back(dataSet.Fields(i));
    return fields;
}

} // namespace

TBMItem::TBMItem(dbe::TDataSet *dataSet, bool useNonVisFields, bool keepOnlyIndex, int number)
    : DataSet(dataSet), Number(number), KeepOnlyIndex(keepOnlyIndex), UseNonVisFields(useNonVisFields)
{
    if (!dataSet)
        throw EDBVBookMarks(QStringLiteral("Keine Tabelle für Lesezeichen definiert"));
    try {
        Bookmark = dataSet->GetBookmark();
    } catch (const dbe::EDatabaseError &) {
        Bookmark = dbe::TBookmark();
    }
    if (Bookmark.IsNull())
        throw EDBVBookMarks(QStringLiteral("Lesezeichen konnte nicht erzeugt werden"));
    RefreshValues();
}

TBMItem::~TBMItem()
{
    if (DataSet)
        DataSet->FreeBookmark(Bookmark);
}

void TBMItem::RefreshValues()
{
    Values.clear();
    if (!DataSet)
        return;
    for (dbe::TField *f : keptFields(*DataSet, KeepOnlyIndex, UseNonVisFields, MaxFields))
        Values << f->DisplayText();
}

bool TBMItem::GotoItem(bool raiseErrors, bool allowMasterMove, bool allowUserAbort)
{
    if (!DataSet)
        return false;
    try {
        try {
            DataSet->GotoBookmark(Bookmark);
            return true;
        } catch (const dbe::EDatabaseError &) {
            auto *table = dynamic_cast<dbe::TTable *>(DataSet);
            if (!allowMasterMove || !table)
                throw;
            // The record is outside the current view: a clone without the
            // master range reaches it, and the masters follow.
            std::unique_ptr<dbe::TTable> clone = CloneTable(*table, true, true, true);
            clone->GotoBookmark(Bookmark);
            return FindMasterRecord(table, clone.get(), allowUserAbort);
        }
    } catch (...) {
        if (raiseErrors)
            throw;
        return false;
    }
}

TBMManager::TBMManager(dbe::TDataSet *dataSet, bool allowUserAbort, bool allowMasterMove,
                       bool useNonVisFields, bool keepOnlyIndex)
    : AllowMasterMove(allowMasterMove), AllowUserAbort(allowUserAbort), dataSet_(dataSet),
      useNonVisFields_(useNonVisFields), keepOnlyIndex_(keepOnlyIndex)
{
}

TBMManager::~TBMManager()
{
    dataSet_ = nullptr;
    Clear();
}

void TBMManager::SetDataSet(dbe::TDataSet *dataSet)
{
    if (dataSet == dataSet_)
        return;
    Clear();
    dataSet_ = dataSet;
}

void TBMManager::SetKeepOnlyIndex(bool value)
{
    if (value == keepOnlyIndex_)
        return;
    Clear();
    keepOnlyIndex_ = value;
}

void TBMManager::SetUseNonVisFields(bool value)
{
    if (value == useNonVisFields_)
        return;
    Clear();
    useNonVisFields_ = value;
}

void TBMManager::Clear()
{
    items_.clear();
}

int TBMManager::IndexOf(int number) const
{
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i]->Number == number)
            return static_cast<int>(i);
    return -1;
}

int TBMManager::Find(int number, TBMItem *&item) const
{
    const int index = IndexOf(number);
    item = index < 0 ? nullptr : items_[static_cast<std::size_t>(index)].get();
    return index;
}

void TBMManager::SetBookmark(int number)
{
    if (!dataSet_)
        return;
    auto item = std::make_unique<TBMItem>(dataSet_, useNonVisFields_, keepOnlyIndex_, number);
    auto at = items_.begin();
    while (at != items_.end() && (*at)->Number < number)
        ++at;
    if (at != items_.end() && (*at)->Number == number)
        *at = std::move(item);
    else
        items_.insert(at, std::move(item));
}

int TBMManager::AddBookmark()
{
    if (!dataSet_)
        return -1;
    const int number = items_.empty() ? 1 : items_.back()->Number + 1;
    items_.push_back(std::make_unique<TBMItem>(dataSet_, useNonVisFields_, keepOnlyIndex_, number));
    return number;
}

void TBMManager::DeleteBookmark(int number)
{
    const int index = IndexOf(number);
    if (index >= 0)
        items_.erase(items_.begin() + index);
}

bool TBMManager::GotoBookmark(int number, bool raiseErrors)
{
    TBMItem *item = nullptr;
    if (Find(number, item) < 0)
        return false;
    return item->GotoItem(raiseErrors, AllowMasterMove, AllowUserAbort);
}

void TBMManager::Renumber(int from, int to)
{
    renumberSorted(items_, from, to, [](std::unique_ptr<TBMItem> &item) -> int & { return item->Number; });
}

void TBMManager::GetFieldNames(QStringList &list) const
{
    list.clear();
    if (!dataSet_)
        return;
    for (dbe::TField *f : keptFields(*dataSet_, keepOnlyIndex_, useNonVisFields_, 5))
        list << f->FieldName();
}

} // namespace nav
