#include "katalog_umgebung.h"

#include <QDate>
#include <QLabel>
#include <QLocale>
#include <QVariant>

#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "daten/DataModuleFahrer.h"
#include "daten/MandantDaten.h"
#include "dbe/Table.h"
#include "formulare/MandantenFormular.h"
#include "regeln/FeldBezeichnungen.h"

namespace katalogtest {

using kerntest::zeileAnfuegen;

MarkenGrid::MarkenGrid(QWidget *form, const char *name, dbe::TDataSet &daten) : QWidget(form), daten_(daten)
{
    setObjectName(QString::fromLatin1(name));
}

void MarkenGrid::markieren(const QString &feld, const QStringList &werte)
{
    marken_.clear();
    for (const QString &wert : werte) {
        if (daten_.Locate(feld, wert))
            marken_.append(daten_.GetBookmark());
    }
    daten_.First();
}

namespace {

const QString F = fleet::kAliasFuhrpark;
const QString P = fleet::kAliasFuhrparkPriv;

// The controls of the stand-in forms; a label carries every kind of value the reports read.
const std::map<QString, QStringList> kSteuer = {
    {"HauptFormular",
     {"TLblDErtragMonat",
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
      "TLblDPflegeKostenMonat",
      "TLblVerbrauchKostenMonat",
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
      "LblSummeUeberschussMonat",
      "LblVorausLsEndKmStand",
      "LblFreierTermin1",
      "LblFreierTermin2",
      "LblFreierTermin3",
      "LblFreierTermin4",
      "LblFreierTermin5",
      "LblFreierTermin6",
      "LblFreierTermin7",
      "LblFreierTermin8",
      "LblFreierTermin9",
      "LblFreierTermin10",
      "LblFreierTermin11",
      "LblFreierTermin12",
      "LblFreierTermin13",
      "LblFreierTermin14",
      "LblInspektionTermin",
      "LblKlInspektionTermin",
      "LblGrInspektionTermin",
      "LblVignette1Termin",
      "LblVignette2Termin",
      "LblAuslastung",
      "ComboBoxJahr",
      "CmbBoxMonatsauswertungJahr",
      "CmbBoxMonatsauswertungMonat",
      "CmbBoxDispositionMonat",
      "CmbBoxDispositionJahr",
      "RadioGrpDispoFahrzeuge",
      "RadioGrpDispositionSicht",
      "EditKfzNr",
      "DateTimePckDisposition",
      "DateTimePckDispositionBis"}},
    {"TerminFormular",
     {"TLblTerminart", "LblVorwarnzeitTage", "LblVorwarnzeitKm", "DateTimePckTermine",
      "DateTimePckTermineVon"}},
    {"TerminInfoDlg",
     {"LblTerminInfo", "EditTerminInfoServiceTermin", "CmbBoxTerminInfoUhrzeit", "EditTerminInfoTerminBis",
      "CmbBoxTerminInfoUhrzeitBis", "MemoTerminInfo", "EditTerminInfoFreifeld1", "EditTerminInfoFreifeld2",
      "EditTerminInfoFreifeld3", "EditTerminInfoFreifeld4"}},
    {"TourAuswertungFormular",
     {"TLblSummeTouren", "TLblSummeTourenKm", "LblSummeKosten", "LblSummeErtraege"}},
    {"FuhrparkKostenFormular",
     {"LblSummeFuhrparkGesamtkosten",
      "LBLSummeFuhrparkVerbrauchKosten",
      "LblSummeFuhrparkReparaturKosten",
      "LblSummeFuhrparkWartungKosten",
      "LblSummeFuhrparkUntersuchungKosten",
      "LblSummeFuhrparkReifenKosten",
      "LblSummeFuhrparkPflegeKosten",
      "LblSummeFuhrparkSonstigeKosten",
      "LblSummeFuhrparkSonstige2Kosten",
      "LblSummeFuhrparkSonstige3Kosten",
      "LblSummeFuhrparkSonstige4Kosten",
      "LblSummeFuhrparkErtrag",
      "LblSummeFuhrparkVerbrauchL",
      "LBLSummeFuhrparkGefKm",
      "LblSummeFuhrparkVarkosten",
      "LblSummeFuhrparkFixkosten",
      "LblFilter",
      "RadioGrpSicht",
      "ComboBoxJahr",
      "CmbBoxMonat"}},
    {"AlleFahrzeugeFormular", {"TComboBoxSort"}},
    {"MonatsauswertungAlleFahrzeugeFormular", {"LblAuswertungszeitraum"}},
    {"FahrerStammdatenFormular", {"AnzTouren", "SummeTourenKm", "SummeErtraege"}},
};

} // namespace

KatalogUmgebung::KatalogUmgebung() : umgebung_(std::make_unique<kerntest::Umgebung>())
{
    datenAnlegen();
    fleet::DataModule1 = new fleet::TDataModule1(&session());
    fleet::DataModuleFahrerErzeugen();
    fleet::MandantDaten = {"Mandant1",
                           "Spedition Kühne & Söhne",
                           "GmbH & Co. KG",
                           "",
                           "Hafenstraße 5",
                           "D",
                           "20457",
                           "Hamburg",
                           "040 123456",
                           "040 123457",
                           "",
                           "www.kuehne-soehne.de",
                           "Hauptsitz",
                           "",
                           ""};
    fleet::FeldBezeichnungen = fleet::FeldBezeichnungenLesen([](const QString &) { return QString(); });
    formenAnlegen();
    katalog_ = std::make_unique<reporting::TReportKatalog>(formular(QStringLiteral("HauptFormular")));
}

KatalogUmgebung::~KatalogUmgebung()
{
    katalog_.reset();
    formen_.clear();
    fleet::DataModuleFahrerFreigeben();
    delete fleet::DataModule1;
    fleet::DataModule1 = nullptr;
    umgebung_.reset();
}

void KatalogUmgebung::datenAnlegen()
{
    dbe::TSession &s = session();
    const struct {
        const char *kfzNr, *info, *marke;
    } fahrzeuge[] = {{"B-XY 2024", "Großraumtransporter", "Mercedes-Benz"},
                     {"HH-KA 100", "Sprinter Kühlkoffer", "Mercedes-Benz"},
                     {"M-ÖL 77", "Tankwagen Süd", "MAN"}};
    for (const auto &f : fahrzeuge)
        zeileAnfuegen(s, F, "KfzStamm.db", {"KfzNr", "Info", "KfzMarke"},
                      {QString::fromUtf8(f.kfzNr), QString::fromUtf8(f.info), QString::fromUtf8(f.marke)});
    for (int i = 0; i < 6; ++i) {
        const QString kfz = i < 4 ? QStringLiteral("B-XY 2024") : QStringLiteral("HH-KA 100");
        zeileAnfuegen(s, F, "KfzTour.db",
                      {"KfzNr", "Datum", "Tour", "FahrerName", "Kostenstelle", "AbfahrtKm", "AnkunftKm",
                       "GefahrenKm", "Ertrag", "Bemerkungen"},
                      {kfz, QDate(2024, 3, i + 1), QStringLiteral("T%1").arg(i + 1),
                       QStringLiteral("Jürgen Müller"), QStringLiteral("Nord"), 10000 + i * 250,
                       10250 + i * 250, 250, 1234.5 + i, QStringLiteral("Lieferung Großhandel Lübeck")});
        zeileAnfuegen(s, F, "KfzVar.db",
                      {"KfzNr", "BelegDatum", "BelegNummer", "ReparaturKosten", "Bemerkungen"},
                      {kfz, QDate(2024, 2, i + 1), QStringLiteral("R-%1").arg(4711 + i), 1234.56 + i,
                       QStringLiteral("Ölwechsel und Bremsbeläge %1").arg(i + 1)});
        zeileAnfuegen(s, F, "KfzHisto.db", {"KfzNr", "Datum", "Info"},
                      {kfz, QDate(2023, 5, i + 1), QStringLiteral("Übergabe an Fahrer %1").arg(i + 1)});
        zeileAnfuegen(s, F, "KfzSchad.db", {"KfzNr", "Datum", "Bearbeitungsnummer"},
                      {kfz, QDate(2023, 6, i + 1), QStringLiteral("S-%1").arg(100 + i)});
    }
    for (int jahr : {2005, 2006})
        for (int monat = 1; monat <= 2; ++monat)
            zeileAnfuegen(s, F, "KfzMonat.DB", {"KfzNr", "AuswJahr", "AuswMonatNum", "AuswMonatText"},
                          {QStringLiteral("B-XY 2024"), jahr, monat,
                           monat == 1 ? QStringLiteral("Januar") : QStringLiteral("Februar")});
    for (const char *kfz : {"B-XY 2024", "HH-KA 100", "M-ÖL 77"}) {
        const QString k = QString::fromUtf8(kfz);
        zeileAnfuegen(s, P, "KfzVergl.db", {"KfzNr"}, {k});
        zeileAnfuegen(s, P, "Termine.DB", {"KfzNr"}, {k});
        zeileAnfuegen(s, P, "KfzFuKst.db", {"KfzNr"}, {k});
        zeileAnfuegen(s, P, "MoAusPrv.DB", {"KfzNr"}, {k});
        zeileAnfuegen(s, F, "KfzReif.db", {"KfzNr"}, {k});
    }
    zeileAnfuegen(s, F, "KfzDispo.DB", {"Kfznr", "DatumVon", "DatumBis"},
                  {QStringLiteral("B-XY 2024"), QDate(2024, 4, 2), QDate(2024, 4, 5)});
    zeileAnfuegen(s, F, "KfzFahrer.DB", {"Name"}, {QStringLiteral("Jürgen Müller")});
    zeileAnfuegen(s, F, "KfzFahrer.DB", {"Name"}, {QStringLiteral("Åsa Öberg")});
    zeileAnfuegen(s, F, "KfzFaHis.db", {"Name", "DatumVon", "DatumBis", "Info"},
                  {QStringLiteral("Jürgen Müller"), QDate(2024, 1, 1), QDate(2024, 1, 31),
                   QStringLiteral("Urlaubsvertretung")});
    zeileAnfuegen(
        s, F, "KfzTerminInfo.db", {"Kfznr", "TerminName", "TerminWert"},
        {QStringLiteral("B-XY 2024"), QStringLiteral("TTblTermineKfzNr"), QStringLiteral("B-XY 2024")});
}

void KatalogUmgebung::formenAnlegen()
{
    for (const auto &[name, steuer] : kSteuer) {
        auto form = std::make_unique<QWidget>();
        form->setObjectName(name);
        int i = 0;
        for (const QString &s : steuer) {
            // Amounts as the forms show them, each another.
            auto *l = new QLabel(QLocale(QLocale::German).toString(1234.5 * ++i, 'f', 2), form.get());
            l->setObjectName(s);
        }
        formen_[name] = std::move(form);
    }
    formen_[QStringLiteral("MandantenFormular")] = std::make_unique<fleet::TMandantenFormular>();
    // The client form shows the clients while it is open.
    fleet::DataModule1->TblMandanten.Open();
    // So does the due-appointment form its list.
    fleet::DataModule1->TTblTermine.Open();
    termineGrid_ = new MarkenGrid(formular(QStringLiteral("TerminFormular")), "DBGrid1",
                                  fleet::DataModule1->TTblTermine);
    tourenGrid_ = new MarkenGrid(formular(QStringLiteral("TourAuswertungFormular")), "DBGridTourAuswertung",
                                 fleet::DataModule1->TTblTouren);
    setzen("HauptFormular", "ComboBoxJahr", QStringLiteral("2005"));
    setzen("HauptFormular", "CmbBoxMonatsauswertungJahr", QStringLiteral("2024"));
    indexSetzen("HauptFormular", "CmbBoxMonatsauswertungMonat", 2);
    indexSetzen("HauptFormular", "RadioGrpDispoFahrzeuge", 1);
    indexSetzen("HauptFormular", "RadioGrpDispositionSicht", 0);
    indexSetzen("FuhrparkKostenFormular", "RadioGrpSicht", 0);
    setzen("FuhrparkKostenFormular", "LblFilter", QStringLiteral("Gruppe Süd"));
    setzen("AlleFahrzeugeFormular", "TComboBoxSort", QStringLiteral("Gesamtkosten"));
    setzen("MonatsauswertungAlleFahrzeugeFormular", "LblAuswertungszeitraum", QStringLiteral("März 2024"));
    setzen("TerminFormular", "TLblTerminart", QStringLiteral("Fällige Termine"));
    setzen("TerminFormular", "DateTimePckTermine", QStringLiteral("31.03.2024"));
    setzen("TerminFormular", "DateTimePckTermineVon", QStringLiteral("01.03.2024"));
    setzen("TerminInfoDlg", "LblTerminInfo", QStringLiteral("B-XY 2024"));
    setzen("TerminInfoDlg", "EditTerminInfoServiceTermin", QStringLiteral("15.04.2024"));
    setzen("TerminInfoDlg", "MemoTerminInfo",
           QStringLiteral("Bremsen prüfen, Ölwechsel, Wischerblätter tauschen"));
    setzen("HauptFormular", "LblAuslastung", QStringLiteral("Auslastung: 73 %"));
    setzen("HauptFormular", "EditKfzNr", QStringLiteral("B-XY 2024"));
    const std::pair<const char *, const char *> termine[] = {{"LblInspektionTermin", "Inspektion"},
                                                             {"LblKlInspektionTermin", "Kl. Inspektion"},
                                                             {"LblGrInspektionTermin", "Gr. Inspektion"},
                                                             {"LblVignette1Termin", "Vignette 1"},
                                                             {"LblVignette2Termin", "Vignette 2"}};
    for (const auto &[label, text] : termine)
        setzen("HauptFormular", label, QString::fromUtf8(text));
    setzen("TerminFormular", "LblVorwarnzeitTage", QStringLiteral("30"));
    setzen("TerminFormular", "LblVorwarnzeitKm", QStringLiteral("1.500"));
    for (int i = 1; i <= 14; ++i)
        setzen("HauptFormular", QStringLiteral("LblFreierTermin%1").arg(i).toLatin1().constData(),
               QStringLiteral("Freier Termin %1").arg(i));
}

void KatalogUmgebung::setzen(const QString &form, const char *steuer, const QString &text)
{
    formular(form)->findChild<QLabel *>(QString::fromLatin1(steuer))->setText(text);
}

void KatalogUmgebung::indexSetzen(const QString &form, const char *steuer, int index)
{
    formular(form)->findChild<QObject *>(QString::fromLatin1(steuer))->setProperty("itemIndex", index);
}

} // namespace katalogtest
