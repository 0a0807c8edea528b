#include <cmath>
#include <exception>

#include "base/Abort.h"
#include "base/DateTime.h"
#include "base/GermanFormat.h"
#include "daten/DataModule1.h"
#include "dienste/DetailFensterZugriff.h"
#include "dienste/Protokoll.h"
#include "regeln/DetailRegeln.h"
#include "regeln/RegelHilfen.h"
#include "ui/Messages.h"

namespace fleet {

bool ImportSatzBuchen = false;
bool ImportBuchungslauf = false;

namespace {

const QString kGrid = QStringLiteral("TDBGridVarKosten");

const QString kBelegDatumFehlt =
    QStringLiteral("Bitte geben Sie ein BelegDatum ein, da sonst eine zeiltliche "
                   "Zuordnung der Kosten nicht möglich ist");
const QString kBetragFehlt =
    QStringLiteral("Bitte geben Sie noch die Kosten in die entsprechende Spalte ein.");
const QString kDoppelt = QStringLiteral(
    "Ein Kostendatensatz mit den gleichen Schlüsseldaten ist schon vorhanden - Sie können nicht bei einem "
    "Fahrzeug zwei Kostenbelege mit gleichem Datum und Beleg-Nummer speichern - bitte ändern Sie eines der "
    "beiden Felder, hängen Sie an die Beleg-Nummer z.B. ein \"A\", um die beiden Belege für das Programm zu "
    "unterscheiden oder klicken Sie auf die Löschen-Taste, um diesen Kostendatensatz zu verwerfen.");

const char *const kBetragsfelder[] = {
    "Reparaturkosten", "Wartungkosten",   "Untersuchungkosten", "Reifenkosten", "SonstigeKosten",
    "Sonstige2Kosten", "Sonstige3Kosten", "Sonstige4Kosten",    "PflegeKosten", "Benzin/Preis"};

struct Terminkennzeichen {
    const char *kennzeichen;
    const char *edit;
    const char *frage;
};

const Terminkennzeichen kTermine[] = {
    {"TUV", "EditTUEVTermin", "Möchten Sie den HU-Termin fortschreiben"},
    {"ASU", "EditASUTermin", "Möchten Sie den AU-Termin fortschreiben"},
    {"I", "EditInspektionTermin", "Möchten Sie den Inspektionstermin fortschreiben"},
    {"KLI", "EditKlInspektionTermin", "Möchten Sie den Kleine Inspektion Termin fortschreiben"},
    {"GRI", "EditGrInspektionTermin", "Möchten Sie den Große Inspektion Termin fortschreiben"},
    {"VI1", "EditVignetteTermin1", "Möchten Sie den Vignette1-Termin fortschreiben"},
    {"VI2", "EditVignetteTermin2", "Möchten Sie den Vignette2-Wartung Termin fortschreiben"},
};
constexpr int kFreieTermine = 14;

[[noreturn]] void abweisen(const QString &text, const QString &feld)
{
    ui::messages().error(text);
    SpalteZeigen(kGrid, feld);
    base::abortSilently();
}

void neuerBeleg()
{
    // A new receipt must be visible whatever period the page shows.
    if (DetailFensterZugriff *fenster = Detailfenster())
        fenster->KostenSichtSetzen(0);
}

void belegPruefen(dbe::TDataSet &beleg)
{
    dbe::TField *datum = beleg.FieldByName(QStringLiteral("BelegDatum"));
    if (datum->IsNull())
        abweisen(kBelegDatumFehlt, QStringLiteral("BelegDatum"));
    bool betrag = false;
    for (const char *name : kBetragsfelder)
        betrag = betrag || !beleg.FieldByName(QString::fromUtf8(name))->IsNull();
    if (!betrag)
        abweisen(kBetragFehlt, QStringLiteral("Benzin/Preis"));

    int jahr = 0, monat = 0, tag = 0;
    base::decodeDate(datum->AsDateTime(), jahr, monat, tag);
    const QString jahrText = QString::number(jahr);
    beleg.FieldByName(QStringLiteral("Jahr"))->SetAsString(jahrText);
    beleg.FieldByName(QStringLiteral("Monat"))->SetAsString(base::de::monthName(monat));

    DetailFensterZugriff *fenster = Detailfenster();
    if (fenster && fenster->KostenSicht() == 2 && fenster->KostenJahr() != jahrText)
        fenster->KostenSichtSetzen(0);
}

// The receipt's odometer reading raises the vehicle's. A vehicle the user is
// editing keeps its pending edit: the reading goes into it and is saved with
// the user's own save. Never shows an error.
void kmStandAnheben(dbe::TTable &fahrzeug, const dbe::TDataSet &beleg)
{
    bool selbstBearbeitet = false;
    try {
        if (!fahrzeug.Active())
            return;
        const bool offen = fahrzeug.State() == dbe::TDataSetState::dsEdit ||
                           fahrzeug.State() == dbe::TDataSetState::dsInsert;
        if (!offen && fahrzeug.IsEmpty())
            return;
        const dbe::TField *belegStand = beleg.FieldByName(QStringLiteral("Mwst"));
        dbe::TField *kmStand = fahrzeug.FieldByName(QStringLiteral("KfzKmStand"));
        if (std::llround(kmStand->AsFloat()) >= std::llround(belegStand->AsFloat()))
            return;
        if (offen) {
            kmStand->SetValue(belegStand->Value());
            return;
        }
        fahrzeug.Edit();
        selbstBearbeitet = true;
        kmStand->SetValue(belegStand->Value());
        fahrzeug.Post();
    } catch (const std::exception &e) {
        Verschluckt(Q_FUNC_INFO, e);
        if (!selbstBearbeitet)
            return;
        try {
            fahrzeug.Cancel();
        } catch (const std::exception &e) {
            Verschluckt(Q_FUNC_INFO, e);
        }
    }
}

void terminFortschreibenAnbieten(const dbe::TDataSet &beleg)
{
    DetailFensterZugriff *fenster = Detailfenster();
    const QString kennzeichen = beleg.FieldByName(QStringLiteral("TerminKz"))->AsString();
    if (!fenster || kennzeichen.isEmpty())
        return;
    QString edit, frage;
    for (const Terminkennzeichen &t : kTermine) {
        if (kennzeichen == QString::fromUtf8(t.kennzeichen)) {
            edit = QString::fromUtf8(t.edit);
            frage = QString::fromUtf8(t.frage);
        }
    }
    for (int n = 1; n <= kFreieTermine && edit.isEmpty(); ++n) {
        if (kennzeichen == QStringLiteral("FT%1").arg(n)) {
            edit = QStringLiteral("EditFreierTermin%1").arg(n);
            frage = QStringLiteral("Möchten Sie den ") +
                    fenster->Beschriftung(QStringLiteral("LblFreierTermin%1").arg(n)) +
                    QStringLiteral(" fortschreiben");
        }
    }
    if (!edit.isEmpty() && ui::messages().question(frage))
        fenster->TerminFortschreiben(edit);
}

void belegGebucht(TDataModule1 &dm, dbe::TDataSet &beleg)
{
    if (!ImportSatzBuchen)
        kmStandAnheben(dm.TTblMain, beleg);
    ImportSatzBuchen = false;
    terminFortschreibenAnbieten(beleg);
}

void belegAbgewiesen(dbe::EDatabaseError &fehler, dbe::TDataAction &aktion)
{
    aktion = dbe::TDataAction::daAbort;
    if (ImportBuchungslauf)
        return;
    if (!IstSchluesselverletzung(fehler)) {
        ui::messages().error(fehler.Message());
        return;
    }
    ui::messages().error(kDoppelt);
    SpalteZeigen(kGrid, QStringLiteral("BelegNummer"));
}

} // namespace

void KostenRegelnBinden(TDataModule1 &dm)
{
    dm.TTblVarKostenBeforeInsert = [](dbe::TDataSet &) { neuerBeleg(); };
    dm.TTblVarKostenBeforePost = [](dbe::TDataSet &beleg) { belegPruefen(beleg); };
    dm.TTblVarKostenAfterPost = [&dm](dbe::TDataSet &beleg) { belegGebucht(dm, beleg); };
    dm.TTblVarKostenPostError = [](dbe::TDataSet &, dbe::EDatabaseError &fehler, dbe::TDataAction &aktion) {
        belegAbgewiesen(fehler, aktion);
    };
}

} // namespace fleet
