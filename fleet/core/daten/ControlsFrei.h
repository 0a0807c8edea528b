#pragma once

#include "dbe/DataSet.h"

namespace fleet {

// Freezes a dataset's controls while it is walked and releases them however
// the walk ends.
class ControlsFrei {
public:
    explicit ControlsFrei(dbe::TDataSet &d) : d_(d) { d_.DisableControls(); }
    ~ControlsFrei() { d_.EnableControls(); }
    ControlsFrei(const ControlsFrei &) = delete;
    ControlsFrei &operator=(const ControlsFrei &) = delete;

private:
    dbe::TDataSet &d_;
};

} // namespace fleet
