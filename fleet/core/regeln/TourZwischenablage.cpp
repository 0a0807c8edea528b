#include "regeln/TourZwischenablage.h"

#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "daten/Hilfstabellen.h"
#include "dbe/Table.h"
#include "dienste/Protokoll.h"
#include "ui/Messages.h"

namespace fleet {

TTourZwischenablage TourZwischenablage;

namespace {

const QString kSchluessel = QStringLiteral("KfzNr;Datum;DatumBis;Tour;FahrerName;Kostenstelle");

const QString kNurAnderesFahrzeug =
    QStringLiteral("Sie können eine Tour nur zu einem anderen Fahrzeug verschieben");
const QString kVerschiebenVorhanden = QStringLiteral(
    "Verschieben ist nicht möglich - die zu verschiebende Tour ist bei diesem Fahrzeug schon vorhanden");
const QString kNichtGefunden = QStringLiteral("Programm kann die Tour nicht finden");
const QString kKopieVorhanden = QStringLiteral(
    "Das Einfügen der Tour ist nicht möglich - die zu kopierende Tour ist bei diesem Fahrzeug schon "
    "vorhanden\r\rTIP:\rWenn das Speichern der Tour zu diesem Fahrzeug sinnvoll ist, ändern Sie mindestens "
    "eines der folgenden Datenfelder \"Datum/Von\",\"Datum/Bis\",\"Tour\",\"FahrerName\" oder "
    "\"Kostenstelle\", um die Tour bei diesem Fahrzeug zu speichern.");
const QString kKmNachtragen =
    QStringLiteral("Bitte tragen Sie jetzt die Kilometerstände nach, wenn gewünscht");

QVariant datumOderLeer(base::TDateTime datum)
{
    return datum > 0 ? QVariant(datum) : QVariant();
}

// The six key values of the clipboard's tour for a vehicle.
QVariantList schluessel(const QString &kfzNr)
{
    const TTourZwischenablage &z = TourZwischenablage;
    return {kfzNr, datumOderLeer(z.Datum), datumOderLeer(z.DatumBis), z.Tour, z.FahrerName, z.Kostenstelle};
}

double zahl(const dbe::TDataSet &tour, const char *feld)
{
    const dbe::TField *f = tour.FieldByName(QString::fromLatin1(feld));
    return f->IsNull() ? 0.0 : f->AsFloat();
}

base::TDateTime datum(const dbe::TDataSet &tour, const char *feld)
{
    const dbe::TField *f = tour.FieldByName(QString::fromLatin1(feld));
    return f->IsNull() ? 0.0 : f->AsDateTime();
}

QString text(const dbe::TDataSet &tour, const char *feld)
{
    return tour.FieldByName(QString::fromLatin1(feld))->AsString();
}

void setzen(dbe::TDataSet &tour, const char *feld, const QVariant &wert)
{
    tour.FieldByName(QString::fromLatin1(feld))->SetValue(wert);
}

bool verschieben(dbe::TTable &var, const QString &fahrzeug)
{
    if (var.FindKey(schluessel(fahrzeug))) {
        ui::messages().warning(kVerschiebenVorhanden);
        return false;
    }
    if (!var.FindKey(schluessel(TourZwischenablage.Kfznr))) {
        ui::messages().error(kNichtGefunden);
        return false;
    }
    var.Edit();
    setzen(var, "AbfahrtKm", 0.0);
    setzen(var, "AnkunftKm", 0.0);
    setzen(var, "KfzNr", fahrzeug);
    var.Post();
    return true;
}

bool kopieren(dbe::TTable &var, const QString &fahrzeug)
{
    if (var.FindKey(schluessel(fahrzeug))) {
        ui::messages().warning(kKopieVorhanden);
        return false;
    }
    const TTourZwischenablage &z = TourZwischenablage;
    var.Insert();
    setzen(var, "KfzNr", fahrzeug);
    setzen(var, "Datum", datumOderLeer(z.Datum));
    if (z.DatumBis > 0)
        setzen(var, "DatumBis", z.DatumBis);
    setzen(var, "Tour", z.Tour);
    setzen(var, "FahrerName", z.FahrerName);
    setzen(var, "Kostenstelle", z.Kostenstelle);
    setzen(var, "AbfahrtKm", 0.0);
    setzen(var, "AnkunftKm", 0.0);
    setzen(var, "GefahrenKm", z.GefahrenKm);
    var.FieldByName(QStringLiteral("Ertrag"))->SetAsString(z.Ertrag);
    setzen(var, "Bemerkungen", z.Bemerkungen);
    setzen(var, "Bemerkung2", z.Bemerkung2);
    setzen(var, "Bemerkung3", z.Bemerkung3);
    setzen(var, "PalettenPlus", z.PalettenPlus);
    setzen(var, "PalettenMinus", z.PalettenMinus);
    var.Post();
    ui::messages().information(kKmNachtragen);
    return true;
}

} // namespace

bool TourInZwischenablage(const dbe::TDataSet &tour)
{
    TTourZwischenablage &z = TourZwischenablage;
    try {
        z.Kfznr = text(tour, "KfzNr");
        z.Datum = datum(tour, "Datum");
        z.DatumBis = datum(tour, "DatumBis");
        z.Tour = text(tour, "Tour");
        z.FahrerName = text(tour, "FahrerName");
        z.Kostenstelle = text(tour, "Kostenstelle");
        z.AbfahrtKm = zahl(tour, "AbfahrtKm");
        z.AnkunftKm = zahl(tour, "AnkunftKm");
        z.GefahrenKm = zahl(tour, "GefahrenKm");
        z.Ertrag = text(tour, "Ertrag");
        z.Bemerkungen = text(tour, "Bemerkungen");
        z.Bemerkung2 = text(tour, "Bemerkung2");
        z.Bemerkung3 = text(tour, "Bemerkung3");
        z.PalettenPlus = zahl(tour, "PalettenPlus");
        z.PalettenMinus = zahl(tour, "PalettenMinus");
        return true;
    } catch (const std::exception &e) {
        Verschluckt(Q_FUNC_INFO, e);
        return false;
    }
}

bool TourZwischenablagePruefen(int &code)
{
    code = 0;
    if (TourZwischenablage.Datum == 0)
        code += 1;
    if (TourZwischenablage.GefahrenKm == 0)
        code += 2;
    return code == 0;
}

bool TourZwischenablageEinfuegen()
{
    TDataModule1 &dm = *DataModule1;
    dbe::TTable &touren = dm.TTblTouren;
    // Also after a failure: the tours' controls shown again, the scratch tables at rest.
    struct Aufraeumen {
        dbe::TTable &touren;
        ~Aufraeumen()
        {
            try {
                touren.EnableControls();
            } catch (...) {
                Verschluckt(Q_FUNC_INFO);
            }
            HilfstabellenZuruecksetzen();
        }
    } aufraeumen{touren};
    touren.DisableControls();

    const QString fahrzeug = dm.TTblMain.FieldByName(QStringLiteral("KfzNr"))->AsString();
    const bool verschiebe = TourZwischenablage.modus == TTourZwischenablage::Modus::Verschieben;
    if (verschiebe && !touren.IsEmpty() &&
        touren.FieldByName(QStringLiteral("KfzNr"))->AsString() == TourZwischenablage.Kfznr) {
        ui::messages().information(kNurAnderesFahrzeug);
        return false;
    }

    dbe::TTable &var = dm.TTblVar;
    var.SetDatabaseName(kAliasFuhrpark);
    var.SetTableName(QStringLiteral("KfzTour.db"));
    var.Open();
    if (!(verschiebe ? verschieben(var, fahrzeug) : kopieren(var, fahrzeug)))
        return false;

    touren.Refresh();
    touren.Locate(kSchluessel, schluessel(fahrzeug));
    return true;
}

} // namespace fleet
