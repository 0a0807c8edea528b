#pragma once

#include <QLoggingCategory>

// The fleet program's trace of failures it swallows on purpose and of services
// missing at start. Warnings show by default; QT_LOGGING_RULES silences them.
Q_DECLARE_LOGGING_CATEGORY(lcFleet)
