#include "ReportDefinierer.h"

#include <exception>
#include <iterator>

#include "ReportFelder.h"
#include "Tb6.h"
#include "dbe/Field.h"
#include "dbe/Table.h"

namespace reporting {

namespace {

void nummeriert(TTb6_ &tb, const char *praefix, int anzahl, const QStringList &werte)
{
    for (int i = 0; i < anzahl; ++i)
        tb.DefineVariable(QString::fromLatin1(praefix) + QString::number(i + 1), werte.value(i));
}

// "NameSonstigeKosten", "NameSonstigeKosten2" … 4.
QString sonstigeKostenName(int i)
{
    return i == 0 ? QStringLiteral("NameSonstigeKosten") : QStringLiteral("NameSonstigeKosten%1").arg(i + 1);
}

void sonstigeKosten(TTb6_ &tb, const QStringList &namen, bool alsFeld)
{
    for (int i = 0; i < 4; ++i) {
        if (alsFeld)
            tb.DefineField(sonstigeKostenName(i), namen.value(i));
        else
            tb.DefineVariable(sonstigeKostenName(i), namen.value(i));
    }
}

void benannt(TTb6_ &tb, const QStringList &namen, const Werte &werte, bool alsFeld)
{
    for (const QString &name : namen) {
        if (alsFeld)
            tb.DefineField(name, werte.value(name));
        else
            tb.DefineVariable(name, werte.value(name));
    }
}

QString nichtVerfuegbar(bool aktiv, const QString &text)
{
    return aktiv ? text : QStringLiteral("n.v.");
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

void DefineCostVariables(TTb6_ &tb, const dbe::TDataSet &fahrzeug, const dbe::TTable &var,
                         const QStringList &sonstigeKostenNamen)
{
    DefineTourVariables(tb, fahrzeug, var);
    sonstigeKosten(tb, sonstigeKostenNamen, false);
}

QStringList MonatsDurchschnittNamen()
{
    return {"DErtragMonat",
            "DGefKmMonat",
            "DGesKostenMonat",
            "DGesKostenProKmMonat",
            "DVerbrauchLiterMonat",
            "DVerbrauchKostenMonat",
            "DVerbrauchLiterPro100KmMonat",
            "DReparaturKostenMonat",
            "DWartungKostenMonat",
            "DUntersuchungKostenMonat",
            "DReifenKostenMonat",
            "DSonstigeKostenMonat",
            "DSonstige2KostenMonat",
            "DSonstige3KostenMonat",
            "DSonstige4KostenMonat",
            "DPflegeKostenMonat"};
}

void DefineMonthlyOverviewVariables(TTb6_ &tb, const dbe::TDataSet &fahrzeug,
                                    const QStringList &durchschnitte, const QStringList &sonstigeKostenNamen)
{
    AlleFelderAlsVariablen(tb, fahrzeug, true);
    const QStringList namen = MonatsDurchschnittNamen();
    for (int i = 0; i < namen.size(); ++i)
        tb.DefineVariable(namen[i], durchschnitte.value(i));
    sonstigeKosten(tb, sonstigeKostenNamen, false);
}

void DefineDispatchVariables(TTb6_ &tb, const DispoAnsicht &ansicht, const dbe::TDataSet &fahrzeug)
{
    static const char *const sichten[] = {"Alle", "Zeitraum", "Monat", "Tag", "Heute", "Ab heute"};
    tb.DefineVariableStart();
    tb.DefineVariable(QStringLiteral("Auslastung"), ansicht.auslastung);
    tb.DefineVariable(QStringLiteral("Fahrzeuge"), ansicht.fahrzeuge == 0 ? ansicht.kfzNr
                                                   : ansicht.fahrzeuge == 1
                                                       ? QStringLiteral("Alle")
                                                       : QStringLiteral("Fahrzg.-Filter"));
    tb.DefineVariable(QStringLiteral("Sicht"), ansicht.sicht >= 0 && ansicht.sicht < int(std::size(sichten))
                                                   ? QString::fromLatin1(sichten[ansicht.sicht])
                                                   : QString());
    tb.DefineVariable(QStringLiteral("Datum von"), nichtVerfuegbar(ansicht.datumVonAktiv, ansicht.datumVon));
    tb.DefineVariable(QStringLiteral("Datum bis"), nichtVerfuegbar(ansicht.datumBisAktiv, ansicht.datumBis));
    tb.DefineVariable(QStringLiteral("Monat"), nichtVerfuegbar(ansicht.monatAktiv, ansicht.monat));
    tb.DefineVariable(QStringLiteral("Jahr"), nichtVerfuegbar(ansicht.jahrAktiv, ansicht.jahr));
    AlleFelderAlsVariablen(tb, fahrzeug, false);
}

void DefineCostFields(TTb6_ &tb, const dbe::TDataSet &var, const QStringList &sonstigeKostenNamen)
{
    DefineTableFields(tb, var);
    sonstigeKosten(tb, sonstigeKostenNamen, true);
}

void DefineMonthlyOverviewFields(TTb6_ &tb, const dbe::TDataSet &var, const QStringList &durchschnitte,
                                 const QStringList &sonstigeKostenNamen)
{
    DefineTableFields(tb, var);
    const QStringList namen = MonatsDurchschnittNamen();
    for (int i = 1; i < namen.size(); ++i)
        tb.DefineField(namen[i], durchschnitte.value(i));
    sonstigeKosten(tb, sonstigeKostenNamen, true);
}

QStringList FahrzeugBeschriftungsNamenListe()
{
    return {"NameFixKostenHaftpflicht",
            "NameFixKostenKasko",
            "NameFixKostenSteuer",
            "NameFixKostenSonstige",
            "NameFixKostenAFA",
            "NameFixKostenZinsen",
            "NameFixKostenLeasing",
            "NameFixKostenGewKapSt",
            "NameGruppe",
            "NameKostenstelleStandort",
            "NamePkwNummer",
            "NameFahrername",
            "NameFahrerNr",
            "NameFahrerKz",
            "NameBesitzerKz",
            "NameMarke",
            "NameHerstellerKz",
            "NameBaujahr",
            "NameHubraum",
            "NameKWPS",
            "NameAufbau",
            "NameZulassung",
            "NameVersPolNr",
            "NameFahrgestellnr",
            "NameAnschaffwert",
            "NameZinssatz",
            "NameKaufLeasingDatum"};
}

void DefineVehicleListFields(TTb6_ &tb, const dbe::TDataSet &var, const QStringList &freieTermine,
                             const QMap<QString, QString> &beschriftungen)
{
    tb.DefineFieldStart();
    AlleFelderAlsFelder(tb, var, true);
    for (int i = 0; i < 3; ++i)
        tb.DefineField(QStringLiteral("NameFreierTermin%1").arg(i + 1), freieTermine.value(i));
    for (const QString &name : FahrzeugBeschriftungsNamenListe())
        tb.DefineField(name, beschriftungen.value(name));
}

void DefineTyreFields(TTb6_ &tb, const dbe::TDataSet &var, const dbe::TDataSet &var1)
{
    tb.DefineFieldStart();
    AlleFelderAlsFelder(tb, var, true);
    AlleFelderAlsFelder(tb, var1, true);
}

QStringList TerminBeschriftungsNamen()
{
    QStringList namen;
    for (int i = 1; i <= 14; ++i)
        namen << QStringLiteral("NameFreierTermin%1").arg(i);
    namen << "NameInspektionTermin"
          << "NameKleineInspektionTermin"
          << "NameGrosseInspektionTermin"
          << "NameVignette1Termin"
          << "NameVignette2Termin";
    return namen;
}

void DefineWorkshopAppointmentFields(TTb6_ &tb, const dbe::TDataSet &var1, const dbe::TDataSet &var,
                                     const QMap<QString, QString> &terminBeschriftungen)
{
    tb.DefineFieldStart();
    AlleFelderAlsFelder(tb, var1, true);
    for (int i = 0; i < var.FieldCount(); ++i)
        tb.DefineField(QStringLiteral("TerminInfo_") + var.Fields(i)->FieldName(), var.Fields(i)->AsString());
    for (const QString &name : TerminBeschriftungsNamen())
        tb.DefineField(name, terminBeschriftungen.value(name));
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

void DefineComparisonVariables(TTb6_ &tb, const dbe::TTable &var, const QString &sortierkriterium)
{
    tb.DefineVariableStart();
    tb.DefineVariable(QStringLiteral("DatabaseName"), var.TableName());
    tb.DefineVariable(QStringLiteral("Sortierkriterium"), sortierkriterium);
}

void DefineComparisonFields(TTb6_ &tb, const dbe::TDataSet &var1, const dbe::TDataSet &var)
{
    tb.DefineFieldStart();
    AlleFelderAlsFelder(tb, var1, true);
    AlleFelderAlsFelder(tb, var, false);
}

void DefineAppointmentListVariables(TTb6_ &tb, const Werte &werte)
{
    tb.DefineVariableStart();
    benannt(tb, {"WelcheTermine", "Vorwarnzeit/Tage", "Vorwarnzeit/Km", "Stichtag", "StichtagVon"}, werte,
            false);
}

void DefineAppointmentListFields(TTb6_ &tb, const dbe::TDataSet &var1, const dbe::TDataSet &var,
                                 const Werte &terminBeschriftungen)
{
    tb.DefineFieldStart();
    AlleFelderAlsFelder(tb, var1, true);
    AlleFelderAlsFelder(tb, var, false);
    benannt(tb, TerminBeschriftungsNamen(), terminBeschriftungen, true);
}

QStringList FuhrparkSummenNamen()
{
    return {"SummeGesamtKosten",       "SummeVerbrauchKosten", "SummeReparaturKosten", "SummeWartungKosten",
            "SummeUntersuchungKosten", "SummeReifenKosten",    "SummePflegeKosten",    "SummeSonstigeKosten",
            "SummeSonstige2Kosten",    "SummeSonstige3Kosten", "SummeSonstige4Kosten", "SummeErtrag",
            "SummeVerbrauchL",         "SummeGefKm",           "SummeVarKosten",       "SummeFixKosten"};
}

void DefineFleetCostFields(TTb6_ &tb, dbe::TTable &fahrzeuge, dbe::TDataSet &var, const Werte &summen,
                           const QStringList &sonstigeKostenNamen, const QString &filter,
                           const QString &sicht)
{
    tb.DefineFieldStart();
    bool gefunden = false;
    try {
        var.First();
        gefunden = !var.Eof() && fahrzeuge.FindKey({var.FieldByName(QStringLiteral("KfzNr"))->AsString()});
    } catch (const std::exception &) {
        gefunden = false; // no vehicle fields then
    }
    if (gefunden) {
        for (int i = 0; i < fahrzeuge.FieldCount(); ++i) {
            const dbe::TField &feld = *fahrzeuge.Fields(i);
            if (feld.FieldName() != QLatin1String("Memo"))
                tb.DefineField(feld.FieldName(), Abgeschnitten(feld.AsString()));
        }
    }
    AlleFelderAlsFelder(tb, var, false);
    benannt(tb, FuhrparkSummenNamen(), summen, true);
    sonstigeKosten(tb, sonstigeKostenNamen, true);
    tb.DefineField(QStringLiteral("Filter"), filter);
    tb.DefineField(QStringLiteral("Sicht"), sicht);
}

void DefineTourFields(TTb6_ &tb, const dbe::TDataSet &var1, const dbe::TDataSet &var, const Werte &summen)
{
    tb.DefineFieldStart();
    AlleFelderAlsFelder(tb, var1, true);
    AlleFelderAlsFelder(tb, var, false);
    for (auto it = summen.cbegin(); it != summen.cend(); ++it)
        tb.DefineField(it.key(), it.value());
}

void DefineMonthlyAllVehiclesFields(TTb6_ &tb, const QString &auswertungsmonat,
                                    const QStringList &sonstigeKostenNamen, const dbe::TDataSet &var1,
                                    const dbe::TDataSet &var)
{
    tb.DefineVariableStart();
    tb.DefineVariable(QStringLiteral("Auswertungsmonat"),
                      auswertungsmonat.isEmpty() ? QStringLiteral("Januar 2000") : auswertungsmonat);
    tb.DefineFieldStart();
    for (int i = 0; i < 4; ++i)
        tb.DefineField(QStringLiteral("Bezeichnung_SonstigeKosten") +
                           (i == 0 ? QString() : QString::number(i + 1)),
                       sonstigeKostenNamen.value(i));
    AlleFelderAlsFelder(tb, var1, false);
    AlleFelderAlsFelder(tb, var, false);
}

QStringList MonatsauswertungNamen()
{
    return {"VarKostenBenzin",          "VarKostenReparatur",
            "VarKostenWartung",         "VarKostenUntersuchung",
            "VarKostenReifen",          "VarKostenPflege",
            "VarKostenSonstige",        "VarKostenSonstige2",
            "VarKostenSonstige3",       "VarKostenSonstige4",
            "VarKostenSumme",           "FixKostenHaftpflicht",
            "FixKostenKasko",           "FixKostenKfzSteuer",
            "FixKostenSonstige",        "FixKostenAFA",
            "FixKostenZinsen",          "FixKostenLeasing",
            "FixKostenGewKapSteuer",    "FixKostenFahrer",
            "FixKostenSumme",           "SummeGefKmMonat",
            "SummeGesamtKostenMonat",   "SummeGesKostenProKmMonat",
            "SummeVerbrauchLiterMonat", "SummeVerbrauchPro100KmMonat",
            "SummeErtragMonat",         "SummeUeberschussMonat"};
}

void DefineMonthlyEvaluationVariables(TTb6_ &tb, const dbe::TDataSet &fahrzeug, const QString &datum,
                                      const Werte &monatsWerte, const QStringList &sonstigeKostenNamen,
                                      const Werte &beschriftungen)
{
    AlleFelderAlsVariablen(tb, fahrzeug, true);
    tb.DefineVariable(QStringLiteral("DatumMonatsauswertung"), datum);
    benannt(tb, MonatsauswertungNamen(), monatsWerte, false);
    sonstigeKosten(tb, sonstigeKostenNamen, false);
    benannt(tb, FahrzeugBeschriftungsNamenListe().mid(0, 8), beschriftungen, false);
}

void DefineMasterCardVariables(TTb6_ &tb, const dbe::TDataSet &var, bool definition,
                               const Werte &beschriftungen, const QString &lsEndKmStand)
{
    if (!definition) {
        for (int i = 0; i < var.FieldCount(); ++i) {
            const dbe::TField &feld = *var.Fields(i);
            if (tb.PrintIsFieldUsed(feld.FieldName()) == 1)
                tb.DefineVariable(feld.FieldName(), Abgeschnitten(feld.AsString()));
        }
        return;
    }
    AlleFelderAlsVariablen(tb, var, true);
    QStringList namen = FahrzeugBeschriftungsNamenListe();
    namen.removeLast(); // the card names purchase date and colour instead
    namen << "NameKaufDatum"
          << "NameFarbe";
    benannt(tb, namen, beschriftungen, false);
    tb.DefineVariable(QStringLiteral("LsEndKmStand"), lsEndKmStand);
}

QStringList TerminNotizNamen()
{
    QStringList namen{"Kennzeichen",
                      "TerminInfo_Werkstatt-Termin_von",
                      "TerminInfo_Uhrzeit_von",
                      "TerminInfo_Werkstatt-Termin_bis",
                      "TerminInfo_Uhrzeit_bis",
                      "TerminInfo_Memo"};
    for (int i = 1; i <= 4; ++i)
        namen << QStringLiteral("TerminInfo_Freifeld%1").arg(i);
    for (int i = 1; i <= 4; ++i)
        namen << QStringLiteral("TerminInfo_Name_Freifeld%1").arg(i);
    return namen;
}

void DefineAppointmentNoteVariables(TTb6_ &tb, const Werte &werte)
{
    benannt(tb, TerminNotizNamen(), werte, false);
}

} // namespace reporting
