#pragma once

#include <exception>

#include "dbe/DataSet.h"

namespace reporting {

// While a report moves a data set that a form shows, its controls are off; afterwards the data set
// stands on its row again and the controls follow it, also after an error.
class DatenmengeHalten {
public:
    explicit DatenmengeHalten(dbe::TDataSet &daten) : daten_(daten)
    {
        if (daten_.Active())
            zeile_ = daten_.GetBookmark();
        daten_.DisableControls();
    }
    ~DatenmengeHalten()
    {
        try {
            if (daten_.Active() && daten_.BookmarkValid(zeile_))
                daten_.GotoBookmark(zeile_);
        } catch (const std::exception &) {
            // the row went away meanwhile: the data set stays where the report left it
        }
        daten_.EnableControls();
    }
    DatenmengeHalten(const DatenmengeHalten &) = delete;
    DatenmengeHalten &operator=(const DatenmengeHalten &) = delete;

private:
    dbe::TDataSet &daten_;
    dbe::TBookmark zeile_;
};

} // namespace reporting
