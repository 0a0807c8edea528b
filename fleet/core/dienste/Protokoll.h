#pragma once

#include <exception>

#include <QLoggingCategory>

// The fleet program's trace of failures it swallows on purpose and of services
// missing at start. Warnings show by default; QT_LOGGING_RULES silences them.
Q_DECLARE_LOGGING_CATEGORY(lcFleet)

namespace fleet {

// Leaves a trace of a failure that the caller swallows on purpose; `wo` names
// the function (Q_FUNC_INFO).
void Verschluckt(const char *wo, const std::exception &fehler);
void Verschluckt(const char *wo);

} // namespace fleet
