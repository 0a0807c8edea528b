#include "regeln/TerminFortschreibung.h"

#include <cmath>
#include <limits>

#include "daten/DataModule1.h"
#include "dbe/Table.h"
#include "regeln/TerminNotizen.h"
#include "regeln/Terminarten.h"
#include "ui/Messages.h"

namespace fleet {

namespace {

// Whether a date moved by that many months stays within the years 1 to 9999.
bool imKalender(base::TDateTime datum, qint64 monate)
{
    if (std::llabs(monate) > 12 * 10000)
        return false;
    int jahr = 0, monat = 0, tag = 0;
    base::decodeDate(datum, jahr, monat, tag);
    const qint64 ziel = qint64(jahr) * 12 + (monat - 1) + monate;
    return ziel >= 12 && ziel < qint64(10000) * 12;
}

// The settings' interval as text; empty when missing or unreadable.
QString intervallText(const QString &feld)
{
    dbe::TTable &einstellungen = DataModule1->TTblEinstellungenAllgem;
    if (feld.isEmpty() || !einstellungen.Active() || einstellungen.IsEmpty())
        return {};
    const dbe::TField *f = einstellungen.FindField(feld);
    return f ? f->AsString() : QString();
}

// The interval as a whole number; none when the text holds no number.
std::optional<qint64> intervallZahl(const QString &text)
{
    bool ok = false;
    const double wert = QLocale(QLocale::German).toDouble(text, &ok);
    if (!ok || !std::isfinite(wert) || std::fabs(wert) > 1e15)
        return std::nullopt;
    return std::llround(wert);
}

} // namespace

base::TDateTime TerminDatumWeiter(base::TDateTime datum, int monate)
{
    return base::incMonth(datum, monate);
}

std::optional<qint32> TerminKmWeiter(qint64 stand, qint64 intervall)
{
    const qint64 summe = stand + intervall;
    if (summe < std::numeric_limits<qint32>::min() || summe > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return static_cast<qint32>(summe);
}

QString TerminIntervallFeld(const QString &name)
{
    for (const Terminart &art : Terminarten())
        if (!art.datumName.isEmpty() && art.datumName == name)
            return art.intervall;
    return {};
}

void NaechstesTerminDatum(base::TDateTime &datum, const QString &name)
{
    const std::optional<qint64> n = intervallZahl(intervallText(TerminIntervallFeld(name)));
    if (!n || !imKalender(datum, *n))
        return;
    datum = TerminDatumWeiter(datum, static_cast<int>(*n));
}

QString TerminFortschreibungFehlerText(const Terminart &art, const QString &beschriftung)
{
    return QStringLiteral("Terminfortschreibung nicht möglich - Sie haben entweder keinen ") +
           (art.wort.isEmpty() ? beschriftung : art.wort) +
           QStringLiteral(" eingetragen oder kein entsprechendes Terminintervall im Einstellungen-Formular "
                          "definiert.");
}

QString TerminFortschreibungErfolgText(const Terminart &art, const QString &beschriftung)
{
    return (art.wort.isEmpty() ? beschriftung : art.wort) + QStringLiteral(" erfolgreich fortgeschrieben.");
}

void TerminFortschreibenAusfuehren(const QString &edit, const TerminFortschreibungUmfeld &umfeld)
{
    dbe::TTable &fahrzeug = DataModule1->TTblMain;
    // A half-edited vehicle is posted (or cancelled) here, not lost.
    fahrzeug.Refresh();
    if (umfeld.nurLesen) {
        ui::messages().information(QStringLiteral("Sie haben nur Leserechte!"));
        return;
    }
    const Terminart *art = TerminartZuEdit(edit);
    if (!art)
        return;
    const QString beschriftung =
        art->wort.isEmpty() && umfeld.beschriftung ? umfeld.beschriftung(art->label) : QString();
    const auto fehlschlag = [&] {
        ui::messages().warning(TerminFortschreibungFehlerText(*art, beschriftung));
    };

    dbe::TField *faellig = fahrzeug.FieldByName(art->stammFeld);
    const QString alterWert = faellig->AsString();
    if (alterWert.isEmpty())
        return fehlschlag();
    const QString intervall = intervallText(art->intervall);
    const std::optional<qint64> n = intervallZahl(intervall);
    if (intervall.isEmpty() || !n)
        return fehlschlag();

    // The new value before the note goes: a roll-forward that ends without one keeps it.
    QVariant neuerWert;
    if (art->km) {
        const std::optional<qint32> stand = TerminKmWeiter(std::llround(faellig->AsFloat()), *n);
        if (!stand) {
            ui::messages().error(QStringLiteral("Integer-Überlauf"));
            return;
        }
        neuerWert = static_cast<double>(*stand);
    } else {
        // Months beyond the calendar's years give no date: the same warning as a missing interval.
        const base::TDateTime alt = faellig->AsDateTime();
        if (!imKalender(alt, *n))
            return fehlschlag();
        neuerWert = TerminDatumWeiter(alt, static_cast<int>(*n));
    }

    TerminInfoLoeschen(fahrzeug.FieldByName(QStringLiteral("KfzNr"))->AsString(), art->terminName(),
                       alterWert, &fahrzeug.Session());
    fahrzeug.Edit();
    if (art->km)
        faellig->SetAsFloat(neuerWert.toDouble());
    else
        faellig->SetAsDateTime(neuerWert.toDouble());
    fahrzeug.Post();
    if (umfeld.meldungZeigen)
        ui::messages().information(TerminFortschreibungErfolgText(*art, beschriftung));
}

} // namespace fleet
