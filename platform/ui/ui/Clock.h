#pragma once

#include <memory>

#include "base/DateTime.h"
#include "ui/Seam.h"

namespace ui {

// Today and now, as the system's date-time values.
class Clock {
public:
    virtual ~Clock() = default;
    virtual base::TDateTime now() const = 0;
    base::TDateTime today() const { return base::datePart(now()); }
};

inline base::TDateTime now()
{
    return Seam<Clock>::current().now();
}
inline base::TDateTime today()
{
    return Seam<Clock>::current().today();
}

class SystemClock : public Clock {
public:
    base::TDateTime now() const override;
};

template <> std::unique_ptr<Clock> makeProductionService<Clock>();

} // namespace ui
