#include "ReportDefinierer.h"

#include "ReportFelder.h"
#include "Tb6.h"
#include "dbe/Table.h"

namespace reporting {

namespace {

void nummeriert(TTb6_ &tb, const char *praefix, int anzahl, const QStringList &werte)
{
    for (int i = 0; i < anzahl; ++i)
        tb.DefineVariable(QString::fromLatin1(praefix) + QString::number(i + 1), werte.value(i));
}

} // namespace

void DefineVehicleVariables(TTb6_ &tb, const dbe::TDataSet &fahrzeug)
{
    AlleFelderAlsVariablen(tb, fahrzeug, true);
}

void DefineTourVariables(TTb6_ &tb, const dbe::TDataSet &fahrzeug, const dbe::TTable &var)
{
    AlleFelderAlsVariablen(tb, fahrzeug, true);
    tb.DefineVariable(QStringLiteral("DatabaseName"), var.TableName());
}

void DefineDriverVariables(TTb6_ &tb, const dbe::TDataSet &fahrer, const QStringList &freifeldNamen)
{
    AlleFelderAlsVariablen(tb, fahrer, true);
    nummeriert(tb, "NameFreifeld", 8, freifeldNamen);
}

void DefineDamageInfoVariables(TTb6_ &tb, const QStringList &infoNamen)
{
    nummeriert(tb, "NameInfo", 3, infoNamen);
}

void DefineTableFields(TTb6_ &tb, const dbe::TDataSet &var)
{
    tb.DefineFieldStart();
    AlleFelderAlsFelder(tb, var, false);
}

void DefineFuelImportSampleFields(TTb6_ &tb)
{
    static const char *const muster[][2] = {
        {"Kennzeichen", "HH-KA 100"},
        {"KmStand", "10000"},
        {"Rechnungsdatum", "01.01.2002"},
        {"Belegnummer", "12345"},
        {"Personalnummer", "1234567890"},
        {"Warenbezeichnung", "Super"},
        {"Warengruppenschluessel", "200"},
        {"Menge", "50"},
        {"Netto", "100,00"},
        {"Umsatzsteuerbetrag", "16,00"},
        {"Brutto", "116,00"},
        {"Bemerkungen", "Testbemerkung"},
        {"Importdatum", "01.02.2002 10:00:00"},
        {"KennzNichtGefunden", "Falsch"},
        {"NichtZugeordnet", "Falsch"},
        {"Fehlerhaft", "Falsch"},
        {"Gebucht", "Falsch"},
        {"NichtBuchbar", "Falsch"},
    };
    tb.DefineFieldStart();
    for (const auto &[name, wert] : muster)
        tb.DefineField(QString::fromLatin1(name), QString::fromLatin1(wert));
}

} // namespace reporting
