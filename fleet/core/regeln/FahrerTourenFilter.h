#pragma once

#include <QDate>
#include <QString>

namespace fleet {

// The month number and its last day, as texts without leading zeros, for a
// German month name and a year text; any other name gives December.
struct MonatsGrenze {
    QString monat;
    QString letzterTag;
};
MonatsGrenze MonatsGrenzen(const QString &monatsName, const QString &jahrText);

// The tours filter of a driver: "(FahrerName ='Meier')"; a quote in the name
// stays inside the literal.
QString FahrerTourenFilterBasis(const QString &fahrerName);

// The period clause appended to it for a year or a month, with German dates
// without leading zeros.
QString JahresZeitraum(const QString &jahrText);
QString MonatsZeitraum(const QString &monatsName, const QString &jahrText);

// The filter of the drivers whose licence of any of the ten rows runs out by
// `grenze` (today plus the warning time); blank dates stay out.
QString FuehrerscheinFaelligFilter(const QDate &grenze);

// The warning time as the edit shows it at creation: the stored days, or 30
// when they lie outside 0..99.
QString VorwarnzeitText(int gespeicherteTage);

// The sums of the tour list as the form shows them: kilometres without
// decimals, revenue with two, neither with a thousands separator.
QString KmSummeText(double km);
QString ErtragSummeText(double ertrag);

} // namespace fleet
