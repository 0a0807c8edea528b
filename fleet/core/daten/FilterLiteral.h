#pragma once

#include <QString>

namespace fleet {

// A text as a quoted literal of a filter text: a quote inside is doubled, so
// a name like O'Neill stays one literal.
inline QString FilterLiteral(const QString &text)
{
    QString doppelt = text;
    doppelt.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + doppelt + QLatin1Char('\'');
}

} // namespace fleet
