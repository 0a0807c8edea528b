#include <exception>

#include "base/Abort.h"
#include "daten/DataModule1.h"
#include "dienste/Protokoll.h"
#include "regeln/DetailRegeln.h"
#include "regeln/RegelHilfen.h"
#include "ui/Messages.h"

namespace fleet {

namespace {

const QString kGrid = QStringLiteral("TDBGridTouren");

const QString kDatumFehlt =
    QStringLiteral("Bitte geben Sie ein Datum ein, da sonst eine zeitliche Zuordnung der "
                   "Tourenkilometer nicht möglich ist");
const QString kKilometerFehlen =
    QStringLiteral("Bitte geben Sie einen Abfahrts- und Ankunftskilometerstand ein, oder geben Sie die "
                   "gefahrenen Kilometer direkt ein, da sonst für die Auswertung keine Tourenkilometer "
                   "zugeordnet werden können");
const QString kDoppelt = QStringLiteral(
    "Ein Tourendatensatz mit den gleichen Schlüsseldaten ist schon vorhanden - Sie können nicht bei einem "
    "Fahrzeug zwei Touren mit gleichem DatumVon, DatumBis, Tour, FahrerName und Kostenstelle speichern - "
    "bitte ändern Sie eines der Felder, um die beiden Touren für das Programm zu unterscheiden oder klicken "
    "Sie auf die Löschen-Taste, um diesen Tourendatensatz zu verwerfen.");

[[noreturn]] void abweisen(const QString &text, const QString &feld)
{
    ui::messages().error(text);
    SpalteZeigen(kGrid, feld);
    base::abortSilently();
}

void neueTour(TDataModule1 &dm, dbe::TDataSet &tour)
{
    try {
        tour.FieldByName(QStringLiteral("FahrerName"))
            ->SetValue(dm.TTblMain.FieldByName(QStringLiteral("FahrerName"))->Value());
        tour.FieldByName(QStringLiteral("Kostenstelle"))
            ->SetValue(dm.TTblMain.FieldByName(QStringLiteral("Kostenstelle"))->Value());
    } catch (const std::exception &e) {
        Verschluckt(Q_FUNC_INFO, e);
        // A new tour is filled as far as the vehicle allows; the user completes it.
    }
}

void tourPruefen(dbe::TDataSet &tour)
{
    if (tour.FieldByName(QStringLiteral("Datum"))->IsNull())
        abweisen(kDatumFehlt, QStringLiteral("Datum"));
    dbe::TField *abfahrt = tour.FieldByName(QStringLiteral("AbfahrtKm"));
    dbe::TField *ankunft = tour.FieldByName(QStringLiteral("AnkunftKm"));
    dbe::TField *gefahren = tour.FieldByName(QStringLiteral("GefahrenKm"));
    // An arrival of "0" means "not read": the typed driven kilometres stay.
    // A negative difference is kept as it is.
    if (!abfahrt->IsNull() && !ankunft->IsNull() && ankunft->AsString() != QLatin1String("0"))
        gefahren->SetAsFloat(ankunft->AsFloat() - abfahrt->AsFloat());
    if (gefahren->IsNull())
        abweisen(kKilometerFehlen, QStringLiteral("GefahrenKm"));
}

void tourAbgewiesen(dbe::EDatabaseError &fehler, dbe::TDataAction &aktion)
{
    ui::messages().error(IstSchluesselverletzung(fehler) ? kDoppelt : fehler.Message());
    aktion = dbe::TDataAction::daAbort;
}

} // namespace

void TourenRegelnBinden(TDataModule1 &dm)
{
    dm.TTblTourenAfterInsert = [&dm](dbe::TDataSet &tour) { neueTour(dm, tour); };
    dm.TTblTourenBeforePost = [](dbe::TDataSet &tour) { tourPruefen(tour); };
    dm.TTblTourenPostError = [](dbe::TDataSet &, dbe::EDatabaseError &fehler, dbe::TDataAction &aktion) {
        tourAbgewiesen(fehler, aktion);
    };
}

} // namespace fleet
