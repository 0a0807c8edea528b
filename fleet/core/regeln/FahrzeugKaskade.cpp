#include "regeln/FahrzeugKaskade.h"

#include "base/Abort.h"
#include "daten/DataModule1.h"
#include "daten/TabellenRoutinen.h"
#include "dbe/Session.h"
#include "dienste/HauptFormularZugriff.h"
#include "dienste/Protokoll.h"
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

// A cursor of its own on the table of `vorbild`, ordered by the vehicle
// field, so that neither the master link, the index nor a filter of the
// window decides which rows are the vehicle's.
void nachFahrzeugOeffnen(dbe::TTable &t, const dbe::TTable &vorbild, const QString &tabelle,
                         const QString &kfzFeld)
{
    t.SetDatabaseName(vorbild.DatabaseName());
    t.SetTableName(tabelle);
    t.SetIndexFieldNames(kfzFeld);
    t.Open();
}

// Deletes every row of the vehicle in a table with one statement: through the
// module's own table when its order starts with the vehicle field (a range
// deletion ignores its master link and filters), else on a cursor of its own.
void zeilenLoeschen(dbe::TTable &vorbild, const QString &tabelle, const QString &kfzFeld,
                    const QString &kfzNr, const QString &meldung)
{
    try {
        if (vorbild.Active() && vorbild.TableName() == tabelle) {
            const QStringList ordnung = vorbild.IndexFields();
            if (!ordnung.isEmpty() && ordnung.first().compare(kfzFeld, Qt::CaseInsensitive) == 0) {
                vorbild.DeleteRange({kfzNr}, {kfzNr});
                return;
            }
        }
        dbe::TTable t(&vorbild.Session());
        nachFahrzeugOeffnen(t, vorbild, tabelle, kfzFeld);
        t.DeleteRange({kfzNr}, {kfzNr});
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
        // The bookings were deleted through the window's table: show them again.
        try {
            dm_.TTblDispo.Refresh();
        } catch (const std::exception &e) {
            Verschluckt(Q_FUNC_INFO, e);
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
    // The bookings' own rule sees every booking of the vehicle before any row goes.
    try {
        dbe::TTable t(&dispo.Session());
        nachFahrzeugOeffnen(t, dispo, dispo.TableName(), QStringLiteral("Kfznr"));
        t.SetRange({kfzNr}, {kfzNr});
        for (t.First(); !t.Eof(); t.Next())
            dispo.BeforeDelete(t);
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
    for (const auto &d : details)
        zeilenLoeschen(d.tabelle, d.tabelle.TableName(), kfz, kfzNr, QString::fromUtf8(d.meldung));
    zeilenLoeschen(dm_.TTblDispo, dm_.TTblDispo.TableName(), kfz, kfzNr, kDispoMeldung);
    zeilenLoeschen(dm_.TTblMain, QStringLiteral("KfzTerminInfo.db"), QStringLiteral("Kfznr"), kfzNr,
                   QStringLiteral("Kann zugehörige Terminnotizen nicht löschen!"));

    // The window's bookings show that they are gone.
    dbe::TTable &dispo = dm_.TTblDispo;
    try {
        dispo.Refresh();
        if (dispo.AfterDelete)
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
