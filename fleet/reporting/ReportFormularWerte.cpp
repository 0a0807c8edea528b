#include "ReportFormularWerte.h"

#include <QDate>

#include "FormularWerte.h"
#include "regeln/FeldBezeichnungen.h"

namespace reporting {

using namespace formular;

namespace {

Werte beschriftungen(const QString &form, const QStringList &namen, const QStringList &labels)
{
    Werte werte;
    for (int i = 0; i < namen.size(); ++i)
        werte.insert(namen[i], SteuerText(form, labels[i]));
    return werte;
}

QString bezeichnung(const char *settingsFeld)
{
    return fleet::FeldBezeichnungen[QString::fromLatin1(settingsFeld)];
}

} // namespace

QStringList SonstigeKostenNamen()
{
    return {bezeichnung("NameSonstigeKosten"), bezeichnung("NameSonstige2Kosten"),
            bezeichnung("NameSonstige3Kosten"), bezeichnung("NameSonstige4Kosten")};
}

Werte FahrzeugBeschriftungen()
{
    static const char *const namen[][2] = {
        {"NameFixKostenHaftpflicht", "NameKostenHaftpflicht"},
        {"NameFixKostenKasko", "NameKostenKasko"},
        {"NameFixKostenSteuer", "NameKostenSteuer"},
        {"NameFixKostenSonstige", "NameKostenSonstige"},
        {"NameFixKostenAFA", "NameKostenAFA"},
        {"NameFixKostenZinsen", "NameKostenZinsen"},
        {"NameFixKostenLeasing", "NameKostenLeasing"},
        {"NameFixKostenGewKapSt", "NameKostenGewKapSt"},
        {"NameGruppe", "NameGruppe"},
        {"NameKostenstelleStandort", "NameKostenstelle"},
        {"NamePkwNummer", "NamePKWNummer"},
        {"NameFahrername", "NameFahrer"},
        {"NameFahrerNr", "NameFahrerNr"},
        {"NameFahrerKz", "NameFahrerKz"},
        {"NameBesitzerKz", "NameBesitzerKz"},
        {"NameMarke", "NameMarke"},
        {"NameHerstellerKz", "NameHerstellerKz"},
        {"NameBaujahr", "NameBaujahr"},
        {"NameHubraum", "NameHubraum"},
        {"NameKWPS", "NameKWPS"},
        {"NameAufbau", "NameAufbau"},
        {"NameZulassung", "NameZulassung"},
        {"NameVersPolNr", "NameVersPolNr"},
        {"NameFahrgestellnr", "NameFahrgestellnr"},
        {"NameAnschaffwert", "NameAnschaffwert"},
        {"NameZinssatz", "NameZinssatz"},
        {"NameKaufLeasingDatum", "NameKaufLeasingdatum"},
        {"NameKaufDatum", "NameKaufLeasingdatum"},
        {"NameFarbe", "NameFarbe"},
    };
    Werte werte;
    for (const auto &[name, feld] : namen)
        werte.insert(QString::fromLatin1(name), bezeichnung(feld));
    return werte;
}

Werte TerminBeschriftungen()
{
    QStringList labels;
    for (int i = 1; i <= 14; ++i)
        labels << QStringLiteral("LblFreierTermin%1").arg(i);
    labels << "LblInspektionTermin"
           << "LblKlInspektionTermin"
           << "LblGrInspektionTermin"
           << "LblVignette1Termin"
           << "LblVignette2Termin";
    return beschriftungen(kHaupt, TerminBeschriftungsNamen(), labels);
}

QStringList FreieTerminNamen()
{
    QStringList namen;
    for (int i = 1; i <= 3; ++i)
        namen << SteuerText(kHaupt, QStringLiteral("LblFreierTermin%1").arg(i));
    return namen;
}

QStringList MonatsDurchschnitte()
{
    static const char *const labels[] = {"TLblDErtragMonat",
                                         "TLblDGefKmMonat",
                                         "TLblDGesKostenMonat",
                                         "TLBlDGesKostenProKmMonat",
                                         "TLblDVerbrauchLiterMonat",
                                         "TLBLDVerbrauchKostenMonat",
                                         "TLblDVerbrauchLiterPro100KmMonat",
                                         "TLblDReparaturKostenMonat",
                                         "TLblDWartungKostenMonat",
                                         "TLblDUntersuchungKostenMonat",
                                         "TLblDReifenKostenMonat",
                                         "TLblDSonstigeKostenMonat",
                                         "TLblDSonstige2KostenMonat",
                                         "TLblDSonstige3KostenMonat",
                                         "TLblDSonstige4KostenMonat",
                                         "TLblDPflegeKostenMonat"};
    QStringList werte;
    for (const char *label : labels)
        werte << SteuerText(kHaupt, QString::fromLatin1(label));
    return werte;
}

QString MonatsauswertungDatum()
{
    bool ok = false;
    const int jahr = SteuerText(kHaupt, QStringLiteral("CmbBoxMonatsauswertungJahr")).toInt(&ok);
    const int monat = SteuerIndex(kHaupt, QStringLiteral("CmbBoxMonatsauswertungMonat")) + 1;
    const QDate datum(ok ? jahr : 0, monat, 1);
    return datum.isValid() ? datum.toString(QStringLiteral("dd.MM.yyyy")) : QString();
}

Werte MonatsauswertungWerte()
{
    static const char *const labels[] = {"TLblVerbrauchKostenMonat",
                                         "TLblReparaturKostenMonat",
                                         "TLblWartungKostenMonat",
                                         "TLblUntersuchungKostenMonat",
                                         "TLblReifenKostenMonat",
                                         "TLblPflegeKostenMonat",
                                         "TLblSonstigeKostenMonat",
                                         "TlblSonstige2KostenMonat",
                                         "TLblSonstige3KostenMonat",
                                         "TLblSonstige4KostenMonat",
                                         "TLblSummeVarKostenMonat",
                                         "TLblHaftpflichtMonat",
                                         "TLblKaskoMonat",
                                         "TLblSteuerMonat",
                                         "TLblSonstigesMonat",
                                         "TLblAfaMonat",
                                         "TLblZinsenMonat",
                                         "TLblVermSteuerMonat",
                                         "TLblGewKapSteuerMonat",
                                         "TLblFahrerKostenMonat",
                                         "TLblSummeFixKostenMonat",
                                         "TLblSummeGefKmMonat",
                                         "TLblSummeGesamtKostenMonat",
                                         "TLblSummeGesKostenProKm",
                                         "TLblSummeVerbrauchLiterMonat",
                                         "TLblSummeVerbrauchPro100Km",
                                         "LblSummeErtragMonat",
                                         "LblSummeUeberschussMonat"};
    QStringList l;
    for (const char *label : labels)
        l << QString::fromLatin1(label);
    return beschriftungen(kHaupt, MonatsauswertungNamen(), l);
}

DispoAnsicht DispoAnsichtLesen()
{
    DispoAnsicht a;
    a.auslastung = SteuerText(kHaupt, QStringLiteral("LblAuslastung"));
    a.fahrzeuge = SteuerIndex(kHaupt, QStringLiteral("RadioGrpDispoFahrzeuge"));
    a.kfzNr = SteuerText(kHaupt, QStringLiteral("EditKfzNr"));
    a.sicht = SteuerIndex(kHaupt, QStringLiteral("RadioGrpDispositionSicht"));
    const auto lesen = [](const char *name, QString &text, bool &aktiv) {
        text = SteuerText(kHaupt, QString::fromLatin1(name));
        aktiv = SteuerAktiv(kHaupt, QString::fromLatin1(name));
    };
    lesen("DateTimePckDisposition", a.datumVon, a.datumVonAktiv);
    lesen("DateTimePckDispositionBis", a.datumBis, a.datumBisAktiv);
    lesen("CmbBoxDispositionMonat", a.monat, a.monatAktiv);
    lesen("CmbBoxDispositionJahr", a.jahr, a.jahrAktiv);
    return a;
}

Werte TerminListenWerte()
{
    return beschriftungen(kTermine,
                          {"WelcheTermine", "Vorwarnzeit/Tage", "Vorwarnzeit/Km", "Stichtag", "StichtagVon"},
                          {"TLblTerminart", "LblVorwarnzeitTage", "LblVorwarnzeitKm", "DateTimePckTermine",
                           "DateTimePckTermineVon"});
}

Werte TerminNotizWerte(const QStringList &freifeldNamen)
{
    QStringList namen = TerminNotizNamen();
    QStringList steuer = {"LblTerminInfo",           "EditTerminInfoServiceTermin", "CmbBoxTerminInfoUhrzeit",
                          "EditTerminInfoTerminBis", "CmbBoxTerminInfoUhrzeitBis",  "MemoTerminInfo"};
    for (int i = 1; i <= 4; ++i)
        steuer << QStringLiteral("EditTerminInfoFreifeld%1").arg(i);
    Werte werte = beschriftungen(kTerminInfo, namen.mid(0, steuer.size()), steuer);
    for (int i = 0; i < 4; ++i) {
        const QString name = freifeldNamen.value(i);
        werte.insert(QStringLiteral("TerminInfo_Name_Freifeld%1").arg(i + 1),
                     name.isEmpty() ? QStringLiteral("Freifeld%1").arg(i + 1) : name);
    }
    return werte;
}

QString VergleichSortierung()
{
    return SteuerText(kAlleFahrzeuge, QStringLiteral("TComboBoxSort"));
}

Werte FuhrparkSummen()
{
    return beschriftungen(
        kFuhrparkKosten, FuhrparkSummenNamen(),
        {"LblSummeFuhrparkGesamtkosten", "LBLSummeFuhrparkVerbrauchKosten", "LblSummeFuhrparkReparaturKosten",
         "LblSummeFuhrparkWartungKosten", "LblSummeFuhrparkUntersuchungKosten",
         "LblSummeFuhrparkReifenKosten", "LblSummeFuhrparkPflegeKosten", "LblSummeFuhrparkSonstigeKosten",
         "LblSummeFuhrparkSonstige2Kosten", "LblSummeFuhrparkSonstige3Kosten",
         "LblSummeFuhrparkSonstige4Kosten", "LblSummeFuhrparkErtrag", "LblSummeFuhrparkVerbrauchL",
         "LBLSummeFuhrparkGefKm", "LblSummeFuhrparkVarkosten", "LblSummeFuhrparkFixkosten"});
}

QString FuhrparkFilter()
{
    return SteuerText(kFuhrparkKosten, QStringLiteral("LblFilter"));
}

QString FuhrparkSicht()
{
    const int sicht = SteuerIndex(kFuhrparkKosten, QStringLiteral("RadioGrpSicht"));
    const QString jahr = SteuerText(kFuhrparkKosten, QStringLiteral("ComboBoxJahr"));
    if (sicht == 0)
        return QStringLiteral("Alle");
    if (sicht == 1)
        return jahr;
    return SteuerText(kFuhrparkKosten, QStringLiteral("CmbBoxMonat")) + QLatin1Char(' ') + jahr;
}

Werte TourAuswertungSummen()
{
    return beschriftungen(kTourAuswertung, {"AnzTouren", "SummeTourenKm", "SummeKosten", "SummeErtraege"},
                          {"TLblSummeTouren", "TLblSummeTourenKm", "LblSummeKosten", "LblSummeErtraege"});
}

Werte FahrerTourSummen()
{
    const QStringList namen = {"AnzTouren", "SummeTourenKm", "SummeErtraege"};
    return beschriftungen(kFahrer, namen, namen);
}

QString AuswertungsZeitraum()
{
    return SteuerText(kMonatAlleFahrzeuge, QStringLiteral("LblAuswertungszeitraum"));
}

} // namespace reporting
