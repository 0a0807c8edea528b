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

// Deletes every row of the vehicle in a table, on a cursor of its own, so that
// neither the master link nor a filter of the window hides rows from it.
void zeilenLoeschen(dbe::TTable &vorbild, const QString &kfzFeld, const QString &kfzNr,
                    const QString &meldung)
{
    try {
        dbe::TTable t(&vorbild.Session());
        t.SetDatabaseName(vorbild.DatabaseName());
        t.SetTableName(vorbild.TableName());
        t.SetIndexFieldNames(kfzFeld);
        t.Open();
        t.SetRange({kfzNr}, {kfzNr});
        t.First();
        while (!t.IsEmpty())
            t.Delete();
    } catch (const dbe::EDatabaseError &) {
        throw TabellenFehler{meldung};
    }
}

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

void FahrzeugKaskade::loeschen(const QString &kfzNr)
{
    const QString kfz = QStringLiteral("KfzNr");
    zeilenLoeschen(dm_.TTblTouren, kfz, kfzNr,
                   QStringLiteral("Kann zugehörige Tourendatensätze nicht löschen!"));
    zeilenLoeschen(dm_.TTblVarKosten, kfz, kfzNr,
                   QStringLiteral("Kann zugehörige Kostendatensätze nicht löschen!"));
    zeilenLoeschen(dm_.TTblMonatKosten, kfz, kfzNr,
                   QStringLiteral("Kann zugehörige Monatsauswertungen nicht löschen!"));
    zeilenLoeschen(dm_.TTblReifen, kfz, kfzNr,
                   QStringLiteral("Kann zugehörige Reifendatensätze nicht löschen!"));
    zeilenLoeschen(dm_.TTblHistorie, kfz, kfzNr,
                   QStringLiteral("Kann zugehörige Historiedatensätze nicht löschen!"));
    zeilenLoeschen(dm_.TblSchadensmanagement, kfz, kfzNr,
                   QStringLiteral("Kann zugehörige Schadensdatensätze nicht löschen!"));
    zeilenLoeschen(dm_.TblBild, kfz, kfzNr,
                   QStringLiteral("Kann zugehörige Bildinformationen nicht löschen!"));

    // Bookings go through the window's table, so that their own rules run; the
    // view is put on the vehicle and all periods first.
    if (HauptFormularZugriff *fenster = Hauptfenster())
        fenster->DispoAufAktuellesFahrzeugAlleZeitraeume();
    try {
        dbe::TTable &dispo = dm_.TTblDispo;
        dispo.Refresh();
        dispo.First();
        for (int n = dispo.RecordCount(); n > 0; --n)
            dispo.Delete();
    } catch (const dbe::EDatabaseError &) {
        throw TabellenFehler{QStringLiteral("Kann zugehörige Dispositionsdatensätze nicht löschen!")};
    }

    dbe::TTable notizen(&dm_.TTblMain.Session());
    notizen.SetDatabaseName(dm_.TTblMain.DatabaseName());
    notizen.SetTableName(QStringLiteral("KfzTerminInfo.db"));
    zeilenLoeschen(notizen, QStringLiteral("Kfznr"), kfzNr,
                   QStringLiteral("Kann zugehörige Terminnotizen nicht löschen!"));
}

void FahrzeugKaskade::DetailsLoeschen()
{
    const QString kfzNr = dm_.TTblMain.FieldByName(QStringLiteral("KfzNr"))->AsString();
    sperren();
    transaktion_ = std::make_unique<dbe::TTransaction>(dm_.TTblMain.Session(), dm_.TTblMain.DatabaseName());
    try {
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
