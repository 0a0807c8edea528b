#include "regeln/FahrzeugRegeln.h"

#include <memory>

#include <QPair>

#include "base/Abort.h"
#include "daten/DataModule1.h"
#include "daten/MandantDaten.h"
#include "dbe/Session.h"
#include "dienste/HauptFormularZugriff.h"
#include "dienste/Protokoll.h"
#include "regeln/FahrzeugKaskade.h"
#include "regeln/LeasingPrognose.h"
#include "regeln/MonatsSummen.h"
#include "regeln/TabellenAnweisung.h"
#include "regeln/TerminNotizen.h"
#include "regeln/Terminarten.h"
#include "ui/Messages.h"

namespace fleet {

QStringList TermineBeimScrollen;
bool AfterScrollUeberspringen = false;
QString AktuellesBild;

const QList<TerminFeld> &TerminFelder()
{
    static const QList<TerminFeld> felder = [] {
        QList<TerminFeld> f;
        for (const Terminart &art : Terminarten())
            f.append({art.stammFeld, art.terminName()});
        return f;
    }();
    return felder;
}

void TermineMerken(const dbe::TDataSet &fahrzeuge)
{
    QStringList werte;
    for (const TerminFeld &t : TerminFelder())
        werte << fahrzeuge.FieldByName(t.feld)->AsString();
    TermineBeimScrollen = werte;
}

void FahrzeugAnzahlSpeichern(TDataModule1 &dm)
{
    dbe::TTable &mandanten = dm.TblMandanten;
    try {
        if (MandantDatenLesen(dm.TTblMain.DatabaseName(), true)) {
            // All vehicles of the client, whatever filter the window has in force.
            const int anzahl = GespeicherteZeilen(dm.TTblMain);
            mandanten.Edit();
            mandanten.FieldByName(QStringLiteral("AnzahlFahrzeuge"))->SetAsInteger(anzahl);
            mandanten.Post();
        }
    } catch (const std::exception &) {
        try {
            mandanten.Cancel();
        } catch (const std::exception &e) {
            Verschluckt(Q_FUNC_INFO, e);
        }
        ui::messages().error(QStringLiteral("Fehler beim Schreiben der Anzahl der Mandantenfahrzeuge"));
    }
    try {
        mandanten.Close();
    } catch (const std::exception &e) {
        Verschluckt(Q_FUNC_INFO, e);
    }
}

namespace {

// What the rules carry from one event of the vehicle table to the next.
struct Zustand {
    // Notes of changed appointments, deleted once the save has succeeded.
    QString notizKfzNr;
    QList<QPair<QString, QString>> notizen; // note name, old due value
    std::unique_ptr<FahrzeugKaskade> kaskade;
};

// Whether the text of a lookup choice is missing from its table; on a miss a
// row with the text is added. Any error is ignored: the vehicle is saved anyway.
void nachschlagErgaenzen(dbe::TTable &tabelle, const QString &text)
{
    if (text.isEmpty())
        return;
    try {
        if (tabelle.FindKey({text}))
            return;
        tabelle.Insert();
        tabelle.Fields(0)->SetAsString(text);
        tabelle.Post();
    } catch (const std::exception &e) {
        Verschluckt(Q_FUNC_INFO, e);
        try {
            tabelle.Cancel();
        } catch (const std::exception &e) {
            Verschluckt(Q_FUNC_INFO, e);
        }
    }
}

void fahrerErgaenzen(dbe::TTable &fahrer, const QString &name)
{
    if (name.isEmpty())
        return;
    try {
        if (fahrer.FindKey({name}))
            return;
        fahrer.Insert();
        fahrer.FieldByName(QStringLiteral("Name"))->SetAsString(name);
        fahrer.Post();
    } catch (const std::exception &e) {
        Verschluckt(Q_FUNC_INFO, e);
        try {
            fahrer.Cancel();
        } catch (const std::exception &e) {
            Verschluckt(Q_FUNC_INFO, e);
        }
    }
}

void beforeInsert()
{
    HauptFormularZugriff *fenster = Hauptfenster();
    if (fenster && fenster->FahrzeugFilterAktiv()) {
        ui::messages().information(
            QStringLiteral("Der Filter wird vor der Neueingabe von Fahrzeugen ausgeschaltet."));
        fenster->Filtereinaus1Click();
    }
}

void kfzNrFreigeben(bool freigeben)
{
    if (HauptFormularZugriff *fenster = Hauptfenster())
        fenster->KfzNrEingabeFreigeben(freigeben);
}

void beforePost(TDataModule1 &dm, Zustand &z, dbe::TDataSet &fahrzeuge)
{
    z.notizen.clear();
    z.notizKfzNr.clear();
    HauptFormularZugriff *fenster = Hauptfenster();

    const QString kfzNr = fahrzeuge.FieldByName(QStringLiteral("KfzNr"))->AsString();
    if (kfzNr.isEmpty()) {
        ui::messages().error(QStringLiteral("Bitte geben Sie unbedingt eine Kfz.-Nr (Kennzeichen) für das "
                                            "Fahrzeug ein oder brechen Sie die Eingabe "
                                            "ab (X-Symboltaste)"));
        if (fenster)
            fenster->KfzNrEingabeZeigen();
        base::abortSilently();
    }

    // Only an existing vehicle has notes; they go after the save succeeded.
    if (fahrzeuge.State() == dbe::TDataSetState::dsEdit &&
        TermineBeimScrollen.size() == TerminFelder().size()) {
        z.notizKfzNr = kfzNr;
        for (int i = 0; i < TerminFelder().size(); ++i) {
            const TerminFeld &t = TerminFelder()[i];
            if (fahrzeuge.FieldByName(t.feld)->AsString() != TermineBeimScrollen[i])
                z.notizen.append({t.notizName, TermineBeimScrollen[i]});
        }
    }

    if (fenster) {
        nachschlagErgaenzen(dm.TTblGruppe, fenster->NachschlagText(Nachschlagfeld::Gruppe));
        nachschlagErgaenzen(dm.TTblStandort, fenster->NachschlagText(Nachschlagfeld::Standort));
        nachschlagErgaenzen(dm.TblLeasinggesellschaft,
                            fenster->NachschlagText(Nachschlagfeld::Leasinggesellschaft));
        fahrerErgaenzen(dm.TTblFahrer, fenster->NachschlagText(Nachschlagfeld::Fahrer));
    }
}

void afterPost(TDataModule1 &dm, Zustand &z, dbe::TDataSet &fahrzeuge)
{
    kfzNrFreigeben(false);
    const auto notizen = std::exchange(z.notizen, {});
    for (const auto &[name, alterWert] : notizen)
        TerminInfoLoeschen(z.notizKfzNr, name, alterWert, &fahrzeuge.Session());
    // The saved values are what the next save compares with.
    TermineMerken(fahrzeuge);
    FahrzeugAnzahlSpeichern(dm);
}

void afterCancel(Zustand &z)
{
    z.notizen.clear();
    kfzNrFreigeben(false);
}

void afterScroll(TDataModule1 &dm, dbe::TDataSet &fahrzeuge)
{
    // Remembered in every case, so that a save after a client switch compares
    // with this client's values.
    TermineMerken(fahrzeuge);
    HauptFormularZugriff *fenster = Hauptfenster();
    if (!fenster || AfterScrollUeberspringen) {
        AfterScrollUeberspringen = false;
        return;
    }
    const int reifen = fenster->MontierteReifen();
    if (reifen == 0 || reifen == 1)
        fenster->ReifenSeiteZeigen(reifen);
    fenster->ReifenLaufleistungLoeschen();
    fenster->ReifenLaufleistungAnzeigen();
    if (fenster->DispoSeiteAktiv())
        fenster->DispoAuslastungAnzeigen();
    fenster->BildLeeren();
    AktuellesBild.clear();
    fenster->SchadenFilterAusschalten();

    // While the tables are being opened the monthly rows may not be there yet.
    if (dm.TTblMonatKosten.Active())
        MonatsSummenBerechnen(dm.TTblMonatKosten, MonatsSummen);
    QString prognose;
    LeasingEndKmStand(fahrzeuge.FieldByName(QStringLiteral("FreifeldDatum1"))->AsString(),
                      fahrzeuge.FieldByName(QStringLiteral("FreifeldNum1"))->AsInteger(), prognose,
                      MonatsSummen.SchnittGefKilometer,
                      fahrzeuge.FieldByName(QStringLiteral("KfzKmStand"))->AsFloat());
    fenster->LeasingPrognoseAnzeigen(prognose);
}

void beforeDelete(TDataModule1 &dm, Zustand &z)
{
    // A deletion that never reached its end is undone before a new one starts.
    z.kaskade.reset();
    z.kaskade = std::make_unique<FahrzeugKaskade>(dm);
    try {
        z.kaskade->DetailsLoeschen();
    } catch (...) {
        z.kaskade.reset();
        throw;
    }
}

void afterDelete(TDataModule1 &dm, Zustand &z)
{
    if (z.kaskade) {
        auto kaskade = std::move(z.kaskade);
        kaskade->Abschliessen();
    }
    FahrzeugAnzahlSpeichern(dm);
}

} // namespace

void FahrzeugRegelnBinden(TDataModule1 &dm)
{
    auto z = std::make_shared<Zustand>();
    dm.TTblMainBeforeInsert = [](dbe::TDataSet &) { beforeInsert(); };
    dm.TTblMainAfterInsert = [](dbe::TDataSet &) { kfzNrFreigeben(true); };
    dm.TTblMainBeforePost = [&dm, z](dbe::TDataSet &d) { beforePost(dm, *z, d); };
    dm.TTblMainAfterPost = [&dm, z](dbe::TDataSet &d) { afterPost(dm, *z, d); };
    dm.TTblMainAfterCancel = [z](dbe::TDataSet &) { afterCancel(*z); };
    dm.TTblMainAfterScroll = [&dm](dbe::TDataSet &d) { afterScroll(dm, d); };
    dm.TTblMainBeforeDelete = [&dm, z](dbe::TDataSet &) { beforeDelete(dm, *z); };
    dm.TTblMainAfterDelete = [&dm, z](dbe::TDataSet &) { afterDelete(dm, *z); };
    // The vehicle row itself failing to go undoes the details deleted before it.
    dm.TTblMain.OnDeleteError = [z, vorher = dm.TTblMain.OnDeleteError](
                                    dbe::TDataSet &d, dbe::EDatabaseError &e, dbe::TDataAction &aktion) {
        z->kaskade.reset();
        if (vorher)
            vorher(d, e, aktion);
    };
}

} // namespace fleet
