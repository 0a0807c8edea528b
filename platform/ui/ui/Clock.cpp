#include "ui/Clock.h"

#include <QDateTime>

namespace ui {

base::TDateTime SystemClock::now() const
{
    return base::fromQDateTime(QDateTime::currentDateTime());
}

template <> std::unique_ptr<Clock> makeProductionService<Clock>()
{
    return std::make_unique<SystemClock>();
}

} // namespace ui
