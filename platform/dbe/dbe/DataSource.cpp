#include "dbe/DataSource.h"

#include "dbe/detail/Database.h"

#include <algorithm>

#include "dbe/DataSet.h"

namespace dbe {

TDataLink::~TDataLink()
{
    SetDataSource(nullptr);
}

void TDataLink::SetDataSource(TDataSource *source)
{
    if (source == dataSource_)
        return;
    if (dataSource_)
        dataSource_->removeLink(this);
    dataSource_ = source;
    if (dataSource_)
        dataSource_->addLink(this);
    updateState();
}

TDataSet *TDataLink::DataSet() const
{
    return dataSource_ ? dataSource_->DataSet() : nullptr;
}

void TDataLink::SetReadOnly(bool readOnly)
{
    if (readOnly == readOnly_)
        return;
    readOnly_ = readOnly;
    updateState();
}

bool TDataLink::Edit()
{
    if (dataSource_ && !readOnly_)
        dataSource_->Edit();
    return editing_;
}

void TDataLink::updateState()
{
    TDataSet *ds = DataSet();
    const bool active = ds && dataSource_->Enabled() && ds->Active();
    const bool editing = active &&
                         (ds->State() == TDataSetState::dsEdit || ds->State() == TDataSetState::dsInsert) &&
                         !readOnly_;
    if (active != active_) {
        active_ = active;
        editing_ = editing;
        ActiveChanged();
        return;
    }
    if (editing != editing_) {
        editing_ = editing;
        EditingChanged();
    }
}

void TDataLink::dataEvent(TDataEvent event, long long info)
{
    if (event == TDataEvent::deUpdateState) {
        updateState();
        return;
    }
    if (!active_)
        return;
    switch (event) {
    case TDataEvent::deFieldChange:
    case TDataEvent::deRecordChange:
        RecordChanged(reinterpret_cast<TField *>(info));
        break;
    case TDataEvent::deDataSetChange:
        DataSetChanged();
        break;
    case TDataEvent::deDataSetScroll:
        DataSetScrolled(static_cast<int>(info));
        break;
    case TDataEvent::deLayoutChange:
        LayoutChanged();
        break;
    case TDataEvent::deUpdateRecord:
        UpdateData();
        break;
    case TDataEvent::deCheckBrowseMode:
        CheckBrowseMode();
        break;
    case TDataEvent::deUpdateState:
        break;
    }
}

TDataSource::TDataSource(TDataSet *dataSet)
{
    SetDataSet(dataSet);
}

TDataSource::~TDataSource()
{
    for (TDataLink *l : std::vector<TDataLink *>(links_))
        l->SetDataSource(nullptr);
    SetDataSet(nullptr);
}

void TDataSource::SetDataSet(TDataSet *dataSet)
{
    if (dataSet == dataSet_)
        return;
    if (dataSet_)
        dataSet_->removeDataSource(this);
    dataSet_ = dataSet;
    if (dataSet_)
        dataSet_->addDataSource(this);
    dataEvent(TDataEvent::deUpdateState, 0);
}

void TDataSource::SetEnabled(bool enabled)
{
    enabled_ = enabled;
    dataEvent(TDataEvent::deUpdateState, 0);
}

TDataSetState TDataSource::State() const
{
    return dataSet_ ? dataSet_->State() : TDataSetState::dsInactive;
}

void TDataSource::Edit()
{
    if (autoEdit_ && dataSet_ && dataSet_->State() == TDataSetState::dsBrowse)
        dataSet_->Edit();
}

bool TDataSource::IsLinkedTo(TDataSet *dataSet) const
{
    return dataSet_ == dataSet;
}

void TDataSource::addLink(TDataLink *link)
{
    links_.push_back(link);
}

void TDataSource::removeLink(TDataLink *link)
{
    links_.erase(std::remove(links_.begin(), links_.end(), link), links_.end());
}

// Linked details read their first rows for the new master record ahead, all in one read
// transaction of their storage, before any of them is told (and runs its events).
void TDataSource::prefetch()
{
    std::vector<detail::Database *> held;
    for (TDataLink *l : links_) {
        try {
            l->prefetch(held);
        } catch (...) {
            // Reading ahead is only a head start: the detail reads again when told, and fails there.
        }
    }
    for (detail::Database *db : held)
        db->leaveReads();
}

void TDataSource::dataEvent(TDataEvent event, long long info)
{
    if (event == TDataEvent::deUpdateState) {
        if (OnStateChange)
            OnStateChange(*this);
    } else if (event == TDataEvent::deFieldChange || event == TDataEvent::deRecordChange ||
               event == TDataEvent::deDataSetChange || event == TDataEvent::deDataSetScroll) {
        if (OnDataChange)
            OnDataChange(*this,
                         event == TDataEvent::deFieldChange ? reinterpret_cast<TField *>(info) : nullptr);
    } else if (event == TDataEvent::deUpdateRecord && OnUpdateData) {
        OnUpdateData(*this, nullptr);
    }
    if (event == TDataEvent::deDataSetChange || event == TDataEvent::deDataSetScroll)
        prefetch();
    for (TDataLink *l : std::vector<TDataLink *>(links_))
        if (std::find(links_.begin(), links_.end(), l) != links_.end())
            l->dataEvent(event, info);
}

} // namespace dbe
