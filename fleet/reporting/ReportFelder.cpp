#include "ReportFelder.h"

#include <exception>

#include "Tb6.h"
#include "dbe/Field.h"
#include "dbe/Table.h"

namespace reporting {

namespace {

QString inhalt(const dbe::TField &feld, bool abschneiden)
{
    const QString text = feld.AsString();
    return abschneiden ? Abgeschnitten(text) : text;
}

} // namespace

QString Abgeschnitten(const QString &text)
{
    if (text.size() <= kMaxInhalt)
        return text;
    const int laenge = text.at(kMaxInhalt - 1).isHighSurrogate() ? kMaxInhalt - 1 : kMaxInhalt;
    return text.left(laenge);
}

void DefineClientVariables(TTb6_ &tb, bool loeschen, const QStringList &mandantDaten)
{
    static const char *const namen[] = {
        "AktuellerMandant",     "AktMandantName1",      "AktMandantName2",     "AktMandantName3",
        "AktMandantStrasse",    "AktMandantLand",       "AktMandantPlz",       "AktMandantOrt",
        "AktMandantTelefon",    "AktMandantFax",        "AktMandantMobil",     "AktMandantInternet",
        "AktMandantBemerkung1", "AktMandantBemerkung2", "AktMandantBemerkung3"};
    if (loeschen)
        tb.DefineVariableStart();
    for (int i = 0; i < int(std::size(namen)); ++i)
        tb.DefineVariable(QString::fromLatin1(namen[i]),
                          i < mandantDaten.size() ? mandantDaten[i] : QString());
}

void AlleFelderAlsVariablen(TTb6_ &tb, const dbe::TDataSet &daten, bool loeschen)
{
    if (loeschen)
        tb.DefineVariableStart();
    for (int i = 0; i < daten.FieldCount(); ++i)
        tb.DefineVariable(daten.Fields(i)->FieldName(), inhalt(*daten.Fields(i), true));
}

void AlleFelderAlsFelder(TTb6_ &tb, const dbe::TDataSet &daten, bool abschneiden)
{
    for (int i = 0; i < daten.FieldCount(); ++i)
        tb.DefineField(daten.Fields(i)->FieldName(), inhalt(*daten.Fields(i), abschneiden));
}

void BenutzteFelder(TTb6_ &tb, const dbe::TDataSet &daten, bool abschneiden)
{
    for (int i = 0; i < daten.FieldCount(); ++i) {
        const dbe::TField &feld = *daten.Fields(i);
        if (tb.PrintIsFieldUsed(feld.FieldName()) == 1)
            tb.DefineField(feld.FieldName(), inhalt(feld, abschneiden));
    }
}

void DefineUsedRowFields(TTb6_ &tb, const dbe::TDataSet &var, const dbe::TDataSet *var1)
{
    BenutzteFelder(tb, var, true);
    if (var1)
        BenutzteFelder(tb, *var1, true);
}

void FahrzeugSuchen(TTb6_ &tb, dbe::TTable &fahrzeuge, const QString &kfzNr)
{
    bool gefunden = false;
    try {
        gefunden = fahrzeuge.FindKey({kfzNr});
    } catch (const std::exception &) {
        gefunden = false; // a failed search leaves the vehicle's fields empty
    }
    for (int i = 0; i < fahrzeuge.FieldCount(); ++i) {
        const dbe::TField &feld = *fahrzeuge.Fields(i);
        if (tb.PrintIsFieldUsed(feld.FieldName()) == 1)
            tb.DefineField(feld.FieldName(), gefunden ? inhalt(feld, true) : QString());
    }
}

} // namespace reporting
