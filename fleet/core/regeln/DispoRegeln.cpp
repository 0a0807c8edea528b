#include "regeln/DispoRegeln.h"

#include <cmath>
#include <exception>

#include "base/Abort.h"
#include "base/GermanFormat.h"
#include "daten/DataModule1.h"
#include "dienste/DetailFensterZugriff.h"
#include "dienste/Protokoll.h"
#include "dienste/TerminDienste.h"
#include "regeln/DispoKollision.h"
#include "regeln/RegelHilfen.h"
#include "ui/Clock.h"
#include "ui/DBGrid.h"
#include "ui/Messages.h"

namespace fleet {

QChar KollisionsPruefung = QLatin1Char('D');
QChar KollisionsAktion = QLatin1Char('W');
bool DispoNurEigene = false;
QString AktuellerArbeitsplatz = QStringLiteral("unbekannt");
bool DispoFortschreiben = false;
DispoKopieFelder DispoKopie;
bool DispoEingabeBestaetigt = false;

namespace {

const QString kGrid = QStringLiteral("DBGridDispo");

const QString kAnzeigeUmgestellt =
    QStringLiteral("Zur Eingabe neuer Daten wird die Anzeige auf \"Aktuelles Fahrzeug\" gestellt und der "
                   "sichtbare Zeitraum auf \"Alle\"");
const QString kDatumVonFehlt =
    QStringLiteral("Bitte geben Sie mindestens ein DatumVon ein, da sonst eine zeiltliche Zuordnung der "
                   "Fahrzeugbelegung nicht möglich ist");
const QString kUhrzeitFolge =
    QStringLiteral("Bitte geben Sie die Uhrzeit/Bis größer ein als die Uhrzeit/Von");
const QString kKeinRechtAendern = QStringLiteral("Sie haben nicht das Recht, diese Disposition zu ändern !");
const QString kKeinRechtLoeschen =
    QStringLiteral("Sie haben nicht das Recht, diese Disposition zu löschen !");
const QString kDoppelt =
    QStringLiteral("Ein Dispositionsdatensatz für genau diesen Zeitraum ist schon vorhanden "
                   "- Bitte ändern Sie den Zeitraum (Datum/Uhrzeit) oder löschen Sie "
                   "diesen Datensatz.");
const QString kPruefungUnmoeglich =
    QStringLiteral("Die Disposition konnte nicht mit den anderen Dispositionen dieses Fahrzeugs verglichen "
                   "werden und wird deshalb nicht gespeichert - bitte versuchen Sie es gleich noch einmal.");
const QString kNeuWiderrufen = QStringLiteral("um den neuen Dispositionsdatensatz wieder zu löschen");
const QString kAenderungWiderrufen = QStringLiteral("um die Änderung zu widerrrufen");

// The period of the last confirmed dialog: its times are offered again for
// the next new booking, as the dialog's time pickers keep their values.
DispoZeitraum letzteEingabe{0, 0, base::encodeTime(12, 0), base::encodeTime(13, 0)};

dbe::TField *feld(const dbe::TDataSet &d, const char *name)
{
    return d.FieldByName(QString::fromLatin1(name));
}

qint64 millisekunden(base::TDateTime t)
{
    return std::llround(t * 86400000.0);
}

[[noreturn]] void spalteUndAbbrechen(const QString &spalte)
{
    SpalteZeigen(kGrid, spalte);
    base::abortSilently();
}

// The window's small duties after a change; their failures do not concern
// the booking.
template <class F> void fensterAufgabe(F aufgabe)
{
    DetailFensterZugriff *fenster = Detailfenster();
    if (!fenster)
        return;
    try {
        aufgabe(*fenster);
    } catch (const std::exception &e) {
        Verschluckt(Q_FUNC_INFO, e);
    }
}

DispoZeitraum vorgabe(const dbe::TDataSet &dispo)
{
    DispoZeitraum z = letzteEingabe;
    try {
        if (DispoFortschreiben) {
            z.DatumVon = feld(dispo, "DatumVon")->AsDateTime();
            z.DatumBis = feld(dispo, "DatumBis")->AsDateTime();
            z.UhrzeitVon = feld(dispo, "UhrzeitVon")->AsDateTime();
            z.UhrzeitBis = feld(dispo, "UhrzeitBis")->AsDateTime();
            return z;
        }
        DetailFensterZugriff *fenster = Detailfenster();
        const std::optional<base::TDateTime> von = fenster ? fenster->DispoErsterTag() : std::nullopt;
        z.DatumVon = von ? *von : ui::today();
        const std::optional<base::TDateTime> bis = fenster ? fenster->DispoLetzterTag() : std::nullopt;
        z.DatumBis = bis ? *bis : z.DatumVon;
    } catch (const std::exception &e) {
        Verschluckt(Q_FUNC_INFO, e);
        z.DatumVon = z.DatumBis = ui::today();
    }
    return z;
}

void vorEinfuegen(const dbe::TDataSet &dispo)
{
    DispoZeitraum z = vorgabe(dispo);
    DetailFensterZugriff *fenster = Detailfenster();
    if (fenster && (fenster->DispoFahrzeugAuswahl() != 0 || fenster->DispoSicht() != 0)) {
        fenster->DispoFahrzeugAuswahlSetzen(0);
        fenster->DispoSichtSetzen(0);
        ui::messages().information(kAnzeigeUmgestellt);
    }
    // Without the period dialog the booking's period is typed in the grid;
    // the checks before saving it still apply.
    if (!Dienst<TerminDienste>::vorhanden()) {
        DispoEingabeBestaetigt = false;
        return;
    }
    DispoEingabeBestaetigt = terminDienste().DispoZeitraumErfragen(z);
    if (!DispoEingabeBestaetigt)
        base::abortSilently();
    letzteEingabe = z;
}

void nachEinfuegen(TDataModule1 &dm, dbe::TDataSet &dispo)
{
    if (!DispoEingabeBestaetigt)
        return;
    DetailFensterZugriff *fenster = Detailfenster();
    if (fenster)
        fenster->DispoKnoepfeFreigeben(false);
    try {
        feld(dispo, "DatumVon")->SetAsDateTime(letzteEingabe.DatumVon);
        feld(dispo, "DatumBis")->SetAsDateTime(letzteEingabe.DatumBis);
        feld(dispo, "UhrzeitVon")->SetAsDateTime(letzteEingabe.UhrzeitVon);
        feld(dispo, "UhrzeitBis")->SetAsDateTime(letzteEingabe.UhrzeitBis);
        if (DispoFortschreiben) {
            feld(dispo, "Tour")->SetAsString(DispoKopie.Tour);
            feld(dispo, "FahrerName")->SetAsString(DispoKopie.FahrerName);
            feld(dispo, "FahrerKz")->SetAsString(DispoKopie.FahrerKz);
            feld(dispo, "FahrerNr")->SetAsString(DispoKopie.FahrerNr);
            feld(dispo, "Kostenstelle")->SetAsString(DispoKopie.Kostenstelle);
            feld(dispo, "Bemerkung1")->SetAsString(DispoKopie.Bemerkung1);
            feld(dispo, "Bemerkung2")->SetAsString(DispoKopie.Bemerkung2);
            feld(dispo, "Bemerkung3")->SetAsString(DispoKopie.Bemerkung3);
        } else {
            for (const char *name : {"FahrerName", "FahrerKz", "FahrerNr", "Kostenstelle"})
                feld(dispo, name)->SetValue(feld(dm.TTblMain, name)->Value());
        }
    } catch (const std::exception &e) {
        Verschluckt(Q_FUNC_INFO, e);
        // The user completes what could not be filled.
    }
    if (ui::DBGrid *grid = fenster ? fenster->Grid(kGrid) : nullptr) {
        grid->setFocus();
        grid->setSelectedIndex(4);
    }
    // The new booking stays in insert state for the user to complete; the
    // command that appended it ends here.
    base::abortSilently();
}

QString kollisionsText(const DispoBuchung &andere)
{
    return QStringLiteral("DatumVon: ") + base::de::formatDate(andere.DatumVon) + QStringLiteral("\r") +
           QStringLiteral("DatumBis:  ") + base::de::formatDate(andere.DatumBis) + QStringLiteral("\r") +
           QStringLiteral("UhrzeitVon: ") + base::de::formatTime(andere.UhrzeitVon) + QStringLiteral("\r") +
           QStringLiteral("UhrzeitBis:  ") + base::de::formatTime(andere.UhrzeitBis) + QStringLiteral("\r\r");
}

void kollisionPruefen(TDataModule1 &dm, const dbe::TDataSet &dispo)
{
    DispoBuchung andere;
    andere.DatumVon = feld(dispo, "DatumVon")->AsDateTime();
    andere.DatumBis = feld(dispo, "DatumBis")->AsDateTime();
    andere.UhrzeitVon = feld(dispo, "UhrzeitVon")->AsDateTime();
    andere.UhrzeitBis = feld(dispo, "UhrzeitBis")->AsDateTime();
    bool kollision = false;
    try {
        kollision =
            DispoKollisionPruefen(dm.TTblDispo, feld(dispo, "Kfznr")->AsString(), dispo.GetBookmark().rowId,
                                  andere.DatumVon, andere.DatumBis, andere.UhrzeitBis, andere.UhrzeitVon);
    } catch (const std::exception &) {
        // Unchecked, the booking might double-book the vehicle.
        ui::messages().error(kPruefungUnmoeglich);
        spalteUndAbbrechen(QStringLiteral("UhrzeitVon"));
    }
    if (!kollision)
        return;
    const QString widerruf =
        dispo.State() == dbe::TDataSetState::dsInsert ? kNeuWiderrufen : kAenderungWiderrufen;
    if (KollisionsAktion == QLatin1Char('V')) {
        ui::messages().warning(
            QStringLiteral("Der eingegebene Zeitraum kollidiert mit einer schon vorhandenen "
                           "Disposition dieses Fahrzeugs: \r") +
            kollisionsText(andere) +
            QStringLiteral("Bitte überprüfen und ändern Sie anschließend den "
                           "Zeitraum(UhrzeitVon/UhrzeitBis) oder klicken Sie auf den "
                           "Löschen-Knopf, ") +
            widerruf);
        spalteUndAbbrechen(QStringLiteral("UhrzeitVon"));
    }
    if (ui::messages().warningQuestion(QStringLiteral("Der eingegebene Zeitraum kollidiert mit einer anderen "
                                                      "Disposition dieses Fahrzeugs: \r") +
                                       kollisionsText(andere) +
                                       QStringLiteral("möchten Sie diese Disposition trotzdem so speichern")))
        return;
    ui::messages().information(
        QStringLiteral("Bitte ändern Sie anschließend den Zeitraum (UhrzeitVon/UhrzeitBis) "
                       "oder klicken Sie auf den Löschen-Knopf, ") +
        widerruf);
    spalteUndAbbrechen(QStringLiteral("UhrzeitVon"));
}

void datumTeileSetzen(dbe::TDataSet &dispo, base::TDateTime datum, const char *jahr, const char *monat,
                      const char *tag)
{
    int j = 0, m = 0, t = 0;
    base::decodeDate(datum, j, m, t);
    feld(dispo, jahr)->SetAsString(QString::number(j));
    feld(dispo, monat)->SetAsString(base::de::monthName(m));
    feld(dispo, tag)->SetAsString(QString::number(t));
}

void buchungPruefen(TDataModule1 &dm, dbe::TDataSet &dispo)
{
    dbe::TField *von = feld(dispo, "DatumVon");
    dbe::TField *bis = feld(dispo, "DatumBis");
    dbe::TField *uhrVon = feld(dispo, "UhrzeitVon");
    dbe::TField *uhrBis = feld(dispo, "UhrzeitBis");
    if (von->IsNull()) {
        ui::messages().error(kDatumVonFehlt);
        spalteUndAbbrechen(QStringLiteral("DatumVon"));
    }
    // Only a hint: the booking is saved all the same.
    if ((bis->IsNull() || bis->AsString() == von->AsString()) && !uhrVon->IsNull() && !uhrBis->IsNull() &&
        millisekunden(uhrVon->AsDateTime()) >= millisekunden(uhrBis->AsDateTime())) {
        ui::messages().error(kUhrzeitFolge);
        SpalteZeigen(kGrid, QStringLiteral("UhrzeitBis"));
    }
    // A booking without an end lasts one day; completed before the test so
    // that such a booking is tested too.
    if (bis->IsNull())
        bis->SetValue(von->Value());
    if (KollisionsPruefung == QLatin1Char('Z') && !uhrVon->IsNull() && !uhrBis->IsNull())
        kollisionPruefen(dm, dispo);

    datumTeileSetzen(dispo, von->AsDateTime(), "JahrVon", "MonatVon", "TagdesMonatsVon");
    datumTeileSetzen(dispo, bis->AsDateTime(), "JahrBis", "MonatBis", "TagdesMonatsBis");
    feld(dispo, "DatumUhrzeitVon")->SetAsDateTime(von->AsDateTime() + uhrVon->AsDateTime());
    feld(dispo, "DatumUhrzeitBis")->SetAsDateTime(bis->AsDateTime() + uhrBis->AsDateTime());
    feld(dispo, "KfzIndex=0")->SetAsInteger(0);
    feld(dispo, "KfzIndex")->SetAsInteger(dm.TTblMain.RecNo());
    if (dispo.State() == dbe::TDataSetState::dsInsert)
        feld(dispo, "AngelegtVon")->SetAsString(AktuellerArbeitsplatz);
}

const QString kAngelegtVon = QStringLiteral("AngelegtVon");

void rechtPruefen(const dbe::TDataSet &dispo, const QString &meldung)
{
    if (!DispoNurEigene)
        return;
    const QString inhaber = dispo.FieldByName(kAngelegtVon)->AsString();
    if (inhaber.isEmpty() || inhaber == AktuellerArbeitsplatz)
        return;
    ui::messages().warning(meldung);
    base::abortSilently();
}

void buchungAbgewiesen(dbe::EDatabaseError &fehler, dbe::TDataAction &aktion)
{
    aktion = dbe::TDataAction::daAbort;
    if (!IstSchluesselverletzung(fehler)) {
        ui::messages().error(fehler.Message());
        return;
    }
    ui::messages().error(kDoppelt);
    SpalteZeigen(kGrid, QStringLiteral("UhrzeitVon"));
}

// A saved, deleted or dropped booking changes what the time line shows; the
// table does not scroll for these, so the line is set here.
void zeitleiste()
{
    fensterAufgabe([](DetailFensterZugriff &f) { f.DispoGrafikZeitraumSetzen(); });
}

void auslastungUndKnoepfe()
{
    fensterAufgabe([](DetailFensterZugriff &f) { f.DispoAuslastungAnzeigen(); });
    fensterAufgabe([](DetailFensterZugriff &f) { f.DispoKnoepfeFreigeben(true); });
}

} // namespace

const QStringList &DispoLoeschRegelFelder()
{
    static const QStringList felder{kAngelegtVon};
    return felder;
}

void DispoRegelnBinden(TDataModule1 &dm)
{
    dm.TTblDispoBeforeInsert = [](dbe::TDataSet &dispo) { vorEinfuegen(dispo); };
    dm.TTblDispoAfterInsert = [&dm](dbe::TDataSet &dispo) { nachEinfuegen(dm, dispo); };
    dm.TTblDispoBeforeEdit = [](dbe::TDataSet &dispo) { rechtPruefen(dispo, kKeinRechtAendern); };
    dm.TTblDispoBeforePost = [&dm](dbe::TDataSet &dispo) { buchungPruefen(dm, dispo); };
    dm.TTblDispoAfterPost = [](dbe::TDataSet &) {
        auslastungUndKnoepfe();
        zeitleiste();
    };
    dm.TTblDispoAfterCancel = [](dbe::TDataSet &) {
        fensterAufgabe([](DetailFensterZugriff &f) { f.DispoKnoepfeFreigeben(true); });
        zeitleiste();
    };
    dm.TTblDispoBeforeDelete = [](dbe::TDataSet &dispo) { rechtPruefen(dispo, kKeinRechtLoeschen); };
    dm.TTblDispoAfterDelete = [](dbe::TDataSet &) {
        fensterAufgabe([](DetailFensterZugriff &f) { f.DispoAuslastungAnzeigen(); });
        zeitleiste();
    };
    dm.TTblDispoAfterScroll = [](dbe::TDataSet &) {
        fensterAufgabe([](DetailFensterZugriff &f) { f.DispoGrafikZeitraumSetzen(); });
    };
    dm.TTblDispoAfterRefresh = dm.TTblDispoAfterScroll;
    dm.TTblDispoPostError = [](dbe::TDataSet &, dbe::EDatabaseError &fehler, dbe::TDataAction &aktion) {
        buchungAbgewiesen(fehler, aktion);
    };
}

} // namespace fleet
