#include "navigation/TableDefs.h"

#include "dbe/Table.h"
#include "navigation/DBVexarion.h"
#include "navigation/DataSetHelpers.h"
#include "navigation/NavExceptions.h"
#include "navigation/RecordSearch.h"
#include "navigation/UserFeedback.h"

namespace nav {

class TTableDefs::Link : public dbe::TDataLink {
public:
    explicit Link(TTableDefs &owner) : owner_(owner) {}

protected:
    void ActiveChanged() override
    {
        if (owner_.creating_)
            return;
        // Also when the source or its data set goes away: nothing dangles.
        owner_.source_ = DataSource();
        owner_.bindDataSet(DataSet());
        if (owner_.extender_)
            owner_.extender_->TableActiveChanged(owner_.source_);
    }
    void DataSetChanged() override
    {
        if (owner_.creating_)
            return;
        if (owner_.extender_)
            owner_.extender_->TableDataSetChanged(owner_.source_);
    }
    void DataSetScrolled(int distance) override
    {
        if (owner_.creating_)
            return;
        if (owner_.extender_)
            owner_.extender_->TableDataSetScrolled(owner_.source_, distance);
    }
    void EditingChanged() override
    {
        if (owner_.creating_)
            return;
        if (owner_.extender_)
            owner_.extender_->TableEditingChanged(owner_.source_);
    }

private:
    TTableDefs &owner_;
};

TTableDefs::TTableDefs(TDBVexarion *extender, dbe::TDataSource *source, dbe::TDataSet *dataSet)
    : extender_(extender), link_(std::make_unique<Link>(*this))
{
    const bool keepOnlyIndex = extender ? extender->BMKeepOnlyIndex : true;
    const bool useNonVis = extender ? extender->UseNonVisFields : true;
    bookmarks_ =
        std::make_unique<TBMManager>(nullptr, extender ? extender->AllowUserAbort : true,
                                     extender ? extender->AllowMasterMove : true, useNonVis, keepOnlyIndex);
    if (source) {
        source_ = source;
        link_->SetDataSource(source);
        bindDataSet(source->DataSet());
    } else {
        bindDataSet(dataSet);
    }
    creating_ = false;
}

TTableDefs::~TTableDefs()
{
    extender_ = nullptr;
    link_->SetDataSource(nullptr);
    filter_.BindFilterDataSet(static_cast<dbe::TDataSet *>(nullptr));
}

void TTableDefs::SetDataSource(dbe::TDataSource *source)
{
    source_ = source;
    link_->SetDataSource(source);
    if (source && source->DataSet() != dataSet_)
        bindDataSet(source->DataSet());
}

void TTableDefs::bindDataSet(dbe::TDataSet *dataSet)
{
    const bool same = dataSet == dataSet_;
    dataSet_ = dataSet;
    if (!same)
        bookmarks_->SetDataSet(dataSet);
    ReadDefinitions();
    ClearSearch();
    if (!same) {
        filter_.BindFilterDataSet(static_cast<dbe::TDataSet *>(nullptr));
        filter_.BindFilterDataSet(dataSet);
    }
    reportFilter();
}

void TTableDefs::reportFilter()
{
    if (extender_ && !creating_)
        extender_->TableFilterChanged(*this, source_);
}

bool TTableDefs::ExactAtBegin() const
{
    if (!dataSet_ || !dataSet_->Active() || dataSet_->IsEmpty())
        return true;
    return dataSet_->RecNo() <= 1;
}

bool TTableDefs::ExactAtEnd() const
{
    if (!dataSet_ || !dataSet_->Active() || dataSet_->IsEmpty())
        return true;
    const int recNo = dataSet_->RecNo();
    return recNo >= 1 && recNo >= dataSet_->RecordCount();
}

void TTableDefs::ReadDefinitions()
{
    indexCaptions_.clear();
    indexNames_.clear();
    auto *table = dynamic_cast<dbe::TTable *>(dataSet_);
    if (!table || table->TableName().isEmpty() || !table->Active())
        return;
    const QString driver = EngineCursorText(*table, CursorText::DriverName);
    if (driver == QLatin1String("ASCIIDRV"))
        return;
    const TDefaultIndexLabels labels = extender_ ? extender_->IndexNamesAs : TDefaultIndexLabels::dilIdxName;
    auto offer = [&](const QString &indexName, const QString &caption) {
        QString text = caption;
        bool show = true;
        if (extender_)
            extender_->GetIndexCaption(*table, indexName, caption, text, show);
        if (show && !text.isEmpty()) {
            indexCaptions_ << text;
            indexNames_ << indexName;
        }
    };
    if (driver != QLatin1String("PARADOX"))
        offer(QString(), QStringLiteral("Kein Index"));
    else if (labels == TDefaultIndexLabels::dilIdxName)
        offer(QString(), QStringLiteral("*Primär"));
    QList<dbe::IndexDef> defs;
    try {
        defs = table->IndexDefs();
    } catch (const std::exception &) {
        return;
    }
    for (const auto &def : defs) {
        QString caption;
        switch (labels) {
        case TDefaultIndexLabels::dilIdxName:
            caption = def.name;
            break;
        case TDefaultIndexLabels::dilFldNames:
            caption = def.fields.join(QLatin1Char(';'));
            break;
        case TDefaultIndexLabels::dilFldDisplayLabels: {
            QStringList shown;
            FillDisplayLabels(*table, def.fields, shown);
            caption = shown.join(QLatin1Char(';'));
            break;
        }
        }
        offer(def.name, caption);
    }
}

int TTableDefs::CurrentIndexEntry() const
{
    auto *table = dynamic_cast<dbe::TTable *>(dataSet_);
    if (!table)
        return -1;
    return static_cast<int>(indexNames_.indexOf(table->IndexName()));
}

void TTableDefs::SetIndex(const QString &indexName)
{
    if (auto *table = dynamic_cast<dbe::TTable *>(dataSet_))
        table->SetIndexName(indexName);
}

void TTableDefs::ClearSearch()
{
    searchField_.clear();
    pattern_ = SearchPattern();
}

bool TTableDefs::SearchValue(const QString &fieldName, const QString &text, bool down, bool ignoreCase,
                             bool fromStart, bool skipCurrent)
{
    searchField_ = fieldName;
    searchDown_ = down;
    pattern_ = SearchPattern(text, ignoreCase);
    if (!dataSet_ || !dataSet_->Active())
        return false;
    PostOrCancelEdit(*dataSet_);
    dbe::TField *field = dataSet_->FindField(fieldName);
    if (!field || !IsSearchableFieldType(field->DataType()))
        return false;

    const bool allowAbort = extender_ ? extender_->AllowUserAbort : true;
    const dbe::TBookmark start = dataSet_->GetBookmark();
    bool found = false;
    PushHourglass();
    dataSet_->DisableControls();
    try {
        auto atEnd = [&] { return down ? dataSet_->Eof() : dataSet_->Bof(); };
        auto step = [&] { down ? dataSet_->Next() : dataSet_->Prior(); };
        if (fromStart)
            down ? dataSet_->First() : dataSet_->Last();
        else if (!atEnd() && skipCurrent)
            step();
        while (!atEnd()) {
            if (pattern_.matches(field->AsString())) {
                found = true;
                break;
            }
            step();
            if (allowAbort)
                CheckUserAbort();
        }
    } catch (const EUserAbort &) {
        found = false;
    } catch (...) {
        dataSet_->EnableControls();
        PopHourglass();
        throw;
    }
    if (!found && !start.IsNull())
        dataSet_->GotoBookmark(start);
    dataSet_->EnableControls();
    PopHourglass();
    if (extender_)
        extender_->TableDataSetScrolled(source_, 0);
    return found;
}

bool TTableDefs::SearchNext(bool reverse)
{
    if (searchField_.isEmpty())
        return false;
    const bool down = reverse ? !searchDown_ : searchDown_;
    const QString field = searchField_;
    const SearchPattern pattern = pattern_;
    const bool keepDown = searchDown_;
    const bool found = SearchValue(field, pattern.text(), down, pattern.ignoreCase(), false, true);
    searchDown_ = keepDown;
    return found;
}

void TTableDefs::SetFilterActive(bool active)
{
    filter_.SetActive(active);
    if (dataSet_ && dataSet_->Active())
        dataSet_->Resync();
    reportFilter();
}

void TTableDefs::ClearFilter()
{
    if (!filter_.Added())
        return;
    filter_.SetAdded(false);
    if (dataSet_ && dataSet_->Active())
        dataSet_->Resync();
    reportFilter();
}

void TTableDefs::ReadFilterDef(TFilterDefinition &rows, int &count) const
{
    count = 0;
    filter_.GetFilterDefinition(&rows, count);
}

void TTableDefs::InstallFilterDef(const TFilterDefinition &rows, int count, bool activate)
{
    filter_.ApplyFilterDef(&rows, count, activate);
    reportFilter();
}

void TTableDefs::SaveFilterToFile(const QString &name) const
{
    filter_.SaveToFile(name);
}

void TTableDefs::LoadFilterFromFile(const QString &name)
{
    try {
        filter_.LoadFromFile(name);
    } catch (...) {
        reportFilter();
        throw;
    }
    reportFilter();
}

void TTableDefs::PostIfEditing()
{
    if (dataSet_ && (dataSet_->State() == dbe::TDataSetState::dsEdit ||
                     dataSet_->State() == dbe::TDataSetState::dsInsert))
        dataSet_->Post();
}

void TTableDefs::SetBookmarkOptions(bool keepOnlyIndex, bool useNonVisFields, bool allowMasterMove,
                                    bool allowUserAbort)
{
    bookmarks_->SetKeepOnlyIndex(keepOnlyIndex);
    bookmarks_->SetUseNonVisFields(useNonVisFields);
    bookmarks_->AllowMasterMove = allowMasterMove;
    bookmarks_->AllowUserAbort = allowUserAbort;
}

} // namespace nav
