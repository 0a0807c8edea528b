#include "logik/TourDialogDaten.h"

#include "base/GermanFormat.h"
#include "daten/Aliase.h"
#include "dbe/Field.h"
#include "dbe/Table.h"

namespace fleet {

namespace {

void zahlUebernehmen(const QString &text, double &ziel)
{
    if (text.isEmpty())
        return;
    if (const auto zahl = base::de::parseFloat(text))
        ziel = *zahl;
}

void ganzzahlUebernehmen(const QString &text, double &ziel)
{
    if (text.isEmpty())
        return;
    if (const auto zahl = base::de::parseInt(text))
        ziel = double(*zahl);
}

} // namespace

QString TourErtragText(const QString &text)
{
    if (text.isEmpty())
        return {};
    const auto zahl = base::de::parseValueFloat(text);
    return zahl ? base::de::formatFixed(*zahl, 2) : QString();
}

TourDialogTexte TourZwischenspeicherLaden(const TTourZwischenablage &ablage)
{
    TourDialogTexte t;
    t.DatumVon = ablage.Datum;
    t.DatumBis = ablage.DatumBis > 0 ? ablage.DatumBis : ablage.Datum;
    t.Tour = ablage.Tour;
    t.FahrerName = ablage.FahrerName;
    t.Kostenstelle = ablage.Kostenstelle;
    t.GefahrenKm = base::de::formatGeneral(ablage.GefahrenKm);
    t.Ertrag = TourErtragText(ablage.Ertrag);
    t.Bemerkungen = ablage.Bemerkungen;
    t.Bemerkung2 = ablage.Bemerkung2;
    t.Bemerkung3 = ablage.Bemerkung3;
    return t;
}

void TourZwischenspeicherSchreiben(const TourDialogTexte &t, TTourZwischenablage &ablage)
{
    ablage.Datum = t.DatumVon;
    if (t.DatumBis > 0)
        ablage.DatumBis = t.DatumBis;
    ablage.Tour = t.Tour;
    ablage.FahrerName = t.FahrerName;
    ablage.Kostenstelle = t.Kostenstelle;
    ablage.Bemerkungen = t.Bemerkungen;
    ablage.Bemerkung2 = t.Bemerkung2;
    ablage.Bemerkung3 = t.Bemerkung3;
    zahlUebernehmen(t.AbfahrtKm, ablage.AbfahrtKm);
    zahlUebernehmen(t.AnkunftKm, ablage.AnkunftKm);
    zahlUebernehmen(t.GefahrenKm, ablage.GefahrenKm);
    ganzzahlUebernehmen(t.PalettenPlus, ablage.PalettenPlus);
    ganzzahlUebernehmen(t.PalettenMinus, ablage.PalettenMinus);
    if (!t.Ertrag.isEmpty())
        ablage.Ertrag = t.Ertrag;
}

QStringList TourFahrerListe(dbe::TSession *session)
{
    QStringList liste{QString()};
    dbe::TTable fahrer(session);
    fahrer.SetDatabaseName(kAliasFuhrpark);
    fahrer.SetTableName(QStringLiteral("KfzFahrer.DB"));
    fahrer.Open();
    dbe::TField *name = fahrer.FieldByName(QStringLiteral("Name"));
    for (fahrer.First(); !fahrer.Eof(); fahrer.Next())
        liste << name->AsString();
    return liste;
}

int TourFahrerIndex(const QStringList &liste, const QString &name)
{
    for (int i = 0; i < liste.size(); ++i)
        if (liste[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

} // namespace fleet
