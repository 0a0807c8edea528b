#pragma once

#include <QString>

#include "navigation/filter/FilterRecords.h"
#include "navigation/leiste/ExtenderTypes.h"
#include "navigation/leiste/NavigateBtn.h"

namespace dbe {
class TTable;
}

namespace fleet {

// What the main window uses of its navigation extender (TDBVexarionMain) and
// its navigator bar (TDBVNavMain). The extender announces its events by
// calling the window's TDBVexarionMain... handlers.
class HauptNavigation {
public:
    virtual ~HauptNavigation() = default;

    // State of the extender.
    virtual bool GlobalEdit() const = 0;
    virtual bool FilterAktiv() const = 0; // the vehicle table's filter is in force
    virtual unsigned AllowKeys() const = 0;
    virtual void SetAllowKeys(unsigned keys) = 0;
    virtual void SetManageGlobalEdit(bool manage) = 0;
    virtual void SetTableIndex(dbe::TTable &table, const QString &indexName) = 0;

    // The navigator bar: runs a command as if its button were clicked, with the
    // extender's before and after events; enabled or disabled as a whole.
    virtual void ClickNavButton(nav::TDBVNavigateBtn button) = 0;
    virtual void NavigatorFreigeben(bool freigeben) = 0;
    // Whether the extender can run the command now (the edit menu asks).
    virtual bool Moeglich(nav::TDBVNavigateBtn button) const = 0;

    // The vehicle table's filter: the first rows of a definition put in force,
    // or the filter removed.
    virtual void FilterAnwenden(const nav::TFilterDefinition &definition, int anzahl) = 0;
    virtual void FilterLoeschen() = 0;

    // The search over the costs of all vehicles: the extender's binding to its
    // master source, whether its search command is possible, and the command.
    virtual void SetStayOnMasterSource(nav::TStayOnMasterSource modus) = 0;
    virtual bool SuchenMoeglich() const = 0;
    virtual void Suchen() = 0;
};

} // namespace fleet
