#include "regeln/FahrzeugKaskade.h"

#include "base/Abort.h"
#include "daten/DataModule1.h"
#include "daten/TabellenRoutinen.h"
#include "dbe/Query.h"
#include "dbe/Session.h"
#include "dienste/HauptFormularZugriff.h"
#include "dienste/Protokoll.h"
#include "regeln/DispoRegeln.h"
#include "regeln/TabellenAnweisung.h"
#include "ui/Messages.h"

namespace fleet {

namespace {

const QString kSperrMeldung = QStringLiteral("Kann eine oder mehrere Tabellen für diesen Löschvorgang nicht "
                                             "sperren. Warscheinlich werden diese Tabellen gerade "
                                             "von einem anderen Anwender genutzt.Versuchen Sie es gleich "
                                             "noch einmal oder beenden Sie das Programm und starten "
                                             "es erneut und versuchen es dann noch einmal.");

// A table whose rows went with the vehicle failed: its message is shown, the
// deletion is undone and cancelled.
struct TabellenFehler {
    QString meldung;
};

// Deletes every row of the vehicle in a table with one statement: through the
// module's table `vorbild` when it is open on that table in an order that
// starts with the vehicle field (a range deletion ignores its master link and
// filters), else on a cursor of its own. `vorbild` reads again at once unless
// `vomFahrzeugGelesen`: the vehicle row's deletion that follows moves its
// master, and with it, it reads anyway. Returns the number of rows deleted.
int zeilenLoeschen(dbe::TTable &vorbild, const QString &tabelle, const QString &kfzFeld, const QString &kfzNr,
                   const QString &meldung, bool vomFahrzeugGelesen = false)
{
    try {
        const bool gleicheTabelle = vorbild.Active() && vorbild.TableName() == tabelle;
        if (gleicheTabelle) {
            const QStringList ordnung = vorbild.IndexFields();
            if (!ordnung.isEmpty() && ordnung.first().compare(kfzFeld, Qt::CaseInsensitive) == 0) {
                return vomFahrzeugGelesen ? vorbild.DeleteRangeUnread({kfzNr}, {kfzNr})
                                          : vorbild.DeleteRange({kfzNr}, {kfzNr});
            }
        }
        dbe::TTable t(&vorbild.Session());
        t.SetDatabaseName(vorbild.DatabaseName());
        t.SetTableName(tabelle);
        t.SetIndexFieldNames(kfzFeld);
        t.Open();
        const int n = t.DeleteRangeUnread({kfzNr}, {kfzNr});
        if (n > 0 && gleicheTabelle && !vomFahrzeugGelesen)
            vorbild.Refresh();
        return n;
    } catch (const dbe::EDBEngineError &e) {
        // The storage's reason (a full disk, a row another workstation edits) beside the message.
        throw TabellenFehler{meldung + QStringLiteral("\r") + e.Message()};
    } catch (const dbe::EDatabaseError &) {
        throw TabellenFehler{meldung};
    }
}

const QString kDispoMeldung = QStringLiteral("Kann zugehörige Dispositionsdatensätze nicht löschen!");

} // namespace

FahrzeugKaskade::FahrzeugKaskade(TDataModule1 &dm) : dm_(dm) {}

FahrzeugKaskade::~FahrzeugKaskade()
{
    if (transaktion_) {
        try {
            transaktion_->Rollback();
        } catch (const std::exception &e) {
            Verschluckt(Q_FUNC_INFO, e);
        }
        transaktion_.reset();
        // The window's details show again what the rollback brought back.
        for (dbe::TTable *t : std::exchange(geleert_, {})) {
            if (t == &dm_.TblBild && bildGeoeffnet_)
                continue; // closed below
            try {
                if (t->Active())
                    t->Refresh();
            } catch (const std::exception &e) {
                Verschluckt(Q_FUNC_INFO, e);
            }
        }
    }
    freigeben();
}

void FahrzeugKaskade::sperren()
{
    if (!dm_.TblBild.Active()) {
        dm_.TblBild.Open();
        bildGeoeffnet_ = true;
    }
    // The same order on every workstation.
    for (dbe::TTable *t : {&dm_.TTblTouren, &dm_.TTblVarKosten, &dm_.TTblMonatKosten, &dm_.TTblReifen,
                           &dm_.TTblHistorie, &dm_.TTblDispo, &dm_.TblBild, &dm_.TblSchadensmanagement}) {
        if (!TabelleSperren(*t)) {
            freigeben();
            ui::messages().error(kSperrMeldung);
            base::abortSilently();
        }
        gesperrt_.append(t);
    }
}

void FahrzeugKaskade::freigeben()
{
    for (dbe::TTable *t : std::exchange(gesperrt_, {}))
        TabelleEntsperren(*t);
    if (std::exchange(bildGeoeffnet_, false)) {
        try {
            dm_.TblBild.Close();
        } catch (const std::exception &e) {
            Verschluckt(Q_FUNC_INFO, e);
        }
    }
}

void FahrzeugKaskade::buchungenPruefen(const QString &kfzNr)
{
    // The view is put on the vehicle and all periods, as after the deletion
    // it shows what is left of it.
    if (HauptFormularZugriff *fenster = Hauptfenster())
        fenster->DispoAufAktuellesFahrzeugAlleZeitraeume();
    dbe::TTable &dispo = dm_.TTblDispo;
    if (!dispo.BeforeDelete)
        return;
    // The bookings' own rule sees every booking of the vehicle before any row
    // goes, whatever the window filters, with the fields it looks at read in
    // one statement.
    try {
        dbe::TQuery buchungen(&dispo.Session());
        buchungen.SetDatabaseName(dispo.DatabaseName());
        buchungen.SetSQL({QStringLiteral("SELECT %1 FROM %2 WHERE %3")
                              .arg(SpaltenImSql(DispoLoeschRegelFelder()), TabelleImSql(dispo),
                                   TextGleichImSql(QStringLiteral("Kfznr"), kfzNr))});
        buchungen.Open();
        for (buchungen.First(); !buchungen.Eof(); buchungen.Next())
            dispo.BeforeDelete(buchungen);
    } catch (const dbe::EDatabaseError &) {
        throw TabellenFehler{kDispoMeldung};
    }
}

void FahrzeugKaskade::loeschen(const QString &kfzNr)
{
    const QString kfz = QStringLiteral("KfzNr");
    const struct {
        dbe::TTable &tabelle;
        const char *meldung;
    } details[] = {
        {dm_.TTblTouren, "Kann zugehörige Tourendatensätze nicht löschen!"},
        {dm_.TTblVarKosten, "Kann zugehörige Kostendatensätze nicht löschen!"},
        {dm_.TTblMonatKosten, "Kann zugehörige Monatsauswertungen nicht löschen!"},
        {dm_.TTblReifen, "Kann zugehörige Reifendatensätze nicht löschen!"},
        {dm_.TTblHistorie, "Kann zugehörige Historiedatensätze nicht löschen!"},
        {dm_.TblSchadensmanagement, "Kann zugehörige Schadensdatensätze nicht löschen!"},
        {dm_.TblBild, "Kann zugehörige Bildinformationen nicht löschen!"},
    };
    for (const auto &d : details) {
        geleert_.append(&d.tabelle);
        zeilenLoeschen(d.tabelle, d.tabelle.TableName(), kfz, kfzNr, QString::fromUtf8(d.meldung),
                       d.tabelle.MasterSource() == &dm_.TDataSrcMain);
    }
    // The bookings read again at once: their after-delete rule below looks at what is left.
    geleert_.append(&dm_.TTblDispo);
    const int buchungen = zeilenLoeschen(dm_.TTblDispo, dm_.TTblDispo.TableName(), kfz, kfzNr, kDispoMeldung);
    zeilenLoeschen(dm_.TTblMain, QStringLiteral("KfzTerminInfo.db"), QStringLiteral("Kfznr"), kfzNr,
                   QStringLiteral("Kann zugehörige Terminnotizen nicht löschen!"));

    // The bookings' after-delete rule shows the window what is left.
    dbe::TTable &dispo = dm_.TTblDispo;
    try {
        if (buchungen > 0 && dispo.AfterDelete)
            dispo.AfterDelete(dispo);
    } catch (const dbe::EDatabaseError &) {
        throw TabellenFehler{kDispoMeldung};
    }
}

void FahrzeugKaskade::DetailsLoeschen()
{
    const QString kfzNr = dm_.TTblMain.FieldByName(QStringLiteral("KfzNr"))->AsString();
    sperren();
    try {
        // Read before the transaction starts: other workstations' writes wait only for the deletion.
        buchungenPruefen(kfzNr);
        transaktion_ =
            std::make_unique<dbe::TTransaction>(dm_.TTblMain.Session(), dm_.TTblMain.DatabaseName());
        loeschen(kfzNr);
    } catch (const TabellenFehler &f) {
        ui::messages().error(f.meldung);
        base::abortSilently();
    }
}

void FahrzeugKaskade::Abschliessen()
{
    if (transaktion_) {
        transaktion_->Commit();
        transaktion_.reset();
    }
    freigeben();
}

} // namespace fleet
