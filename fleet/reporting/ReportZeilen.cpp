#include "ReportZeilen.h"

#include <exception>

#include "DatenmengeHalten.h"
#include "GridMarken.h"
#include "ReportFelder.h"
#include "Tb6.h"
#include "dbe/Field.h"
#include "dbe/Table.h"

namespace reporting {

namespace {

const QString kKfzNr = QStringLiteral("KfzNr");

QString kfzNrVon(const dbe::TDataSet &daten)
{
    const dbe::TField *feld = daten.FindField(kKfzNr);
    return feld ? feld->AsString() : QString();
}

void leer(TTb6_ &tb, const dbe::TDataSet &daten)
{
    for (int i = 0; i < daten.FieldCount(); ++i) {
        const QString name = daten.Fields(i)->FieldName();
        if (tb.PrintIsFieldUsed(name) == 1)
            tb.DefineField(name, QString());
    }
}

} // namespace

void FahrzeugUndZeile(TTb6_ &tb, dbe::TTable &fahrzeuge, const dbe::TDataSet &var)
{
    FahrzeugSuchen(tb, fahrzeuge, kfzNrVon(var));
    BenutzteFelder(tb, var, false);
}

void TerminListenZeile(TTb6_ &tb, dbe::TTable &fahrzeuge, const dbe::TDataSet &var, GridMarken *marken,
                       const QList<int> &folge)
{
    if (!marken || folge.isEmpty()) {
        FahrzeugUndZeile(tb, fahrzeuge, var);
        return;
    }
    const QString kfzNr = kfzNrVon(var);
    dbe::TDataSet &markiert = marken->MarkenDaten();
    for (int i : folge) {
        marken->ZuMarke(i);
        if (kfzNrVon(markiert) == kfzNr) {
            FahrzeugSuchen(tb, fahrzeuge, kfzNr);
            BenutzteFelder(tb, markiert, false);
            return;
        }
    }
    leer(tb, fahrzeuge);
    leer(tb, markiert);
}

void WerkstattTerminZeile(TTb6_ &tb, dbe::TTable &fahrzeuge, const dbe::TDataSet &var)
{
    FahrzeugSuchen(tb, fahrzeuge, kfzNrVon(var));
    for (int i = 0; i < var.FieldCount(); ++i) {
        const dbe::TField &feld = *var.Fields(i);
        const QString name = QStringLiteral("TerminInfo_") + feld.FieldName();
        if (tb.PrintIsFieldUsed(name) == 1)
            tb.DefineField(name, feld.AsString());
    }
}

bool WerkstattTerminGilt(const dbe::TDataSet &notiz, dbe::TTable &termine)
{
    // "TTblTermine" + the field of the due list the note was made for.
    constexpr int kPraefix = 11;
    const dbe::TField *terminName = notiz.FindField(QStringLiteral("TerminName"));
    const dbe::TField *terminWert = notiz.FindField(QStringLiteral("TerminWert"));
    if (!terminName || !terminWert)
        return false;
    const QString name = terminName->AsString();
    if (name.size() <= kPraefix)
        return false;
    if (!termine.Locate(kKfzNr, kfzNrVon(notiz)))
        return false;
    const dbe::TField *feld = termine.FindField(name.mid(kPraefix));
    return feld && feld->AsString() == terminWert->AsString();
}

void WerkstattTermineUeberspringen(dbe::TDataSet &notizen, dbe::TTable &termine)
{
    DatenmengeHalten halten(termine);
    while (!notizen.Eof() && !WerkstattTerminGilt(notizen, termine))
        notizen.Next();
}

} // namespace reporting
