// The master source: the data source the extender falls back on, and stays
// on if asked, watched so that its destruction is noticed.
#include "navigation/erweiterung/DBVexarion.h"

#include <functional>
#include <memory>

namespace nav {

namespace {

// Notices when the master source is destroyed.
class MasterWatch : public dbe::TDataLink {
public:
    explicit MasterWatch(std::function<void()> gone) : gone_(std::move(gone)) {}

protected:
    void ActiveChanged() override
    {
        if (!DataSource())
            gone_();
    }

private:
    std::function<void()> gone_;
};

} // namespace

void TDBVexarion::watchMasterSource()
{
    masterLink_ = std::make_unique<MasterWatch>([this] { masterSourceGone(); });
}

dbe::TDataSource *TDBVexarion::MasterSource() const
{
    if (masterSource_ && masterLink_->DataSource() != masterSource_)
        masterSourceGone();
    return masterSource_;
}

TStayOnMasterSource TDBVexarion::StayOnMasterSource() const
{
    return MasterSource() ? stayOnMasterSource_ : TStayOnMasterSource::somNo;
}

void TDBVexarion::masterSourceGone() const
{
    if (!masterSource_)
        return;
    if (currentSource_ == masterSource_)
        currentSource_ = nullptr;
    masterSource_ = nullptr;
    stayOnMasterSource_ = TStayOnMasterSource::somNo;
}

void TDBVexarion::SetMasterSource(dbe::TDataSource *source)
{
    if (source == MasterSource())
        return;
    if (currentSource_ == masterSource_)
        currentSource_ = source;
    masterSource_ = nullptr; // the switch of the watch is no loss
    masterLink_->SetDataSource(source);
    masterSource_ = source;
    if (source)
        registerSource(source);
    else
        stayOnMasterSource_ = TStayOnMasterSource::somNo;
    dataSetChangedFanOut(source);
}

void TDBVexarion::SetStayOnMasterSource(TStayOnMasterSource value)
{
    MasterSource(); // a destroyed master has reset the value
    if (value == stayOnMasterSource_)
        return;
    stayOnMasterSource_ = MasterSource() ? value : TStayOnMasterSource::somNo;
    if (MasterSource())
        registerSource(MasterSource());
    CheckPossibilities();
    dataSetChangedFanOut(CurrentDataSource());
}

} // namespace nav
