#pragma once

#include <cstdint>

#include <QString>

#include "navigation/gemeinsam/ShortCut.h"
#include "navigation/leiste/ExtenderTypes.h"

class QObject;

namespace dbe {
class TDataSet;
class TDataSource;
} // namespace dbe

namespace nav {

class TDBVNavigator;
class TDBVShortCuts;

// What a navigator bar asks of the extender it shows and drives; the bar
// knows its extender only through this.
class NavigatorHost {
public:
    // The object whose destruction ends the link.
    virtual QObject *HostObject() = 0;
    virtual void AddNavigator(TDBVNavigator *navigator) = 0;
    virtual void RemoveNavigator(TDBVNavigator *navigator) = 0;
    virtual void HandleNBBtn(TDBVNavigateBtn button, TShiftState shift, int info) = 0;

    virtual dbe::TDataSource *CurrentDataSource() = 0;
    virtual dbe::TDataSource *MasterSource() const = 0;
    virtual TStayOnMasterSource StayOnMasterSource() const = 0;
    virtual TInterfacesEnabledSet CurrentInterfaces() const = 0;
    virtual const Possibilities &Possible() const = 0;
    virtual bool IncSearchOn() const = 0;
    virtual bool ManageGlobalEdit() const = 0;
    virtual bool GlobalEdit() const = 0;
    virtual std::uint8_t FilterState() const = 0;
    virtual TAllowKeys AllowKeys() const = 0;
    virtual const TDBVShortCuts &ShortCuts() const = 0;

    // The filter popup's items.
    virtual void ClearTableFilter(dbe::TDataSet *dataSet) = 0;
    virtual void SaveTableFilter(dbe::TDataSet *dataSet, const QString &fileName) = 0;
    virtual void LoadTableFilter(dbe::TDataSet *dataSet, const QString &fileName) = 0;

protected:
    ~NavigatorHost() = default;
};

} // namespace nav
