#pragma once

#include "formulare/HauptNavigation.h"

namespace dbe {
class TDataSet;
}

namespace nav {
class TDBVexarion;
class TDBVNavigator;
} // namespace nav

namespace fleet {

// The main window's navigation over the navigation set: the extender
// TDBVexarionMain and its bar TDBVNavMain. Commands run through the bar, so
// the extender's before and after events run for menu commands as for clicks.
class HauptNavigationsSatz : public HauptNavigation {
public:
    HauptNavigationsSatz(nav::TDBVexarion &extender, nav::TDBVNavigator &leiste, dbe::TDataSet &fahrzeuge);

    bool GlobalEdit() const override;
    bool FilterAktiv() const override;
    unsigned AllowKeys() const override;
    void SetAllowKeys(unsigned keys) override;
    void SetManageGlobalEdit(bool manage) override;
    void SetTableIndex(dbe::TTable &table, const QString &indexName) override;
    void ClickNavButton(nav::TDBVNavigateBtn button) override;
    void NavigatorFreigeben(bool freigeben) override;
    bool Moeglich(nav::TDBVNavigateBtn button) const override;
    void FilterAnwenden(const nav::TFilterDefinition &definition, int anzahl) override;
    void FilterLoeschen() override;
    void SetStayOnMasterSource(nav::TStayOnMasterSource modus) override;
    bool SuchenMoeglich() const override;
    void Suchen() override;

private:
    nav::TDBVexarion &extender_;
    nav::TDBVNavigator &leiste_;
    dbe::TDataSet &fahrzeuge_;
};

// Puts the design settings of the main window's extender and bar in force.
void HauptNavigationEinrichten(nav::TDBVexarion &extender, nav::TDBVNavigator &leiste);

} // namespace fleet
